#pragma once

#include <string>

namespace quorvane {

// The pictures are decoded by the dialogs; the core only names them.

// "<mapFolder>/map/mapA/<record>h.jpg": national (0), block (1..9) and area maps.
std::string MapPicturePath(const std::string& mapFolder, int recordIndex);
// "<mapFolder>/map/mapB/<code1>-<quarter>.jpg" for a 1 km mesh map sheet.
std::string SheetPicturePath(const std::string& mapFolder, int sheet);

bool MapPictureExists(const std::string& mapFolder, int recordIndex);
// Only sheets with a picture are offered; a code that is no sheet has none.
bool SheetPictureExists(const std::string& mapFolder, int sheet);

} // namespace quorvane

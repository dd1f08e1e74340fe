#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The whole file; false when it cannot be opened or read to its end (a folder
// counts as unreadable).
// "folder/name", with one slash between them; `name` alone for an empty folder.
std::string JoinPath(const std::string& folder, std::string_view name);

bool ReadWholeFile(const std::string& path, std::string& bytes);
// Creates missing folders, then writes through AtomicFileWriter: the target is
// replaced only when every byte was written.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

} // namespace quorvane

#pragma once

#include "data/geo_types.h"

namespace quorvane {

// The standard grid squares of Japan. A point on a square's south or west edge
// belongs to that square. Points outside 0° ≤ lat < 66°40′ and 100° ≤ lon < 200°
// have no code: the functions return -1 for them.
int GetMesh1Code(double lonDeg, double latDeg);
int GetMesh2Code(double lonDeg, double latDeg);
int GetMesh3Code(double lonDeg, double latDeg);

// The rectangle of a third-order (about 1 km) square.
CDRect GetMesh3Rect(int code3);

// A 1 km mesh map sheet is a quarter of a first-order square: code = 10 × code1 + k,
// k = 1 south-west, 2 south-east, 3 north-west, 4 north-east.
int GetMapSheetCode(double lonDeg, double latDeg);
CDRect GetSheetRect(int sheet);
// The extent of the sheet's picture: the sheet widened to the pane's proportions.
CDRect GetSheetViewRect(int sheet);

enum class SheetDirection { West = 0, East = 1, South = 2, North = 3 };

// A sheet whose last digit is not 1..4 comes back unchanged; a direction outside
// 0..3 gives -1.
int GetNeighbourSheet(int sheet, int direction);
inline int GetNeighbourSheet(int sheet, SheetDirection direction) {
    return GetNeighbourSheet(sheet, static_cast<int>(direction));
}

} // namespace quorvane

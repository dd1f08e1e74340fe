#pragma once

#include "data/geo_types.h"

#include <string>
#include <vector>

namespace quorvane::datakit {

using Ring = std::vector<CDPoint>;

// One polygon of the "japan" database of r-cran-mapdata, in degrees, closed ring
// without the repeated first point.
struct MapdataPolygon {
    int prefecture = 0; // 1..47, standard prefecture code
    Ring ring;
};

// One line of the database: a piece of coastline (one side is the sea) or of a
// prefecture boundary.
struct MapdataLine {
    bool coast = false;
    std::vector<CDPoint> points;
};

struct Mapdata {
    std::vector<MapdataPolygon> polygons;
    std::vector<MapdataLine> lines; // only the lines some polygon uses
};

// Reads japan.L, japan.G and japan.N from `folder`. Throws std::runtime_error with
// the reason when a file is missing or does not hold what its header promises.
Mapdata ReadJapanMapdata(const std::string& folder);

// Standard prefecture code 1..47 of a romanised name of japan.N ("NARA" included),
// 0 when unknown.
int PrefectureCodeOfRomanName(const std::string& name);

} // namespace quorvane::datakit

#pragma once

#include "geometry.h"

#include <string>
#include <vector>

namespace quorvane::datakit {

struct Prefecture {
    int code = 0;             // standard code 1..47
    const char* name = "";    // "北海道", "青森県", ...
    const char* capital = ""; // the city of the prefectural office
    CDPoint office;           // position of the prefectural office (degrees)
};

// The 47 prefectures in standard-code order.
const std::vector<Prefecture>& Prefectures();

// One area of the map catalogue (codes 10..99): a prefecture or part of one.
struct Area {
    int code = 0;
    std::string name;
    std::string shortName;
    int prefecture = 0;
    int block = 0;
    std::vector<Ring> rings; // valid simple polygons, degrees
    Bounds land;             // bounds of the rings
    double landArea = 0.0;   // square degrees
};

struct Block {
    int code = 0; // 1..9
    std::string name;
    CDRect rect;
};

struct Geography {
    std::vector<Area> areas;   // ascending code
    std::vector<Block> blocks; // codes 1..9 in order
    CDRect national;
    // Coastline and prefecture boundaries of the source, for drawing.
    std::vector<MapdataLine> lines;
    // Rings of the islands that get no observation site (the islands north-east of
    // Nemuro, where no Japanese network stands).
    std::vector<Bounds> siteExclusions;

    const Area* FindArea(int code) const;
    // The area whose outline contains the point, or nullptr.
    const Area* AreaAt(double lon, double lat) const;
};

// The pixel size of every map picture (the inner rectangle of the map pane).
inline constexpr int kMapWidthPx = 554;
inline constexpr int kMapHeightPx = 432;

// A rectangle around `land` with `margin` (fraction of its larger side) widened in
// one direction so that a linear projection onto 554 × 432 pixels keeps shapes true
// (a degree of longitude is cos(latitude) of a degree of latitude). The extra width
// goes east by `eastBias` (-1 all west, 0 both sides alike, 1 all east).
CDRect MapRectAround(const Bounds& land, double margin, double eastBias = 0.0);

// The rectangle of an area's map: its land with a margin (wider for small islands).
CDRect AreaView(const Area& area);

Geography BuildGeography(const Mapdata& source);

} // namespace quorvane::datakit

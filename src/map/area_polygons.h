#pragma once

#include "data/load_status.h"
#include "data/reporter.h"
#include "data/site_catalogue.h"
#include "map/polygon.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The outlines of the areas, by area code. The map layer owns them: the site
// catalogue's records stay plain values, and only the map draws and hit-tests areas.
using AreaOutlineTable = std::array<std::vector<CPolygon>, kMapInfoCount>;

// "<mapFolder>/map/area/<code, two digits>"
std::string AreaPolygonPath(const std::string& mapFolder, int areaCode);

// Replaces `outline` with the polygons of the area's file; CannotRead leaves it
// empty. A faulty polygon ends the list with one message (Damaged); the polygons
// before it stay.
LoadStatus LoadAreaPolygons(const std::string& mapFolder, int areaCode,
                            std::vector<CPolygon>& outline, MessageReporter& reporter);

// The same from the file's bytes; false when they held a faulty polygon.
bool DecodeAreaPolygons(std::string_view bytes, std::vector<CPolygon>& outline);

// Each polygon: a 32-bit vertex count, then longitude and latitude as doubles, all
// little-endian.
std::string EncodeAreaPolygons(std::span<const CPolygon> polygons);
bool WriteAreaPolygons(const std::string& path, std::span<const CPolygon> polygons);

} // namespace quorvane

#pragma once

#include "data/reporter.h"
#include "data/site_catalogue.h"
#include "map/polygon.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

inline constexpr std::string_view kAreaPolygonErrorMessage =
    "県ポリゴンデータの読み込みに失敗しました。";

// The outlines of the areas, by area code. The map layer owns them: the site
// catalogue's records stay plain values, and only the map draws and hit-tests areas.
using AreaOutlineTable = std::array<std::vector<CPolygon>, kMapInfoCount>;

// "<mapFolder>/map/area/<code, two digits>"
std::string AreaPolygonPath(const std::string& mapFolder, int areaCode);

// Replaces `outline` with the polygons of the area's file. Returns 1 when the file
// was opened, 0 otherwise (the outline then stays empty). A faulty polygon ends the
// list with one message; the polygons before it stay.
int LoadAreaPolygons(const std::string& mapFolder, int areaCode, std::vector<CPolygon>& outline,
                     MessageReporter& reporter);

// The same from the file's bytes; false when they held a faulty polygon.
bool DecodeAreaPolygons(std::string_view bytes, std::vector<CPolygon>& outline);

// Each polygon: a 32-bit vertex count, then longitude and latitude as doubles, all
// little-endian.
std::string EncodeAreaPolygons(std::span<const CPolygon> polygons);
bool WriteAreaPolygons(const std::string& path, std::span<const CPolygon> polygons);

} // namespace quorvane

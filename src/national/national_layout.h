#pragma once

#include "graph/graph_layout.h"
#include "map/map_geometry.h"
#include "national/national_map.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// The national map's picture: a title band, the map pane of the site selection
// (the national map or a block map) and the colour scale at its right.
inline constexpr int kNationalTitleBand = 40;
inline constexpr int kNationalScaleBand = 130;
inline constexpr int kNationalWidth = kMapPaneWidthPx + kNationalScaleBand;
inline constexpr int kNationalHeight = kMapPaneHeightPx + kNationalTitleBand;

struct NationalMarker {
    PixelPoint at;
    std::uint32_t argb = 0;
    std::size_t site = 0; // index into the map's sites
};

struct ScaleLabel {
    int y = 0;
    std::string text;
};

struct NationalLayout {
    int block = 0;   // 0 the national map, 1..9 a block
    PixelRect inner; // the map picture, in the picture's coordinates
    GraphText title;
    GraphText subtitle;
    std::vector<NationalMarker> markers;
    int markerRadius = 4;
    PixelRect scaleBar;
    double scaleLow = 0.0;
    double scaleHigh = 1.0;
    std::vector<ScaleLabel> scaleLabels;
    GraphText unit;
    std::vector<tagGraphToolTip> tooltips; // one a marker, in the markers' order
};

// A value as the window writes it, with its unit, and the number alone.
std::string FormatQuantity(NationalQuantity quantity, double value);
std::string FormatQuantityNumber(NationalQuantity quantity, double value);

// Markers for the sites with a value that the map of `block` shows, placed as the
// site selection places them, coloured by the map's range; `view` is the block's
// (or the national map's) rectangle.
NationalLayout ComposeNationalLayout(const NationalMap& map, int block, const CDRect& view,
                                     const std::string& placeName);

// The marker under (x, y), the last drawn first; nothing when none.
std::optional<std::size_t> MarkerAt(const NationalLayout& layout, int x, int y);

} // namespace quorvane

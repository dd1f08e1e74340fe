#pragma once

#include "data/geo_types.h"
#include "data/pixel_types.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

enum class MapLevel { National = 0, Block = 1, Area = 2, Mesh = 3 };

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelOffset {
    int dx = 0;
    int dy = 0;
    friend bool operator==(const PixelOffset&, const PixelOffset&) = default;
};

// Degrees added to a computed position before it is shown.
struct GeoShift {
    double lonDeg = 0.0;
    double latDeg = 0.0;
    friend bool operator==(const GeoShift&, const GeoShift&) = default;
};

inline constexpr int kMapPaneWidthPx = 694;
inline constexpr int kMapPaneHeightPx = 522;
inline constexpr int kMapInsetXPx = 70;
inline constexpr int kMapInsetYPx = 45;
inline constexpr int kBlockCount = 10; // index 0 is the national map, 1..9 the blocks

// The rectangle a map picture is drawn into, inside a pane of the given client size.
PixelRect MapInnerRect(int paneWidthPx = kMapPaneWidthPx, int paneHeightPx = kMapPaneHeightPx);

// Pixels added on the national map to everything that belongs to `block`
// (the islands drawn as insets); zero for blocks without an inset or out of range.
PixelOffset BlockInsetOffsets(int block);

// The geodetic-datum shift of each block, applied only to shown coordinates and
// frame labels; zero out of range.
GeoShift BlockDisplayShift(int block);
extern const std::array<GeoShift, kBlockCount> kBlockDisplayShifts;

PixelPoint GeoToPixel(const CDPoint& point, const CDRect& geo, const PixelRect& inner);

// Where a site's marker stands on a map of `view` drawn into `inner`: on the national
// map moved by its block's inset, and not at all without a block (-1).
std::optional<PixelPoint> SiteMarkerPixel(const CDPoint& site, int block, MapLevel level,
                                          const CDRect& view, const PixelRect& inner);
// Whether a marker at `p` lies in the part of the map that shows markers.
bool MarkerInView(PixelPoint p, MapLevel level, const PixelRect& inner);
CDPoint PixelToGeo(int x, int y, const CDRect& geo, const PixelRect& inner);

// `blockBounds[i]` is the rectangle of map record i (0..9); `parentBlock` is the
// current area's parent block (level 2 only).
GeoShift GetDisplayShift(MapLevel level, int currentRecord, int parentBlock, const CDRect& view,
                         std::span<const CDRect> blockBounds);

// "35° 30′ 00″": whole degrees, minutes and seconds, truncated.
std::string FormatDMS(double degrees);

enum class FrameEdge { Top, Bottom, Left, Right };

// One tick on the frame of the inner rectangle. `positionPx` is the x of a tick on
// the top or bottom edge and the y of one on the left or right edge; the tick line
// runs outwards from `from` to `to`. Major ticks carry a label whose top lies at
// `labelAnchor.y`: centred on `labelAnchor.x` for longitude ticks (top and bottom
// edges), starting at `labelAnchor.x` for latitude ticks (left and right edges).
struct FrameTick {
    FrameEdge edge = FrameEdge::Top;
    int positionPx = 0;
    bool major = false;
    PixelPoint from;
    PixelPoint to;
    std::string label;
    PixelPoint labelAnchor;
    friend bool operator==(const FrameTick&, const FrameTick&) = default;
};

inline constexpr int kMinorTickLengthPx = 2;
inline constexpr int kMajorTickLengthPx = 5;

// The ticks of a map frame. The view is moved by `slideOffset` (while a sheet
// slides) and by the display shift before the ticks are placed.
std::vector<FrameTick> ComputeFrameTicks(MapLevel level, const CDRect& view, const PixelRect& inner,
                                         GeoShift slideOffset, GeoShift displayShift);

struct PixelLine {
    PixelPoint from;
    PixelPoint to;
    friend bool operator==(const PixelLine&, const PixelLine&) = default;
};

// The third-order mesh grid of a 1 km mesh map: a line every 45″ of longitude and
// every 30″ of latitude inside the (unshifted) view, across the inner rectangle.
std::vector<PixelLine> ComputeMeshGrid(const CDRect& view, const PixelRect& inner);

} // namespace quorvane

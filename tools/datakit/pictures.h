#pragma once

#include "geography.h"
#include "output.h"

#include <set>

#include <QColor>

#include <vector>

class QPainter;

namespace quorvane::datakit {

// Colours and strokes of the map pictures: sea, land, coastline, prefecture
// boundaries and the faint seams between the parts of a divided prefecture.
struct MapStyle {
    QColor sea{0xDD, 0xEA, 0xF2};
    QColor land{0xF6, 0xF2, 0xE4};
    QColor coast{0x4F, 0x7D, 0x9E};
    QColor boundary{0x98, 0x8C, 0x78};
    QColor areaSeam{0xC4, 0xBA, 0xA6};
    QColor insetFrame{0x8A, 0x9C, 0xAC};
    double coastWidth = 1.0;
    double boundaryWidth = 1.0;
    bool fillLand = true;
    bool seams = true;
    // On an area's (or a block's) own map the land of the other areas is drawn a
    // shade darker.
    int focusArea = 0;
    int focusBlock = 0;
    QColor otherLand{0xEA, 0xE5, 0xD6};
};

// Draws the land, the prefecture boundaries and the coastline of `geo` inside the
// geographic rectangle `view`, mapped linearly onto the painter's `width` × `height`
// pixels exactly as the program projects its maps (x from the west edge, y from
// the north edge). Islands whose bounds lie inside one of `skip` are left out;
// `offsetX/Y` shift everything (the national insets).
void DrawGeography(QPainter& painter, const Geography& geo, const CDRect& view, int width,
                   int height, const std::vector<CDRect>& skip, double offsetX, double offsetY,
                   const CDRect* only, const MapStyle& style);

// Where each inset block of the national map is drawn, in pixels of a picture of
// `width` × `height` (the offsets scaled with the picture).
struct InsetPlacement {
    int block = 0;
    CDRect rect;     // the block's rectangle
    double dx = 0.0; // pixels added after projection
    double dy = 0.0;
};
std::vector<InsetPlacement> NationalInsets(const Geography& geo, int width, int height);

// The national map with its insets, in `width` × `height` pixels (the colour maps
// draw it larger than the map pictures).
void DrawNationalMap(QPainter& painter, const Geography& geo, int width, int height,
                     const MapStyle& style);

const MapStyle& CartographicStyle();

// map/mapA/%dh.jpg for the national map, the blocks and the areas, and
// map/mapB/%d-%d.jpg for each sheet.
void WriteMapPictures(const Geography& geo, const std::set<int>& sheets, const KitPaths& paths,
                      int threads);

} // namespace quorvane::datakit

#pragma once

#include "data/pixel_types.h"

#include <string>
#include <string_view>

namespace quorvane {

inline constexpr int kColorMapKindCount = 3;
inline constexpr int kColorMapPeriodCount = 13; // the year, then January..December

// "全天日射量", "散乱日射量", "最適傾斜角日射量" (UTF-8).
std::string_view ColorMapKindName(int kind);
// "年平均", "1月" .. "12月".
std::string ColorMapPeriodName(int period);
// "<map folder>/ColorMap/<kind><period>.png"
std::string ColorMapPicturePath(const std::string& mapFolder, int kind, int period);

// The part of the picture shown, in picture pixels: 0 <= x0 < x1 <= W,
// 0 <= y0 < y1 <= H, its height the width's share of the picture's proportions.
struct ColorMapView {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
    friend bool operator==(const ColorMapView&, const ColorMapView&) = default;
};

inline ColorMapView WholeColorMap(int pictureWidth, int pictureHeight) {
    return {0, 0, pictureWidth, pictureHeight};
}

// A zoom step by 1.3 about the view's centre, and what the buttons then allow.
struct ColorMapZoom {
    ColorMapView view;
    bool canZoomIn = true;
    bool canZoomOut = true; // also "全体表示"
};
ColorMapZoom ZoomColorMapIn(const ColorMapView& view, int pictureWidth, int pictureHeight,
                            int paneClientWidth);
ColorMapZoom ZoomColorMapOut(const ColorMapView& view, int pictureWidth, int pictureHeight);

// The view dragged from `start` by the mouse moving from `press` to `current`
// (pane pixels) over a map area of the given size; the view keeps its size and
// stops at the picture's edges.
ColorMapView PanColorMap(const ColorMapView& start, int pressX, int pressY, int currentX,
                         int currentY, int mapAreaWidth, int mapAreaHeight, int pictureWidth,
                         int pictureHeight);

// The map area of a pane (or of the printed rectangle): margins of width / 50 at the
// sides, height / 20 at the top and height / 50 at the bottom.
PixelRect ColorMapArea(const PixelRect& pane);

// The whole picture scaled so that the view fills the map area.
struct ZoomBufferGeometry {
    int width = 0;
    int height = 0;
    int sourceX = 0; // where the view starts in the buffer
    int sourceY = 0;
};
ZoomBufferGeometry ComputeZoomBuffer(const ColorMapView& view, int pictureWidth, int pictureHeight,
                                     int mapAreaWidth, int mapAreaHeight);

// The dialog from the desktop's work area: the pane as tall as the area allows and
// as wide as the picture's proportions give; the dialog at the top, centred.
struct ColorMapDialogGeometry {
    PixelRect dialog; // screen pixels
    PixelRect pane;   // dialog pixels
    PixelRect prompt; // dialog pixels
};
ColorMapDialogGeometry ComputeColorMapDialog(const PixelRect& workArea, int pictureWidth,
                                             int pictureHeight);

// The printed page: 0.9 of the page height with the pane's proportions, centred at
// the top, drawn at an integer scale.
struct ColorMapPrintGeometry {
    PixelRect printed;
    PixelRect mapArea;
    int scale = 1;
};
ColorMapPrintGeometry ComputeColorMapPrint(int pageWidth, int pageHeight, int paneClientWidth,
                                           int paneClientHeight);

} // namespace quorvane

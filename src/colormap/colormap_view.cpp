#include "colormap/colormap_view.h"

#include <algorithm>
#include <array>

namespace quorvane {

namespace {

constexpr double kZoomFactor = 1.3;

constexpr std::array<std::string_view, kColorMapKindCount> kKindNames{"全天日射量", "散乱日射量",
                                                                      "最適傾斜角日射量"};

// The view of width `a` (height from the picture's proportions) about the old centre,
// moved back inside the picture.
ColorMapView Recentred(const ColorMapView& view, int a, int pictureWidth, int pictureHeight) {
    const int b = static_cast<int>(static_cast<long long>(a) * pictureHeight / pictureWidth);
    ColorMapView v;
    v.x0 = (view.x0 + view.x1) / 2 - a / 2;
    v.x1 = v.x0 + a;
    v.y0 = (view.y0 + view.y1) / 2 - b / 2;
    v.y1 = v.y0 + b;
    if (v.x0 < 0) {
        v.x0 = 0;
        v.x1 = a;
    }
    if (v.y0 < 0) {
        v.y0 = 0;
        v.y1 = b;
    }
    if (v.x1 > pictureWidth) {
        v.x1 = pictureWidth;
        v.x0 = pictureWidth - a;
    }
    if (v.y1 > pictureHeight) {
        v.y1 = pictureHeight;
        v.y0 = pictureHeight - b;
    }
    return v;
}

} // namespace

std::string_view ColorMapKindName(int kind) {
    return kind >= 0 && kind < kColorMapKindCount ? kKindNames[static_cast<std::size_t>(kind)]
                                                  : std::string_view();
}

std::string ColorMapPeriodName(int period) {
    if (period <= 0 || period >= kColorMapPeriodCount) {
        return "年平均";
    }
    return std::to_string(period) + "月";
}

std::string ColorMapPicturePath(const std::string& mapFolder, int kind, int period) {
    return mapFolder + "/ColorMap/" + std::string(ColorMapKindName(kind)) +
           ColorMapPeriodName(period) + ".png";
}

ColorMapZoom ZoomColorMapIn(const ColorMapView& view, int pictureWidth, int pictureHeight,
                            int paneClientWidth) {
    ColorMapZoom zoom;
    int a = static_cast<int>(view.Width() / kZoomFactor);
    const int smallest = paneClientWidth / 2;
    if (a < smallest) {
        a = std::min(smallest, pictureWidth);
        zoom.canZoomIn = false;
    }
    zoom.view = Recentred(view, a, pictureWidth, pictureHeight);
    return zoom;
}

ColorMapZoom ZoomColorMapOut(const ColorMapView& view, int pictureWidth, int pictureHeight) {
    ColorMapZoom zoom;
    int a = static_cast<int>(view.Width() * kZoomFactor);
    if (a >= pictureWidth) {
        a = pictureWidth;
        zoom.canZoomOut = false;
    }
    zoom.view = Recentred(view, a, pictureWidth, pictureHeight);
    if (!zoom.canZoomOut) {
        // Back to the whole picture: its height too, whatever the rounding.
        zoom.view = WholeColorMap(pictureWidth, pictureHeight);
    }
    return zoom;
}

ColorMapView PanColorMap(const ColorMapView& start, int pressX, int pressY, int currentX,
                         int currentY, int mapAreaWidth, int mapAreaHeight, int pictureWidth,
                         int pictureHeight) {
    const int w = start.Width();
    const int h = start.Height();
    ColorMapView v;
    v.x0 = start.x0 + static_cast<int>(static_cast<long long>(w) * (pressX - currentX) /
                                       std::max(1, mapAreaWidth));
    v.y0 = start.y0 + static_cast<int>(static_cast<long long>(h) * (pressY - currentY) /
                                       std::max(1, mapAreaHeight));
    v.x0 = std::max(v.x0, 0);
    v.y0 = std::max(v.y0, 0);
    v.x1 = v.x0 + w;
    v.y1 = v.y0 + h;
    if (v.x1 > pictureWidth) {
        v.x1 = pictureWidth;
        v.x0 = pictureWidth - w;
    }
    if (v.y1 > pictureHeight) {
        v.y1 = pictureHeight;
        v.y0 = pictureHeight - h;
    }
    return v;
}

PixelRect ColorMapArea(const PixelRect& pane) {
    const int w = pane.Width();
    const int h = pane.Height();
    return {pane.left + w / 50, pane.top + h / 20, pane.right - w / 50, pane.bottom - h / 50};
}

ZoomBufferGeometry ComputeZoomBuffer(const ColorMapView& view, int pictureWidth, int pictureHeight,
                                     int mapAreaWidth, int mapAreaHeight) {
    ZoomBufferGeometry g;
    if (view.Width() <= 0 || view.Height() <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return g;
    }
    g.width = static_cast<int>(static_cast<long long>(mapAreaWidth) * pictureWidth / view.Width());
    g.height =
        static_cast<int>(static_cast<long long>(mapAreaHeight) * pictureHeight / view.Height());
    g.sourceX = static_cast<int>(static_cast<long long>(g.width) * view.x0 / pictureWidth);
    g.sourceY = static_cast<int>(static_cast<long long>(g.height) * view.y0 / pictureHeight);
    return g;
}

ColorMapDialogGeometry ComputeColorMapDialog(const PixelRect& workArea, int pictureWidth,
                                             int pictureHeight) {
    ColorMapDialogGeometry g;
    const int h = workArea.Height() - 60;
    const int paneHeight = h - 40;
    const int paneWidth =
        pictureHeight > 0
            ? static_cast<int>(static_cast<long long>(paneHeight) * pictureWidth / pictureHeight)
            : paneHeight;
    const int width = paneWidth + 182;
    const int left = workArea.left + (workArea.Width() - width) / 2;
    g.dialog = {left, workArea.top, left + width, workArea.top + h + 40};
    g.pane = {174, 8, 174 + paneWidth, 8 + paneHeight};
    // Wide enough for the whole drag prompt.
    g.prompt = {174, g.pane.bottom + 12, 174 + 400, g.pane.bottom + 32};
    return g;
}

ColorMapPrintGeometry ComputeColorMapPrint(int pageWidth, int pageHeight, int paneClientWidth,
                                           int paneClientHeight) {
    ColorMapPrintGeometry g;
    if (paneClientWidth <= 0 || paneClientHeight <= 0) {
        return g;
    }
    int e = static_cast<int>(pageHeight * 0.9);
    int f = static_cast<int>(static_cast<long long>(e) * paneClientWidth / paneClientHeight);
    // A pane wider than the page's proportions would run off the paper: fit the width.
    if (f > pageWidth) {
        f = pageWidth;
        e = static_cast<int>(static_cast<long long>(f) * paneClientHeight / paneClientWidth);
    }
    const int c = (pageWidth - f) / 2;
    g.printed = {c, 0, c + f, e};
    g.mapArea = ColorMapArea(g.printed);
    g.scale = std::max(1, f / paneClientWidth);
    return g;
}

} // namespace quorvane

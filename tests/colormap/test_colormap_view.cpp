// The colour map's view arithmetic: zoom steps, panning, the buffer and the pages.
#include "colormap/colormap_view.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

constexpr int W = 1298;
constexpr int H = 928;

void ExpectValid(const ColorMapView& v) {
    EXPECT_GE(v.x0, 0);
    EXPECT_LT(v.x0, v.x1);
    EXPECT_LE(v.x1, W);
    EXPECT_GE(v.y0, 0);
    EXPECT_LT(v.y0, v.y1);
    EXPECT_LE(v.y1, H);
    EXPECT_EQ(v.Height(), v.Width() * H / W);
}

TEST(ColorMapView, PicturesAreNamedByKindAndPeriod) {
    EXPECT_EQ(ColorMapPicturePath("/d", 0, 0), "/d/ColorMap/全天日射量年平均.png");
    EXPECT_EQ(ColorMapPicturePath("/d", 2, 12), "/d/ColorMap/最適傾斜角日射量12月.png");
    EXPECT_EQ(ColorMapPeriodName(1), "1月");
}

TEST(ColorMapView, OneZoomInFromTheWholeMapIsCentred) {
    const ColorMapZoom in = ZoomColorMapIn(WholeColorMap(W, H), W, H, 934);
    EXPECT_EQ(in.view.Width(), static_cast<int>(W / 1.3));
    EXPECT_EQ(in.view.x0, W / 2 - in.view.Width() / 2);
    EXPECT_EQ(in.view.y0, H / 2 - in.view.Height() / 2);
    EXPECT_TRUE(in.canZoomIn);
    ExpectValid(in.view);
}

TEST(ColorMapView, ZoomInStopsAtHalfThePaneAndZoomOutAtTheWholeMap) {
    ColorMapZoom zoom{WholeColorMap(W, H), true, false};
    int steps = 0;
    while (zoom.canZoomIn && steps < 20) {
        zoom = ZoomColorMapIn(zoom.view, W, H, 934);
        ExpectValid(zoom.view);
        ++steps;
    }
    EXPECT_EQ(zoom.view.Width(), 934 / 2);
    EXPECT_EQ(steps, 4); // 998, 767, 590, then 453 < 467
    while (zoom.canZoomOut && steps < 40) {
        zoom = ZoomColorMapOut(zoom.view, W, H);
        ExpectValid(zoom.view);
        ++steps;
    }
    EXPECT_EQ(zoom.view, WholeColorMap(W, H));
}

TEST(ColorMapView, ZoomingNearAnEdgeStaysInsideThePicture) {
    ColorMapView corner{W - 500, H - 357, W, H};
    const ColorMapZoom out = ZoomColorMapOut(corner, W, H);
    EXPECT_EQ(out.view.x1, W);
    EXPECT_EQ(out.view.y1, H);
    ExpectValid(out.view);
}

TEST(ColorMapView, DraggingStopsAtTheEdgesAndKeepsTheViewSize) {
    const ColorMapView start{400, 300, 800, 300 + 400 * H / W};
    // 100 pane pixels over a 900-pixel map area move a 400-pixel view by 44.
    const ColorMapView moved = PanColorMap(start, 500, 300, 400, 300, 900, 640, W, H);
    EXPECT_EQ(moved.x0, 444);
    EXPECT_EQ(moved.Width(), start.Width());
    const ColorMapView farLeft = PanColorMap(start, 0, 0, 5000, 5000, 900, 640, W, H);
    EXPECT_EQ(farLeft.x0, 0);
    EXPECT_EQ(farLeft.y0, 0);
    EXPECT_EQ(farLeft.Width(), start.Width());
    EXPECT_EQ(farLeft.Height(), start.Height());
    const ColorMapView farRight = PanColorMap(start, 5000, 5000, 0, 0, 900, 640, W, H);
    EXPECT_EQ(farRight.x1, W);
    EXPECT_EQ(farRight.y1, H);
    EXPECT_EQ(farRight.Width(), start.Width());
}

TEST(ColorMapView, TheZoomBufferHoldsTheWholePictureAtTheViewsScale) {
    const PixelRect area = ColorMapArea({0, 0, 934, 668});
    EXPECT_EQ(area, (PixelRect{18, 33, 916, 655}));
    const ColorMapView view{200, 100, 849, 100 + 649 * H / W};
    const ZoomBufferGeometry g = ComputeZoomBuffer(view, W, H, area.Width(), area.Height());
    EXPECT_EQ(g.width, area.Width() * W / view.Width());
    EXPECT_EQ(g.sourceX, g.width * 200 / W);
    EXPECT_EQ(g.sourceY, g.height * 100 / H);
}

TEST(ColorMapView, TheDialogFillsTheWorkAreaHeight) {
    const ColorMapDialogGeometry g = ComputeColorMapDialog({0, 0, 1366, 768}, W, H);
    EXPECT_EQ(g.pane, (PixelRect{174, 8, 174 + 668 * W / H, 8 + 668}));
    EXPECT_EQ(g.dialog.Height(), 748);
    EXPECT_EQ(g.dialog.Width(), g.pane.Width() + 182);
    EXPECT_EQ(g.dialog.top, 0);
    EXPECT_EQ(g.dialog.left, (1366 - g.dialog.Width()) / 2);
    EXPECT_EQ(g.prompt.top, g.pane.bottom + 12);
}

TEST(ColorMapView, ThePrintedPageUsesNinetyPercentOfTheHeightOrFitsTheWidth) {
    // A portrait pane fits the page's height.
    const ColorMapPrintGeometry tall = ComputeColorMapPrint(2480, 3508, 600, 800);
    EXPECT_EQ(tall.printed.Height(), static_cast<int>(3508 * 0.9));
    EXPECT_EQ(tall.printed.Width(), tall.printed.Height() * 600 / 800);
    EXPECT_EQ(tall.printed.left, (2480 - tall.printed.Width()) / 2);
    EXPECT_EQ(tall.scale, tall.printed.Width() / 600);
    EXPECT_EQ(tall.mapArea.top, tall.printed.Height() / 20);
    // A landscape pane at 0.9 of the height would be wider than the sheet: the width
    // fits instead, with the same proportions.
    const ColorMapPrintGeometry wide = ComputeColorMapPrint(2480, 3508, 934, 668);
    EXPECT_EQ(wide.printed.left, 0);
    EXPECT_EQ(wide.printed.Width(), 2480);
    EXPECT_EQ(wide.printed.Height(), 2480 * 668 / 934);
    EXPECT_EQ(wide.scale, 2);
}

} // namespace
} // namespace quorvane

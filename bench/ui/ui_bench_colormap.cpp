// The colour map viewer at a 1300 x 930 pane: a panning repaint from the zoom
// buffer, a zoom step (rebuilding the buffer) and a change of picture.
#include "colormap/colormap_view.h"
#include "colormap/dlg_color_map.h"
#include "ui/platform.h"
#include "ui_bench_kit.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace quorvane {
namespace {

// The dialog on the kit's pictures, sized for a work area that gives a pane of
// about 1300 x 930.
struct ColorMapBench {
    explicit ColorMapBench(Kit& kit) : map(kit.app->MapFolder()) {
        map.Pane()->resize(1300, 930);
        frame = QImage(map.Pane()->size(), QImage::Format_RGB32);
    }
    void Paint() {
        QPainter p(&frame);
        map.PanePaint(p);
        p.end();
        benchmark::DoNotOptimize(frame.constBits());
    }
    CDlgColorMap map;
    QImage frame;
};

void BM_ColorMapPanRepaint(benchmark::State& state) {
    Kit* kit = SharedKitOrSkip(state);
    if (kit == nullptr) {
        return;
    }
    ColorMapBench bench(*kit);
    bench.map.ZoomIn();
    bench.map.ZoomIn();
    bench.Paint(); // builds the zoom buffer once
    bench.map.PanePress({600, 400});
    int step = 0;
    for (auto _ : state) {
        bench.map.PaneMove({600 - (step % 200), 400 - (step % 120)});
        ++step;
        bench.Paint();
    }
    bench.map.PaneRelease({600, 400});
}
BENCHMARK(BM_ColorMapPanRepaint)->Unit(benchmark::kMillisecond);

void BM_ColorMapZoomStep(benchmark::State& state) {
    Kit* kit = SharedKitOrSkip(state);
    if (kit == nullptr) {
        return;
    }
    ColorMapBench bench(*kit);
    bool in = true;
    for (auto _ : state) {
        if (in) {
            bench.map.ZoomIn();
        } else {
            bench.map.ZoomOut();
        }
        in = !in;
        bench.Paint();
    }
}
BENCHMARK(BM_ColorMapZoomStep)->Unit(benchmark::kMillisecond);

void BM_ColorMapPictureChange(benchmark::State& state) {
    Kit* kit = SharedKitOrSkip(state);
    if (kit == nullptr) {
        return;
    }
    ColorMapBench bench(*kit);
    int period = 0;
    for (auto _ : state) {
        period = (period + 1) % kColorMapPeriodCount;
        bench.map.ChoosePeriod(period);
        bench.Paint();
    }
}
BENCHMARK(BM_ColorMapPictureChange)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvane

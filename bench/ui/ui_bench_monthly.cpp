// The monthly viewer: redrawing each chart kind at 1100 x 640 (scene and drawing)
// and switching site (file load and redraw).
#include "monthly/dlg_kalvera.h"
#include "monthly/monthly_graph_painter.h"
#include "ui/site_picker.h"
#include "ui_bench_kit.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace quorvane {
namespace {

struct NoPicker : SitePicker {
    std::optional<int> PickSite(QWidget*, bool) override { return std::nullopt; }
};

void RedrawMonthlyChart(benchmark::State& state, MonthlyDisplay display, MonthlyAngleMode mode) {
    Kit* shared = SharedKitOrSkip(state);
    if (shared == nullptr) {
        return;
    }
    Kit& kit = *shared;
    const CAmedasPoint& site = *kit.app->SiteAt(kit.site);
    auto record = std::make_unique<MonthlyRecord>();
    NullReporter quiet;
    if (LoadMonthlyData(kit.app->MonthlyFolder(), site.siteNumber, *record, quiet) !=
        LoadStatus::Ok) {
        state.SkipWithError("the kit's monthly file did not load");
        return;
    }
    MonthlyGraphInput in;
    in.record = record.get();
    in.loaded = true;
    in.siteFound = true;
    in.siteName = site.name;
    in.display = display;
    in.angleMode = mode;
    in.tiltDeg = 30;
    in.azimuthDeg = -45;
    in.month = 7;
    const GraphStyles styles = GraphStyles::Make(1, true);
    QImage image(1100, 640, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const MonthlyGraph graph = ComposeMonthlyGraph(in, {1100, 640, {}}, {});
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        PaintMonthlyGraph(p, graph.scene, graph.layout, styles);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_MonthlyByMonthRedraw(benchmark::State& state) {
    RedrawMonthlyChart(state, MonthlyDisplay::Month, MonthlyAngleMode::FixedTilt);
}
BENCHMARK(BM_MonthlyByMonthRedraw)->Unit(benchmark::kMillisecond);

void BM_MonthlyByOrientationRedraw(benchmark::State& state) {
    RedrawMonthlyChart(state, MonthlyDisplay::Orientation, MonthlyAngleMode::FixedAzimuth);
}
BENCHMARK(BM_MonthlyByOrientationRedraw)->Unit(benchmark::kMillisecond);

void BM_MonthlyOptimumRedraw(benchmark::State& state) {
    RedrawMonthlyChart(state, MonthlyDisplay::Orientation, MonthlyAngleMode::MonthlyOptimum);
}
BENCHMARK(BM_MonthlyOptimumRedraw)->Unit(benchmark::kMillisecond);

void BM_MonthlyVariationRedraw(benchmark::State& state) {
    RedrawMonthlyChart(state, MonthlyDisplay::Variation, MonthlyAngleMode::FixedTilt);
}
BENCHMARK(BM_MonthlyVariationRedraw)->Unit(benchmark::kMillisecond);

void BM_MonthlyViewerSiteSwitch(benchmark::State& state) {
    Kit* shared = SharedKitOrSkip(state);
    if (shared == nullptr) {
        return;
    }
    Kit& kit = *shared;
    NoPicker picker;
    kit.app->Selection().siteNumber = kit.app->SiteAt(kit.site)->siteNumber;
    kit.app->Selection().areaCode = kit.app->SiteAt(kit.site)->areaCode;
    CDlgKalvera viewer(*kit.app, picker);
    int item = 0;
    for (auto _ : state) {
        viewer.ChooseSite(item++ % 2);
        benchmark::DoNotOptimize(viewer.Scene().tooltips.size());
    }
}
BENCHMARK(BM_MonthlyViewerSiteSwitch)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvane

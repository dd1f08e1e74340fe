// The hourly viewer: redrawing the slope month graph (13 series, 31 x 24 x 13 slope
// evaluations, drawing included) and the horizontal month graph at 1100 x 640, and
// switching site (file load, rankings, redraw).
#include "hourly/dlg_graph.h"
#include "hourly/hourly_graph_painter.h"
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

void RedrawMonthGraph(benchmark::State& state, DataKind kind) {
    Kit* shared = SharedKitOrSkip(state);
    if (shared == nullptr) {
        return;
    }
    Kit& kit = *shared;
    const CAmedasPoint& site = *kit.app->SiteAt(kit.site);
    auto set = std::make_unique<HourlyDataSet>();
    NullReporter quiet;
    if (LoadHourlyData(*set, YearVariant::Average, site.siteNumber, kit.app->HourlyFolder(),
                       kit.app->MapFolder(), quiet) != LoadStatus::Ok) {
        state.SkipWithError("the kit's hourly file did not load");
        return;
    }
    HourlyGraphInput in;
    in.set = set.get();
    in.loaded = true;
    in.site = {true, site.longitudeDeg, site.latitudeDeg, site.elevationM};
    in.siteName = site.name;
    in.dataKind = kind;
    in.view = HourlyView::Month;
    in.tiltDeg = 30;
    in.month = 7;
    const GraphStyles styles = GraphStyles::Make(1, false);
    const GraphFrame frame = ScreenGraphFrame(1100, 640);
    QImage image(1100, 640, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const HourlyGraph graph = ComposeHourlyGraph(in, frame, {});
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        PaintHourlyGraph(p, graph.scene, graph.layout, styles);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_HourlySlopeMonthGraphRedraw(benchmark::State& state) {
    RedrawMonthGraph(state, DataKind::Slope);
}
BENCHMARK(BM_HourlySlopeMonthGraphRedraw)->Unit(benchmark::kMillisecond);

void BM_HourlyHorizontalMonthGraphRedraw(benchmark::State& state) {
    RedrawMonthGraph(state, DataKind::Horizontal);
}
BENCHMARK(BM_HourlyHorizontalMonthGraphRedraw)->Unit(benchmark::kMillisecond);

void BM_HourlyViewerSiteSwitch(benchmark::State& state) {
    Kit* shared = SharedKitOrSkip(state);
    if (shared == nullptr) {
        return;
    }
    Kit& kit = *shared;
    NoPicker picker;
    kit.app->Selection().siteNumber = kit.app->SiteAt(kit.site)->siteNumber;
    kit.app->Selection().areaCode = kit.app->SiteAt(kit.site)->areaCode;
    CDlgGraph viewer(*kit.app, picker);
    int item = 0;
    for (auto _ : state) {
        viewer.ChooseSite(item++ % 2);
        benchmark::DoNotOptimize(viewer.Scene().tooltips.size());
    }
}
BENCHMARK(BM_HourlyViewerSiteSwitch)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvane

// The site selection map on a generated kit of 120 sites: a hover redraw of the
// overlay on an area map with its clipped outlines, one slide step, and opening a
// sheet (picture, mesh layer, lists).
#include "app/app_data.h"
#include "map/dlg_map.h"
#include "map/map_pictures.h"
#include "map/mesh_code.h"
#include "ui_bench_kit.h"

#include <QPainter>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

namespace quorvane {
namespace {

void BM_MapHoverRedrawWithClippedOutline(benchmark::State& state) {
    Kit* shared = SharedKitOrSkip(state);
    if (shared == nullptr) {
        return;
    }
    Kit& kit = *shared;
    const CAmedasPoint& site = *kit.app->SiteAt(kit.site);
    kit.app->Selection().siteNumber = site.siteNumber;
    kit.app->Selection().areaCode = site.areaCode;
    CDlgMap dialog(*kit.app, kit.app->Outlines());
    dialog.Model().SetBalloon(false);
    // Open the block map: hovering there draws the area outline clipped to the view.
    dialog.Model().OpenBlock(kit.app->MapInfoAt(site.areaCode)->parentCode);
    dialog.RefreshFromModel();
    const PixelPoint at = GeoToPixel({site.longitudeDeg, site.latitudeDeg}, dialog.Model().View(),
                                     dialog.Model().Inner());
    int k = 0;
    for (auto _ : state) {
        dialog.PaneMouseMove(QPoint(at.x + (k++ & 7), at.y));
        benchmark::DoNotOptimize(dialog.PaneImage().constBits());
    }
}
BENCHMARK(BM_MapHoverRedrawWithClippedOutline)->Unit(benchmark::kMillisecond);

void BM_MapSlideStep(benchmark::State& state) {
    Kit* shared = SharedKitOrSkip(state);
    if (shared == nullptr) {
        return;
    }
    Kit& kit = *shared;
    const CAmedasPoint& site = *kit.app->SiteAt(kit.site);
    CDlgMap dialog(*kit.app, kit.app->Outlines());
    const int sheet = GetMapSheetCode(site.longitudeDeg, site.latitudeDeg);
    int direction = -1;
    for (auto _ : state) {
        state.PauseTiming();
        if (!dialog.Model().Sliding()) {
            dialog.Model().OpenSheet(sheet);
            dialog.RefreshFromModel();
            for (int d = 0; d < 4 && direction < 0; ++d) {
                if (SheetPictureExists(kit.app->MapFolder(), dialog.Model().NeighbourSheet(
                                                                 static_cast<ArrowDirection>(d)))) {
                    direction = d;
                }
            }
            if (direction < 0 || !dialog.StartSlide(static_cast<ArrowDirection>(direction))) {
                state.SkipWithError("no neighbour sheet with a picture");
                return;
            }
        }
        state.ResumeTiming();
        dialog.SlideTick();
        benchmark::DoNotOptimize(dialog.PaneImage().constBits());
    }
}
BENCHMARK(BM_MapSlideStep)->Unit(benchmark::kMillisecond);

void BM_MapOpenSheet(benchmark::State& state) {
    Kit* shared = SharedKitOrSkip(state);
    if (shared == nullptr) {
        return;
    }
    Kit& kit = *shared;
    const CAmedasPoint& site = *kit.app->SiteAt(kit.site);
    CDlgMap dialog(*kit.app, kit.app->Outlines());
    const int sheet = GetMapSheetCode(site.longitudeDeg, site.latitudeDeg);
    for (auto _ : state) {
        dialog.Model().OpenSheet(sheet);
        dialog.RefreshFromModel();
        benchmark::DoNotOptimize(dialog.PaneImage().constBits());
    }
    state.counters["meshes"] = dialog.Model().Meshes().size();
}
BENCHMARK(BM_MapOpenSheet)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvane

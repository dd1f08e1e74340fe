// The energy yield: one site by both methods (files read and computed), the
// optimum scan of one site, and every site of a full catalogue. The last needs the
// sample kit of `bash tools/run` (or QUORVANE_BENCH_KIT naming a kit's folder).
#include "map/map_pictures.h"
#include "national/national_painter.h"
#include "ui/image.h"
#include "ui/text.h"
#include "ui_bench_kit.h"
#include "yield/dlg_yield.h"
#include "yield/site_yield.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace quorvane {
namespace {

YieldSources SourcesOf(const std::filesystem::path& program) {
    return {(program / "data").string(), (program / "HORIX-11").string(),
            (program / "KALVERA-11").string()};
}

void BM_YieldOneSiteBothMethods(benchmark::State& state) {
    Kit* kit = SharedKitOrSkip(state);
    if (kit == nullptr) {
        return;
    }
    const YieldSources sources = SourcesOf(kit->dir->path() / "program");
    const CAmedasPoint& site = *kit->app->SiteAt(kit->site);
    for (auto _ : state) {
        NullReporter quiet;
        const YieldSiteData data = LoadYieldSiteData(sources, site, quiet);
        benchmark::DoNotOptimize(CompareYields(data, {30, 0}, HourlyArray{}, MonthlyArray{}));
    }
}
BENCHMARK(BM_YieldOneSiteBothMethods)->Unit(benchmark::kMillisecond);

void BM_YieldOptimumScan(benchmark::State& state) {
    Kit* kit = SharedKitOrSkip(state);
    if (kit == nullptr) {
        return;
    }
    NullReporter quiet;
    const YieldSiteData data = LoadYieldSiteData(SourcesOf(kit->dir->path() / "program"),
                                                 *kit->app->SiteAt(kit->site), quiet);
    for (auto _ : state) {
        WorkProgress progress;
        benchmark::DoNotOptimize(
            ScanOrientations(*data.years[0], HourlyArray{}, progress, WorkerThreads()));
    }
}
BENCHMARK(BM_YieldOptimumScan)->Unit(benchmark::kMillisecond)->UseRealTime();

// The sample kit's sources, catalogue and area tables.
struct FullCatalogue {
    explicit FullCatalogue(const std::filesystem::path& kit)
        : sources(SourcesOf(kit)), areas(std::make_unique<MapInfoTable>()) {
        LoadSiteTable(sources.mapFolder, sites);
        for (int level = 0; level < 3; ++level) {
            LoadAreaTable(sources.mapFolder, level, *areas);
        }
    }
    YieldSources sources;
    std::vector<CAmedasPoint> sites;
    std::unique_ptr<MapInfoTable> areas;
};

// The full catalogue of the sample kit (or of QUORVANE_BENCH_KIT), or nothing with
// the benchmark skipped.
std::unique_ptr<FullCatalogue> FullCatalogueOrSkip(benchmark::State& state) {
    const char* named = std::getenv("QUORVANE_BENCH_KIT");
    const std::filesystem::path kit = named != nullptr ? named : QUORVANE_SAMPLE_KIT;
    if (!std::filesystem::exists(kit / "data")) {
        state.SkipWithError("no sample kit: run bash tools/run or set QUORVANE_BENCH_KIT");
        return nullptr;
    }
    return std::make_unique<FullCatalogue>(kit);
}

void BM_YieldEverySiteHourly(benchmark::State& state) {
    const std::unique_ptr<FullCatalogue> full = FullCatalogueOrSkip(state);
    if (!full) {
        return;
    }
    const YieldSources& sources = full->sources;
    const std::vector<CAmedasPoint>& sites = full->sites;
    for (auto _ : state) {
        WorkProgress progress;
        benchmark::DoNotOptimize(
            ComputeEverySiteYield(sources, sites, YieldRequest{}, progress, WorkerThreads()));
    }
    state.counters["sites"] = static_cast<double>(sites.size());
}
BENCHMARK(BM_YieldEverySiteHourly)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

// The national map of a full catalogue, every site computed from its files.
void NationalQuantityOfEverySite(benchmark::State& state, NationalQuantity quantity) {
    const std::unique_ptr<FullCatalogue> full = FullCatalogueOrSkip(state);
    if (!full) {
        return;
    }
    const YieldSources& sources = full->sources;
    const std::vector<CAmedasPoint>& sites = full->sites;
    const MapInfoTable& areas = *full->areas;
    NationalRequest request;
    request.quantity = quantity;
    for (auto _ : state) {
        WorkProgress progress;
        benchmark::DoNotOptimize(
            ComputeNationalMap(sources, sites, areas, request, progress, WorkerThreads()));
    }
}

void BM_NationalPlaneIrradiation(benchmark::State& state) {
    NationalQuantityOfEverySite(state, NationalQuantity::Poa);
}
BENCHMARK(BM_NationalPlaneIrradiation)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

void BM_NationalHourlyYield(benchmark::State& state) {
    NationalQuantityOfEverySite(state, NationalQuantity::Yield);
}
BENCHMARK(BM_NationalHourlyYield)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

// What a hover costs: the map picture as drawn once, then every marker over it, on the
// full catalogue of the sample kit.
void BM_NationalMarkerLayerRedraw(benchmark::State& state) {
    const std::unique_ptr<FullCatalogue> full = FullCatalogueOrSkip(state);
    if (!full) {
        return;
    }
    const YieldSources& sources = full->sources;
    const std::vector<CAmedasPoint>& sites = full->sites;
    const MapInfoTable& areas = *full->areas;
    NationalRequest request;
    request.quantity = NationalQuantity::OptimumTilt; // quick to compute: the pictures count
    WorkProgress progress;
    const NationalMap map =
        ComputeNationalMap(sources, sites, areas, request, progress, WorkerThreads());
    const NationalLayout layout = ComposeNationalLayout(map, 0, (areas)[0].bounds, "全国");
    const QImage picture = LoadPictureFile(ToQString(MapPicturePath(sources.mapFolder, 0)));
    QImage base(kNationalWidth, kNationalHeight, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&base);
        PaintNationalBase(p, layout, picture);
    }
    QImage screen(base.size(), base.format());
    std::size_t hovered = 0;
    for (auto _ : state) {
        QPainter p(&screen);
        p.drawImage(0, 0, base);
        PaintNationalMarkers(p, layout, hovered++ % layout.markers.size(), 0);
    }
    state.counters["markers"] = static_cast<double>(layout.markers.size());
}
BENCHMARK(BM_NationalMarkerLayerRedraw)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvane

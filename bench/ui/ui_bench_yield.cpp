// The energy yield: one site by both methods (files read and computed), the
// optimum scan of one site, and every site of a full catalogue. The last needs the
// sample kit of `bash tools/run` (or QUORVANE_BENCH_KIT naming a kit's folder).
#include "ui_bench_kit.h"
#include "yield/dlg_yield.h"
#include "yield/site_yield.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

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

// The full catalogue of a kit folder, or nothing.
std::filesystem::path FullKit() {
    const char* named = std::getenv("QUORVANE_BENCH_KIT");
    const std::filesystem::path kit = named != nullptr ? named : QUORVANE_SAMPLE_KIT;
    return std::filesystem::exists(kit / "data") ? kit : std::filesystem::path();
}

void BM_YieldEverySiteHourly(benchmark::State& state) {
    const std::filesystem::path kit = FullKit();
    if (kit.empty()) {
        state.SkipWithError("no sample kit: run bash tools/run or set QUORVANE_BENCH_KIT");
        return;
    }
    const YieldSources sources = SourcesOf(kit);
    std::vector<CAmedasPoint> sites;
    LoadSiteTable(sources.mapFolder, sites);
    for (auto _ : state) {
        WorkProgress progress;
        benchmark::DoNotOptimize(
            ComputeEverySiteYield(sources, sites, YieldRequest{}, progress, WorkerThreads()));
    }
    state.counters["sites"] = static_cast<double>(sites.size());
}
BENCHMARK(BM_YieldEverySiteHourly)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace
} // namespace quorvane

#include "kit.h"

#include "catalogue.h"
#include "colormaps.h"
#include "databases.h"
#include "geography.h"
#include "meshes.h"
#include "data/parallel.h"
#include "pictures.h"
#include "search_tables.h"
#include "sites.h"
#include "weather.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace quorvane::datakit {
namespace {

class StepTimer {
public:
    explicit StepTimer(bool verbose) : verbose_(verbose), last_(Clock::now()) {}
    void Done(const char* what) {
        const auto now = Clock::now();
        if (verbose_) {
            std::fprintf(stderr, "  %-28s %6.2f s\n", what,
                         std::chrono::duration<double>(now - last_).count());
        }
        last_ = now;
    }

private:
    using Clock = std::chrono::steady_clock;
    bool verbose_;
    Clock::time_point last_;
};

// Both databases: three hourly files and one monthly file per site.
std::vector<MonthlySummary> WriteDatabases(const std::vector<Site>& sites,
                                           const KitOptions& options) {
    std::vector<MonthlySummary> summaries(sites.size());
    ParallelFor(static_cast<int>(sites.size()), options.threads, [&](int i) {
        const Site& site = sites[static_cast<std::size_t>(i)];
        const SiteWeather weather = PrepareSiteWeather(site, options.seed);
        std::unique_ptr<HourlyYear> years[3];
        for (int v = 0; v < 3; ++v) {
            const auto variant = static_cast<YearVariant>(v);
            years[v] = std::make_unique<HourlyYear>();
            SimulateYear(site, weather, options.seed, variant, *years[v]);
            if (!options.databases) {
                continue;
            }
            WriteFile(options.paths.Hourly() / HourlyRelativePath(variant, site.number),
                      EncodeHourlyFile(site, variant, *years[v]));
        }
        const std::string monthly = EncodeMonthlyFile(site, *years[0], *years[1], *years[2],
                                                      &summaries[static_cast<std::size_t>(i)]);
        if (options.databases) {
            WriteFile(options.paths.Monthly() / Format("m%05d", site.number), monthly);
        }
    });
    return summaries;
}

} // namespace

void GenerateKit(const KitOptions& options) {
    StepTimer timer(options.verbose);
    const Geography geo = BuildGeography(ReadJapanMapdata(options.mapdataFolder));
    timer.Done("geography");
    WriteMapCatalogue(geo, options.paths);
    timer.Done("map catalogue");
    const CoastIndex coast(geo);
    const std::vector<Site> sites = PlaceSites(geo, coast, options.seed, options.siteCount);
    WriteSiteTables(sites, options.paths);
    timer.Done("sites");
    const std::vector<MonthlySummary> summaries = WriteDatabases(sites, options);
    timer.Done("databases");
    std::vector<LandMesh> meshes = FindLandMeshes(geo);
    AssignSites(meshes, sites);
    WriteMeshTables(meshes, sites, options.paths);
    timer.Done("mesh tables");
    WriteMapPictures(geo, SheetsWithLand(meshes), options.paths, options.threads);
    timer.Done("map pictures");
    WriteSearchTables(geo, options.seed, options.paths);
    timer.Done("search tables");
    WriteColourMaps(geo, sites, summaries, options.paths, options.threads);
    timer.Done("colour maps");
}

} // namespace quorvane::datakit

#include "cli/weather_export.h"

#include "cli/hourly_source.h"
#include "data/file_io.h"
#include "data/site_catalogue.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace quorvane::cli {

namespace {

constexpr int kProgressEvery = 50;

int UsageError(const char* usage, const std::string& error) {
    return ReportUsageError("export", usage, error);
}

} // namespace

std::optional<WeatherFormat> WeatherFormatNamed(const std::string& name) {
    if (name == "epw") {
        return WeatherFormat::Epw;
    }
    if (name == "sam") {
        return WeatherFormat::Sam;
    }
    if (name == "tmy3") {
        return WeatherFormat::Tmy3;
    }
    return std::nullopt;
}

int RunWeatherExport(const Arguments& args, WeatherFormat format, const char* usage) {
    std::string error;
    const bool all = args.Has("all");
    HourlySource source;
    if (all == args.Has("site")) {
        return UsageError(usage, "give either --site or --all");
    }
    if (!ReadHourlySource(args, source, error, false)) {
        return UsageError(usage, error);
    }
    if (args.Get("period") != "year") {
        return UsageError(usage, "weather files hold the whole year: use --period year");
    }
    for (const char* key : {"slope", "month", "day", "mode", "tilt", "azimuth", "step"}) {
        if (args.Has(key)) {
            return UsageError(usage, std::string("--") + key + " does not apply to weather files");
        }
    }
    const auto output = args.Get("output");
    const auto outputDir = args.Get("output-dir");
    if (output.has_value() == outputDir.has_value() || (all && output)) {
        return UsageError(usage, all ? "--all writes into --output-dir"
                                     : "give either --output or --output-dir");
    }

    std::vector<CAmedasPoint> sites;
    if (LoadSiteTable(source.dataRoot, sites) != LoadStatus::Ok) {
        PrintMessage("地点一覧が読み込めません。");
        return kExitFailure;
    }
    std::vector<int> indexes;
    if (all) {
        for (int i = 0; i < static_cast<int>(sites.size()); ++i) {
            indexes.push_back(i);
        }
    } else {
        const int index = FindSiteIndex(sites, source.siteNumber);
        if (index < 0) {
            // The file needs the site's position, which only the catalogue has.
            PrintMessage(
                "地点一覧にこの地点がないため、気象データファイルを出力できませんでした。");
            return kExitFailure;
        }
        indexes.push_back(index);
    }

    const auto start = std::chrono::steady_clock::now();
    auto set = std::make_unique<HourlyDataSet>();
    bool ok = true;
    const int total = static_cast<int>(indexes.size());
    for (int n = 0; n < total; ++n) {
        const CAmedasPoint& site = sites[static_cast<std::size_t>(indexes[n])];
        source.siteNumber = site.siteNumber;
        if (LoadHourlySource(source, *set) != LoadStatus::Ok) {
            ok = false; // the loader said why; nothing is written for this site
            continue;
        }
        const std::string path =
            output ? *output
                   : JoinPath(*outputDir,
                              DefaultWeatherFileName(format, site.siteNumber, source.yearVariant));
        if (WriteWeatherFile(path, format, BuildWeatherYear(*set, site), site,
                             source.yearVariant) != WeatherWriteStatus::Completed) {
            PrintMessage("ファイルに書き込めませんでした: " + path);
            ok = false;
        }
        if (total > kProgressEvery && ((n + 1) % kProgressEvery == 0 || n + 1 == total)) {
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::fprintf(stderr, "export: %d / %d sites, %.1f s\n", n + 1, total, seconds);
        }
    }
    return ok ? kExitOk : kExitFailure;
}

} // namespace quorvane::cli

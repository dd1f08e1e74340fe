#include "cli/weather_export.h"

#include "cli/hourly_source.h"
#include "data/file_io.h"
#include "data/program_inputs.h"
#include "data/site_catalogue.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace quorvane::cli {

namespace {

constexpr int kProgressEvery = 50;

int UsageError(const char* usage, const std::string& error) {
    return ReportUsageError("export", usage, error);
}

} // namespace

std::optional<std::vector<WeatherFormat>> WeatherFormatsNamed(const std::string& text) {
    std::vector<WeatherFormat> formats;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string name = text.substr(start, comma - start);
        if (name == "epw") {
            formats.push_back(WeatherFormat::Epw);
        } else if (name == "sam") {
            formats.push_back(WeatherFormat::Sam);
        } else if (name == "tmy3") {
            formats.push_back(WeatherFormat::Tmy3);
        } else {
            return std::nullopt;
        }
        start = comma + 1;
    }
    return formats;
}

namespace {

// Writes the files of one site; false (said on stderr) when something failed.
bool ExportSite(const HourlySource& base, const CAmedasPoint& site,
                const std::vector<WeatherFormat>& formats, const std::optional<std::string>& output,
                const std::optional<std::string>& outputDir, HourlyDataSet& set) {
    if (!site.positionValid) {
        PrintMessage("地点 " + std::to_string(site.siteNumber) +
                     " の緯度経度が正しくないため、気象データファイルを出力できませんでした。");
        return false;
    }
    HourlySource source = base;
    source.siteNumber = site.siteNumber;
    if (LoadHourlySource(source, set) != LoadStatus::Ok) {
        return false; // the loader said why; nothing is written for this site
    }
    const std::vector<WeatherHour> hours = BuildWeatherYear(set, site);
    bool ok = true;
    for (const WeatherFormat format : formats) {
        const std::string path =
            output ? *output
                   : JoinPath(*outputDir,
                              DefaultWeatherFileName(format, site.siteNumber, source.yearVariant));
        const WriteStatus status = WriteWeatherFile(path, format, hours, site, source.yearVariant);
        if (status == WriteStatus::TargetIsInput) {
            PrintMessage(path + ": " + kTargetIsInputMessage);
            ok = false;
        } else if (status != WriteStatus::Completed) {
            PrintMessage("ファイルに書き込めませんでした: " + path);
            ok = false;
        }
    }
    return ok;
}

} // namespace

int RunWeatherExport(const Arguments& args, const std::vector<WeatherFormat>& formats,
                     const char* usage) {
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
    if (output.has_value() == outputDir.has_value() || (output && (all || formats.size() > 1))) {
        return UsageError(usage, output ? "several files go into --output-dir"
                                        : "give either --output or --output-dir");
    }

    std::vector<CAmedasPoint> sites;
    if (LoadSiteTable(source.dataRoot, sites) != LoadStatus::Ok) {
        PrintMessage("地点一覧が読み込めません。");
        return kExitFailure;
    }
    if (!all) {
        const int index = FindSiteIndex(sites, source.siteNumber);
        if (index < 0) {
            // The file needs the site's position, which only the catalogue has.
            PrintMessage(
                "地点一覧にこの地点がないため、気象データファイルを出力できませんでした。");
            return kExitFailure;
        }
        auto set = std::make_unique<HourlyDataSet>();
        return ExportSite(source, sites[static_cast<std::size_t>(index)], formats, output,
                          outputDir, *set)
                   ? kExitOk
                   : kExitFailure;
    }

    // Every site: the sites are shared out among the processors.
    const auto start = std::chrono::steady_clock::now();
    const int total = static_cast<int>(sites.size());
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<bool> ok{true};
    std::mutex progress;
    const auto work = [&] {
        auto set = std::make_unique<HourlyDataSet>();
        for (int n = next++; n < total; n = next++) {
            if (!ExportSite(source, sites[static_cast<std::size_t>(n)], formats, output, outputDir,
                            *set)) {
                ok = false;
            }
            const int finished = ++done;
            if (finished % kProgressEvery == 0 || finished == total) {
                const std::lock_guard<std::mutex> lock(progress);
                const double seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                std::fprintf(stderr, "export: %d / %d sites, %.1f s\n", finished, total, seconds);
            }
        }
    };
    const unsigned workers = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned i = 1; i < workers; ++i) {
        threads.emplace_back(work);
    }
    work();
    for (std::thread& thread : threads) {
        thread.join();
    }
    return ok ? kExitOk : kExitFailure;
}

} // namespace quorvane::cli

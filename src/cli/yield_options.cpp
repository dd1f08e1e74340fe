#include "cli/yield_options.h"

#include "data/atomic_file.h"
#include "data/settings.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace quorvane::cli {

bool ReadHourlyArray(const Arguments& args, HourlyArray& array, std::string& error) {
    return args.GetDouble("kw", array.ratingKw, error) &&
           args.GetDouble("gamma", array.gammaPctPerK, error) &&
           args.GetDouble("u0", array.u0, error) && args.GetDouble("u1", array.u1, error) &&
           args.GetDouble("losses", array.lossesPct, error) &&
           args.GetDouble("inverter", array.inverterPct, error) &&
           args.GetDouble("dc-ac", array.dcAcRatio, error);
}

bool ReadMonthlyArray(const Arguments& args, MonthlyArray& array, std::string& error) {
    if (const auto mounting = args.Get("mounting")) {
        const std::optional<Mounting> named = MountingNamed(*mounting);
        if (!named) {
            error = "--mounting must be rack, roof or integrated, not '" + *mounting + "'";
            return false;
        }
        array.mounting = *named;
    }
    return args.GetDouble("kw", array.ratingKw, error) &&
           args.GetDouble("alpha", array.alphaPctPerK, error) &&
           args.GetDouble("k-hd", array.kHd, error) && args.GetDouble("k-pd", array.kPd, error) &&
           args.GetDouble("k-pa", array.kPa, error) && args.GetDouble("k-pm", array.kPm, error) &&
           args.GetDouble("eta-ino", array.etaIno, error);
}

YieldSources ReadYieldSources(const Arguments& args) {
    const AppLocations locations = AppLocations::FromEnvironment();
    const DataFolders folders = ReadDataFolders(locations.SettingsFile());
    return {args.Get("data-root").value_or(locations.MapFolder()),
            args.Get("hourly").value_or(folders.hourly),
            args.Get("kalvera").value_or(folders.monthly)};
}

bool WriteOrSay(const std::string& path, std::string_view bytes) {
    const WriteStatus status = WriteAtomically(path, bytes);
    if (status != WriteStatus::Completed) {
        PrintMessage(WriteStatusMessage(status));
        return false;
    }
    return true;
}

namespace {

void ShowProgress(const char* command, const char* what, int done, int total,
                  std::chrono::steady_clock::time_point start) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "%s: %s %d / %d, %.1f s\n", command, what, done, total, seconds);
}

} // namespace

void WithProgress(const char* command, const char* what, WorkProgress& progress,
                  const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work();
        finished = true;
    });
    int shown = -1;
    auto next = start + std::chrono::seconds(1);
    while (!finished) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const int done = progress.done;
        if (done != shown && std::chrono::steady_clock::now() >= next) {
            ShowProgress(command, what, done, progress.total, start);
            shown = done;
            next += std::chrono::seconds(1);
        }
    }
    worker.join();
    if (progress.done != shown) {
        ShowProgress(command, what, progress.done, progress.total, start);
    }
}

} // namespace quorvane::cli

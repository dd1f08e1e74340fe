#include "cli/command.h"
#include "cli/yield_options.h"
#include "data/atomic_file.h"
#include "data/file_io.h"
#include "data/monthly_file.h"
#include "data/settings.h"
#include "yield/site_yield.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli yield [--data-root DIR] [--hourly DIR] [--kalvera DIR] --site N\n"
    "    --method hourly|monthly [--variant 0|1|2] --tilt T --azimuth A [--kw P]\n"
    "    [--gamma G --u0 U --u1 U --losses L --inverter E --dc-ac R]      (hourly)\n"
    "    [--mounting rack|roof|integrated --alpha A --k-hd K --k-pd K --k-pa K --k-pm K\n"
    "     --eta-ino E]                                                   (monthly)\n"
    "    (--json FILE | --csv FILE)\n"
    "quorvane-cli yield --all --output-dir DIR --method M --tilt T --azimuth A [...]\n"
    "quorvane-cli yield --optimum --site N [--variant V] [hourly options] [--csv FILE]\n"
    "    [--json FILE]\n"
    "    the energy of a PV array of P kW (default 4) over the standard year, on a plane\n"
    "    of tilt 0..90 and azimuth -180..359 (0 south, positive west). The monthly\n"
    "    method uses the stored plane nearest to it (tilt by 10, azimuth by 15) and\n"
    "    reports that plane. --all writes yield_<method>.csv with every site; --optimum\n"
    "    scans tilt 0..90 by 1 and azimuth -90..90 by 5 with the hourly method, prints\n"
    "    the best orientation and writes the grid to --csv";

int UsageError(const std::string& error) {
    return ReportUsageError("yield", kUsage, error);
}

// Input that cannot be used: said, and nothing written.
int Refuse(std::string_view message) {
    std::fprintf(stderr, "quorvane-cli yield: %.*s\n", static_cast<int>(message.size()),
                 message.data());
    return kExitFailure;
}

bool InRange(int value, int low, int high, const char* key, std::string& error) {
    if (value >= low && value <= high) {
        return true;
    }
    error =
        std::string("--") + key + " must be " + std::to_string(low) + ".." + std::to_string(high);
    return false;
}

// The request's values; false with the reason when one is malformed or out of range.
bool ReadRequest(const Arguments& args, YieldRequest& request, std::string& error) {
    static constexpr std::array<const char*, 2> kMethods{"hourly", "monthly"};
    int method = 0;
    if (!ReadNamedIndex(args, "method", kMethods, method, error) ||
        !args.GetInt("tilt", request.tiltDeg, error) ||
        !args.GetInt("azimuth", request.azimuthDeg, error) ||
        !InRange(request.tiltDeg, 0, 90, "tilt", error) ||
        !InRange(request.azimuthDeg, -180, 359, "azimuth", error) ||
        !ReadHourlyArray(args, request.hourly, error) ||
        !ReadMonthlyArray(args, request.monthly, error)) {
        return false;
    }
    request.method = static_cast<YieldMethod>(method);
    const auto problem = request.method == YieldMethod::Hourly
                             ? HourlyArrayProblem(request.hourly)
                             : MonthlyArrayProblem(request.monthly);
    if (problem) {
        error = *problem;
        return false;
    }
    return true;
}

struct YieldCommand {
    YieldSources sources;
    std::vector<CAmedasPoint> sites;
    YieldRequest request;
    YearVariant variant = YearVariant::Average;
    int siteIndex = -1;
};

int RunEverySite(const Arguments& args, const YieldCommand& command) {
    const auto folder = args.Get("output-dir");
    if (!folder) {
        return UsageError("--all needs --output-dir");
    }
    std::error_code made;
    std::filesystem::create_directories(*folder, made);
    WorkProgress progress;
    std::vector<SiteYield> rows;
    WithProgress("yield", "sites", progress, [&] {
        rows = ComputeEverySiteYield(command.sources, command.sites, command.request, progress,
                                     WorkerThreads());
    });
    const bool hourly = command.request.method == YieldMethod::Hourly;
    const std::string path =
        (std::filesystem::path(*folder) / (hourly ? "yield_hourly.csv" : "yield_monthly.csv"))
            .string();
    bool ok = WriteOrSay(path, EverySiteYieldCsv(rows, command.request.method));
    for (const SiteYield& row : rows) {
        if (!row.problem.empty()) {
            std::fprintf(stderr, "site %05d: %s\n", row.siteNumber, row.problem.c_str());
            ok = false;
        }
    }
    return ok ? kExitOk : kExitFailure;
}

YieldCase CaseOf(const YieldCommand& command, int tiltDeg, int azimuthDeg) {
    const YieldRequest& request = command.request;
    const bool hourly = request.method == YieldMethod::Hourly;
    if (!hourly) {
        const MonthlyPlane plane = SnapToMonthlyPlane(tiltDeg, azimuthDeg);
        tiltDeg = plane.tiltDeg;
        azimuthDeg = plane.azimuthDeg;
    }
    return {command.sites[static_cast<std::size_t>(command.siteIndex)].siteNumber,
            request.method,
            command.variant,
            tiltDeg,
            azimuthDeg,
            hourly ? request.hourly.ratingKw : request.monthly.ratingKw};
}

// The chosen outputs of one result.
int WriteResult(const Arguments& args, const YieldCase& yieldCase, const YieldResult& result) {
    bool ok = true;
    if (const auto json = args.Get("json")) {
        ok = WriteOrSay(*json, YieldJson(yieldCase, result));
    }
    if (const auto csv = args.Get("csv"); csv && ok) {
        ok = WriteOrSay(*csv, YieldCsv(result));
    }
    return ok ? kExitOk : kExitFailure;
}

std::optional<YieldYear> LoadYear(const YieldCommand& command) {
    auto scratch = std::make_unique<HourlyDataSet>();
    StderrReporter reporter;
    return LoadYieldYear(command.sources,
                         command.sites[static_cast<std::size_t>(command.siteIndex)],
                         command.variant, *scratch, reporter);
}

int RunOptimum(const Arguments& args, const YieldCommand& command) {
    if (command.request.method != YieldMethod::Hourly) {
        return UsageError("--optimum scans with the hourly method");
    }
    const std::optional<YieldYear> year = LoadYear(command);
    if (!year) {
        return kExitFailure;
    }
    WorkProgress progress;
    OrientationScan scan;
    WithProgress("yield", "tilts", progress, [&] {
        scan = ScanOrientations(*year, command.request.hourly, progress, WorkerThreads());
    });
    std::string out = "optimum tilt " + std::to_string(scan.best.tiltDeg) + " azimuth " +
                      std::to_string(scan.best.azimuthDeg) + " annual_kwh " +
                      ExactDecimal(scan.best.annualKwh) + "\n";
    if (const auto csv = args.Get("csv"); csv && !WriteOrSay(*csv, OrientationScanCsv(scan))) {
        return kExitFailure;
    }
    if (const auto json = args.Get("json")) {
        const YieldResult best =
            HourlyYield(*year, scan.best.tiltDeg, scan.best.azimuthDeg, command.request.hourly);
        if (!WriteOrSay(
                *json, YieldJson(CaseOf(command, scan.best.tiltDeg, scan.best.azimuthDeg), best))) {
            return kExitFailure;
        }
    }
    return WriteOutput("yield", out);
}

int RunOneSite(const Arguments& args, const YieldCommand& command) {
    if (!args.Has("json") && !args.Has("csv")) {
        return UsageError("--json FILE or --csv FILE is required");
    }
    const YieldRequest& request = command.request;
    if (request.method == YieldMethod::Monthly) {
        auto record = std::make_unique<MonthlyRecord>();
        StderrReporter reporter;
        const int siteNumber =
            command.sites[static_cast<std::size_t>(command.siteIndex)].siteNumber;
        if (LoadMonthlyData(command.sources.monthlyFolder, siteNumber, *record, reporter) !=
            LoadStatus::Ok) {
            return kExitFailure;
        }
        return WriteResult(
            args, CaseOf(command, request.tiltDeg, request.azimuthDeg),
            MonthlyYield(*record, request.tiltDeg, request.azimuthDeg, request.monthly));
    }
    const std::optional<YieldYear> year = LoadYear(command);
    if (!year) {
        return kExitFailure;
    }
    return WriteResult(args, CaseOf(command, request.tiltDeg, request.azimuthDeg),
                       HourlyYield(*year, request.tiltDeg, request.azimuthDeg, request.hourly));
}

// Where the data are, the catalogue and the site; false with the reason.
bool ReadSources(const Arguments& args, YieldCommand& command, std::string& error) {
    command.sources = ReadYieldSources(args);
    StderrReporter reporter;
    if (LoadSiteTable(command.sources.mapFolder, command.sites, reporter) != LoadStatus::Ok) {
        error = "the site table of " + command.sources.mapFolder + " cannot be read";
        return false;
    }
    if (args.Has("all")) {
        return true;
    }
    int siteNumber = 0;
    if (!args.GetInt("site", siteNumber, error)) {
        return false;
    }
    command.siteIndex = FindSiteIndex(command.sites, siteNumber);
    if (command.siteIndex < 0) {
        error = "site " + std::to_string(siteNumber) + " is not in the catalogue";
        return false;
    }
    return true;
}

int RunYield(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseOptionsOnly(argc, argv, {"all", "optimum"}, args, error)) {
        return UsageError(error);
    }
    const bool optimum = args.Has("optimum");
    if (!args.Has("method") && !optimum) {
        return UsageError("--method is required");
    }
    if (!args.Has("all") && !args.Has("site")) {
        return UsageError("--site is required");
    }
    if (!optimum && (!args.Has("tilt") || !args.Has("azimuth"))) {
        return UsageError("--tilt and --azimuth are required");
    }
    YieldCommand command;
    int variant = 0;
    if (!ReadRequest(args, command.request, error) ||
        !ReadNamedIndex(args, "variant", kVariantNames, variant, error) ||
        !ReadSources(args, command, error)) {
        return Refuse(error);
    }
    command.variant = static_cast<YearVariant>(variant);
    if (args.Has("all")) {
        return RunEverySite(args, command);
    }
    return optimum ? RunOptimum(args, command) : RunOneSite(args, command);
}

const CommandRegistration kRegistration({"yield", kUsage, &RunYield});

} // namespace

} // namespace quorvane::cli

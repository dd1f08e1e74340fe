#include "cli/command.h"
#include "cli/hourly_source.h"
#include "cli/weather_export.h"
#include "data/file_io.h"
#include "data/site_catalogue.h"
#include "hourly/export.h"
#include "hourly/hourly_view.h"
#include "solar/calendar.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli export [--data-root DIR] [--hourly DIR] --site N [--variant V]\n"
    "    --period day|month|10days|year [--month M] [--day D] --format csv|txt\n"
    "    [--slope [--mode M] [--tilt T] [--azimuth A] [--step 1|5]]\n"
    "    (--output FILE | --output-dir DIR)\n"
    "    writes the hourly viewer's export of that view; with --output-dir the file gets\n"
    "    the default name. Month and day default to 1 January, the slope tilt to the\n"
    "    site's default tilt, the azimuth to 0\n"
    "quorvane-cli export [--data-root DIR] [--hourly DIR] (--site N | --all) [--variant V]\n"
    "    --period year --format epw|sam|tmy3[,...] (--output FILE | --output-dir DIR)\n"
    "    writes the standard year as a weather file for EnergyPlus (epw), SAM (sam) or\n"
    "    TMY3 readers (tmy3), or several at once; --all writes every site of the\n"
    "    catalogue into --output-dir";

int UsageError(const std::string& error) {
    return ReportUsageError("export", kUsage, error);
}

bool ReadPeriod(const Arguments& args, ExportKind& exportKind, std::string& error) {
    auto period = args.Get("period");
    if (!period) {
        error = "--period is required";
        return false;
    }
    if (*period == "day") {
        exportKind = ExportKind::Day;
    } else if (*period == "month") {
        exportKind = ExportKind::Month;
    } else if (*period == "10days") {
        exportKind = ExportKind::TenDays;
    } else if (*period == "year") {
        exportKind = ExportKind::WholeYear;
    } else {
        error = "--period must be day, month, 10days or year";
        return false;
    }
    return true;
}

bool ReadFormat(const Arguments& args, ExportFormat& format, std::string& error) {
    auto text = args.Get("format");
    if (text && *text == "csv") {
        format = ExportFormat::Csv;
    } else if (text && *text == "txt") {
        format = ExportFormat::Txt;
    } else {
        error = "--format must be csv, txt, epw, sam or tmy3";
        return false;
    }
    return true;
}

int RunExport(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseOptionsOnly(argc, argv, {"slope", "all"}, args, error)) {
        return UsageError(error);
    }
    if (const auto weather = WeatherFormatsNamed(args.Get("format").value_or(""))) {
        return RunWeatherExport(args, *weather, kUsage);
    }
    if (args.Has("all")) {
        return UsageError("--all writes weather files: --format epw, sam or tmy3");
    }
    HourlySource source;
    HourlyExportRequest request;
    if (!ReadHourlySource(args, source, error) || !ReadPeriod(args, request.exportKind, error) ||
        !ReadFormat(args, request.format, error) ||
        !ReadIntIn(args, "month", 1, 12, request.month, error) ||
        !ReadIntIn(args, "day", 1, kDaysPerMonth[request.month - 1], request.day, error)) {
        return UsageError(error);
    }
    request.siteNumber = source.siteNumber;
    request.yearVariant = source.yearVariant;
    request.dataKind = args.Has("slope") ? DataKind::Slope : DataKind::Horizontal;

    auto output = args.Get("output");
    auto outputDir = args.Get("output-dir");
    if (output.has_value() == outputDir.has_value()) {
        return UsageError("give either --output or --output-dir");
    }

    SitePosition site;
    if (request.dataKind == DataKind::Slope) {
        site = FindSitePosition(source.dataRoot, source.siteNumber);
        SlopeExportOptions& options = request.slopeOptions;
        options.tiltDeg = HourlyDefaultTilt(site);
        int mode = 0;
        if (!ReadNamedIndex(args, "mode", kHourlyModeNames, mode, error) ||
            !ReadIntIn(args, "tilt", 0, 90, options.tiltDeg, error) ||
            !ReadIntIn(args, "azimuth", 0, 359, options.azimuthDeg, error) ||
            !ReadIntIn(args, "step", 1, 5, options.stepDeg, error)) {
            return UsageError(error);
        }
        options.angleMode = *HourlyAngleModeFromIndex(mode);
        if (options.stepDeg != 1 && options.stepDeg != 5) {
            return UsageError("--step must be 1 or 5");
        }
    } else {
        for (const char* key : {"mode", "tilt", "azimuth", "step"}) {
            if (args.Has(key)) {
                return UsageError(std::string("--") + key + " needs --slope");
            }
        }
    }

    auto set = std::make_unique<HourlyDataSet>();
    if (LoadHourlySource(source, *set) != LoadStatus::Ok) {
        return kExitFailure;
    }
    std::string path = output ? *output : JoinPath(*outputDir, DefaultExportFileName(request));
    const WriteStatus status = ExportHourlyData(*set, request, site, path);
    if (status == WriteStatus::Completed) {
        return kExitOk;
    }
    PrintMessage(std::string(WriteStatusMessage(status)));
    return kExitFailure;
}

const CommandRegistration kRegistration({"export", kUsage, &RunExport});

} // namespace

} // namespace quorvane::cli

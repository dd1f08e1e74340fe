#include "cli/command.h"
#include "cli/hourly_source.h"
#include "hourly/periods.h"

#include <memory>
#include <string>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli rank [--data-root DIR] [--hourly DIR] --site N [--variant V] --month M\n"
    "    prints the days of the month ranked by daily irradiation, an empty line,\n"
    "    then ranked by sunshine duration (the viewer's list texts, UTF-8)";

int UsageError(const std::string& error) {
    return ReportUsageError("rank", kUsage, error);
}

int RunRank(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseOptionsOnly(argc, argv, {}, args, error)) {
        return UsageError(error);
    }
    HourlySource source;
    if (!ReadHourlySource(args, source, error)) {
        return UsageError(error);
    }
    int month = 0;
    if (!args.Has("month")) {
        return UsageError("--month is required");
    }
    if (!args.GetInt("month", month, error)) {
        return UsageError(error);
    }
    if (month < 1 || month > 12) {
        return UsageError("--month must be 1..12");
    }

    auto set = std::make_unique<HourlyDataSet>();
    if (LoadHourlySource(source, *set) != LoadStatus::Ok) {
        return kExitFailure;
    }
    HourlyRankings rankings;
    BuildRankings(*set, month, rankings);

    std::string out;
    for (const std::string& text : rankings.irradiationTexts) {
        out += text;
        out += '\n';
    }
    out += '\n';
    for (const std::string& text : rankings.sunshineTexts) {
        out += text;
        out += '\n';
    }
    return WriteOutput("rank", out);
}

const CommandRegistration kRegistration({"rank", kUsage, &RunRank});

} // namespace

} // namespace quorvane::cli

#include "cli/command.h"
#include "data/monthly_file.h"

#include <string>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage = "quorvane-cli monthly --kalvera DIR --site N\n"
                               "    prints the stored values (x 100) of a monthly data file:\n"
                               "    'plane C D v0 .. v16', 'variation R v0 .. v16', "
                               "'optimum R v0 .. v16'";

int UsageError(const std::string& error) {
    return ReportUsageError("monthly", kUsage, error);
}

void PrintRow(std::string& out, const char* label, int first, int second, bool hasSecond,
              const MonthlyRow& row) {
    out += label;
    out += ' ';
    out += std::to_string(first);
    if (hasSecond) {
        out += ' ';
        out += std::to_string(second);
    }
    for (int value : row) {
        out += ' ';
        out += std::to_string(value);
    }
    out += '\n';
}

int RunMonthly(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseOptionsOnly(argc, argv, {}, args, error)) {
        return UsageError(error);
    }
    auto folder = args.Get("kalvera");
    if (!folder || !args.Has("site")) {
        return UsageError("--kalvera and --site are required");
    }
    int siteNumber = 0;
    if (!args.GetInt("site", siteNumber, error)) {
        return UsageError(error);
    }

    MonthlyRecord record;
    StderrReporter reporter;
    if (LoadMonthlyData(*folder, siteNumber, record, reporter) != LoadStatus::Ok) {
        return kExitFailure;
    }

    std::string out;
    for (int c = 0; c < kMonthlyAzimuthCount; ++c) {
        for (int d = 0; d < kMonthlyTiltCount; ++d) {
            PrintRow(out, "plane", c, d, true, record.planeValues[c][d]);
        }
    }
    for (int r = 0; r < kVariationRowCount; ++r) {
        PrintRow(out, "variation", r, 0, false, record.variation[r]);
    }
    for (int r = 0; r < kOptimumRowCount; ++r) {
        PrintRow(out, "optimum", r, 0, false, record.optimumTable[r]);
    }
    return WriteOutput("monthly", out);
}

const CommandRegistration kRegistration({"monthly", kUsage, &RunMonthly});

} // namespace

} // namespace quorvane::cli

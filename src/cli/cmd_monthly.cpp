#include "cli/command.h"
#include "data/monthly_file.h"

#include <cstdio>
#include <string>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage = "quorvane-cli monthly --kalvera DIR --site N\n"
                               "    prints the stored values (x 100) of a monthly data file:\n"
                               "    'plane C D v0 .. v16', 'variation R v0 .. v16', "
                               "'optimum R v0 .. v16'";

class StderrReporter final : public MessageReporter {
public:
    void Report(std::string_view message) override {
        std::fwrite(message.data(), 1, message.size(), stderr);
        std::fputc('\n', stderr);
    }
};

int UsageError(const std::string& error) {
    std::fprintf(stderr, "quorvane-cli monthly: %s\nusage: %s\n", error.c_str(), kUsage);
    return kExitUsage;
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
    if (!args.Parse(argc, argv, {}, error)) {
        return UsageError(error);
    }
    if (!args.positional().empty()) {
        return UsageError("unexpected argument '" + args.positional().front() + "'");
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
    if (LoadMonthlyData(*folder, siteNumber, record, reporter) != 1) {
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
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fputs("quorvane-cli monthly: cannot write the output\n", stderr);
        return kExitFailure;
    }
    return kExitOk;
}

const CommandRegistration kRegistration({"monthly", kUsage, &RunMonthly});

} // namespace

} // namespace quorvane::cli

#include "cli/command.h"
#include "data/c_fields.h"
#include "solar/slope_model.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli slope < lines\n"
    "    each input line: day hour global direct diffuse snow latitude longitude elevation\n"
    "    tilt azimuth sunrise sunset (irradiation in MJ/m2 in the hour); prints the\n"
    "    irradiation on the plane in MJ/m2, one line per input line (\"%.17g\"); values\n"
    "    outside their physical range (irradiation 0..10, snow 0..2000 cm, latitude\n"
    "    -90..90, longitude -180..360, elevation -500..9000 m, tilt 0..90, azimuth\n"
    "    -360..360, sunrise and sunset 0..24 h) are refused with the line number";

constexpr int kFieldCount = 13;
constexpr const char* kFieldNames[kFieldCount] = {
    "day",       "hour",      "global", "direct",  "diffuse", "snow",  "latitude",
    "longitude", "elevation", "tilt",   "azimuth", "sunrise", "sunset"};

// Physical ranges of the numbers from "global" on: finite values far outside them
// (1e308, say) only overflow the model into NaN.
struct Range {
    double low;
    double high;
};
constexpr Range kRanges[kFieldCount] = {{0, 0},      {0, 0},    {0, 10},     {0, 10},      {0, 10},
                                        {0, 2000},   {-90, 90}, {-180, 360}, {-500, 9000}, {0, 90},
                                        {-360, 360}, {0, 24},   {0, 24}};

struct SlopeLine {
    int day = 0;
    int hour = 0;
    double values[kFieldCount] = {};
};

bool ParseWhole(std::string_view text, int& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool ParseFinite(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// Splits and checks one line; on failure `error` says why.
bool ParseSlopeLine(std::string_view line, SlopeLine& parsed, std::string& error) {
    std::string_view fields[kFieldCount];
    int count = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsCSpace(line[i])) {
            ++i;
        }
        std::size_t start = i;
        while (i < line.size() && !IsCSpace(line[i])) {
            ++i;
        }
        if (i > start) {
            if (count < kFieldCount) {
                fields[count] = line.substr(start, i - start);
            }
            ++count;
        }
    }
    if (count != kFieldCount) {
        error = "expected 13 numbers (day hour global direct diffuse snow latitude longitude "
                "elevation tilt azimuth sunrise sunset), found " +
                std::to_string(count);
        return false;
    }
    for (int k = 0; k < kFieldCount; ++k) {
        bool ok = k < 2 ? ParseWhole(fields[k], k == 0 ? parsed.day : parsed.hour)
                        : ParseFinite(fields[k], parsed.values[k]);
        if (!ok) {
            error = std::string(kFieldNames[k]) + " is not " +
                    (k < 2 ? "a whole number" : "a finite number") + ": '" +
                    std::string(fields[k]) + "'";
            return false;
        }
    }
    for (int k = 2; k < kFieldCount; ++k) {
        const double value = parsed.values[k];
        if (value < kRanges[k].low || value > kRanges[k].high) {
            char text[160];
            std::snprintf(text, sizeof text, "%s must be %g..%g, not %s", kFieldNames[k],
                          kRanges[k].low, kRanges[k].high, std::string(fields[k]).c_str());
            error = text;
            return false;
        }
    }
    if (parsed.day < 1 || parsed.day > 365) {
        error = "day must be 1..365, not " + std::to_string(parsed.day);
        return false;
    }
    if (parsed.hour < 1 || parsed.hour > 24) {
        error = "hour must be 1..24, not " + std::to_string(parsed.hour);
        return false;
    }
    return true;
}

int RunSlope(int argc, char** argv) {
    if (argc > 1) {
        return ReportUsageError("slope", kUsage,
                                std::string("unexpected argument '") + argv[1] + "'");
    }
    std::ios::sync_with_stdio(false);
    std::string line;
    long lineNumber = 0;
    char text[40];
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        bool blank = true;
        for (char c : line) {
            blank = blank && IsCSpace(c);
        }
        if (blank) {
            continue;
        }
        SlopeLine in;
        std::string error;
        if (!ParseSlopeLine(line, in, error)) {
            std::fflush(stdout);
            std::fprintf(stderr, "quorvane-cli slope: line %ld: %s\n", lineNumber, error.c_str());
            return kExitFailure;
        }
        const double* v = in.values;
        HorizontalHour hour;
        hour.day = in.day;
        hour.hour = in.hour;
        hour.globalMJ = v[2];
        hour.directMJ = v[3];
        hour.diffuseMJ = v[4];
        hour.snowDepthCm = v[5];
        hour.sunriseHour = v[11];
        hour.sunsetHour = v[12];
        const SiteLocation site{v[7], v[6], v[8]};
        double result = SlopeIrradiance(hour, site, v[9], v[10]);
        int length = std::snprintf(text, sizeof text, "%.17g\n", result);
        std::fwrite(text, 1, static_cast<std::size_t>(length), stdout);
    }
    if (std::cin.bad()) {
        std::fprintf(stderr, "quorvane-cli slope: cannot read the input after line %ld\n",
                     lineNumber);
        return kExitFailure;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "quorvane-cli slope: cannot write the results\n");
        return kExitFailure;
    }
    return kExitOk;
}

const CommandRegistration kRegistration{Command{"slope", kUsage, RunSlope}};

} // namespace

} // namespace quorvane::cli

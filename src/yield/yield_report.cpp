#include "yield/yield_report.h"

#include <charconv>
#include <cstdio>

namespace quorvane {

namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";

std::string Full(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

} // namespace

std::string ExactDecimal(double value) {
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string YieldJson(const YieldCase& yieldCase, const YieldResult& result) {
    const bool hourly = yieldCase.method == YieldMethod::Hourly;
    std::string out = "{\"site\": " + std::to_string(yieldCase.siteNumber) + ", \"method\": \"" +
                      (hourly ? "hourly" : "monthly") + "\", ";
    if (hourly) {
        out += "\"variant\": " + std::to_string(static_cast<int>(yieldCase.variant)) + ", ";
    }
    out += "\"tilt\": " + std::to_string(yieldCase.tiltDeg) +
           ", \"azimuth\": " + std::to_string(yieldCase.azimuthDeg) +
           ", \"kw\": " + Full(yieldCase.ratingKw) + ", \"monthly_kwh\": [";
    for (std::size_t m = 0; m < result.monthlyKwh.size(); ++m) {
        out += (m == 0 ? "" : ", ") + Full(result.monthlyKwh[m]);
    }
    out += "], \"annual_kwh\": " + Full(result.annualKwh) +
           ", \"specific_yield\": " + Full(result.specificYield) +
           ", \"poa_kwh_m2\": " + Full(result.poaKwhM2) +
           ", \"performance_ratio\": " + Full(result.performanceRatio) + "}\n";
    return out;
}

std::string YieldCsv(const YieldResult& result) {
    std::string out = kBom;
    out += "月,発電量(kWh),斜面日射量(kWh/㎡)\r\n";
    for (std::size_t m = 0; m < result.monthlyKwh.size(); ++m) {
        out += std::to_string(m + 1) + "月," + ExactDecimal(result.monthlyKwh[m]) + "," +
               ExactDecimal(result.monthlyPoaKwhM2[m]) + "\r\n";
    }
    out += "年間," + ExactDecimal(result.annualKwh) + "," + ExactDecimal(result.poaKwhM2) + "\r\n";
    return out;
}

std::string OrientationScanCsv(const OrientationScan& scan) {
    std::string out = kBom;
    out += "傾斜角,方位角,年間発電量(kWh)\r\n";
    for (const OrientationYield& at : scan.grid) {
        out += std::to_string(at.tiltDeg) + "," + std::to_string(at.azimuthDeg) + "," +
               ExactDecimal(at.annualKwh) + "\r\n";
    }
    return out;
}

} // namespace quorvane

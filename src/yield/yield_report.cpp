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

namespace {

using ResultFigure = double (*)(const YieldResult&, std::size_t month);

// A row of the comparison: the label, the four energies, then the hourly
// irradiation of each variant and the monthly method's.
std::string ComparisonRow(const YieldComparison& comparison, const std::string& label,
                          ResultFigure energy, ResultFigure irradiation, std::size_t month) {
    std::string row = label;
    auto cell = [&](const std::optional<YieldResult>& result, ResultFigure figure) {
        row += "," + (result && figure ? ExactDecimal(figure(*result, month)) : std::string());
    };
    for (const auto& variant : comparison.variants) {
        cell(variant, energy);
    }
    cell(comparison.monthly, energy);
    for (const auto& variant : comparison.variants) {
        cell(variant, irradiation);
    }
    cell(comparison.monthly, irradiation);
    return row + "\r\n";
}

} // namespace

std::string YieldComparisonCsv(const YieldComparison& comparison) {
    std::string out = kBom;
    out += "地点," + comparison.siteName + ",傾斜角," + std::to_string(comparison.tiltDeg) +
           ",方位角," + std::to_string(comparison.azimuthDeg) + ",定格出力(kW)," +
           ExactDecimal(comparison.ratingKw) + ",月別計算の面," +
           std::to_string(comparison.monthlyPlane.tiltDeg) + "/" +
           std::to_string(comparison.monthlyPlane.azimuthDeg) + "\r\n";
    // The arrays, so that a saved table says what it was computed for.
    const HourlyArray& h = comparison.hourlyArray;
    out += "時別計算の条件,温度係数γ(%/K)," + ExactDecimal(h.gammaPctPerK) +
           ",熱損失係数U0(W/㎡K)," + ExactDecimal(h.u0) + ",熱損失係数U1(W・s/m³K)," +
           ExactDecimal(h.u1) + ",損失(%)," + ExactDecimal(h.lossesPct) + ",インバータ効率(%)," +
           ExactDecimal(h.inverterPct) + ",DC/AC比," + ExactDecimal(h.dcAcRatio) + "\r\n";
    const MonthlyArray& m = comparison.monthlyArray;
    out += std::string("月別計算の条件,設置形態,") + MountingLabel(m.mounting) +
           ",温度係数α(%/K)," + ExactDecimal(m.alphaPctPerK) + ",K_HD," + ExactDecimal(m.kHd) +
           ",K_PD," + ExactDecimal(m.kPd) + ",K_PA," + ExactDecimal(m.kPa) + ",K_PM," +
           ExactDecimal(m.kPm) + ",η_INO," + ExactDecimal(m.etaIno) + "\r\n";
    out += ",発電量 平均年(kWh),発電量 多照年(kWh),発電量 寡照年(kWh),発電量 月別計算(kWh),"
           "斜面日射量 平均年(kWh/㎡),斜面日射量 多照年(kWh/㎡),斜面日射量 寡照年(kWh/㎡),"
           "斜面日射量 月別計算(kWh/㎡)\r\n";
    for (std::size_t m = 0; m < 12; ++m) {
        out += ComparisonRow(
            comparison, std::to_string(m + 1) + "月",
            [](const YieldResult& r, std::size_t month) { return r.monthlyKwh[month]; },
            [](const YieldResult& r, std::size_t month) { return r.monthlyPoaKwhM2[month]; }, m);
    }
    out += ComparisonRow(
        comparison, "年間", [](const YieldResult& r, std::size_t) { return r.annualKwh; },
        [](const YieldResult& r, std::size_t) { return r.poaKwhM2; }, 0);
    out += ComparisonRow(
        comparison, "発電量原単位(kWh/kW)",
        [](const YieldResult& r, std::size_t) { return r.specificYield; }, nullptr, 0);
    out += ComparisonRow(
        comparison, "PR", [](const YieldResult& r, std::size_t) { return r.performanceRatio; },
        nullptr, 0);
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

#include "databases.h"

#include "data/text_codec.h"
#include "output.h"
#include "solar/calendar.h"
#include "solar/slope_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorvane::datakit {
namespace {

const char* const kVariantFolders[3] = {"平均年", "多照年", "寡照年"};
const char* const kVariantPrefixes[3] = {"mea", "max", "min"};

// Right-aligned decimal in exactly `width` characters (the values always fit).
void AppendInt(std::string& out, int value, int width) {
    char digits[16];
    int n = 0;
    const bool negative = value < 0;
    unsigned magnitude =
        negative ? static_cast<unsigned>(-(value + 1)) + 1u : static_cast<unsigned>(value);
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        digits[n++] = '-';
    }
    for (int i = n; i < width; ++i) {
        out += ' ';
    }
    while (n > 0) {
        out += digits[--n];
    }
}

// "%5.1f" of tenths.
void AppendTenths(std::string& out, int tenths, int width) {
    const bool negative = tenths < 0;
    const int magnitude = std::abs(tenths);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
    for (std::size_t i = text.size(); i < static_cast<std::size_t>(width); ++i) {
        out += ' ';
    }
    out += text;
}

int DivRound(int value, int divisor) {
    return value >= 0 ? (value + divisor / 2) / divisor : -((-value + divisor / 2) / divisor);
}

struct DaySummary {
    int real = 0; // tenths of the element's natural unit
    int s[4] = {0, 0, 0, 0};
};

DaySummary Summarise(int element, const int* hours) {
    DaySummary r;
    bool missing = false;
    int sum = 0, count = 0, nonZero = 0, maxValue = -100000, maxHour = 0, minValue = 100000;
    for (int h = 0; h < 24; ++h) {
        const int v = hours[h];
        if (v >= kMissingValue) {
            missing = true;
            continue;
        }
        sum += v;
        ++count;
        nonZero += v != 0;
        if (v > maxValue) {
            maxValue = v;
            maxHour = h + 1;
        }
        minValue = std::min(minValue, v);
    }
    if (count == 0) {
        maxValue = minValue = 0;
    }
    switch (element) {
    case 1:
    case 2:
    case 3: // 0.01 MJ/m2: the daily value in MJ/m2
        r.real = DivRound(sum, 10);
        r.s[0] = maxValue, r.s[1] = maxHour, r.s[2] = sum, r.s[3] = nonZero;
        break;
    case 4: // 0.1 h
    case 8: // 0.1 mm
        r.real = sum;
        r.s[0] = maxValue, r.s[1] = maxHour, r.s[2] = sum, r.s[3] = nonZero;
        break;
    case 5:
    case 7: { // 0.1 °C, 0.1 m/s: the daily mean
        const int mean = count > 0 ? DivRound(sum, count) : 0;
        r.real = mean;
        r.s[0] = mean, r.s[1] = maxValue, r.s[2] = minValue, r.s[3] = maxHour;
        break;
    }
    case 6: { // the most frequent direction, and the direction of the strongest wind
        int frequency[17] = {};
        for (int h = 0; h < 24; ++h) {
            if (hours[h] >= 0 && hours[h] <= 16) {
                ++frequency[hours[h]];
            }
        }
        int mode = 0;
        for (int k = 1; k <= 16; ++k) {
            if (frequency[k] > frequency[mode]) {
                mode = k;
            }
        }
        r.real = mode * 10;
        r.s[0] = mode, r.s[1] = 0, r.s[2] = frequency[0], r.s[3] = 0;
        break;
    }
    case 9: // cm: depth at the end of the day, greatest, new snow, least
    default: {
        int fresh = 0;
        for (int h = 1; h < 24; ++h) {
            fresh += std::max(0, hours[h] - hours[h - 1]);
        }
        r.real = hours[23] * 10;
        r.s[0] = hours[23], r.s[1] = maxValue, r.s[2] = fresh, r.s[3] = minValue;
        break;
    }
    }
    if (missing) {
        for (int& v : r.s) {
            v = 8888;
        }
    }
    return r;
}

std::string PadCp932(const std::string& utf8, std::size_t bytes) {
    std::string text = Utf8ToCp932(utf8);
    if (text.size() > bytes) {
        text.resize(bytes);
    }
    text.append(bytes - text.size(), ' ');
    return text;
}

struct DegreesMinutes {
    int degrees = 0;
    int tenthsOfMinute = 0;
};

DegreesMinutes ToDegreesMinutes(double value) {
    int degrees = static_cast<int>(value);
    int tenths = static_cast<int>(std::floor((value - degrees) * 600.0 + 0.5));
    if (tenths >= 600) {
        ++degrees;
        tenths -= 600;
    }
    return {degrees, tenths};
}

std::string PositionText(const Site& site) {
    const DegreesMinutes lat = ToDegreesMinutes(site.latDeg);
    const DegreesMinutes lon = ToDegreesMinutes(site.lonDeg);
    return Format("北緯%2d度%2d.%d分 東経%3d度%2d.%d分 標高%5.0fm", lat.degrees,
                  lat.tenthsOfMinute / 10, lat.tenthsOfMinute % 10, lon.degrees,
                  lon.tenthsOfMinute / 10, lon.tenthsOfMinute % 10, site.elevationM);
}

} // namespace

std::string HourlyRelativePath(YearVariant variant, int siteNumber) {
    const int v = static_cast<int>(variant);
    return Format("%s/%s%05d.txt", kVariantFolders[v], kVariantPrefixes[v], siteNumber);
}

std::string EncodeHourlyFile(const Site& site, YearVariant variant, const HourlyYear& year) {
    std::string out;
    out.reserve(kDays * kElements * 160 + 200);
    out +=
        Utf8ToCp932(Format("%05d %s %s HORIX-11 サンプル %s", site.number, site.name.c_str(),
                           PositionText(site).c_str(), kVariantFolders[static_cast<int>(variant)]));
    out += "\r\n";
    for (int d = 0; d < kDays; ++d) {
        const MonthDay md = MonthDayOfYear(d + 1);
        for (int e = 1; e <= kElements; ++e) {
            const int* hours = year.values[d][e - 1];
            const DaySummary summary = Summarise(e, hours);
            out += "0000";
            out += static_cast<char>('0' + e);
            out += ' ';
            out += static_cast<char>('0' + md.month / 10);
            out += static_cast<char>('0' + md.month % 10);
            out += static_cast<char>('0' + md.day / 10);
            out += static_cast<char>('0' + md.day % 10);
            AppendTenths(out, summary.real, 5);
            for (int h = 0; h < 24; ++h) {
                AppendInt(out, hours[h], 4);
                out += static_cast<char>('0' + year.flags[d][e - 1][h] % 10);
            }
            for (int v : summary.s) {
                AppendInt(out, v, 5);
            }
            out += "\r\n";
        }
    }
    return out;
}

namespace {

constexpr int kSeasonMonths[4][3] = {{12, 1, 2}, {3, 4, 5}, {6, 7, 8}, {9, 10, 11}};

// Seventeen columns: 12 months, the year, winter, spring, summer, autumn.
using Columns17 = std::array<double, 17>;

// Monthly totals (MJ or any sum) into mean daily values in kWh/m2 for all columns.
Columns17 MeanDailyKwh(const std::array<double, 12>& monthTotalsMJ) {
    Columns17 c{};
    double year = 0.0;
    for (int m = 0; m < 12; ++m) {
        c[static_cast<std::size_t>(m)] =
            monthTotalsMJ[static_cast<std::size_t>(m)] / kDaysPerMonth[m] / 3.6;
        year += monthTotalsMJ[static_cast<std::size_t>(m)];
    }
    c[12] = year / 365.0 / 3.6;
    for (int s = 0; s < 4; ++s) {
        double total = 0.0;
        int days = 0;
        for (int m : kSeasonMonths[s]) {
            total += monthTotalsMJ[static_cast<std::size_t>(m - 1)];
            days += kDaysPerMonth[m - 1];
        }
        c[static_cast<std::size_t>(13 + s)] = total / days / 3.6;
    }
    return c;
}

std::string ValueLine(const std::string& label, const Columns17& values) {
    std::string line = label;
    for (int m = 0; m < 12; ++m) {
        line += Format("%6.2f", values[static_cast<std::size_t>(m)]);
    }
    line += "   ";
    for (int k = 12; k < 17; ++k) {
        line += Format("%6.2f", values[static_cast<std::size_t>(k)]);
    }
    return line + "\r\n";
}

struct PreparedYear {
    std::vector<SlopeHour> hours;
    std::vector<int> month; // 0..11 of each prepared hour
    std::array<double, 12> globalMJ{};
    std::array<double, 12> diffuseMJ{};
};

PreparedYear Prepare(const Site& site, const HourlyYear& year) {
    PreparedYear p;
    for (int d = 0; d < kDays; ++d) {
        const int month = MonthDayOfYear(d + 1).month - 1;
        for (int h = 0; h < 24; ++h) {
            auto value = [&](int e) {
                const int v = year.values[d][e - 1][h];
                return v >= kMissingValue ? 0 : v;
            };
            const int g = value(1), b = value(2), df = value(3);
            p.globalMJ[static_cast<std::size_t>(month)] += g / 100.0;
            p.diffuseMJ[static_cast<std::size_t>(month)] += df / 100.0;
            if (g == 0 && b == 0 && df == 0) {
                continue;
            }
            const HorizontalHour in{d + 1,     h + 1,     year.sunrise[d], year.sunset[d],
                                    g / 100.0, b / 100.0, df / 100.0,      double(value(9))};
            p.hours.push_back(PrepareSlopeHour(in, {site.lonDeg, site.latDeg, site.elevationM}));
            p.month.push_back(month);
        }
    }
    return p;
}

// Monthly totals (MJ) on one plane.
std::array<double, 12> PlaneTotals(const PreparedYear& p, const SlopePlane& plane) {
    std::array<double, 12> totals{};
    for (std::size_t i = 0; i < p.hours.size(); ++i) {
        totals[static_cast<std::size_t>(p.month[i])] += EvaluateSlope(p.hours[i], plane);
    }
    return totals;
}

// Monthly totals facing south of each whole-degree tilt, computed when first needed.
class TiltTotals {
public:
    explicit TiltTotals(const PreparedYear& year) : year_(year) {}
    const std::array<double, 12>& At(int tilt) {
        auto& slot = cache_[static_cast<std::size_t>(tilt)];
        if (!done_[static_cast<std::size_t>(tilt)]) {
            slot = tilt == 0 ? year_.globalMJ : PlaneTotals(year_, PrepareSlopePlane(tilt, 0));
            done_[static_cast<std::size_t>(tilt)] = true;
        }
        return slot;
    }
    void Seed(int tilt, const std::array<double, 12>& totals) {
        cache_[static_cast<std::size_t>(tilt)] = totals;
        done_[static_cast<std::size_t>(tilt)] = true;
    }

private:
    const PreparedYear& year_;
    std::array<std::array<double, 12>, 91> cache_{};
    std::array<bool, 91> done_{};
};

// The whole-degree tilt facing south that collects most over the given months:
// a 5-degree scan refined to the degree (the total is unimodal in the tilt).
int OptimumTilt(TiltTotals& byTilt, const std::vector<int>& months, double* best) {
    auto total = [&](int tilt) {
        double sum = 0.0;
        for (int m : months) {
            sum += byTilt.At(tilt)[static_cast<std::size_t>(m)];
        }
        return sum;
    };
    int bestTilt = 0;
    double bestSum = -1.0;
    auto consider = [&](int tilt) {
        const double s = total(tilt);
        if (s > bestSum) {
            bestSum = s;
            bestTilt = tilt;
        }
    };
    for (int tilt = 0; tilt <= 90; tilt += 5) {
        consider(tilt);
    }
    const int coarse = bestTilt;
    for (int tilt = std::max(0, coarse - 4); tilt <= std::min(90, coarse + 4); ++tilt) {
        consider(tilt);
    }
    *best = bestSum;
    return bestTilt;
}

} // namespace

std::string EncodeMonthlyFile(const Site& site, const HourlyYear& average, const HourlyYear& sunny,
                              const HourlyYear& cloudy, MonthlySummary* summary) {
    const PreparedYear mean = Prepare(site, average);
    const PreparedYear high = Prepare(site, sunny);
    const PreparedYear low = Prepare(site, cloudy);

    std::string out;
    const DegreesMinutes lat = ToDegreesMinutes(site.latDeg);
    const DegreesMinutes lon = ToDegreesMinutes(site.lonDeg);
    // The viewer reads latitude at columns 26-32, longitude at 35-42, elevation at 44-47.
    out += Format("%05d ", site.number) + PadCp932(site.name, 20);
    out += Format("%2d %2d.%d  %3d %2d.%d %4.0f", lat.degrees, lat.tenthsOfMinute / 10,
                  lat.tenthsOfMinute % 10, lon.degrees, lon.tenthsOfMinute / 10,
                  lon.tenthsOfMinute % 10, site.elevationM);
    out += Utf8ToCp932(" KALVERA-11 サンプル 月平均日射量[kWh/m2/日]") + "\r\n";

    const Columns17 horizontal = MeanDailyKwh(mean.globalMJ);
    out += ValueLine(PadCp932("水平面", 11), horizontal);
    out += ValueLine(PadCp932("最大", 11), MeanDailyKwh(high.globalMJ));
    out += ValueLine(PadCp932("最小", 11), MeanDailyKwh(low.globalMJ));

    std::vector<std::pair<int, std::array<double, 12>>> southTotals;
    for (int az = 0; az <= 180; az += 15) {
        for (int tilt = 10; tilt <= 90; tilt += 10) {
            const auto totals = PlaneTotals(mean, PrepareSlopePlane(tilt, az));
            if (az == 0) {
                southTotals.emplace_back(tilt, totals);
            }
            out += ValueLine(Format("%3d   %2d   ", az, tilt), MeanDailyKwh(totals));
        }
    }

    TiltTotals byTilt(mean);
    for (const auto& [tilt, totals] : southTotals) {
        byTilt.Seed(tilt, totals);
    }
    Columns17 optimumTilt{}, atMonthOptimum{}, atYearOptimum{};
    std::array<double, 12> monthOptimumMJ{};
    for (int m = 0; m < 12; ++m) {
        double best = 0.0;
        optimumTilt[static_cast<std::size_t>(m)] = OptimumTilt(byTilt, {m}, &best);
        monthOptimumMJ[static_cast<std::size_t>(m)] = best;
    }
    double bestYear = 0.0;
    const int yearTilt = OptimumTilt(byTilt, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, &bestYear);
    optimumTilt[12] = yearTilt;
    for (int s = 0; s < 4; ++s) {
        std::vector<int> months;
        for (int m : kSeasonMonths[s]) {
            months.push_back(m - 1);
        }
        double best = 0.0;
        optimumTilt[static_cast<std::size_t>(13 + s)] = OptimumTilt(byTilt, months, &best);
    }
    atMonthOptimum = MeanDailyKwh(monthOptimumMJ);
    atYearOptimum = MeanDailyKwh(byTilt.At(yearTilt));
    Columns17 ratioAB{}, ratioBC{};
    for (std::size_t k = 0; k < 17; ++k) {
        ratioAB[k] = atYearOptimum[k] > 0 ? atMonthOptimum[k] / atYearOptimum[k] : 0.0;
        ratioBC[k] = horizontal[k] > 0 ? atYearOptimum[k] / horizontal[k] : 0.0;
    }

    // Mean temperature and days with 10 cm of snow or more.
    std::array<double, 12> temperatureSum{}, temperatureCount{}, snowDays{};
    for (int d = 0; d < kDays; ++d) {
        const int m = MonthDayOfYear(d + 1).month - 1;
        int deepest = 0;
        for (int h = 0; h < 24; ++h) {
            const int t = average.values[d][4][h];
            if (t < kMissingValue) {
                temperatureSum[static_cast<std::size_t>(m)] += t / 10.0;
                temperatureCount[static_cast<std::size_t>(m)] += 1.0;
            }
            deepest = std::max(deepest, average.values[d][8][h]);
        }
        snowDays[static_cast<std::size_t>(m)] += deepest >= 10 ? 1.0 : 0.0;
    }
    Columns17 temperature{}, snow{};
    double tSum = 0.0, tCount = 0.0;
    for (std::size_t m = 0; m < 12; ++m) {
        temperature[m] = temperatureCount[m] > 0 ? temperatureSum[m] / temperatureCount[m] : 0.0;
        snow[m] = snowDays[m];
        tSum += temperatureSum[m];
        tCount += temperatureCount[m];
        snow[12] += snowDays[m];
    }
    temperature[12] = tCount > 0 ? tSum / tCount : 0.0;
    for (int s = 0; s < 4; ++s) {
        double ts = 0.0, tc = 0.0;
        for (int m : kSeasonMonths[s]) {
            ts += temperatureSum[static_cast<std::size_t>(m - 1)];
            tc += temperatureCount[static_cast<std::size_t>(m - 1)];
            snow[static_cast<std::size_t>(13 + s)] += snowDays[static_cast<std::size_t>(m - 1)];
        }
        temperature[static_cast<std::size_t>(13 + s)] = tc > 0 ? ts / tc : 0.0;
    }
    const Columns17 diffuse = MeanDailyKwh(mean.diffuseMJ);

    out += ValueLine(PadCp932("最適角", 11), optimumTilt);
    out += ValueLine(PadCp932("最適角日射", 11), atMonthOptimum);
    out += ValueLine(PadCp932("年最適角", 11), atYearOptimum);
    out += ValueLine(PadCp932("A/B", 11), ratioAB);
    out += ValueLine(PadCp932("B/C", 11), ratioBC);
    out += ValueLine(PadCp932("気温", 11), temperature);
    out += ValueLine(PadCp932("散乱", 11), diffuse);
    out += ValueLine(PadCp932("積雪10cm", 11), snow);

    if (summary != nullptr) {
        summary->global[0] = horizontal[12];
        summary->diffuse[0] = diffuse[12];
        summary->optimum[0] = atMonthOptimum[12];
        summary->optimumTilt[0] = yearTilt;
        for (std::size_t m = 0; m < 12; ++m) {
            summary->global[m + 1] = horizontal[m];
            summary->diffuse[m + 1] = diffuse[m];
            summary->optimum[m + 1] = atMonthOptimum[m];
            summary->optimumTilt[m + 1] = static_cast<int>(optimumTilt[m]);
        }
    }
    return out;
}

} // namespace quorvane::datakit

#include "hourly/periods.h"

#include "hourly/printf_fields.h"
#include "solar/calendar.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace quorvane {

namespace {

// 24 hours of this still sum within an int.
constexpr double kSlopeHundredthsLimit = INT_MAX / kHoursPerDay;

} // namespace

HourlyPeriod PeriodOfExport(ExportKind kind, int month, int day) {
    switch (kind) {
    case ExportKind::Month: {
        int m = std::clamp(month, 1, 12);
        return {DayOfYear(m, 1), kDaysPerMonth[m - 1]};
    }
    case ExportKind::TenDays:
        return {DayOfYear(month, day), 10};
    case ExportKind::WholeYear:
        return {1, kHourlyDays};
    case ExportKind::Day:
    case ExportKind::IrradiationRanking:
    case ExportKind::SunshineRanking:
        break;
    }
    return {DayOfYear(month, day), 1};
}

HourlyPeriod PeriodOfView(HourlyView view, int month, int day) {
    return PeriodOfExport(ExportKindOfView(view), month, day);
}

int MonthViewDayStored(const HourlyDataSet& set, int day, int element) {
    switch (element) {
    case kElementGlobal:
    case kElementDirect:
    case kElementDiffuse:
    case kElementSunshine:
    case kElementPrecipitation:
        return set.Summary(day, 3, element);
    case kElementTemperature:
    case kElementWindSpeed:
    case kElementWindDirection:
    case kElementSnowDepth:
        return set.Summary(day, 1, element);
    default:
        return 0;
    }
}

int ElementDisplayDivisor(int element) {
    switch (element) {
    case kElementGlobal:
    case kElementDirect:
    case kElementDiffuse:
        return 100;
    case kElementWindDirection:
    case kElementSnowDepth:
        return 1;
    default:
        return 10;
    }
}

double MonthViewDayValue(const HourlyDataSet& set, int day, int element) {
    return MonthViewDayStored(set, day, element) /
           static_cast<double>(ElementDisplayDivisor(element));
}

HorizontalHour HorizontalHourOf(const HourlyDataSet& set, int day, int hour) {
    HorizontalHour in;
    in.day = day;
    in.hour = hour;
    in.sunriseHour = set.sunrise[day - 1];
    in.sunsetHour = set.sunset[day - 1];
    in.globalMJ = set.Hourly(day, hour, kElementGlobal) / 100.0;
    in.directMJ = set.Hourly(day, hour, kElementDirect) / 100.0;
    in.diffuseMJ = set.Hourly(day, hour, kElementDiffuse) / 100.0;
    in.snowDepthCm = set.Hourly(day, hour, kElementSnowDepth);
    return in;
}

SlopeHour PrepareDataSlopeHour(const HourlyDataSet& set, const SitePosition& site, int day,
                               int hour) {
    return PrepareSlopeHour(HorizontalHourOf(set, day, hour), site.Location());
}

double SlopeHourMJ(const HourlyDataSet& set, const SitePosition& site, int day, int hour,
                   double tiltDeg, double azimuthDeg) {
    return SlopeIrradiance(HorizontalHourOf(set, day, hour), site.Location(), tiltDeg, azimuthDeg);
}

double DailySlopeTotalMJ(const HourlyDataSet& set, const SitePosition& site, int day,
                         double tiltDeg, double azimuthDeg) {
    double total = 0.0;
    for (int hour = 1; hour <= kHoursPerDay; ++hour) {
        total += SlopeHourMJ(set, site, day, hour, tiltDeg, azimuthDeg);
    }
    return total;
}

int SlopeHundredths(double slopeMJ) {
    double scaled = slopeMJ * 100.0 + 0.5;
    if (std::isnan(scaled)) {
        return 0;
    }
    return static_cast<int>(std::clamp(scaled, -kSlopeHundredthsLimit, kSlopeHundredthsLimit));
}

DayRanking RankDaysOfMonth(const int (&dailyTotals)[kHourlyDays], int month) {
    int m = std::clamp(month, 1, 12);
    DayRanking ranking;
    ranking.count = kDaysPerMonth[m - 1];
    int first = DayOfYear(m, 1);
    int values[31];
    std::fill(std::begin(values), std::end(values), -1);
    for (int j = 1; j <= ranking.count; ++j) {
        int v = std::max(dailyTotals[first + j - 2], 0);
        int k = 0;
        while (values[k] >= v) {
            ++k; // always stops: the slots not yet filled hold -1
        }
        for (int i = ranking.count - 1; i > k; --i) {
            values[i] = values[i - 1];
            ranking.days[i] = ranking.days[i - 1];
        }
        values[k] = v;
        ranking.days[k] = j;
    }
    return ranking;
}

namespace {

// "%2d位：%2d日  <total><unit>"; the irradiation total has a width of 4.
std::string RankingText(int rank, int dayOfMonth, double total, int width, std::string_view unit) {
    char text[kMaxFixed1Field + 64];
    char* p = AppendInt(text, rank, 2);
    p = std::copy_n("位：", sizeof "位：" - 1, p);
    p = AppendInt(p, dayOfMonth, 2);
    p = std::copy_n("日  ", sizeof "日  " - 1, p);
    p = AppendFixed1(p, total, width);
    p = std::copy_n(unit.data(), unit.size(), p);
    return std::string(text, p);
}

} // namespace

std::string IrradiationRankingText(int rank, int dayOfMonth, int totalHundredthsMJ) {
    return RankingText(rank, dayOfMonth, totalHundredthsMJ / 100.0, 4, "(MJ)");
}

std::string SunshineRankingText(int rank, int dayOfMonth, int totalTenthsH) {
    return RankingText(rank, dayOfMonth, totalTenthsH / 10.0, 0, "(h)");
}

void BuildRankings(const HourlyDataSet& set, int month, HourlyRankings& rankings) {
    int first = DayOfYear(std::clamp(month, 1, 12), 1);
    rankings.irradiation = RankDaysOfMonth(set.dailyIrradiation, month);
    rankings.sunshine = RankDaysOfMonth(set.dailySunshine, month);
    rankings.irradiationTexts.clear();
    rankings.sunshineTexts.clear();
    for (int r = 0; r < rankings.irradiation.count; ++r) {
        int day = rankings.irradiation.days[r];
        rankings.irradiationTexts.push_back(
            IrradiationRankingText(r + 1, day, set.dailyIrradiation[first + day - 2]));
    }
    for (int r = 0; r < rankings.sunshine.count; ++r) {
        int day = rankings.sunshine.days[r];
        rankings.sunshineTexts.push_back(
            SunshineRankingText(r + 1, day, set.dailySunshine[first + day - 2]));
    }
}

} // namespace quorvane

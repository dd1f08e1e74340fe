#pragma once

#include "data/hourly_file.h"
#include "solar/slope_model.h"

#include <string>
#include <vector>

namespace quorvane {

// Views of the hourly viewer (radio group order).
enum class HourlyView {
    Day = 0,
    Month = 1,
    TenDays = 2,
    IrradiationRanking = 3,
    SunshineRanking = 4
};
inline constexpr int kHourlyViewCount = 5;

// What an export covers: the period of a view, or the whole year.
enum class ExportKind {
    Day = 0,
    Month = 1,
    TenDays = 2,
    IrradiationRanking = 3,
    SunshineRanking = 4,
    WholeYear = 5,
};

constexpr ExportKind ExportKindOfView(HourlyView view) {
    return static_cast<ExportKind>(static_cast<int>(view));
}

// Consecutive days of the standard year; past 31 December the period continues
// with 1 January.
struct HourlyPeriod {
    int firstDay = 1; // day of year 1..365
    int dayCount = 1;

    // Day of year of the period's `index`-th day (0-based).
    int DayAt(int index) const { return (firstDay - 1 + index) % kHourlyDays + 1; }
};

// The days a view or an export covers for the current month and day.
HourlyPeriod PeriodOfView(HourlyView view, int month, int day);
HourlyPeriod PeriodOfExport(ExportKind kind, int month, int day);

// The number that stands for a day of `element` 1..9 in the month views, in display
// units (MJ/m2, h, degC, direction code, m/s, mm, cm).
double MonthViewDayValue(const HourlyDataSet& set, int day, int element);
// The stored number behind it, in the file's units.
int MonthViewDayStored(const HourlyDataSet& set, int day, int element);
// What a stored value of `element` is divided by to show it: 100 for irradiation,
// 1 for wind direction and snow depth, 10 for the others.
int ElementDisplayDivisor(int element);

// The site's position for the slope model; `found` is false when the site is not in
// the catalogue.
struct SitePosition {
    bool found = false;
    double longitudeDeg = 0.0;
    double latitudeDeg = 0.0;
    double elevationM = 0.0;

    SiteLocation Location() const { return {longitudeDeg, latitudeDeg, elevationM}; }
};

// The model's input for one hour of the data set: its stored values in MJ/m2 and cm
// and the day's sunrise and sunset.
HorizontalHour HorizontalHourOf(const HourlyDataSet& set, int day, int hour);

// Slope irradiance S in MJ/m2 of one hour (1..24) of a day of year, from the
// hour's global, direct and diffuse values and snow depth.
double SlopeHourMJ(const HourlyDataSet& set, const SitePosition& site, int day, int hour,
                   double tiltDeg, double azimuthDeg);

// The plane-independent terms of the same hour, for evaluating many orientations;
// EvaluateSlope on them equals SlopeHourMJ bit for bit.
SlopeHour PrepareDataSlopeHour(const HourlyDataSet& set, const SitePosition& site, int day,
                               int hour);

// The graphs' daily slope total: the sum of the 24 real hourly values.
double DailySlopeTotalMJ(const HourlyDataSet& set, const SitePosition& site, int day,
                         double tiltDeg, double azimuthDeg);

// S stored as 0.01 MJ/m2: the integer part of S x 100 + 0.5. Values beyond any
// plausible irradiation (and NaN, as 0) are held to a range whose 24-hour sums
// still fit in an int.
int SlopeHundredths(double slopeMJ);

// Days of a month, most first. Negative totals count as 0 and equal totals keep
// calendar order.
struct DayRanking {
    int count = 0;
    int days[31] = {}; // day of month
};

// Ranks the days of `month` (clamped to 1..12) by `dailyTotals` (indexed day of
// year - 1): the set's dailyIrradiation or dailySunshine.
DayRanking RankDaysOfMonth(const int (&dailyTotals)[kHourlyDays], int month);

// List texts, UTF-8. Totals in the stored units (0.01 MJ/m2, 0.1 h).
std::string IrradiationRankingText(int rank, int dayOfMonth, int totalHundredthsMJ);
std::string SunshineRankingText(int rank, int dayOfMonth, int totalTenthsH);

// Both rankings of a month with their list texts, as the viewer's lists show them.
struct HourlyRankings {
    DayRanking irradiation;
    DayRanking sunshine;
    std::vector<std::string> irradiationTexts;
    std::vector<std::string> sunshineTexts;
};

void BuildRankings(const HourlyDataSet& set, int month, HourlyRankings& rankings);

} // namespace quorvane

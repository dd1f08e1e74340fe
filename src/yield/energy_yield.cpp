#include "yield/energy_yield.h"

#include "data/cpu_state.h"
#include "data/parallel.h"
#include "monthly/monthly_lookup.h"
#include "monthly/monthly_view.h"
#include "solar/calendar.h"

#include <algorithm>
#include <cstdlib>

namespace quorvane {

namespace {

constexpr double kFallbackAirTemperatureC = 20.0;
constexpr double kFallbackWindSpeedMs = 1.0;

struct Mean {
    double sum = 0.0;
    int count = 0;
    void Add(double value) {
        sum += value;
        ++count;
    }
    double Or(double fallback) const { return count > 0 ? sum / count : fallback; }
};

bool Valid(const HourlyDataSet& set, int day, int hour, int element) {
    return set.rawHourlyValues[day - 1][hour - 1][element - 1] < kMissingHourly;
}

double Tenths(const HourlyDataSet& set, int day, int hour, int element) {
    return set.rawHourlyValues[day - 1][hour - 1][element - 1] / 10.0;
}

// The element's 8760 values in tenths, each gap filled with the day's mean, else
// the month's, else `fallback`.
void FillTenths(const HourlyDataSet& set, int element, double fallback,
                std::vector<double>& values) {
    std::array<Mean, 12> months{};
    for (int day = 1; day <= kHourlyDays; ++day) {
        Mean& month = months[static_cast<std::size_t>(MonthDayOfYear(day).month - 1)];
        for (int hour = 1; hour <= kHoursPerDay; ++hour) {
            if (Valid(set, day, hour, element)) {
                month.Add(Tenths(set, day, hour, element));
            }
        }
    }
    values.clear();
    values.reserve(kHourlyDays * kHoursPerDay);
    for (int day = 1; day <= kHourlyDays; ++day) {
        Mean today;
        for (int hour = 1; hour <= kHoursPerDay; ++hour) {
            if (Valid(set, day, hour, element)) {
                today.Add(Tenths(set, day, hour, element));
            }
        }
        const Mean& month = months[static_cast<std::size_t>(MonthDayOfYear(day).month - 1)];
        const double gap = today.Or(month.Or(fallback));
        for (int hour = 1; hour <= kHoursPerDay; ++hour) {
            values.push_back(Valid(set, day, hour, element) ? Tenths(set, day, hour, element)
                                                            : gap);
        }
    }
}

// The year's totals from the months'.
void Finish(YieldResult& result, double ratingKw) {
    for (std::size_t m = 0; m < 12; ++m) {
        result.annualKwh += result.monthlyKwh[m];
        result.poaKwhM2 += result.monthlyPoaKwhM2[m];
    }
    result.specificYield = result.annualKwh / ratingKw;
    result.performanceRatio =
        result.poaKwhM2 > 0.0 ? result.annualKwh / (result.poaKwhM2 * ratingKw) : 0.0;
}

} // namespace

YieldYear PrepareYieldYear(const HourlyDataSet& set, const SitePosition& site) {
    YieldYear year;
    PrepareYieldYear(set, site, year);
    return year;
}

void PrepareYieldYear(const HourlyDataSet& set, const SitePosition& site, YieldYear& year) {
    ClearUpperVectorState();
    FillTenths(set, kElementTemperature, kFallbackAirTemperatureC, year.airTenths);
    FillTenths(set, kElementWindSpeed, kFallbackWindSpeedMs, year.windTenths);
    year.hours.clear();
    year.hours.reserve(kHourlyDays * kHoursPerDay / 2);
    const SiteLocation location = site.Location();
    std::size_t i = 0;
    for (int day = 1; day <= kHourlyDays; ++day) {
        const int monthIndex = MonthDayOfYear(day).month - 1;
        const SlopeDay sun = PrepareSlopeDay(day, location);
        for (int hour = 1; hour <= kHoursPerDay; ++hour, ++i) {
            if (set.Hourly(day, hour, kElementGlobal) == 0 &&
                set.Hourly(day, hour, kElementDirect) == 0 &&
                set.Hourly(day, hour, kElementDiffuse) == 0) {
                continue;
            }
            year.hours.push_back({PrepareSlopeHour(HorizontalHourOf(set, day, hour), location, sun),
                                  year.airTenths[i], year.windTenths[i], monthIndex, day, hour});
        }
    }
}

YieldResult HourlyYield(const YieldYear& year, const SlopePlane& plane, const HourlyArray& array) {
    YieldResult result;
    for (const YieldHour& hour : year.hours) {
        const double irradianceWm2 = EvaluateSlope(hour.slope, plane) * 1e6 / 3600.0;
        const double cellC = FaimanCellTemperatureC(irradianceWm2, hour.airTemperatureC,
                                                    hour.windSpeedMs, array.u0, array.u1);
        const auto month = static_cast<std::size_t>(hour.monthIndex);
        result.monthlyKwh[month] += HourlyAcPowerKw(array, irradianceWm2, cellC);
        result.monthlyPoaKwhM2[month] += irradianceWm2 / 1000.0;
    }
    Finish(result, array.ratingKw);
    return result;
}

YieldResult HourlyYield(const YieldYear& year, int tiltDeg, int azimuthDeg,
                        const HourlyArray& array) {
    return HourlyYield(year, PrepareSlopePlane(tiltDeg, azimuthDeg), array);
}

MonthlyPlane SnapToMonthlyPlane(int tiltDeg, int azimuthDeg) {
    const int signedAzimuth =
        std::clamp(azimuthDeg > 180 ? azimuthDeg - 360 : azimuthDeg, -180, 180);
    const int magnitude = SnapMonthlyAzimuth(std::abs(signedAzimuth), 0);
    return {SnapMonthlyTilt(tiltDeg), signedAzimuth < 0 ? -magnitude : magnitude};
}

YieldResult MonthlyYield(const MonthlyRecord& record, int tiltDeg, int azimuthDeg,
                         const MonthlyArray& array) {
    const MonthlyPlane plane = SnapToMonthlyPlane(tiltDeg, azimuthDeg);
    const MonthlyOrientation at = OrientationIndices(plane.tiltDeg, plane.azimuthDeg);
    YieldResult result;
    for (int m = 0; m < 12; ++m) {
        const double dailyKwhM2 = SlopeValue(record, at.azimuthIndex, at.tiltIndex, m);
        const double airC = DerivedRowValue(record, DerivedRow::MeanAirTemperature, m);
        const double days = kDaysPerMonth[m];
        const auto month = static_cast<std::size_t>(m);
        result.monthlyKwh[month] = array.ratingKw * dailyKwhM2 * days * array.kHd * array.kPd *
                                   array.kPa * array.kPm * array.etaIno *
                                   MonthlyTemperatureFactor(array, airC);
        result.monthlyPoaKwhM2[month] = dailyKwhM2 * days;
    }
    Finish(result, array.ratingKw);
    return result;
}

OrientationScan ScanOrientations(const YieldYear& year, const HourlyArray& array,
                                 WorkProgress& progress, int threads) {
    OrientationScan scan;
    scan.grid.resize(kScanTiltCount * kScanAzimuthCount);
    progress.total = kScanTiltCount;
    ParallelFor(kScanTiltCount, threads, [&](int tilt) {
        if (progress.Cancelled()) {
            return;
        }
        for (int a = 0; a < kScanAzimuthCount; ++a) {
            const int azimuth = -90 + a * kScanAzimuthStep;
            scan.grid[static_cast<std::size_t>(tilt * kScanAzimuthCount + a)] = {
                tilt, azimuth, HourlyYield(year, tilt, azimuth, array).annualKwh};
        }
        progress.Step();
    });
    scan.complete = !progress.Cancelled();
    if (scan.complete) {
        scan.best = *std::max_element(scan.grid.begin(), scan.grid.end(),
                                      [](const OrientationYield& a, const OrientationYield& b) {
                                          return a.annualKwh < b.annualKwh;
                                      });
    }
    return scan;
}

} // namespace quorvane

#pragma once

#include "data/progress.h"
#include "hourly/periods.h"
#include "yield/pv_model.h"

#include <array>
#include <vector>

namespace quorvane {

struct MonthlyRecord;

// What an array produces over the standard year, by month and in total.
struct YieldResult {
    std::array<double, 12> monthlyKwh{};
    std::array<double, 12> monthlyPoaKwhM2{}; // irradiation on the plane
    double annualKwh = 0.0;
    double poaKwhM2 = 0.0;
    double specificYield = 0.0;    // kWh/kWp
    double performanceRatio = 0.0; // 0 without irradiation
    friend bool operator==(const YieldResult&, const YieldResult&) = default;
};

// One hour of a site's standard year made ready for the hourly method: the slope
// model's plane-independent terms and the hour's weather, missing values filled.
struct YieldHour {
    SlopeHour slope;
    double airTemperatureC = 20.0;
    double windSpeedMs = 1.0;
    int monthIndex = 0; // 0..11
    int day = 1;        // of the year
    int hour = 1;       // hour ending
};

// The hours of one year variant of a site that hold any irradiation, in order from
// 1 January. An hour without global, direct and diffuse irradiation gives 0 on every
// plane, so leaving it out changes no sum.
struct YieldYear {
    std::vector<YieldHour> hours;
    std::vector<double> airTenths; // the filled weather of every hour, while preparing
    std::vector<double> windTenths;
};

// A missing air temperature or wind speed (raw value 9999 or more) takes the mean of
// the day's valid hours of that element, else of the month's, else 20 degC or 1 m/s.
YieldYear PrepareYieldYear(const HourlyDataSet& set, const SitePosition& site);
// The same into `year`, whose storage is reused (for site after site).
void PrepareYieldYear(const HourlyDataSet& set, const SitePosition& site, YieldYear& year);

// The hourly method on one plane (tilt 0..90, azimuth 0 south, positive west).
YieldResult HourlyYield(const YieldYear& year, const SlopePlane& plane, const HourlyArray& array);
YieldResult HourlyYield(const YieldYear& year, int tiltDeg, int azimuthDeg,
                        const HourlyArray& array);

// The plane the monthly data hold nearest to (tilt, azimuth): tilt snapped to 10,
// the azimuth's magnitude to 15, its side kept; azimuths past 180 count from the
// east (270 is -90).
struct MonthlyPlane {
    int tiltDeg = 0;
    int azimuthDeg = 0;
    friend bool operator==(const MonthlyPlane&, const MonthlyPlane&) = default;
};
MonthlyPlane SnapToMonthlyPlane(int tiltDeg, int azimuthDeg);

// The monthly design-factor method on the record's plane nearest to (tilt, azimuth).
YieldResult MonthlyYield(const MonthlyRecord& record, int tiltDeg, int azimuthDeg,
                         const MonthlyArray& array);

// The orientations of the optimum scan: tilt 0..90 by 1, azimuth -90..90 by 5.
inline constexpr int kScanTiltCount = 91;
inline constexpr int kScanAzimuthStep = 5;
inline constexpr int kScanAzimuthCount = 37;

struct OrientationYield {
    int tiltDeg = 0;
    int azimuthDeg = 0;
    double annualKwh = 0.0;
    friend bool operator==(const OrientationYield&, const OrientationYield&) = default;
};

struct OrientationScan {
    std::vector<OrientationYield> grid; // tilt by tilt, azimuths ascending
    OrientationYield best;              // the first of the grid with the most energy
    bool complete = false;              // false when cancelled
};

// Every orientation of the scan on `threads` threads; `progress` counts tilts done
// (of kScanTiltCount) and stops the scan when cancelled.
OrientationScan ScanOrientations(const YieldYear& year, const HourlyArray& array,
                                 WorkProgress& progress, int threads);

} // namespace quorvane

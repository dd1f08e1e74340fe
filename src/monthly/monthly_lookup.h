#pragma once

#include "data/monthly_file.h"

#include <string>
#include <string_view>

namespace quorvane {

// Column indexes of a monthly row.
inline constexpr int kYearColumn = 12;
inline constexpr int kWinterColumn = 13;
inline constexpr int kSpringColumn = 14;
inline constexpr int kSummerColumn = 15;
inline constexpr int kAutumnColumn = 16;

// Rows of the optimum-tilt table.
enum class DerivedRow {
    OptimumTilt = 0,             // degrees
    IrradiationAtMonthlyOptimum, // (A)
    IrradiationAtAnnualOptimum,  // (B)
    RatioAToB,
    RatioBToHorizontal, // B / C, C the horizontal row
    MeanAirTemperature,
    DiffuseIrradiation,
    SnowDepthOver10cmRate,
};

struct MonthlyOrientation {
    int azimuthIndex = 0; // 0..12: azimuth magnitude / 15
    int tiltIndex = 0;    // 0..9: tilt / 10
    friend bool operator==(const MonthlyOrientation&, const MonthlyOrientation&) = default;
};

// Indexes of a tilt and an azimuth in degrees; east and west of south give the same.
MonthlyOrientation OrientationIndices(int tiltDeg, int azimuthDeg);

// A stored value as shown: stored / 100.
inline double MonthlyDisplayValue(int stored) {
    return stored / 100.0;
}

// Lookups give 0 for an index outside the record rather than reading past it.

// Irradiation in kWh/m2 per day on the plane (azimuth index, tilt index), column 0..16.
double SlopeValue(const MonthlyRecord& record, int azimuthIndex, int tiltIndex, int column);

// The stored row of a plane; a row of zeros for an index outside the record.
const MonthlyRow& SlopeRow(const MonthlyRecord& record, int azimuthIndex, int tiltIndex);

double DerivedRowValue(const MonthlyRecord& record, DerivedRow row, int column);

struct VariationValues {
    double average = 0.0;
    double maximum = 0.0;
    double minimum = 0.0;
};

// Year-to-year range of the horizontal irradiation in one column.
VariationValues VariationAt(const MonthlyRecord& record, int column);

// The site's position and elevation as written in the record's header, unconverted
// (UTF-8; empty where the header is too short).
struct SiteHeaderFields {
    std::string latitudeDeg;
    std::string latitudeMin;
    std::string longitudeDeg;
    std::string longitudeMin;
    std::string elevationM;
};

SiteHeaderFields ReadSiteHeaderFields(std::string_view cp932Header);

} // namespace quorvane

#pragma once

#include "data/modes.h"
#include "yield/energy_yield.h"
#include "yield/yield_chart.h"

#include <optional>
#include <string>

namespace quorvane {

enum class YieldMethod { Hourly, Monthly };

// What a result was computed for, as the reports name it.
struct YieldCase {
    int siteNumber = 0;
    YieldMethod method = YieldMethod::Hourly;
    YearVariant variant = YearVariant::Average; // hourly method only
    int tiltDeg = 0;
    int azimuthDeg = 0;
    double ratingKw = 0.0;
};

// {"site", "method", "variant" (hourly only), "tilt", "azimuth", "kw", "monthly_kwh",
// "annual_kwh", "specific_yield", "poa_kwh_m2", "performance_ratio"}; numbers with
// every digit ("%.17g").
std::string YieldJson(const YieldCase& yieldCase, const YieldResult& result);

// One row a month and the year's: the energy and the plane's irradiation, shortest
// exact decimals. UTF-8 with a BOM, CR LF.
std::string YieldCsv(const YieldResult& result);

// The scan's grid, a row an orientation, in the same form.
std::string OrientationScanCsv(const OrientationScan& scan);

// What the yield dialog shows, as one table: the site and plane, then a row a
// month, the year, the specific yield and the PR, a column per method and year
// variant for the energy and one for the plane's irradiation; empty cells where a
// result is missing. UTF-8 with a BOM, CR LF.
std::string YieldComparisonCsv(const YieldComparison& comparison);

// The number as the shortest decimal that reads back to the same double.
std::string ExactDecimal(double value);

} // namespace quorvane

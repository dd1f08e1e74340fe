#pragma once

#include "sites.h"
#include "weather.h"

#include <array>
#include <string>

namespace quorvane::datakit {

// The text of one hourly data file (CP932, CR LF): a header line, then for each
// day the nine elements with their 24 hourly values and flags, the daily value
// and four daily summaries.
std::string EncodeHourlyFile(const Site& site, YearVariant variant, const HourlyYear& year);

// File name of a variant below the hourly database folder ("平均年/mea%05d.txt" ...).
std::string HourlyRelativePath(YearVariant variant, int siteNumber);

// Monthly means of daily irradiation (kWh/m2 per day) a site contributes to the
// colour maps; index 0 is the annual mean, 1..12 the months.
struct MonthlySummary {
    std::array<double, 13> global{};
    std::array<double, 13> diffuse{};
    std::array<double, 13> optimum{};
    std::array<int, 13> optimumTilt{};
};

// The monthly data file of a site (CP932, CR LF, 129 lines) from its average year,
// with the year-to-year extremes from the sunny and the cloudy year.
std::string EncodeMonthlyFile(const Site& site, const HourlyYear& average, const HourlyYear& sunny,
                              const HourlyYear& cloudy, MonthlySummary* summary);

} // namespace quorvane::datakit

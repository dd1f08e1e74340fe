#pragma once

#include "data/hourly_file.h"
#include "data/modes.h"
#include "data/site_catalogue.h"
#include "data/write_status.h"

#include <string>
#include <vector>

namespace quorvane {

// A site's standard year as the weather files of simulation tools hold it: 8760
// hour-ending hours of local standard time (UTC+9) in a fixed non-leap year.
enum class WeatherFormat { Epw, Sam, Tmy3 };

inline constexpr int kWeatherYear = 2006; // not a leap year, and 1 January is a Sunday

struct WeatherHour {
    int month = 1;
    int day = 1;
    int hour = 1; // 1..24, hour ending
    // Irradiation over the hour in Wh/m2.
    double ghi = 0.0;
    double dni = 0.0;
    double dhi = 0.0;
    double extraterrestrialHorizontal = 0.0;
    double extraterrestrialNormal = 0.0;
    double temperatureC = 0.0;
    double windDirectionDeg = 0.0; // from north; 0 when calm
    double windSpeedMs = 0.0;
    double precipitationMm = 0.0;
    double snowDepthCm = 0.0;
    double pressurePa = 0.0;
    // Values the database marks missing.
    bool ghiMissing = false;
    bool dniMissing = false; // the direct part is missing
    bool dhiMissing = false;
    bool temperatureMissing = false;
    bool precipitationMissing = false;
    bool snowMissing = false;
};

// Station pressure of the standard atmosphere at an elevation, in Pa.
double StandardPressurePa(double elevationM);

// The 8760 hours of a loaded data set at a site. Direct normal is the direct
// horizontal part over the cosine of the zenith angle, with the sun where the slope
// model places it in the hour; 0 with the sun below 2 degrees or no direct part,
// and never above the extraterrestrial normal irradiation.
std::vector<WeatherHour> BuildWeatherYear(const HourlyDataSet& set, const CAmedasPoint& site);

// The whole file (CR LF line ends).
std::string WeatherFileText(WeatherFormat format, const std::vector<WeatherHour>& hours,
                            const CAmedasPoint& site, YearVariant variant);

// "%05d_mea.epw", "%05d_max_sam.csv", "%05d_min_tmy3.csv" ...
std::string DefaultWeatherFileName(WeatherFormat format, int siteNumber, YearVariant variant);

// Writes the file through a temporary one; a failure leaves the old file as it was.
WriteStatus WriteWeatherFile(const std::string& path, WeatherFormat format,
                             const std::vector<WeatherHour>& hours, const CAmedasPoint& site,
                             YearVariant variant);

} // namespace quorvane

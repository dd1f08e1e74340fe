#pragma once

#include "sites.h"

#include "data/modes.h"

#include <cstdint>
#include <vector>

namespace quorvane::datakit {

inline constexpr int kDays = 365;
inline constexpr int kElements = 9;

using quorvane::YearVariant;

// One year of hourly values in the units of the hourly file (element e at
// values[day][e - 1][hour - 1]); 9999 marks a missing hour (flag 1).
struct HourlyYear {
    int values[kDays][kElements][24];
    unsigned char flags[kDays][kElements][24];
    float sunrise[kDays]; // as the sunrise/sunset table stores them
    float sunset[kDays];
};

inline constexpr int kMissingValue = 9999;

// The climate of a site, from its position.
struct SiteClimate {
    double japanSea = 0.0;      // 0 Pacific side .. 1 Japan Sea side
    double winterMonsoon = 0.0; // how strongly the winter monsoon clouds the Japan Sea side
    bool subtropical = false;
    bool hokkaido = false;
    double annualMeanC = 15.0;
    double seasonalAmplitudeC = 10.0;
};

SiteClimate ClimateOf(const Site& site);

// Mean cloud cover (0..1) of the site's climate on a day of the year.
double MeanCloudCover(const SiteClimate& climate, int day);

// Random draws of a site, shared by its three year variants.
struct Draws {
    std::vector<double> dailyCloud, dailyTemp, dailyWind, dailyWindAngle, rainDay, dailyRain;
    std::vector<double> hourlyCloud, hourlyTemp, hourlyWind, hourlyAngle, rainHour, rainAmount;
    std::vector<float> visibility; // one per six-minute step
};

Draws MakeDraws(std::uint64_t seed, int siteNumber);

// Everything of a site that its year variants share: climate, random draws and the
// clear sky of every six-minute step.
struct SiteWeather {
    SiteClimate climate;
    Draws draws;
    std::vector<float> cosZenith;       // 0 with the sun down
    std::vector<float> clearBeamNormal; // W/m2
    std::vector<float> diffuseBase;     // W/m2 on the horizontal, before clouds
    float sunrise[kDays];
    float sunset[kDays];
};

SiteWeather PrepareSiteWeather(const Site& site, std::uint64_t seed);

// Simulates one year variant. The three variants of a site share every random
// draw; only the cloudiness differs (less in the sunny year, more in the cloudy
// one), so the sunny year is sunnier than the average year in every month.
void SimulateYear(const Site& site, const SiteWeather& weather, std::uint64_t seed,
                  YearVariant variant, HourlyYear& year);

} // namespace quorvane::datakit

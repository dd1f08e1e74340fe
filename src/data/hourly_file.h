#pragma once

#include "data/load_status.h"
#include "data/modes.h"
#include "data/reporter.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

inline constexpr int kHourlyDays = 365;
inline constexpr int kHoursPerDay = 24;
inline constexpr int kHourlyElements = 9;
inline constexpr int kDailySummaries = 4;

// Element numbers of the hourly file (1-based, as in the file).
inline constexpr int kElementGlobal = 1;        // 0.01 MJ/m2
inline constexpr int kElementDirect = 2;        // 0.01 MJ/m2
inline constexpr int kElementDiffuse = 3;       // 0.01 MJ/m2
inline constexpr int kElementSunshine = 4;      // 0.1 h
inline constexpr int kElementTemperature = 5;   // 0.1 degC
inline constexpr int kElementWindDirection = 6; // 16-point code, 0 calm
inline constexpr int kElementWindSpeed = 7;     // 0.1 m/s
inline constexpr int kElementPrecipitation = 8; // 0.1 mm
inline constexpr int kElementSnowDepth = 9;     // cm

// An hourly value of this or more is missing (except wind direction and speed);
// a daily summary of exactly kMissingSummary is missing.
inline constexpr int kMissingHourly = 9999;
inline constexpr int kMissingSummary = 8888;

// One hourly data file in memory. Every array is indexed [day - 1][hour - 1][element - 1]
// (or [day - 1][summary - 1][element - 1]); about 1 MB, so a viewer allocates one
// and reuses it for every load.
struct HourlyDataSet {
    std::string header; // line 1 exactly as read (CP932), without its line end
    int hourlyValues[kHourlyDays][kHoursPerDay][kHourlyElements];      // missing -> 0
    int dailySummaries[kHourlyDays][kDailySummaries][kHourlyElements]; // 8888 -> 0
    int dailyIrradiation[kHourlyDays]; // sum of element 1 over the day, 0.01 MJ/m2
    int dailySunshine[kHourlyDays];    // sum of element 4 over the day, 0.1 h
    float dailyRealValues[kHourlyDays][kHourlyElements];
    int rawHourlyValues[kHourlyDays][kHoursPerDay][kHourlyElements];
    int rawDailySummaries[kHourlyDays][kDailySummaries][kHourlyElements];
    int flags[kHourlyDays][kHoursPerDay][kHourlyElements];
    double sunrise[kHourlyDays]; // hours, local standard time
    double sunset[kHourlyDays];

    // Reused by every parse so that reloading allocates nothing once it has grown.
    std::vector<char> fileBuffer;

    int Hourly(int day, int hour, int element) const {
        return hourlyValues[day - 1][hour - 1][element - 1];
    }
    int Flag(int day, int hour, int element) const { return flags[day - 1][hour - 1][element - 1]; }
    int Summary(int day, int summary, int element) const {
        return dailySummaries[day - 1][summary - 1][element - 1];
    }
    int RawSummary(int day, int summary, int element) const {
        return rawDailySummaries[day - 1][summary - 1][element - 1];
    }
    float DailyReal(int day, int element) const { return dailyRealValues[day - 1][element - 1]; }

    std::string HeaderUtf8() const;

    // Zeroes every array and empties the header (the buffer keeps its capacity).
    void Clear();
};

// "<hourlyFolder>/平均年/mea%05d.txt", "多照年/max%05d.txt" or "寡照年/min%05d.txt". When the
// UTF-8 year folder does not exist but one named in CP932 bytes does (archives
// unpacked from Windows), that one is used. Empty for an empty folder.
std::string HourlyFilePath(const std::string& hourlyFolder, YearVariant variant, int siteNumber);

// Whether a year-variant folder of `hourlyFolder` holds one of its site files
// ("平均年/mea#####.txt", "多照年/max#####.txt" or "寡照年/min#####.txt").
bool FolderHoldsHourlyData(const std::string& hourlyFolder);

// Parses one hourly file into `set`, replacing everything read from a file (sunrise
// and sunset stay). Fails only when the file cannot be read or is far too large to
// be an hourly file. A later line
// for the same day and element replaces the earlier one, and the daily sums are
// those of the stored hourly values.
LoadStatus ParseHourlyFile(HourlyDataSet& set, const std::string& path);

// Zeroes `set`, then reads the site's hourly file of the year variant and its
// sunrise/sunset table from `mapFolder`; a failure is reported.
LoadStatus LoadHourlyData(HourlyDataSet& set, YearVariant variant, int siteNumber,
                          const std::string& hourlyFolder, const std::string& mapFolder,
                          MessageReporter& reporter);

} // namespace quorvane

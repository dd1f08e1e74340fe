#pragma once

#include "data/load_status.h"
#include "data/reporter.h"

#include <array>
#include <string>

namespace quorvane {

inline constexpr int kMonthlyColumnCount = 17;  // 12 months, year, winter, spring, summer, autumn
inline constexpr int kMonthlyAzimuthCount = 13; // 0..180 degrees from south in steps of 15
inline constexpr int kMonthlyTiltCount = 10;    // 0..90 degrees in steps of 10
inline constexpr int kOptimumRowCount = 8;
inline constexpr int kVariationRowCount = 3; // mean, maximum, minimum
inline constexpr int kMonthlyFileLineCount = 129;

// Every value is the file's value x 100, rounded half up and truncated towards zero.
using MonthlyRow = std::array<int, kMonthlyColumnCount>;

// One monthly data file in memory.
struct MonthlyRecord {
    std::string header; // line 1, the original CP932 bytes without the line end
    std::array<std::array<MonthlyRow, kMonthlyTiltCount>, kMonthlyAzimuthCount> planeValues{};
    std::array<MonthlyRow, kOptimumRowCount> optimumTable{};
    std::array<MonthlyRow, kVariationRowCount> variation{};
};

// The stored integer of a file value: value x 100 + 0.5, truncated towards zero,
// saturated to the int range.
int StoredMonthlyValue(double value);

// Whether `folder` holds a site file of the current edition ("m#####").
bool FolderHoldsMonthlyData(const std::string& folder);

// Reads "<folder>/m<site %05d>" into `record`. A failure is reported once and leaves
// the record zeroed. A file of the older edition ("<folder>/<site %05d>") present in
// the folder is refused.
LoadStatus LoadMonthlyData(const std::string& folder, int siteNumber, MonthlyRecord& record,
                           MessageReporter& reporter);

} // namespace quorvane

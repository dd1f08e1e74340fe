#pragma once

#include <optional>

namespace quorvane {

// The program's modes and codes as types. The integers of the dialogs' radio groups,
// the file names and the command line appear only where those are read or written,
// through ToIndex and the *FromIndex functions.

enum class YearVariant { Average = 0, HighSunshine = 1, LowSunshine = 2 };
inline constexpr int kYearVariantCount = 3;

// What a viewer shows: the database's horizontal values or irradiation computed on
// a tilted plane.
enum class DataKind { Horizontal = 0, Slope = 1 };

// The hourly viewer's orientations: a fixed tilt over all azimuths, a fixed azimuth
// over all tilts, or one orientation.
enum class HourlyAngleMode { FixedTilt = 0, FixedAzimuth = 1, Orientation = 2 };
inline constexpr int kHourlyAngleModeCount = 3;

// The monthly viewer's orientations: the three of the hourly viewer, then the
// optimum tilts and the irradiation at the monthly and at the annual optimum.
enum class MonthlyAngleMode {
    FixedTilt = 0,
    FixedAzimuth = 1,
    Orientation = 2,
    OptimumTilt = 3,
    MonthlyOptimum = 4,
    AnnualOptimum = 5,
};
inline constexpr int kMonthlyAngleModeCount = 6;

// The monthly viewer's display modes: one month, one orientation over the months,
// and the year-to-year variation.
enum class MonthlyDisplay { Month = 0, Orientation = 1, Variation = 2 };
inline constexpr int kMonthlyDisplayCount = 3;

template <class Mode>
constexpr int ToIndex(Mode mode) {
    return static_cast<int>(mode);
}

// The mode of a boundary integer 0..count-1, or nothing for any other.
template <class Mode>
constexpr std::optional<Mode> ModeFromIndex(int index, int count) {
    if (index < 0 || index >= count) {
        return std::nullopt;
    }
    return static_cast<Mode>(index);
}

constexpr std::optional<YearVariant> YearVariantFromIndex(int index) {
    return ModeFromIndex<YearVariant>(index, kYearVariantCount);
}
constexpr std::optional<HourlyAngleMode> HourlyAngleModeFromIndex(int index) {
    return ModeFromIndex<HourlyAngleMode>(index, kHourlyAngleModeCount);
}
constexpr std::optional<MonthlyAngleMode> MonthlyAngleModeFromIndex(int index) {
    return ModeFromIndex<MonthlyAngleMode>(index, kMonthlyAngleModeCount);
}
constexpr std::optional<MonthlyDisplay> MonthlyDisplayFromIndex(int index) {
    return ModeFromIndex<MonthlyDisplay>(index, kMonthlyDisplayCount);
}

} // namespace quorvane

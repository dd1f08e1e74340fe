#pragma once

namespace quorvane {

// The 365-day standard year: no 29 February anywhere.
inline constexpr int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

struct MonthDay {
    int month = 1;
    int day = 1;
    friend bool operator==(const MonthDay&, const MonthDay&) = default;
};

// Day of year 1..365. The month is clamped to 1..12 and the result to 1..365;
// the day is not checked against the month, so (2, 29) is 1 March (60).
int DayOfYear(int month, int day);

// Month and day of a day of year; values outside 1..365 wrap around the year.
// 0 gives month 1, day 0.
MonthDay MonthDayOfYear(int dayOfYear);

} // namespace quorvane

#include "solar/calendar.h"

namespace quorvane {

int DayOfYear(int month, int day) {
    if (month < 1) {
        month = 1;
    } else if (month > 12) {
        month = 12;
    }
    long long sum = day;
    for (int m = 0; m < month - 1; ++m) {
        sum += kDaysPerMonth[m];
    }
    if (sum <= 0) {
        return 1;
    }
    if (sum > 365) {
        return 365;
    }
    return static_cast<int>(sum);
}

MonthDay MonthDayOfYear(int n) {
    if (n < 0) {
        // Computed without negating n, which would overflow for INT_MIN.
        n = 364 - static_cast<int>((-static_cast<long long>(n) - 1) % 365);
    }
    if (n > 365) {
        n = ((n - 366) % 365) + 1;
    }
    int before = 0;
    for (int m = 0; m < 12; ++m) {
        if (n <= before + kDaysPerMonth[m]) {
            return {m + 1, n - before};
        }
        before += kDaysPerMonth[m];
    }
    return {12, 31};
}

} // namespace quorvane

#include "solar/calendar.h"

#include <climits>
#include <gtest/gtest.h>

using namespace quorvane;

TEST(DayOfYear, ClampsMonthAndResult) {
    EXPECT_EQ(DayOfYear(1, 1), 1);
    EXPECT_EQ(DayOfYear(3, 1), 60);
    EXPECT_EQ(DayOfYear(2, 29), 60) << "29 February is 1 March";
    EXPECT_EQ(DayOfYear(13, 1), 335) << "month clamped to December";
    EXPECT_EQ(DayOfYear(0, 5), 5) << "month clamped to January";
    EXPECT_EQ(DayOfYear(1, 0), 1);
    EXPECT_EQ(DayOfYear(12, 40), 365);
    EXPECT_EQ(DayOfYear(12, 31), 365);
    EXPECT_EQ(DayOfYear(1, -20), 1);
    EXPECT_EQ(DayOfYear(12, INT_MAX), 365);
}

TEST(MonthDayOfYear, WrapsAroundTheYear) {
    EXPECT_EQ(MonthDayOfYear(1), (MonthDay{1, 1}));
    EXPECT_EQ(MonthDayOfYear(59), (MonthDay{2, 28}));
    EXPECT_EQ(MonthDayOfYear(60), (MonthDay{3, 1}));
    EXPECT_EQ(MonthDayOfYear(365), (MonthDay{12, 31}));
    EXPECT_EQ(MonthDayOfYear(366), (MonthDay{1, 1}));
    EXPECT_EQ(MonthDayOfYear(731), (MonthDay{1, 1}));
    EXPECT_EQ(MonthDayOfYear(-1), (MonthDay{12, 30})) << "day 364";
    EXPECT_EQ(MonthDayOfYear(-365), (MonthDay{1, 0})) << "wraps to 0";
    EXPECT_EQ(MonthDayOfYear(0), (MonthDay{1, 0}));
    EXPECT_EQ(MonthDayOfYear(INT_MIN), (MonthDay{2, 26})) << "no overflow";
}

TEST(Calendar, EveryDayRoundTrips) {
    for (int n = 1; n <= 365; ++n) {
        MonthDay md = MonthDayOfYear(n);
        EXPECT_EQ(DayOfYear(md.month, md.day), n);
    }
}

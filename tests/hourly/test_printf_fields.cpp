#include "hourly/printf_fields.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace quorvane {
namespace {

std::string Int(int value, int width, bool zeroPad) {
    char text[kMaxIntField];
    return std::string(text, AppendInt(text, value, width, zeroPad));
}

std::string Printf(const char* format, auto value) {
    char text[512];
    int n = std::snprintf(text, sizeof text, format, value);
    return std::string(text, static_cast<std::size_t>(n));
}

std::string Fixed(double value, int width) {
    char text[kMaxFixed1Field];
    return std::string(text, AppendFixed1(text, value, width));
}

TEST(AppendInt, MatchesPrintfOnEdgeValues) {
    const int values[] = {0,     1,     -1,     7,     9,       10,      -9,     99,
                          -99,   999,   1000,   -999,  9999,    10000,   -10000, 12345,
                          88888, 99999, 100000, -1234, INT_MAX, INT_MIN, 8888,   -5};
    for (int value : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(Int(value, 0, false), Printf("%d", value));
        EXPECT_EQ(Int(value, 1, false), Printf("%1d", value));
        EXPECT_EQ(Int(value, 2, false), Printf("%2d", value));
        EXPECT_EQ(Int(value, 4, false), Printf("%4d", value));
        EXPECT_EQ(Int(value, 5, false), Printf("%5d", value));
        EXPECT_EQ(Int(value, 2, true), Printf("%02d", value));
        EXPECT_EQ(Int(value, 3, true), Printf("%03d", value));
        EXPECT_EQ(Int(value, 5, true), Printf("%05d", value));
    }
}

TEST(AppendInt, MatchesPrintfOnARangeOfValues) {
    for (int value = -20000; value <= 20000; value += 7) {
        ASSERT_EQ(Int(value, 4, false), Printf("%4d", value));
        ASSERT_EQ(Int(value, 5, true), Printf("%05d", value));
    }
}

TEST(AppendFixed1, MatchesPrintfOnRoundingEdges) {
    const double values[] = {0.0,   -0.0,   0.05, 0.15,     0.25,       0.35,   -0.05,
                             -0.04, 0.95,   9.95, 99.95,    999.95,     -99.95, 12.25,
                             12.35, 1e6,    -1e7, 123456.7, 1e15 + 0.5, 3.4e38, -3.4e38,
                             1e300, 5e-324, 2.5,  -2.5,     0.45,       1.45};
    for (double value : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(Fixed(value, 0), Printf("%.1f", value));
        EXPECT_EQ(Fixed(value, 4), Printf("%4.1f", value));
        EXPECT_EQ(Fixed(value, 5), Printf("%5.1f", value));
    }
}

TEST(AppendFixed1, MatchesPrintfOnNonFiniteValues) {
    const double values[] = {
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};
    for (double value : values) {
        EXPECT_EQ(Fixed(value, 5), Printf("%5.1f", value));
        EXPECT_EQ(Fixed(value, 0), Printf("%.1f", value));
    }
}

// The exports print floats read with one decimal, widened to double.
TEST(AppendFixed1, MatchesPrintfOnWidenedFloats) {
    for (int tenths = -100000; tenths <= 100000; ++tenths) {
        double widened = static_cast<float>(tenths / 10.0);
        ASSERT_EQ(Fixed(widened, 5), Printf("%5.1f", widened)) << tenths;
    }
    std::uint32_t bits = 12345;
    for (int i = 0; i < 200000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        double widened = std::bit_cast<float>(bits);
        ASSERT_EQ(Fixed(widened, 5), Printf("%5.1f", widened)) << bits;
    }
}

} // namespace
} // namespace quorvane

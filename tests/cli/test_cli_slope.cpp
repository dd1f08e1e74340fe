#include "run_process.h"
#include "solar/slope_model.h"
#include "temp_dir.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace quorvane;
using namespace quorvane::test;

namespace {

class CliSlopeTest : public ::testing::Test {
protected:
    ProcessResult Run(const std::string& input, const std::string& arguments = "",
                      const std::string& environment = "") {
        return RunProcess(QUORVANE_CLI_PATH, "slope " + arguments, dir,
                          {.environment = environment, .input = input});
    }

    TempDir dir;
};

std::string Printed(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g\n", value);
    return text;
}

// The input line's fields in their order.
std::string Expected(int day, int hour, double global, double direct, double diffuse, double snow,
                     double latitude, double longitude, double elevation, double tilt,
                     double azimuth, double sunrise, double sunset) {
    const HorizontalHour in{day, hour, sunrise, sunset, global, direct, diffuse, snow};
    return Printed(SlopeIrradiance(in, {longitude, latitude, elevation}, tilt, azimuth));
}

} // namespace

TEST_F(CliSlopeTest, PrintsOneFullPrecisionResultPerLine) {
    std::string input = "172 12 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19\n"
                        "172 1 0 0.3 0.2 0 35.69 139.76 25 30 0 4.43 19\r\n"
                        "\n"
                        "  15\t7 0.5 0.2 0.3 10 43.06 141.33 17 45 -60 6.9 16.1  \n"
                        "15 17 0.9 0.4 0.5 0 43.06 141.33 17 45 300 6.9 16.1\n"
                        "100 12 1.75 1.0 0.8 0 26.2 127.68 5 0 0 6.2 18.8";
    ProcessResult result = Run(input);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::string expected =
        Expected(172, 12, 3.2, 2.1, 1.1, 0, 35.69, 139.76, 25, 30, 0, 4.43, 19) +
        Expected(172, 1, 0, 0.3, 0.2, 0, 35.69, 139.76, 25, 30, 0, 4.43, 19) +
        Expected(15, 7, 0.5, 0.2, 0.3, 10, 43.06, 141.33, 17, 45, -60, 6.9, 16.1) +
        Expected(15, 17, 0.9, 0.4, 0.5, 0, 43.06, 141.33, 17, 45, 300, 6.9, 16.1) +
        Expected(100, 12, 1.75, 1.0, 0.8, 0, 26.2, 127.68, 5, 0, 0, 6.2, 18.8);
    EXPECT_EQ(result.out, expected);
    // Independent anchors: the June noon in Tokyo, and tilt 0 returning the global value.
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')), "3.2165641145205726");
    EXPECT_EQ(result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1), "1.75\n");
}

TEST_F(CliSlopeTest, OutputIgnoresTheUsersLocale) {
    ProcessResult result = Run("172 12 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19\n", "",
                               "LC_ALL=de_DE.UTF-8 LC_NUMERIC=de_DE.UTF-8");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "3.2165641145205726\n");
}

TEST_F(CliSlopeTest, EmptyInputPrintsNothing) {
    ProcessResult result = Run("");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST_F(CliSlopeTest, MalformedLineStopsWithItsNumber) {
    const std::string good = "172 12 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19\n";
    struct Case {
        const char* name;
        std::string line;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"tooFewFields", "172 12 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43", "found 12"},
        {"tooManyFields", "172 12 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19 7", "found 14"},
        {"word", "172 12 abc 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19", "global"},
        {"trailingJunk", "172 12 3.2 2.1x 1.1 0 35.69 139.76 25 30 0 4.43 19", "direct"},
        {"commaDecimal", "172 12 3,2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19", "global"},
        {"fractionalDay", "7.5 12 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19", "day"},
        {"dayZero", "0 12 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19", "1..365"},
        {"day366", "366 12 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19", "1..365"},
        {"hour25", "172 25 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19", "1..24"},
        {"hugeHour", "172 99999999999 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 19", "hour"},
        {"notANumber", "172 12 3.2 2.1 1.1 0 nan 139.76 25 30 0 4.43 19", "latitude"},
        {"infinite", "172 12 3.2 2.1 1.1 0 35.69 139.76 25 inf 0 4.43 19", "tilt"},
        // Finite but absurd values used to come out as -nan.
        {"absurd", "172 12 1e308 1e308 1e308 1e308 1e308 1e308 1e308 1e308 1e308 1e308 1e308",
         "global must be 0..10"},
        {"negativeDiffuse", "172 12 3.2 2.1 -1 0 35.69 139.76 25 30 0 4.43 19", "diffuse"},
        {"latitude91", "172 12 3.2 2.1 1.1 0 91 139.76 25 30 0 4.43 19", "latitude must"},
        {"deepElevation", "172 12 3.2 2.1 1.1 0 35.69 139.76 -501 30 0 4.43 19", "elevation"},
        {"tilt91", "172 12 3.2 2.1 1.1 0 35.69 139.76 25 91 0 4.43 19", "tilt must be 0..90"},
        {"sunset25", "172 12 3.2 2.1 1.1 0 35.69 139.76 25 30 0 4.43 25", "sunset"},
    };
    for (const Case& c : cases) {
        ProcessResult result = Run(good + good + c.line + "\n" + good);
        EXPECT_EQ(result.exitCode, 1) << c.name;
        EXPECT_NE(result.err.find("line 3: "), std::string::npos) << c.name << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.name << ": " << result.err;
        EXPECT_EQ(result.out, "3.2165641145205726\n3.2165641145205726\n") << c.name;
    }
}

TEST_F(CliSlopeTest, RejectsArguments) {
    ProcessResult result = Run("", "--tilt 30");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("usage"), std::string::npos);
}

#include "solar/sun_position.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

constexpr double kRoundedPi = 3.141593;

double Rad(double degrees) {
    return degrees * kRoundedPi / 180.0;
}

} // namespace

// Reference values from an independent evaluation of the Fourier series.
TEST(SolarDeclination, FollowsTheFourierSeriesThroughTheYear) {
    // Day 1: G = 0, so only the cosine terms remain.
    EXPECT_DOUBLE_EQ(SolarDeclination(1), (0.006918 - 0.399912 - 0.006758) * 57.29577319531843);
    EXPECT_NEAR(SolarDeclination(1), -22.904099926374933, 1e-12);
    EXPECT_NEAR(SolarDeclination(81), 0.31501184972125196, 1e-12) << "near the March equinox";
    EXPECT_NEAR(SolarDeclination(172), 23.27652459029315, 1e-12) << "near the June solstice";
    EXPECT_NEAR(SolarDeclination(355), -23.24400959357923, 1e-12) << "near the December solstice";
}

TEST(SolarDeclination, DayAngleUsesTheRoundedPi) {
    EXPECT_EQ(DayAngleRad(1), 0.0);
    EXPECT_DOUBLE_EQ(DayAngleRad(366), 360.0 * kRoundedPi / 180.0);
    EXPECT_DOUBLE_EQ(DayAngleRad(74), 73.0 * 360.0 / 365.0 * kRoundedPi / 180.0);
}

TEST(EquationOfTime, MinutesThroughTheYear) {
    EXPECT_DOUBLE_EQ(EquationOfTimeMinutes(1), 0.0172 + 0.4281 - 3.3495);
    EXPECT_NEAR(EquationOfTimeMinutes(45), -14.257154264068578, 1e-12) << "mid-February minimum";
    EXPECT_NEAR(EquationOfTimeMinutes(305), 16.37930839516614, 1e-12) << "early-November maximum";
}

TEST(SunlitMidpointOffset, MiddleOfAnOrdinaryHour) {
    EXPECT_EQ(SunlitMidpointOffset(12, 4.43, 19.0), 0.5);
    EXPECT_EQ(SunlitMidpointOffset(1, 6.5, 17.25), 0.5);
    EXPECT_EQ(SunlitMidpointOffset(8, 6.5, 17.25), 0.5) << "the hour after the sunrise hour";
}

TEST(SunlitMidpointOffset, SunriseHourUsesTheSunlitPart) {
    // Sunrise 6:30: hour 7 is evaluated at 6:45, 0.25 h before its end.
    EXPECT_EQ(SunlitMidpointOffset(7, 6.5, 17.25), 0.25);
    EXPECT_EQ(7 - SunlitMidpointOffset(7, 6.5, 17.25), 6.75);
    EXPECT_EQ(SunlitMidpointOffset(7, 6.0, 17.25), 0.5) << "whole-hour sunrise: no sunlit part";
}

TEST(SunlitMidpointOffset, SunsetHourUsesTheSunlitPart) {
    // Sunset 17:15: hour 18 is evaluated at 17:07:30 = 17.125 h.
    EXPECT_EQ(SunlitMidpointOffset(18, 6.5, 17.25), 0.875);
    EXPECT_EQ(18 - SunlitMidpointOffset(18, 6.5, 17.25), 17.125);
    // Whole-hour sunset 18:00: hour 18 is the ordinary 17:30.
    EXPECT_EQ(SunlitMidpointOffset(18, 6.5, 18.0), 0.5);
    EXPECT_EQ(SunlitMidpointOffset(19, 6.5, 18.0), 0.5);
}

TEST(SunlitMidpointOffset, WholeSunsetUndoesTheSunriseRuleInItsHour) {
    // Sunrise 17:30 and sunset 18:00 share hour 18: the sunset rule wins.
    EXPECT_EQ(SunlitMidpointOffset(18, 17.5, 18.0), 0.5);
    // Both fractional in the same hour: the sunset rule wins too.
    EXPECT_EQ(SunlitMidpointOffset(7, 6.2, 6.8), 1.0 - (6.8 - 6.0) * 0.5);
}

TEST(SunlitMidpointOffset, WildTimesDoNotOverflow) {
    EXPECT_EQ(SunlitMidpointOffset(12, 1e300, -1e300), 0.5);
    EXPECT_EQ(SunlitMidpointOffset(12, NAN, NAN), 0.5);
}

// The hour angle less the equation of time (E / 4 degrees) is the clock's part.
TEST(HourAngle, ClockHoursAtTheStandardMeridian) {
    for (int day : {1, 45, 172, 305}) {
        double equationDeg = EquationOfTimeMinutes(day) / 4.0;
        EXPECT_NEAR(HourAngle(day, 12, 135.0, 5.0, 19.0) - equationDeg, -7.5, 1e-12) << day;
        EXPECT_NEAR(HourAngle(day, 13, 135.0, 5.0, 19.0) - equationDeg, 7.5, 1e-12) << day;
        EXPECT_NEAR(HourAngle(day, 1, 135.0, 5.0, 19.0) - equationDeg, -172.5, 1e-12) << day;
    }
}

TEST(HourAngle, SunriseAndSunsetHours) {
    double equationDeg = EquationOfTimeMinutes(100) / 4.0;
    // 6:45 is 5.25 h before noon; 17:07:30 is 5.125 h after; 17:30 is 5.5 h after.
    EXPECT_NEAR(HourAngle(100, 7, 135.0, 6.5, 17.25) - equationDeg, -78.75, 1e-12);
    EXPECT_NEAR(HourAngle(100, 18, 135.0, 6.5, 17.25) - equationDeg, 76.875, 1e-12);
    EXPECT_NEAR(HourAngle(100, 18, 135.0, 6.5, 18.0) - equationDeg, 82.5, 1e-12);
}

TEST(HourAngle, LongitudeShiftsTheSunByItsDifferenceFromTheMeridian) {
    double equationDeg = EquationOfTimeMinutes(200) / 4.0;
    // Tokyo at 139.75 E is 4.75 degrees of hour angle ahead of 135 E.
    EXPECT_NEAR(HourAngle(200, 12, 139.75, 5.0, 19.0) - equationDeg, -2.75, 1e-12);
    EXPECT_NEAR(HourAngle(200, 12, 127.75, 5.0, 19.0) - equationDeg, -14.75, 1e-12);
}

TEST(CosZenith, NoonAndTheHorizon) {
    // Sun in the zenith plane: cos(latitude - declination).
    EXPECT_NEAR(CosZenith(35.0, 0.0, 0.0), std::cos(Rad(35.0)), 1e-15);
    EXPECT_NEAR(CosZenith(35.0, 23.0, 0.0), std::cos(Rad(12.0)), 1e-15);
    // At the equator on an equinox the sun sets at hour angle 90.
    EXPECT_NEAR(CosZenith(0.0, 0.0, 90.0), 0.0, 1e-6);
    // Written out: sin phi sin d + cos phi cos d cos w.
    double expected = std::sin(Rad(43.06)) * std::sin(Rad(-20.0)) +
                      std::cos(Rad(43.06)) * std::cos(Rad(-20.0)) * std::cos(Rad(-40.0));
    EXPECT_EQ(CosZenith(43.06, -20.0, -40.0), expected);
}

TEST(CosIncidence, HorizontalPlaneSeesTheZenithAngle) {
    for (double azimuth = -180.0; azimuth <= 359.0; azimuth += 17.0) {
        for (double hourAngle : {-100.0, -45.0, 0.0, 30.0, 95.0}) {
            EXPECT_DOUBLE_EQ(CosIncidence(35.69, 12.3, hourAngle, 0.0, azimuth),
                             CosZenith(35.69, 12.3, hourAngle))
                << azimuth << " " << hourAngle;
        }
    }
}

TEST(CosIncidence, PlanesFacingAndAvoidingTheNoonSun) {
    // Tilted south by latitude - declination, the plane faces the noon sun.
    EXPECT_NEAR(CosIncidence(35.0, 10.0, 0.0, 25.0, 0.0), 1.0, 1e-15);
    // A vertical plane facing east or west is edge-on to the noon sun.
    EXPECT_NEAR(CosIncidence(35.0, 10.0, 0.0, 90.0, -90.0), 0.0, 1e-6);
    EXPECT_NEAR(CosIncidence(35.0, 10.0, 0.0, 90.0, 90.0), 0.0, 1e-6);
    // A vertical plane facing north has the noon sun behind it.
    EXPECT_NEAR(CosIncidence(35.0, 10.0, 0.0, 90.0, 180.0), -std::sin(Rad(25.0)), 1e-6);
    // Afternoon sun (positive hour angle) lights the west-facing plane.
    EXPECT_GT(CosIncidence(35.0, 10.0, 45.0, 90.0, 90.0), 0.0);
    EXPECT_LT(CosIncidence(35.0, 10.0, 45.0, 90.0, -90.0), 0.0);
    // Azimuth 270 is the same plane as -90.
    EXPECT_NEAR(CosIncidence(35.0, 10.0, 45.0, 60.0, 270.0),
                CosIncidence(35.0, 10.0, 45.0, 60.0, -90.0), 1e-6);
}

TEST(SolarAltitude, ClampsTheCosineBeforeTheArccosine) {
    EXPECT_EQ(SolarAltitudeRad(1.0), 1.5707965);
    EXPECT_EQ(SolarAltitudeRad(std::nextafter(1.0, 2.0)), 1.5707965) << "not NaN";
    EXPECT_EQ(SolarAltitudeRad(0.0), 1.5707965 - std::acos(0.0));
    EXPECT_EQ(SolarAltitudeRad(-1.0), 1.5707965 - std::acos(-1.0));
    EXPECT_EQ(SolarAltitudeRad(std::nextafter(-1.0, -2.0)), 1.5707965 - std::acos(-1.0));
}

TEST(SunPositionAt, GathersDeclinationHourAngleAndZenith) {
    SunPosition sun = SunPositionAt(172, 12, 35.69, 139.76, 4.43, 19.0);
    EXPECT_EQ(sun.declinationDeg, SolarDeclination(172));
    EXPECT_EQ(sun.hourAngleDeg, HourAngle(172, 12, 139.76, 4.43, 19.0));
    EXPECT_EQ(sun.cosZenith, CosZenith(35.69, sun.declinationDeg, sun.hourAngleDeg));
    EXPECT_GT(sun.cosZenith, 0.9) << "June noon in Tokyo, altitude about 77 degrees";
}

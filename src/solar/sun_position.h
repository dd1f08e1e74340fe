#pragma once

namespace quorvane {

// Angles are passed in degrees; radians come from degrees x 3.141593 / 180, a
// rounded pi that every stored result was computed with.
inline constexpr double kSolarPi = 3.141593;
inline constexpr double kSolarHalfPi = 1.5707965;

inline double Radians(double degrees) {
    return degrees * kSolarPi / 180.0;
}

// Day angle G in radians of a day of year: (day - 1) x 360 / 365, in radians.
double DayAngleRad(int day);

// Solar declination in degrees (about -23.4 .. +23.4) of a day of year 1..365
// (Fourier series in the day angle).
double SolarDeclination(int day);

// Equation of time in minutes (about -14 .. +16) of a day of year 1..365;
// positive when the sun runs ahead of the clock.
double EquationOfTimeMinutes(int day);

// Hours before the end of hour-ending `hour` at which the sun is placed: 0.5 (the
// middle of the hour) except in the sunrise and sunset hours, where the sun is
// placed in the middle of the sunlit part. Sunrise and sunset in hours of local
// standard time (6.5 = 6:30).
double SunlitMidpointOffset(int hour, double sunriseHour, double sunsetHour);

// Hour angle in degrees (0 at solar noon, positive in the afternoon) of hour-ending
// `hour` 1..24 at longitude `longitudeDeg` east, local standard time on 135 deg E.
double HourAngle(int day, int hour, double longitudeDeg, double sunriseHour, double sunsetHour);
// The same from the day's equation of time, for many hours of one day.
double HourAngleOfDay(double equationMinutes, int hour, double longitudeDeg, double sunriseHour,
                      double sunsetHour);

// Cosine of the solar zenith angle (= sine of the altitude), -1..1 up to rounding.
double CosZenith(double latitudeDeg, double declinationDeg, double hourAngleDeg);

// Cosine of the angle of incidence of the sun on a plane of tilt 0 (horizontal)
// .. 90 (vertical) degrees and azimuth 0 = south, positive towards west.
double CosIncidence(double latitudeDeg, double declinationDeg, double hourAngleDeg, double tiltDeg,
                    double azimuthDeg);

// Solar altitude in radians, 1.5707965 minus the zenith angle. The cosine is
// clamped to -1..1 first: rounding can push it just past 1 with the sun overhead.
double SolarAltitudeRad(double cosZenith);

struct SunPosition {
    double declinationDeg = 0.0;
    double hourAngleDeg = 0.0;
    double cosZenith = 0.0;
};

// The sun in hour-ending `hour` of `day` at a site.
SunPosition SunPositionAt(int day, int hour, double latitudeDeg, double longitudeDeg,
                          double sunriseHour, double sunsetHour);

} // namespace quorvane

#include "solar/sun_position.h"

#include "solar/solar_terms.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

double DayAngleRad(int day) {
    return (day - 1) * 360.0 / 365.0 * kSolarPi / 180.0;
}

double SolarDeclination(int day) {
    double g = DayAngleRad(day);
    return (0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) -
            0.006758 * std::cos(2.0 * g) + 0.000907 * std::sin(2.0 * g)) *
           57.29577319531843;
}

double EquationOfTimeMinutes(int day) {
    double g = DayAngleRad(day);
    return 0.0172 + 0.4281 * std::cos(g) - 7.3515 * std::sin(g) - 3.3495 * std::cos(2.0 * g) -
           9.3619 * std::sin(2.0 * g);
}

double SunlitMidpointOffset(int hour, double sunriseHour, double sunsetHour) {
    // std::trunc instead of a cast to int: a wild sunrise must not overflow.
    double offset = 0.5;
    double sunriseWhole = std::trunc(sunriseHour);
    if (sunriseHour != sunriseWhole && hour == sunriseWhole + 1.0) {
        offset = (hour - sunriseHour) * 0.5;
    }
    double sunsetWhole = std::trunc(sunsetHour);
    if (sunsetHour != sunsetWhole) {
        if (hour == sunsetWhole + 1.0) {
            offset = 1.0 - (sunsetHour - (hour - 1)) * 0.5;
        }
    } else if (hour == sunsetHour) {
        offset = 0.5;
    }
    return offset;
}

double HourAngle(int day, int hour, double longitudeDeg, double sunriseHour, double sunsetHour) {
    return HourAngleOfDay(EquationOfTimeMinutes(day), hour, longitudeDeg, sunriseHour, sunsetHour);
}

double HourAngleOfDay(double equationMinutes, int hour, double longitudeDeg, double sunriseHour,
                      double sunsetHour) {
    double offset = SunlitMidpointOffset(hour, sunriseHour, sunsetHour);
    return -15.0 *
           ((offset + 12.0 - hour - longitudeDeg * 24.0 / 360.0 + 9.0) - equationMinutes / 60.0);
}

double CosZenith(double latitudeDeg, double declinationDeg, double hourAngleDeg) {
    double latitude = Radians(latitudeDeg);
    double declination = Radians(declinationDeg);
    return std::sin(latitude) * std::sin(declination) +
           std::cos(latitude) * std::cos(declination) * std::cos(Radians(hourAngleDeg));
}

double CosIncidence(double latitudeDeg, double declinationDeg, double hourAngleDeg, double tiltDeg,
                    double azimuthDeg) {
    double latitude = Radians(latitudeDeg);
    double declination = Radians(declinationDeg);
    double hourAngle = Radians(hourAngleDeg);
    double tilt = Radians(tiltDeg);
    double azimuth = Radians(azimuthDeg);
    double cosDeclination = std::cos(declination);
    return solar_terms::CosIncidenceFromTrig(
        std::sin(latitude), std::cos(latitude), std::sin(declination), cosDeclination,
        std::sin(hourAngle), std::cos(hourAngle) * cosDeclination, std::sin(tilt), std::cos(tilt),
        std::sin(azimuth), std::cos(azimuth));
}

double SolarAltitudeRad(double cosZenith) {
    return kSolarHalfPi - std::acos(std::clamp(cosZenith, -1.0, 1.0));
}

SunPosition SunPositionAt(int day, int hour, double latitudeDeg, double longitudeDeg,
                          double sunriseHour, double sunsetHour) {
    SunPosition sun;
    sun.declinationDeg = SolarDeclination(day);
    sun.hourAngleDeg = HourAngle(day, hour, longitudeDeg, sunriseHour, sunsetHour);
    sun.cosZenith = CosZenith(latitudeDeg, sun.declinationDeg, sun.hourAngleDeg);
    return sun;
}

} // namespace quorvane

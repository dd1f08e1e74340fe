#include "sun.h"

#include <algorithm>
#include <cmath>

namespace quorvane::datakit {
namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
} // namespace

SunState SunAt(int day, double hourJst) {
    // Spencer's series in the day angle, taken at the moment itself (UT = JST - 9).
    const double g = 2.0 * kPi * (day - 1 + (hourJst - 9.0 - 12.0) / 24.0) / 365.0;
    SunState s;
    s.declinationRad = 0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) -
                       0.006758 * std::cos(2 * g) + 0.000907 * std::sin(2 * g) -
                       0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g);
    s.equationOfTimeMin = 229.18 * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) -
                                    0.014615 * std::cos(2 * g) - 0.040849 * std::sin(2 * g));
    s.eccentricity = 1.000110 + 0.034221 * std::cos(g) + 0.001280 * std::sin(g) +
                     0.000719 * std::cos(2 * g) + 0.000077 * std::sin(2 * g);
    return s;
}

double CosZenithAt(double latitudeDeg, double longitudeDeg, int day, double hourJst) {
    const SunState s = SunAt(day, hourJst);
    const double solarTime = hourJst + (longitudeDeg - 135.0) / 15.0 + s.equationOfTimeMin / 60.0;
    const double hourAngle = (solarTime - 12.0) * 15.0 * kDeg;
    const double lat = latitudeDeg * kDeg;
    return std::sin(lat) * std::sin(s.declinationRad) +
           std::cos(lat) * std::cos(s.declinationRad) * std::cos(hourAngle);
}

RiseSet SunriseSunset(double latitudeDeg, double longitudeDeg, int day) {
    const double lat = latitudeDeg * kDeg;
    const double h0 = -0.833 * kDeg;
    auto event = [&](double sign) {
        double t = 12.0 + sign * 6.0;
        // The declination and the equation of time are taken at the event itself.
        for (int i = 0; i < 4; ++i) {
            const SunState s = SunAt(day, t);
            double c = (std::sin(h0) - std::sin(lat) * std::sin(s.declinationRad)) /
                       (std::cos(lat) * std::cos(s.declinationRad));
            c = std::clamp(c, -1.0, 1.0);
            const double hourAngleH = std::acos(c) / kDeg / 15.0;
            const double noon = 12.0 - (longitudeDeg - 135.0) / 15.0 - s.equationOfTimeMin / 60.0;
            t = noon + sign * hourAngleH;
        }
        return t;
    };
    return {event(-1.0), event(1.0)};
}

} // namespace quorvane::datakit

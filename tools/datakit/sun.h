#pragma once

namespace quorvane::datakit {

// The sun for the weather model and the sunrise/sunset tables, on the 365-day
// standard year, time in hours of Japan Standard Time (meridian 135° E).
struct SunState {
    double declinationRad = 0.0;
    double equationOfTimeMin = 0.0;
    double eccentricity = 1.0; // (r0 / r)^2
};

// `hourJst` may run from 0 to 24 on day `day` (1..365).
SunState SunAt(int day, double hourJst);

// Cosine of the zenith angle at a place and time.
double CosZenithAt(double latitudeDeg, double longitudeDeg, int day, double hourJst);

struct RiseSet {
    double sunrise = 0.0; // hours JST; the sun's centre 0.833° below the horizon
    double sunset = 0.0;
};

RiseSet SunriseSunset(double latitudeDeg, double longitudeDeg, int day);

} // namespace quorvane::datakit

#pragma once

#include "solar/sun_position.h"

namespace quorvane {

// Where a site lies: degrees east, degrees north, metres above sea level.
struct SiteLocation {
    double longitudeDeg = 0.0;
    double latitudeDeg = 0.0;
    double elevationM = 0.0;
    friend bool operator==(const SiteLocation&, const SiteLocation&) = default;
};

// One hour of horizontal data and when it lies: day of year 1..365, hour 1..24
// hour-ending local standard time, that day's sunrise and sunset in hours;
// irradiation in MJ/m2 in the hour, snow depth in cm.
struct HorizontalHour {
    int day = 1;
    int hour = 1;
    double sunriseHour = 0.0;
    double sunsetHour = 0.0;
    double globalMJ = 0.0;
    double directMJ = 0.0;
    double diffuseMJ = 0.0;
    double snowDepthCm = 0.0;
};

// Hourly irradiation on a tilted plane in MJ/m2 from one hour of horizontal data.
// Angles in degrees: tilt 0 horizontal .. 90 vertical, azimuth 0 = south, positive
// towards west. Tilt exactly 0 returns the global value unchanged.
double SlopeIrradiance(const HorizontalHour& hour, const SiteLocation& site, double tiltDeg,
                       double azimuthDeg);

// Diffuse sky irradiation on the plane in MJ/m2 (Perez 1987 coefficients with a
// geometric circumsolar region), from the solar altitude in radians and the cosine
// of the angle of incidence. 0 with the sun at or below the horizon or no diffuse.
double PerezDiffuse(int day, double directMJ, double diffuseMJ, double elevationM, double tiltDeg,
                    double altitudeRad, double cosIncidence);

// Ground-reflected irradiation on the plane in MJ/m2, >= 0; albedo 0.7 with snow
// cover (deeper than 5 cm in March..October, than 0 cm otherwise), else 0.2.
double GroundReflected(int day, double directMJ, double diffuseMJ, double snowDepthCm,
                       double tiltDeg);

// Albedo of the ground on `day` under `snowDepthCm` of snow.
double GroundAlbedo(int day, double snowDepthCm);

struct PerezCoefficients {
    double f11, f12, f13, f21, f22, f23;
};

// Sky-clearness bin 1..8: the first whose (inclusive) upper bound is >= the
// clearness; anything above the last bound, and NaN, falls in bin 8.
int PerezClearnessBin(double clearness);
const PerezCoefficients& PerezBinCoefficients(int bin);

// Perez sky terms of one hour; none depends on the plane.
struct PerezSky {
    bool lit = false; // false: the diffuse part is 0 on every plane
    double diffuseMJ = 0.0;
    double f1 = 0.0;                  // circumsolar brightening
    double f2 = 0.0;                  // horizon brightening
    double circumsolarFraction = 1.0; // pH: visible part of the circumsolar disc
    double horizontalB = 1.0;         // circumsolar weight on the horizontal
};

PerezSky PreparePerezSky(int day, double directMJ, double diffuseMJ, double elevationM,
                         double altitudeRad);

// Every term of one day and hour of a site that does not depend on the plane.
// EvaluateSlope on it returns exactly (bit for bit) what SlopeIrradiance returns.
struct SlopeHour {
    double globalMJ = 0.0;
    double directMJ = 0.0;
    double cosZenith = 0.0;
    double sinLatitude = 0.0;
    double cosLatitude = 1.0;
    double sinDeclination = 0.0;
    double cosDeclination = 1.0;
    double sinHourAngle = 0.0;
    double cosHourAngle = 1.0;
    double cosHourAngleCosDeclination = 1.0;
    double groundBaseMJ = 0.0; // (direct + diffuse) x albedo
    PerezSky sky;
};

SlopeHour PrepareSlopeHour(const HorizontalHour& hour, const SiteLocation& site);

// The terms every hour of one day at a site shares.
struct SlopeDay {
    int day = 1;
    double declinationDeg = 0.0;
    double equationMinutes = 0.0;
    double sinLatitude = 0.0;
    double cosLatitude = 1.0;
    double sinDeclination = 0.0;
    double cosDeclination = 1.0;
};

SlopeDay PrepareSlopeDay(int day, const SiteLocation& site);
// PrepareSlopeHour for an hour of `day`, the same to the last bit.
SlopeHour PrepareSlopeHour(const HorizontalHour& hour, const SiteLocation& site,
                           const SlopeDay& day);

// Trigonometry of one plane, for evaluating many hours on the same orientation.
struct SlopePlane {
    double tiltDeg = 0.0;
    double sinTilt = 0.0;
    double cosTilt = 1.0;
    double sinAzimuth = 0.0;
    double cosAzimuth = 1.0;
    double skyViewFactor = 1.0;  // (1 + cos tilt) x 0.5
    double groundViewTerm = 0.0; // 1 - cos tilt
};

SlopePlane PrepareSlopePlane(double tiltDeg, double azimuthDeg);

double EvaluateSlope(const SlopeHour& hour, const SlopePlane& plane);
double EvaluateSlope(const SlopeHour& hour, double tiltDeg, double azimuthDeg);

} // namespace quorvane

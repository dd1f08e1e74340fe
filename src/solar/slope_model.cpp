#include "solar/slope_model.h"

#include "solar/calendar.h"
#include "solar/solar_terms.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

struct PerezBin {
    double upperClearness; // inclusive
    PerezCoefficients coefficients;
};

// The 1987 coefficient set as the stored results were computed with it.
constexpr PerezBin kPerezBins[8] = {
    {1.056, {-0.011, 0.748, -0.080, -0.048, 0.073, -0.024}},
    {1.253, {-0.038, 1.115, -0.109, -0.023, 0.106, -0.037}},
    {1.586, {0.166, 0.909, -0.179, 0.062, -0.021, -0.050}},
    {2.134, {0.419, 0.646, -0.262, 0.140, -0.167, -0.042}},
    {3.23, {0.710, 0.025, -0.290, 0.243, -0.511, -0.004}},
    {5.98, {0.857, -0.370, -0.279, 0.267, -0.792, 0.076}},
    {10.08, {0.734, -0.073, -0.228, 0.231, -1.180, 0.199}},
    {999999.0, {0.421, -0.661, 0.097, 0.119, -2.125, 0.446}},
};

} // namespace

int PerezClearnessBin(double clearness) {
    for (int bin = 1; bin < 8; ++bin) {
        if (kPerezBins[bin - 1].upperClearness >= clearness) {
            return bin;
        }
    }
    return 8;
}

const PerezCoefficients& PerezBinCoefficients(int bin) {
    return kPerezBins[std::clamp(bin, 1, 8) - 1].coefficients;
}

PerezSky PreparePerezSky(int day, double directMJ, double diffuseMJ, double elevationM,
                         double altitudeRad) {
    PerezSky sky;
    double sinAltitude = std::sin(altitudeRad);
    if (altitudeRad >= kSolarHalfPi || sinAltitude < 0.001 || diffuseMJ < 0.000001) {
        return sky;
    }
    sky.lit = true;
    sky.diffuseMJ = diffuseMJ;

    double clearness = (diffuseMJ + directMJ / sinAltitude) / diffuseMJ;
    const PerezCoefficients& f = PerezBinCoefficients(PerezClearnessBin(clearness));

    double airMass =
        1.0 / (sinAltitude + 0.15 * std::pow(altitudeRad * 180.0 / kSolarPi + 3.885, -1.253));
    double pressureAirMass = airMass * std::pow(1.0 - elevationM / 44308.0, 5.257);
    if (pressureAirMass < 1.0) {
        pressureAirMass = 1.0;
    }
    double extraterrestrialMJ = 4.97 * (1.0 + 0.033 * std::cos((day - 2) * 6.283186 / 365.0));
    double brightness = diffuseMJ * pressureAirMass / extraterrestrialMJ;

    double zenithRad = kSolarHalfPi - altitudeRad;
    sky.f1 = f.f11 + f.f12 * brightness + f.f13 * zenithRad;
    sky.f2 = f.f21 + f.f22 * brightness + f.f23 * zenithRad;

    using namespace solar_terms;
    if (zenithRad >= k65DegRad) {
        sky.circumsolarFraction =
            (kSolarHalfPi - zenithRad + kCircumsolarHalfAngleRad) / kCircumsolarAngleRad;
        sky.horizontalB =
            sky.circumsolarFraction * std::sin(sky.circumsolarFraction * kCircumsolarHalfAngleRad);
    } else {
        sky.circumsolarFraction = 1.0;
        sky.horizontalB = std::cos(zenithRad);
    }
    return sky;
}

double PerezDiffuse(int day, double directMJ, double diffuseMJ, double elevationM, double tiltDeg,
                    double altitudeRad, double cosIncidence) {
    PerezSky sky = PreparePerezSky(day, directMJ, diffuseMJ, elevationM, altitudeRad);
    if (!sky.lit) {
        return 0.0;
    }
    double tilt = Radians(tiltDeg);
    double circumsolar = solar_terms::CircumsolarOnPlane(
        sky.circumsolarFraction, solar_terms::IncidenceAngleRad(cosIncidence));
    return solar_terms::SkyOnPlane(sky.diffuseMJ, sky.f1, sky.f2, sky.horizontalB, circumsolar,
                                   std::sin(tilt), solar_terms::SkyViewFactor(std::cos(tilt)));
}

double GroundAlbedo(int day, double snowDepthCm) {
    int month = MonthDayOfYear(day).month;
    double snowThresholdCm = (month >= 3 && month <= 10) ? 5.0 : 0.0;
    return snowDepthCm > snowThresholdCm ? 0.7 : 0.2;
}

double GroundReflected(int day, double directMJ, double diffuseMJ, double snowDepthCm,
                       double tiltDeg) {
    double groundBaseMJ = (directMJ + diffuseMJ) * GroundAlbedo(day, snowDepthCm);
    return solar_terms::GroundOnPlane(1.0 - std::cos(Radians(tiltDeg)), groundBaseMJ);
}

double SlopeIrradiance(const HorizontalHour& in, const SiteLocation& site, double tiltDeg,
                       double azimuthDeg) {
    if (tiltDeg == 0.0) {
        return in.globalMJ;
    }
    const int day = in.day;
    double declinationDeg = SolarDeclination(day);
    double hourAngleDeg = HourAngle(day, in.hour, site.longitudeDeg, in.sunriseHour, in.sunsetHour);
    double cosZenith = CosZenith(site.latitudeDeg, declinationDeg, hourAngleDeg);
    double altitudeRad = SolarAltitudeRad(cosZenith);
    double cosIncidence =
        CosIncidence(site.latitudeDeg, declinationDeg, hourAngleDeg, tiltDeg, azimuthDeg);

    double direct = solar_terms::DirectOnPlane(cosIncidence, cosZenith, in.directMJ);
    double diffuse = PerezDiffuse(day, in.directMJ, in.diffuseMJ, site.elevationM, tiltDeg,
                                  altitudeRad, cosIncidence);
    return GroundReflected(day, in.directMJ, in.diffuseMJ, in.snowDepthCm, tiltDeg) +
           (diffuse + direct);
}

SlopeDay PrepareSlopeDay(int day, const SiteLocation& site) {
    SlopeDay prepared;
    prepared.day = day;
    prepared.declinationDeg = SolarDeclination(day);
    prepared.equationMinutes = EquationOfTimeMinutes(day);
    double latitude = Radians(site.latitudeDeg);
    double declination = Radians(prepared.declinationDeg);
    prepared.sinLatitude = std::sin(latitude);
    prepared.cosLatitude = std::cos(latitude);
    prepared.sinDeclination = std::sin(declination);
    prepared.cosDeclination = std::cos(declination);
    return prepared;
}

SlopeHour PrepareSlopeHour(const HorizontalHour& in, const SiteLocation& site) {
    return PrepareSlopeHour(in, site, PrepareSlopeDay(in.day, site));
}

SlopeHour PrepareSlopeHour(const HorizontalHour& in, const SiteLocation& site,
                           const SlopeDay& day) {
    SlopeHour prepared;
    prepared.globalMJ = in.globalMJ;
    prepared.directMJ = in.directMJ;

    double hourAngleDeg = HourAngleOfDay(day.equationMinutes, in.hour, site.longitudeDeg,
                                         in.sunriseHour, in.sunsetHour);
    double hourAngle = Radians(hourAngleDeg);
    prepared.sinLatitude = day.sinLatitude;
    prepared.cosLatitude = day.cosLatitude;
    prepared.sinDeclination = day.sinDeclination;
    prepared.cosDeclination = day.cosDeclination;
    prepared.sinHourAngle = std::sin(hourAngle);
    prepared.cosHourAngle = std::cos(hourAngle);
    prepared.cosHourAngleCosDeclination = prepared.cosHourAngle * prepared.cosDeclination;
    // CosZenith's terms, in its order.
    prepared.cosZenith = day.sinLatitude * day.sinDeclination +
                         day.cosLatitude * day.cosDeclination * prepared.cosHourAngle;

    prepared.groundBaseMJ = (in.directMJ + in.diffuseMJ) * GroundAlbedo(in.day, in.snowDepthCm);
    prepared.sky = PreparePerezSky(in.day, in.directMJ, in.diffuseMJ, site.elevationM,
                                   SolarAltitudeRad(prepared.cosZenith));
    return prepared;
}

SlopePlane PrepareSlopePlane(double tiltDeg, double azimuthDeg) {
    SlopePlane plane;
    double tilt = Radians(tiltDeg);
    double azimuth = Radians(azimuthDeg);
    plane.tiltDeg = tiltDeg;
    plane.sinTilt = std::sin(tilt);
    plane.cosTilt = std::cos(tilt);
    plane.sinAzimuth = std::sin(azimuth);
    plane.cosAzimuth = std::cos(azimuth);
    plane.skyViewFactor = solar_terms::SkyViewFactor(plane.cosTilt);
    plane.groundViewTerm = 1.0 - plane.cosTilt;
    return plane;
}

double EvaluateSlope(const SlopeHour& hour, const SlopePlane& plane) {
    using namespace solar_terms;
    if (plane.tiltDeg == 0.0) {
        return hour.globalMJ;
    }
    double ground = GroundOnPlane(plane.groundViewTerm, hour.groundBaseMJ);
    // At night both the direct and the sky part are 0 whatever the plane, and the
    // reflected part (never -0) plus 0 is itself.
    if (!hour.sky.lit && hour.cosZenith <= 0.0) {
        return ground;
    }
    double cosIncidence = CosIncidenceFromTrig(
        hour.sinLatitude, hour.cosLatitude, hour.sinDeclination, hour.cosDeclination,
        hour.sinHourAngle, hour.cosHourAngleCosDeclination, plane.sinTilt, plane.cosTilt,
        plane.sinAzimuth, plane.cosAzimuth);
    double direct = DirectOnPlane(cosIncidence, hour.cosZenith, hour.directMJ);
    double diffuse = 0.0;
    if (hour.sky.lit) {
        double circumsolar =
            CircumsolarOnPlane(hour.sky.circumsolarFraction, IncidenceAngleRad(cosIncidence));
        diffuse = SkyOnPlane(hour.sky.diffuseMJ, hour.sky.f1, hour.sky.f2, hour.sky.horizontalB,
                             circumsolar, plane.sinTilt, plane.skyViewFactor);
    }
    return ground + (diffuse + direct);
}

double EvaluateSlope(const SlopeHour& hour, double tiltDeg, double azimuthDeg) {
    return EvaluateSlope(hour, PrepareSlopePlane(tiltDeg, azimuthDeg));
}

} // namespace quorvane

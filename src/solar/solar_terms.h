#pragma once

// Formula pieces shared by the direct evaluation and the per-hour fast path, so that
// both perform the same operations in the same order and agree to the last bit.
// Internal to src/solar.

#include <algorithm>
#include <cmath>

namespace quorvane::solar_terms {

// Cosine of incidence from the sines and cosines of latitude phi, declination d,
// hour angle w, tilt b and azimuth g, with cos w x cos d computed by the caller:
// sin w sin g sin b cos d + sin d (sin phi cos b - cos g sin b cos phi)
//   + cos w cos d (sin b sin phi cos g + cos b cos phi).
inline double CosIncidenceFromTrig(double sinLatitude, double cosLatitude, double sinDeclination,
                                   double cosDeclination, double sinHourAngle,
                                   double cosHourAngleCosDeclination, double sinTilt,
                                   double cosTilt, double sinAzimuth, double cosAzimuth) {
    return sinHourAngle * sinAzimuth * sinTilt * cosDeclination +
           sinDeclination * (sinLatitude * cosTilt - cosAzimuth * sinTilt * cosLatitude) +
           cosHourAngleCosDeclination *
               (sinTilt * sinLatitude * cosAzimuth + cosTilt * cosLatitude);
}

// Direct irradiation on the plane, ci x Bh / c. 0 with the sun behind the plane or
// not above the horizon; c exactly 0 would otherwise divide by zero.
inline double DirectOnPlane(double cosIncidence, double cosZenith, double directMJ) {
    if (cosIncidence < 0.0 || cosZenith <= 0.0) {
        return 0.0;
    }
    return cosIncidence * directMJ / cosZenith;
}

// Angle of incidence in radians. Rounding can push the cosine of a plane facing the
// sun straight on to 1.0000000000000002, whose arccosine would be NaN.
inline double IncidenceAngleRad(double cosIncidence) {
    return std::acos(std::clamp(cosIncidence, -1.0, 1.0));
}

inline constexpr double kCircumsolarHalfAngleRad = 0.43633236111111107; // 25 deg
inline constexpr double kCircumsolarAngleRad = 0.8726647222222221;      // 50 deg
inline constexpr double k65DegRad = 1.1344641388888888;
inline constexpr double k115DegRad = 2.007128861111111;

// Circumsolar weight a on the plane from the angle of incidence theta in radians:
// the whole disc in front of the plane below 65 deg, the part of it still above
// the plane's horizon up to 115 deg, nothing beyond.
inline double CircumsolarOnPlane(double circumsolarFraction, double incidenceRad) {
    if (incidenceRad < k65DegRad) {
        return circumsolarFraction * std::cos(incidenceRad);
    }
    if (incidenceRad <= k115DegRad) {
        double visible =
            (1.5707965 - incidenceRad + kCircumsolarHalfAngleRad) / kCircumsolarAngleRad;
        return circumsolarFraction * visible * std::sin(visible * kCircumsolarHalfAngleRad);
    }
    return 0.0;
}

// Diffuse sky part Dh (sin b F2 + (1 + cos b) 0.5 (1 - F1) + F1 a / b) for a lit sky.
inline double SkyOnPlane(double diffuseMJ, double f1, double f2, double horizontalB,
                         double circumsolarOnPlane, double sinTilt, double skyViewFactor) {
    return diffuseMJ *
           (sinTilt * f2 + skyViewFactor * (1.0 - f1) + f1 * circumsolarOnPlane / horizontalB);
}

// (1 + cos b) x 0.5, the isotropic sky's view factor.
inline double SkyViewFactor(double cosTilt) {
    return (1.0 + cosTilt) * 0.5;
}

// (1 - cos b) x ((Bh + Dh) x albedo) x 0.5, never negative.
inline double GroundOnPlane(double groundViewTerm, double groundBaseMJ) {
    double reflected = groundViewTerm * groundBaseMJ * 0.5;
    return reflected > 0.0 ? reflected : 0.0;
}

} // namespace quorvane::solar_terms

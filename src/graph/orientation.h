#pragma once

#include "data/modes.h"

#include <optional>

namespace quorvane {

// One plane: tilt 0..90 degrees, azimuth in the viewer's convention (hourly 0..359
// clockwise from south; monthly -180..180, negative east).
struct PlaneAngles {
    int tiltDeg = 0;
    int azimuthDeg = 0;
    friend bool operator==(const PlaneAngles&, const PlaneAngles&) = default;
};

// The four angle edits of a viewer: the tilt of "傾斜角指定", the azimuth of
// "方位角指定" and the plane of "任意の指定". One value per viewer; the graph's angles
// follow from it and the angle mode.
enum class AngleField { FixedTilt, FixedAzimuth, PlaneTilt, PlaneAzimuth };

struct Orientation {
    int fixedTiltDeg = 0;
    int fixedAzimuthDeg = 0;
    PlaneAngles plane;

    // A site's starting orientation: both tilts at `tiltDeg`, both azimuths south.
    static Orientation Default(int tiltDeg) { return {tiltDeg, 0, {tiltDeg, 0}}; }
    int Get(AngleField field) const;
    void Set(AngleField field, int value);
    friend bool operator==(const Orientation&, const Orientation&) = default;
};

// The edit fields of an angle mode (mode 2 has two).
bool FieldBelongsTo(AngleField field, HourlyAngleMode mode);
bool IsTiltField(AngleField field);

// The tilt both viewers draw "方位角指定" at.
inline constexpr int kFixedAzimuthTiltDeg = 30;

// The plane a slope graph of the mode is drawn for: mode 0 the fixed tilt facing
// south, mode 1 the fixed azimuth at 30 degrees, mode 2 the plane.
PlaneAngles GraphAnglesOf(HourlyAngleMode mode, const Orientation& orientation);

// A drag in the picker moved the graph's angles to `picked`: the fields of the mode
// take them (mode 1 keeps its tilt of 30 and takes only the azimuth).
Orientation WithPickedAngles(Orientation orientation, HourlyAngleMode mode, PlaneAngles picked);

} // namespace quorvane

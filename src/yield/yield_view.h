#pragma once

#include "graph/orientation.h"
#include "yield/pv_model.h"

namespace quorvane {

// The yield dialog's own choices, as one value; the site is the session's.
struct YieldViewState {
    HourlyAngleMode mode = HourlyAngleMode::Orientation;
    Orientation orientation;
    HourlyArray hourly;
    MonthlyArray monthly; // its rating is the hourly array's

    PlaneAngles Plane() const { return GraphAnglesOf(mode, orientation); }
    friend bool operator==(const YieldViewState&, const YieldViewState&) = default;
};

// The arrays as the user left them; the next dialog of the session starts from them.
struct YieldArrays {
    HourlyArray hourly;
    MonthlyArray monthly;
};

// The dialog takes the field convention of the hourly viewer (azimuth 0..359 clockwise
// from south) but lets an azimuth typed as east-negative (-180..-1) stand for the same
// direction, and steps round through south and north instead of stopping there.
int YieldAngle(AngleField field, int value);
int StepYieldAngle(AngleField field, int value, int step);
// An azimuth of either convention as the dialog shows it: 0..359.
inline int ShownAzimuth(int azimuthDeg) {
    return ((azimuthDeg % 360) + 360) % 360;
}

// The state of a dialog opened on `plane`: "任意の指定" with that plane, the other
// modes at its tilt facing south.
inline YieldViewState YieldViewOn(PlaneAngles plane, const YieldArrays& arrays = {}) {
    YieldViewState state;
    state.hourly = arrays.hourly;
    state.monthly = arrays.monthly;
    state.orientation = Orientation::Default(plane.tiltDeg);
    state.orientation.plane = plane;
    return state;
}

} // namespace quorvane

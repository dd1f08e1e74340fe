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

// The state of a dialog opened on `plane`: "任意の指定" with that plane, the other
// modes at its tilt facing south.
inline YieldViewState YieldViewOn(PlaneAngles plane) {
    YieldViewState state;
    state.orientation = Orientation::Default(plane.tiltDeg);
    state.orientation.plane = plane;
    return state;
}

} // namespace quorvane

#pragma once

#include "data/modes.h"
#include "graph/graph_layout.h"
#include "graph/orientation.h"

#include <optional>

namespace quorvane {

// The monthly viewer's own choices, as one value; the site and month are the
// session's shared selection. Azimuths are signed (-180..180, negative east); the
// edits show their magnitude.
struct MonthlyViewState {
    MonthlyDisplay display = MonthlyDisplay::Month;
    MonthlyAngleMode mode = MonthlyAngleMode::FixedTilt;
    Orientation orientation;
    LegendHidden hidden;

    // The plane of the chart by orientation and of the picker: (0, 0) outside that
    // display; 30 degrees facing south for the optimum modes.
    PlaneAngles GraphAngles() const;
    // The picker's angle mode, or nothing where the picker does not move (other
    // displays, the optimum modes).
    std::optional<HourlyAngleMode> PickerMode() const;
};

inline constexpr int kMonthlyTiltStep = 10;
inline constexpr int kMonthlyAzimuthStep = 15;

// The default tilt of a monthly site: its latitude rounded to tens (34.9 gives 30,
// 35.0 gives 40); 30 without a site.
int MonthlyDefaultTilt(bool found, double latitudeDeg);
// A typed tilt: clamped to 0..90 and snapped to the step of 10.
int SnapMonthlyTilt(int value);
// A typed azimuth: clamped to -180..180, its magnitude snapped to the step of 15 and
// signed by the value; the east/west side of the stored azimuth is kept.
int SnapMonthlyAzimuth(int value, int storedAzimuth);
// A typed value for an edit field, snapped by its kind.
int SnapMonthlyAngle(AngleField field, int value, int stored);
// An arrow's step of 10 degrees of tilt or 15 of azimuth magnitude, keeping the
// side; nothing at the ends.
std::optional<int> StepMonthlyAngle(AngleField field, int value, int step);

} // namespace quorvane

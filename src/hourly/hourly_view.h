#pragma once

#include "data/modes.h"
#include "graph/graph_layout.h"
#include "graph/orientation.h"
#include "hourly/periods.h"

namespace quorvane {

// The hourly viewer's own choices, as one value; the site, month, day and year
// variant are the session's shared selection.
struct HourlyViewState {
    DataKind kind = DataKind::Horizontal;
    HourlyView view = HourlyView::Day;
    HourlyAngleMode mode = HourlyAngleMode::FixedTilt;
    Orientation orientation;
    LegendHidden hidden;

    // The plane the graph, the export and the picker use: (0, 0) with horizontal data.
    PlaneAngles GraphAngles() const;
    bool Ranking() const {
        return view == HourlyView::IrradiationRanking || view == HourlyView::SunshineRanking;
    }
};

// A site's default tilt: its latitude rounded (35.7 gives 36); 30 for a site that is
// not in the catalogue.
int HourlyDefaultTilt(const SitePosition& site);

// An angle typed into an edit: a tilt clamped to 0..90, an azimuth to 0..359.
int ClampHourlyAngle(AngleField field, int value);
// An up-down step of one degree; nothing at the ends, where the up-downs stop.
std::optional<int> StepHourlyAngle(AngleField field, int value, int step);

} // namespace quorvane

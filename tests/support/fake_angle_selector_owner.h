#pragma once

#include "graph/angle_selector_model.h"

#include <optional>

namespace quorvane::test {

// A viewer of the angle selector: it shows the selector its angles and takes back
// the angles a drag returns, counting the drags that moved them.
struct FakeAngleSelectorOwner {
    int tilt = 0;
    int azimuth = 0;
    DataKind dataKind = DataKind::Slope;
    HourlyAngleMode slopeMode = HourlyAngleMode::Orientation;
    bool monthly = false;
    int drags = 0;

    SelectorView View() const {
        return SelectorViewOf({tilt, azimuth},
                              dataKind == DataKind::Slope ? std::optional(slopeMode) : std::nullopt,
                              monthly);
    }
    void Take(std::optional<PlaneAngles> angles) {
        if (angles) {
            tilt = angles->tiltDeg;
            azimuth = angles->azimuthDeg;
            ++drags;
        }
    }
};

} // namespace quorvane::test

#include "hourly/hourly_view.h"

#include <algorithm>

namespace quorvane {

PlaneAngles HourlyViewState::GraphAngles() const {
    return kind == DataKind::Horizontal ? PlaneAngles{} : GraphAnglesOf(mode, orientation);
}

int HourlyDefaultTilt(const SitePosition& site) {
    return site.found ? static_cast<int>(site.latitudeDeg + 0.5) : 30;
}

int ClampHourlyAngle(AngleField field, int value) {
    return IsTiltField(field) ? std::clamp(value, 0, 90) : std::clamp(value, 0, 359);
}

std::optional<int> StepHourlyAngle(AngleField field, int value, int step) {
    const int high = IsTiltField(field) ? 90 : 359;
    if (step == 0 || (step > 0 && value >= high) || (step < 0 && value <= 0)) {
        return std::nullopt;
    }
    return value + (step > 0 ? 1 : -1);
}

} // namespace quorvane

#include "yield/yield_view.h"

#include <algorithm>

namespace quorvane {

int YieldAngle(AngleField field, int value) {
    if (IsTiltField(field)) {
        return std::clamp(value, 0, 90);
    }
    return value >= -180 && value < 0 ? value + 360 : std::clamp(value, 0, 359);
}

int StepYieldAngle(AngleField field, int value, int step) {
    const int moved = value + (step > 0 ? 1 : step < 0 ? -1 : 0);
    return IsTiltField(field) ? std::clamp(moved, 0, 90) : ShownAzimuth(moved);
}

} // namespace quorvane

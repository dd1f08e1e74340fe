#include "monthly/monthly_view.h"

#include <algorithm>
#include <cstdlib>

namespace quorvane {

std::optional<HourlyAngleMode> MonthlyViewState::PickerMode() const {
    if (display != MonthlyDisplay::Orientation) {
        return std::nullopt;
    }
    switch (mode) {
    case MonthlyAngleMode::FixedTilt:
        return HourlyAngleMode::FixedTilt;
    case MonthlyAngleMode::FixedAzimuth:
        return HourlyAngleMode::FixedAzimuth;
    case MonthlyAngleMode::Orientation:
        return HourlyAngleMode::Orientation;
    default:
        return std::nullopt;
    }
}

PlaneAngles MonthlyViewState::GraphAngles() const {
    if (display != MonthlyDisplay::Orientation) {
        return {};
    }
    const std::optional<HourlyAngleMode> own = PickerMode();
    return own ? GraphAnglesOf(*own, orientation) : PlaneAngles{kFixedAzimuthTiltDeg, 0};
}

int MonthlyDefaultTilt(bool found, double latitudeDeg) {
    return found ? static_cast<int>((latitudeDeg + 5.0) / 10.0) * 10 : 30;
}

int SnapMonthlyTilt(int value) {
    const int clamped = std::clamp(value, 0, 90);
    return kMonthlyTiltStep *
           static_cast<int>(static_cast<double>(clamped) / kMonthlyTiltStep + 0.5);
}

int SnapMonthlyAzimuth(int value, int storedAzimuth) {
    const int clamped = std::clamp(value, -180, 180);
    const int magnitude =
        kMonthlyAzimuthStep *
        static_cast<int>(static_cast<double>(std::abs(clamped)) / kMonthlyAzimuthStep + 0.5);
    int result = clamped >= 0 ? magnitude : -magnitude;
    if (storedAzimuth < 0) {
        result = -result; // the edit shows a magnitude: the east/west side stays
    }
    return result;
}

int SnapMonthlyAngle(AngleField field, int value, int stored) {
    return IsTiltField(field) ? SnapMonthlyTilt(value) : SnapMonthlyAzimuth(value, stored);
}

std::optional<int> StepMonthlyAngle(AngleField field, int value, int step) {
    if (step == 0) {
        return std::nullopt;
    }
    if (IsTiltField(field)) {
        if ((step > 0 && value >= 90) || (step < 0 && value <= 0)) {
            return std::nullopt;
        }
        return value + (step > 0 ? kMonthlyTiltStep : -kMonthlyTiltStep);
    }
    int magnitude = std::abs(value);
    if ((step > 0 && magnitude > 180 - kMonthlyAzimuthStep) ||
        (step < 0 && magnitude < kMonthlyAzimuthStep)) {
        return std::nullopt;
    }
    magnitude += step > 0 ? kMonthlyAzimuthStep : -kMonthlyAzimuthStep;
    return value < 0 ? -magnitude : magnitude;
}

} // namespace quorvane

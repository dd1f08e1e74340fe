#include "graph/angle_selector_model.h"

#include <algorithm>
#include <cmath>

namespace quorvane {
namespace {

constexpr double kDegToRad = 3.141593 / 180.0;
constexpr double kCameraX = 1800.0, kCameraY = -4000.0, kCameraZ = 1500.0;

int Trunc(double value) {
    return static_cast<int>(value);
}

// Multiples of the step, rounding half away from zero and keeping the sign.
int SnapToStep(int value, int step) {
    if (step <= 1) {
        return value;
    }
    const int magnitude = (std::abs(value) + step / 2) / step * step;
    return value < 0 ? -magnitude : magnitude;
}

int PositiveModulo(int value, int modulus) {
    const int r = value % modulus;
    return r < 0 ? r + modulus : r;
}

} // namespace

int RoundHalfUp(double value) {
    return static_cast<int>(std::floor(value + 0.5));
}

ScreenPoint ProjectPicturePoint(const PicturePoint& point, int widthPx, int heightPx) {
    const double dx = kCameraX, dy = kCameraY, dz = kCameraZ;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double d = std::sqrt(r * r + dz * dz);
    const double ce = r / d;
    const double se = dz / d;

    double u = point.x;
    double v = point.y;
    if (r != 0.0) {
        u = (point.x * dx + point.y * dy) / r;
        v = (point.y * dx - point.x * dy) / r;
    }
    const double w = ce * point.z - se * u;
    const double p = ce * u + se * point.z;
    const double q = std::fabs(d - p);
    double sx = 0.0, sy = 0.0;
    if (q != 0.0) {
        sx = v * d / q;
        sy = w * d / q;
    }
    const double width = widthPx, height = heightPx;
    ScreenPoint out;
    out.x = Trunc(sx * width / (0.2 * d)) - Trunc(-0.5 * width) - 20;
    out.y = Trunc(height) + Trunc(-0.4 * height) - Trunc(sy * width / (0.2 * d)) - 25;
    return out;
}

int PanelRotationDeg(int azimuthDeg, bool monthly) {
    return monthly ? azimuthDeg : PositiveModulo(360 - azimuthDeg, 360);
}

std::array<PicturePoint, 4> PanelCorners(int tiltDeg, int azimuthDeg, bool monthly) {
    const double tilt = tiltDeg * kDegToRad;
    const double northY = -180.0 + 360.0 * std::cos(tilt);
    const double northZ = 360.0 * std::sin(tilt);
    const std::array<PicturePoint, 4> hinged = {{{-280.0, -180.0, 0.0},
                                                 {280.0, -180.0, 0.0},
                                                 {280.0, northY, northZ},
                                                 {-280.0, northY, northZ}}};
    const double a = PanelRotationDeg(azimuthDeg, monthly) * kDegToRad;
    const double ca = std::cos(a), sa = std::sin(a);
    std::array<PicturePoint, 4> out;
    for (std::size_t i = 0; i < hinged.size(); ++i) {
        const PicturePoint& c = hinged[i];
        out[i].x = RoundHalfUp(c.x * ca - c.y * sa);
        out[i].y = RoundHalfUp(c.y * ca + c.x * sa);
        out[i].z = RoundHalfUp(c.z);
    }
    return out;
}

int TiltToSliderValue(int tiltDeg) {
    return angle_slider::kTiltMax - tiltDeg;
}
int SliderValueToTilt(int value) {
    return angle_slider::kTiltMax - value;
}

int AzimuthToSliderValue(int azimuthDeg, bool monthly) {
    return monthly ? azimuthDeg + 180 : PositiveModulo(540 - azimuthDeg, 360);
}

int SliderValueToAzimuth(int value, bool monthly) {
    return monthly ? value - 180 : PositiveModulo(540 - value, 360);
}

GraphRect TiltKnobRect(int sliderValue) {
    using namespace angle_slider;
    const int travel = kTiltTrackBottom - kTiltTrackTop - kTiltKnobHeight;
    const int top =
        kTiltTrackTop + RoundHalfUp(sliderValue * static_cast<double>(travel) / kTiltMax);
    return {kTiltKnobLeft, top, kTiltKnobRight, top + kTiltKnobHeight};
}

GraphRect AzimuthKnobRect(int sliderValue) {
    using namespace angle_slider;
    const int travel = kAzimuthTrackRight - kAzimuthTrackLeft - kAzimuthKnobWidth;
    const int left =
        kAzimuthTrackLeft + RoundHalfUp(static_cast<double>(travel) * (sliderValue - kAzimuthMin) /
                                        (kAzimuthMax - kAzimuthMin));
    return {left, kAzimuthKnobTop, left + kAzimuthKnobWidth, kAzimuthKnobBottom};
}

int TiltTickY(int i) {
    using namespace angle_slider;
    return kTiltTrackBottom - i * (kTiltTrackBottom - kTiltTrackTop - kTiltKnobHeight) / 9 - 10;
}

int AzimuthTickX(int i) {
    using namespace angle_slider;
    return kAzimuthTrackLeft +
           i * (kAzimuthTrackRight - kAzimuthTrackLeft - kAzimuthKnobWidth) / 8 + 10;
}

SelectorView SelectorViewOf(PlaneAngles angles, std::optional<HourlyAngleMode> mode, bool monthly) {
    SelectorView view;
    view.angles = angles;
    view.monthly = monthly;
    view.tiltMovable = mode.has_value() && *mode != HourlyAngleMode::FixedAzimuth;
    view.azimuthMovable = mode.has_value() && *mode != HourlyAngleMode::FixedTilt;
    return view;
}

void AngleSelectorModel::Show(const SelectorView& view) {
    view_ = view;
    tiltValue_ = std::clamp(TiltToSliderValue(view.angles.tiltDeg), 0, angle_slider::kTiltMax);
    azimuthValue_ = std::clamp(AzimuthToSliderValue(view.angles.azimuthDeg, view.monthly),
                               angle_slider::kAzimuthMin, angle_slider::kAzimuthMax);
}

void AngleSelectorModel::OnMouseDown(int x, int y) {
    if (TiltMovable() && TiltKnob().Contains(x, y)) {
        drag_ = Drag::Tilt;
        grabOffset_ = y - TiltKnob().top;
    } else if (AzimuthMovable() && AzimuthKnob().Contains(x, y)) {
        drag_ = Drag::Azimuth;
        grabOffset_ = x - AzimuthKnob().left;
    }
}

std::optional<PlaneAngles> AngleSelectorModel::OnMouseMove(int x, int y) {
    using namespace angle_slider;
    // The monthly data exist for tilts of 10 and azimuths of 15 degrees only.
    const int tiltStep = view_.monthly ? 10 : 1;
    const int azimuthStep = view_.monthly ? 15 : 1;
    if (drag_ == Drag::Tilt) {
        const double travel = kTiltTrackBottom - kTiltKnobHeight - kTiltTrackTop;
        int value = RoundHalfUp((y - grabOffset_ - kTiltTrackTop) * kTiltMax / travel);
        value = SnapToStep(std::clamp(value, 0, kTiltMax), tiltStep);
        tiltValue_ = value;
        view_.angles.tiltDeg = SliderValueToTilt(value);
        return view_.angles;
    }
    if (drag_ == Drag::Azimuth) {
        const double travel = kAzimuthTrackRight - kAzimuthKnobWidth - kAzimuthTrackLeft;
        int value = kAzimuthMin + RoundHalfUp((x - grabOffset_ - kAzimuthTrackLeft) *
                                              (kAzimuthMax - kAzimuthMin) / travel);
        value = SnapToStep(std::clamp(value, kAzimuthMin, kAzimuthMax), azimuthStep);
        azimuthValue_ = value;
        view_.angles.azimuthDeg = SliderValueToAzimuth(value, view_.monthly);
        return view_.angles;
    }
    return std::nullopt;
}

} // namespace quorvane

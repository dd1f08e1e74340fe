#pragma once

#include "data/modes.h"
#include "graph/graph_rect.h"
#include "graph/orientation.h"

#include <optional>

#include <array>

namespace quorvane {

// What the tilt/azimuth selector shows: the graph's plane, and which of its sliders
// the viewer lets the user move (the tilt in angle modes 0 and 2, the azimuth in 1
// and 2; neither with horizontal data). The monthly viewer's azimuths run
// -180..180 and its sliders snap to 10 and 15 degrees.
struct SelectorView {
    PlaneAngles angles;
    bool tiltMovable = false;
    bool azimuthMovable = false;
    bool monthly = false;
    friend bool operator==(const SelectorView&, const SelectorView&) = default;
};

// The selector's state for a slope angle mode, or a still one (no mode).
SelectorView SelectorViewOf(PlaneAngles angles, std::optional<HourlyAngleMode> mode, bool monthly);

// A point of the selector's picture: x towards east, y towards north, z up.
struct PicturePoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Adds 0.5 and takes the integer below. Truncating towards zero instead would
// move negative picture coordinates: -280 would become -279.
int RoundHalfUp(double value);

// Perspective projection of a picture point into a selector of w x h pixels, seen
// from the fixed camera (1800, -4000, 1500) looking at the origin.
ScreenPoint ProjectPicturePoint(const PicturePoint& point, int widthPx, int heightPx);

// The panel's four corners (south-west, south-east, north-east, north-west before
// rotation), hinged at its south edge, tilted and turned to the viewer's azimuth,
// each coordinate rounded to an integer.
std::array<PicturePoint, 4> PanelCorners(int tiltDeg, int azimuthDeg, bool monthly);

// Degrees by which the panel is turned about the vertical axis.
int PanelRotationDeg(int azimuthDeg, bool monthly);

int TiltToSliderValue(int tiltDeg);
int SliderValueToTilt(int value);
int AzimuthToSliderValue(int azimuthDeg, bool monthly);
int SliderValueToAzimuth(int value, bool monthly);

// Slider geometry in selector coordinates.
namespace angle_slider {
inline constexpr int kTiltTrackLeft = 206, kTiltTrackRight = 209;
inline constexpr int kTiltTrackTop = 10, kTiltTrackBottom = 170;
inline constexpr int kTiltKnobLeft = 201, kTiltKnobRight = 214, kTiltKnobHeight = 20;
inline constexpr int kTiltMax = 90;
inline constexpr int kAzimuthTrackLeft = 15, kAzimuthTrackRight = 175;
inline constexpr int kAzimuthTrackTop = 185, kAzimuthTrackBottom = 188;
inline constexpr int kAzimuthKnobTop = 179, kAzimuthKnobBottom = 191, kAzimuthKnobWidth = 20;
inline constexpr int kAzimuthMin = 0, kAzimuthMax = 360;
} // namespace angle_slider

GraphRect TiltKnobRect(int sliderValue);
GraphRect AzimuthKnobRect(int sliderValue);

// y of the tilt scale tick for i = 0..9 (tilt i x 10 degrees).
int TiltTickY(int i);
// x of the azimuth scale tick for i = 0..8 (slider value i x 45).
int AzimuthTickX(int i);

// The selector's slider state and dragging: it is shown a view, and a drag gives the
// new plane back. Painting lives in CAngleSelector.
class AngleSelectorModel {
public:
    enum class Drag { None, Tilt, Azimuth };

    // The viewer's plane and movable sliders, after any change of the viewer's.
    void Show(const SelectorView& view);
    const SelectorView& View() const { return view_; }

    // A press on a movable knob starts dragging it.
    void OnMouseDown(int x, int y);
    // While dragging: the plane the knob has moved to (snapped), or nothing when it
    // did not move.
    std::optional<PlaneAngles> OnMouseMove(int x, int y);
    void EndDrag() { drag_ = Drag::None; }

    bool TiltMovable() const { return view_.tiltMovable; }
    bool AzimuthMovable() const { return view_.azimuthMovable; }

    Drag DragState() const { return drag_; }
    int TiltSliderValue() const { return tiltValue_; }
    int AzimuthSliderValue() const { return azimuthValue_; }
    GraphRect TiltKnob() const { return TiltKnobRect(tiltValue_); }
    GraphRect AzimuthKnob() const { return AzimuthKnobRect(azimuthValue_); }

private:
    SelectorView view_;
    Drag drag_ = Drag::None;
    int grabOffset_ = 0;
    int tiltValue_ = angle_slider::kTiltMax; // tilt 0
    int azimuthValue_ = 180;                 // south
};

} // namespace quorvane

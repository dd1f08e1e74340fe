#pragma once

#include "data/modes.h"
#include "graph/graph_rect.h"

#include <array>

namespace quorvane {

// What the tilt/azimuth selector needs from the viewer that embeds it. The
// viewer's angles are the source of truth; the selector only mirrors them.
class AngleSelectorOwner {
public:
    virtual ~AngleSelectorOwner() = default;
    virtual int GraphTilt() const = 0;    // degrees 0..90
    virtual int GraphAzimuth() const = 0; // degrees; hourly 0 south clockwise, monthly -180..180
    virtual void SetGraphTilt(int tiltDeg) = 0;
    virtual void SetGraphAzimuth(int azimuthDeg) = 0;
    virtual DataKind ShownDataKind() const = 0;
    // Which angles the viewer lets the user choose; the monthly viewer maps its modes.
    virtual HourlyAngleMode SlopeAngleMode() const = 0;
    virtual bool IsMonthlyOwner() const = 0;
    virtual void RequestRedraw(int flags) = 0;
};

inline constexpr int kAngleSelectorRedraw = 17; // picker and graph (0x1 | 0x10)

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
// rotation), hinged at its south edge, tilted and turned to the owner's azimuth,
// each coordinate rounded to an integer.
std::array<PicturePoint, 4> PanelCorners(int tiltDeg, int azimuthDeg, bool monthlyOwner);

// Degrees by which the panel is turned about the vertical axis.
int PanelRotationDeg(int azimuthDeg, bool monthlyOwner);

int TiltToSliderValue(int tiltDeg);
int SliderValueToTilt(int value);
int AzimuthToSliderValue(int azimuthDeg, bool monthlyOwner);
int SliderValueToAzimuth(int value, bool monthlyOwner);

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

// The selector's slider state and dragging. Painting lives in CAngleSelector.
class AngleSelectorModel {
public:
    enum DragState { kNoDrag = 0, kDragTilt = 1, kDragAzimuth = 2 };

    void SetOwner(AngleSelectorOwner* owner) { m_owner = owner; }
    AngleSelectorOwner* Owner() const { return m_owner; }

    void SyncFromViewer();
    // Slider values snap to these steps (the monthly viewer: 10 and 15 degrees).
    void SetSteps(int tiltStep, int azimuthStep) {
        m_tiltStep = tiltStep > 0 ? tiltStep : 1;
        m_azimuthStep = azimuthStep > 0 ? azimuthStep : 1;
    }
    void OnMouseDown(int x, int y);
    void OnMouseMove(int x, int y);
    void EndDrag() { m_drag = kNoDrag; }

    bool TiltMovable() const;
    bool AzimuthMovable() const;

    int DragStateValue() const { return m_drag; }
    int TiltSliderValue() const { return m_tiltValue; }
    int AzimuthSliderValue() const { return m_azimuthValue; }
    GraphRect TiltKnob() const { return TiltKnobRect(m_tiltValue); }
    GraphRect AzimuthKnob() const { return AzimuthKnobRect(m_azimuthValue); }

private:
    AngleSelectorOwner* m_owner = nullptr;
    int m_drag = kNoDrag;
    int m_lastX = 0;
    int m_lastY = 0;
    int m_grabOffset = 0;
    int m_tiltValue = angle_slider::kTiltMax; // tilt 0
    int m_azimuthValue = 180;                 // south
    int m_tiltStep = 1;
    int m_azimuthStep = 1;
};

} // namespace quorvane

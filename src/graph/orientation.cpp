#include "graph/orientation.h"

namespace quorvane {

int Orientation::Get(AngleField field) const {
    switch (field) {
    case AngleField::FixedTilt:
        return fixedTiltDeg;
    case AngleField::FixedAzimuth:
        return fixedAzimuthDeg;
    case AngleField::PlaneTilt:
        return plane.tiltDeg;
    case AngleField::PlaneAzimuth:
        break;
    }
    return plane.azimuthDeg;
}

void Orientation::Set(AngleField field, int value) {
    switch (field) {
    case AngleField::FixedTilt:
        fixedTiltDeg = value;
        return;
    case AngleField::FixedAzimuth:
        fixedAzimuthDeg = value;
        return;
    case AngleField::PlaneTilt:
        plane.tiltDeg = value;
        return;
    case AngleField::PlaneAzimuth:
        plane.azimuthDeg = value;
        return;
    }
}

bool FieldBelongsTo(AngleField field, HourlyAngleMode mode) {
    switch (mode) {
    case HourlyAngleMode::FixedTilt:
        return field == AngleField::FixedTilt;
    case HourlyAngleMode::FixedAzimuth:
        return field == AngleField::FixedAzimuth;
    case HourlyAngleMode::Orientation:
        break;
    }
    return field == AngleField::PlaneTilt || field == AngleField::PlaneAzimuth;
}

bool IsTiltField(AngleField field) {
    return field == AngleField::FixedTilt || field == AngleField::PlaneTilt;
}

PlaneAngles GraphAnglesOf(HourlyAngleMode mode, const Orientation& orientation) {
    switch (mode) {
    case HourlyAngleMode::FixedTilt:
        return {orientation.fixedTiltDeg, 0};
    case HourlyAngleMode::FixedAzimuth:
        return {kFixedAzimuthTiltDeg, orientation.fixedAzimuthDeg};
    case HourlyAngleMode::Orientation:
        break;
    }
    return orientation.plane;
}

Orientation WithPickedAngles(Orientation orientation, HourlyAngleMode mode, PlaneAngles picked) {
    switch (mode) {
    case HourlyAngleMode::FixedTilt:
        orientation.fixedTiltDeg = picked.tiltDeg;
        break;
    case HourlyAngleMode::FixedAzimuth:
        orientation.fixedAzimuthDeg = picked.azimuthDeg;
        break;
    case HourlyAngleMode::Orientation:
        orientation.plane = picked;
        break;
    }
    return orientation;
}

} // namespace quorvane

#pragma once

#include "graph/angle_selector_model.h"

#include <vector>

namespace quorvane::test {

// An angle-selector owner that keeps the angles it is given and records the flags of
// every redraw request.
struct FakeAngleSelectorOwner : AngleSelectorOwner {
    int tilt = 0;
    int azimuth = 0;
    DataKind dataKind = DataKind::Slope;
    HourlyAngleMode slopeMode = HourlyAngleMode::Orientation;
    bool monthly = false;
    std::vector<int> redraws;

    int GraphTilt() const override { return tilt; }
    int GraphAzimuth() const override { return azimuth; }
    void SetGraphTilt(int value) override { tilt = value; }
    void SetGraphAzimuth(int value) override { azimuth = value; }
    DataKind ShownDataKind() const override { return dataKind; }
    HourlyAngleMode SlopeAngleMode() const override { return slopeMode; }
    bool IsMonthlyOwner() const override { return monthly; }
    void RequestRedraw(int flags) override { redraws.push_back(flags); }
};

} // namespace quorvane::test

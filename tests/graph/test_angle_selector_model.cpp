#include "graph/angle_selector_model.h"

#include "fake_angle_selector_owner.h"

#include <gtest/gtest.h>
#include <vector>

using namespace quorvane;
using namespace quorvane::angle_slider;

namespace {

using FakeOwner = test::FakeAngleSelectorOwner;

ScreenPoint Centre(const GraphRect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class SelectorDrag : public ::testing::Test {
protected:
    void SetUp() override { model.Show(owner.View()); }
    // Presses the knob at its centre and moves the pointer to (x, y).
    void DragTiltTo(int y) {
        const ScreenPoint c = Centre(model.TiltKnob());
        model.OnMouseDown(c.x, c.y);
        owner.Take(model.OnMouseMove(c.x, y));
    }
    void DragAzimuthKnobLeftTo(int left) {
        const GraphRect knob = model.AzimuthKnob();
        const ScreenPoint c = Centre(knob);
        model.OnMouseDown(c.x, c.y);
        owner.Take(model.OnMouseMove(left + (c.x - knob.left), c.y));
    }

    FakeOwner owner;
    AngleSelectorModel model;
};

} // namespace

// Projection: camera (1800, -4000, 1500) looking at the origin, selector 240 x 212.
// Expected pixels worked through the formulas by hand (r = sqrt(1800^2 + 4000^2),
// D = sqrt(r^2 + 1500^2)).
TEST(AngleSelectorProjection, originLiesLeftOfCentreAndBelowTheMiddle) {
    // x: trunc(0) - trunc(-120) - 20; y: 212 + trunc(-84.8) - 0 - 25.
    EXPECT_EQ(ProjectPicturePoint({0, 0, 0}, 240, 212), (ScreenPoint{100, 103}));
}

TEST(AngleSelectorProjection, eastIsRightAndHeightIsUp) {
    EXPECT_EQ(ProjectPicturePoint({350, 0, 0}, 240, 212), (ScreenPoint{185, 115}));
    const ScreenPoint up = ProjectPicturePoint({0, 0, 300}, 240, 212);
    EXPECT_EQ(up.x, 100);
    EXPECT_LT(up.y, 103);
}

TEST(AngleSelectorProjection, flatPanelCornersAtHandComputedPixels) {
    const auto corners = PanelCorners(0, 0, false);
    EXPECT_EQ(corners[0].x, -280);
    EXPECT_EQ(corners[0].y, -180);
    EXPECT_EQ(corners[2].x, 280);
    EXPECT_EQ(corners[2].y, 180);
    const ScreenPoint expected[] = {{14, 107}, {149, 127}, {184, 99}, {56, 81}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ProjectPicturePoint(corners[static_cast<std::size_t>(i)], 240, 212), expected[i])
            << "corner " << i;
    }
}

TEST(AngleSelectorProjection, tiltedPanelIsHingedAtItsSouthEdge) {
    const auto corners = PanelCorners(30, 0, false);
    // North corners: y = -180 + 360 cos 30 = 131.77, z = 360 sin 30 = 180.
    EXPECT_DOUBLE_EQ(corners[2].y, 132);
    EXPECT_DOUBLE_EQ(corners[2].z, 180);
    EXPECT_DOUBLE_EQ(corners[0].z, 0);
    const ScreenPoint expected[] = {{14, 107}, {149, 127}, {181, 58}, {50, 42}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ProjectPicturePoint(corners[static_cast<std::size_t>(i)], 240, 212), expected[i])
            << "corner " << i;
    }
}

TEST(AngleSelectorProjection, hourlyOwnerTurnsByTheComplementOfTheAzimuth) {
    // Azimuth 45 (south-west) turns by 315 degrees: (-280, -180) -> (-325, 71).
    const auto corners = PanelCorners(30, 45, false);
    EXPECT_EQ(PanelRotationDeg(45, false), 315);
    EXPECT_DOUBLE_EQ(corners[0].x, -325);
    EXPECT_DOUBLE_EQ(corners[0].y, 71);
    EXPECT_EQ(ProjectPicturePoint(corners[0], 240, 212), (ScreenPoint{34, 88}));
    EXPECT_EQ(ProjectPicturePoint(corners[2], 240, 212), (ScreenPoint{160, 76}));
}

TEST(AngleSelectorProjection, monthlyOwnerTurnsByTheAzimuthItself) {
    EXPECT_EQ(PanelRotationDeg(-120, true), -120);
    const auto corners = PanelCorners(45, -120, true);
    EXPECT_DOUBLE_EQ(corners[0].x, -16);
    EXPECT_DOUBLE_EQ(corners[0].y, 332);
    EXPECT_EQ(ProjectPicturePoint(corners[3], 240, 212), (ScreenPoint{169, 33}));
}

TEST(AngleSelectorSliders, mappingOfBothOwners) {
    EXPECT_EQ(TiltToSliderValue(0), 90);
    EXPECT_EQ(TiltToSliderValue(90), 0);
    EXPECT_EQ(SliderValueToTilt(0), 90);
    EXPECT_EQ(AzimuthToSliderValue(0, false), 180);
    EXPECT_EQ(AzimuthToSliderValue(90, false), 90);
    EXPECT_EQ(AzimuthToSliderValue(180, false), 0);
    EXPECT_EQ(AzimuthToSliderValue(270, false), 270);
    EXPECT_EQ(SliderValueToAzimuth(360, false), 180);
    EXPECT_EQ(SliderValueToAzimuth(0, false), 180);
    EXPECT_EQ(SliderValueToAzimuth(180, false), 0);
    EXPECT_EQ(AzimuthToSliderValue(-180, true), 0);
    EXPECT_EQ(AzimuthToSliderValue(180, true), 360);
    EXPECT_EQ(SliderValueToAzimuth(90, true), -90);
}

TEST(AngleSelectorSliders, knobGeometryAtTheEnds) {
    EXPECT_EQ(TiltKnobRect(0), (GraphRect{201, 10, 214, 30}));
    EXPECT_EQ(TiltKnobRect(90), (GraphRect{201, 150, 214, 170}));
    EXPECT_EQ(TiltKnobRect(45), (GraphRect{201, 80, 214, 100}));
    EXPECT_EQ(AzimuthKnobRect(0), (GraphRect{15, 179, 35, 191}));
    EXPECT_EQ(AzimuthKnobRect(180), (GraphRect{85, 179, 105, 191}));
    EXPECT_EQ(AzimuthKnobRect(360), (GraphRect{155, 179, 175, 191}));
    // 140 x 1 / 360 = 0.39 rounds down, 140 x 2 / 360 = 0.78 rounds up.
    EXPECT_EQ(AzimuthKnobRect(1).left, 15);
    EXPECT_EQ(AzimuthKnobRect(2).left, 16);
}

TEST(AngleSelectorSliders, scaleTicksMeetTheKnobCentres) {
    EXPECT_EQ(TiltTickY(0), 160); // tilt 0: knob 150..170
    EXPECT_EQ(TiltTickY(9), 20);  // tilt 90: knob 10..30
    EXPECT_EQ(TiltTickY(1), 145); // 140 / 9 truncated
    EXPECT_EQ(AzimuthTickX(0), 25);
    EXPECT_EQ(AzimuthTickX(4), 95);
    EXPECT_EQ(AzimuthTickX(8), 165);
}

TEST_F(SelectorDrag, draggingAboveTheTrackGivesTilt90) {
    owner.tilt = 20;
    model.Show(owner.View());
    DragTiltTo(-50);
    EXPECT_EQ(model.DragState(), AngleSelectorModel::Drag::Tilt);
    EXPECT_EQ(owner.tilt, 90);
    EXPECT_EQ(model.TiltKnob().top, 10);
    EXPECT_GT(owner.drags, 0) << "the viewer got the new angles";
}

TEST_F(SelectorDrag, draggingBelowTheTrackGivesTilt0) {
    owner.tilt = 45;
    model.Show(owner.View());
    DragTiltTo(400);
    EXPECT_EQ(owner.tilt, 0);
    EXPECT_EQ(model.TiltKnob().top, 150);
}

TEST_F(SelectorDrag, tiltFollowsThePointerRelativeToTheGrab) {
    owner.tilt = 0; // knob 150..170
    model.Show(owner.View());
    model.OnMouseDown(205, 152); // grabbed 2 below the knob top
    // Knob top to 80: value round((82 - 2 - 10) x 90 / 140) = 45.
    owner.Take(model.OnMouseMove(205, 82));
    EXPECT_EQ(owner.tilt, 45);
    EXPECT_EQ(model.TiltKnob().top, 80);
}

TEST_F(SelectorDrag, hourlyAzimuthInTheMiddleIsSouthAndAtTheLeftEndNorth) {
    owner.azimuth = 90;
    model.Show(owner.View());
    DragAzimuthKnobLeftTo(85);
    EXPECT_EQ(model.DragState(), AngleSelectorModel::Drag::Azimuth);
    EXPECT_EQ(owner.azimuth, 0);
    owner.Take(model.OnMouseMove(-300, 185));
    EXPECT_EQ(owner.azimuth, 180);
    EXPECT_EQ(model.AzimuthKnob().left, 15);
    owner.Take(model.OnMouseMove(1000, 185));
    EXPECT_EQ(model.AzimuthSliderValue(), 360);
    EXPECT_EQ(owner.azimuth, 180);
}

TEST_F(SelectorDrag, monthlyAzimuthRunsFromMinus180To180) {
    owner.monthly = true;
    owner.azimuth = 0;
    model.Show(owner.View());
    EXPECT_EQ(model.AzimuthKnob().left, 85);
    DragAzimuthKnobLeftTo(155);
    EXPECT_EQ(owner.azimuth, 180);
    owner.Take(model.OnMouseMove(-100, 185));
    EXPECT_EQ(owner.azimuth, -180);
}

TEST_F(SelectorDrag, modeZeroHasNoAzimuthKnob) {
    owner.slopeMode = HourlyAngleMode::FixedTilt;
    model.Show(owner.View());
    EXPECT_TRUE(model.TiltMovable());
    EXPECT_FALSE(model.AzimuthMovable());
    const ScreenPoint c = Centre(model.AzimuthKnob());
    model.OnMouseDown(c.x, c.y);
    EXPECT_EQ(model.DragState(), AngleSelectorModel::Drag::None);
    owner.Take(model.OnMouseMove(15, c.y));
    EXPECT_EQ(owner.azimuth, 0);
    EXPECT_EQ(owner.drags, 0);
}

TEST_F(SelectorDrag, modeOneHasNoTiltKnobAndHorizontalDataNoKnobAtAll) {
    owner.slopeMode = HourlyAngleMode::FixedAzimuth;
    model.Show(owner.View());
    EXPECT_FALSE(model.TiltMovable());
    EXPECT_TRUE(model.AzimuthMovable());
    const ScreenPoint c = Centre(model.TiltKnob());
    model.OnMouseDown(c.x, c.y);
    EXPECT_EQ(model.DragState(), AngleSelectorModel::Drag::None);

    owner.dataKind = DataKind::Horizontal;
    owner.slopeMode = HourlyAngleMode::Orientation;
    model.Show(owner.View());
    EXPECT_FALSE(model.TiltMovable());
    EXPECT_FALSE(model.AzimuthMovable());
    const ScreenPoint a = Centre(model.AzimuthKnob());
    model.OnMouseDown(a.x, a.y);
    EXPECT_EQ(model.DragState(), AngleSelectorModel::Drag::None);
}

TEST_F(SelectorDrag, knobEdgesAreLeftTopInclusiveRightBottomExclusive) {
    const GraphRect knob = model.TiltKnob();
    model.OnMouseDown(knob.right, knob.top);
    EXPECT_EQ(model.DragState(), AngleSelectorModel::Drag::None);
    model.OnMouseDown(knob.left, knob.top);
    EXPECT_EQ(model.DragState(), AngleSelectorModel::Drag::Tilt);
    model.EndDrag();
    owner.Take(model.OnMouseMove(knob.left, 0));
    EXPECT_EQ(owner.tilt, 0);
    EXPECT_EQ(owner.drags, 0);
}

TEST_F(SelectorDrag, syncReadsTheOwnersAngles) {
    owner.tilt = 35;
    owner.azimuth = 300;
    model.Show(owner.View());
    EXPECT_EQ(model.TiltSliderValue(), 55);
    EXPECT_EQ(model.AzimuthSliderValue(), 240);
}

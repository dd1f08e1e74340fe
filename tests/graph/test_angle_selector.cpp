#include "graph/angle_selector.h"

#include "fake_angle_selector_owner.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

struct HostOwner : test::FakeAngleSelectorOwner {
    HostOwner() { tilt = 30; }
};

// Embeds the selector the way a viewer does: shows it the angles, paints it, forwards
// the mouse and takes back the angles a drag gives.
class SelectorHost : public QWidget {
public:
    explicit SelectorHost(HostOwner& owner) : owner_(owner) {
        selector_.Show(owner_.View());
        setFixedSize(240 + 2 * kLeft, 212 + 2 * kTop);
    }
    CAngleSelector& Selector() { return selector_; }
    static constexpr int kLeft = 10, kTop = 6;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        selector_.Render(p, {kLeft, kTop, kLeft + 240, kTop + 212});
    }
    void mousePressEvent(QMouseEvent* e) override {
        selector_.OnMouseDown(e->position().toPoint().x() - kLeft,
                              e->position().toPoint().y() - kTop);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const int before = owner_.drags;
        owner_.Take(selector_.OnMouseMove(e->position().toPoint().x() - kLeft,
                                          e->position().toPoint().y() - kTop));
        if (owner_.drags != before) {
            selector_.Show(owner_.View());
            update();
        }
    }
    void mouseReleaseEvent(QMouseEvent*) override { selector_.EndDrag(); }

private:
    HostOwner& owner_;
    CAngleSelector selector_;
};

QImage Picture(const CAngleSelector& selector) {
    QImage image(240, 212, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    selector.Draw(p, 240, 212);
    return image;
}

QPoint ToHost(const GraphRect& knob) {
    return {SelectorHost::kLeft + (knob.left + knob.right) / 2,
            SelectorHost::kTop + (knob.top + knob.bottom) / 2};
}

bool IsKnobFace(QRgb pixel) {
    return std::abs(qRed(pixel) - 0xc0) <= 3 && std::abs(qGreen(pixel) - 0xc0) <= 3 &&
           std::abs(qBlue(pixel) - 0xc0) <= 3;
}

} // namespace

TEST(AngleSelectorEvents, draggingTheTiltKnobAboveTheTrackSetsTilt90) {
    HostOwner owner;
    SelectorHost host(owner);
    host.show();
    const QPoint knob = ToHost(host.Selector().Model().TiltKnob());
    QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, knob);
    EXPECT_EQ(host.Selector().Model().DragState(), AngleSelectorModel::Drag::Tilt);
    QTest::mouseMove(&host, QPoint(knob.x(), 0));
    EXPECT_EQ(owner.tilt, 90);
    EXPECT_GT(owner.drags, 0);
    QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, QPoint(knob.x(), 0));
    EXPECT_EQ(host.Selector().Model().DragState(), AngleSelectorModel::Drag::None);
    QTest::mouseMove(&host, QPoint(knob.x(), 150));
    EXPECT_EQ(owner.tilt, 90); // the drag ended with the release
}

TEST(AngleSelectorEvents, azimuthKnobDraggedToTheMiddleFacesSouth) {
    HostOwner owner;
    owner.azimuth = 270;
    SelectorHost host(owner);
    host.show();
    const GraphRect knob = host.Selector().Model().AzimuthKnob();
    const QPoint grab = ToHost(knob);
    QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, grab);
    // Move the knob's left edge to 85, the middle of the track.
    QTest::mouseMove(&host, QPoint(grab.x() - (knob.left - 85), grab.y()));
    EXPECT_EQ(owner.azimuth, 0);
    QTest::mouseMove(&host, QPoint(0, grab.y()));
    EXPECT_EQ(owner.azimuth, 180);
    QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, QPoint(0, grab.y()));
}

TEST(AngleSelectorEvents, modeZeroIgnoresAPressOnTheAzimuthKnob) {
    HostOwner owner;
    owner.slopeMode = HourlyAngleMode::FixedTilt;
    SelectorHost host(owner);
    host.show();
    const QPoint grab = ToHost(host.Selector().Model().AzimuthKnob());
    QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, grab);
    EXPECT_EQ(host.Selector().Model().DragState(), AngleSelectorModel::Drag::None);
    QTest::mouseMove(&host, QPoint(SelectorHost::kLeft + 20, grab.y()));
    EXPECT_EQ(owner.azimuth, 0);
    EXPECT_EQ(owner.drags, 0);
    QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, grab);
}

TEST(AngleSelectorPicture, knobsAreDrawnOnlyWhereTheModeAllowsThem) {
    HostOwner owner;
    CAngleSelector selector;
    selector.Show(owner.View());
    const GraphRect tilt = selector.Model().TiltKnob();
    const GraphRect azimuth = selector.Model().AzimuthKnob();
    // Face pixels away from the edges and grip lines.
    const QPoint tiltFace(tilt.left + 6, tilt.top + 4);
    const QPoint azimuthFace(azimuth.left + 4, azimuth.top + 6);

    const QImage both = Picture(selector);
    EXPECT_TRUE(IsKnobFace(both.pixel(tiltFace)));
    EXPECT_TRUE(IsKnobFace(both.pixel(azimuthFace)));

    owner.slopeMode = HourlyAngleMode::FixedTilt;
    selector.Show(owner.View());
    const QImage tiltOnly = Picture(selector);
    EXPECT_TRUE(IsKnobFace(tiltOnly.pixel(tiltFace)));
    EXPECT_FALSE(IsKnobFace(tiltOnly.pixel(azimuthFace)));

    owner.slopeMode = HourlyAngleMode::FixedAzimuth;
    selector.Show(owner.View());
    const QImage azimuthOnly = Picture(selector);
    EXPECT_FALSE(IsKnobFace(azimuthOnly.pixel(tiltFace)));
    EXPECT_TRUE(IsKnobFace(azimuthOnly.pixel(azimuthFace)));

    owner.dataKind = DataKind::Horizontal;
    owner.slopeMode = HourlyAngleMode::Orientation;
    selector.Show(owner.View());
    const QImage horizontal = Picture(selector);
    EXPECT_FALSE(IsKnobFace(horizontal.pixel(tiltFace)));
    EXPECT_FALSE(IsKnobFace(horizontal.pixel(azimuthFace)));
}

TEST(AngleSelectorPicture, panelIsBlueInsideItsProjectedCorners) {
    HostOwner owner;
    owner.tilt = 30;
    CAngleSelector selector;
    selector.Show(owner.View());
    const auto c = PanelCorners(30, 0, false);
    // A point between the panel's lines: 0.3 of the way east, 0.3 of the way north.
    auto along = [](const PicturePoint& a, const PicturePoint& b, double t) {
        return PicturePoint{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
    };
    const PicturePoint south = along(c[0], c[1], 0.3), north = along(c[3], c[2], 0.3);
    const ScreenPoint inside = ProjectPicturePoint(along(south, north, 0.3), 240, 212);
    const QImage image = Picture(selector);
    const QRgb pixel = image.pixel(inside.x, inside.y);
    EXPECT_GT(qBlue(pixel), 150);
    EXPECT_LT(qRed(pixel), 110);

    // Below the panel's south-east corner there is only the ground picture.
    const ScreenPoint corner = ProjectPicturePoint(c[1], 240, 212);
    const QRgb below = image.pixel(corner.x, corner.y + 12);
    EXPECT_LT(qBlue(below) - qRed(below), 10);
}

TEST(AngleSelectorPicture, presentCopiesWithoutRedrawing) {
    HostOwner owner;
    CAngleSelector selector;
    selector.Show(owner.View());
    QImage window(300, 250, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    const GraphRect rect{30, 20, 270, 232};
    {
        QPainter p(&window);
        selector.Render(p, rect);
    }
    EXPECT_TRUE(selector.BackBufferValid());
    EXPECT_EQ(window.pixel(30, 20), selector.BackBuffer().pixel(0, 0));
    EXPECT_EQ(window.pixel(29, 20), qRgb(255, 255, 255));

    const QImage before = selector.BackBuffer();
    owner.tilt = 80;
    selector.Show(owner.View()); // shown, not drawn
    QImage again(300, 250, QImage::Format_ARGB32_Premultiplied);
    again.fill(Qt::white);
    {
        QPainter p(&again);
        selector.Present(p, rect);
    }
    EXPECT_EQ(selector.BackBuffer(), before);
    EXPECT_EQ(again.copy(30, 20, 240, 212), before.convertToFormat(again.format()));
}

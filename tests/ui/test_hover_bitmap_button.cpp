#include "button_art.h"
#include "ui/hover_bitmap_button.h"

#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

QImage Solid(QColor colour) {
    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

const QColor kNormal(200, 0, 0);
const QColor kPressed(0, 200, 0);
const QColor kFocused(0, 0, 200);
const QColor kDisabled(120, 120, 120);
const QColor kHover(250, 200, 0);

class HoverButtonTest : public ::testing::Test {
protected:
    HoverButtonTest() {
        window.resize(120, 80);
        button = new CHoverBitmapButton(&window);
        button->SetPictures(
            {Solid(kNormal), Solid(kPressed), Solid(kFocused), Solid(kDisabled), Solid(kHover)});
        button->move(10, 10);
        window.show();
    }

    // The colour the button paints on screen.
    QColor Shown() const { return button->grab().toImage().pixelColor(20, 10); }

    void Enter() {
        QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
        QApplication::sendEvent(button, &enter);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
    }

    QWidget window;
    CHoverBitmapButton* button;
};

TEST_F(HoverButtonTest, SizedToItsNormalPicture) {
    EXPECT_EQ(button->size(), QSize(40, 20));
    EXPECT_EQ(button->sizeHint(), QSize(40, 20));
}

TEST_F(HoverButtonTest, ShowsEachStatePictureWithoutHover) {
    EXPECT_EQ(Shown(), kNormal);
    button->setDown(true);
    EXPECT_EQ(Shown(), kPressed);
    button->setDown(false);
    button->setEnabled(false);
    EXPECT_EQ(Shown(), kDisabled);
    button->setEnabled(true);
    button->setFocus();
    if (button->hasFocus()) {
        EXPECT_EQ(Shown(), kFocused);
    }
}

TEST_F(HoverButtonTest, HoverPictureWinsInEveryEnabledStateButPressed) {
    Enter();
    ASSERT_TRUE(button->IsHovered());
    EXPECT_EQ(Shown(), kHover);
    button->setFocus();
    EXPECT_EQ(Shown(), kHover);
    button->setDown(true);
    EXPECT_EQ(Shown(), kPressed) << "pressed under the mouse shows the pressed picture";
    button->setDown(false);
    EXPECT_EQ(Shown(), kHover);
    Leave();
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(Shown(), kNormal);
}

TEST_F(HoverButtonTest, DisabledUnderTheMouseNeverLooksPressable) {
    Enter();
    button->setEnabled(false); // "+" at the largest zoom, with the pointer still on it
    EXPECT_EQ(Shown(), kDisabled);
    Leave();
    Enter(); // the window system sends hover events to disabled widgets too
    EXPECT_EQ(Shown(), kDisabled);
    button->setEnabled(true);
    EXPECT_EQ(Shown(), kHover);
}

TEST_F(HoverButtonTest, HidingClearsTheHover) {
    Enter();
    button->hide();
    EXPECT_FALSE(button->IsHovered());
}

TEST_F(HoverButtonTest, ClickingStillEmitsClicked) {
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

TEST(HoverButtonPictures, MissingStatePicturesFallBackToNormal) {
    CHoverBitmapButton button;
    button.SetPictures({Solid(kNormal), {}, {}, {}, Solid(kHover)});
    EXPECT_EQ(button.Pictures().pressed.pixelColor(0, 0), kNormal);
    EXPECT_EQ(button.Pictures().disabled.pixelColor(0, 0), kNormal);
}

TEST(HoverButtonPictures, NumberedResourcesCarryEveryState) {
    CHoverBitmapButton button;
    ASSERT_TRUE(button.LoadBitmaps(182, 192));
    const ButtonPictures& p = button.Pictures();
    EXPECT_EQ(button.size(), QSize(212, 52));
    for (const QImage* picture : {&p.hover, &p.pressed, &p.focused, &p.disabled}) {
        ASSERT_FALSE(picture->isNull());
        EXPECT_EQ(picture->size(), p.normal.size());
        EXPECT_NE(*picture, p.normal) << "each state must look different";
    }
    // A disabled picture given by number (the batch list's delete button).
    CHoverBitmapButton remove;
    ASSERT_TRUE(remove.LoadBitmaps(285, 286, 287));
    EXPECT_NE(remove.Pictures().disabled, remove.Pictures().normal);

    CHoverBitmapButton missing;
    EXPECT_FALSE(missing.LoadBitmaps(99999, 99998));
}

TEST(ButtonArt, DoubleScaleKeepsTheLogicalSize) {
    const ButtonDesign design{QStringLiteral("閉じる"), QSize(240, 24), ButtonTone::Dialog, {}};
    const QImage one = RenderButtonPicture(design, ButtonState::Normal, 1.0);
    const QImage two = RenderButtonPicture(design, ButtonState::Normal, 2.0);
    EXPECT_EQ(one.size(), QSize(240, 24));
    EXPECT_EQ(two.size(), QSize(480, 48));
    EXPECT_EQ(two.deviceIndependentSize().toSize(), QSize(240, 24));
    // The corners stay transparent so the button sits on any dialog colour.
    EXPECT_EQ(qAlpha(one.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(one.pixel(120, 12)), 255);
}

} // namespace
} // namespace quorvane

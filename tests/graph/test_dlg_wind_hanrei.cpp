#include "graph/dlg_wind_hanrei.h"
#include "recording_platform.h"
#include "ui/image.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(WindLegendLayout, FollowsThePictureSize) {
    const CDlgWindHanrei::Layout layout = CDlgWindHanrei::LayoutFor(QSize(600, 300));
    EXPECT_EQ(layout.dialogSize, QSize(628, 370));
    EXPECT_EQ(layout.pictureFrame, QRect(10, 10, 600, 300));
    EXPECT_EQ(layout.closeButton, QRect(370, 316, 240, 24));
}

TEST(WindLegendLayout, SitsRightOfAndAboveTheWorkAreaCentre) {
    EXPECT_EQ(CDlgWindHanrei::PositionOn(QRect(0, 0, 1920, 1040), QSize(628, 370)),
              QPoint(1040, 480));
    EXPECT_EQ(CDlgWindHanrei::PositionOn(QRect(100, 30, 1920, 1040), QSize(628, 370)),
              QPoint(1140, 510));
}

TEST(WindLegendLayout, StaysInsideANarrowWorkArea) {
    // 640 + 80 + 628 would end beyond 1280.
    EXPECT_EQ(CDlgWindHanrei::PositionOn(QRect(0, 0, 1280, 1000), QSize(628, 370)),
              QPoint(652, 460));
    EXPECT_EQ(CDlgWindHanrei::PositionOn(QRect(0, 0, 600, 400), QSize(628, 370)), QPoint(0, 30));
}

TEST(WindLegendDialog, BuiltFromAPicture) {
    RecordingPlatform platform;
    platform.workArea = QRect(0, 0, 1920, 1040);
    QImage picture(600, 300, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    CDlgWindHanrei dialog(picture, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("風向と風速の凡例"));
    EXPECT_EQ(dialog.size(), QSize(628, 370));
    EXPECT_EQ(dialog.pos(), QPoint(1040, 480));
    auto* close = dialog.findChild<QPushButton*>(QStringLiteral("1"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->geometry(), QRect(370, 316, 240, 24));
    EXPECT_EQ(close->text(), QStringLiteral("閉じる"));
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("2"))->isVisible());

    const QImage shot = dialog.grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(10, 20, 30));
    EXPECT_EQ(shot.pixelColor(609, 309), QColor(10, 20, 30));
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(225, 240, 255));
    EXPECT_EQ(shot.pixelColor(611, 200), QColor(225, 240, 255));

    close->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(WindLegendDialog, TheProgramsPictureIsTheLegend) {
    RecordingPlatform platform;
    const QImage legend = LoadPngResource(190);
    ASSERT_FALSE(legend.isNull());
    CDlgWindHanrei dialog;
    const CDlgWindHanrei::Layout layout = CDlgWindHanrei::LayoutFor(legend.size());
    EXPECT_EQ(dialog.size(), layout.dialogSize);
}

} // namespace
} // namespace quorvane

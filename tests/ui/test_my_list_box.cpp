#include "ui/image.h"
#include "ui/my_list_box.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

const QColor kSelection(255, 225, 235);
const QColor kSeparator(220, 220, 220);

// The darkest pixel of a row range: the text's colour where it is solid.
QColor DarkestIn(const QImage& image, QRect area) {
    QColor darkest = Qt::white;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.lightness() < darkest.lightness()) {
                darkest = c;
            }
        }
    }
    return darkest;
}

QFont TestFont() {
    return CreatePixelFont(GothicFace(), FontStyle::Regular, 12);
}

TEST(ListLine, PlainLineIsWhiteWithSeparatorAndBlackText) {
    QImage image(120, 14, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
        QPainter painter(&image);
        PaintListLine(painter, QRect(0, 0, 120, 14), QStringLiteral("■■■"), false, kListMarkPlain,
                      TestFont());
    }
    EXPECT_EQ(image.pixelColor(110, 3), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(0, 13), kSeparator);
    EXPECT_EQ(image.pixelColor(119, 13), kSeparator);
    EXPECT_EQ(image.pixelColor(110, 12), QColor(Qt::white)) << "the separator is one pixel";
    EXPECT_EQ(image.pixelColor(2, 6), QColor(Qt::white)) << "the text starts 4 pixels in";
    EXPECT_EQ(DarkestIn(image, QRect(4, 0, 40, 13)), QColor(Qt::black));
}

TEST(ListLine, SelectedLineIsTintedAndMarksColourTheText) {
    QImage image(120, 28, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintListLine(painter, QRect(0, 0, 120, 14), QStringLiteral("■■■"), true, kListMarkDarkBlue,
                      TestFont());
        PaintListLine(painter, QRect(0, 14, 120, 14), QStringLiteral("■■■"), false, kListMarkGreen,
                      TestFont());
    }
    EXPECT_EQ(image.pixelColor(110, 3), kSelection);
    EXPECT_EQ(image.pixelColor(60, 13), kSeparator);
    EXPECT_EQ(DarkestIn(image, QRect(4, 0, 40, 12)), QColor(0, 0, 160));
    EXPECT_EQ(DarkestIn(image, QRect(4, 14, 40, 12)), QColor(0, 128, 64));
}

class ListBoxTest : public ::testing::Test {
protected:
    ListBoxTest() {
        list.setFont(TestFont());
        list.resize(160, 100);
        list.show();
    }
    QImage Viewport() { return list.viewport()->grab().toImage(); }

    CMyListBox list;
};

TEST_F(ListBoxTest, EmptyListDrawsNothing) {
    const QImage image = Viewport();
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
        }
    }
}

TEST_F(ListBoxTest, LinesAreFourteenPixelsAndShortMarkArraysLeaveTheRestBlack) {
    list.addItems({QStringLiteral("■■"), QStringLiteral("■■"), QStringLiteral("■■")});
    list.SetMarks({kListMarkGreen});
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list.visualItemRect(list.item(row)).height(), kListLineHeight);
    }
    EXPECT_EQ(list.MarkOf(1), kListMarkPlain);
    EXPECT_EQ(list.MarkOf(-1), kListMarkPlain);
    list.setCurrentRow(2);
    const QImage image = Viewport();
    const QRect first = list.visualItemRect(list.item(0));
    const QRect second = list.visualItemRect(list.item(1));
    const QRect third = list.visualItemRect(list.item(2));
    EXPECT_EQ(DarkestIn(image, first.adjusted(4, 0, -80, -2)), QColor(0, 128, 64));
    EXPECT_EQ(DarkestIn(image, second.adjusted(4, 0, -80, -2)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(third.right() - 10, third.top() + 3), kSelection);
    EXPECT_EQ(image.pixelColor(second.right() - 10, second.bottom()), kSeparator);
}

} // namespace
} // namespace quorvane

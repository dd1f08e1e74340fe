#include "ui/image.h"

#include "temp_dir.h"

#include <QFontInfo>
#include <QPainter>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QString InTemp(const test::TempDir& dir, const char* name) {
    return QString::fromStdString((dir.path() / name).string());
}

TEST(ImageLoading, FilesDecodeAndFailuresGiveNullImages) {
    test::TempDir dir;
    QImage picture = Filled(40, 30, Qt::red);
    ASSERT_TRUE(picture.save(InTemp(dir, "map.jpg"), "JPEG"));
    ASSERT_TRUE(picture.save(InTemp(dir, "map.png"), "PNG"));
    dir.Write("broken.png", "not a picture");
    dir.Write("empty.jpg", "");

    const QImage jpeg = LoadPictureFile(InTemp(dir, "map.jpg"));
    EXPECT_EQ(jpeg.size(), QSize(40, 30));
    EXPECT_EQ(LoadPngFile(InTemp(dir, "map.png")).size(), QSize(40, 30));

    EXPECT_TRUE(LoadPictureFile(InTemp(dir, "missing.jpg")).isNull());
    EXPECT_TRUE(LoadPictureFile(InTemp(dir, "empty.jpg")).isNull());
    EXPECT_TRUE(LoadPngFile(InTemp(dir, "broken.png")).isNull());
    EXPECT_TRUE(LoadPngFile(InTemp(dir, "map.jpg")).isNull()) << "a PNG loader takes PNG only";
    EXPECT_TRUE(LoadPngResource(999999).isNull());
    EXPECT_TRUE(LoadBitmapResource(999999).isNull());
}

TEST(ImageDrawing, NaturalScaledAndRectPlaceThePicture) {
    const QImage red = Filled(10, 10, Qt::red);
    QImage canvas = Filled(60, 60, Qt::white);
    {
        QPainter painter(&canvas);
        DrawImageNatural(painter, red, 5, 5);
        DrawImageScaled(painter, red, 30, 30, 2.0);
        DrawImageRect(painter, red, QRectF(0, 0, 5, 5), QRectF(0, 40, 10, 10));
    }
    EXPECT_EQ(canvas.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(14, 14), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(15, 15), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(49, 49), QColor(Qt::red)) << "scaled by 2 reaches 30 + 20";
    EXPECT_EQ(canvas.pixelColor(50, 50), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(9, 49), QColor(Qt::red));
}

TEST(ImageDrawing, MaskedBitmapLeavesWhiteTransparent) {
    QImage mark = Filled(8, 8, Qt::white);
    for (int i = 0; i < 8; ++i) {
        mark.setPixelColor(i, i, Qt::blue);
    }
    QImage canvas = Filled(40, 40, Qt::green);
    QRect drawn;
    QRect centred;
    {
        QPainter painter(&canvas);
        drawn = DrawMaskedBitmap(painter, mark, 2, 2);
        centred = DrawMaskedBitmapCentered(painter, mark, 30, 30);
    }
    EXPECT_EQ(drawn, QRect(2, 2, 8, 8));
    EXPECT_EQ(centred, QRect(26, 26, 8, 8));
    EXPECT_EQ(canvas.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(canvas.pixelColor(6, 5), QColor(Qt::green)) << "white must not cover the screen";
    EXPECT_EQ(canvas.pixelColor(27, 26), QColor(Qt::green));
    EXPECT_EQ(canvas.pixelColor(26, 26), QColor(Qt::blue));
}

TEST(ImageDrawing, NearlyWhiteIsNotTransparent) {
    QImage image = Filled(2, 1, Qt::white);
    image.setPixelColor(1, 0, QColor(254, 255, 255));
    const QImage masked = WhiteToTransparent(image);
    EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(masked.pixel(1, 0)), 255);
}

TEST(Fonts, WindowsFacesResolveToIpaFonts) {
    const QFont gothic = CreatePixelFont(GothicFace(), FontStyle::Regular, 12);
    EXPECT_EQ(QFontInfo(gothic).family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(QFontInfo(gothic).pixelSize(), 12);
    const QFont pgothic = CreatePointFont(ProportionalGothicFace(), FontStyle::Bold, 16);
    EXPECT_EQ(QFontInfo(pgothic).family(), QStringLiteral("IPAPGothic"));
    EXPECT_TRUE(pgothic.bold());
    EXPECT_EQ(QFontInfo(CreatePointFont(MinchoFace(), FontStyle::Regular, 10)).family(),
              QStringLiteral("IPAMincho"));
}

// Column range covered by non-white pixels.
std::pair<int, int> InkColumns(const QImage& image) {
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::white)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

TEST(TextDrawing, AlignmentAnchorsTheTextAtThePoint) {
    const QFont font = CreatePixelFont(GothicFace(), FontStyle::Regular, 12);
    const QString text = QStringLiteral("日射量");
    auto render = [&](TextAlign align) {
        QImage canvas = Filled(200, 40, Qt::white);
        QPainter painter(&canvas);
        DrawTextAt(painter, text, QPointF(100, 10), QBrush(Qt::black), font, align);
        painter.end();
        return InkColumns(canvas);
    };
    const auto near = render(TextAlign::Near);
    const auto centre = render(TextAlign::Center);
    const auto far = render(TextAlign::Far);
    EXPECT_GE(near.first, 100);
    EXPECT_LE(near.first, 102);
    EXPECT_LE(far.second, 100);
    EXPECT_GE(far.second, 97);
    EXPECT_LT(centre.first, 100);
    EXPECT_GT(centre.second, 100);
    EXPECT_NEAR((centre.first + centre.second) / 2.0, 100, 2);
}

TEST(TextDrawing, NearPutsTheTopOfTheLineAtY) {
    const QFont font = CreatePixelFont(GothicFace(), FontStyle::Regular, 12);
    QImage canvas = Filled(60, 60, Qt::white);
    {
        QPainter painter(&canvas);
        DrawTextAt(painter, QStringLiteral("■"), QPointF(10, 20), QBrush(Qt::black), font);
    }
    int top = -1;
    for (int y = 0; y < canvas.height() && top < 0; ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixelColor(x, y) != QColor(Qt::white)) {
                top = y;
                break;
            }
        }
    }
    EXPECT_GE(top, 20);
    EXPECT_LE(top, 24);
}

} // namespace
} // namespace quorvane

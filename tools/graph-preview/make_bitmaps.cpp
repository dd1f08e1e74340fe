// Draws the graph's navigation button pictures (bitmap resources 174-179):
//   make_graph_bitmaps <output folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

struct ButtonLook {
    QRgb top;
    QRgb bottom;
    QRgb border;
    QRgb arrow;
};

QImage DrawNavButton(bool next, const ButtonLook& look) {
    QImage image(31, 31, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF body(0.5, 0.5, 30, 30);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, QColor::fromRgba(look.top));
    fill.setColorAt(1, QColor::fromRgba(look.bottom));
    p.setPen(QPen(QColor::fromRgba(look.border), 1));
    p.setBrush(fill);
    p.drawRoundedRect(body, 7, 7);

    // A soft gloss on the upper half.
    QPainterPath gloss;
    gloss.addRoundedRect(QRectF(2.5, 2.5, 26, 12), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 56));
    p.drawPath(gloss);

    QPolygonF arrow({QPointF(19, 8), QPointF(10, 15.5), QPointF(19, 23)});
    if (next) {
        for (QPointF& point : arrow) {
            point.setX(31 - point.x());
        }
    }
    p.setPen(QPen(QColor::fromRgba(look.arrow), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(arrow);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_graph_bitmaps <output folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const ButtonLook normal{0xff3aa8e0, 0xff0070b0, 0xff005a8c, 0xffffffff};
    const ButtonLook hover{0xffffc24a, 0xffff8400, 0xffc05e00, 0xffffffff};
    const ButtonLook inactive{0xffe6e6e6, 0xffbdbdbd, 0xffa0a0a0, 0xfff4f4f4};
    const struct {
        int number;
        bool next;
        const ButtonLook& look;
    } pictures[] = {{174, false, normal}, {175, false, hover}, {176, false, inactive},
                    {177, true, normal},  {178, true, hover},  {179, true, inactive}};
    for (const auto& picture : pictures) {
        const QString path = dir.filePath(QStringLiteral("nav_%1.png").arg(picture.number));
        if (!DrawNavButton(picture.next, picture.look).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

// Draws every picture of the program at 1x and 2x and writes the resource
// files that compile them in. The output is committed; rerun after a change.
#include "button_art.h"
#include "ui/image.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quorvane;

namespace {

struct NumberedButton {
    int normalId;
    int hoverId;
    int disabledId; // 0: the "-disabled" variant of the normal picture
    const char16_t* text;
    QSize size;
    ButtonTone tone;
    const char16_t* caption = u"";
};

const QSize kViewerButton(180, 28);
const QSize kTableButton(160, 26);
const QSize kMapButton(150, 26);

const std::vector<NumberedButton> kButtons = {
    // Main menu.
    {182, 192, 0, u"HORIX", {212, 52}, ButtonTone::Primary, u"時別データを表示"},
    {183, 193, 0, u"KALVERA", {212, 52}, ButtonTone::Primary, u"月別データを表示"},
    {184, 194, 0, u"日射量マップ", {212, 52}, ButtonTone::Primary, u"マップを表示"},
    {186, 196, 0, u"データフォルダの設定", {176, 34}, ButtonTone::Menu},
    {185, 195, 0, u"システム終了", {132, 34}, ButtonTone::Menu},
    // Hourly and monthly viewers.
    {227, 228, 0, u"メニュー画面に戻る", kViewerButton, ButtonTone::Dialog},
    {229, 230, 0, u"KALVERAを表示", kViewerButton, ButtonTone::Dialog},
    {231, 232, 0, u"HORIXを表示", kViewerButton, ButtonTone::Dialog},
    {233, 234, 0, u"地図から選択する", kViewerButton, ButtonTone::Dialog},
    {235, 236, 0, u"表示中のグラフを印刷", kViewerButton, ButtonTone::Dialog},
    {237, 238, 0, u"表示中のデータを保存", kViewerButton, ButtonTone::Dialog},
    {253, 254, 0, u"１年分のデータを保存", kViewerButton, ButtonTone::Dialog},
    {239, 240, 0, u"データ一覧表を表示", kViewerButton, ButtonTone::Dialog},
    // Data table (256/257 also closes the wind legend, 240 x 24 there).
    {256, 257, 0, u"閉じる", {240, 24}, ButtonTone::Dialog},
    {258, 259, 0, u"一覧表の印刷", kTableButton, ButtonTone::Dialog},
    {260, 261, 0, u"複数地点一括印刷", kTableButton, ButtonTone::Dialog},
    // Batch print list.
    {278, 279, 0, u"一括印刷開始", {120, 28}, ButtonTone::Dialog},
    {276, 277, 0, u"キャンセル", {120, 28}, ButtonTone::Dialog},
    {274, 275, 0, u"リストに追加", {120, 26}, ButtonTone::Dialog},
    {285, 286, 287, u"リストから削除", {120, 26}, ButtonTone::Dialog},
    {282, 283, 284, u"全削除", {120, 26}, ButtonTone::Dialog},
    {280, 281, 0, u"地図から選択", {120, 26}, ButtonTone::Dialog},
    // Site selection map and its two searches.
    {300, 301, 0, u"1Kmメッシュ地図へ", kMapButton, ButtonTone::Dialog},
    {302, 303, 0, u"エリア別地図へ", kMapButton, ButtonTone::Dialog},
    {304, 305, 0, u"全国地図へ戻る", kMapButton, ButtonTone::Dialog},
    {306, 307, 0, u"ブロック地図へ戻る", kMapButton, ButtonTone::Dialog},
    {308, 309, 0, u"住所検索", kMapButton, ButtonTone::Dialog},
    {310, 311, 0, u"施設・地名検索", kMapButton, ButtonTone::Dialog},
    {312, 313, 0, u"この地点のグラフを表示", {200, 30}, ButtonTone::Dialog},
    {314, 315, 0, u"この地点を印刷対象にする", {200, 30}, ButtonTone::Dialog},
    {316, 317, 0, u"キャンセル", {120, 30}, ButtonTone::Dialog},
    {318, 319, 0, u"検索", {110, 28}, ButtonTone::Dialog},
    {320, 321, 0, u"キャンセル", {110, 28}, ButtonTone::Dialog},
    // Colour map viewer.
    {350, 351, 0, u"閉じる", {140, 30}, ButtonTone::Dialog},
    {352, 353, 0, u"+", {64, 30}, ButtonTone::Dialog},
    {354, 355, 0, u"-", {64, 30}, ButtonTone::Dialog},
    {356, 357, 0, u"全体表示", {140, 30}, ButtonTone::Dialog},
    {358, 359, 0, u"印刷", {140, 30}, ButtonTone::Dialog},
    // Energy yield and the national map.
    {362, 363, 0, u"発電量試算", {104, 34}, ButtonTone::Menu},
    {364, 365, 0, u"全国マップ", {104, 34}, ButtonTone::Menu},
    {366, 367, 0, u"結果をCSVで保存", kViewerButton, ButtonTone::Dialog},
    {368, 369, 0, u"最適な向きを探す", kViewerButton, ButtonTone::Dialog},
    {370, 371, 0, u"閉じる", kViewerButton, ButtonTone::Dialog},
};

QString Str(const char16_t* text) {
    return QString::fromUtf16(text);
}

QFont Face(const QString& family, bool bold, qreal pixels) {
    QFont font = CreatePixelFont(family, bold ? FontStyle::Bold : FontStyle::Regular,
                                 static_cast<int>(std::lround(pixels)));
    return font;
}

// A picture drawn in logical pixels at a device scale.
QImage Canvas(QSize size, qreal scale, const std::function<void(QPainter&)>& draw) {
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    draw(painter);
    return image;
}

void DrawSun(QPainter& p, QPointF centre, qreal radius, int rays, qreal alpha = 1.0) {
    p.save();
    p.setOpacity(alpha);
    QRadialGradient glow(centre, radius * 2.6);
    glow.setColorAt(0, QColor(255, 240, 170, 150));
    glow.setColorAt(1, QColor(255, 240, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius * 2.6, radius * 2.6);
    p.setPen(QPen(QColor(255, 196, 60), radius * 0.16, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < rays; ++i) {
        const qreal a = i * 2 * M_PI / rays;
        p.drawLine(centre + QPointF(std::cos(a), std::sin(a)) * radius * 1.35,
                   centre + QPointF(std::cos(a), std::sin(a)) * radius * 1.75);
    }
    QRadialGradient disc(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.3);
    disc.setColorAt(0, QColor(255, 250, 200));
    disc.setColorAt(0.6, QColor(255, 205, 70));
    disc.setColorAt(1, QColor(250, 160, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

// A tilted photovoltaic panel seen from the front-left: a parallelogram of cells.
void DrawPanel(QPainter& p, QPointF origin, qreal width, qreal height, QColor frame) {
    const qreal skew = height * 0.55;
    QPolygonF outline({origin, origin + QPointF(width, 0), origin + QPointF(width - skew, height),
                       origin + QPointF(-skew, height)});
    QLinearGradient fill(origin, origin + QPointF(0, height));
    fill.setColorAt(0, QColor(0x2B, 0x4F, 0x8F));
    fill.setColorAt(1, QColor(0x14, 0x2C, 0x5A));
    p.setPen(QPen(frame, 1.5));
    p.setBrush(fill);
    p.drawPolygon(outline);
    p.setPen(QPen(QColor(255, 255, 255, 90), 0.8));
    const int columns = 6;
    const int rows = 3;
    for (int c = 1; c < columns; ++c) {
        const qreal f = static_cast<qreal>(c) / columns;
        p.drawLine(origin + QPointF(width * f, 0), origin + QPointF(width * f - skew, height));
    }
    for (int r = 1; r < rows; ++r) {
        const qreal f = static_cast<qreal>(r) / rows;
        p.drawLine(origin + QPointF(-skew * f, height * f),
                   origin + QPointF(width - skew * f, height * f));
    }
}

void DrawProductMark(QPainter& p, QRectF box) {
    // Sun over a panel, the mark of the program's logos and icon.
    const qreal s = box.height();
    DrawSun(p, box.topLeft() + QPointF(s * 0.62, s * 0.36), s * 0.2, 12);
    DrawPanel(p, box.topLeft() + QPointF(s * 0.3, s * 0.58), s * 0.62, s * 0.3,
              QColor(0xDD, 0xE6, 0xF2));
}

// Title picture 191: sky, sun, panels and the program's name.
void DrawTitle(QPainter& p, QSize size) {
    const QRectF r(QPointF(0, 0), QSizeF(size));
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x0B, 0x3B, 0x78));
    sky.setColorAt(0.55, QColor(0x2C, 0x7F, 0xD4));
    sky.setColorAt(1, QColor(140, 208, 252));
    p.fillRect(r, sky);
    DrawSun(p, QPointF(size.width() - 150, 78), 36, 16);
    // Gentle hills and a row of panels along the horizon.
    QPainterPath hills;
    hills.moveTo(0, size.height());
    hills.cubicTo(size.width() * 0.25, size.height() - 46, size.width() * 0.55, size.height() - 10,
                  size.width(), size.height() - 38);
    hills.lineTo(size.width(), size.height());
    hills.closeSubpath();
    p.fillPath(hills, QColor(255, 255, 255, 60));
    for (int i = 0; i < 5; ++i) {
        DrawPanel(p, QPointF(size.width() - 380 + i * 66, size.height() - 44), 52, 22,
                  QColor(230, 238, 248));
    }
    p.setPen(QColor(255, 255, 255, 235));
    p.setFont(Face(QStringLiteral("IPAPGothic"), true, 58));
    p.drawText(QPointF(44, 110), QStringLiteral("Quorvane"));
    p.setFont(Face(QStringLiteral("IPAPGothic"), true, 22));
    p.drawText(QPointF(48, 148), Str(u"日射量データベース閲覧システム"));
    p.setPen(QColor(255, 255, 255, 200));
    p.setFont(Face(QStringLiteral("IPAPGothic"), false, 14));
    p.drawText(QPointF(50, 176),
               Str(u"時別データ HORIX-11  ・  月別データ KALVERA-11  ・  日射量マップ"));
}

enum class PanelKind { Hourly, Monthly, Map };

void DrawCardFrame(QPainter& p, QSize size, QColor accent, const QString& title,
                   const QString& subtitle) {
    const QRectF card = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(3, 2, -3, -4);
    QPainterPath shadow;
    shadow.addRoundedRect(card.translated(0, 3), 12, 12);
    p.fillPath(shadow, QColor(10, 50, 100, 50));
    QPainterPath body;
    body.addRoundedRect(card, 12, 12);
    p.fillPath(body, QColor(255, 255, 255, 245));
    p.save();
    p.setClipPath(body);
    QLinearGradient band(card.topLeft(), card.topLeft() + QPointF(0, 64));
    band.setColorAt(0, accent.lighter(118));
    band.setColorAt(1, accent);
    p.fillRect(QRectF(card.left(), card.top(), card.width(), 64), band);
    p.restore();
    p.setPen(QPen(accent.darker(125), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.setPen(Qt::white);
    p.setFont(Face(QStringLiteral("IPAPGothic"), true, 24));
    p.drawText(QRectF(card.left(), card.top() + 6, card.width(), 34), Qt::AlignCenter, title);
    p.setFont(Face(QStringLiteral("IPAPGothic"), false, 13));
    p.drawText(QRectF(card.left(), card.top() + 38, card.width(), 20), Qt::AlignCenter, subtitle);
}

void DrawAxes(QPainter& p, QRectF plot) {
    p.setPen(QPen(QColor(0x90, 0x9C, 0xAC), 1));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.setPen(QPen(QColor(0xE4, 0xE8, 0xEE), 1, Qt::DashLine));
    for (int i = 1; i <= 3; ++i) {
        const qreal y = plot.bottom() - plot.height() * i / 4;
        p.drawLine(QPointF(plot.left() + 1, y), QPointF(plot.right(), y));
    }
}

void DrawPanelPicture(QPainter& p, QSize size, PanelKind kind) {
    const QRectF plot(28, 84, size.width() - 56, 118);
    switch (kind) {
    case PanelKind::Hourly: {
        DrawCardFrame(p, size, QColor(0x25, 0x6C, 0xC4), QStringLiteral("HORIX-11"),
                      Str(u"時別 標準気象・日射量"));
        DrawAxes(p, plot);
        // One day's hourly global irradiation as bars, temperature as a line.
        const int hours = 24;
        const qreal slot = plot.width() / hours;
        QPolygonF temperature;
        for (int h = 0; h < hours; ++h) {
            const qreal t = (h + 0.5 - 12.0) / 6.2;
            const qreal value = h >= 5 && h <= 18 ? std::exp(-t * t) : 0.0;
            const QRectF bar(plot.left() + h * slot + 1,
                             plot.bottom() - value * plot.height() * 0.9, slot - 2,
                             value * plot.height() * 0.9);
            QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
            fill.setColorAt(0, QColor(0xFF, 0xB0, 0x3A));
            fill.setColorAt(1, QColor(0xFF, 0xD9, 0x80));
            p.fillRect(bar, fill);
            temperature << QPointF(
                plot.left() + (h + 0.5) * slot,
                plot.bottom() - plot.height() * (0.35 + 0.22 * std::sin((h - 9) * M_PI / 12)));
        }
        p.setPen(QPen(QColor(0xD2, 0x3C, 0x3C), 1.6));
        p.drawPolyline(temperature);
        DrawSun(p, QPointF(plot.right() - 14, plot.top() + 6), 9, 10);
        break;
    }
    case PanelKind::Monthly: {
        DrawCardFrame(p, size, QColor(0x1F, 0x9A, 0x6E), QStringLiteral("KALVERA-11"),
                      Str(u"月別 斜面日射量"));
        DrawAxes(p, plot);
        const QColor colours[] = {QColor(0x1F, 0x9A, 0x6E), QColor(0x25, 0x6C, 0xC4),
                                  QColor(0xE0, 0x7B, 0x12)};
        for (int series = 0; series < 3; ++series) {
            QPolygonF line;
            for (int m = 0; m < 12; ++m) {
                const qreal base = 0.45 + 0.28 * std::sin((m - 1.5) * M_PI / 6.5);
                const qreal value = base * (1.0 - 0.18 * series) + (series == 0 ? 0.12 : 0);
                line << QPointF(plot.left() + (m + 0.5) * plot.width() / 12,
                                plot.bottom() - value * plot.height());
            }
            p.setPen(QPen(colours[series], 1.8));
            p.drawPolyline(line);
            p.setBrush(Qt::white);
            for (const QPointF& point : line) {
                p.drawEllipse(point, 2.4, 2.4);
            }
        }
        p.setPen(QColor(0x60, 0x6C, 0x7C));
        p.setFont(Face(QStringLiteral("IPAPGothic"), false, 10));
        for (int m = 1; m <= 12; m += 2) {
            p.drawText(QRectF(plot.left() + (m - 1) * plot.width() / 12, plot.bottom() + 2,
                              plot.width() / 12, 12),
                       Qt::AlignCenter, QString::number(m));
        }
        break;
    }
    case PanelKind::Map: {
        DrawCardFrame(p, size, QColor(0xE0, 0x7B, 0x12), Str(u"日射量マップ"),
                      Str(u"日射量の地理的分布"));
        // A mesh of cells coloured along an irradiance scale.
        const int columns = 14;
        const int rows = 9;
        const qreal cell = std::min(plot.width() / columns, plot.height() / rows);
        const QPointF origin(plot.center().x() - cell * columns / 2, plot.top());
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                const qreal dx = (c - columns * 0.62) / columns;
                const qreal dy = (r - rows * 0.35) / rows;
                const bool land = dx * dx * 1.4 + dy * dy * 2.2 - 0.12 * std::sin(c * 1.3) < 0.34 &&
                                  !(c < 3 && r < 4) && !(c > 11 && r > 5);
                if (!land) {
                    continue;
                }
                const qreal v =
                    std::clamp(0.25 + 0.08 * c - 0.05 * r + 0.05 * std::sin(r * c), 0.0, 1.0);
                const QColor colour = QColor::fromHsvF(0.62 - 0.62 * v, 0.75, 0.95);
                p.fillRect(QRectF(origin.x() + c * cell, origin.y() + r * cell, cell - 1, cell - 1),
                           colour);
            }
        }
        // The colour scale.
        const QRectF scale(plot.left() + 10, plot.bottom() - 8, plot.width() - 20, 7);
        QLinearGradient bar(scale.topLeft(), scale.topRight());
        for (int i = 0; i <= 10; ++i) {
            bar.setColorAt(i / 10.0, QColor::fromHsvF(0.62 - 0.062 * i, 0.75, 0.95));
        }
        p.fillRect(scale, bar);
        break;
    }
    }
}

// Footer picture 197: a navy band with the product mark.
void DrawFooter(QPainter& p, QSize size) {
    const QRectF r(QPointF(0, 0), QSizeF(size));
    QLinearGradient band(r.topLeft(), r.bottomLeft());
    band.setColorAt(0, QColor(0x1B, 0x44, 0x78));
    band.setColorAt(1, QColor(0x0E, 0x2A, 0x4D));
    p.fillRect(r, band);
    p.fillRect(QRectF(0, 0, size.width(), 2), QColor(0xFF, 0xB3, 0x47));
    DrawProductMark(p, QRectF(16, 8, 48, 48));
    p.setPen(Qt::white);
    p.setFont(Face(QStringLiteral("IPAPGothic"), true, 20));
    p.drawText(QPointF(72, 32), QStringLiteral("Quorvane"));
    p.setPen(QColor(255, 255, 255, 190));
    p.setFont(Face(QStringLiteral("IPAPGothic"), false, 12));
    p.drawText(QPointF(73, 50), Str(u"日射量データベース閲覧システム"));
}

// Logos 292 (viewer windows) and 293 (printed footers, drawn at half scale).
void DrawLogo(QPainter& p, QSize size) {
    const qreal h = size.height();
    DrawProductMark(p, QRectF(0, 0, h, h));
    p.setPen(QColor(0x17, 0x3A, 0x6B));
    p.setFont(Face(QStringLiteral("IPAPGothic"), true, h * 0.46));
    p.drawText(QPointF(h * 1.02, h * 0.56), QStringLiteral("Quorvane"));
    p.setPen(QColor(0x55, 0x66, 0x80));
    // The subtitle shrinks to the logo's width rather than being cut off.
    const QString subtitle = Str(u"日射量データベース閲覧システム");
    const qreal room = size.width() - h * 1.05 - 1;
    QFont small = Face(QStringLiteral("IPAPGothic"), false, h * 0.24);
    while (small.pixelSize() > 5 && QFontMetricsF(small).horizontalAdvance(subtitle) > room) {
        small.setPixelSize(small.pixelSize() - 1);
    }
    p.setFont(small);
    p.drawText(QPointF(h * 1.05, h * 0.88), subtitle);
}

void DrawIcon(QPainter& p, QSize size) {
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(4, 4, -4, -4);
    QPainterPath tile;
    tile.addRoundedRect(r, r.width() * 0.18, r.width() * 0.18);
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x1C, 0x5C, 0xB0));
    sky.setColorAt(1, QColor(140, 208, 252));
    p.fillPath(tile, sky);
    p.save();
    p.setClipPath(tile);
    DrawProductMark(p, r.adjusted(-r.width() * 0.08, r.height() * 0.02, 0, 0));
    p.restore();
}

// Wind barb of the hourly graphs' day view: the staff points to where the
// wind comes from, a half stroke is 1 m/s, a full stroke 2 m/s, a pennant 10 m/s.
void DrawBarb(QPainter& p, QPointF at, int code, double speed, qreal e) {
    const int n = static_cast<int>(speed + 0.5);
    p.save();
    p.setPen(QPen(QColor(0x20, 0x30, 0x50), 1.2 * e / 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(0x20, 0x30, 0x50));
    if (code == 0 || n <= 0) {
        p.drawEllipse(at, 1.6 * e, 1.6 * e);
        p.restore();
        return;
    }
    p.translate(at);
    p.rotate(code * 22.5);
    const qreal m = 8 * e;
    const int pennants = n / 10;
    p.drawLine(QPointF(0, m), QPointF(0, -m - (pennants > 0 ? 6 * e : 0)));
    const qreal step = 3 * e;
    qreal t = -m - (pennants > 0 ? 6 * e : 0);
    for (int i = 0; i < pennants; ++i) {
        p.drawPolygon(QPolygonF({QPointF(0, t), QPointF(8 * e, t + 3 * e), QPointF(0, t + 6 * e)}));
        t += 6 * e + step / 2;
    }
    int rest = n % 10;
    for (int i = 0; i < (rest + 1) / 2; ++i) {
        const bool full = rest >= 2;
        p.drawLine(QPointF(0, t), full ? QPointF(7 * e, t - 3 * e) : QPointF(4 * e, t - 2 * e));
        t += step;
        rest -= 2;
    }
    p.restore();
}

// Wind legend picture 190.
void DrawWindLegend(QPainter& p, QSize size) {
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), Qt::white);
    p.setPen(QPen(QColor(0xB8, 0xC8, 0xDC), 1));
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    const QColor ink(0x20, 0x30, 0x50);
    const QFont heading = Face(QStringLiteral("IPAPGothic"), true, 15);
    const QFont body = Face(QStringLiteral("IPAPGothic"), false, 12);
    const QFont small = Face(QStringLiteral("IPAPGothic"), false, 11);

    // Left: the 16 directions around a compass.
    p.setPen(ink);
    p.setFont(heading);
    p.drawText(QPointF(18, 28), Str(u"風向（16方位）"));
    const QPointF centre(150, 150);
    const qreal ring = 78;
    p.setPen(QPen(QColor(0xD6, 0xE0, 0xEC), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, ring, ring);
    p.drawLine(centre - QPointF(6, 0), centre + QPointF(6, 0));
    p.drawLine(centre - QPointF(0, 6), centre + QPointF(0, 6));
    const char16_t* names[] = {u"北",   u"北北東", u"北東", u"東北東", u"東",   u"東南東",
                               u"南東", u"南南東", u"南",   u"南南西", u"南西", u"西南西",
                               u"西",   u"西北西", u"北西", u"北北西"};
    for (int code = 1; code <= 16; ++code) {
        const qreal a = code * 22.5 * M_PI / 180;
        const QPointF dir(std::sin(a), -std::cos(a));
        DrawBarb(p, centre + dir * ring * 0.62, code, 3, 1.25);
        if (code % 2 == 0) {
            p.setPen(ink);
            p.setFont(small);
            const QPointF label = centre + dir * (ring + 18);
            p.drawText(QRectF(label.x() - 24, label.y() - 8, 48, 16), Qt::AlignCenter,
                       Str(names[code % 16]));
        }
    }
    p.setPen(QColor(0x55, 0x66, 0x80));
    p.setFont(small);
    p.drawText(QRectF(10, size.height() - 40, 290, 34), Qt::AlignCenter | Qt::TextWordWrap,
               Str(u"矢羽根の付いた側が、風の吹いてくる方向です。\n（例：上向きは北の風）"));

    // Right: speeds.
    const qreal left = 318;
    p.setPen(QPen(QColor(0xD6, 0xE0, 0xEC), 1));
    p.drawLine(QPointF(left - 16, 16), QPointF(left - 16, size.height() - 16));
    p.setPen(ink);
    p.setFont(heading);
    p.drawText(QPointF(left, 28), Str(u"風速（m/s）"));
    struct Example {
        int code;
        double speed;
        const char16_t* text;
    };
    const Example examples[] = {
        {0, 0, u"静穏（0.5m/s未満）または風向なし：点"},
        {16, 1, u"1m/s：短い矢羽根（半線）"},
        {16, 2, u"2m/s：長い矢羽根（全線）"},
        {16, 5, u"5m/s：全線２本＋半線１本"},
        {16, 10, u"10m/s：三角旗"},
        {16, 17, u"17m/s：三角旗＋全線３本＋半線１本"},
    };
    qreal y = 58;
    for (const Example& example : examples) {
        DrawBarb(p, QPointF(left + 18, y + (example.code == 0 ? 0 : 4)), example.code,
                 example.speed, 1.4);
        p.setPen(ink);
        p.setFont(body);
        p.drawText(QRectF(left + 44, y - 10, size.width() - left - 52, 20),
                   Qt::AlignLeft | Qt::AlignVCenter, Str(example.text));
        y += 34;
    }
    p.setPen(QColor(0x55, 0x66, 0x80));
    p.setFont(small);
    p.drawText(QRectF(left, size.height() - 40, size.width() - left - 12, 34),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
               Str(u"風速は小数点以下を四捨五入して表します。\n半線1m/s・全線2m/s・三角旗10m/s"));
}

// A map pin: a round head over a point at the bottom centre of the picture.
void DrawSiteMarker(QPainter& p, QSize size, QColor head) {
    const qreal w = size.width(), h = size.height();
    const qreal r = w / 2.0 - 0.5;
    QPainterPath pin;
    pin.moveTo(w / 2.0, h - 0.5);
    pin.lineTo(w / 2.0 - r * 0.55, r * 1.45);
    pin.arcTo(QRectF(w / 2.0 - r, 0.5, 2 * r, 2 * r), 215, -250);
    pin.closeSubpath();
    QLinearGradient fill(0, 0, w, h);
    fill.setColorAt(0, head.lighter(140));
    fill.setColorAt(1, head.darker(130));
    p.setPen(QPen(QColor(40, 40, 40), std::max<qreal>(0.8, w / 14.0)));
    p.setBrush(fill);
    p.drawPath(pin);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QPointF(w / 2.0, r + 0.5), r * 0.38, r * 0.38);
}

// A triangle pointing west, east, south or north, filled blue; lighter when hovered.
void DrawArrow(QPainter& p, QSize size, int direction, bool hover) {
    const qreal w = size.width(), h = size.height();
    QPolygonF shape;
    switch (direction) {
    case 0:
        shape << QPointF(0.5, h / 2) << QPointF(w - 0.5, 0.5) << QPointF(w - 0.5, h - 0.5);
        break;
    case 1:
        shape << QPointF(w - 0.5, h / 2) << QPointF(0.5, 0.5) << QPointF(0.5, h - 0.5);
        break;
    case 2:
        shape << QPointF(w / 2, h - 0.5) << QPointF(0.5, 0.5) << QPointF(w - 0.5, 0.5);
        break;
    default:
        shape << QPointF(w / 2, 0.5) << QPointF(0.5, h - 0.5) << QPointF(w - 0.5, h - 0.5);
        break;
    }
    p.setPen(QPen(QColor(20, 50, 110), 1.0));
    p.setBrush(hover ? QColor(255, 200, 60) : QColor(50, 110, 200));
    p.drawPolygon(shape);
}

class Writer {
public:
    explicit Writer(QString root) : root_(std::move(root)) {}

    bool Save(const QString& qrc, const QString& alias, QSize size,
              const std::function<QImage(qreal)>& render) {
        bool ok = true;
        for (const qreal scale : {1.0, 2.0}) {
            const QString name = alias + (scale > 1 ? QStringLiteral("@2x") : QString());
            const QString relative = qrc + QStringLiteral("/") + name + QStringLiteral(".png");
            const QString path = root_ + QStringLiteral("/") + relative;
            QDir().mkpath(QFileInfo(path).absolutePath());
            QImage image = render(scale);
            image.setDevicePixelRatio(1.0);
            if (image.size() != (QSizeF(size) * scale).toSize() || !image.save(path, "PNG", 9)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                ok = false;
            }
            entries_[qrc] << QStringLiteral("    <file alias=\"%1\">%2</file>").arg(name, relative);
        }
        return ok;
    }

    bool WriteQrc() const {
        bool ok = true;
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            QFile file(root_ + QStringLiteral("/") + it.key() + QStringLiteral(".qrc"));
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                ok = false;
                continue;
            }
            QTextStream out(&file);
            out << "<!DOCTYPE RCC>\n<!-- Written by tools/pictures; do not edit. -->\n"
                << "<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n";
            for (const QString& line : it.value()) {
                out << line << "\n";
            }
            out << "  </qresource>\n</RCC>\n";
        }
        return ok;
    }

private:
    QString root_;
    QMap<QString, QStringList> entries_;
};

// The desktop icons of the hicolor theme: the 128-unit icon design at each size,
// and once as SVG for the scalable folder.
bool WriteDesktopIcons(const QString& root) {
    const QString id = QStringLiteral("org.quorvane.Quorvane");
    const QSize design(128, 128);
    const QString base = root + QStringLiteral("/linux/icons/hicolor/");
    bool ok = true;
    for (const int n : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = base + QStringLiteral("%1x%1/apps").arg(n);
        QDir().mkpath(folder);
        QImage image = Canvas(design, n / 128.0, [&](QPainter& p) { DrawIcon(p, design); });
        image.setDevicePixelRatio(1.0);
        ok &= image.save(folder + QStringLiteral("/") + id + QStringLiteral(".png"), "PNG", 9);
    }
    const QString folder = base + QStringLiteral("scalable/apps");
    QDir().mkpath(folder);
    QSvgGenerator svg;
    svg.setFileName(folder + QStringLiteral("/") + id + QStringLiteral(".svg"));
    svg.setSize(design);
    svg.setViewBox(QRect(QPoint(0, 0), design));
    svg.setTitle(QStringLiteral("Quorvane"));
    QPainter painter;
    ok &= painter.begin(&svg);
    if (painter.isActive()) {
        painter.setRenderHint(QPainter::Antialiasing);
        DrawIcon(painter, design);
        ok &= painter.end();
    }
    if (!ok) {
        std::fprintf(stderr, "cannot write the desktop icons below %s\n", qPrintable(base));
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: quorvane_pictures <resources folder>\n", stderr);
        return 2;
    }
    Writer writer(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    for (const NumberedButton& button : kButtons) {
        const ButtonDesign design{Str(button.text), button.size, button.tone, Str(button.caption)};
        auto state = [&](ButtonState s) {
            return [&design, s](qreal scale) { return RenderButtonPicture(design, s, scale); };
        };
        const QString normal = QStringLiteral("bmp/%1").arg(button.normalId);
        ok &= writer.Save(QStringLiteral("ui"), normal, button.size, state(ButtonState::Normal));
        ok &= writer.Save(QStringLiteral("ui"), QStringLiteral("bmp/%1").arg(button.hoverId),
                          button.size, state(ButtonState::Hover));
        ok &= writer.Save(QStringLiteral("ui"), normal + QStringLiteral("-pressed"), button.size,
                          state(ButtonState::Pressed));
        ok &= writer.Save(QStringLiteral("ui"), normal + QStringLiteral("-focused"), button.size,
                          state(ButtonState::Focused));
        const QString disabled = button.disabledId != 0
                                     ? QStringLiteral("bmp/%1").arg(button.disabledId)
                                     : normal + QStringLiteral("-disabled");
        ok &=
            writer.Save(QStringLiteral("ui"), disabled, button.size, state(ButtonState::Disabled));
    }

    auto picture = [&](const QString& alias, QSize size,
                       const std::function<void(QPainter&, QSize)>& draw) {
        ok &= writer.Save(QStringLiteral("app"), alias, size, [&](qreal scale) {
            return Canvas(size, scale, [&](QPainter& p) { draw(p, size); });
        });
    };
    picture(QStringLiteral("png/191"), {1004, 200}, DrawTitle);
    picture(QStringLiteral("png/197"), {1002, 64}, DrawFooter);
    picture(QStringLiteral("png/268"), {240, 290},
            [](QPainter& p, QSize s) { DrawPanelPicture(p, s, PanelKind::Hourly); });
    picture(QStringLiteral("png/269"), {240, 290},
            [](QPainter& p, QSize s) { DrawPanelPicture(p, s, PanelKind::Monthly); });
    picture(QStringLiteral("png/270"), {240, 290},
            [](QPainter& p, QSize s) { DrawPanelPicture(p, s, PanelKind::Map); });
    picture(QStringLiteral("png/292"), {170, 40}, DrawLogo);
    picture(QStringLiteral("png/293"), {230, 52}, DrawLogo);
    // The colour map's logos: on screen and on the printed page.
    picture(QStringLiteral("png/294"), {126, 34}, DrawLogo);
    picture(QStringLiteral("png/295"), {205, 52}, DrawLogo);
    picture(QStringLiteral("png/190"), {600, 300}, DrawWindLegend);
    picture(QStringLiteral("app/icon"), {128, 128}, DrawIcon);

    auto mapPicture = [&](const QString& alias, QSize size,
                          const std::function<void(QPainter&, QSize)>& draw) {
        ok &= writer.Save(QStringLiteral("map"), alias, size, [&](qreal scale) {
            return Canvas(size, scale, [&](QPainter& p) { draw(p, size); });
        });
    };
    // Site markers: national map, block map (normal, selected), area and mesh maps
    // (normal, selected). Their anchors are the bottom centre.
    const QColor normalHead(0x2F, 0x7F, 0xD8), selectedHead(0xE8, 0x3A, 0x3A);
    mapPicture(QStringLiteral("png/330"), {5, 6},
               [&](QPainter& p, QSize s) { DrawSiteMarker(p, s, normalHead); });
    mapPicture(QStringLiteral("png/331"), {9, 11},
               [&](QPainter& p, QSize s) { DrawSiteMarker(p, s, normalHead); });
    mapPicture(QStringLiteral("png/332"), {9, 11},
               [&](QPainter& p, QSize s) { DrawSiteMarker(p, s, selectedHead); });
    mapPicture(QStringLiteral("png/333"), {13, 19},
               [&](QPainter& p, QSize s) { DrawSiteMarker(p, s, normalHead); });
    mapPicture(QStringLiteral("png/334"), {13, 19},
               [&](QPainter& p, QSize s) { DrawSiteMarker(p, s, selectedHead); });
    // Sheet arrows west, east, south, north; 340.. normal, 344.. hovered.
    for (int d = 0; d < 4; ++d) {
        const QSize size = d < 2 ? QSize(19, 11) : QSize(11, 19);
        mapPicture(QStringLiteral("png/%1").arg(340 + d), size,
                   [d](QPainter& p, QSize s) { DrawArrow(p, s, d, false); });
        mapPicture(QStringLiteral("png/%1").arg(344 + d), size,
                   [d](QPainter& p, QSize s) { DrawArrow(p, s, d, true); });
    }

    ok &= writer.WriteQrc();
    ok &= WriteDesktopIcons(QString::fromLocal8Bit(argv[1]));
    return ok ? 0 : 1;
}

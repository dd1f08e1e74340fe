#include "graph/graph_draw.h"

#include "graph/graph_canvas.h"

#include "ui/image.h"
#include "ui/text.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <cmath>

namespace quorvane {
namespace {

int Trunc(double value) {
    return static_cast<int>(value);
}

// Steps that fit in a range; the ranges are whole multiples up to rounding noise.
int StepCount(double range, double step) {
    if (step <= 0.0) {
        return 0;
    }
    return static_cast<int>(std::floor(std::fabs(range) / step + 1e-9));
}

void DrawShape(QPainter& p, const QPen& pen, const QBrush& brush, bool filled, auto&& draw) {
    p.save();
    p.setPen(pen);
    p.setBrush(filled ? brush : QBrush(Qt::NoBrush));
    draw();
    p.restore();
}

void Circle(QPainter& p, QPointF c, double radius, const QPen& pen, const QBrush& brush,
            bool filled) {
    DrawShape(p, pen, brush, filled, [&] { p.drawEllipse(c, radius, radius); });
}

void Cross(QPainter& p, QPointF c, double half, const QPen& pen) {
    p.save();
    p.setPen(pen);
    p.drawLine(QPointF(c.x() - half, c.y() - half), QPointF(c.x() + half, c.y() + half));
    p.drawLine(QPointF(c.x() - half, c.y() + half), QPointF(c.x() + half, c.y() - half));
    p.restore();
}

void Polygon(QPainter& p, const QPolygonF& shape, const QPen& pen, const QBrush& brush,
             bool filled) {
    DrawShape(p, pen, brush, filled, [&] { p.drawPolygon(shape); });
}

QPolygonF TriangleUp(QPointF c, double g) {
    return QPolygonF({QPointF(c.x(), c.y() - g), QPointF(c.x() - g, c.y() + g - 2),
                      QPointF(c.x() + g, c.y() + g - 2)});
}

QPolygonF TriangleDown(QPointF c, double g) {
    return QPolygonF({QPointF(c.x(), c.y() + g), QPointF(c.x() - g, c.y() - g + 2),
                      QPointF(c.x() + g, c.y() - g + 2)});
}

QPolygonF Diamond(QPointF c, double g) {
    return QPolygonF({QPointF(c.x(), c.y() - g), QPointF(c.x() + g, c.y()),
                      QPointF(c.x(), c.y() + g), QPointF(c.x() - g, c.y())});
}

QPolygonF Star(QPointF c) {
    constexpr double kOuter = 5.0, kInner = 2.0;
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double angle = (i * 36.0 - 90.0) * 3.141593 / 180.0;
        const double radius = i % 2 == 0 ? kOuter : kInner;
        star << QPointF(c.x() + radius * std::cos(angle), c.y() + radius * std::sin(angle));
    }
    return star;
}

QRectF Centred(QPointF c, double width, double height) {
    return {c.x() - width / 2, c.y() - height / 2, width, height};
}

void Rectangle(QPainter& p, const QRectF& rect, const QPen& pen, const QBrush& brush, bool filled) {
    DrawShape(p, pen, brush, filled, [&] { p.drawRect(rect); });
}

QString AxisLabel(double value, bool decimals) {
    return decimals ? QString::asprintf("%4.1f", value)
                    : QString::asprintf("%d", static_cast<int>(std::lround(value)));
}

} // namespace

QRectF ToQRectF(const GraphRect& rect) {
    return {double(rect.left), double(rect.top), double(rect.Width()), double(rect.Height())};
}

void DrawGraphText(QPainter& p, const GraphText& text, const QFont& font, const QBrush& brush) {
    TextAlign horizontal = TextAlign::Near;
    TextAlign vertical = TextAlign::Near;
    if (text.anchor == TextAnchor::TopCentre || text.anchor == TextAnchor::BottomCentre) {
        horizontal = TextAlign::Center;
    } else if (text.anchor == TextAnchor::TopRight) {
        horizontal = TextAlign::Far;
    }
    if (text.anchor == TextAnchor::BottomCentre) {
        vertical = TextAlign::Far;
    }
    DrawTextAt(p, ToQString(text.text), QPointF(text.at.x, text.at.y), brush, font, horizontal,
               vertical);
}

QSizeF GraphTextSize(QPainter& p, const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font, p.device());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void FillVerticalGradient(QPainter& p, const QRectF& rect, const QColor& top,
                          const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, bottom);
    p.fillRect(rect, gradient);
}

void DrawDashedLine(QPainter& p, QPointF from, QPointF to, const QPen& pen) {
    QPen dashed = pen;
    dashed.setCapStyle(Qt::FlatCap);
    dashed.setDashPattern({5.0, 3.0});
    p.save();
    p.setPen(dashed);
    p.drawLine(from, to);
    p.restore();
}

int MarkerUnit(int scale) {
    return scale <= 1 ? 1 : 4;
}

void DrawMarker(QPainter& p, const MarkerStyle& style, QPointF c) {
    const int unit = style.unit;
    const bool tenDay = style.tenDay;
    const QPen& pen = style.pen;
    const QBrush& brush = style.brush;
    const double r = (tenDay ? 2 : 4) * unit;
    const double g = (tenDay ? 3 : 5) * unit;
    switch (style.kind) {
    case MarkerKind::Circle:
    case MarkerKind::Disc:
        Circle(p, c, r, pen, brush, style.kind == MarkerKind::Disc);
        break;
    case MarkerKind::Cross:
        Cross(p, c, r, pen);
        break;
    case MarkerKind::SmallCross:
        Cross(p, c, 2.0 * unit, pen);
        break;
    case MarkerKind::MediumCross:
        Cross(p, c, 3.0 * unit, pen);
        break;
    case MarkerKind::TriangleUp:
        Polygon(p, TriangleUp(c, g), pen, brush, true);
        break;
    case MarkerKind::TriangleDown:
    case MarkerKind::FilledTriangleDown:
        Polygon(p, TriangleDown(c, g), pen, brush, style.kind == MarkerKind::FilledTriangleDown);
        break;
    case MarkerKind::Square:
    case MarkerKind::FilledSquare:
        Rectangle(p, Centred(c, 2 * r, 2 * r), pen, brush, style.kind == MarkerKind::FilledSquare);
        break;
    case MarkerKind::Diamond:
    case MarkerKind::FilledDiamond:
        Polygon(p, Diamond(c, g), pen, brush, style.kind == MarkerKind::FilledDiamond);
        break;
    case MarkerKind::GapCross: {
        const double gap = (tenDay ? 1 : 2) * unit;
        const double reach = gap + (tenDay ? 3 : 4) * unit;
        p.save();
        p.setPen(pen);
        p.drawLine(QPointF(c.x(), c.y() - reach), QPointF(c.x(), c.y() - gap));
        p.drawLine(QPointF(c.x(), c.y() + gap), QPointF(c.x(), c.y() + reach));
        p.drawLine(QPointF(c.x() - reach, c.y()), QPointF(c.x() - gap, c.y()));
        p.drawLine(QPointF(c.x() + gap, c.y()), QPointF(c.x() + reach, c.y()));
        p.restore();
        break;
    }
    case MarkerKind::TwinBars: {
        const double half = 4.0 * unit;
        p.save();
        p.setPen(pen);
        p.drawLine(QPointF(c.x() - 2, c.y() - half), QPointF(c.x() - 2, c.y() + half));
        p.drawLine(QPointF(c.x() + 2, c.y() - half), QPointF(c.x() + 2, c.y() + half));
        p.restore();
        break;
    }
    case MarkerKind::Star:
        Polygon(p, Star(c), pen, brush, true);
        break;
    case MarkerKind::Spectacles: {
        const double radius = (tenDay ? 2 : 3) * unit;
        Circle(p, QPointF(c.x() - radius, c.y()), radius, pen, brush, false);
        Circle(p, QPointF(c.x() + radius, c.y()), radius, pen, brush, false);
        break;
    }
    case MarkerKind::WideBar:
        Rectangle(p, Centred(c, 16.0 * unit, 10.0 * unit), pen, brush, true);
        break;
    case MarkerKind::FlatBar:
        Rectangle(p, Centred(c, 16.0 * unit, 8.0 * unit), pen, brush, true);
        break;
    case MarkerKind::WindBarb:
        DrawWindBarb(p, c, 1, 5.0, style.scale, tenDay, pen, brush);
        break;
    case MarkerKind::None:
        break;
    }
}

WindBarbShape MakeWindBarb(int directionCode, double speedMs, int scale, bool tenDay) {
    WindBarbShape barb;
    const int e = scale < 2 ? 1 : Trunc(0.75 * scale);
    const int knots = Trunc(speedMs + 0.5);
    if (directionCode == 0 || knots <= 0) {
        barb.calm = true;
        barb.dot = QRectF(-2.0 * e, -2.0 * e, 2.0 * e, 2.0 * e);
        return barb;
    }
    const int m = tenDay ? 6 : 8;
    const int pennantCount = knots / 10;
    const double raise = pennantCount > 0 ? (tenDay ? 3 : 6) * e : 0;
    barb.staff = QLineF(0.0, m * e, 0.0, -m * e - raise);
    const double step = (tenDay && knots > 10) ? 2.0 * e : 3.0 * e;
    double t = -m * e;
    for (int i = 0; i < pennantCount; ++i) {
        if (tenDay) {
            barb.pennants.push_back(
                QPolygonF({QPointF(0, t), QPointF(6.0 * e, t - 2.0 * e), QPointF(0, t - 3.0 * e)}));
        } else {
            barb.pennants.push_back(
                QPolygonF({QPointF(0, t), QPointF(8.0 * e, t - 3.0 * e), QPointF(0, t - 6.0 * e)}));
        }
        t += step;
        if (i + 1 < pennantCount) {
            t += step / 2;
        }
    }
    int remainder = knots % 10;
    const int strokeCount = (remainder + 1) / 2;
    for (int i = 0; i < strokeCount; ++i) {
        if (remainder >= 2) {
            barb.strokes.emplace_back(0.0, t, (tenDay ? 6.0 : 7.0) * e, t - 3.0 * e);
            ++barb.fullStrokes;
        } else {
            barb.strokes.emplace_back(0.0, t, (tenDay ? 3.0 : 4.0) * e, t - 2.0 * e);
            ++barb.halfStrokes;
        }
        remainder -= 2;
        t += step;
    }
    barb.rotationDeg = directionCode * 22.5;
    return barb;
}

void DrawWindBarb(QPainter& p, QPointF at, int directionCode, double speedMs, int scale,
                  bool tenDay, const QPen& pen, const QBrush& brush) {
    const WindBarbShape barb = MakeWindBarb(directionCode, speedMs, scale, tenDay);
    p.save();
    p.translate(at);
    p.setPen(pen);
    p.setBrush(brush);
    if (barb.calm) {
        p.setPen(Qt::NoPen);
        p.drawEllipse(barb.dot);
        p.restore();
        return;
    }
    p.rotate(barb.rotationDeg);
    p.drawLine(barb.staff);
    for (const QPolygonF& pennant : barb.pennants) {
        p.drawPolygon(pennant);
    }
    for (const QLineF& stroke : barb.strokes) {
        p.drawLine(stroke);
    }
    p.restore();
}

void DrawHourlyValueAxis(QPainter& p, const AxisRecord& axis, const GraphRect& plot,
                         const CanvasStyles& styles) {
    const int s = styles.scale;
    const double direction = axis.rightSide != 0 ? 1.0 : -1.0;
    const double x = axis.axisX;
    const double extent = std::fabs(axis.range);
    auto yOf = [&](double offset) { return axis.ValueToY(axis.minimum + offset, plot.top); };

    p.save();
    p.setPen(styles.blackPen);
    p.drawLine(QPointF(x, axis.UpperEndY(plot.top)), QPointF(x, plot.top + axis.basePx));
    const int minorCount = StepCount(extent, axis.minorStep);
    for (int i = 0; i <= minorCount; ++i) {
        const double y = yOf(i * axis.minorStep);
        p.drawLine(QPointF(x, y), QPointF(x + direction * 3 * s, y));
    }
    const int majorCount = StepCount(extent, axis.majorStep);
    auto majorTick = [&](double offset, bool grid, bool decimals) {
        const double y = yOf(offset);
        p.setPen(styles.blackPen);
        p.drawLine(QPointF(x, y), QPointF(x + direction * 6 * s, y));
        if (grid) {
            DrawDashedLine(p, QPointF(plot.left + 1, y), QPointF(plot.right - 1, y),
                           styles.halfGreyPen);
        }
        const double labelValue =
            std::fabs(axis.minimum + offset) < 1e-9 ? 0.0 : axis.minimum + offset;
        const QString label = AxisLabel(labelValue, decimals);
        const double labelRight = axis.rightSide != 0 ? x + 26 * s : x - 6 * s;
        DrawTextAt(p, label, QPointF(labelRight, y - 4 * s), QBrush(Qt::black), styles.font8,
                   TextAlign::Far);
    };
    for (int i = 0; i <= majorCount; ++i) {
        const bool grid = (i > 0 && i < majorCount) || (i == majorCount && axis.gridAtLastMajor);
        majorTick(i * axis.majorStep, grid, axis.decimalLabels);
    }
    if (majorCount * axis.majorStep < extent - 1e-9) {
        const double y = yOf(extent);
        p.setPen(styles.blackPen);
        p.drawLine(QPointF(x, y), QPointF(x + direction * 6 * s, y));
        const QString label = axis.decimalLabels
                                  ? QString::asprintf("%4.1f", axis.maximum)
                                  : QString::asprintf("%-4d", static_cast<int>(axis.maximum));
        const double labelRight = axis.rightSide != 0 ? x + 26 * s : x - 6 * s;
        DrawTextAt(p, label, QPointF(labelRight, y - 4 * s), QBrush(Qt::black), styles.font8,
                   TextAlign::Far);
    }

    const int upper = axis.UpperEndY(plot.top);
    const TextAlign anchor = axis.rightSide != 0 ? TextAlign::Near : TextAlign::Far;
    const double side = axis.rightSide != 0 ? -1.0 : 1.0;
    DrawTextAt(p, ToQString(axis.name), QPointF(x + side * axis.nameDx, upper + axis.nameDy),
               QBrush(Qt::black), styles.font8, anchor);
    DrawTextAt(p, ToQString(axis.unit), QPointF(x + side * axis.unitDx, upper + axis.unitDy),
               QBrush(Qt::black), styles.font8, anchor);
    p.restore();
}

void DrawMonthlyValueAxis(QPainter& p, const GraphRect& plot, double range, double minorStep,
                          double majorStep, const QString& caption, const CanvasStyles& styles) {
    const int s = styles.scale;
    const double left = plot.left;
    const double height = plot.bottom - plot.top;
    p.save();
    p.setPen(styles.blackPen);
    const int minorCount = StepCount(range, minorStep);
    if (minorCount > 0) {
        const double spacing = height / minorCount;
        for (int i = 1; i < minorCount; ++i) {
            const double y = plot.bottom - Trunc(i * spacing + 0.5);
            p.drawLine(QPointF(left - 3 * s, y), QPointF(left, y));
        }
    }
    const int majorCount = StepCount(range, majorStep);
    if (majorCount > 0) {
        const double spacing = height / majorCount;
        for (int i = 0; i <= majorCount; ++i) {
            const double y = plot.bottom - Trunc(i * spacing + 0.5);
            p.setPen(styles.blackPen);
            p.drawLine(QPointF(left - 6 * s, y), QPointF(left, y));
            if (i >= 1 && i < majorCount) {
                DrawDashedLine(p, QPointF(left + 1, y), QPointF(plot.right - 1, y),
                               styles.halfGreyPen);
            }
            DrawTextAt(p, QString::asprintf("%4.1f", i * majorStep),
                       QPointF(left - 6 * s, y - 4 * s), QBrush(Qt::black), styles.font8,
                       TextAlign::Far);
        }
    }
    DrawTextAt(p, caption, QPointF(left + 14 * s, plot.top - 20 * s), QBrush(Qt::black),
               styles.font8, TextAlign::Far);
    p.restore();
}

QPolygon HourlyLegendOutline(const GraphRect& graph, int s) {
    const int l = graph.left, r = graph.right, b = graph.bottom;
    return QPolygon({QPoint(l + 8 * s, b - 68 * s), QPoint(l + 120 * s, b - 68 * s),
                     QPoint(l + 126 * s, b - 56 * s), QPoint(r - 8 * s, b - 56 * s),
                     QPoint(r - 8 * s, b - 8 * s), QPoint(l + 8 * s, b - 8 * s),
                     QPoint(l + 8 * s, b - 68 * s)});
}

QPolygon MonthlyLegendOutline(const GraphRect& graph, int s, int tabWidth) {
    const int l = graph.left, r = graph.right, b = graph.bottom;
    return QPolygon({QPoint(l + 8 * s, b - 68 * s), QPoint(l + tabWidth, b - 68 * s),
                     QPoint(l + tabWidth + 6 * s, b - 60 * s), QPoint(r - 8 * s, b - 56 * s),
                     QPoint(r - 8 * s, b - 8 * s), QPoint(l + 8 * s, b - 8 * s),
                     QPoint(l + 8 * s, b - 68 * s)});
}

void DrawLegendFrame(QPainter& p, const QPolygon& outline, const QString& caption, QPoint captionAt,
                     const CanvasStyles& styles) {
    p.save();
    p.setPen(styles.blackPen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(outline);
    p.restore();
    DrawTextAt(p, caption, captionAt, QBrush(Qt::black), styles.font8);
}

} // namespace quorvane

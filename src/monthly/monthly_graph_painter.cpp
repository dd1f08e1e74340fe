#include "monthly/monthly_graph_painter.h"

#include "graph/graph_draw.h"
#include "ui/image.h"
#include "ui/text.h"

#include <QLinearGradient>
#include <QPainter>

namespace quorvane {

namespace {

QPointF At(GraphPoint p) {
    return QPointF(p.x, p.y);
}

void DrawText(QPainter& p, const GraphText& text, const QFont& font) {
    DrawGraphText(p, text, font);
}

void DrawBar(QPainter& p, const MonthlyBar& bar, const GraphStyles& styles) {
    if (bar.rect.IsEmpty()) {
        return;
    }
    const QColor transparent = QColor::fromRgba(0x00C0C0C0);
    const QColor colour = bar.maximum ? styles.maximumBrush.color() : styles.minimumBrush.color();
    QLinearGradient fill(QPointF(0, bar.gradient.top), QPointF(0, bar.gradient.bottom));
    fill.setColorAt(0.0, bar.maximum ? colour : transparent);
    fill.setColorAt(1.0, bar.maximum ? transparent : colour);
    p.fillRect(ToQRectF(bar.rect), fill);
}

void DrawLine(QPainter& p, const MonthlyLine& line, const GraphStyles& styles) {
    const QPen pen = line.average ? styles.averagePen
                                  : styles.monthlyThinPens[static_cast<std::size_t>(line.style)];
    p.save();
    p.setPen(pen);
    for (std::size_t i = 1; i < line.points.size(); ++i) {
        if (line.joined[i]) {
            p.drawLine(At(line.points[i - 1]), At(line.points[i]));
        }
    }
    p.restore();
    const MarkerStyle marker = styles.MonthlyMarker(line.marker);
    for (GraphPoint point : line.points) {
        DrawMarker(p, marker, At(point));
    }
}

} // namespace

void PaintMonthlyGraph(QPainter& p, const MonthlyScene& scene, const GraphLayout& layout,
                       const GraphStyles& styles, const NavPictures* screenNav) {
    const int s = scene.scale;
    const GraphRect& graph = scene.graph;
    const GraphRect& plot = scene.plot;
    p.fillRect(ToQRectF(graph), styles.backgroundBrush);
    if (scene.gradient) {
        FillVerticalGradient(p, ToQRectF(plot), QColor::fromRgba(0xFFC0C0C0), Qt::white);
    }
    p.save();
    p.setPen(styles.blackPen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(plot));
    p.restore();
    DrawText(
        p,
        {{(graph.left + graph.right) / 2, plot.top - 8 * s}, scene.title, TextAnchor::BottomCentre},
        styles.font11Bold);
    for (const GraphText& line : scene.info) {
        DrawText(p, line, styles.font8);
    }
    if (scene.loaded) {
        DrawMonthlyValueAxis(p, plot, scene.valueRange, scene.minorStep, scene.majorStep,
                             ToQString(scene.valueCaption), styles);
        p.save();
        p.setPen(styles.blackPen);
        for (const GraphSegment& tick : scene.xTicks) {
            p.drawLine(At(tick.from), At(tick.to));
        }
        p.restore();
        for (const GraphText& label : scene.xLabels) {
            DrawText(p, label, styles.font8);
        }
        for (const MonthlyBar& bar : scene.bars) {
            DrawBar(p, bar, styles);
        }
        for (const MonthlyLine& line : scene.lines) {
            DrawLine(p, line, styles);
        }
        for (const GraphText& label : scene.pointLabels) {
            DrawText(p, label, styles.font8);
        }
    } else {
        RenderLoadError(p, graph, styles);
    }
    DrawLegendFrame(p, MonthlyLegendOutline(graph, s, scene.legendTabWidth),
                    ToQString(scene.legendTab), QPoint(graph.left + 22 * s, graph.bottom - 66 * s),
                    styles);
    if (!scene.note.empty()) {
        DrawText(p, {scene.noteAt, scene.note, TextAnchor::TopRight}, styles.font8);
    }
    for (const CHanreiObj& entry : layout.legend) {
        RenderLegendEntry(p, entry, false, styles);
    }
    if (scene.toggleShown) {
        RenderLegendToggle(p, layout, false, styles);
    }
    p.save();
    p.setPen(styles.blackPen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(graph).adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
    if (screenNav != nullptr && layout.nav == NavButtons::Months) {
        RenderNavButtons(p, layout, -1, *screenNav, styles);
    }
}

} // namespace quorvane

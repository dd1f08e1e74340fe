#include "yield/yield_chart_painter.h"

#include "graph/graph_draw.h"
#include "ui/image.h"

#include <QPainter>

namespace quorvane {

namespace {

QColor Argb(std::uint32_t argb) {
    return QColor::fromRgba(argb);
}

void DrawAxis(QPainter& p, const YieldChart& chart, const QFont& font) {
    const GraphRect& plot = chart.plot;
    p.setPen(QPen(QColor(205, 205, 205), 1, Qt::DashLine));
    for (const ChartTick& tick : chart.ticks) {
        if (tick.y != plot.bottom) {
            p.drawLine(plot.left, tick.y, plot.right, tick.y);
        }
        DrawGraphText(p, {{plot.left - 6, tick.y - 7}, tick.label, TextAnchor::TopRight}, font);
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(plot.left, plot.top, plot.left, plot.bottom);
    p.drawLine(plot.left, plot.bottom, plot.right, plot.bottom);
    for (const GraphText& label : chart.monthLabels) {
        DrawGraphText(p, label, font);
    }
}

void DrawBarsAndLine(QPainter& p, const YieldChart& chart) {
    for (const ChartBar& bar : chart.bars) {
        const QColor colour = Argb(bar.argb);
        p.setPen(QPen(colour.darker(130), 1));
        p.setBrush(colour);
        p.drawRect(ToQRectF(bar.rect).adjusted(0, 0, -1, 0));
    }
    if (chart.line.empty()) {
        return;
    }
    const QColor colour = Argb(chart.lineArgb);
    QPolygonF line;
    for (const GraphPoint& at : chart.line) {
        line << QPointF(at.x, at.y);
    }
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
    p.setBrush(Qt::white);
    for (const QPointF& at : line) {
        p.drawEllipse(at, 4, 4);
    }
}

void DrawSample(QPainter& p, const ChartRow& row) {
    const QPointF at(row.cells[0].at.x - 20, row.cells[0].at.y + 7);
    const QColor colour = Argb(row.argb);
    if (row.line) {
        p.setPen(QPen(colour, 2));
        p.drawLine(at, at + QPointF(14, 0));
        p.setBrush(Qt::white);
        p.drawEllipse(at + QPointF(7, 0), 3, 3);
    } else {
        p.setPen(QPen(colour.darker(130), 1));
        p.setBrush(colour);
        p.drawRect(QRectF(at + QPointF(1, -5), QSizeF(12, 10)));
    }
}

void DrawTable(QPainter& p, const YieldChart& chart, const QFont& font, const QFont& bold) {
    for (const GraphText& heading : chart.header) {
        DrawGraphText(p, heading, bold);
    }
    for (const ChartRow& row : chart.rows) {
        DrawSample(p, row);
        for (const GraphText& cell : row.cells) {
            DrawGraphText(p, cell, font);
        }
    }
    if (!chart.rows.empty()) {
        const int y = chart.header[0].at.y + 17;
        p.setPen(QPen(QColor(150, 150, 150), 1));
        p.drawLine(chart.plot.left, y, chart.frame.right - 24, y);
    }
}

} // namespace

void PaintYieldChart(QPainter& p, const YieldChart& chart) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(ToQRectF(chart.frame), Qt::white);
    const QFont title = CreatePixelFont(ProportionalGothicFace(), FontStyle::Bold, 17);
    const QFont text = CreatePixelFont(ProportionalGothicFace(), FontStyle::Regular, 12);
    const QFont bold = CreatePixelFont(ProportionalGothicFace(), FontStyle::Bold, 12);
    DrawGraphText(p, chart.title, title);
    DrawGraphText(p, chart.subtitle, text);
    DrawGraphText(p, chart.axisTitle, text);
    DrawAxis(p, chart, text);
    DrawBarsAndLine(p, chart);
    DrawTable(p, chart, text, bold);
    DrawGraphText(p, chart.note, CreatePixelFont(ProportionalGothicFace(), FontStyle::Regular, 11),
                  QBrush(QColor(90, 90, 90)));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(chart.frame).adjusted(0, 0, -1, -1));
    p.restore();
}

} // namespace quorvane

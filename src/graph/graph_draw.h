#pragma once

#include "graph/graph_layout.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QPolygon>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace quorvane {

struct CanvasStyles;

QRectF ToQRectF(const GraphRect& rect);

// A placed text of a layout, anchored as it says.
void DrawGraphText(QPainter& p, const GraphText& text, const QFont& font,
                   const QBrush& brush = QBrush(Qt::black));

// Width and line height of a text in the painter's device.
QSizeF GraphTextSize(QPainter& p, const QString& text, const QFont& font);

void FillVerticalGradient(QPainter& p, const QRectF& rect, const QColor& top, const QColor& bottom);

// Grid lines are dashed 5 on, 3 off in pixels whatever the pen width.
void DrawDashedLine(QPainter& p, QPointF from, QPointF to, const QPen& pen);

// Markers. u is 1 on screen and 4 at print scale; the 10-day graphs use smaller shapes.
int MarkerUnit(int scale);

struct MarkerStyle {
    MarkerKind kind = MarkerKind::None;
    QPen pen;
    QBrush brush;
    int unit = 1;
    int scale = 1; // the wind marker is a barb of this scale
    bool tenDay = false;
};

void DrawMarker(QPainter& p, const MarkerStyle& style, QPointF centre);

// A wind barb in its own frame: (0, 0) is the barb's point, the staff points to
// the top for a north wind before the rotation by code x 22.5 degrees clockwise.
struct WindBarbShape {
    bool calm = false;
    QRectF dot;
    QLineF staff;
    std::vector<QPolygonF> pennants;
    std::vector<QLineF> strokes;
    int fullStrokes = 0;
    int halfStrokes = 0;
    double rotationDeg = 0.0;
};

WindBarbShape MakeWindBarb(int directionCode, double speedMs, int scale, bool tenDay);
void DrawWindBarb(QPainter& p, QPointF at, int directionCode, double speedMs, int scale,
                  bool tenDay, const QPen& pen, const QBrush& brush);

// Ticks, labels, grid and titles of an hourly-graph axis.
void DrawHourlyValueAxis(QPainter& p, const AxisRecord& axis, const GraphRect& plot,
                         const CanvasStyles& styles);

// The monthly graphs' value axis along the plot's left edge, from 0 to range.
void DrawMonthlyValueAxis(QPainter& p, const GraphRect& plot, double range, double minorStep,
                          double majorStep, const QString& caption, const CanvasStyles& styles);

// Legend boxes: an outline with a tab at the top left, along the graph's bottom.
QPolygon HourlyLegendOutline(const GraphRect& graph, int scale);
QPolygon MonthlyLegendOutline(const GraphRect& graph, int scale, int tabWidth);
// The outline with the frame pen and the tab's caption at its top-left corner.
void DrawLegendFrame(QPainter& p, const QPolygon& outline, const QString& caption, QPoint captionAt,
                     const CanvasStyles& styles);

} // namespace quorvane

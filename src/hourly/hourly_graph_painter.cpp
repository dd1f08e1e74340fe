#include "hourly/hourly_graph_painter.h"

#include "graph/graph_draw.h"
#include "ui/image.h"
#include "ui/text.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>

namespace quorvane {

namespace {

QPointF At(GraphPoint p) {
    return QPointF(p.x, p.y);
}

void DrawText(QPainter& p, const GraphText& text, const QFont& font) {
    DrawGraphText(p, text, font);
}

void FillGradientRect(QPainter& p, const GraphRect& r, QColor top, QColor bottom) {
    if (r.IsEmpty()) {
        return;
    }
    FillVerticalGradient(p, ToQRectF(r), top, bottom);
}

void DrawBars(QPainter& p, const std::vector<SeriesBar>& bars, const QPen& pen, QColor top,
              QColor bottom) {
    for (const SeriesBar& bar : bars) {
        FillGradientRect(p, bar.rect, top, bottom);
        p.save();
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(ToQRectF(bar.rect));
        p.restore();
    }
}

void DrawSnow(QPainter& p, const HourlyScene& scene, const GraphStyles& styles) {
    if (scene.snowPolygon.size() < 3) {
        return;
    }
    QPolygonF area;
    int base = scene.snowPolygon.front().y;
    for (GraphPoint point : scene.snowPolygon) {
        area << At(point);
    }
    QLinearGradient fill(QPointF(0, scene.snowTopY),
                         QPointF(0, std::max(base, scene.snowTopY + 1)));
    fill.setColorAt(0.0, QColor(177, 189, 243, 168));
    fill.setColorAt(1.0, QColor(223, 236, 241, 168));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(area);
    p.setPen(styles.seriesPens[kElementSnowDepth - 1]);
    for (const GraphSegment& segment : scene.snowOutline) {
        p.drawLine(At(segment.from), At(segment.to));
    }
    p.restore();
}

void DrawLine(QPainter& p, const SeriesLine& line, const GraphStyles& styles, bool tenDay) {
    const auto index = static_cast<std::size_t>(line.index);
    const QPen pen = line.slope ? styles.palettePens[index] : styles.seriesPens[index];
    const MarkerStyle marker = line.slope ? styles.SlopeMarker(line.index, tenDay)
                                          : styles.HorizontalMarker(line.index, tenDay);
    p.save();
    p.setPen(pen);
    for (std::size_t i = 1; i < line.points.size(); ++i) {
        p.drawLine(At(line.points[i - 1]), At(line.points[i]));
    }
    p.restore();
    for (GraphPoint point : line.points) {
        DrawMarker(p, marker, At(point));
    }
}

} // namespace

void PaintHourlyGraph(QPainter& p, const HourlyScene& scene, const GraphLayout& layout,
                      const GraphStyles& styles, const ScreenButtons& screen) {
    const int s = scene.scale;
    const GraphRect& graph = scene.graph;
    const GraphRect& plot = scene.plot;
    p.fillRect(ToQRectF(graph), styles.backgroundBrush);
    if (scene.gradient) {
        FillVerticalGradient(p, ToQRectF(plot), QColor(192, 192, 192), Qt::white);
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
        for (const AxisIndex axis : scene.shownAxes) {
            DrawHourlyValueAxis(p, scene.axes[axis], plot, styles);
        }
        p.save();
        p.setPen(styles.blackPen);
        for (const GraphSegment& tick : scene.xTicks) {
            p.drawLine(At(tick.from), At(tick.to));
        }
        p.restore();
        for (const GraphText& label : scene.xLabels) {
            DrawText(p, label, styles.font8);
        }
        for (const WindBarbItem& barb : scene.barbs) {
            DrawWindBarb(p, At(barb.at), barb.code, barb.speedMs, s, scene.tenDay, styles.blackPen,
                         styles.blackBrush);
        }
        DrawSnow(p, scene, styles);
        DrawBars(p, scene.precipitationBars, styles.seriesPens[kElementPrecipitation - 1],
                 QColor(191, 228, 245), QColor(8, 178, 254));
        DrawBars(p, scene.sunshineBars, styles.seriesPens[kElementSunshine - 1],
                 QColor(255, 128, 0), QColor(255, 204, 0));
        if (scene.separator) {
            p.save();
            p.setPen(styles.greyPen);
            p.drawLine(QPointF(plot.left, scene.separatorY), QPointF(plot.right, scene.separatorY));
            p.restore();
        }
        for (const SeriesLine& line : scene.lines) {
            DrawLine(p, line, styles, scene.tenDay);
        }
    } else {
        RenderLoadError(p, graph, styles);
    }

    DrawLegendFrame(p, HourlyLegendOutline(graph, s), ToQString(scene.legendTab),
                    QPoint(scene.legendTabAt.x, scene.legendTabAt.y), styles);
    if (!scene.slopeNote.empty()) {
        DrawText(p, {scene.slopeNoteAt, scene.slopeNote, TextAnchor::TopRight}, styles.font8);
    }
    Render(p, layout, styles);
    if (screen.pictures != nullptr) {
        RenderNavButtons(p, layout, screen.hoveredNav, *screen.pictures, styles);
    }
    p.save();
    p.setPen(styles.blackPen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(graph).adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

} // namespace quorvane

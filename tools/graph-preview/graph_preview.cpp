// Renders the graph framework's pieces into PNG files for review:
//   graph_preview <output folder>
#include "graph/angle_selector.h"
#include "graph/graph_canvas.h"
#include "graph/graph_draw.h"
#include "ui/image.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>

using namespace quorvane;

namespace {

struct PreviewOwner : AngleSelectorOwner {
    NavButtons nav = NavButtons::Days;
    DataKind dataKind = DataKind::Horizontal;
    int tilt = 0;
    int azimuth = 0;
    HourlyAngleMode slopeMode = HourlyAngleMode::Orientation;
    bool monthly = false;

    DataKind ShownDataKind() const override { return dataKind; }
    int GraphTilt() const override { return tilt; }
    int GraphAzimuth() const override { return azimuth; }
    void SetGraphTilt(int value) override { tilt = value; }
    void SetGraphAzimuth(int value) override { azimuth = value; }
    HourlyAngleMode SlopeAngleMode() const override { return slopeMode; }
    bool IsMonthlyOwner() const override { return monthly; }
    void RequestRedraw(int) override {}
};

QImage NewImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

bool Save(const QImage& image, const QDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A smooth bell over the daylight hours, for the look of a series only.
double Bell(int hour, double peak) {
    const double x = (hour - 12.5) / 4.2;
    return hour < 6 || hour > 19 ? 0.0 : peak * std::exp(-x * x);
}

int SlotX(const GraphRect& plot, int slot, int slotCount) {
    const double width = plot.right - plot.left - 2;
    return plot.left + 1 + static_cast<int>(width * (slot + 1) / (slotCount + 0.5) + 0.5);
}

void BuildHorizontalLegend(CGraphCanvas& canvas, const GraphRect& graph) {
    const CanvasStyles& st = canvas.Styles();
    const int s = st.scale;
    const char16_t* const labels[] = {
        u"水平面全天日射量", u"直達日射量", u"散乱日射量", u"日照時間", u"気温",
        u"風向・風速",       u"",           u"降水量",     u"積雪深"};
    canvas.Legend().clear();
    for (const char16_t* label : labels) {
        CHanreiObj entry;
        entry.label = QString::fromUtf16(label).toStdString();
        canvas.Legend().push_back(entry);
    }
    const int order[] = {0, 1, 2, 4, 3, 7, 8, 5};
    for (int position = 0; position < 8; ++position) {
        const int element = order[position];
        CHanreiObj& entry = canvas.Legend()[static_cast<std::size_t>(element)];
        const int x0 = graph.left + 20 * s + (position % 4) * 150 * s;
        const int y0 = graph.bottom - (position < 4 ? 46 : 28) * s;
        LayoutLegendEntry(entry, x0, y0, s);
        entry.hasSample = element != 3 && element != 5 && element != 7 && element != 8;
        const QColor colour = st.seriesRow3[static_cast<std::size_t>(element)];
        entry.sampleArgb = colour.isValid() ? colour.rgba() : 0;
        entry.marker = HorizontalMarkerKind(element);
        entry.markerArgb = entry.sampleArgb;
    }
}

QImage HourlyCanvasPreview(PreviewOwner& owner, bool hideSome, int s = 1) {
    CGraphCanvas canvas;
    canvas.SetNavButtons(owner.nav);
    canvas.Construct(s);
    canvas.SetGraphRect({0, 0, 900 * s, 560 * s});
    canvas.CreateBackBuffer();
    const GraphRect graph = canvas.LocalRect();
    const GraphRect plot{graph.left + 70 * s, graph.top + 44 * s,
                         graph.right - (s == 1 ? 44 : 40 * s), graph.bottom - 120 * s};
    const CanvasStyles& st = canvas.Styles();
    BuildHorizontalLegend(canvas, graph);
    if (s == 1) {
        canvas.PlaceLegendButtons();
        canvas.PlaceNavButtons();
    }
    canvas.SetupHourlyAxes(graph, plot);
    if (hideSome) {
        canvas.ToggleLegendEntry(2);
        canvas.ToggleLegendEntry(8);
    }

    QPainter p(&canvas.BackBuffer());
    CGraphCanvas::PrepareSurface(p);
    p.fillRect(ToQRectF(graph), st.backgroundBrush);
    if (s == 1) {
        FillVerticalGradient(p, ToQRectF(plot), QColor(192, 192, 192), Qt::white);
    }
    p.setPen(st.blackPen);
    p.drawRect(ToQRectF(plot));
    DrawTextAt(p, QStringLiteral("水平面グラフ"), QPointF(graph.Width() / 2.0, plot.top - 8 * s),
               QBrush(Qt::black), st.font11Bold, TextAlign::Center, TextAlign::Far);

    auto visible = [&](int index) {
        return canvas.Legend()[static_cast<std::size_t>(index)].visible != 0;
    };
    for (int index : {kAxisSnow, kAxisPrecipitation, kAxisTemperature, kAxisSunshine}) {
        if (visible(index)) {
            DrawHourlyValueAxis(p, canvas.Axis(index), plot, st);
        }
    }
    if (visible(0) || visible(1) || visible(2)) {
        DrawHourlyValueAxis(p, canvas.Axis(kAxisGlobal), plot, st);
    }

    for (int hour = 1; hour <= 24; ++hour) {
        const int x = SlotX(plot, hour - 1, 24);
        p.setPen(st.blackPen);
        p.drawLine(x, plot.bottom - 3 * s, x, plot.bottom + 3 * s);
        DrawTextAt(p, QString::number(hour), QPointF(x - 5 * s, plot.bottom + 6 * s),
                   QBrush(Qt::black), st.font8);
        if (visible(5)) {
            const int code = 1 + (hour * 5) % 16;
            DrawWindBarb(p, QPointF(x, plot.bottom + 30 * s), hour % 7 == 0 ? 0 : code,
                         (hour * 7) % 13, s, false, st.blackPen, st.blackBrush);
        }
    }
    const double peaks[] = {3.1, 2.2, 1.1};
    for (int element = 2; element >= 0; --element) {
        if (!visible(element)) {
            continue;
        }
        const AxisRecord& axis = canvas.Axis(element);
        QPointF previous;
        for (int hour = 1; hour <= 24; ++hour) {
            const QPointF point(SlotX(plot, hour - 1, 24),
                                axis.ValueToY(Bell(hour, peaks[element]), plot.top));
            if (hour > 1) {
                p.setPen(st.seriesPens[static_cast<std::size_t>(element)]);
                p.drawLine(previous, point);
            }
            DrawMarker(p, st.HorizontalMarker(element), point);
            previous = point;
        }
    }
    if (visible(4)) {
        const AxisRecord& axis = canvas.Axis(kAxisTemperature);
        QPointF previous;
        for (int hour = 1; hour <= 24; ++hour) {
            const double celsius = 18 + 6 * std::sin((hour - 9) * 3.141593 / 12);
            const QPointF point(SlotX(plot, hour - 1, 24), axis.ValueToY(celsius, plot.top));
            if (hour > 1) {
                p.setPen(st.seriesPens[4]);
                p.drawLine(previous, point);
            }
            DrawMarker(p, st.HorizontalMarker(4), point);
            previous = point;
        }
    }

    DrawLegendFrame(p, HourlyLegendOutline(graph, s), QStringLiteral("水平面データ"),
                    QPoint(graph.left + 22 * s, graph.bottom - 66 * s), st);
    canvas.DrawLegendEntries(p);
    if (s == 1) { // print leaves the buttons out
        canvas.DrawLegendToggle(p, false);
        canvas.DrawWindLegendButton(p, false);
        canvas.DrawNavButtonPictures(p, 1);
    }
    p.setPen(st.blackPen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(graph).adjusted(0.5, 0.5, -0.5, -0.5));
    p.end();
    return canvas.BackBuffer();
}

QImage MonthlyAxisPreview() {
    CGraphCanvas canvas;
    canvas.ConstructMonthly(1);
    canvas.SetGraphRect({0, 0, 820, 520});
    canvas.CreateBackBuffer();
    const GraphRect graph = canvas.LocalRect();
    const GraphRect plot{70, 50, graph.right - 44, graph.bottom - 120};
    const CanvasStyles& st = canvas.Styles();

    canvas.Legend().clear();
    for (int j = 0; j < 13; ++j) {
        CHanreiObj entry;
        entry.label = std::to_string(j * 15) + "度";
        const int x0 = graph.left + 20 + (j % 7) * 90;
        const int y0 = graph.bottom - (j < 7 ? 46 : 28);
        LayoutLegendEntry(entry, x0, y0, 1);
        entry.hasSample = true;
        entry.sampleArgb = st.palette[static_cast<std::size_t>(j)].rgba();
        entry.marker = MonthlyMarkerKind(j);
        entry.markerArgb = entry.sampleArgb;
        canvas.Legend().push_back(entry);
    }
    canvas.ToggleLegendEntry(5);
    canvas.SetLegendToggleRect(
        {graph.right - 76, graph.bottom - 50, graph.right - 20, graph.bottom - 35});

    QPainter p(&canvas.BackBuffer());
    CGraphCanvas::PrepareSurface(p);
    p.fillRect(ToQRectF(graph), st.backgroundBrush);
    FillVerticalGradient(p, ToQRectF(plot), QColor::fromRgba(0xffc0c0c0), Qt::white);
    p.setPen(st.blackPen);
    p.drawRect(ToQRectF(plot));
    DrawMonthlyValueAxis(p, plot, 8, 0.2, 1, QStringLiteral("日射量(kWh/㎡)"), st);
    for (int series = 12; series >= 0; --series) {
        if (canvas.Legend()[static_cast<std::size_t>(series)].visible == 0) {
            continue;
        }
        QPointF previous;
        for (int tilt = 0; tilt <= 9; ++tilt) {
            const double value = 4.2 + (6 - series) * 0.16 * std::sin(tilt * 0.3) - 0.02 * tilt;
            const QPointF point(plot.left + static_cast<int>(tilt * (plot.right - plot.left) / 9.5),
                                plot.bottom -
                                    static_cast<int>((plot.bottom - plot.top) * value / 8 + 0.5));
            if (tilt > 0) {
                p.setPen(st.monthlyThinPens[static_cast<std::size_t>(series)]);
                p.drawLine(previous, point);
            }
            DrawMarker(p, st.MonthlyMarker(series), point);
            previous = point;
        }
    }
    DrawLegendFrame(p, MonthlyLegendOutline(graph, 1, 120), QStringLiteral("方位角"),
                    QPoint(graph.left + 22, graph.bottom - 66), st);
    canvas.DrawLegendEntries(p);
    canvas.DrawLegendToggle(p, false);
    p.end();
    return canvas.BackBuffer();
}

QImage MarkerPreview(int scale) {
    const CanvasStyles st = CanvasStyles::Make(scale, true);
    const int cell = 34 * scale;
    QImage image = NewImage(cell * 16 + 110 * scale, cell * 5);
    QPainter p(&image);
    CGraphCanvas::PrepareSurface(p);
    auto row = [&](int y, const QString& title) {
        DrawTextAt(p, title, QPointF(6 * scale, y * cell + cell / 2.0), QBrush(Qt::black), st.font8,
                   TextAlign::Near, TextAlign::Center);
    };
    auto at = [&](int column, int rowIndex) {
        return QPointF(110 * scale + column * cell + cell / 2.0, rowIndex * cell + cell / 2.0);
    };
    row(0, QStringLiteral("水平 0-8"));
    for (int k = 0; k < kHorizontalMarkerKinds; ++k) {
        DrawMarker(p, st.HorizontalMarker(k), at(k, 0));
    }
    row(1, QStringLiteral("斜面 0-13"));
    for (int k = 0; k < kSlopeMarkerKinds; ++k) {
        DrawMarker(p, st.SlopeMarker(k), at(k, 1));
    }
    row(2, QStringLiteral("10日間 0-13"));
    for (int k = 0; k < kSlopeMarkerKinds; ++k) {
        DrawMarker(p, st.SlopeMarker(k, true), at(k, 2));
    }
    row(3, QStringLiteral("月別 0-12"));
    for (int k = 0; k < 13; ++k) {
        DrawMarker(p, st.MonthlyMarker(k), at(k, 3));
    }
    row(4, QStringLiteral("年変動 51-53"));
    for (int k = 0; k < 3; ++k) {
        DrawMarker(p, st.MonthlyMarker(kMonthlyAverageMarker + k), at(k, 4));
    }
    p.end();
    return image;
}

QImage WindBarbPreview(bool tenDay) {
    const CanvasStyles st = CanvasStyles::Make(1, false);
    const int cell = 34;
    QImage image = NewImage(40 + 26 * cell, 30 + 17 * cell);
    QPainter p(&image);
    CGraphCanvas::PrepareSurface(p);
    for (int speed = 0; speed <= 25; ++speed) {
        DrawTextAt(p, QString::number(speed), QPointF(40 + speed * cell + cell / 2.0, 6),
                   QBrush(Qt::black), st.font8, TextAlign::Center);
    }
    for (int code = 0; code <= 16; ++code) {
        const double y = 30 + code * cell + cell / 2.0;
        DrawTextAt(p, QString::number(code), QPointF(30, y), QBrush(Qt::black), st.font8,
                   TextAlign::Far, TextAlign::Center);
        for (int speed = 0; speed <= 25; ++speed) {
            DrawWindBarb(p, QPointF(40 + speed * cell + cell / 2.0, y), code, speed, 1, tenDay,
                         st.blackPen, st.blackBrush);
        }
    }
    p.end();
    return image;
}

QImage LoadErrorPreview() {
    CGraphCanvas canvas;
    canvas.Construct(1);
    canvas.SetGraphRect({0, 0, 600, 260});
    canvas.CreateBackBuffer();
    QPainter p(&canvas.BackBuffer());
    CGraphCanvas::PrepareSurface(p);
    canvas.DrawLoadError(p);
    p.end();
    return canvas.BackBuffer();
}

QImage AngleSelectorPreview() {
    struct Case {
        int tilt, azimuth, mode;
        bool monthly;
    };
    const Case cases[] = {{0, 0, 2, false},    {30, 0, 0, false},   {30, 45, 2, false},
                          {60, 270, 2, false}, {90, 180, 1, false}, {45, -120, 2, true}};
    const int width = 240, height = 212;
    QImage image = NewImage(3 * width, 2 * height);
    QPainter p(&image);
    CGraphCanvas::PrepareSurface(p);
    for (int i = 0; i < 6; ++i) {
        PreviewOwner owner;
        owner.dataKind = DataKind::Slope;
        owner.tilt = cases[i].tilt;
        owner.azimuth = cases[i].azimuth;
        owner.slopeMode = *HourlyAngleModeFromIndex(cases[i].mode);
        owner.monthly = cases[i].monthly;
        CAngleSelector selector;
        selector.Init(&owner);
        const GraphRect rect{(i % 3) * width, (i / 3) * height, (i % 3 + 1) * width,
                             (i / 3 + 1) * height};
        selector.Render(p, rect);
    }
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: graph_preview <output folder>\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));
    PreviewOwner day;
    PreviewOwner ranking;
    ranking.nav = NavButtons::Disabled;
    const bool ok =
        Save(HourlyCanvasPreview(day, false), dir, "canvas_hourly.png") &&
        Save(HourlyCanvasPreview(ranking, true), dir, "canvas_hourly_ranking_hidden.png") &&
        Save(HourlyCanvasPreview(day, true, 4), dir, "canvas_hourly_print_scale4.png") &&
        Save(MonthlyAxisPreview(), dir, "canvas_monthly.png") &&
        Save(MarkerPreview(1), dir, "markers.png") &&
        Save(MarkerPreview(4), dir, "markers_print.png") &&
        Save(WindBarbPreview(false), dir, "wind_barbs.png") &&
        Save(WindBarbPreview(true), dir, "wind_barbs_10day.png") &&
        Save(LoadErrorPreview(), dir, "load_error.png") &&
        Save(AngleSelectorPreview(), dir, "angle_selector.png");
    return ok ? 0 : 1;
}

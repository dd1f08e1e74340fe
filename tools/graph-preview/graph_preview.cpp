// Renders the graph framework's pieces into PNG files for review: markers, wind
// barbs, the load-failure box and the picker (whole graphs: quorvane_dialog_preview).
//   graph_preview <output folder>
#include "graph/angle_selector.h"
#include "graph/graph_canvas.h"
#include "graph/graph_draw.h"
#include "ui/image.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>

using namespace quorvane;

namespace {

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
    QImage image = NewImage(600, 260);
    QPainter p(&image);
    CGraphCanvas::PrepareSurface(p);
    RenderLoadError(p, {0, 0, 600, 260}, CanvasStyles::Make(1, false));
    p.end();
    return image;
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
        CAngleSelector selector;
        selector.Show(SelectorViewOf({cases[i].tilt, cases[i].azimuth},
                                     HourlyAngleModeFromIndex(cases[i].mode), cases[i].monthly));
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
    const bool ok = Save(MarkerPreview(1), dir, "markers.png") &&
                    Save(MarkerPreview(4), dir, "markers_print.png") &&
                    Save(WindBarbPreview(false), dir, "wind_barbs.png") &&
                    Save(WindBarbPreview(true), dir, "wind_barbs_10day.png") &&
                    Save(LoadErrorPreview(), dir, "load_error.png") &&
                    Save(AngleSelectorPreview(), dir, "angle_selector.png");
    return ok ? 0 : 1;
}

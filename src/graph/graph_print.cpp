#include "graph/graph_print.h"

#include "ui/image.h"
#include "ui/print_setup.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace quorvane {

PrintGeometry ComputePrintGeometry(int pageWidth, int pageHeight, int frameWidth, int frameHeight) {
    PrintGeometry g;
    if (frameWidth <= 0 || frameHeight <= 0) {
        return g;
    }
    int d = static_cast<int>(0.94 * pageHeight);
    int e = static_cast<int>(static_cast<double>(d) * frameWidth / frameHeight);
    // A frame wider than the page's proportions would run off the paper: fit the width.
    if (e > pageWidth) {
        e = pageWidth;
        d = static_cast<int>(static_cast<double>(e) * frameHeight / frameWidth);
    }
    const int left = (pageWidth - e) / 2;
    g.graph = {left, 0, left + e, d};
    g.scale = std::max(1, e / frameWidth);
    return g;
}

void PaintPrintFooter(QPainter& p, int bottom, int scale, const GraphStyles& styles) {
    DrawImageScaled(p, LoadPngResource(293), 0, bottom + 5 * scale, scale / 2);
    DrawTextAt(p, QStringLiteral("Quorvane"), QPointF(120 * scale, bottom + 16 * scale),
               QBrush(Qt::black), styles.font11Bold);
}

LegendHidden PrintedHidden(const LegendHidden& screen, int scale) {
    return scale >= 2 ? screen : LegendHidden{};
}

void PaintPrintedPage(QPainter& p, const PrintGeometry& geometry, int graphBottom,
                      const GraphStyles& styles, const std::function<void(QPainter&)>& graph) {
    p.save();
    p.translate(geometry.graph.left, geometry.graph.top);
    graph(p);
    PaintPrintFooter(p, graphBottom, geometry.scale, styles);
    p.restore();
}

PrintStatus PrintGraphPage(QPrinter& printer, const PagePainter& paint) {
    // The name the print dialog was given stays (the viewers' "HORIX" otherwise).
    const QString name = printer.docName().isEmpty() ? QStringLiteral("HORIX") : printer.docName();
    SetUpA4Printer(printer, name, PageOrientation::Landscape);
    printer.setFromTo(1, 1);
    QPainter p;
    if (!p.begin(&printer)) {
        return PrintStatus::NotStarted;
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
    paint(p, page.width(), page.height());
    return p.end() ? PrintStatus::Printed : PrintStatus::Incomplete;
}

} // namespace quorvane

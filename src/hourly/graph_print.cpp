#include "hourly/graph_print.h"

#include "hourly/hourly_graph_painter.h"
#include "ui/image.h"

#include <QPageLayout>
#include <QPageSize>
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

PrintedGraph ComposePrintedGraph(HourlyGraphInput input, int pageWidth, int pageHeight,
                                 int frameWidth, int frameHeight,
                                 const std::vector<CHanreiObj>& screenLegend) {
    PrintedGraph page;
    page.geometry = ComputePrintGeometry(pageWidth, pageHeight, frameWidth, frameHeight);
    const int s = page.geometry.scale;
    input.scale = s;
    input.print = true;
    const GraphStyles styles = GraphStyles::Make(s, false);
    page.layout = MakeGraphLayout(page.geometry.graph.Width(), page.geometry.graph.Height(), s);
    page.layout.dataKind = input.dataKind;
    page.layout.nav = NavButtons::Disabled; // no navigation buttons on paper
    page.layout.legend = BuildHourlyLegend(input, page.layout.graph, HorizontalSeriesArgb(styles),
                                           SlopeSeriesArgb(styles));
    if (s >= 2) {
        for (std::size_t i = 0; i < page.layout.legend.size() && i < screenLegend.size(); ++i) {
            page.layout.legend[i].visible = screenLegend[i].visible;
        }
    } else {
        PlaceLegendButtons(
            page.layout,
            ButtonTextExtent(nullptr, QStringLiteral("風向・風速の凡例を表示"), styles));
    }
    page.scene = ComputeHourlyScene(input, page.layout.graph, page.layout.legend);
    return page;
}

void PaintPrintedGraph(QPainter& p, const PrintedGraph& page) {
    const int s = page.geometry.scale;
    const GraphStyles styles = GraphStyles::Make(s, false);
    p.save();
    p.translate(page.geometry.graph.left, page.geometry.graph.top);
    PaintHourlyGraph(p, page.scene, page.layout, styles);
    const int bottom = page.layout.graph.bottom;
    DrawImageScaled(p, LoadPngResource(293), 0, bottom + 5 * s, s / 2);
    DrawTextAt(p, QStringLiteral("Quorvane"), QPointF(120 * s, bottom + 16 * s), QBrush(Qt::black),
               styles.font11Bold);
    p.restore();
}

bool PrintHourlyGraph(QPrinter& printer, const HourlyGraphInput& input, int frameWidth,
                      int frameHeight, const std::vector<CHanreiObj>& screenLegend) {
    printer.setDocName(QStringLiteral("HORIX"));
    // The print styles (two-pixel pens, markers of four units) are meant for a page
    // of a few thousand pixels: 300 dpi, as office printers print.
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(true);
    printer.setFromTo(1, 1);
    QPainter p;
    if (!p.begin(&printer)) {
        return false;
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
    const PrintedGraph printed = ComposePrintedGraph(input, page.width(), page.height(), frameWidth,
                                                     frameHeight, screenLegend);
    PaintPrintedGraph(p, printed);
    return p.end();
}

} // namespace quorvane

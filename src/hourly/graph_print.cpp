#include "hourly/graph_print.h"

#include "hourly/hourly_graph_painter.h"
#include "ui/image.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace quorvane {

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
    KeepHiddenEntries(page.layout.legend, screenLegend, s);
    if (s < 2) {
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
    PaintPrintedPage(p, page.geometry, page.layout.graph.bottom, styles, [&](QPainter& graph) {
        PaintHourlyGraph(graph, page.scene, page.layout, styles);
    });
}

bool PrintHourlyGraph(QPrinter& printer, const HourlyGraphInput& input, int frameWidth,
                      int frameHeight, const std::vector<CHanreiObj>& screenLegend) {
    return PrintGraphPage(printer, [&](QPainter& p, int pageWidth, int pageHeight) {
        PaintPrintedGraph(p, ComposePrintedGraph(input, pageWidth, pageHeight, frameWidth,
                                                 frameHeight, screenLegend));
    });
}

} // namespace quorvane

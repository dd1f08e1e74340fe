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
                                 const LegendHidden& screenHidden) {
    PrintedGraph page;
    page.geometry = ComputePrintGeometry(pageWidth, pageHeight, frameWidth, frameHeight);
    const int s = page.geometry.scale;
    input.scale = s;
    input.print = true;
    GraphFrame frame{page.geometry.graph.Width(), page.geometry.graph.Height(), {}};
    if (s < 2) {
        frame.windButtonText = ScreenWindButtonText();
    }
    HourlyGraph graph = ComposeHourlyGraph(input, frame, PrintedHidden(screenHidden, s));
    page.layout = std::move(graph.layout);
    page.scene = std::move(graph.scene);
    return page;
}

void PaintPrintedGraph(QPainter& p, const PrintedGraph& page) {
    const int s = page.geometry.scale;
    const GraphStyles styles = GraphStyles::Make(s, false);
    PaintPrintedPage(p, page.geometry, page.layout.graph.bottom, styles, [&](QPainter& graph) {
        PaintHourlyGraph(graph, page.scene, page.layout, styles);
    });
}

PrintStatus PrintHourlyGraph(QPrinter& printer, const HourlyGraphInput& input, int frameWidth,
                             int frameHeight, const LegendHidden& screenHidden) {
    return PrintGraphPage(printer, [&](QPainter& p, int pageWidth, int pageHeight) {
        PaintPrintedGraph(p, ComposePrintedGraph(input, pageWidth, pageHeight, frameWidth,
                                                 frameHeight, screenHidden));
    });
}

} // namespace quorvane

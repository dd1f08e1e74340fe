#include "monthly/monthly_print.h"

#include "monthly/monthly_graph_painter.h"

#include <QPainter>

namespace quorvane {

PrintedMonthlyGraph ComposePrintedMonthlyGraph(MonthlyGraphInput input, int pageWidth,
                                               int pageHeight, int frameWidth, int frameHeight,
                                               const LegendHidden& screenHidden) {
    PrintedMonthlyGraph page;
    page.geometry = ComputePrintGeometry(pageWidth, pageHeight, frameWidth, frameHeight);
    const int s = page.geometry.scale;
    input.scale = s;
    input.print = true;
    MonthlyGraph graph =
        ComposeMonthlyGraph(input, {page.geometry.graph.Width(), page.geometry.graph.Height(), {}},
                            PrintedHidden(screenHidden, s));
    page.layout = std::move(graph.layout);
    page.scene = std::move(graph.scene);
    return page;
}

void PaintPrintedMonthlyGraph(QPainter& p, const PrintedMonthlyGraph& page) {
    const int s = page.geometry.scale;
    const GraphStyles styles = GraphStyles::Make(s, true);
    PaintPrintedPage(p, page.geometry, page.layout.graph.bottom, styles, [&](QPainter& graph) {
        PaintMonthlyGraph(graph, page.scene, page.layout, styles);
    });
}

PrintStatus PrintMonthlyGraph(QPrinter& printer, const MonthlyGraphInput& input, int frameWidth,
                              int frameHeight, const LegendHidden& screenHidden) {
    return PrintGraphPage(printer, [&](QPainter& p, int pageWidth, int pageHeight) {
        PaintPrintedMonthlyGraph(p,
                                 ComposePrintedMonthlyGraph(input, pageWidth, pageHeight,
                                                            frameWidth, frameHeight, screenHidden));
    });
}

} // namespace quorvane

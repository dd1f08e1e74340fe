#include "monthly/monthly_print.h"

#include "monthly/monthly_graph_painter.h"

#include <QPainter>

namespace quorvane {

PrintedMonthlyGraph ComposePrintedMonthlyGraph(MonthlyGraphInput input, int pageWidth,
                                               int pageHeight, int frameWidth, int frameHeight,
                                               const std::vector<CHanreiObj>& screenLegend) {
    PrintedMonthlyGraph page;
    page.geometry = ComputePrintGeometry(pageWidth, pageHeight, frameWidth, frameHeight);
    const int s = page.geometry.scale;
    input.scale = s;
    input.print = true;
    const GraphStyles styles = GraphStyles::Make(s, true);
    page.layout = MakeGraphLayout(page.geometry.graph.Width(), page.geometry.graph.Height(), s);
    page.layout.nav = NavButtons::Disabled; // no month buttons on paper
    page.layout.legend = BuildMonthlyLegend(input, page.layout.graph, MonthlySeriesArgb(styles),
                                            VariationArgb(styles));
    KeepHiddenEntries(page.layout.legend, screenLegend, s);
    page.scene = ComputeMonthlyScene(input, page.layout.graph, page.layout.legend);
    return page;
}

void PaintPrintedMonthlyGraph(QPainter& p, const PrintedMonthlyGraph& page) {
    const int s = page.geometry.scale;
    const GraphStyles styles = GraphStyles::Make(s, true);
    PaintPrintedPage(p, page.geometry, page.layout.graph.bottom, styles, [&](QPainter& graph) {
        PaintMonthlyGraph(graph, page.scene, page.layout, styles);
    });
}

bool PrintMonthlyGraph(QPrinter& printer, const MonthlyGraphInput& input, int frameWidth,
                       int frameHeight, const std::vector<CHanreiObj>& screenLegend) {
    return PrintGraphPage(printer, [&](QPainter& p, int pageWidth, int pageHeight) {
        PaintPrintedMonthlyGraph(p,
                                 ComposePrintedMonthlyGraph(input, pageWidth, pageHeight,
                                                            frameWidth, frameHeight, screenLegend));
    });
}

} // namespace quorvane

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
    if (s >= 2) {
        for (std::size_t i = 0; i < page.layout.legend.size() && i < screenLegend.size(); ++i) {
            page.layout.legend[i].visible = screenLegend[i].visible;
        }
    }
    page.scene = ComputeMonthlyScene(input, page.layout.graph, page.layout.legend);
    return page;
}

void PaintPrintedMonthlyGraph(QPainter& p, const PrintedMonthlyGraph& page) {
    const int s = page.geometry.scale;
    const GraphStyles styles = GraphStyles::Make(s, true);
    p.save();
    p.translate(page.geometry.graph.left, page.geometry.graph.top);
    PaintMonthlyGraph(p, page.scene, page.layout, styles);
    PaintPrintFooter(p, page.layout.graph.bottom, s, styles);
    p.restore();
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

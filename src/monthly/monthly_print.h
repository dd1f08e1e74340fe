#pragma once

#include "graph/graph_print.h"
#include "monthly/monthly_graph.h"

class QPainter;
class QPrinter;

namespace quorvane {

// The printed page of a monthly chart: the screen's scene at the print scale. At
// scale 2 or more the legend keeps the screen's hidden entries and has no button.
struct PrintedMonthlyGraph {
    PrintGeometry geometry;
    GraphLayout layout; // graph-area coordinates
    MonthlyScene scene;
};

PrintedMonthlyGraph ComposePrintedMonthlyGraph(MonthlyGraphInput input, int pageWidth,
                                               int pageHeight, int frameWidth, int frameHeight,
                                               const LegendHidden& screenHidden);

void PaintPrintedMonthlyGraph(QPainter& p, const PrintedMonthlyGraph& page);

// One landscape A4 page, document "HORIX".
PrintStatus PrintMonthlyGraph(QPrinter& printer, const MonthlyGraphInput& input, int frameWidth,
                              int frameHeight, const LegendHidden& screenHidden);

} // namespace quorvane

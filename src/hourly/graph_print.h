#pragma once

#include "graph/graph_layout.h"
#include "graph/graph_print.h"
#include "hourly/hourly_graph.h"

class QPainter;
class QPrinter;

namespace quorvane {

// The printed page of an hourly graph: the same scene as the screen's at the print
// scale. At scale 2 or more the legend keeps the screen's hidden entries and has no
// buttons; at scale 1 it is the screen's, all entries visible.
struct PrintedGraph {
    PrintGeometry geometry;
    GraphLayout layout; // graph-area coordinates
    HourlyScene scene;
};

PrintedGraph ComposePrintedGraph(HourlyGraphInput input, int pageWidth, int pageHeight,
                                 int frameWidth, int frameHeight, const LegendHidden& screenHidden);

// Draws the page: the graph, then the footer (logo 293 at scale div 2, "Quorvane").
void PaintPrintedGraph(QPainter& p, const PrintedGraph& page);

// Sets a printer to one landscape A4 page, document "HORIX", and prints the page.
PrintStatus PrintHourlyGraph(QPrinter& printer, const HourlyGraphInput& input, int frameWidth,
                             int frameHeight, const LegendHidden& screenHidden);

} // namespace quorvane

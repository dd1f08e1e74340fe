#pragma once

#include "data/write_status.h"
#include "graph/graph_canvas.h"
#include "graph/graph_layout.h"

#include <functional>

class QPainter;
class QPrinter;

namespace quorvane {

// Where the graph goes on a printed page of the given device size: 94 % of the page
// height with the screen frame's aspect ratio, centred, drawn at an integer scale.
struct PrintGeometry {
    GraphRect graph; // page device pixels
    int scale = 1;
    friend bool operator==(const PrintGeometry&, const PrintGeometry&) = default;
};

PrintGeometry ComputePrintGeometry(int pageWidth, int pageHeight, int frameWidth, int frameHeight);

// Below a printed graph: logo 293 at scale div 2 and "Quorvane", in graph-area
// coordinates with the graph's bottom at `bottom`.
void PaintPrintFooter(QPainter& p, int bottom, int scale, const GraphStyles& styles);

// The entries hidden on paper: at scale 2 or more those hidden on screen; at scale 1
// the page is a plain copy and shows them all.
LegendHidden PrintedHidden(const LegendHidden& screen, int scale);

// A composed graph drawn at its place on the page, with the footer below it.
void PaintPrintedPage(QPainter& p, const PrintGeometry& geometry, int graphBottom,
                      const GraphStyles& styles, const std::function<void(QPainter&)>& graph);

// Sets a printer to one landscape A4 page at 300 dpi, document "HORIX", and paints
// the page of the given device size.
using PagePainter = std::function<void(QPainter&, int pageWidth, int pageHeight)>;
PrintStatus PrintGraphPage(QPrinter& printer, const PagePainter& paint);

} // namespace quorvane

#pragma once

#include "graph/graph_canvas.h"
#include "monthly/monthly_graph.h"

class QPainter;

namespace quorvane {

// Draws a monthly scene and its legend (`layout`) onto any device with the
// canvas's monthly styles (GraphStyles::Make(scale, true)); on screen the month
// buttons too (`screenNav`).
void PaintMonthlyGraph(QPainter& p, const MonthlyScene& scene, const GraphLayout& layout,
                       const GraphStyles& styles, const NavPictures* screenNav = nullptr);

} // namespace quorvane

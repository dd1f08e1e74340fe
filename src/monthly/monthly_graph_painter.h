#pragma once

#include "graph/graph_canvas.h"
#include "monthly/monthly_graph.h"

class QPainter;

namespace quorvane {

// Draws a monthly scene and its legend (`layout`) onto any device with the
// canvas's monthly styles (GraphStyles::Make(scale, true)).
void PaintMonthlyGraph(QPainter& p, const MonthlyScene& scene, const GraphLayout& layout,
                       const GraphStyles& styles);

// The legend colours: the thirteen series, then average, maximum and minimum.
std::vector<std::uint32_t> MonthlySeriesArgb(const GraphStyles& styles);
std::vector<std::uint32_t> VariationArgb(const GraphStyles& styles);

} // namespace quorvane

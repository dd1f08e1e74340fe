#pragma once

#include "yield/yield_chart.h"

class QPainter;

namespace quorvane {

// Draws a composed yield chart in its frame's logical pixels: on screen, on the
// printed page (scaled by the painter) and into picture files.
void PaintYieldChart(QPainter& p, const YieldChart& chart);

} // namespace quorvane

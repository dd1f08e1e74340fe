#pragma once

#include "graph/graph_canvas.h"
#include "hourly/hourly_graph.h"

class QPainter;

namespace quorvane {

// What only the screen shows: the navigation buttons in their state.
struct ScreenButtons {
    const NavPictures* pictures = nullptr;
    int hoveredNav = -1; // 0 previous, 1 next
};

// Draws a scene and the graph's legend and buttons (`layout`) onto any device at
// the styles' scale: the viewer's frame, the printed page and image files.
void PaintHourlyGraph(QPainter& p, const HourlyScene& scene, const GraphLayout& layout,
                      const GraphStyles& styles, const ScreenButtons& screen = {});

} // namespace quorvane

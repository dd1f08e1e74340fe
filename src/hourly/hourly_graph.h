#pragma once

#include "data/hourly_file.h"
#include "data/modes.h"
#include "graph/graph_layout.h"
#include "hourly/periods.h"

#include <string>
#include <vector>

namespace quorvane {

// The hourly viewer's six graphs (horizontal or slope data over a day, a month or
// ten days) as a plain scene: every point, bar, barb and text with its position,
// and the tooltips in drawing order. The painter draws a scene onto any device;
// the screen, the printed page, image files and the tests share it.

enum class HourlyGraphKind { Day, Month, TenDays };
HourlyGraphKind GraphKindOfView(HourlyView view);

struct HourlyGraphInput {
    const HourlyDataSet* set = nullptr;
    bool loaded = false;
    SitePosition site; // found: the site is in the catalogue
    std::string siteName;
    DataKind dataKind = DataKind::Horizontal;
    HourlyView view = HourlyView::Day;
    HourlyAngleMode angleMode = HourlyAngleMode::FixedTilt;
    int tiltDeg = 0;
    int azimuthDeg = 0;
    int month = 1;
    int day = 1;
    YearVariant variant = YearVariant::Average;
    int scale = 1;      // 1 on screen; the print scale otherwise
    bool print = false; // the plot's right margin and the gradient follow it
};

// The orientations of the slope series of an angle mode, without the horizontal
// comparison series that always comes last.
struct SlopeSeries {
    int tiltDeg = 0;
    int azimuthDeg = 0;
};
std::vector<SlopeSeries> SlopeSeriesOf(const HourlyGraphInput& input);

// The legend of the graph, every entry visible, laid out in `graph` at the input's
// scale, in the series colours (by element - 1) and the palette.
std::vector<CHanreiObj> BuildHourlyLegend(const HourlyGraphInput& input, const GraphRect& graph);

// One line with markers: a horizontal element (index = element - 1) or a slope
// series (index into the palette; 13 is the horizontal comparison).
struct SeriesLine {
    bool slope = false;
    int index = 0;
    std::vector<GraphPoint> points;
};

struct SeriesBar {
    int index = 0; // 3 sunshine, 7 precipitation
    GraphRect rect;
};

struct WindBarbItem {
    GraphPoint at;
    int code = 0;
    double speedMs = 0.0;
};

struct HourlyScene {
    HourlyGraphKind kind = HourlyGraphKind::Day;
    GraphRect graph;
    GraphRect plot;
    int scale = 1;
    bool loaded = false;
    bool tenDay = false; // smaller markers and barbs
    bool gradient = true;
    std::string title;
    std::vector<GraphText> info; // the information block's lines
    // Axes to draw, in drawing order (indexes into `axes`).
    AxisRecords axes{};
    std::vector<AxisIndex> shownAxes;
    std::vector<GraphSegment> xTicks;
    std::vector<GraphText> xLabels;
    // Horizontal series in drawing order: barbs, snow, precipitation, sunshine,
    // the band's separator, then the lines (temperature, diffuse, direct, global);
    // slope series: the lines, last series first.
    std::vector<WindBarbItem> barbs;
    std::vector<GraphPoint> snowPolygon;
    std::vector<GraphSegment> snowOutline;
    int snowTopY = 0;
    std::vector<SeriesBar> precipitationBars;
    std::vector<SeriesBar> sunshineBars;
    bool separator = false;
    int separatorY = 0;
    std::vector<SeriesLine> lines;
    std::string legendTab;
    GraphPoint legendTabAt;
    std::string slopeNote; // right-aligned at slopeNoteAt
    GraphPoint slopeNoteAt;
    std::vector<tagGraphToolTip> tooltips;
    // By legend entry, what hovering it tells of the series over the shown period
    // (hidden series too): "合計 19.72 MJ/㎡（5.48 kWh/㎡）" for irradiation, sunshine
    // and precipitation totals, temperature and wind means, the deepest snow. Empty
    // without data.
    std::vector<std::string> legendTotals;
};

// The scene of the graph in `graph` (graph-area coordinates) for the input, with
// the legend's visibility.
HourlyScene ComputeHourlyScene(const HourlyGraphInput& input, const GraphRect& graph,
                               const std::vector<CHanreiObj>& legend);

// "%.2fMJ/㎡" and friends, and the direction names by code 0..16.
std::string WindDirectionName(int code);

// The navigation buttons of a view: days, months, or shown disabled (the rankings).
NavButtons NavButtonsOf(HourlyView view);

// A graph as it is drawn: the layout (the legend with the user's hidden entries, its
// buttons, the navigation buttons on screen, the tooltips) and the scene.
struct HourlyGraph {
    GraphLayout layout;
    HourlyScene scene;
};

// The one place a graph is put together, for the screen, the printed page, the
// picture files, the command line and the tests alike.
HourlyGraph ComposeHourlyGraph(const HourlyGraphInput& input, const GraphFrame& frame,
                               const LegendHidden& hidden);

} // namespace quorvane

#pragma once

#include "data/modes.h"
#include "data/monthly_file.h"
#include "graph/graph_layout.h"

#include <string>
#include <vector>

namespace quorvane {

// The monthly viewer's four charts (by month, by orientation, optimum values,
// year-to-year variation) as a plain scene: points, bars, labels and tooltips with
// their positions, in drawing order. The painter draws it onto any device.

enum class MonthlyChart { ByMonth, ByOrientation, Optimum, Variation };

struct MonthlyGraphInput {
    const MonthlyRecord* record = nullptr;
    bool loaded = false;
    bool siteFound = false;
    std::string siteName;
    MonthlyDisplay display = MonthlyDisplay::Month;
    MonthlyAngleMode angleMode = MonthlyAngleMode::FixedTilt;
    int tiltDeg = 0;
    int azimuthDeg = 0; // -180..180; the data know only its magnitude
    int month = 1;
    int scale = 1;
    bool print = false;
};

MonthlyChart ChartOf(const MonthlyGraphInput& input);

// The legend of the chart, every entry visible, laid out in `graph`, in the thirteen
// series colours and the average, maximum and minimum colours.
std::vector<CHanreiObj> BuildMonthlyLegend(const MonthlyGraphInput& input, const GraphRect& graph);

struct MonthlyLine {
    int style = 0;  // series colour index
    int marker = 0; // monthly marker kind (0..12, 51)
    bool average = false;
    std::vector<GraphPoint> points;
    std::vector<bool> joined; // joined[i]: a line from point i - 1 to point i
};

struct MonthlyBar {
    bool maximum = true; // else the minimum's bar
    GraphRect rect;      // what is filled
    GraphRect gradient;  // the gradient's extent
};

struct MonthlyScene {
    MonthlyChart chart = MonthlyChart::ByMonth;
    GraphRect graph;
    GraphRect plot;
    int scale = 1;
    bool loaded = false;
    bool gradient = true;
    std::string title;
    std::vector<GraphText> info;
    double valueRange = 8.0;
    double minorStep = 0.2;
    double majorStep = 1.0;
    std::string valueCaption = "日射量(kWh/㎡)";
    std::vector<GraphSegment> xTicks;
    std::vector<GraphText> xLabels;
    std::vector<MonthlyBar> bars; // drawn before the lines
    std::vector<MonthlyLine> lines;
    std::vector<GraphText> pointLabels;
    std::string legendTab;
    int legendTabWidth = 120;
    std::string note; // right-aligned at noteAt
    GraphPoint noteAt;
    bool toggleShown = false; // the all-on/all-off button
    std::vector<tagGraphToolTip> tooltips;
    // By legend entry, what hovering it tells (hidden series too): the series' year,
    // "年間合計 1234.56 kWh/㎡" (each month's mean daily value times its days); in the
    // chart by month the month's total at its best tilt; in the optimum-tilt chart
    // the annual optimum tilt with the year at it. Empty without data.
    std::vector<std::string> legendTotals;
};

MonthlyScene ComputeMonthlyScene(const MonthlyGraphInput& input, const GraphRect& graph,
                                 const std::vector<CHanreiObj>& legend);

// A chart as it is drawn: the layout (the legend with the user's hidden entries, the
// all-on/all-off toggle on screen, the month buttons, the tooltips) and the scene.
struct MonthlyGraph {
    GraphLayout layout;
    MonthlyScene scene;
};

// The one place a chart is put together, for every output.
MonthlyGraph ComposeMonthlyGraph(const MonthlyGraphInput& input, const GraphFrame& frame,
                                 const LegendHidden& hidden);

// The x of category a of n (the centre of its slot) and of tilt index a of n.
int CategoryX(const GraphRect& plot, int a, int n);
int TiltX(const GraphRect& plot, int a, int n);
// Whether category k (0..16) is joined to k - 1: within the months and within the
// seasons; the annual value and winter stand alone.
bool CategoryJoined(int k);

} // namespace quorvane

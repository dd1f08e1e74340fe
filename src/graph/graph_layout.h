#pragma once

#include "data/modes.h"
#include "graph/graph_rect.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The layout of one graph as a plain value: plot area, axis records, legend slots,
// button rectangles and tooltips, in graph-area coordinates (the area's top-left
// corner is 0, 0). Pure functions compute it from the graph's input and the output
// scale; the painter draws it onto any device and the canvas widget keeps it for
// hit tests. Texts are UTF-8.

struct GraphPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const GraphPoint&, const GraphPoint&) = default;
};

// Texts and lines the graphs place; the painter draws them.
enum class TextAnchor { TopLeft, TopCentre, TopRight, BottomCentre };

struct GraphText {
    GraphPoint at;
    std::string text;
    TextAnchor anchor = TextAnchor::TopLeft;
    friend bool operator==(const GraphText&, const GraphText&) = default;
};

struct GraphSegment {
    GraphPoint from;
    GraphPoint to;
};

// Marker shapes. Sizes follow the unit u (1 on screen, 4 at print scale); the
// 10-day graphs draw the scalable ones smaller.
enum class MarkerKind {
    None,
    Circle,             // open, radius 4u (10-day 2u)
    Disc,               // filled circle of the same radius
    Cross,              // diagonal cross, half-width 4u (10-day 2u)
    SmallCross,         // half-width 2u
    MediumCross,        // half-width 3u
    TriangleUp,         // filled
    TriangleDown,       // open
    FilledTriangleDown, //
    Square,             // open, side 8u (10-day 4u)
    FilledSquare,       //
    Diamond,            // open
    FilledDiamond,      //
    GapCross,           // four strokes around an open centre
    TwinBars,           // two vertical strokes 4 pixels apart
    Star,               // filled five-pointed star, fixed size
    Spectacles,         // two open circles side by side
    WideBar,            // filled 16u x 10u
    FlatBar,            // filled 16u x 8u
    WindBarb,           // a north-east barb of 5 m/s
};

inline constexpr int kHorizontalMarkerKinds = 9;
inline constexpr int kSlopeMarkerKinds = 14;
// Monthly series 0..12 are the orientations; these three the variation chart's.
inline constexpr int kMonthlyAverageMarker = 51;
inline constexpr int kMonthlyMaximumMarker = 52;
inline constexpr int kMonthlyMinimumMarker = 53;

// The marker of a horizontal series (element - 1, 0..8), a slope series (0..13)
// and a monthly series (0..12 or one of the three above); None for any other.
MarkerKind HorizontalMarkerKind(int seriesIndex);
MarkerKind SlopeMarkerKind(int series);
MarkerKind MonthlyMarkerKind(int series);

// What the pointer is over. The legend entries are hit by index; the integer codes
// (entry index, 99 toggle, 98 wind legend, 91/92 navigation, -1 nothing) are the
// viewers' pressed-item values.
enum class HitKind { Nothing, LegendEntry, LegendToggle, WindLegend, Previous, Next };

struct GraphHit {
    HitKind kind = HitKind::Nothing;
    int legendIndex = -1; // with LegendEntry

    int Code() const;
    static GraphHit FromCode(int code);
    friend bool operator==(const GraphHit&, const GraphHit&) = default;
};

inline constexpr int kHitLegendToggle = 99;
inline constexpr int kHitWindLegend = 98;
inline constexpr int kHitPrevious = 91;
inline constexpr int kHitNext = 92;
inline constexpr int kHitNothing = -1;

// The navigation buttons of a view: stepping days, stepping months, or shown
// disabled (the ranking views).
enum class NavButtons { Disabled, Days, Months };

// One hover area of a graph.
struct tagGraphToolTip {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    std::string text;
    int kind = 0;

    GraphRect Rect() const { return {left, top, right, bottom}; }
    friend bool operator==(const tagGraphToolTip&, const tagGraphToolTip&) = default;
};

// The hover area of a drawn point: (x - 5, y - 5) to (x + 5, y + 5), right and
// bottom exclusive.
tagGraphToolTip PointTooltip(int x, int y, std::string text, int kind = 0);

// The area under the point; later areas lie on top. -1 when none.
int FindTooltipAt(const std::vector<tagGraphToolTip>& tips, int x, int y);

// One clickable legend entry. Colours are ARGB; 0 draws nothing.
struct CHanreiObj {
    static constexpr int kUnplaced = -9999;

    GraphRect frame{kUnplaced, kUnplaced, kUnplaced, kUnplaced};
    GraphRect checkBox{kUnplaced, kUnplaced, kUnplaced, kUnplaced};
    bool visible = true;
    std::string label;
    GraphPoint labelPos;

    bool hasSample = false;
    GraphPoint sampleStart;
    GraphPoint sampleEnd;
    std::uint32_t sampleArgb = 0;
    int sampleWidth = 1; // in pen widths of the output scale

    MarkerKind marker = MarkerKind::None;
    std::uint32_t markerArgb = 0;
    bool tenDayMarker = false;
    GraphPoint markerPos;
};

// Places an entry whose row starts at (x0, y0): a 12 x 12 box, a 28-long sample
// line 4 to the right of the box at its mid-height, the marker at the line's middle,
// the text 1 pixel after the line. The click frame reaches 6 pixels per character
// beyond the line; at print scale the entry is not clickable.
void LayoutLegendEntry(CHanreiObj& entry, int x0, int y0, int scale);

// One value axis of a graph. The pixel heights are measured from the plot top;
// `range` is negative for an axis drawn downwards (precipitation).
struct AxisRecord {
    double minimum = 0.0;
    double maximum = 0.0; // largest label
    double range = 0.0;   // signed extent drawn from the base
    int basePx = 0;       // height of the minimum below the plot top
    int lengthPx = 0;     // pixels of the full range
    double minorStep = 0.0;
    double majorStep = 0.0;
    int axisX = 0;     // x of the axis line
    int rightSide = 0; // ticks and labels to the right of the axis
    bool decimalLabels = false;
    bool gridAtLastMajor = false;
    std::string name;
    std::string unit;
    int nameDx = 0, nameDy = 0, unitDx = 0, unitDy = 0;

    int ValueToY(double value, int plotTop) const;
    // y of the axis' upper end, where its titles hang.
    int UpperEndY(int plotTop) const;
};

// The axes of the hourly graphs, in the order of the series they serve (element - 1);
// the slope graphs use Slope.
enum class AxisIndex {
    Global,
    Direct,
    Diffuse,
    Sunshine,
    Temperature,
    Slope,
    Spare,
    Precipitation,
    Snow,
};
inline constexpr int kAxisCount = 9;

struct AxisRecords {
    std::array<AxisRecord, kAxisCount> records{};

    AxisRecord& operator[](AxisIndex axis) { return records[static_cast<std::size_t>(axis)]; }
    const AxisRecord& operator[](AxisIndex axis) const {
        return records[static_cast<std::size_t>(axis)];
    }
};

// The horizontal series' axes of the hour graphs (day, 10 days) and of the month
// graph; the slope axis is left as it was.
void SetupHourlyAxes(AxisRecords& axes, const GraphRect& graph, const GraphRect& plot, int scale);
void SetupDailyAxes(AxisRecords& axes, const GraphRect& graph, const GraphRect& plot, int scale);
// The slope axis of the hour graphs (0..4 MJ/m2) and of the month graph (0..40).
AxisRecord SlopeHourlyAxis(const GraphRect& plot, int scale);
AxisRecord SlopeDailyAxis(const GraphRect& plot, int scale);

struct TextExtent {
    int width = 0;
    int height = 0;
};

struct GraphLayout {
    GraphRect graph; // the whole area: (0, 0, width, height)
    GraphRect plot;
    int scale = 1;
    DataKind dataKind = DataKind::Horizontal; // the wind legend button needs horizontal data
    NavButtons nav = NavButtons::Days;
    std::vector<CHanreiObj> legend;
    GraphRect toggle;
    GraphRect windButton;
    GraphRect previous;
    GraphRect next;
    std::vector<tagGraphToolTip> tooltips;
};

GraphLayout MakeGraphLayout(int width, int height, int scale);

// Hover areas over the legend entries, on top of the graph's own: entry i's click
// frame with texts[i]. Entries without a text or a frame (paper) get none.
void AddLegendTips(GraphLayout& layout, const std::vector<std::string>& texts);
// A count of tenths (decimals 1) or hundredths (2) written exactly: (1972, 2) is
// "19.72", (-5, 1) "-0.5".
std::string DecimalText(long long units, int decimals);

// What a graph is composed for: its frame in pixels, and the extent of the wind
// legend button's text as the output device measures it.
struct GraphFrame {
    int width = 0;
    int height = 0;
    TextExtent windButtonText;
};

// The legend entries the user has hidden, by index; entries beyond its end are shown.
using LegendHidden = std::vector<bool>;
void ApplyHidden(std::vector<CHanreiObj>& legend, const LegendHidden& hidden);
LegendHidden HiddenEntries(const std::vector<CHanreiObj>& legend);
// The hidden entries after a click on `hit` in a legend of `entryCount` entries: an
// entry flips; the toggle shows every entry while any is hidden, else hides them all.
LegendHidden ToggleHidden(LegendHidden hidden, std::size_t entryCount, GraphHit hit);

// The navigation buttons' places, whether or not they can be pressed.
GraphRect PreviousButtonSlot(const GraphRect& graph);
GraphRect NextButtonSlot(const GraphRect& graph);
// Sets the buttons' rectangles for `layout.nav`: empty while disabled.
void PlaceNavButtons(GraphLayout& layout);
// "前の日"/"次の日", or "前の月"/"次の月" with month steps; empty unless hovered is 0
// (previous) or 1 (next).
std::string NavLabel(int hovered, NavButtons nav);
// The label box above a hovered button for a label of the given extent; empty when
// that button is not placed.
GraphRect NavLabelBox(const GraphLayout& layout, int hovered, TextExtent label);

inline constexpr std::string_view kWindLegendButtonText = "風向・風速の凡例を表示";

// The all-on/all-off toggle at the bottom right.
GraphRect LegendToggleSlot(const GraphRect& graph);
// The toggle, and the wind legend button left of the next-button slot above the
// legend box, sized for its text.
void PlaceLegendButtons(GraphLayout& layout, TextExtent windText);

// Hit order: toggle, wind legend (horizontal data only), previous, next, then the
// legend entries from the last; left and top edges inclusive.
GraphHit HitTest(const GraphLayout& layout, int x, int y);

bool AnyLegendEntryHidden(const std::vector<CHanreiObj>& legend);
// "すべてON" while an entry is hidden, else "すべてOFF".
std::string LegendToggleText(const std::vector<CHanreiObj>& legend);

// Characters of a label as the legend counts them (UTF-16 code units).
int LabelLength(std::string_view utf8);

} // namespace quorvane

#include "graph/graph_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorvane {

// Markers

MarkerKind HorizontalMarkerKind(int seriesIndex) {
    static constexpr std::array<MarkerKind, kHorizontalMarkerKinds> kKinds = {
        MarkerKind::Circle,  MarkerKind::Disc,       MarkerKind::Cross,
        MarkerKind::WideBar, MarkerKind::TriangleUp, MarkerKind::WindBarb,
        MarkerKind::None,    MarkerKind::WideBar,    MarkerKind::WideBar};
    if (seriesIndex < 0 || seriesIndex >= kHorizontalMarkerKinds) {
        return MarkerKind::None;
    }
    return kKinds[static_cast<std::size_t>(seriesIndex)];
}

namespace {

// Slope series and monthly orientations share their shapes but for two.
constexpr std::array<MarkerKind, kSlopeMarkerKinds> kSlopeKinds = {
    MarkerKind::Circle,        MarkerKind::Disc,         MarkerKind::SmallCross,
    MarkerKind::TriangleUp,    MarkerKind::TriangleDown, MarkerKind::FilledTriangleDown,
    MarkerKind::Square,        MarkerKind::FilledSquare, MarkerKind::Diamond,
    MarkerKind::FilledDiamond, MarkerKind::GapCross,     MarkerKind::Star,
    MarkerKind::Spectacles,    MarkerKind::MediumCross};

} // namespace

MarkerKind SlopeMarkerKind(int series) {
    if (series < 0 || series >= kSlopeMarkerKinds) {
        return MarkerKind::None;
    }
    return kSlopeKinds[static_cast<std::size_t>(series)];
}

MarkerKind MonthlyMarkerKind(int series) {
    switch (series) {
    case 2:
        return MarkerKind::MediumCross;
    case 10:
        return MarkerKind::TwinBars;
    case kMonthlyAverageMarker:
        return MarkerKind::Disc;
    case kMonthlyMaximumMarker:
    case kMonthlyMinimumMarker:
        return MarkerKind::FlatBar;
    default:
        return series >= 0 && series <= 12 ? SlopeMarkerKind(series) : MarkerKind::None;
    }
}

// Hits

int GraphHit::Code() const {
    switch (kind) {
    case HitKind::LegendEntry:
        return legendIndex;
    case HitKind::LegendToggle:
        return kHitLegendToggle;
    case HitKind::WindLegend:
        return kHitWindLegend;
    case HitKind::Previous:
        return kHitPrevious;
    case HitKind::Next:
        return kHitNext;
    case HitKind::Nothing:
        break;
    }
    return kHitNothing;
}

GraphHit GraphHit::FromCode(int code) {
    switch (code) {
    case kHitLegendToggle:
        return {HitKind::LegendToggle};
    case kHitWindLegend:
        return {HitKind::WindLegend};
    case kHitPrevious:
        return {HitKind::Previous};
    case kHitNext:
        return {HitKind::Next};
    default:
        return code >= 0 ? GraphHit{HitKind::LegendEntry, code} : GraphHit{};
    }
}

// Tooltips and legend

tagGraphToolTip PointTooltip(int x, int y, std::string text, int kind) {
    return {x - 5, y - 5, x + 5, y + 5, std::move(text), kind};
}

int FindTooltipAt(const std::vector<tagGraphToolTip>& tips, int x, int y) {
    for (int i = static_cast<int>(tips.size()) - 1; i >= 0; --i) {
        if (tips[static_cast<std::size_t>(i)].Rect().Contains(x, y)) {
            return i;
        }
    }
    return -1;
}

int LabelLength(std::string_view utf8) {
    int units = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) {
            units += c >= 0xF0 ? 2 : 1; // four-byte sequences are surrogate pairs
        }
    }
    return units;
}

void LayoutLegendEntry(CHanreiObj& entry, int x0, int y0, int s) {
    entry.checkBox = {x0, y0, x0 + 12 * s, y0 + 12 * s};
    entry.sampleStart = {x0 + 16 * s, y0 + 6 * s};
    entry.sampleEnd = {x0 + 44 * s, y0 + 6 * s};
    entry.markerPos = {x0 + 30 * s, y0 + 6 * s};
    entry.labelPos = {entry.sampleEnd.x + 1, y0};
    if (s >= 2) {
        entry.frame = {};
    } else {
        entry.frame = {x0 - 2, y0 - 3, entry.labelPos.x + 6 * LabelLength(entry.label),
                       y0 + 12 * s + 3};
    }
}

void AddLegendTips(GraphLayout& layout, const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < layout.legend.size() && i < texts.size(); ++i) {
        const GraphRect& frame = layout.legend[i].frame;
        if (!texts[i].empty() && frame.left != CHanreiObj::kUnplaced && !frame.IsEmpty()) {
            layout.tooltips.push_back({frame.left, frame.top, frame.right, frame.bottom, texts[i]});
        }
    }
}

std::string DecimalText(long long units, int decimals) {
    const long long scale = decimals == 2 ? 100 : 10;
    const long long magnitude = units < 0 ? -units : units;
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld.%0*lld", units < 0 ? "-" : "", magnitude / scale,
                  decimals, magnitude % scale);
    return text;
}

bool AnyLegendEntryHidden(const std::vector<CHanreiObj>& legend) {
    return std::any_of(legend.begin(), legend.end(),
                       [](const CHanreiObj& entry) { return !entry.visible; });
}

void ApplyHidden(std::vector<CHanreiObj>& legend, const LegendHidden& hidden) {
    for (std::size_t i = 0; i < legend.size() && i < hidden.size(); ++i) {
        legend[i].visible = !hidden[i];
    }
}

LegendHidden HiddenEntries(const std::vector<CHanreiObj>& legend) {
    LegendHidden hidden;
    for (const CHanreiObj& entry : legend) {
        hidden.push_back(!entry.visible);
    }
    return hidden;
}

LegendHidden ToggleHidden(LegendHidden hidden, std::size_t entryCount, GraphHit hit) {
    hidden.resize(entryCount, false);
    if (hit.kind == HitKind::LegendToggle) {
        const bool anyHidden = std::find(hidden.begin(), hidden.end(), true) != hidden.end();
        std::fill(hidden.begin(), hidden.end(), !anyHidden);
    } else if (hit.kind == HitKind::LegendEntry && hit.legendIndex >= 0 &&
               static_cast<std::size_t>(hit.legendIndex) < entryCount) {
        const auto i = static_cast<std::size_t>(hit.legendIndex);
        hidden[i] = !hidden[i];
    }
    return hidden;
}

std::string LegendToggleText(const std::vector<CHanreiObj>& legend) {
    return AnyLegendEntryHidden(legend) ? "すべてON" : "すべてOFF";
}

// Axes

int AxisRecord::ValueToY(double value, int plotTop) const {
    if (range == 0.0) {
        return plotTop + basePx;
    }
    // Rounded the same way on an axis drawn downwards as on one drawn upwards.
    return plotTop + basePx -
           static_cast<int>(std::floor((value - minimum) / range * lengthPx + 0.5));
}

int AxisRecord::UpperEndY(int plotTop) const {
    return range < 0.0 ? plotTop + basePx : plotTop + basePx - lengthPx;
}

namespace {

AxisRecord MakeAxis(double minimum, double maximum, double range, double minor, double major,
                    std::string name, std::string unit, int scale) {
    AxisRecord axis;
    axis.minimum = minimum;
    axis.maximum = maximum;
    axis.range = range;
    axis.minorStep = minor;
    axis.majorStep = major;
    axis.name = std::move(name);
    axis.unit = std::move(unit);
    // The two titles stand just above the top tick's label, which rises 4 pixels
    // above its tick.
    axis.nameDx = 2 * scale;
    axis.nameDy = -28 * scale;
    axis.unitDx = 4 * scale;
    axis.unitDy = -16 * scale;
    return axis;
}

struct AxisScales {
    double irradianceMax, irradianceMinor, irradianceMajor;
    double sunshineMax, sunshineStep;
    double precipitationMax, precipitationMinor, precipitationMajor;
};

constexpr AxisScales kHourlyScales{3.5, 0.1, 0.5, 1.0, 0.5, 80, 5, 10};
constexpr AxisScales kDailyScales{35, 1, 5, 15, 7.5, 300, 20, 100};

void SetupHorizontalAxes(AxisRecords& axes, const AxisScales& sc, const GraphRect& graph,
                         const GraphRect& plot, int s) {
    const int plotHeight = plot.Height();
    for (const AxisIndex index : {AxisIndex::Global, AxisIndex::Direct, AxisIndex::Diffuse}) {
        AxisRecord& a = axes[index];
        a = MakeAxis(0, sc.irradianceMax, sc.irradianceMax, sc.irradianceMinor, sc.irradianceMajor,
                     "日射量", "(MJ/㎡)", s);
        a.axisX = plot.left - 1;
        a.basePx = plotHeight;
        a.lengthPx = plotHeight - 120 * s;
        a.decimalLabels = true;
    }
    AxisRecord& sunshine = axes[AxisIndex::Sunshine];
    sunshine = MakeAxis(0, sc.sunshineMax, sc.sunshineMax, sc.sunshineStep, sc.sunshineStep,
                        "日照時間", "", s);
    sunshine.axisX = plot.left - 1;
    sunshine.basePx = 80 * s;
    sunshine.lengthPx = 80 * s - 1;
    sunshine.decimalLabels = true;

    AxisRecord& temperature = axes[AxisIndex::Temperature];
    temperature = MakeAxis(-30, 40, 70, 1, 5, "気温", "(℃)", s);
    temperature.axisX = graph.left + 30 * s;
    temperature.basePx = plotHeight;
    temperature.lengthPx = plotHeight - 80 * s;

    axes[AxisIndex::Spare] = AxisRecord{};

    AxisRecord& precipitation = axes[AxisIndex::Precipitation];
    precipitation = MakeAxis(0, sc.precipitationMax, -sc.precipitationMax, sc.precipitationMinor,
                             sc.precipitationMajor, "降水量", "(mm)", s);
    precipitation.axisX = plot.right + 1;
    precipitation.rightSide = 1;
    precipitation.basePx = 80 * s;
    precipitation.lengthPx = 120 * s;

    AxisRecord& snow = axes[AxisIndex::Snow];
    snow = MakeAxis(0, 120, 120, 10, 50, "積雪深", "(cm)", s);
    snow.axisX = plot.right + 1;
    snow.rightSide = 1;
    snow.basePx = plotHeight - 1;
    snow.lengthPx = 100 * s;
    snow.gridAtLastMajor = true;
}

AxisRecord SlopeAxis(double maximum, double minor, double major, const GraphRect& plot, int s) {
    AxisRecord axis = MakeAxis(0, maximum, maximum, minor, major, "日射量", "(MJ/㎡)", s);
    axis.axisX = plot.left - 1;
    axis.basePx = plot.Height();
    axis.lengthPx = plot.Height();
    axis.decimalLabels = true;
    return axis;
}

} // namespace

void SetupHourlyAxes(AxisRecords& axes, const GraphRect& graph, const GraphRect& plot, int scale) {
    SetupHorizontalAxes(axes, kHourlyScales, graph, plot, scale);
}

void SetupDailyAxes(AxisRecords& axes, const GraphRect& graph, const GraphRect& plot, int scale) {
    SetupHorizontalAxes(axes, kDailyScales, graph, plot, scale);
}

AxisRecord SlopeHourlyAxis(const GraphRect& plot, int scale) {
    return SlopeAxis(4.0, 0.1, 0.5, plot, scale);
}

AxisRecord SlopeDailyAxis(const GraphRect& plot, int scale) {
    return SlopeAxis(40, 1, 5, plot, scale);
}

// Buttons

GraphLayout MakeGraphLayout(int width, int height, int scale) {
    GraphLayout layout;
    layout.graph = {0, 0, width, height};
    layout.plot = layout.graph;
    layout.scale = std::max(1, scale);
    return layout;
}

GraphRect PreviousButtonSlot(const GraphRect& graph) {
    return {34, graph.bottom - 102, 65, graph.bottom - 71};
}

GraphRect NextButtonSlot(const GraphRect& graph) {
    return {graph.right - 35, graph.bottom - 102, graph.right - 4, graph.bottom - 71};
}

void PlaceNavButtons(GraphLayout& layout) {
    if (layout.nav == NavButtons::Disabled) {
        layout.previous = {};
        layout.next = {};
        return;
    }
    layout.previous = PreviousButtonSlot(layout.graph);
    layout.next = NextButtonSlot(layout.graph);
}

std::string NavLabel(int hovered, NavButtons nav) {
    if (hovered != 0 && hovered != 1) {
        return {};
    }
    if (nav == NavButtons::Months) {
        return hovered == 0 ? "前の月" : "次の月";
    }
    return hovered == 0 ? "前の日" : "次の日";
}

GraphRect NavLabelBox(const GraphLayout& layout, int hovered, TextExtent label) {
    const GraphRect& button = hovered == 0 ? layout.previous : layout.next;
    if ((hovered != 0 && hovered != 1) || button.IsEmpty()) {
        return {};
    }
    const int width = label.width + 4;
    const int height = label.height + 4;
    const int centreX = (button.left + button.right) / 2;
    const int centreY = (button.top + button.bottom) / 2;
    const int left = centreX - width / 2 - 8;
    const int top = centreY - 32;
    return {left, top, left + width, top + height};
}

GraphRect LegendToggleSlot(const GraphRect& g) {
    return {g.right - 76, g.bottom - 50, g.right - 20, g.bottom - 35};
}

void PlaceLegendButtons(GraphLayout& layout, TextExtent windText) {
    const GraphRect& g = layout.graph;
    layout.toggle = LegendToggleSlot(g);
    const int right = NextButtonSlot(g).left - 10;
    layout.windButton = {right - (windText.width + 4), g.bottom - 78, right,
                         g.bottom - 78 + windText.height + 4};
}

GraphHit HitTest(const GraphLayout& layout, int x, int y) {
    if (layout.toggle.Contains(x, y)) {
        return {HitKind::LegendToggle};
    }
    // The wind legend button is shown only with horizontal data.
    if (layout.dataKind == DataKind::Horizontal && layout.windButton.Contains(x, y)) {
        return {HitKind::WindLegend};
    }
    if (layout.previous.Contains(x, y)) {
        return {HitKind::Previous};
    }
    if (layout.next.Contains(x, y)) {
        return {HitKind::Next};
    }
    for (int i = static_cast<int>(layout.legend.size()) - 1; i >= 0; --i) {
        if (layout.legend[static_cast<std::size_t>(i)].frame.Contains(x, y)) {
            return {HitKind::LegendEntry, i};
        }
    }
    return {};
}

} // namespace quorvane

#include "monthly/monthly_graph.h"
#include "data/cpu_state.h"

#include "graph/graph_palette.h"
#include "monthly/monthly_lookup.h"
#include "solar/calendar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quorvane {

namespace {

constexpr int kCategories = 17;
constexpr int kTilts = 10;

std::string Format(const char* format, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

int Round(double value) {
    return static_cast<int>(std::floor(value + 0.5));
}

int ValueY(const GraphRect& plot, double value, double range) {
    if (range == 0.0) {
        return plot.bottom;
    }
    return plot.bottom - Round((plot.bottom - plot.top) * value / range);
}

// A row's year in hundredths of kWh/m2: each month's mean daily value times the
// days of its month, exact from the stored hundredths.
long long AnnualHundredths(const MonthlyRow& row) {
    long long total = 0;
    for (int m = 0; m < 12; ++m) {
        total += static_cast<long long>(row[static_cast<std::size_t>(m)]) * kDaysPerMonth[m];
    }
    return total;
}

std::string AnnualSumText(const MonthlyRow& row) {
    return "年間合計 " + DecimalText(AnnualHundredths(row), 2) + " kWh/㎡";
}

// The chart by month has no year: its curve runs over the tilts of one month. Its
// entry tells that month's total at the tilt that gives the most.
std::string MonthTotalText(const MonthlyRecord& record, int azimuthIndex, int month) {
    const auto column = static_cast<std::size_t>(month - 1);
    int bestTilt = 0;
    for (int d = 1; d < kTilts; ++d) {
        if (SlopeRow(record, azimuthIndex, d)[column] >
            SlopeRow(record, azimuthIndex, bestTilt)[column]) {
            bestTilt = d;
        }
    }
    const long long hundredths =
        static_cast<long long>(SlopeRow(record, azimuthIndex, bestTilt)[column]) *
        kDaysPerMonth[month - 1];
    return Format("%d月の合計 最大 %s kWh/㎡（傾斜角%d°）", month,
                  DecimalText(hundredths, 2).c_str(), bestTilt * 10);
}

bool Visible(const std::vector<CHanreiObj>& legend, int index) {
    return index >= 0 && index < static_cast<int>(legend.size()) &&
           legend[static_cast<std::size_t>(index)].visible != 0;
}

int AzimuthMagnitude(int azimuthDeg) {
    return std::abs(azimuthDeg);
}

// The orientation chart's series: (azimuth index, tilt index) per series.
std::vector<MonthlyOrientation> OrientationSeries(const MonthlyGraphInput& in) {
    std::vector<MonthlyOrientation> series;
    const MonthlyOrientation at = OrientationIndices(in.tiltDeg, in.azimuthDeg);
    switch (in.angleMode) {
    case MonthlyAngleMode::FixedTilt:
        if (at.tiltIndex == 0) {
            series.push_back({0, 0}); // horizontal: one curve
        } else {
            for (int j = 0; j < kMonthlyAzimuthCount; ++j) {
                series.push_back({j, at.tiltIndex});
            }
        }
        break;
    case MonthlyAngleMode::FixedAzimuth:
        for (int j = 0; j < 9; ++j) {
            series.push_back({at.azimuthIndex, j + 1});
        }
        break;
    default:
        series.push_back(at);
        break;
    }
    return series;
}

std::string TitleOf(const MonthlyGraphInput& in) {
    switch (ChartOf(in)) {
    case MonthlyChart::ByMonth:
        return Format("月別の日射量グラフ　%2d月", in.month);
    case MonthlyChart::Variation:
        return "年変動グラフ";
    default:
        break;
    }
    switch (in.angleMode) {
    case MonthlyAngleMode::FixedTilt:
        return in.tiltDeg == 0 ? "水平面日射量グラフ"
                               : Format("斜面日射量グラフ 傾斜角%2d度", in.tiltDeg);
    case MonthlyAngleMode::FixedAzimuth:
        return Format("斜面日射量グラフ 方位角%3d度", AzimuthMagnitude(in.azimuthDeg));
    case MonthlyAngleMode::Orientation:
        return Format("斜面日射量グラフ 傾斜角%2d度 方位角%3d度", in.tiltDeg,
                      AzimuthMagnitude(in.azimuthDeg));
    case MonthlyAngleMode::OptimumTilt:
        return "最適傾斜角グラフ";
    case MonthlyAngleMode::MonthlyOptimum:
        return "最適傾斜角における日射量グラフ";
    case MonthlyAngleMode::AnnualOptimum:
        return "年間最適傾斜角における日射量グラフ";
    }
    return {};
}

void AddSiteBlock(MonthlyScene& scene, const MonthlyGraphInput& in) {
    if (!in.siteFound) {
        return;
    }
    const int s = scene.scale;
    const int x = scene.graph.right - 154 * s;
    const int y = scene.plot.top - 48 * s;
    const SiteHeaderFields fields =
        in.record != nullptr ? ReadSiteHeaderFields(in.record->header) : SiteHeaderFields{};
    scene.info.push_back({{x, y}, "地点名：" + in.siteName});
    scene.info.push_back(
        {{x, y + 12 * s},
         Format("緯度： %4s°%4s′N", fields.latitudeDeg.c_str(), fields.latitudeMin.c_str())});
    scene.info.push_back(
        {{x, y + 24 * s},
         Format("経度： %4s°%4s′E", fields.longitudeDeg.c_str(), fields.longitudeMin.c_str())});
    scene.info.push_back({{x, y + 36 * s}, Format("標高： %4sm", fields.elevationM.c_str())});
}

void AddCategoryAxis(MonthlyScene& scene) {
    const int s = scene.scale;
    const GraphRect& plot = scene.plot;
    static constexpr const char* kSeasons[] = {"平均", "冬", "春", "夏", "秋"};
    for (int k = 0; k < kCategories; ++k) {
        const int x = CategoryX(plot, k, kCategories);
        scene.xTicks.push_back({{x, plot.bottom + 3 * s}, {x, plot.bottom - 3 * s}});
        const std::string label = k < 12 ? Format("%2d月", k + 1) : kSeasons[k - 12];
        scene.xLabels.push_back({{x, plot.bottom + 6 * s}, label, TextAnchor::TopCentre});
    }
    scene.xLabels.push_back({{plot.right - 16 * s, plot.bottom + 4 * s}, "(月・季)"});
}

// A line over the 17 categories with the joining rule; tooltips and, when asked,
// value labels at every point.
void AddCategoryLine(MonthlyScene& scene, int style, int marker, bool average,
                     const std::vector<double>& values, const char* tipFormat,
                     const char* labelFormat) {
    MonthlyLine line;
    line.style = style;
    line.marker = marker;
    line.average = average;
    const int s = scene.scale;
    for (int k = 0; k < kCategories; ++k) {
        const double v = values[static_cast<std::size_t>(k)];
        const GraphPoint p{CategoryX(scene.plot, k, kCategories),
                           ValueY(scene.plot, v, scene.valueRange)};
        line.points.push_back(p);
        line.joined.push_back(CategoryJoined(k));
        scene.tooltips.push_back(PointTooltip(p.x, p.y, Format(tipFormat, v)));
        if (labelFormat != nullptr) {
            scene.pointLabels.push_back({{p.x - 10 * s, p.y - 15 * s}, Format(labelFormat, v)});
        }
    }
    scene.lines.push_back(std::move(line));
}

void AddByMonth(MonthlyScene& scene, const MonthlyGraphInput& in,
                const std::vector<CHanreiObj>& legend) {
    const int s = scene.scale;
    const GraphRect& plot = scene.plot;
    for (int d = 0; d < kTilts; ++d) {
        const int x = TiltX(plot, d, 9);
        scene.xTicks.push_back({{x, plot.bottom + 3 * s}, {x, plot.bottom - 3 * s}});
        scene.xLabels.push_back(
            {{x + 4 * s, plot.bottom + 6 * s}, Format("%d°", d * 10), TextAnchor::TopCentre});
    }
    scene.xLabels.push_back({{plot.right - 16 * s, plot.bottom + 4 * s}, "(傾斜角)"});
    const int column = std::clamp(in.month, 1, 12) - 1;
    for (int c = 0; c < kMonthlyAzimuthCount; ++c) {
        scene.legendTotals.push_back(MonthTotalText(*in.record, c, column + 1));
    }
    for (int c = kMonthlyAzimuthCount - 1; c >= 0; --c) {
        if (!Visible(legend, c)) {
            continue;
        }
        MonthlyLine line;
        line.style = c;
        line.marker = c;
        for (int d = 0; d < kTilts; ++d) {
            const double v = SlopeValue(*in.record, c, d, column);
            const GraphPoint p{TiltX(plot, d, 9), ValueY(plot, v, scene.valueRange)};
            line.points.push_back(p);
            line.joined.push_back(d > 0);
            scene.tooltips.push_back(PointTooltip(p.x, p.y, Format("%.2fkWh/㎡", v)));
        }
        scene.lines.push_back(std::move(line));
    }
}

void AddByOrientation(MonthlyScene& scene, const MonthlyGraphInput& in,
                      const std::vector<CHanreiObj>& legend) {
    AddCategoryAxis(scene);
    const std::vector<MonthlyOrientation> series = OrientationSeries(in);
    const bool single = series.size() == 1;
    for (const MonthlyOrientation& plane : series) {
        scene.legendTotals.push_back(
            AnnualSumText(SlopeRow(*in.record, plane.azimuthIndex, plane.tiltIndex)));
    }
    for (int j = 0; j < static_cast<int>(series.size()); ++j) {
        if (!Visible(legend, j)) {
            continue;
        }
        std::vector<double> values;
        for (int k = 0; k < kCategories; ++k) {
            values.push_back(SlopeValue(*in.record,
                                        series[static_cast<std::size_t>(j)].azimuthIndex,
                                        series[static_cast<std::size_t>(j)].tiltIndex, k));
        }
        AddCategoryLine(scene, j, j, false, values, "%.2fkWh/㎡", single ? "%.2f" : nullptr);
    }
}

void AddOptimum(MonthlyScene& scene, const MonthlyGraphInput& in,
                const std::vector<CHanreiObj>& legend) {
    const bool tilt = in.angleMode == MonthlyAngleMode::OptimumTilt;
    if (tilt) {
        scene.valueRange = 90;
        scene.minorStep = 2;
        scene.majorStep = 10;
        scene.valueCaption = "最適傾斜角(°)";
    }
    AddCategoryAxis(scene);
    const MonthlyRecord& record = *in.record;
    const auto& table = record.optimumTable;
    const MonthlyRow& annualOptimum =
        table[static_cast<std::size_t>(DerivedRow::IrradiationAtAnnualOptimum)];
    if (tilt) {
        const int annualTilt =
            table[static_cast<std::size_t>(DerivedRow::OptimumTilt)][kYearColumn];
        scene.legendTotals = {Format("年間最適傾斜角 %.1f°（", MonthlyDisplayValue(annualTilt)) +
                              AnnualSumText(annualOptimum) + "）"};
    } else {
        scene.legendTotals = {AnnualSumText(
            in.angleMode == MonthlyAngleMode::MonthlyOptimum
                ? table[static_cast<std::size_t>(DerivedRow::IrradiationAtMonthlyOptimum)]
                : annualOptimum)};
    }
    if (!Visible(legend, 0)) {
        return;
    }
    const DerivedRow row = tilt ? DerivedRow::OptimumTilt
                                : (in.angleMode == MonthlyAngleMode::MonthlyOptimum
                                       ? DerivedRow::IrradiationAtMonthlyOptimum
                                       : DerivedRow::IrradiationAtAnnualOptimum);
    std::vector<double> values;
    for (int k = 0; k < kCategories; ++k) {
        values.push_back(DerivedRowValue(*in.record, row, k));
    }
    const int style = tilt ? 1 : 0;
    AddCategoryLine(scene, style, style, false, values, tilt ? "%.1f°" : "%.2fkWh/㎡",
                    tilt ? "%.1f" : "%.2f");
}

void AddVariation(MonthlyScene& scene, const MonthlyGraphInput& in,
                  const std::vector<CHanreiObj>& legend) {
    AddCategoryAxis(scene);
    for (const MonthlyRow& row : in.record->variation) {
        scene.legendTotals.push_back(AnnualSumText(row)); // average, maximum, minimum
    }
    const int s = scene.scale;
    const GraphRect& plot = scene.plot;
    std::vector<double> averages;
    for (int k = 0; k < kCategories; ++k) {
        const VariationValues v = VariationAt(*in.record, k);
        averages.push_back(v.average);
        const int x = CategoryX(plot, k, kCategories);
        const int ya = ValueY(plot, v.average, scene.valueRange);
        if (Visible(legend, 1)) {
            const int yM = ValueY(plot, v.maximum, scene.valueRange);
            scene.bars.push_back({true,
                                  {x - 4 * s, yM, x + 4 * s, ya - 8 * s - 1},
                                  {x - 4 * s, yM, x + 4 * s, ya - 8 * s}});
            scene.tooltips.push_back(PointTooltip(x, yM, Format("%.2fkWh/㎡", v.maximum)));
        }
        if (Visible(legend, 2)) {
            const int yn = ValueY(plot, v.minimum, scene.valueRange);
            scene.bars.push_back({false,
                                  {x - 4 * s, ya + 8 * s + 1, x + 4 * s, yn},
                                  {x - 4 * s, ya + 8 * s, x + 4 * s, yn}});
            scene.tooltips.push_back(PointTooltip(x, yn, Format("%.2fkWh/㎡", v.minimum)));
        }
    }
    if (Visible(legend, 0)) {
        // The average's tooltips follow each category's maximum and minimum.
        const std::size_t before = scene.tooltips.size();
        AddCategoryLine(scene, 0, kMonthlyAverageMarker, true, averages, "%.2fkWh/㎡", nullptr);
        std::vector<tagGraphToolTip> ordered(scene.tooltips.begin(),
                                             scene.tooltips.begin() + static_cast<long>(before));
        std::vector<tagGraphToolTip> averageTips(scene.tooltips.begin() + static_cast<long>(before),
                                                 scene.tooltips.end());
        const int perCategory = (Visible(legend, 1) ? 1 : 0) + (Visible(legend, 2) ? 1 : 0);
        scene.tooltips.clear();
        for (int k = 0; k < kCategories; ++k) {
            for (int i = 0; i < perCategory; ++i) {
                scene.tooltips.push_back(ordered[static_cast<std::size_t>(k * perCategory + i)]);
            }
            scene.tooltips.push_back(averageTips[static_cast<std::size_t>(k)]);
        }
    }
}

struct LegendPlan {
    std::vector<std::string> labels;
    int pitch = 90;
    int firstRow = 46;
    int wrapAfter = 0; // 0: one row
};

LegendPlan PlanLegend(const MonthlyGraphInput& in) {
    LegendPlan plan;
    const MonthlyChart chart = ChartOf(in);
    if (chart == MonthlyChart::Variation) {
        return {{"平均値", "最大値", "最小値"}, 120, 38, 0};
    }
    if (chart == MonthlyChart::ByMonth || in.angleMode == MonthlyAngleMode::FixedTilt) {
        for (int j = 0; j < kMonthlyAzimuthCount; ++j) {
            plan.labels.push_back(Format("%d度", j * 15));
        }
        plan.wrapAfter = 7;
        return plan;
    }
    switch (in.angleMode) {
    case MonthlyAngleMode::FixedAzimuth:
        for (int j = 1; j <= 9; ++j) {
            plan.labels.push_back(Format("%d度", j * 10));
        }
        return {plan.labels, 110, 46, 5};
    case MonthlyAngleMode::Orientation:
        return {{Format("傾斜角%d度 方位角%d度", in.tiltDeg, AzimuthMagnitude(in.azimuthDeg))},
                220,
                38,
                0};
    case MonthlyAngleMode::OptimumTilt:
        return {{"最適傾斜角"}, 220, 38, 0};
    case MonthlyAngleMode::MonthlyOptimum:
        return {{"最適傾斜角における日射量"}, 220, 38, 0};
    default:
        return {{"年間最適傾斜角における日射量"}, 220, 38, 0};
    }
}

} // namespace

MonthlyChart ChartOf(const MonthlyGraphInput& in) {
    switch (in.display) {
    case MonthlyDisplay::Month:
        return MonthlyChart::ByMonth;
    case MonthlyDisplay::Variation:
        return MonthlyChart::Variation;
    case MonthlyDisplay::Orientation:
        break;
    }
    return ToIndex(in.angleMode) >= ToIndex(MonthlyAngleMode::OptimumTilt)
               ? MonthlyChart::Optimum
               : MonthlyChart::ByOrientation;
}

int CategoryX(const GraphRect& plot, int a, int n) {
    const double w = plot.right - plot.left - 1;
    return plot.left + 1 + Round(w * a / n) + static_cast<int>(w / (2.0 * n));
}

int TiltX(const GraphRect& plot, int a, int n) {
    return plot.left +
           static_cast<int>(a * static_cast<double>(plot.right - plot.left) / (n + 0.5));
}

bool CategoryJoined(int k) {
    return (k >= 1 && k <= 11) || (k >= 14 && k <= 16);
}

std::vector<CHanreiObj> BuildMonthlyLegend(const MonthlyGraphInput& in, const GraphRect& graph) {
    const int s = std::max(1, in.scale);
    const LegendPlan plan = PlanLegend(in);
    const MonthlyChart chart = ChartOf(in);
    static constexpr std::uint32_t kVariationArgb[] = {kAverageArgb, kMaximumArgb, kMinimumArgb};
    std::vector<CHanreiObj> legend;
    for (int j = 0; j < static_cast<int>(plan.labels.size()); ++j) {
        CHanreiObj entry;
        entry.label = plan.labels[static_cast<std::size_t>(j)];
        const int row = plan.wrapAfter > 0 ? j / plan.wrapAfter : 0;
        const int column = plan.wrapAfter > 0 ? j % plan.wrapAfter : j;
        const int x0 = graph.left + 20 * s + column * plan.pitch * s;
        const int y0 = graph.bottom - (row == 0 ? plan.firstRow : 28) * s;
        LayoutLegendEntry(entry, x0, y0, s);
        if (chart == MonthlyChart::Variation) {
            static constexpr int kMarkers[] = {kMonthlyAverageMarker, kMonthlyMaximumMarker,
                                               kMonthlyMinimumMarker};
            entry.marker = MonthlyMarkerKind(kMarkers[j]);
            entry.markerArgb = kVariationArgb[j];
            entry.hasSample = j == 0;
        } else {
            const int style =
                chart == MonthlyChart::Optimum && in.angleMode == MonthlyAngleMode::OptimumTilt ? 1
                                                                                                : j;
            entry.marker = MonthlyMarkerKind(style);
            entry.markerArgb = kPalette[static_cast<std::size_t>(style)];
            entry.hasSample = true;
        }
        entry.sampleArgb = entry.markerArgb;
        legend.push_back(entry);
    }
    return legend;
}

MonthlyScene ComputeMonthlyScene(const MonthlyGraphInput& in, const GraphRect& graph,
                                 const std::vector<CHanreiObj>& legend) {
    MonthlyScene scene;
    const int s = std::max(1, in.scale);
    scene.chart = ChartOf(in);
    scene.graph = graph;
    scene.scale = s;
    scene.gradient = !in.print;
    scene.plot =
        in.print ? GraphRect{graph.left + 70 * s, graph.top + 50 * s, graph.right - 40 * s,
                             graph.bottom - 120 * s}
                 : GraphRect{graph.left + 70, graph.top + 50, graph.right - 44, graph.bottom - 120};
    scene.loaded = in.loaded && in.record != nullptr;
    scene.title = TitleOf(in);
    AddSiteBlock(scene, in);
    const bool optimumTab = scene.chart == MonthlyChart::Optimum;
    scene.legendTabWidth =
        (optimumTab && in.angleMode != MonthlyAngleMode::OptimumTilt) ? 200 * s : 120 * s;
    switch (scene.chart) {
    case MonthlyChart::Variation:
        scene.legendTab = "平均・最大・最小";
        break;
    case MonthlyChart::Optimum:
        scene.legendTab = PlanLegend(in).labels.front();
        break;
    default:
        scene.legendTab =
            scene.chart == MonthlyChart::ByMonth || in.angleMode == MonthlyAngleMode::FixedTilt
                ? "方位角"
                : (in.angleMode == MonthlyAngleMode::FixedAzimuth ? "傾斜角" : "傾斜角・方位角");
        scene.note = "方位角は真南を０°、真北を１８０°とする。";
        scene.noteAt = {graph.right - 8 * s, graph.bottom - 18 * s};
        break;
    }
    scene.toggleShown = scene.chart != MonthlyChart::Variation && legend.size() >= 2 && !in.print;
    if (!scene.loaded) {
        return scene;
    }
    switch (scene.chart) {
    case MonthlyChart::ByMonth:
        AddByMonth(scene, in, legend);
        break;
    case MonthlyChart::ByOrientation:
        AddByOrientation(scene, in, legend);
        break;
    case MonthlyChart::Optimum:
        AddOptimum(scene, in, legend);
        break;
    case MonthlyChart::Variation:
        AddVariation(scene, in, legend);
        break;
    }
    return scene;
}

MonthlyGraph ComposeMonthlyGraph(const MonthlyGraphInput& in, const GraphFrame& frame,
                                 const LegendHidden& hidden) {
    ClearUpperVectorState();
    MonthlyGraph graph;
    GraphLayout& layout = graph.layout;
    layout = MakeGraphLayout(frame.width, frame.height, in.scale);
    layout.legend = BuildMonthlyLegend(in, layout.graph);
    ApplyHidden(layout.legend, hidden);
    layout.nav = !in.print && in.display == MonthlyDisplay::Month ? NavButtons::Months
                                                                  : NavButtons::Disabled;
    PlaceNavButtons(layout);
    graph.scene = ComputeMonthlyScene(in, layout.graph, layout.legend);
    if (graph.scene.toggleShown) {
        layout.toggle = LegendToggleSlot(layout.graph);
    }
    layout.tooltips = graph.scene.tooltips;
    AddLegendTips(layout, graph.scene.legendTotals);
    return graph;
}

} // namespace quorvane

// The monthly charts' scenes: series, joining, axes, legends and tooltips on a
// record filled by hand.
#include "monthly/monthly_graph.h"
#include "monthly/monthly_lookup.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

class MonthlyGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Plane (a, t), column k holds (100 + 10 a + t + k / 100) x 100 / 100 kWh.
        for (int a = 0; a < kMonthlyAzimuthCount; ++a) {
            for (int t = 0; t < kMonthlyTiltCount; ++t) {
                for (int k = 0; k < kMonthlyColumnCount; ++k) {
                    record.planeValues[a][t][k] = 300 + 10 * a + t + k;
                }
            }
        }
        for (int k = 0; k < kMonthlyColumnCount; ++k) {
            record.optimumTable[0][k] = 3000 + 100 * k; // optimum tilt 30.0 + k
            record.optimumTable[1][k] = 450 + k;
            record.optimumTable[2][k] = 420 + k;
            record.variation[0][k] = 350;
            record.variation[1][k] = 420;
            record.variation[2][k] = 280;
        }
        input.record = &record;
        input.loaded = true;
        input.siteFound = true;
        input.siteName = "東京";
        input.month = 7;
    }
    std::vector<CHanreiObj> Legend() const { return BuildMonthlyLegend(input, graph); }
    MonthlyScene Scene() const { return ComputeMonthlyScene(input, graph, Legend()); }

    MonthlyRecord record;
    MonthlyGraphInput input;
    GraphRect graph{0, 0, 840, 560};
};

TEST_F(MonthlyGraphTest, ChartByMonthDrawsThirteenAzimuthsOverTheTilts) {
    const MonthlyScene scene = Scene();
    EXPECT_EQ(scene.chart, MonthlyChart::ByMonth);
    EXPECT_EQ(scene.title, "月別の日射量グラフ　 7月");
    EXPECT_EQ(scene.plot, (GraphRect{70, 50, 796, 440}));
    ASSERT_EQ(scene.lines.size(), 13u);
    EXPECT_EQ(scene.lines.front().style, 12) << "drawn from 180 degrees down to 0";
    EXPECT_EQ(scene.lines.front().points.size(), 10u);
    // Tilt index a sits at a / 9.5 of the plot width.
    EXPECT_EQ(scene.lines.front().points[9].x, 70 + static_cast<int>(9 * 726.0 / 9.5));
    EXPECT_EQ(scene.tooltips.front().text, "4.26kWh/㎡") << "plane (12, 0), July";
    EXPECT_EQ(scene.note, "方位角は真南を０°、真北を１８０°とする。");
    EXPECT_TRUE(scene.toggleShown);
}

TEST_F(MonthlyGraphTest, OrientationChartAtTiltZeroHasOneCurveWithValueLabels) {
    input.display = MonthlyDisplay::Orientation;
    input.tiltDeg = 0;
    MonthlyScene scene = Scene();
    EXPECT_EQ(scene.title, "水平面日射量グラフ");
    ASSERT_EQ(scene.lines.size(), 1u);
    EXPECT_EQ(scene.pointLabels.size(), 17u);
    EXPECT_EQ(scene.pointLabels[0].text, "3.00");
    input.tiltDeg = 30;
    scene = Scene();
    EXPECT_EQ(scene.lines.size(), 13u);
    EXPECT_TRUE(scene.pointLabels.empty());
    input.angleMode = MonthlyAngleMode::FixedAzimuth;
    input.azimuthDeg = -45;
    scene = Scene();
    EXPECT_EQ(scene.title, "斜面日射量グラフ 方位角 45度") << "east and west give the same data";
    EXPECT_EQ(scene.lines.size(), 9u);
    const std::vector<CHanreiObj> legend = Legend();
    ASSERT_EQ(legend.size(), 9u);
    EXPECT_EQ(legend[5].checkBox.top, graph.bottom - 28) << "second row after five";
}

TEST_F(MonthlyGraphTest, AnnualAndWinterPointsStandAlone) {
    for (int k = 0; k < 17; ++k) {
        EXPECT_EQ(CategoryJoined(k), (k >= 1 && k <= 11) || k >= 14) << k;
    }
    input.display = MonthlyDisplay::Orientation;
    input.angleMode = MonthlyAngleMode::Orientation;
    const MonthlyScene scene = Scene();
    ASSERT_EQ(scene.lines.size(), 1u);
    EXPECT_FALSE(scene.lines[0].joined[12]) << "December is not joined to the annual point";
    EXPECT_FALSE(scene.lines[0].joined[13]);
    EXPECT_EQ(scene.xLabels[12].text, "平均");
    EXPECT_EQ(scene.xLabels[13].text, "冬");
    EXPECT_FALSE(scene.toggleShown) << "no all-on/all-off button with one entry";
}

TEST_F(MonthlyGraphTest, OptimumTiltChartRunsToNinetyDegrees) {
    input.display = MonthlyDisplay::Orientation;
    input.angleMode = MonthlyAngleMode::OptimumTilt;
    const MonthlyScene scene = Scene();
    EXPECT_EQ(scene.title, "最適傾斜角グラフ");
    EXPECT_EQ(scene.valueRange, 90);
    EXPECT_EQ(scene.minorStep, 2);
    EXPECT_EQ(scene.majorStep, 10);
    EXPECT_EQ(scene.valueCaption, "最適傾斜角(°)");
    ASSERT_EQ(scene.lines.size(), 1u);
    EXPECT_EQ(scene.lines[0].style, 1);
    EXPECT_EQ(scene.pointLabels[2].text, "32.0");
    EXPECT_EQ(scene.tooltips[2].text, "32.0°");
    EXPECT_EQ(scene.legendTab, "最適傾斜角");
    input.angleMode = MonthlyAngleMode::AnnualOptimum;
    EXPECT_EQ(Scene().legendTabWidth, 200);
    EXPECT_EQ(Scene().tooltips[0].text, "4.20kWh/㎡");
}

TEST_F(MonthlyGraphTest, VariationRegistersMaximumMinimumThenAverage) {
    input.display = MonthlyDisplay::Variation;
    const MonthlyScene scene = Scene();
    EXPECT_EQ(scene.title, "年変動グラフ");
    EXPECT_FALSE(scene.toggleShown);
    ASSERT_EQ(scene.tooltips.size(), 3u * 17u);
    EXPECT_EQ(scene.tooltips[0].text, "4.20kWh/㎡");
    EXPECT_EQ(scene.tooltips[1].text, "2.80kWh/㎡");
    EXPECT_EQ(scene.tooltips[2].text, "3.50kWh/㎡");
    ASSERT_EQ(scene.bars.size(), 34u);
    EXPECT_TRUE(scene.bars[0].maximum);
    EXPECT_EQ(scene.bars[0].rect.Width(), 8);
    const int ya = scene.lines[0].points[0].y;
    EXPECT_EQ(scene.bars[0].rect.bottom, ya - 8 - 1);
    EXPECT_EQ(scene.bars[1].rect.top, ya + 8 + 1);
    EXPECT_EQ(scene.lines[0].marker, kMonthlyAverageMarker);
}

TEST_F(MonthlyGraphTest, HiddenEntriesLeaveAxesAndTitleAndNoDataLeavesNoTooltips) {
    std::vector<CHanreiObj> legend = Legend();
    for (CHanreiObj& entry : legend) {
        entry.visible = false;
    }
    MonthlyScene scene = ComputeMonthlyScene(input, graph, legend);
    EXPECT_TRUE(scene.lines.empty());
    EXPECT_EQ(scene.xTicks.size(), 10u);
    EXPECT_FALSE(scene.title.empty());
    input.loaded = false;
    scene = Scene();
    EXPECT_FALSE(scene.loaded);
    EXPECT_TRUE(scene.tooltips.empty());
    EXPECT_EQ(scene.info.size(), 4u) << "the site block stays";
    input.siteFound = false;
    EXPECT_TRUE(Scene().info.empty());
}

// The hover text over a legend entry's frame, or nothing.
std::string TipOverEntry(const MonthlyGraph& graph, std::size_t entry) {
    for (const tagGraphToolTip& tip : graph.layout.tooltips) {
        if (tip.Rect() == graph.layout.legend.at(entry).frame) {
            return tip.text;
        }
    }
    return {};
}

// Sum of mean daily kWh x days, in floating point, independently of the chart.
std::string AnnualText(const MonthlyRow& row) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    double year = 0.0;
    for (int m = 0; m < 12; ++m) {
        year += row[static_cast<std::size_t>(m)] / 100.0 * kDays[m];
    }
    char text[64];
    std::snprintf(text, sizeof text, "年間合計 %.2f kWh/㎡", year);
    return text;
}

class MonthlyLegendTotalTest : public MonthlyGraphTest {
protected:
    MonthlyGraph Compose(const LegendHidden& hidden = {}) const {
        return ComposeMonthlyGraph(input, {840, 560, {120, 12}}, hidden);
    }
};

TEST_F(MonthlyLegendTotalTest, OrientationEntriesGiveTheirYear) {
    input.display = MonthlyDisplay::Orientation;
    input.tiltDeg = 30;
    LegendHidden hidden(13, false);
    hidden[5] = true; // hidden series tell their year as well
    const MonthlyGraph graph = Compose(hidden);
    ASSERT_EQ(graph.layout.legend.size(), 13u);
    // (303 x 365 + the sum of month index x days 2017) hundredths.
    EXPECT_EQ(TipOverEntry(graph, 0), "年間合計 1126.12 kWh/㎡");
    for (std::size_t j = 0; j < 13; ++j) {
        EXPECT_EQ(TipOverEntry(graph, j), AnnualText(record.planeValues[j][3])) << j;
    }
    input.angleMode = MonthlyAngleMode::FixedAzimuth;
    input.azimuthDeg = -45;
    EXPECT_EQ(TipOverEntry(Compose(), 8), AnnualText(record.planeValues[3][9])) << "90 degrees";
}

TEST_F(MonthlyLegendTotalTest, TheChartByMonthTellsTheMonthAtItsBestTilt) {
    const MonthlyGraph graph = Compose();
    EXPECT_EQ(TipOverEntry(graph, 0), "7月の合計 最大 97.65 kWh/㎡（傾斜角90°）");
    record.planeValues[2][3][6] = 999;
    EXPECT_EQ(TipOverEntry(Compose(), 2), "7月の合計 最大 309.69 kWh/㎡（傾斜角30°）");
}

TEST_F(MonthlyLegendTotalTest, OptimumAndVariationEntries) {
    input.display = MonthlyDisplay::Orientation;
    input.angleMode = MonthlyAngleMode::OptimumTilt;
    EXPECT_EQ(TipOverEntry(Compose(), 0), "年間最適傾斜角 42.0°（年間合計 1553.17 kWh/㎡）");
    input.angleMode = MonthlyAngleMode::MonthlyOptimum;
    EXPECT_EQ(TipOverEntry(Compose(), 0), "年間合計 1662.67 kWh/㎡");
    input.angleMode = MonthlyAngleMode::AnnualOptimum;
    EXPECT_EQ(TipOverEntry(Compose(), 0), "年間合計 1553.17 kWh/㎡");
    input.display = MonthlyDisplay::Variation;
    const MonthlyGraph variation = Compose();
    EXPECT_EQ(TipOverEntry(variation, 0), "年間合計 1277.50 kWh/㎡");
    EXPECT_EQ(TipOverEntry(variation, 1), "年間合計 1533.00 kWh/㎡");
    EXPECT_EQ(TipOverEntry(variation, 2), "年間合計 1022.00 kWh/㎡");
    input.loaded = false;
    EXPECT_TRUE(Compose().layout.tooltips.empty()) << "no data, no totals";
}

} // namespace
} // namespace quorvane

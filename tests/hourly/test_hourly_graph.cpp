// The hourly graphs' scenes: positions, series order and tooltips, on a data set
// written by hand.
#include "hourly/periods.h"
#include "hourly_graph_fixture.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

using test::HourlyGraphTest;

TEST_F(HourlyGraphTest, PlotAndSlotPositionsFollowTheGraphRectangle) {
    const HourlyScene scene = Scene();
    EXPECT_EQ(scene.plot, (GraphRect{70, 44, 826, 440}));
    input.print = true;
    input.scale = 3;
    EXPECT_EQ(Scene().plot, (GraphRect{210, 132, 750, 200})) << "print margins scale too";
    // Hour h sits at L + 1 + T(W (a + 1) / (n + 0.5) + 0.5) with W = 754.
    const SeriesLine& global = scene.lines.back();
    ASSERT_EQ(global.index, kElementGlobal - 1) << "global is drawn last";
    ASSERT_EQ(global.points.size(), 24u);
    EXPECT_EQ(global.points[0].x, 71 + static_cast<int>(754.0 * 1 / 24.5 + 0.5));
    EXPECT_EQ(global.points[23].x, 71 + static_cast<int>(754.0 * 24 / 24.5 + 0.5));
}

TEST_F(HourlyGraphTest, HorizontalSeriesAreDrawnInTheirOrderWithTheirTooltips) {
    const int day = DayOfYear(3, 3);
    SetHour(day, 12, kElementGlobal, 235);
    SetHour(day, 12, kElementTemperature, -12);
    SetHour(day, 12, kElementSunshine, 7);
    SetHour(day, 12, kElementPrecipitation, 35);
    const HourlyScene scene = Scene();
    std::vector<int> order;
    for (const SeriesLine& line : scene.lines) {
        order.push_back(line.index);
    }
    EXPECT_EQ(order, (std::vector<int>{4, 2, 1, 0}));
    const std::vector<std::string> texts = TooltipTexts(scene);
    auto has = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_TRUE(has("2.35MJ/㎡"));
    EXPECT_TRUE(has("-1.2℃"));
    EXPECT_TRUE(has("0.7時間"));
    EXPECT_TRUE(has("3.5mm"));
    // Bars register a tooltip for every slot, zero values included.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "0.0mm"), 23);
    ASSERT_EQ(scene.precipitationBars.size(), 1u);
    EXPECT_EQ(scene.precipitationBars[0].rect.top, scene.plot.top + 80) << "hangs from the band";
    // The point tooltip is the 10-pixel square around the point.
    const GraphPoint p = scene.lines.back().points[11];
    const auto tip = std::find_if(scene.tooltips.begin(), scene.tooltips.end(),
                                  [](const tagGraphToolTip& t) { return t.text == "2.35MJ/㎡"; });
    EXPECT_EQ(tip->Rect(), (GraphRect{p.x - 5, p.y - 5, p.x + 5, p.y + 5}));
}

TEST_F(HourlyGraphTest, CalmHoursShowADotAndTheNameOnly) {
    const int day = DayOfYear(3, 3);
    SetHour(day, 1, kElementWindDirection, 0);
    SetHour(day, 1, kElementWindSpeed, 30);
    SetHour(day, 2, kElementWindDirection, 16);
    SetHour(day, 2, kElementWindSpeed, 0);
    SetHour(day, 3, kElementWindDirection, 8);
    SetHour(day, 3, kElementWindSpeed, 45);
    const HourlyScene scene = Scene();
    ASSERT_EQ(scene.barbs.size(), 24u);
    EXPECT_EQ(scene.barbs[0].at.y, scene.plot.bottom + 30);
    const std::vector<std::string> texts = TooltipTexts(scene);
    EXPECT_EQ(texts[0], "静穏");
    EXPECT_EQ(texts[1], "N");
    EXPECT_EQ(texts[2], "S 4.5m/s");
    input.view = HourlyView::Month;
    EXPECT_EQ(WindDirectionName(17), "");
}

TEST_F(HourlyGraphTest, DeepSnowIsDrawnAtThreeHundredCentimetres) {
    const int day = DayOfYear(3, 3);
    for (int h = 1; h <= 24; ++h) {
        SetHour(day, h, kElementSnowDepth, h < 12 ? 350 : 100);
    }
    const HourlyScene scene = Scene();
    const AxisRecord& snow = scene.axes[AxisIndex::Snow];
    EXPECT_EQ(scene.snowTopY, snow.ValueToY(300, scene.plot.top));
    EXPECT_EQ(scene.snowPolygon.size(), 26u);
    // No outline into a point above 300 cm.
    EXPECT_EQ(scene.snowOutline.size(), 23u - 10u);
    const std::vector<std::string> texts = TooltipTexts(scene);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "350cm"), texts.end());
}

TEST_F(HourlyGraphTest, HiddenSeriesLoseTheirAxes) {
    std::vector<CHanreiObj> legend = Legend();
    EXPECT_NE(std::find(ComputeHourlyScene(input, graph, legend).shownAxes.begin(),
                        ComputeHourlyScene(input, graph, legend).shownAxes.end(),
                        AxisIndex::Global),
              ComputeHourlyScene(input, graph, legend).shownAxes.end());
    for (int i : {0, 1, 2, 4}) {
        legend[static_cast<std::size_t>(i)].visible = false;
    }
    const HourlyScene scene = ComputeHourlyScene(input, graph, legend);
    EXPECT_EQ(scene.shownAxes, (std::vector<AxisIndex>{AxisIndex::Snow, AxisIndex::Precipitation,
                                                       AxisIndex::Sunshine}));
    EXPECT_TRUE(scene.lines.empty());
}

TEST_F(HourlyGraphTest, TenDaysFromTheTwentyFifthOfDecemberWrapIntoJanuary) {
    input.view = HourlyView::TenDays;
    input.month = 12;
    input.day = 25;
    const HourlyScene scene = Scene();
    std::vector<std::string> dayLabels;
    for (const GraphText& label : scene.xLabels) {
        if (label.text.size() > 3 && label.text.substr(label.text.size() - 3) == "日") {
            dayLabels.push_back(label.text);
        }
    }
    EXPECT_EQ(dayLabels, (std::vector<std::string>{"25日", "26日", "27日", "28日", "29日", "30日",
                                                   "31日", "1日", "2日", "3日"}));
    EXPECT_EQ(scene.info[1].text, "日　　時：12月25日～1月3日");
    EXPECT_EQ(scene.barbs.size(), 40u) << "hours 3, 9, 15 and 21 of each day";
}

TEST_F(HourlyGraphTest, SlopeSeriesFollowTheAngleMode) {
    input.dataKind = DataKind::Slope;
    input.tiltDeg = 30;
    EXPECT_EQ(SlopeSeriesOf(input).size(), 13u);
    EXPECT_EQ(SlopeSeriesOf(input).back().azimuthDeg, 360);
    std::vector<CHanreiObj> legend = Legend();
    ASSERT_EQ(legend.size(), 14u);
    EXPECT_EQ(legend[1].label, "30度");
    EXPECT_EQ(legend.back().label, "水平面全天日射量");
    EXPECT_EQ(legend[7].checkBox.top, graph.bottom - 28) << "second row of seven";
    HourlyScene scene = ComputeHourlyScene(input, graph, legend);
    EXPECT_EQ(scene.title, "斜面日射量グラフ 傾斜角30度");
    EXPECT_EQ(scene.shownAxes, std::vector<AxisIndex>{AxisIndex::Slope});
    ASSERT_EQ(scene.lines.size(), 14u);
    EXPECT_EQ(scene.lines.front().index, 13) << "the horizontal comparison is drawn first";
    EXPECT_EQ(scene.lines.back().index, 0);
    // 0 and 360 degrees coincide.
    EXPECT_EQ(scene.lines[1].points.size(), 24u);
    for (std::size_t i = 0; i < 24; ++i) {
        EXPECT_EQ(scene.lines[1].points[i], scene.lines.back().points[i]);
    }
    input.angleMode = HourlyAngleMode::Orientation;
    input.azimuthDeg = 15;
    EXPECT_EQ(Legend().front().label, "傾斜角30度 方位角15度");
    EXPECT_EQ(Scene().title, "斜面日射量グラフ 傾斜角30度 方位角 15度");
    EXPECT_EQ(Scene().legendTab, "傾斜角・方位角");
}

TEST_F(HourlyGraphTest, WithoutDataOnlyTheFrameTitleAndLegendRemain) {
    input.loaded = false;
    const HourlyScene scene = Scene();
    EXPECT_FALSE(scene.loaded);
    EXPECT_TRUE(scene.lines.empty());
    EXPECT_TRUE(scene.tooltips.empty());
    EXPECT_EQ(scene.title, "水平面グラフ");
    EXPECT_EQ(scene.info.size(), 3u);
    input.site.found = false;
    EXPECT_TRUE(Scene().info.empty()) << "no information block for an unknown site";
}

// Hovering a legend entry: the text of the hover area at the middle of its frame.
std::string LegendTip(const HourlyGraph& graph, int index) {
    const GraphRect frame = graph.layout.legend[static_cast<std::size_t>(index)].frame;
    const int tip = FindTooltipAt(graph.layout.tooltips, (frame.left + frame.right) / 2,
                                  (frame.top + frame.bottom) / 2);
    return tip < 0 ? std::string() : graph.layout.tooltips[static_cast<std::size_t>(tip)].text;
}

class LegendTotalTest : public HourlyGraphTest {
protected:
    HourlyGraph Compose(const LegendHidden& hidden = {}) const {
        return ComposeHourlyGraph(input, {870, 560, {120, 12}}, hidden);
    }
};

TEST_F(LegendTotalTest, DayTotalsAreExactToTheLastDigit) {
    const int day = DayOfYear(3, 3);
    const int global[] = {100, 150, 180, 200, 220, 240, 230, 210, 180, 150, 112}; // 19.72 MJ
    for (int i = 0; i < 11; ++i) {
        SetHour(day, 7 + i, kElementGlobal, global[i]);
    }
    SetHour(day, 12, kElementDirect, 9); // 0.09 MJ is 0.025 kWh: rounds up, not to 0.02
    SetHour(day, 11, kElementSunshine, 10);
    SetHour(day, 12, kElementSunshine, 10);
    SetHour(day, 13, kElementSunshine, 3);
    SetHour(day, 5, kElementPrecipitation, 35);
    SetHour(day, 6, kElementPrecipitation, 5);
    for (int h = 1; h <= 24; ++h) {
        SetHour(day, h, kElementTemperature, h <= 12 ? -15 : 20); // mean 0.25 degC
        SetHour(day, h, kElementSnowDepth, h <= 12 ? 10 : 13);
        SetHour(day, h, kElementWindSpeed, 25);
        SetHour(day, h, kElementWindDirection, h <= 10 ? 0 : (h <= 18 ? 16 : 13));
    }
    const HourlyGraph graph = Compose();
    EXPECT_EQ(LegendTip(graph, 0), "合計 19.72 MJ/㎡（5.48 kWh/㎡）");
    EXPECT_EQ(LegendTip(graph, 1), "合計 0.09 MJ/㎡（0.03 kWh/㎡）");
    EXPECT_EQ(LegendTip(graph, 2), "合計 0.00 MJ/㎡（0.00 kWh/㎡）");
    EXPECT_EQ(LegendTip(graph, 3), "合計 2.3 時間");
    EXPECT_EQ(LegendTip(graph, 4), "平均 0.3 ℃") << "halves round away from zero";
    EXPECT_EQ(LegendTip(graph, 5), "平均風速 2.5 m/s　最多風向 N") << "calm does not prevail";
    EXPECT_EQ(LegendTip(graph, 7), "合計 4.0 mm");
    EXPECT_EQ(LegendTip(graph, 8), "最大 13 cm（平均 11.5 cm）");
}

TEST_F(LegendTotalTest, MeansBelowZeroAndTiesOfDirections) {
    const int day = DayOfYear(3, 3);
    for (int h = 1; h <= 24; ++h) {
        SetHour(day, h, kElementTemperature, h <= 12 ? 15 : -20);    // mean -0.25 degC
        SetHour(day, h, kElementWindDirection, h % 2 == 0 ? 12 : 4); // W and E, 12 each
    }
    const HourlyGraph graph = Compose();
    EXPECT_EQ(LegendTip(graph, 4), "平均 -0.3 ℃");
    EXPECT_EQ(LegendTip(graph, 5), "平均風速 0.0 m/s　最多風向 E") << "the first of equals";
    SetHour(day, 1, kElementTemperature, 16); // -0.2458... degC
    EXPECT_EQ(LegendTip(Compose(), 4), "平均 -0.2 ℃");
}

TEST_F(LegendTotalTest, TheMonthSumsTheDayValuesItDraws) {
    input.view = HourlyView::Month;
    for (int d = 1; d <= 31; ++d) {
        const int day = DayOfYear(3, d);
        set->dailySummaries[day - 1][2][kElementGlobal - 1] = 1000 + d; // 314.96 MJ in all
        set->dailySummaries[day - 1][0][kElementSnowDepth - 1] = d == 31 ? 42 : 0;
    }
    SetHour(DayOfYear(3, 3), 12, kElementGlobal, 500); // the hours do not count here
    const HourlyGraph graph = Compose();
    EXPECT_EQ(LegendTip(graph, 0), "合計 314.96 MJ/㎡（87.49 kWh/㎡）");
    EXPECT_EQ(LegendTip(graph, 8), "最大 42 cm（平均 1.4 cm）");
}

TEST_F(LegendTotalTest, TenDaysCountEveryHourOfTheirDays) {
    input.view = HourlyView::TenDays;
    input.month = 12;
    input.day = 25;
    SetHour(DayOfYear(12, 24), 12, kElementPrecipitation, 7); // the day before: outside
    SetHour(DayOfYear(12, 25), 1, kElementPrecipitation, 11);
    SetHour(DayOfYear(1, 3), 24, kElementPrecipitation, 22); // the tenth day, its last hour
    SetHour(DayOfYear(1, 4), 1, kElementPrecipitation, 5);   // the day after: outside
    SetHour(DayOfYear(1, 1), 2, kElementWindSpeed, 240);     // an hour without a barb
    const HourlyGraph graph = Compose();
    EXPECT_EQ(LegendTip(graph, 7), "合計 3.3 mm");
    EXPECT_EQ(LegendTip(graph, 5), "平均風速 0.1 m/s　最多風向 静穏");
}

TEST_F(LegendTotalTest, SlopeTotalsAddTheDailyTotalsTheGraphDraws) {
    input.dataKind = DataKind::Slope;
    input.view = HourlyView::Month;
    input.angleMode = HourlyAngleMode::FixedAzimuth;
    input.azimuthDeg = -30;
    for (int d = 1; d <= 31; ++d) {
        const int day = DayOfYear(3, d);
        for (int h = 8; h <= 16; ++h) {
            SetHour(day, h, kElementGlobal, 120 + 7 * d + h);
            SetHour(day, h, kElementDirect, 60 + 3 * d);
            SetHour(day, h, kElementDiffuse, 60 + 4 * d + h);
        }
    }
    const HourlyGraph graph = Compose();
    ASSERT_EQ(graph.layout.legend.size(), 10u);
    for (int k = 0; k < 9; ++k) {
        double total = 0.0;
        for (int d = 1; d <= 31; ++d) {
            total += DailySlopeTotalMJ(*set, input.site, DayOfYear(3, d), 10.0 * (k + 1), -30.0);
        }
        char expected[96];
        std::snprintf(expected, sizeof expected, "合計 %.2f MJ/㎡（%.2f kWh/㎡）", total,
                      total / 3.6);
        EXPECT_EQ(LegendTip(graph, k), expected) << "tilt " << 10 * (k + 1);
    }
    long long global = 0;
    for (int d = 1; d <= 31; ++d) {
        global += 9 * (120 + 7 * d) + (8 + 16) * 9 / 2;
    }
    EXPECT_EQ(LegendTip(graph, 9), "合計 " + DecimalText(global, 2) + " MJ/㎡（" +
                                       DecimalText((global * 10 + 18) / 36, 2) + " kWh/㎡）");
}

TEST_F(LegendTotalTest, HiddenSeriesKeepTheirTotalPaperAndMissingDataHaveNone) {
    SetHour(DayOfYear(3, 3), 12, kElementGlobal, 235);
    LegendHidden hidden(9, false);
    hidden[0] = true;
    const HourlyGraph graph = Compose(hidden);
    EXPECT_FALSE(graph.layout.legend[0].visible);
    EXPECT_EQ(LegendTip(graph, 0), "合計 2.35 MJ/㎡（0.65 kWh/㎡）");
    // The legend tips lie on top of the graph's own, one per shown entry.
    EXPECT_EQ(graph.layout.tooltips.size(), graph.scene.tooltips.size() + 8);

    input.print = true;
    input.scale = 2;
    const HourlyGraph paper = Compose();
    EXPECT_EQ(paper.layout.tooltips.size(), paper.scene.tooltips.size());
    input.print = false;
    input.scale = 1;
    input.loaded = false;
    EXPECT_TRUE(Compose().layout.tooltips.empty());
}

} // namespace
} // namespace quorvane

// The hourly graphs' scenes: positions, series order and tooltips, on a data set
// written by hand.
#include "hourly_graph_fixture.h"

#include <algorithm>
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

} // namespace
} // namespace quorvane

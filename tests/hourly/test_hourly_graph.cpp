// The hourly graphs' scenes: positions, series order and tooltips, on a data set
// written by hand.
#include "graph/graph_canvas.h"
#include "graph/graph_draw.h"
#include "hourly/graph_print.h"
#include "hourly/hourly_graph.h"
#include "solar/calendar.h"
#include "ui/image.h"

#include <QTransform>

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace quorvane {
namespace {

class HourlyGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        set->Clear();
        for (int d = 0; d < kHourlyDays; ++d) {
            set->sunrise[d] = 6.5f;
            set->sunset[d] = 17.5f;
        }
        input.set = set.get();
        input.loaded = true;
        input.site = {true, 139.75, 35.69, 25.0};
        input.siteName = "東京";
        input.month = 3;
        input.day = 3;
    }
    void SetHour(int day, int hour, int element, int value) {
        set->hourlyValues[day - 1][hour - 1][element - 1] = value;
    }
    std::vector<CHanreiObj> Legend() const { return BuildHourlyLegend(input, graph, {}, {}); }
    HourlyScene Scene() const { return ComputeHourlyScene(input, graph, Legend()); }
    static std::vector<std::string> TooltipTexts(const HourlyScene& scene) {
        std::vector<std::string> texts;
        for (const tagGraphToolTip& tip : scene.tooltips) {
            texts.push_back(tip.text);
        }
        return texts;
    }

    std::unique_ptr<HourlyDataSet> set = std::make_unique<HourlyDataSet>();
    HourlyGraphInput input;
    GraphRect graph{0, 0, 870, 560};
};

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
    const AxisRecord& snow = scene.axes[kAxisSnow];
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
                        ComputeHourlyScene(input, graph, legend).shownAxes.end(), kAxisGlobal),
              ComputeHourlyScene(input, graph, legend).shownAxes.end());
    for (int i : {0, 1, 2, 4}) {
        legend[static_cast<std::size_t>(i)].visible = 0;
    }
    const HourlyScene scene = ComputeHourlyScene(input, graph, legend);
    EXPECT_EQ(scene.shownAxes, (std::vector<int>{kAxisSnow, kAxisPrecipitation, kAxisSunshine}));
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

TEST_F(HourlyGraphTest, TenDayLabelsStandClearOfTheWindBarbs) {
    input.view = HourlyView::TenDays;
    // Every direction, calm hours, strokes and pennants.
    for (int day = 1; day <= kHourlyDays; ++day) {
        for (int hour = 1; hour <= 24; ++hour) {
            SetHour(day, hour, kElementWindDirection, (day + hour) % 17);
            SetHour(day, hour, kElementWindSpeed, (day * 7 + hour * 13) % 260);
        }
    }
    for (const int scale : {1, 3}) {
        input.scale = scale;
        input.print = scale > 1;
        graph = {0, 0, 840 * scale, 560 * scale};
        const HourlyScene scene = Scene();
        const CanvasStyles styles = CanvasStyles::Make(scale, false);
        ASSERT_EQ(scene.barbs.size(), 40u);
        const double legendTop = graph.bottom - 68 * scale;
        for (const WindBarbItem& barb : scene.barbs) {
            const WindBarbShape shape = MakeWindBarb(barb.code, barb.speedMs, scale, true);
            QTransform place;
            place.translate(barb.at.x, barb.at.y);
            place.rotate(shape.rotationDeg);
            const auto span = [&](const QLineF& line) {
                return QPolygonF({place.map(line.p1()), place.map(line.p2())}).boundingRect();
            };
            QRectF drawn =
                shape.calm ? shape.dot.translated(barb.at.x, barb.at.y) : span(shape.staff);
            for (const QLineF& stroke : shape.strokes) {
                drawn |= span(stroke);
            }
            for (const QPolygonF& pennant : shape.pennants) {
                drawn |= place.map(pennant).boundingRect();
            }
            EXPECT_LT(drawn.bottom(), legendTop) << "scale " << scale;
            for (const GraphText& label : scene.xLabels) {
                const QRectF box =
                    TextRectAt(QString::fromStdString(label.text), QPointF(label.at.x, label.at.y),
                               styles.font8, nullptr);
                EXPECT_FALSE(box.intersects(drawn))
                    << label.text << " at scale " << scale << " meets a barb at " << barb.at.x;
            }
        }
    }
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
    EXPECT_EQ(scene.shownAxes, std::vector<int>{kAxisSlope});
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

TEST(PrintGeometry, NinetyFourPercentOfTheHeightCentredAtAnIntegerScale) {
    // A4 landscape at 600 dpi: 7016 x 4961 device pixels.
    const PrintGeometry a4 = ComputePrintGeometry(7016, 4961, 840, 560);
    EXPECT_EQ(a4.graph.Height(), static_cast<int>(0.94 * 4961));
    EXPECT_EQ(a4.graph.Width(), static_cast<int>(a4.graph.Height() * 840.0 / 560));
    EXPECT_EQ(a4.graph.left, (7016 - a4.graph.Width()) / 2);
    EXPECT_EQ(a4.graph.top, 0);
    EXPECT_EQ(a4.scale, a4.graph.Width() / 840);
    // Less than twice the frame: scale 1.
    EXPECT_EQ(ComputePrintGeometry(1200, 900, 840, 560).scale, 1);
    // A frame wider than the page's proportions is fitted to the width instead of
    // running off the paper.
    const PrintGeometry wide = ComputePrintGeometry(7016, 4961, 1000, 500);
    EXPECT_EQ(wide.graph.Width(), 7016);
    EXPECT_EQ(wide.graph.left, 0);
    EXPECT_LT(wide.graph.Height(), static_cast<int>(0.94 * 4961));
}

TEST_F(HourlyGraphTest, PrintedLegendKeepsHiddenEntriesAtLargeScalesOnly) {
    std::vector<CHanreiObj> screen = Legend();
    screen[kElementTemperature - 1].visible = 0;
    const PrintedGraph large = ComposePrintedGraph(input, 7016, 4961, 840, 560, screen);
    ASSERT_GE(large.geometry.scale, 2);
    EXPECT_EQ(large.layout.legend[kElementTemperature - 1].visible, 0);
    EXPECT_TRUE(large.layout.toggle.IsEmpty()) << "no legend buttons on paper";
    EXPECT_TRUE(large.layout.windButton.IsEmpty());
    EXPECT_TRUE(large.layout.legend[0].frame.IsEmpty()) << "entries are not clickable";
    EXPECT_FALSE(large.scene.gradient);
    EXPECT_EQ(large.scene.plot.right, large.layout.graph.right - 40 * large.geometry.scale);

    const PrintedGraph small = ComposePrintedGraph(input, 1200, 900, 840, 560, screen);
    EXPECT_EQ(small.geometry.scale, 1);
    EXPECT_EQ(small.layout.legend[kElementTemperature - 1].visible, 1);
    EXPECT_FALSE(small.layout.toggle.IsEmpty());
    EXPECT_FALSE(small.layout.windButton.IsEmpty());
}

} // namespace
} // namespace quorvane

// The hourly graphs on a device: the wind barbs and labels as drawn, and the printed
// page's composition.
#include "graph/graph_canvas.h"
#include "graph/graph_draw.h"
#include "hourly/graph_print.h"
#include "hourly_graph_fixture.h"
#include "ui/image.h"

#include <QTransform>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

using test::HourlyGraphTest;

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
    LegendHidden screen(kHorizontalMarkerKinds, false);
    screen[kElementTemperature - 1] = true;
    const PrintedGraph large = ComposePrintedGraph(input, 7016, 4961, 840, 560, screen);
    ASSERT_GE(large.geometry.scale, 2);
    EXPECT_EQ(large.layout.legend[kElementTemperature - 1].visible, false);
    EXPECT_TRUE(large.layout.toggle.IsEmpty()) << "no legend buttons on paper";
    EXPECT_TRUE(large.layout.windButton.IsEmpty());
    EXPECT_TRUE(large.layout.legend[0].frame.IsEmpty()) << "entries are not clickable";
    EXPECT_FALSE(large.scene.gradient);
    EXPECT_EQ(large.scene.plot.right, large.layout.graph.right - 40 * large.geometry.scale);

    const PrintedGraph small = ComposePrintedGraph(input, 1200, 900, 840, 560, screen);
    EXPECT_EQ(small.geometry.scale, 1);
    EXPECT_EQ(small.layout.legend[kElementTemperature - 1].visible, true);
    EXPECT_FALSE(small.layout.toggle.IsEmpty());
    EXPECT_FALSE(small.layout.windButton.IsEmpty());
}

} // namespace
} // namespace quorvane

#include "graph/graph_canvas.h"
#include "graph/graph_draw.h"
#include "ui/image.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

QImage WhiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

bool IsWhite(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

// Colour distance in the largest channel difference.
int Distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// A graph's layout of 800 x 500 at screen scale, its styles, and a canvas to show it.
class Canvas : public ::testing::Test {
protected:
    void SetUp() override { canvas.SetGraphRect({0, 0, 800, 500}); }
    // Five entries in one row, 100 apart, each with its click frame.
    void AddFiveEntries() {
        for (int i = 0; i < 5; ++i) {
            CHanreiObj entry;
            entry.label = std::to_string(i * 10) + "度";
            LayoutLegendEntry(entry, 20 + 100 * i, 454, 1);
            layout.legend.push_back(entry);
        }
    }
    // A click on the legend as the viewers apply it: to the hidden entries, then the
    // legend composed with them.
    void Toggle(int code) {
        ApplyHidden(layout.legend, ToggleHidden(HiddenEntries(layout.legend), layout.legend.size(),
                                                GraphHit::FromCode(code)));
    }
    int HitAt(int x, int y) const { return HitTest(layout, x, y).Code(); }
    QString ToggleText() const { return QString::fromStdString(LegendToggleText(layout.legend)); }
    GraphRect NavLabelBoxOf(QPainter& p, int hovered) const {
        const QString label = QString::fromStdString(NavLabel(hovered, layout.nav));
        return NavLabelBox(layout, hovered, ButtonTextExtent(&p, label, styles));
    }
    // Shows the layout on the canvas, drawn by `paint`.
    void Show(const std::function<void(QPainter&)>& paint = [](QPainter&) {}) {
        canvas.Show(layout, 1.0, paint);
    }

    GraphLayout layout = MakeGraphLayout(800, 500, 1);
    const CanvasStyles styles = CanvasStyles::Make(1, false);
    CGraphCanvas canvas;
};

} // namespace

TEST_F(Canvas, hitCodesIncludeLeftTopAndExcludeRightBottom) {
    PlaceLegendButtons(layout, ScreenWindButtonText());
    PlaceNavButtons(layout);
    struct Button {
        GraphRect rect;
        int code;
    };
    const Button buttons[] = {{layout.toggle, kHitLegendToggle},
                              {layout.windButton, kHitWindLegend},
                              {layout.previous, kHitPrevious},
                              {layout.next, kHitNext}};
    for (const Button& b : buttons) {
        ASSERT_FALSE(b.rect.IsEmpty()) << b.code;
        EXPECT_EQ(HitAt(b.rect.left, b.rect.top), b.code);
        EXPECT_EQ(HitAt(b.rect.right - 1, b.rect.bottom - 1), b.code);
        EXPECT_EQ(HitAt(b.rect.right, b.rect.top), kHitNothing) << b.code;
        EXPECT_EQ(HitAt(b.rect.left, b.rect.bottom), kHitNothing) << b.code;
        EXPECT_EQ(HitAt(b.rect.left - 1, b.rect.top), kHitNothing) << b.code;
        EXPECT_EQ(HitAt(b.rect.left, b.rect.top - 1), kHitNothing) << b.code;
    }
}

TEST_F(Canvas, navButtonsSitAboveTheLegendAt31Pixels) {
    PlaceNavButtons(layout);
    EXPECT_EQ(layout.previous, (GraphRect{34, 398, 65, 429}));
    EXPECT_EQ(layout.next, (GraphRect{765, 398, 796, 429}));
}

TEST_F(Canvas, legendHitPrefersTheButtonsThenTheLastEntry) {
    AddFiveEntries();
    const CHanreiObj over = layout.legend[1];
    layout.legend.push_back(over); // index 5, same frame as entry 1
    const GraphRect frame = layout.legend[1].frame;
    EXPECT_EQ(HitAt(frame.left, frame.top), 5);
    EXPECT_EQ(HitAt(frame.right, frame.top), kHitNothing);
    layout.toggle = {frame.left, frame.top, frame.left + 5, frame.top + 5};
    EXPECT_EQ(HitAt(frame.left, frame.top), kHitLegendToggle);
    EXPECT_EQ(HitAt(frame.left + 5, frame.top), 5);
}

TEST_F(Canvas, unplacedEntriesAreNeverHit) {
    layout.legend.resize(3);
    EXPECT_EQ(layout.legend[0].frame.left, -9999);
    EXPECT_EQ(HitAt(-9999, -9999), kHitNothing);
    EXPECT_EQ(HitAt(0, 0), kHitNothing);
}

TEST_F(Canvas, windLegendButtonIsHitOnlyWithHorizontalData) {
    PlaceLegendButtons(layout, ScreenWindButtonText());
    const GraphRect button = layout.windButton;
    EXPECT_EQ(HitAt(button.left, button.top), kHitWindLegend);
    layout.dataKind = DataKind::Slope;
    EXPECT_EQ(HitAt(button.left, button.top), kHitNothing);
}

TEST_F(Canvas, legendToggleReadsAllOffWithoutEntries) {
    EXPECT_FALSE(AnyLegendEntryHidden(layout.legend));
    EXPECT_EQ(ToggleText(), QStringLiteral("すべてOFF"));
    Toggle(kHitLegendToggle); // nothing to switch
    EXPECT_EQ(ToggleText(), QStringLiteral("すべてOFF"));
}

TEST_F(Canvas, toggle99ShowsAllWhenOneIsHiddenThenHidesAll) {
    AddFiveEntries();
    Toggle(3);
    EXPECT_EQ(layout.legend[3].visible, false);
    EXPECT_EQ(ToggleText(), QStringLiteral("すべてON"));

    Toggle(kHitLegendToggle);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(layout.legend[i].visible, true) << i;
    }
    EXPECT_EQ(ToggleText(), QStringLiteral("すべてOFF"));

    Toggle(kHitLegendToggle);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(layout.legend[i].visible, false) << i;
    }
    EXPECT_EQ(ToggleText(), QStringLiteral("すべてON"));
}

TEST_F(Canvas, toggleOfAnIndexOutsideTheLegendChangesNothing) {
    AddFiveEntries();
    Toggle(5);
    Toggle(-1);
    Toggle(98);
    EXPECT_FALSE(AnyLegendEntryHidden(layout.legend));
    Toggle(0);
    Toggle(0);
    EXPECT_FALSE(AnyLegendEntryHidden(layout.legend));
}

TEST_F(Canvas, navButtonsAreAbsentInTheRankingViews) {
    {
        layout.nav = NavButtons::Days;
        PlaceNavButtons(layout);
        const GraphRect previous = layout.previous;
        layout.nav = NavButtons::Disabled;
        PlaceNavButtons(layout);
        EXPECT_TRUE(layout.previous.IsEmpty());
        EXPECT_TRUE(layout.next.IsEmpty());
        EXPECT_EQ(HitAt(previous.left + 5, previous.top + 5), kHitNothing);

        QImage image = WhiteImage(800, 500);
        QPainter p(&image);
        EXPECT_TRUE(NavLabelBoxOf(p, 0).IsEmpty());
    }
}

TEST_F(Canvas, navLabelSaysMonthInTheMonthViewAndDayOtherwise) {
    EXPECT_EQ(NavLabel(0, NavButtons::Months), "前の月");
    EXPECT_EQ(NavLabel(1, NavButtons::Months), "次の月");
    EXPECT_EQ(NavLabel(0, NavButtons::Days), "前の日");
    EXPECT_EQ(NavLabel(1, NavButtons::Days), "次の日");
    EXPECT_TRUE(NavLabel(2, NavButtons::Days).empty());
}

TEST_F(Canvas, hoverLabelBoxHangsAboveTheButton) {
    PlaceNavButtons(layout);
    QImage image = WhiteImage(800, 500);
    QPainter p(&image);
    const GraphRect box = NavLabelBoxOf(p, 1);
    const QSizeF text = GraphTextSize(p, QStringLiteral("次の日"), styles.font8);
    const GraphRect next = layout.next;
    EXPECT_EQ(box.Width(), static_cast<int>(text.width() + 0.999) + 4);
    EXPECT_EQ(box.left, (next.left + next.right) / 2 - box.Width() / 2 - 8);
    EXPECT_EQ(box.top, (next.top + next.bottom) / 2 - 32);
}

TEST(CanvasStyles, penWidthsFollowTheScale) {
    for (int scale : {1, 2, 4}) {
        const CanvasStyles st = CanvasStyles::Make(scale, true);
        const double width = scale < 2 ? 1.0 : 2.0;
        EXPECT_EQ(st.penWidth, width);
        for (const QPen* pen : {&st.blackPen, &st.greyPen, &st.halfGreyPen, &st.bluePen,
                                &st.averagePen, &st.maximumPen, &st.minimumPen}) {
            EXPECT_EQ(pen->widthF(), width) << scale;
        }
        for (const QPen& pen : st.palettePens) {
            EXPECT_EQ(pen.widthF(), width);
        }
        for (const QPen& pen : st.monthlyThinPens) {
            EXPECT_EQ(pen.widthF(), width);
        }
        EXPECT_EQ(st.seriesPens[0].widthF(), width);
        EXPECT_EQ(MarkerUnit(scale), scale <= 1 ? 1 : 4);
    }
}

TEST(CanvasStyles, aMonthlyCanvasDrawsWithTheMonthlyPensAtScreenScale) {
    const CGraphCanvas monthly(true);
    EXPECT_TRUE(monthly.Styles().monthly);
    EXPECT_EQ(monthly.Styles().scale, 1);
    EXPECT_EQ(monthly.Styles().averagePen.color().rgba(), 0xff3eae3eu);
    EXPECT_FALSE(CGraphCanvas(false).Styles().monthly);
}

TEST(CanvasStyles, paletteColoursAndSeriesWithoutColour) {
    const CanvasStyles st = CanvasStyles::Make(1, true);
    EXPECT_EQ(st.palette[0].rgba(), 0xff29b5e2u);
    EXPECT_EQ(st.palette[13].rgba(), 0xff404040u);
    EXPECT_EQ(st.paletteLight[6].rgba(), 0xffff6a6au);
    EXPECT_EQ(st.seriesRow2[6].rgba(), 0xffcecece);
    EXPECT_EQ(st.seriesRow3[8].rgba(), 0xff898ebcu);
    EXPECT_EQ(st.highlightBrush.color().rgba(), 0xdeffda5bu);
    EXPECT_FALSE(st.seriesRow1[5].isValid());
    EXPECT_EQ(st.seriesPens[5].style(), Qt::NoPen);
    EXPECT_EQ(st.seriesBrushes[6].style(), Qt::NoBrush);
    EXPECT_EQ(st.monthlyBrushes[12].color().rgba(), 0xff53a21au);
    EXPECT_EQ(st.font16Bold.bold(), true);
}

TEST_F(Canvas, hourlyAxesFollowThePlot) {
    const GraphRect graph = canvas.LocalRect();
    const GraphRect plot{70, 44, 756, 380};
    AxisRecords axes;
    SetupHourlyAxes(axes, graph, plot, 1);
    const AxisRecord& irradiance = axes[AxisIndex::Global];
    EXPECT_EQ(irradiance.basePx, 336);
    EXPECT_EQ(irradiance.lengthPx, 216);
    EXPECT_EQ(irradiance.maximum, 3.5);
    EXPECT_EQ(irradiance.axisX, 69);
    EXPECT_EQ(axes[AxisIndex::Diffuse].lengthPx, 216);
    EXPECT_EQ(axes[AxisIndex::Sunshine].lengthPx, 79);
    EXPECT_EQ(axes[AxisIndex::Temperature].axisX, 30);
    EXPECT_EQ(axes[AxisIndex::Temperature].ValueToY(-30, plot.top), plot.top + 336);
    EXPECT_EQ(axes[AxisIndex::Temperature].ValueToY(40, plot.top), plot.top + 80);
    EXPECT_EQ(axes[AxisIndex::Snow].basePx, 335);
    EXPECT_EQ(irradiance.nameDy, -28);
    EXPECT_EQ(irradiance.unitDx, 4);

    // Precipitation hangs down from the band's lower edge: 40 mm is half of 120 pixels.
    const AxisRecord& rain = axes[AxisIndex::Precipitation];
    EXPECT_EQ(rain.ValueToY(0, plot.top), plot.top + 80);
    EXPECT_EQ(rain.ValueToY(40, plot.top), plot.top + 80 + 60);
    EXPECT_EQ(rain.rightSide, 1);
    EXPECT_EQ(rain.axisX, 757);
}

TEST_F(Canvas, dailyAndSlopeAxesHaveTheirOwnScales) {
    const GraphRect graph = canvas.LocalRect();
    const GraphRect plot{70, 44, 756, 380};
    AxisRecords axes;
    SetupDailyAxes(axes, graph, plot, 1);
    EXPECT_EQ(axes[AxisIndex::Global].maximum, 35);
    EXPECT_EQ(axes[AxisIndex::Sunshine].minorStep, 7.5);
    EXPECT_EQ(axes[AxisIndex::Precipitation].range, -300);
    axes[AxisIndex::Slope] = SlopeHourlyAxis(plot, 1);
    EXPECT_EQ(axes[AxisIndex::Slope].maximum, 4.0);
    EXPECT_EQ(axes[AxisIndex::Slope].lengthPx, 336);
    axes[AxisIndex::Slope] = SlopeDailyAxis(plot, 1);
    EXPECT_EQ(axes[AxisIndex::Slope].majorStep, 5);
    EXPECT_EQ(axes[AxisIndex::Slope].ValueToY(20, plot.top), plot.top + 168);
}

TEST(CanvasAxes, titlesNeverCoverTheTopTickLabel) {
    for (const int scale : {1, 2, 4}) {
        const CanvasStyles styles = CanvasStyles::Make(scale, false);
        AxisRecords axes{};
        const GraphRect graph{0, 0, 840 * scale, 560 * scale};
        const GraphRect plot{70 * scale, 44 * scale, 796 * scale, 440 * scale};
        SetupHourlyAxes(axes, graph, plot, scale);
        axes[AxisIndex::Slope] = SlopeHourlyAxis(plot, scale);
        for (const AxisIndex index :
             {AxisIndex::Global, AxisIndex::Temperature, AxisIndex::Slope}) {
            const AxisRecord& axis = axes[index];
            const double x = axis.axisX;
            const int upper = axis.UpperEndY(plot.top);
            const QString top = axis.decimalLabels ? QString::asprintf("%4.1f", axis.maximum)
                                                   : QString::number(axis.maximum);
            const QRectF label = TextRectAt(top, QPointF(x - 6 * scale, upper - 4 * scale),
                                            styles.font8, nullptr, TextAlign::Far);
            const QRectF name = TextRectAt(QString::fromStdString(axis.name),
                                           QPointF(x + axis.nameDx, upper + axis.nameDy),
                                           styles.font8, nullptr, TextAlign::Far);
            const QRectF unit = TextRectAt(QString::fromStdString(axis.unit),
                                           QPointF(x + axis.unitDx, upper + axis.unitDy),
                                           styles.font8, nullptr, TextAlign::Far);
            EXPECT_FALSE(unit.intersects(label))
                << "scale " << scale << ", axis " << static_cast<int>(index);
            EXPECT_FALSE(name.intersects(label))
                << "scale " << scale << ", axis " << static_cast<int>(index);
            EXPECT_FALSE(name.intersects(unit))
                << "scale " << scale << ", axis " << static_cast<int>(index);
        }
    }
}

TEST(CanvasAxes, labelOffsetsScaleWithThePrintScale) {
    AxisRecords axes;
    SetupHourlyAxes(axes, {0, 0, 3000, 2000}, {210, 132, 2880, 1640}, 3);
    const AxisRecord& axis = axes[AxisIndex::Temperature];
    EXPECT_EQ(axis.nameDx, 6);
    EXPECT_EQ(axis.nameDy, -84);
    EXPECT_EQ(axis.unitDy, -48);
    EXPECT_EQ(axis.axisX, 90);
    EXPECT_EQ(axes[AxisIndex::Sunshine].basePx, 240);
}

TEST(WindBarb, calmAndSpeedZeroAreADot) {
    EXPECT_TRUE(MakeWindBarb(0, 12.0, 1, false).calm);
    EXPECT_TRUE(MakeWindBarb(5, 0.4, 1, false).calm);
    const WindBarbShape dot = MakeWindBarb(0, 0, 1, false);
    EXPECT_EQ(dot.dot, QRectF(-2, -2, 2, 2)); // lower right at the point
    EXPECT_FALSE(MakeWindBarb(5, 0.5, 1, false).calm);
}

TEST(WindBarb, pennantsFullAndHalfStrokes) {
    const WindBarbShape b = MakeWindBarb(16, 25.0, 1, false);
    EXPECT_EQ(b.pennants.size(), 2u);
    EXPECT_EQ(b.fullStrokes, 2);
    EXPECT_EQ(b.halfStrokes, 1);
    EXPECT_EQ(b.rotationDeg, 360.0);
    EXPECT_EQ(b.staff, QLineF(0, 8, 0, -14)); // raised by 6 for the pennants
    EXPECT_EQ(b.pennants[0][1], QPointF(8, -11));
    // After a pennant t moves down a step (3), and a half step more between pennants.
    EXPECT_EQ(b.pennants[1][0], QPointF(0, -8 + 4.5));
    EXPECT_EQ(b.strokes[0], QLineF(0, -0.5, 7, -3.5));

    const WindBarbShape five = MakeWindBarb(1, 5.0, 1, false);
    EXPECT_TRUE(five.pennants.empty());
    EXPECT_EQ(five.fullStrokes, 2);
    EXPECT_EQ(five.halfStrokes, 1);
    EXPECT_EQ(five.rotationDeg, 22.5);
    EXPECT_EQ(five.strokes[2], QLineF(0, -2, 4, -4));
}

TEST(WindBarb, tenDayVariantAndPrintScale) {
    const WindBarbShape b = MakeWindBarb(4, 12.0, 1, true);
    EXPECT_EQ(b.staff, QLineF(0, 6, 0, -9));
    EXPECT_EQ(b.pennants[0][1], QPointF(6, -8));
    EXPECT_EQ(b.strokes[0], QLineF(0, -4, 6, -7)); // step 2 above 10 m/s
    const WindBarbShape print = MakeWindBarb(4, 3.0, 4, false);
    EXPECT_EQ(print.staff, QLineF(0, 24, 0, -24)); // e = 3 at scale 4
}

TEST(MarkerPixels, filledMarkerHasItsColourWhereItMustAndNothingElsewhere) {
    const CanvasStyles st = CanvasStyles::Make(1, false);
    QImage image = WhiteImage(60, 60);
    {
        QPainter p(&image);
        CGraphCanvas::PrepareSurface(p);
        DrawMarker(p, st.SlopeMarker(1), QPointF(20, 20));      // filled circle r = 4
        DrawMarker(p, st.SlopeMarker(0), QPointF(40, 20));      // open circle r = 4
        DrawMarker(p, st.HorizontalMarker(3), QPointF(20, 45)); // 16 x 10 rectangle
    }
    EXPECT_LE(Distance(image.pixel(20, 20), st.palette[1].rgb()), 2);
    EXPECT_TRUE(IsWhite(image, 26, 20));
    EXPECT_TRUE(IsWhite(image, 40, 20)); // open: its centre stays empty
    EXPECT_FALSE(IsWhite(image, 44, 20));
    EXPECT_LE(Distance(image.pixel(15, 45), st.seriesRow3[3].rgb()), 2);
    EXPECT_TRUE(IsWhite(image, 30, 45));
    EXPECT_TRUE(IsWhite(image, 20, 52));
}

TEST(MarkerPixels, printUnitEnlargesTheMarker) {
    const CanvasStyles st = CanvasStyles::Make(4, true);
    QImage image = WhiteImage(80, 80);
    {
        QPainter p(&image);
        CGraphCanvas::PrepareSurface(p);
        DrawMarker(p, st.MonthlyMarker(7), QPointF(40, 40)); // filled square, side 32
    }
    EXPECT_LE(Distance(image.pixel(40 + 14, 40 - 14), st.palette[7].rgb()), 2);
    EXPECT_TRUE(IsWhite(image, 40 + 20, 40));
}

TEST(MarkerPixels, northBarbStaffGoesUpAndSouthBarbsFeathersGoDown) {
    QImage image = WhiteImage(60, 40);
    {
        QPainter p(&image);
        DrawWindBarb(p, QPointF(15, 20), 16, 2.0, 1, false, QPen(Qt::black, 1), Qt::black);
        DrawWindBarb(p, QPointF(45, 20), 8, 2.0, 1, false, QPen(Qt::black, 1), Qt::black);
    }
    // One full stroke from (x, y - 8) to (x + 7, y - 11) for north; turned 180 degrees for south.
    EXPECT_FALSE(IsWhite(image, 15 + 4, 20 - 10));
    EXPECT_TRUE(IsWhite(image, 15 - 4, 20 + 10));
    EXPECT_FALSE(IsWhite(image, 45 - 4, 20 + 9));
    EXPECT_TRUE(IsWhite(image, 45 + 4, 20 - 10));
}

TEST_F(Canvas, legendEntryShowsItsTickOnlyWhileVisible) {
    AddFiveEntries();
    Toggle(1);
    QImage image = WhiteImage(800, 500);
    {
        QPainter p(&image);
        CGraphCanvas::PrepareSurface(p);
        for (const CHanreiObj& entry : layout.legend) {
            RenderLegendEntry(p, entry, false, styles);
        }
    }
    for (int i : {0, 1}) {
        const GraphRect box = layout.legend[i].checkBox;
        // The tick passes through (left + 5, top + 9) on its way down.
        const QRgb pixel = image.pixel(box.left + 5, box.top + 9);
        if (i == 0) {
            EXPECT_LT(qGray(pixel), 100);
        } else {
            EXPECT_EQ(pixel, qRgb(255, 255, 255));
        }
    }
}

TEST_F(Canvas, aPressedEntryIsDrawnWithTheHoverBrushWhileThePointerIsOnIt) {
    AddFiveEntries();
    Toggle(2);
    canvas.SetGraphRect({100, 50, 900, 550});
    Show();
    const GraphRect box = layout.legend[2].checkBox.Translated(100, 50);
    const auto presented = [&](GraphHit pressed, bool pointerOn) {
        QImage window = WhiteImage(1000, 600);
        QPainter p(&window);
        canvas.Present(p, pressed, pointerOn);
        p.end();
        return window.pixel(box.left + 5, box.top + 6);
    };
    EXPECT_EQ(presented({HitKind::LegendEntry, 2}, true), qRgb(0xd7, 0xf6, 0xca));
    EXPECT_NE(presented({HitKind::LegendEntry, 2}, false), qRgb(0xd7, 0xf6, 0xca))
        << "the pointer has left it";
    EXPECT_EQ(presented({HitKind::LegendEntry, 42}, true), presented({}, false))
        << "outside the legend: nothing";
}

TEST_F(Canvas, presentCopiesTheBackBufferAtTheGraphRectangle) {
    canvas.SetGraphRect({30, 20, 130, 70});
    EXPECT_FALSE(canvas.BackBufferValid());
    Show([](QPainter& p) { p.fillRect(0, 0, 100, 50, Qt::red); });
    EXPECT_TRUE(canvas.BackBufferValid());
    EXPECT_EQ(canvas.BackBuffer().size(), QSize(100, 50));
    QImage window = WhiteImage(200, 100);
    {
        QPainter p(&window);
        canvas.Present(p);
    }
    EXPECT_EQ(window.pixel(30, 20), qRgb(255, 0, 0));
    EXPECT_EQ(window.pixel(129, 69), qRgb(255, 0, 0));
    EXPECT_TRUE(IsWhite(window, 130, 69));
    EXPECT_TRUE(IsWhite(window, 29, 20));
    canvas.SetGraphRect({0, 0, 120, 50});
    EXPECT_FALSE(canvas.BackBufferValid()); // a new size needs a new buffer
    Show();
    EXPECT_EQ(canvas.BackBuffer().size(), QSize(120, 50));
    canvas.Show(layout, 2.0, [](QPainter&) {});
    EXPECT_EQ(canvas.BackBuffer().size(), QSize(240, 100)) << "at the screen's pixel ratio";
}

TEST_F(Canvas, loadErrorBoxIsCentredAndFilled) {
    QImage image = WhiteImage(800, 500);
    QSizeF text;
    {
        QPainter p(&image);
        RenderLoadError(p, {0, 0, 800, 500}, styles);
        text =
            GraphTextSize(p, QStringLiteral("データの読み込みに失敗しました。"), styles.font16Bold);
    }
    const int left = static_cast<int>((800 - (text.width() + 12)) / 2);
    const int top = static_cast<int>((500 - (text.height() + 16)) / 2);
    const QRgb fill = image.pixel(left + 3, top + 3);
    EXPECT_GT(qRed(fill), 240);
    EXPECT_LT(qBlue(fill), 140); // the translucent yellow over white
    EXPECT_TRUE(IsWhite(image, left - 3, top + 3));
    EXPECT_TRUE(IsWhite(image, 400, top - 3));
}

TEST_F(Canvas, toggleAndWindButtonsAreDrawnInTheirRectangles) {
    PlaceLegendButtons(layout, ScreenWindButtonText());
    QImage image = WhiteImage(800, 500);
    {
        QPainter p(&image);
        RenderLegendToggle(p, layout, false, styles);
        RenderWindLegendButton(p, layout, false, styles);
    }
    const GraphRect toggle = layout.toggle;
    EXPECT_EQ(image.pixel(toggle.left + 2, toggle.top + 2), qRgb(0xff, 0xff, 0xd0));
    const GraphRect wind = layout.windButton;
    EXPECT_EQ(image.pixel(wind.left - 1, wind.top - 1), qRgb(0x00, 0x80, 0xc0));

    layout.dataKind = DataKind::Slope;
    QImage slope = WhiteImage(800, 500);
    {
        QPainter p(&slope);
        RenderWindLegendButton(p, layout, false, styles);
    }
    EXPECT_TRUE(IsWhite(slope, wind.left - 1, wind.top - 1));
}

TEST_F(Canvas, pressedToggleIsDrawnOnePixelRightAndDown) {
    layout.toggle = {100, 100, 156, 115};
    Show();
    QImage window = WhiteImage(800, 500);
    {
        QPainter p(&window);
        canvas.Present(p, {HitKind::LegendToggle}, true);
    }
    EXPECT_TRUE(IsWhite(window, 100, 100));
    EXPECT_FALSE(IsWhite(window, 101, 101));
    EXPECT_FALSE(IsWhite(window, 156, 115));
}

TEST_F(Canvas, navButtonPicturesAreDrawnAtTheirRectangles) {
    PlaceNavButtons(layout);
    QImage image = WhiteImage(800, 500);
    {
        QPainter p(&image);
        RenderNavButtons(p, layout, -1, LoadNavPictures(), styles);
    }
    const GraphRect previous = layout.previous;
    const QPoint centre((previous.left + previous.right) / 2, previous.top + 4);
    EXPECT_FALSE(IsWhite(image, centre.x(), centre.y()));
    EXPECT_TRUE(IsWhite(image, previous.left - 2, previous.top + 15));
}

TEST(ValueAxes, monthlyAxisGridAndTicksAtTheirPixels) {
    const CanvasStyles st = CanvasStyles::Make(1, true);
    QImage image = WhiteImage(400, 300);
    const GraphRect plot{70, 50, 356, 250};
    {
        QPainter p(&image);
        DrawMonthlyValueAxis(p, plot, 8, 0.2, 1, QStringLiteral("日射量(kWh/㎡)"), st);
    }
    // Major tick 1 at 250 - 25 = 225: tick from 64 to 70 and a dashed grid line.
    EXPECT_FALSE(IsWhite(image, 66, 225));
    EXPECT_FALSE(IsWhite(image, 73, 225)); // first dash from left + 1
    EXPECT_TRUE(IsWhite(image, 78, 225));  // gap after 5 pixels
    // Minor tick at 250 - 5 = 245 is 3 long.
    EXPECT_FALSE(IsWhite(image, 68, 245));
    EXPECT_TRUE(IsWhite(image, 65, 245));
    // No grid line at the axis ends.
    EXPECT_TRUE(IsWhite(image, 100, 250));
    EXPECT_TRUE(IsWhite(image, 100, 50));
}

TEST(ValueAxes, hourlyAxisGridStopsShortOfTheEndsExceptOnTheSnowAxis) {
    const CanvasStyles styles = CanvasStyles::Make(1, false);
    const GraphRect graph{0, 0, 800, 500};
    const GraphRect plot{70, 44, 756, 380};
    AxisRecords axes;
    SetupHourlyAxes(axes, graph, plot, 1);
    const AxisRecord& snow = axes[AxisIndex::Snow];
    const AxisRecord& irradiance = axes[AxisIndex::Global];
    QImage image = WhiteImage(800, 500);
    {
        QPainter p(&image);
        DrawHourlyValueAxis(p, snow, plot, styles);
    }
    const int snow100 = snow.ValueToY(100, plot.top);
    const int snow50 = snow.ValueToY(50, plot.top);
    EXPECT_EQ(snow100, plot.top + 335 - 83);
    EXPECT_FALSE(IsWhite(image, plot.left + 2, snow100)); // the last major tick has its grid
    EXPECT_FALSE(IsWhite(image, plot.left + 2, snow50));
    EXPECT_TRUE(IsWhite(image, plot.left + 2, snow.ValueToY(120, plot.top)));
    // 120 is not a multiple of 50: a tick is added at the maximum, to the right.
    EXPECT_FALSE(IsWhite(image, snow.axisX + 4, snow.ValueToY(120, plot.top)));

    QImage second = WhiteImage(800, 500);
    {
        QPainter p(&second);
        DrawHourlyValueAxis(p, irradiance, plot, styles);
    }
    EXPECT_TRUE(IsWhite(second, plot.left + 2, irradiance.ValueToY(3.5, plot.top)));
    EXPECT_FALSE(IsWhite(second, plot.left + 2, irradiance.ValueToY(3.0, plot.top)));
    EXPECT_FALSE(IsWhite(second, irradiance.axisX - 5, irradiance.ValueToY(3.5, plot.top)));
    EXPECT_FALSE(IsWhite(second, irradiance.axisX - 2, irradiance.ValueToY(0.1, plot.top)));
    EXPECT_TRUE(IsWhite(second, irradiance.axisX - 5, irradiance.ValueToY(0.1, plot.top)));
}

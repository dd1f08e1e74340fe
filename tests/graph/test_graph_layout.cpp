#include "graph/graph_layout.h"

#include <gtest/gtest.h>

using namespace quorvane;

TEST(Tooltips, laterAreasLieOnTop) {
    const std::vector<tagGraphToolTip> tips = {{10, 10, 20, 20, "1.00MJ/㎡", 0},
                                               {15, 15, 25, 25, "静穏", 5}};
    EXPECT_EQ(FindTooltipAt(tips, 16, 16), 1);
    EXPECT_EQ(FindTooltipAt(tips, 10, 10), 0);
    EXPECT_EQ(FindTooltipAt(tips, 25, 20), -1);
    EXPECT_EQ(FindTooltipAt({}, 0, 0), -1);
}

TEST(LegendLayout, entryPartsAndClickFrame) {
    CHanreiObj entry;
    entry.label = "30度";
    LayoutLegendEntry(entry, 100, 400, 1);
    EXPECT_EQ(entry.checkBox, (GraphRect{100, 400, 112, 412}));
    EXPECT_EQ(entry.sampleStart, (GraphPoint{116, 406}));
    EXPECT_EQ(entry.sampleEnd, (GraphPoint{144, 406}));
    EXPECT_EQ(entry.markerPos, (GraphPoint{130, 406}));
    EXPECT_EQ(entry.labelPos, (GraphPoint{145, 400}));
    EXPECT_EQ(entry.frame, (GraphRect{98, 397, 145 + 3 * 6, 415}));

    LayoutLegendEntry(entry, 200, 800, 2);
    EXPECT_EQ(entry.checkBox, (GraphRect{200, 800, 224, 824}));
    EXPECT_TRUE(entry.frame.IsEmpty());
}

TEST(Tooltips, pointAreaReachesFivePixelsEachWay) {
    const std::vector<tagGraphToolTip> tips = {PointTooltip(100, 50, "2.35MJ/㎡")};
    EXPECT_EQ(FindTooltipAt(tips, 95, 45), 0);
    EXPECT_EQ(FindTooltipAt(tips, 104, 54), 0);
    EXPECT_EQ(FindTooltipAt(tips, 105, 50), -1);
    EXPECT_EQ(FindTooltipAt(tips, 100, 55), -1);
}

TEST(GraphHits, codesRoundTripAndNegativeCodesAreNothing) {
    for (int code : {0, 7, kHitLegendToggle, kHitWindLegend, kHitPrevious, kHitNext}) {
        EXPECT_EQ(GraphHit::FromCode(code).Code(), code);
    }
    EXPECT_EQ(GraphHit::FromCode(3), (GraphHit{HitKind::LegendEntry, 3}));
    EXPECT_EQ(GraphHit::FromCode(-1).kind, HitKind::Nothing);
    EXPECT_EQ(GraphHit::FromCode(-7).Code(), kHitNothing);
}

TEST(GraphHits, windButtonCountsOnlyWithHorizontalDataAndTheToggleWins) {
    GraphLayout layout = MakeGraphLayout(800, 500, 1);
    PlaceLegendButtons(layout, {120, 12});
    const GraphRect wind = layout.windButton;
    EXPECT_EQ(wind, (GraphRect{765 - 10 - 124, 422, 755, 438}));
    EXPECT_EQ(HitTest(layout, wind.left, wind.top).kind, HitKind::WindLegend);
    layout.dataKind = DataKind::Slope;
    EXPECT_EQ(HitTest(layout, wind.left, wind.top).kind, HitKind::Nothing);

    CHanreiObj entry;
    entry.frame = layout.toggle;
    layout.legend.push_back(entry);
    EXPECT_EQ(HitTest(layout, layout.toggle.left, layout.toggle.top).Code(), kHitLegendToggle);
}

TEST(GraphNav, disabledButtonsHaveNoRectanglesAndLabelsFollowTheStep) {
    GraphLayout layout = MakeGraphLayout(800, 500, 1);
    layout.nav = NavButtons::Disabled;
    PlaceNavButtons(layout);
    EXPECT_TRUE(layout.previous.IsEmpty());
    EXPECT_TRUE(NavLabelBox(layout, 0, {30, 12}).IsEmpty());
    layout.nav = NavButtons::Months;
    PlaceNavButtons(layout);
    EXPECT_EQ(layout.previous, PreviousButtonSlot(layout.graph));
    EXPECT_EQ(NavLabelBox(layout, 0, {30, 12}), (GraphRect{24, 381, 58, 397}));
    EXPECT_EQ(NavLabel(1, NavButtons::Months), "次の月");
    EXPECT_EQ(NavLabel(-1, NavButtons::Days), "");
}

TEST(LegendLayout, japaneseLabelsCountCharactersNotBytes) {
    EXPECT_EQ(LabelLength("水平面全天日射量"), 8);
    EXPECT_EQ(LabelLength("30度"), 3);
    EXPECT_EQ(LabelLength("\xF0\x9F\x98\x80"), 2) << "outside the BMP: two UTF-16 units";
    CHanreiObj entry;
    entry.label = "直達日射量";
    LayoutLegendEntry(entry, 0, 0, 1);
    EXPECT_EQ(entry.frame.right, 45 + 5 * 6);
}

TEST(LegendLayout, toggleShowsAllWhileAnyIsHiddenThenHidesAll) {
    std::vector<CHanreiObj> legend(3);
    EXPECT_EQ(LegendToggleText(legend), "すべてOFF");
    const auto click = [&](GraphHit hit) {
        ApplyHidden(legend, ToggleHidden(HiddenEntries(legend), legend.size(), hit));
    };
    click({HitKind::LegendEntry, 1});
    EXPECT_EQ(LegendToggleText(legend), "すべてON");
    click({HitKind::LegendToggle});
    EXPECT_FALSE(AnyLegendEntryHidden(legend));
    click({HitKind::LegendToggle});
    for (const CHanreiObj& entry : legend) {
        EXPECT_FALSE(entry.visible);
    }
    click({HitKind::LegendEntry, 3}); // outside: nothing
    click({HitKind::WindLegend});
    EXPECT_FALSE(legend[0].visible);
}

TEST(LegendLayout, hiddenEntriesOutlastALegendComposedAgain) {
    // A shorter list of hidden entries leaves the later entries shown; a longer one
    // (the legend of another mode had more entries) is cut to the legend.
    std::vector<CHanreiObj> legend(4);
    ApplyHidden(legend, {false, true});
    EXPECT_EQ(HiddenEntries(legend), (LegendHidden{false, true, false, false}));
    ApplyHidden(legend, {true, true, true, true, true, true});
    EXPECT_FALSE(legend[0].visible);
    EXPECT_EQ(ToggleHidden({}, 2, {HitKind::LegendEntry, 1}), (LegendHidden{false, true}));
}

TEST(MarkerKinds, slopeAndMonthlySeriesShareShapesButTheCrossAndStroke) {
    for (int series = 0; series <= 12; ++series) {
        if (series == 2 || series == 10) {
            EXPECT_NE(MonthlyMarkerKind(series), SlopeMarkerKind(series)) << series;
        } else {
            EXPECT_EQ(MonthlyMarkerKind(series), SlopeMarkerKind(series)) << series;
        }
    }
    EXPECT_EQ(MonthlyMarkerKind(kMonthlyAverageMarker), MarkerKind::Disc);
    EXPECT_EQ(MonthlyMarkerKind(kMonthlyMinimumMarker), MarkerKind::FlatBar);
    EXPECT_EQ(MonthlyMarkerKind(13), MarkerKind::None);
    EXPECT_EQ(SlopeMarkerKind(14), MarkerKind::None);
    EXPECT_EQ(HorizontalMarkerKind(5), MarkerKind::WindBarb);
    EXPECT_EQ(HorizontalMarkerKind(6), MarkerKind::None) << "the spare series has no marker";
    EXPECT_EQ(HorizontalMarkerKind(-1), MarkerKind::None);
}

TEST(GraphAxes, slopeAxisSetupLeavesTheHorizontalAxesAlone) {
    AxisRecords axes{};
    const GraphRect graph{0, 0, 800, 500};
    const GraphRect plot{70, 44, 756, 380};
    SetupHourlyAxes(axes, graph, plot, 1);
    axes[AxisIndex::Slope] = SlopeDailyAxis(plot, 1);
    SetupDailyAxes(axes, graph, plot, 1);
    EXPECT_EQ(axes[AxisIndex::Slope].maximum, 40) << "kept across the horizontal setup";
    EXPECT_EQ(axes[AxisIndex::Global].maximum, 35);
    EXPECT_EQ(axes[AxisIndex::Temperature].name, "気温");
    EXPECT_EQ(axes[AxisIndex::Precipitation].ValueToY(300, plot.top), plot.top + 80 + 120);
}

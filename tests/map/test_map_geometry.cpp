#include "map/map_geometry.h"
#include "map/mesh_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quorvane;

TEST(MeshCode, TokyoExample) {
    EXPECT_EQ(GetMesh1Code(139.7667, 35.6833), 5339);
    EXPECT_EQ(GetMesh2Code(139.7667, 35.6833), 533946);
    EXPECT_EQ(GetMesh3Code(139.7667, 35.6833), 53394611);
    EXPECT_EQ(GetMapSheetCode(139.7667, 35.6833), 53394);
}

TEST(MeshCode, PointsOnSquareEdgesBelongToTheSquareNorthAndEast) {
    // 36° N and 140° E are corners of first-order squares.
    EXPECT_EQ(GetMesh1Code(140.0, 36.0), 5440);
    EXPECT_EQ(GetMesh3Code(140.0, 36.0), 54400000);
    EXPECT_EQ(GetMapSheetCode(140.0, 36.0), 54401);
    // 35.75° N is the south edge of second-order row 5 of square 5339 and 139.75° E
    // the west edge of column 6; a computation through 53 × 2/3 lands a hair short.
    EXPECT_EQ(GetMesh2Code(139.75, 35.75), 533956);
    EXPECT_EQ(GetMesh3Code(139.75, 35.75), 53395600);
    // Third-order edges that are not exact in binary: 35°45′30″ and 139°45′45″.
    EXPECT_EQ(GetMesh3Code(139.0 + 45.0 / 60 + 45.0 / 3600, 35.0 + 45.0 / 60 + 30.0 / 3600),
              53395611);
    // Just below an edge stays in the square to the south and west.
    EXPECT_EQ(GetMesh3Code(139.75 - 1e-7, 35.75 - 1e-7), 53394599);
    EXPECT_EQ(GetMapSheetCode(139.5, 36.0 - 1.0 / 3), 53394) << "sheet corner";
    EXPECT_EQ(GetMapSheetCode(139.5 - 1e-9, 36.0 - 1.0 / 3 - 1e-9), 53391);
}

TEST(MeshCode, PointsWithoutACodeGiveMinusOne) {
    EXPECT_EQ(GetMesh1Code(99.9, 35.0), -1);
    EXPECT_EQ(GetMesh3Code(139.0, -0.1), -1);
    EXPECT_EQ(GetMapSheetCode(200.0, 35.0), -1);
    EXPECT_EQ(GetMapSheetCode(0.0, 0.0), -1);
    EXPECT_EQ(GetMesh2Code(139.0, 66.7), -1);
    EXPECT_EQ(GetMesh3Code(std::nan(""), 35.0), -1);
}

TEST(MeshCode, Mesh3RectContainsItsPointsAndTilesTheSquare) {
    CDRect r = GetMesh3Rect(53394611);
    EXPECT_DOUBLE_EQ(r.left, 139.7625);
    EXPECT_DOUBLE_EQ(r.right, 139.775);
    EXPECT_DOUBLE_EQ(r.bottom, 35.675);
    EXPECT_DOUBLE_EQ(r.top, 35.68333333333333);
    EXPECT_TRUE(r.Contains(139.7667, 35.6833));
    // Neighbours share their edges exactly, and a rectangle's corner codes back to it.
    EXPECT_EQ(GetMesh3Rect(53394612).left, r.right);
    EXPECT_EQ(GetMesh3Rect(53394621).bottom, r.top);
    for (int code : {53394611, 53390000, 53397799, 36226729, 68480000}) {
        CDRect m = GetMesh3Rect(code);
        EXPECT_EQ(GetMesh3Code(m.left, m.bottom), code);
        EXPECT_EQ(GetMesh3Code((m.left + m.right) / 2, (m.top + m.bottom) / 2), code);
    }
}

TEST(MapSheet, RectanglesAndViews) {
    CDRect sheet = GetSheetRect(53394);
    EXPECT_DOUBLE_EQ(sheet.left, 139.5);
    EXPECT_DOUBLE_EQ(sheet.right, 140.0);
    EXPECT_DOUBLE_EQ(sheet.bottom, 35.666666666666664);
    EXPECT_DOUBLE_EQ(sheet.top, 36.0);
    EXPECT_EQ(GetSheetRect(53391).left, 139.0);
    EXPECT_DOUBLE_EQ(GetSheetRect(53391).bottom, 35.333333333333336);

    CDRect view = GetSheetViewRect(53394);
    EXPECT_NEAR(view.top - view.bottom, 5.0 / 12, 1e-12);
    double half = (5.0 / 12) * 554 / 432 * 1.5 * 0.8024394158241053 * 0.5;
    EXPECT_NEAR(view.left, 139.75 - half, 1e-12);
    EXPECT_NEAR(view.right, 139.75 + half, 1e-12);
    EXPECT_GT(view.right - view.left, 0.5);
}

TEST(MapSheet, Neighbours) {
    using enum SheetDirection;
    EXPECT_EQ(GetNeighbourSheet(53391, West), 53382);
    EXPECT_EQ(GetNeighbourSheet(53391, East), 53392);
    EXPECT_EQ(GetNeighbourSheet(53391, South), 52393);
    EXPECT_EQ(GetNeighbourSheet(53391, North), 53393);
    EXPECT_EQ(GetNeighbourSheet(53392, East), 53401);
    EXPECT_EQ(GetNeighbourSheet(53392, South), 52394);
    EXPECT_EQ(GetNeighbourSheet(53393, West), 53384);
    EXPECT_EQ(GetNeighbourSheet(53393, North), 54391);
    EXPECT_EQ(GetNeighbourSheet(53394, West), 53393);
    EXPECT_EQ(GetNeighbourSheet(53394, East), 53403);
    EXPECT_EQ(GetNeighbourSheet(53394, South), 53392);
    EXPECT_EQ(GetNeighbourSheet(53394, North), 54392);
    for (int sheet : {53390, 53395, 53399, -53394}) {
        EXPECT_EQ(GetNeighbourSheet(sheet, North), sheet);
    }
    EXPECT_EQ(GetNeighbourSheet(53394, 4), -1);
    EXPECT_EQ(GetNeighbourSheet(53394, -1), -1);
    // Every neighbour's rectangle really adjoins.
    for (int sheet : {53391, 53392, 53393, 53394}) {
        CDRect r = GetSheetRect(sheet);
        EXPECT_DOUBLE_EQ(GetSheetRect(GetNeighbourSheet(sheet, West)).right, r.left);
        EXPECT_DOUBLE_EQ(GetSheetRect(GetNeighbourSheet(sheet, East)).left, r.right);
        EXPECT_NEAR(GetSheetRect(GetNeighbourSheet(sheet, South)).top, r.bottom, 1e-12);
        EXPECT_NEAR(GetSheetRect(GetNeighbourSheet(sheet, North)).bottom, r.top, 1e-12);
    }
}

TEST(Projection, RoundsHalfUpAndInvertsWithoutRounding) {
    PixelRect inner = MapInnerRect();
    EXPECT_EQ(inner, (PixelRect{70, 45, 624, 477}));
    CDRect geo{130.0, 40.0, 140.0, 30.0};
    EXPECT_EQ(GeoToPixel({130.0, 30.0}, geo, inner), (PixelPoint{70, 477}));
    EXPECT_EQ(GeoToPixel({140.0, 40.0}, geo, inner), (PixelPoint{624, 45}));
    EXPECT_EQ(GeoToPixel({135.0, 35.0}, geo, inner), (PixelPoint{347, 261}));
    // 0.5 pixel rounds up; a negative offset truncates toward zero after adding 0.5.
    EXPECT_EQ(GeoToPixel({130.0 + 10.0 / 554 * 0.501, 30.0}, geo, inner).x, 71);
    EXPECT_EQ(GeoToPixel({130.0 + 10.0 / 554 * 0.499, 30.0}, geo, inner).x, 70);
    EXPECT_EQ(GeoToPixel({130.0 - 10.0 / 554 * 1.2, 30.0}, geo, inner).x, 70);
    EXPECT_EQ(GeoToPixel({130.0 - 10.0 / 554 * 1.6, 30.0}, geo, inner).x, 69);
    CDPoint back = PixelToGeo(347, 261, geo, inner);
    EXPECT_DOUBLE_EQ(back.x, 130.0 + 277.0 / 554 * 10);
    EXPECT_DOUBLE_EQ(back.y, 30.0 + 10.0 * 216 / 432);
    EXPECT_EQ(MapInnerRect(800, 600), (PixelRect{70, 45, 730, 555}));
}

TEST(Tables, InsetsAndDisplayShifts) {
    EXPECT_EQ(BlockInsetOffsets(6), (PixelOffset{70, -420}));
    EXPECT_EQ(BlockInsetOffsets(8), (PixelOffset{98, -140}));
    EXPECT_EQ(BlockInsetOffsets(9), (PixelOffset{-113, -166}));
    for (int block : {0, 1, 5, 7, -1, 10}) {
        EXPECT_EQ(BlockInsetOffsets(block), (PixelOffset{0, 0}));
    }
    EXPECT_EQ(BlockDisplayShift(9), (GeoShift{17.0 / 3600, -14.0 / 3600}));
    EXPECT_EQ(BlockDisplayShift(1).latDeg, -0.003809547115824361);
    EXPECT_EQ(BlockDisplayShift(1).lonDeg, 0.002450598611809864);
    EXPECT_EQ(BlockDisplayShift(10), GeoShift{});
}

TEST(DisplayShift, ByLevel) {
    std::vector<CDRect> blocks(10);
    blocks[3] = {138.0, 38.0, 141.0, 34.0};
    blocks[4] = {139.0, 37.0, 142.0, 35.0}; // overlaps block 3: the first one wins
    CDRect view = GetSheetViewRect(53394);
    EXPECT_EQ(GetDisplayShift(MapLevel::National, 3, 0, view, blocks), BlockDisplayShift(0));
    EXPECT_EQ(GetDisplayShift(MapLevel::Block, 5, 0, view, blocks), BlockDisplayShift(5));
    EXPECT_EQ(GetDisplayShift(MapLevel::Block, 47, 0, view, blocks), BlockDisplayShift(0));
    EXPECT_EQ(GetDisplayShift(MapLevel::Area, 47, 7, view, blocks), BlockDisplayShift(7));
    EXPECT_EQ(GetDisplayShift(MapLevel::Area, 47, 12, view, blocks), BlockDisplayShift(0));
    EXPECT_EQ(GetDisplayShift(MapLevel::Mesh, -1, -1, view, blocks), BlockDisplayShift(3));
    EXPECT_EQ(GetDisplayShift(MapLevel::Mesh, -1, -1, GetSheetViewRect(68401), blocks),
              BlockDisplayShift(0));
    EXPECT_EQ(GetDisplayShift(MapLevel::Mesh, -1, -1, view, {}), BlockDisplayShift(0));
}

TEST(FormatDMS, TruncatesToWholeSeconds) {
    EXPECT_EQ(FormatDMS(35.5), "35° 30′ 00″");
    EXPECT_EQ(FormatDMS(35.6833), "35° 40′ 59″");
    EXPECT_EQ(FormatDMS(139.0 + 30.0 / 3600), "139° 00′ 30″");
    EXPECT_EQ(FormatDMS(35.0 + 59.0 / 60 + 59.9 / 3600), "35° 59′ 59″");
    EXPECT_EQ(FormatDMS(0.0), "0° 00′ 00″");
}

TEST(FrameTicks, MeshMapStepsLabelsAndPositions) {
    PixelRect inner = MapInnerRect();
    CDRect view{139.5, 36.0, 140.0, 35.5};
    auto ticks = ComputeFrameTicks(MapLevel::Mesh, view, inner, {}, {});
    std::vector<FrameTick> top, left;
    for (const FrameTick& t : ticks) {
        if (t.edge == FrameEdge::Top) {
            top.push_back(t);
        } else if (t.edge == FrameEdge::Left) {
            left.push_back(t);
        }
    }
    // One minute of longitude: 29 ticks strictly inside, plus the east edge itself.
    ASSERT_EQ(top.size(), 30u);
    EXPECT_EQ(std::count_if(ticks.begin(), ticks.end(),
                            [](const FrameTick& t) { return t.edge == FrameEdge::Bottom; }),
              30);
    EXPECT_FALSE(top[0].major);
    EXPECT_EQ(top[0].to.y, inner.top - kMinorTickLengthPx);
    EXPECT_TRUE(top[9].major) << "139°40′";
    EXPECT_EQ(top[9].label, "139°40′");
    EXPECT_EQ(top[9].positionPx, GeoToPixel({139.0 + 40.0 / 60, 35.5}, view, inner).x);
    EXPECT_EQ(top[9].to, (PixelPoint{top[9].positionPx, inner.top - kMajorTickLengthPx}));
    EXPECT_EQ(top[9].labelAnchor, (PixelPoint{top[9].positionPx + 6, inner.top - 16}));
    EXPECT_EQ(top.back().positionPx, inner.right);
    // Latitude majors every 5′.
    ASSERT_EQ(left.size(), 30u);
    EXPECT_TRUE(left[4].major);
    EXPECT_EQ(left[4].label, "35°35′");
    EXPECT_EQ(left[4].labelAnchor, (PixelPoint{inner.left - 38, left[4].positionPx - 4}));
}

TEST(FrameTicks, ShiftAndSlideOffsetMoveTheLabels) {
    PixelRect inner = MapInnerRect();
    CDRect view{139.5, 36.0, 140.0, 35.5};
    auto plain = ComputeFrameTicks(MapLevel::Mesh, view, inner, {}, {});
    auto shifted = ComputeFrameTicks(MapLevel::Mesh, view, inner, {0.25, 0.0}, {});
    auto firstMajorTop = [](const std::vector<FrameTick>& ticks) {
        return *std::find_if(ticks.begin(), ticks.end(), [](const FrameTick& t) {
            return t.edge == FrameEdge::Top && t.major;
        });
    };
    EXPECT_EQ(firstMajorTop(plain).label, "139°40′");
    EXPECT_EQ(firstMajorTop(shifted).label, "139°50′");
    // The label names the shifted longitude; the tick stands where that longitude
    // minus the shift lies on the picture.
    EXPECT_NEAR(firstMajorTop(shifted).positionPx,
                GeoToPixel({139.0 + 50.0 / 60 - 0.25, 35.5}, view, inner).x, 1);
}

TEST(FrameTicks, NationalAndAreaSteps) {
    PixelRect inner = MapInnerRect();
    auto national =
        ComputeFrameTicks(MapLevel::National, {122.0, 46.0, 150.0, 24.0}, inner, {}, {});
    int majors = 0;
    for (const FrameTick& t : national) {
        if (t.edge == FrameEdge::Top && t.major) {
            ++majors;
            EXPECT_EQ(t.label.back(), '\xb0');
        }
    }
    EXPECT_EQ(majors, 6) << "125, 130, 135, 140, 145 and the east edge at 150";
    auto wideArea = ComputeFrameTicks(MapLevel::Area, {138.0, 37.0, 139.5, 36.0}, inner, {}, {});
    std::vector<std::string> labels;
    for (const FrameTick& t : wideArea) {
        if (t.edge == FrameEdge::Bottom && t.major) {
            labels.push_back(t.label);
        }
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"138°20′", "138°40′", "139°00′", "139°20′"}));
}

TEST(MeshGrid, LinesEvery45And30Seconds) {
    PixelRect inner = MapInnerRect();
    CDRect view{139.5, 36.0, 140.0, 35.5};
    auto lines = ComputeMeshGrid(view, inner);
    // 40 columns and 60 rows per half degree; the east and north edges are included.
    ASSERT_EQ(lines.size(), 40u + 60u);
    EXPECT_EQ(lines[0], (PixelLine{{GeoToPixel({139.5125, 36.0}, view, inner).x, inner.top},
                                   {GeoToPixel({139.5125, 36.0}, view, inner).x, inner.bottom}}));
    EXPECT_EQ(lines[40].from.x, inner.left);
    EXPECT_EQ(lines[40].to.x, inner.right);
}

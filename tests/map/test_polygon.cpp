#include "map/polygon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

using namespace quorvane;

namespace {

std::vector<CDPoint> SortedVertices(std::vector<CDPoint> points) {
    std::sort(points.begin(), points.end(), [](const CDPoint& a, const CDPoint& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    return points;
}

double TotalArea(const std::vector<CPolygon>& pieces) {
    double area = 0.0;
    for (const CPolygon& piece : pieces) {
        area += SignedArea(piece.points);
    }
    return area;
}

int PiecesContaining(const std::vector<CPolygon>& pieces, const CDPoint& p) {
    int count = 0;
    for (const CPolygon& piece : pieces) {
        count += PointInPolygon(piece, p) == kPointInside;
    }
    return count;
}

CPolygon Square(double left, double bottom, double size) {
    return CPolygon({{left, bottom},
                     {left + size, bottom},
                     {left + size, bottom + size},
                     {left, bottom + size}});
}

// Clipping against a convex polygon, one half-plane at a time: bridges separate
// pieces with zero-width seams, but its area is exact, which makes it a reference.
std::vector<CDPoint> ClipConvexReference(std::vector<CDPoint> subject,
                                         const std::vector<CDPoint>& convexCcw) {
    for (std::size_t k = 0; k < convexCcw.size() && !subject.empty(); ++k) {
        const CDPoint& a = convexCcw[k];
        const CDPoint& b = convexCcw[(k + 1) % convexCcw.size()];
        auto side = [&](const CDPoint& p) {
            return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
        };
        std::vector<CDPoint> next;
        for (std::size_t i = 0; i < subject.size(); ++i) {
            const CDPoint& p = subject[i];
            const CDPoint& q = subject[(i + 1) % subject.size()];
            double sp = side(p);
            double sq = side(q);
            if (sp >= 0) {
                next.push_back(p);
            }
            if ((sp >= 0) != (sq >= 0)) {
                double t = sp / (sp - sq);
                next.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
            }
        }
        subject = std::move(next);
    }
    return subject;
}

CPolygon RandomStar(std::mt19937& rng, CDPoint centre, double radius, int vertices) {
    std::uniform_real_distribution<double> r(0.2 * radius, radius);
    std::vector<CDPoint> points;
    for (int i = 0; i < vertices; ++i) {
        double angle = 2 * 3.141592653589793 * i / vertices;
        double length = r(rng);
        points.push_back(
            {centre.x + length * std::cos(angle), centre.y + length * std::sin(angle)});
    }
    return CPolygon(std::move(points));
}

// A skyline over x = 0..heights.size() on the unit grid (simple, concave).
CPolygon Skyline(const std::vector<int>& heights, bool fromLeft) {
    std::vector<CDPoint> points{{0, 0}};
    int width = static_cast<int>(heights.size());
    points.push_back({static_cast<double>(width), 0});
    for (int x = width - 1; x >= 0; --x) {
        points.push_back({x + 1.0, static_cast<double>(heights[x])});
        points.push_back({static_cast<double>(x), static_cast<double>(heights[x])});
    }
    if (fromLeft) {
        for (CDPoint& p : points) {
            std::swap(p.x, p.y);
        }
    }
    CPolygon polygon;
    polygon.SetPoints(std::move(points)); // drops the repeated corners of equal heights
    return polygon;
}

// Every vertex and every pair of non-adjacent edges, tested directly: the reference
// for the sweep, whatever the shape.
bool PolygonIsValidByAllPairs(const CPolygon& polygon) {
    const std::vector<CDPoint>& v = polygon.points;
    std::size_t n = v.size();
    if (n < 3) {
        return false;
    }
    for (const CDPoint& p : v) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            return false;
        }
    }
    std::vector<CDPoint> sorted = SortedVertices(v);
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) {
                continue;
            }
            if (SegmentIntersection(v[i], v[(i + 1) % n], v[j], v[(j + 1) % n]) != kSegmentsApart) {
                return false;
            }
        }
    }
    return true;
}

// Up the left side in teeth one unit wide, closed along the right: valid, and every
// edge overlaps every other in x.
std::vector<CDPoint> ZigZag(int teeth, double step) {
    std::vector<CDPoint> points;
    for (int i = 0; i < teeth; ++i) {
        points.push_back({static_cast<double>(i % 2), step * i});
    }
    points.push_back({1.5, step * (teeth - 1)});
    points.push_back({1.5, 0.0});
    return points;
}

} // namespace

TEST(PolygonNormalise, RemovesRepeatsAndTheClosingVertex) {
    CPolygon polygon;
    EXPECT_TRUE(polygon.SetPoints({{0, 0}, {1, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}));
    EXPECT_EQ(polygon.points, (std::vector<CDPoint>{{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
}

TEST(PolygonValidity, RejectsDegenerateAndSelfCrossingOutlines) {
    CPolygon polygon;
    EXPECT_FALSE(polygon.SetPoints({{0, 0}, {1, 0}, {0, 0}}));
    EXPECT_FALSE(polygon.SetPoints({{0, 0}, {1, 1}, {1, 0}, {0, 1}})) << "bow-tie";
    EXPECT_FALSE(polygon.SetPoints({{0, 0}, {1, 0}, {0, 1}, {1, 1}}))
        << "bow-tie crossing through the closing edge";
    EXPECT_FALSE(polygon.SetPoints({{0, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 2}, {1, 1}}))
        << "a vertex repeated";
    EXPECT_FALSE(polygon.SetPoints({{0, 0}, {4, 0}, {4, 4}, {2, 0.000001}, {0, 4}}))
        << "a vertex within the tolerance of a non-adjacent edge";
    EXPECT_TRUE(polygon.SetPoints({{0, 0}, {4, 0}, {4, 4}, {2, 1}, {0, 4}})) << "concave";
    EXPECT_TRUE(polygon.SetPoints({{0, 0}, {1, 0}, {0, 1}}));
}

TEST(PolygonValidity, EveryCheckAgreesWithTestingEveryPair) {
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> count(3, 12);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> cell(0, 3);
    std::uniform_int_distribution<int> nudge(-3, 3);
    int valid = 0;
    int invalid = 0;
    auto compare = [&](const std::vector<CDPoint>& points, const char* family, int round) {
        CPolygon polygon(points);
        bool expected = PolygonIsValidByAllPairs(polygon);
        for (PolygonCheck check :
             {PolygonCheck::kFastest, PolygonCheck::kPairsByX, PolygonCheck::kOrderedSweep}) {
            ASSERT_EQ(PolygonIsValid(polygon, check), expected)
                << family << " round " << round << " check " << static_cast<int>(check);
        }
        (expected ? valid : invalid) += 1;
    };
    for (int round = 0; round < 3000; ++round) {
        int n = count(rng);
        std::vector<CDPoint> scattered, grid, nearGrid;
        for (int i = 0; i < n; ++i) {
            scattered.push_back({unit(rng), unit(rng)});
            // A 4 x 4 grid: collinear overlaps, vertices on edges, shared points.
            CDPoint p{static_cast<double>(cell(rng)), static_cast<double>(cell(rng))};
            grid.push_back(p);
            // The same within the tolerance: meetings decided by the tolerance alone.
            nearGrid.push_back({p.x + nudge(rng) * 0.4 * kPolygonTolerance,
                                p.y + nudge(rng) * 0.4 * kPolygonTolerance});
        }
        compare(scattered, "scattered", round);
        compare(grid, "grid", round);
        compare(nearGrid, "near grid", round);
    }
    for (int round = 0; round < 300; ++round) {
        // Valid stars with one vertex thrown somewhere: some still valid, most not.
        std::vector<CDPoint> star = RandomStar(rng, {0.5, 0.5}, 0.5, 8 + round % 60).points;
        compare(star, "star", round);
        star[round % star.size()] = {unit(rng), unit(rng)};
        compare(star, "thrown star", round);
        // Zig-zags whose teeth are pushed into their neighbours now and then.
        std::vector<CDPoint> teeth = ZigZag(20 + round % 40, 0.01);
        teeth[1 + round % 17].y += (round % 3) * 0.01;
        compare(teeth, "zig-zag", round);
    }
    EXPECT_GT(valid, 500);
    EXPECT_GT(invalid, 500);
}

TEST(PolygonValidity, LongZigZagsAreJudgedWithoutTestingEveryPair) {
    // 50,000 edges that all overlap in x: the old pairwise sweep took seconds here.
    std::vector<CDPoint> points = ZigZag(50000, 0.0001);
    EXPECT_TRUE(PolygonIsValid(CPolygon(points)));
    // One tooth pushed up through the next one, in the middle of the outline.
    points[25001].y += 0.00025;
    EXPECT_FALSE(PolygonIsValid(CPolygon(points)));
    points[25001].y -= 0.00025;
    // A tooth tip pulled halfway across, through the edge beyond its neighbour.
    points[30000].y = points[30002].y - 0.5 * kPolygonTolerance;
    points[30000].x = 0.5;
    EXPECT_FALSE(PolygonIsValid(CPolygon(points)));
}

TEST(SegmentIntersection, ClassifiesHowSegmentsMeet) {
    CDPoint at;
    EXPECT_EQ(SegmentIntersection({0, 0}, {2, 2}, {0, 2}, {2, 0}, &at), kSegmentsCross);
    EXPECT_NEAR(at.x, 1.0, 1e-12);
    EXPECT_NEAR(at.y, 1.0, 1e-12);
    EXPECT_EQ(SegmentIntersection({0, 0}, {2, 0}, {1, 0}, {1, 5}), kSegmentsEndOnEdge);
    EXPECT_EQ(SegmentIntersection({0, 0}, {2, 0}, {2, 0}, {3, 5}), kSegmentsEndToEnd);
    EXPECT_EQ(SegmentIntersection({0, 0}, {2, 0}, {0, 1}, {2, 1}), kSegmentsApart) << "parallel";
    EXPECT_EQ(SegmentIntersection({0, 0}, {1, 1}, {3, 0}, {2, 1}), kSegmentsApart)
        << "the lines meet beyond both segments";
    EXPECT_EQ(SegmentIntersection({0, 0}, {2, 0}, {1, 0.000005}, {1, 5}), kSegmentsEndOnEdge)
        << "an end within the tolerance";
}

TEST(PointInPolygon, VerticesEdgesInsideAndOutside) {
    CPolygon notch({{0, 0}, {4, 0}, {4, 4}, {2, 2}, {0, 4}});
    EXPECT_EQ(PointInPolygon(notch, {4, 4}), kPointOnVertex);
    EXPECT_EQ(PointInPolygon(notch, {2, 0}), kPointOnBoundary) << "horizontal edge";
    EXPECT_EQ(PointInPolygon(notch, {4, 1}), kPointOnBoundary) << "vertical edge";
    EXPECT_EQ(PointInPolygon(notch, {3, 3}), kPointOnBoundary) << "slanted edge";
    EXPECT_EQ(PointInPolygon(notch, {1, 1}), kPointInside);
    EXPECT_EQ(PointInPolygon(notch, {2, 3}), kPointOutside) << "in the notch";
    EXPECT_EQ(PointInPolygon(notch, {2, 2.001}), kPointOutside);
    EXPECT_EQ(PointInPolygon(notch, {2, 2.000001}), kPointOnBoundary) << "within the tolerance";
    EXPECT_EQ(PointInPolygon(notch, {5, 1}), kPointOutside);
    EXPECT_EQ(PointInPolygon(notch, {1, 2}), kPointInside) << "level with the notch vertex";
    EXPECT_EQ(PointInPolygon(CPolygon({{0, 0}, {1, 1}}), {0, 0}), kNotAPolygon);
}

TEST(PointInArea, OutlinePointsBelongToNoArea) {
    std::vector<CPolygon> outline{Square(0, 0, 1), Square(2, 0, 1)};
    EXPECT_TRUE(PointInArea(outline, {2.5, 0.5}));
    EXPECT_FALSE(PointInArea(outline, {1.5, 0.5}));
    EXPECT_FALSE(PointInArea(outline, {1.0, 0.5}));
    EXPECT_FALSE(PointInArea(outline, {2.0, 0.0}));
}

TEST(IntersectPolygons, ConvexOverlap) {
    std::vector<CPolygon> out;
    ASSERT_EQ(IntersectPolygons(Square(0, 0, 2), Square(1, 1, 2), out), 1);
    EXPECT_DOUBLE_EQ(TotalArea(out), 1.0);
    EXPECT_EQ(SortedVertices(out[0].points), SortedVertices({{1, 1}, {2, 1}, {2, 2}, {1, 2}}));
}

TEST(IntersectPolygons, OneInsideTheOther) {
    std::vector<CPolygon> out;
    CPolygon area({{0, 0}, {10, 0}, {10, 10}, {5, 6}, {0, 10}});
    CPolygon view = RectanglePolygon({2, 4, 8, 1}); // left, top, right, bottom
    ASSERT_EQ(IntersectPolygons(area, view, out), 1) << "view inside the area";
    EXPECT_DOUBLE_EQ(TotalArea(out), 18.0);
    EXPECT_EQ(SortedVertices(out[0].points), SortedVertices(view.points));

    ASSERT_EQ(IntersectPolygons(area, RectanglePolygon({-1, 20, 20, -1}), out), 1)
        << "area inside the view";
    EXPECT_EQ(SortedVertices(out[0].points), SortedVertices(area.points));

    EXPECT_EQ(IntersectPolygons(area, RectanglePolygon({20, 5, 30, 1}), out), 0);
    EXPECT_EQ(IntersectPolygons(area, RectanglePolygon({4, 9, 6, 7}), out), 0)
        << "view in the notch, inside the area's bounding box";
}

TEST(IntersectPolygons, ConcaveSubjectCutIntoSeparatePieces) {
    // A U whose two arms the view crosses: two rectangles, not one bridged polygon.
    CPolygon u({{0, 0}, {5, 0}, {5, 5}, {4, 5}, {4, 1}, {1, 1}, {1, 5}, {0, 5}});
    std::vector<CPolygon> out;
    ASSERT_EQ(IntersectPolygons(u, RectanglePolygon({-1, 4, 6, 2}), out), 2);
    std::vector<std::vector<CDPoint>> pieces;
    for (const CPolygon& piece : out) {
        EXPECT_TRUE(PolygonIsValid(piece));
        EXPECT_DOUBLE_EQ(SignedArea(piece.points), 2.0);
        pieces.push_back(SortedVertices(piece.points));
    }
    std::sort(pieces.begin(), pieces.end(),
              [](const auto& a, const auto& b) { return a[0].x < b[0].x; });
    EXPECT_EQ(pieces[0], SortedVertices({{0, 2}, {1, 2}, {1, 4}, {0, 4}}));
    EXPECT_EQ(pieces[1], SortedVertices({{4, 2}, {5, 2}, {5, 4}, {4, 4}}));
}

TEST(IntersectPolygons, SeveralCrossingsOnOneEdge) {
    // A comb of five teeth; the view's bottom edge crosses every tooth twice.
    CPolygon comb = Skyline({1, 3, 1, 3, 1, 3, 1, 3, 1, 3, 1}, false);
    std::vector<CPolygon> out;
    ASSERT_EQ(IntersectPolygons(comb, RectanglePolygon({-1, 2.5, 12, 2}), out), 5);
    EXPECT_DOUBLE_EQ(TotalArea(out), 5 * 0.5);
    ASSERT_EQ(IntersectPolygons(comb, RectanglePolygon({-1, 2.5, 12, 0.5}), out), 1)
        << "the base joins the teeth";
    EXPECT_DOUBLE_EQ(TotalArea(out), 11 * 0.5 + 5 * 1.5);
}

TEST(IntersectPolygons, TouchingAndSharedEdges) {
    std::vector<CPolygon> out;
    EXPECT_EQ(IntersectPolygons(Square(0, 0, 1), Square(1, 0, 1), out), 0) << "shared edge only";
    EXPECT_EQ(IntersectPolygons(Square(0, 0, 1), Square(1, 1, 1), out), 0) << "shared corner only";
    ASSERT_EQ(IntersectPolygons(Square(0, 0, 2), Square(0, 0, 1), out), 1)
        << "two edges shared in the same direction";
    EXPECT_EQ(SortedVertices(out[0].points), SortedVertices(Square(0, 0, 1).points));
    ASSERT_EQ(IntersectPolygons(Square(0, 0, 2), Square(0, 0, 2), out), 1) << "identical";
    EXPECT_DOUBLE_EQ(TotalArea(out), 4.0);
    ASSERT_EQ(IntersectPolygons(Square(0, 0, 2), Square(0, 0.5, 1), out), 1)
        << "collinear edges overlapping in part";
    EXPECT_DOUBLE_EQ(TotalArea(out), 1.0);
}

TEST(IntersectPolygons, VerticesExactlyOnTheOtherOutline) {
    std::vector<CPolygon> out;
    CPolygon diamond({{1, 0}, {2, 1}, {1, 2}, {0, 1}});
    ASSERT_EQ(IntersectPolygons(diamond, Square(0, 0, 2), out), 1);
    EXPECT_EQ(SortedVertices(out[0].points), SortedVertices(diamond.points));
    ASSERT_EQ(IntersectPolygons(Square(0, 0, 2), diamond, out), 1);
    EXPECT_EQ(SortedVertices(out[0].points), SortedVertices(diamond.points));

    // A notch whose tip touches the view's bottom edge splits the view into two
    // pieces that meet at the tip only.
    CPolygon notched({{0, -5}, {10, -5}, {10, 10}, {6, 10}, {5, 0}, {4, 10}, {0, 10}});
    ASSERT_EQ(IntersectPolygons(notched, RectanglePolygon({2, 5, 8, 0}), out), 2);
    for (const CPolygon& piece : out) {
        EXPECT_TRUE(PolygonIsValid(piece));
        EXPECT_NE(std::find(piece.points.begin(), piece.points.end(), CDPoint{5, 0}),
                  piece.points.end());
    }
    EXPECT_NEAR(TotalArea(out), 30.0 - 2.5, 1e-12);
}

TEST(IntersectPolygons, KeepsTheSubjectsOrientation) {
    CPolygon clockwise({{0, 0}, {0, 2}, {2, 2}, {2, 0}});
    std::vector<CPolygon> out;
    ASSERT_EQ(IntersectPolygons(clockwise, Square(1, 1, 2), out), 1);
    EXPECT_DOUBLE_EQ(SignedArea(out[0].points), -1.0);
}

TEST(IntersectPolygons, LimitsGiveAnError) {
    std::vector<int> heights;
    for (int i = 0; i < 257; ++i) {
        heights.push_back(2);
        heights.push_back(4);
    }
    CPolygon teeth = Skyline(heights, false);
    std::vector<CPolygon> out;
    EXPECT_EQ(IntersectPolygons(teeth, RectanglePolygon({-1, 3.5, 1000, 3}), out), -1);
    EXPECT_TRUE(out.empty());
    heights.resize(512);
    EXPECT_EQ(IntersectPolygons(Skyline(heights, false), RectanglePolygon({-1, 3.5, 1000, 3}), out),
              256);

    std::vector<CDPoint> many;
    for (int i = 0; i <= kMaxPolygonVertices; ++i) {
        double angle = 2 * 3.141592653589793 * i / (kMaxPolygonVertices + 1);
        many.push_back({std::cos(angle), std::sin(angle)});
    }
    EXPECT_EQ(IntersectPolygons(CPolygon(many), Square(0, 0, 2), out), -1);
}

TEST(IntersectPolygons, RandomStarsAgainstViewRectanglesMatchConvexClipping) {
    std::mt19937 rng(20261207);
    std::uniform_real_distribution<double> coordinate(-1.5, 1.5);
    for (int round = 0; round < 300; ++round) {
        CPolygon star = RandomStar(rng, {0, 0}, 1.0, 8 + round % 60);
        double x1 = coordinate(rng), x2 = coordinate(rng), y1 = coordinate(rng),
               y2 = coordinate(rng);
        CDRect view{std::min(x1, x2), std::max(y1, y2), std::max(x1, x2), std::min(y1, y2)};
        CPolygon rect = RectanglePolygon(view);
        std::vector<CDPoint> ccwRect(rect.points.rbegin(), rect.points.rend());
        double expected = SignedArea(ClipConvexReference(star.points, ccwRect));
        std::vector<CPolygon> out;
        ASSERT_GE(IntersectPolygons(star, rect, out), 0);
        EXPECT_NEAR(TotalArea(out), expected, 1e-9) << "round " << round;
        for (const CPolygon& piece : out) {
            EXPECT_TRUE(PolygonIsValid(piece)) << "round " << round;
        }
        for (int k = 0; k < 50; ++k) {
            CDPoint p{coordinate(rng), coordinate(rng)};
            bool inBoth = PointInPolygon(star, p) == kPointInside && view.Contains(p.x, p.y);
            EXPECT_EQ(PiecesContaining(out, p), inBoth ? 1 : 0) << "round " << round;
        }
    }
}

TEST(IntersectPolygons, RandomStarsAgainstEachOtherCoverTheIntersectionOnce) {
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        CPolygon a = RandomStar(rng, {0, 0}, 1.0, 12 + round % 30);
        CPolygon b = RandomStar(rng, {0.3, -0.2}, 1.0, 12 + round % 17);
        std::vector<CPolygon> out;
        ASSERT_GE(IntersectPolygons(a, b, out), 0);
        int samples = 0;
        int inside = 0;
        for (double x = -1.5; x <= 1.5; x += 0.0173) {
            for (double y = -1.5; y <= 1.5; y += 0.0171) {
                bool inBoth = PointInPolygon(a, {x, y}) == kPointInside &&
                              PointInPolygon(b, {x, y}) == kPointInside;
                ASSERT_EQ(PiecesContaining(out, {x, y}), inBoth ? 1 : 0)
                    << "round " << round << " at " << x << "," << y;
                ++samples;
                inside += inBoth;
            }
        }
        double cell = 0.0173 * 0.0171;
        EXPECT_NEAR(TotalArea(out), inside * cell, 0.05 + 0.02 * TotalArea(out)) << samples;
    }
}

TEST(IntersectPolygons, GridSkylinesWithSharedEdgesAndTouchingPieces) {
    // Outlines on the unit grid meet in every degenerate way: collinear overlaps,
    // vertices on edges and on vertices, pieces touching at corners. The unit cells
    // give an exact reference: each cell centre lies in one piece exactly when it
    // lies in both polygons.
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> height(1, 7);
    for (int round = 0; round < 400; ++round) {
        std::vector<int> up(8), side(8);
        for (int& h : up) {
            h = height(rng);
        }
        for (int& h : side) {
            h = height(rng);
        }
        CPolygon a = Skyline(up, false);
        CPolygon b = Skyline(side, true);
        ASSERT_TRUE(PolygonIsValid(a));
        ASSERT_TRUE(PolygonIsValid(b));
        std::vector<CPolygon> out;
        ASSERT_GE(IntersectPolygons(a, b, out), 0);
        double cells = 0;
        for (int x = 0; x < 8; ++x) {
            for (int y = 0; y < 8; ++y) {
                CDPoint centre{x + 0.5, y + 0.5};
                bool inBoth = y < up[x] && x < side[y];
                cells += inBoth;
                ASSERT_EQ(PiecesContaining(out, centre), inBoth ? 1 : 0)
                    << "round " << round << " cell " << x << "," << y;
            }
        }
        EXPECT_DOUBLE_EQ(TotalArea(out), cells) << "round " << round;
        for (const CPolygon& piece : out) {
            EXPECT_TRUE(PolygonIsValid(piece)) << "round " << round;
        }
    }
}

TEST(IntersectPolygons, CoarseGridStarsAgainstGridRectangles) {
    // Star vertices and view edges on a coarse grid: slanted edges with vertices
    // exactly on view edges and corners, and edges running along view edges.
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> cell(-6, 6);
    int tested = 0;
    for (int round = 0; round < 600; ++round) {
        CPolygon star = RandomStar(rng, {0, 0}, 1.5, 6 + round % 20);
        for (CDPoint& p : star.points) {
            p = {std::round(p.x * 4) / 4, std::round(p.y * 4) / 4};
        }
        if (!star.SetPoints(star.points)) {
            continue;
        }
        int x1 = cell(rng), x2 = cell(rng), y1 = cell(rng), y2 = cell(rng);
        if (x1 == x2 || y1 == y2) {
            continue;
        }
        CDRect view{std::min(x1, x2) / 4.0, std::max(y1, y2) / 4.0, std::max(x1, x2) / 4.0,
                    std::min(y1, y2) / 4.0};
        CPolygon rect = RectanglePolygon(view);
        std::vector<CDPoint> ccwRect(rect.points.rbegin(), rect.points.rend());
        std::vector<CDPoint> ccwStar = star.points;
        if (SignedArea(ccwStar) < 0) {
            std::reverse(ccwStar.begin(), ccwStar.end());
        }
        double expected = SignedArea(ClipConvexReference(ccwStar, ccwRect));
        std::vector<CPolygon> out;
        ASSERT_GE(IntersectPolygons(star, rect, out), 0);
        EXPECT_NEAR(std::fabs(TotalArea(out)), expected, 1e-12) << "round " << round;
        for (const CPolygon& piece : out) {
            EXPECT_TRUE(PolygonIsValid(piece)) << "round " << round;
        }
        // Also with the roles swapped: the view as subject.
        ASSERT_GE(IntersectPolygons(rect, star, out), 0);
        EXPECT_NEAR(std::fabs(TotalArea(out)), expected, 1e-12) << "swapped, round " << round;
        ++tested;
    }
    EXPECT_GT(tested, 300);
}

TEST(IntersectPolygons, VerticesWithinTheToleranceOfTheView) {
    // Vertices a hair off the view's edges are taken as on them; the result never
    // differs from the exact intersection by more than the tolerance's sliver.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> hair(-0.9 * kPolygonTolerance, 0.9 * kPolygonTolerance);
    for (int round = 0; round < 300; ++round) {
        CPolygon star = RandomStar(rng, {0, 0}, 1.5, 10 + round % 40);
        CDRect view{-0.5, 0.5, 0.5, -0.5};
        for (CDPoint& p : star.points) {
            for (double edge : {-0.5, 0.5}) {
                if (std::fabs(p.x - edge) < 0.1) {
                    p.x = edge + hair(rng);
                }
                if (std::fabs(p.y - edge) < 0.1) {
                    p.y = edge + hair(rng);
                }
            }
        }
        if (!star.SetPoints(star.points)) {
            continue;
        }
        CPolygon rect = RectanglePolygon(view);
        std::vector<CDPoint> ccwRect(rect.points.rbegin(), rect.points.rend());
        double expected = SignedArea(ClipConvexReference(star.points, ccwRect));
        std::vector<CPolygon> out;
        ASSERT_GE(IntersectPolygons(star, rect, out), 0);
        EXPECT_NEAR(TotalArea(out), expected, 8 * kPolygonTolerance) << "round " << round;
        for (const CPolygon& piece : out) {
            EXPECT_GT(SignedArea(piece.points), 0.0);
        }
    }
}

TEST(PolygonGeometry, NonFiniteCoordinatesAreHandledSafely) {
    double nan = std::numeric_limits<double>::quiet_NaN();
    double inf = std::numeric_limits<double>::infinity();
    CPolygon polygon;
    EXPECT_FALSE(polygon.SetPoints({{0, 0}, {nan, 0}, {1, 1}, {0, 1}}));
    EXPECT_FALSE(polygon.SetPoints({{0, 0}, {1, 0}, {1, inf}, {0, 1}}));
    std::vector<CPolygon> out;
    CPolygon damaged({{0, 0}, {nan, nan}, {1, 1}, {0, 1}, {nan, 0}, {0.5, nan}});
    EXPECT_EQ(IntersectPolygons(damaged, Square(0, 0, 1), out), 0);
    EXPECT_EQ(IntersectPolygons(Square(0, 0, 1), damaged, out), 0);
    int location =
        PointInPolygon(CPolygon({{0, 0}, {inf, 0.5}, {1, 1}, {-inf, 0.6}, {0, 1}}), {0.5, 0.55});
    EXPECT_TRUE(location >= kPointOutside && location <= kPointInside) << location;
    EXPECT_EQ(PointInPolygon(Square(0, 0, 1), {nan, 0.5}), kPointOutside);
    // Coordinates so large that products overflow give no crossing, not a crash.
    CPolygon huge({{-1e300, -1e300}, {1e300, -1e300}, {1e300, 1e300}, {-1e300, 1e300}});
    EXPECT_GE(
        IntersectPolygons(huge, CPolygon({{-1e300, 0}, {0, -1e300}, {1e300, 0}, {0, 1e300}}), out),
        0);
}

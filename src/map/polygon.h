#pragma once

#include "data/geo_types.h"

#include <span>
#include <vector>

namespace quorvane {

// Degrees; every comparison "within tolerance" of the polygon geometry uses it.
inline constexpr double kPolygonTolerance = 0.00001;
// Vertex lists of the intersection, and the rings it returns, stay below this.
inline constexpr int kMaxPolygonVertices = 5000;
inline constexpr int kMaxIntersectionPolygons = 256;

// One simple polygon of an area outline, in degrees (x = longitude, y = latitude).
// The first vertex is not repeated at the end.
class CPolygon {
public:
    CPolygon() = default;
    explicit CPolygon(std::vector<CDPoint> vertices) : points(std::move(vertices)) {}

    // Takes new vertices, normalises them (see NormalisePolygonPoints) and tells
    // whether the result is a valid polygon.
    bool SetPoints(std::vector<CDPoint> vertices);

    std::vector<CDPoint> points;
    friend bool operator==(const CPolygon&, const CPolygon&) = default;
};

// The polygon of a view rectangle: left-top, right-top, right-bottom, left-bottom.
CPolygon RectanglePolygon(const CDRect& rect);

// Removes each vertex equal to the one before it, and a last vertex equal to the first.
void NormalisePolygonPoints(std::vector<CDPoint>& points);

// How PolygonIsValid looks for meeting edges; every way gives the same answer, and
// the tests compare them. kFastest tries the pairs first and turns to the sweep when
// there are too many of them.
enum class PolygonCheck {
    kFastest,
    kPairsByX,     // pairs whose x ranges overlap: quick on real outlines, quadratic at worst
    kOrderedSweep, // a sweep line over an ordered set of edges: O(n log n)
};

// At least 3 vertices, no vertex repeated, and no two non-adjacent edges meeting
// (segment test below); edges that share a vertex may touch. The closing edge is
// tested like every other.
bool PolygonIsValid(const CPolygon& polygon, PolygonCheck check = PolygonCheck::kFastest);

// Shoelace area in square degrees, positive for counter-clockwise vertices
// (x east, y north).
double SignedArea(std::span<const CDPoint> points);

enum SegmentCrossing {
    kSegmentsApart = 0,
    kSegmentsCross = 1,     // in the interior of both
    kSegmentsEndToEnd = 2,  // at an end point of each
    kSegmentsEndOnEdge = 3, // at an end point of one only
};

// Where segments a1-a2 and b1-b2 meet, within the tolerance. Parallel segments
// never meet. `where` (optional) receives the meeting point.
int SegmentIntersection(const CDPoint& a1, const CDPoint& a2, const CDPoint& b1, const CDPoint& b2,
                        CDPoint* where = nullptr);

enum PointLocation {
    kNotAPolygon = -1,
    kPointOutside = 0,
    kPointOnVertex = 1,
    kPointOnBoundary = 2,
    kPointInside = 3,
};

int PointInPolygon(const CPolygon& polygon, const CDPoint& point);

// True when some polygon of the outline has the point inside; a point on an
// outline belongs to no area.
bool PointInArea(std::span<const CPolygon> outline, const CDPoint& point);

// The intersection of two simple polygons as simple polygons (outputs follow the
// subject's orientation). Returns their number, or -1 when a vertex list or a ring
// would reach kMaxPolygonVertices or more than kMaxIntersectionPolygons pieces
// arise; `output` is then empty.
int IntersectPolygons(const CPolygon& subject, const CPolygon& clip, std::vector<CPolygon>& output);

} // namespace quorvane

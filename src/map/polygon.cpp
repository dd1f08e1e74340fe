#include "map/polygon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <numeric>
#include <optional>
#include <set>
#include <unordered_map>

namespace quorvane {

namespace {

constexpr double kTol = kPolygonTolerance;
// Pairs per edge the pairwise test may try before the sweep takes over.
constexpr std::size_t kPairBudgetPerEdge = 32;

double Cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

// Positive when c lies to the left of the directed line a -> b.
double Orient(const CDPoint& a, const CDPoint& b, const CDPoint& c) {
    return Cross(b.x - a.x, b.y - a.y, c.x - a.x, c.y - a.y);
}

bool WithinRange(double value, double end1, double end2) {
    return value >= std::min(end1, end2) - kTol && value <= std::max(end1, end2) + kTol;
}

bool IsFinite(const CDPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool AllFinite(std::span<const CDPoint> points) {
    return std::all_of(points.begin(), points.end(), IsFinite);
}

bool Coincide(const CDPoint& a, const CDPoint& b) {
    return std::fabs(a.x - b.x) <= kTol && std::fabs(a.y - b.y) <= kTol;
}

struct Box {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

Box BoundsOf(std::span<const CDPoint> points) {
    Box box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const CDPoint& p : points) {
        box.minX = std::min(box.minX, p.x);
        box.maxX = std::max(box.maxX, p.x);
        box.minY = std::min(box.minY, p.y);
        box.maxY = std::max(box.maxY, p.y);
    }
    return box;
}

// Even-odd test without tolerance; only used for points known to be off the outline
// (midpoints of edges that the other outline does not share).
bool InsideRing(std::span<const CDPoint> ring, const CDPoint& p) {
    bool inside = false;
    std::size_t n = ring.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const CDPoint& a = ring[i];
        const CDPoint& b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
            inside = !inside;
        }
    }
    return inside;
}

// True when p lies within the tolerance of the open segment a-b, away from its ends;
// `t` receives its position along the segment (0 at a, 1 at b).
bool OnSegmentInterior(const CDPoint& p, const CDPoint& a, const CDPoint& b, double& t) {
    double dx = b.x - a.x;
    double dy = b.y - a.y;
    double length2 = dx * dx + dy * dy;
    if (length2 == 0.0) {
        return false;
    }
    t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    if (t <= 0.0 || t >= 1.0) {
        return false;
    }
    return std::fabs(Cross(dx, dy, p.x - a.x, p.y - a.y)) <= kTol * std::sqrt(length2);
}

} // namespace

bool CPolygon::SetPoints(std::vector<CDPoint> vertices) {
    points = std::move(vertices);
    NormalisePolygonPoints(points);
    return PolygonIsValid(*this);
}

CPolygon RectanglePolygon(const CDRect& rect) {
    return CPolygon({{rect.left, rect.top},
                     {rect.right, rect.top},
                     {rect.right, rect.bottom},
                     {rect.left, rect.bottom}});
}

void NormalisePolygonPoints(std::vector<CDPoint>& points) {
    auto last = std::unique(points.begin(), points.end());
    points.erase(last, points.end());
    if (points.size() > 1 && points.back() == points.front()) {
        points.pop_back();
    }
}

double SignedArea(std::span<const CDPoint> points) {
    double twice = 0.0;
    std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        twice += Cross(points[j].x, points[j].y, points[i].x, points[i].y);
    }
    return twice * 0.5;
}

int SegmentIntersection(const CDPoint& a1, const CDPoint& a2, const CDPoint& b1, const CDPoint& b2,
                        CDPoint* where) {
    // Each line as a·x + b·y = c, solved by elimination with partial pivoting.
    double rowA[3] = {a2.y - a1.y, a1.x - a2.x, 0.0};
    rowA[2] = rowA[0] * a1.x + rowA[1] * a1.y;
    double rowB[3] = {b2.y - b1.y, b1.x - b2.x, 0.0};
    rowB[2] = rowB[0] * b1.x + rowB[1] * b1.y;
    double* pivot = rowA;
    double* other = rowB;
    if (std::fabs(rowB[0]) > std::fabs(rowA[0])) {
        std::swap(pivot, other);
    }
    double x = 0.0;
    double y = 0.0;
    if (std::fabs(pivot[0]) < kTol) {
        // Both lines nearly horizontal: eliminate on the second column instead.
        if (std::fabs(rowB[1]) > std::fabs(rowA[1])) {
            pivot = rowB;
            other = rowA;
        } else {
            pivot = rowA;
            other = rowB;
        }
        if (std::fabs(pivot[1]) < kTol) {
            return kSegmentsApart;
        }
        double factor = other[1] / pivot[1];
        double a = other[0] - factor * pivot[0];
        if (std::fabs(a) < kTol) {
            return kSegmentsApart;
        }
        x = (other[2] - factor * pivot[2]) / a;
        y = (pivot[2] - pivot[0] * x) / pivot[1];
    } else {
        double factor = other[0] / pivot[0];
        double b = other[1] - factor * pivot[1];
        if (std::fabs(b) < kTol) {
            return kSegmentsApart;
        }
        y = (other[2] - factor * pivot[2]) / b;
        x = (pivot[2] - pivot[1] * y) / pivot[0];
    }
    if (!WithinRange(x, a1.x, a2.x) || !WithinRange(y, a1.y, a2.y) || !WithinRange(x, b1.x, b2.x) ||
        !WithinRange(y, b1.y, b2.y)) {
        return kSegmentsApart;
    }
    CDPoint hit{x, y};
    if (where) {
        *where = hit;
    }
    int ends = Coincide(hit, a1) + Coincide(hit, a2) + Coincide(hit, b1) + Coincide(hit, b2);
    if (ends == 1) {
        return kSegmentsEndOnEdge;
    }
    if (ends == 2) {
        return kSegmentsEndToEnd;
    }
    return kSegmentsCross;
}

namespace {

bool LeftOf(const CDPoint& a, const CDPoint& b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
}

// The edges of a ring, edge i running from vertex i to vertex i + 1 (the last one
// closes the ring), each also held from its left end to its right end.
class RingEdges {
public:
    struct Edge {
        CDPoint left, right;
        double slope; // +infinity for a vertical edge
    };

    explicit RingEdges(const std::vector<CDPoint>& v) : v_(v), n_(v.size()), edges_(v.size()) {
        for (std::size_t i = 0; i < n_; ++i) {
            CDPoint a = v[i];
            CDPoint b = v[(i + 1) % n_];
            if (LeftOf(b, a)) {
                std::swap(a, b);
            }
            double slope =
                a.x == b.x ? std::numeric_limits<double>::infinity() : (b.y - a.y) / (b.x - a.x);
            edges_[i] = {a, b, slope};
        }
    }

    std::size_t size() const { return n_; }
    const Edge& operator[](std::size_t i) const { return edges_[i]; }

    bool Adjacent(std::size_t a, std::size_t b) const {
        std::size_t gap = a > b ? a - b : b - a;
        return gap == 1 || gap == n_ - 1;
    }

    bool Meet(std::size_t a, std::size_t b) const {
        // Edges whose boxes, widened by the tolerance, are apart cannot meet: a cheap
        // test that spares most of the full one.
        const Edge& ea = edges_[a];
        const Edge& eb = edges_[b];
        if (ea.left.x > eb.right.x + 2 * kTol || eb.left.x > ea.right.x + 2 * kTol ||
            std::min(ea.left.y, ea.right.y) > std::max(eb.left.y, eb.right.y) + 2 * kTol ||
            std::min(eb.left.y, eb.right.y) > std::max(ea.left.y, ea.right.y) + 2 * kTol) {
            return false;
        }
        return SegmentIntersection(v_[a], v_[(a + 1) % n_], v_[b], v_[(b + 1) % n_]) !=
               kSegmentsApart;
    }

private:
    const std::vector<CDPoint>& v_;
    std::size_t n_;
    std::vector<Edge> edges_;
};

// Tests the pairs whose widened x ranges overlap, found by sorting the edges by left
// end. Fastest for the short edges of real outlines, but quadratic when long edges
// overlap; gives up (nullopt) after `budget` pairs.
std::optional<bool> EdgesMeetByPairs(const RingEdges& edges, std::size_t budget) {
    struct Span {
        double minX, maxX, minY, maxY;
        std::uint32_t index;
    };
    std::size_t n = edges.size();
    std::vector<Span> spans(n);
    for (std::size_t i = 0; i < n; ++i) {
        const RingEdges::Edge& e = edges[i];
        spans[i] = {e.left.x, e.right.x, std::min(e.left.y, e.right.y),
                    std::max(e.left.y, e.right.y), static_cast<std::uint32_t>(i)};
    }
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.minX < b.minX; });
    for (std::size_t k = 0; k < n; ++k) {
        const Span& e = spans[k];
        double reach = e.maxX + 2 * kTol;
        for (std::size_t l = k + 1; l < n && spans[l].minX <= reach; ++l) {
            if (budget-- == 0) {
                return std::nullopt;
            }
            const Span& f = spans[l];
            if (f.maxY < e.minY - 2 * kTol || f.minY > e.maxY + 2 * kTol ||
                edges.Adjacent(e.index, f.index)) {
                continue;
            }
            if (edges.Meet(e.index, f.index)) {
                return true;
            }
        }
    }
    return false;
}

// Edges ordered by their height at the sweep line, as long as none of them cross; the
// sweep stops at the first pair that meets, so the order never has to survive a crossing.
class HeightOrder {
public:
    explicit HeightOrder(const RingEdges& edges) : edges_(edges) {}

    // Height of edge i on the sweep line, held at its ends beyond them (a vertical edge
    // stands on its lower end).
    double HeightAt(std::size_t i, double x) const {
        const RingEdges::Edge& e = edges_[i];
        if (x <= e.left.x || std::isinf(e.slope)) {
            return e.left.y;
        }
        if (x >= e.right.x) {
            return e.right.y;
        }
        return e.left.y + (x - e.left.x) * e.slope;
    }

    bool operator()(std::size_t a, std::size_t b) const {
        double ya = HeightAt(a, x_);
        double yb = HeightAt(b, x_);
        if (ya != yb) {
            return ya < yb;
        }
        // Edges leaving one height: the flatter one stays below to the right.
        if (edges_[a].slope != edges_[b].slope) {
            return edges_[a].slope < edges_[b].slope;
        }
        return a < b;
    }

    void MoveTo(double x) { x_ = x; }

private:
    const RingEdges& edges_;
    double x_ = 0.0;
};

// An edge enters the sweep line at its left end and leaves it at its right end.
struct SweepEvent {
    double x;
    bool leaves;
    std::uint32_t edge;
};

// The events in the sweep's order. An edge is on the sweep line over its x range
// widened by the tolerance, so every pair whose widened ranges overlap is on it
// together at some event.
std::vector<SweepEvent> SweepEvents(const RingEdges& edges) {
    std::vector<SweepEvent> events;
    events.reserve(2 * edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i) {
        events.push_back({edges[i].left.x - kTol, false, static_cast<std::uint32_t>(i)});
        events.push_back({edges[i].right.x + kTol, true, static_cast<std::uint32_t>(i)});
    }
    std::sort(events.begin(), events.end(), [](const SweepEvent& a, const SweepEvent& b) {
        if (a.x != b.x) {
            return a.x < b.x;
        }
        return a.leaves < b.leaves; // ranges that only touch still overlap
    });
    return events;
}

// Shamos-Hoey sweep, O(n log n) whatever the shape: two edges that meet are neighbours
// in the height order at some event left of where they meet. Meeting is judged within
// the tolerance, so beside the nearest neighbours every edge within the tolerance of
// the event's end point (or of a vertical edge's span) is tested too.
bool EdgesMeetBySweep(const RingEdges& edges) {
    const std::size_t n = edges.size();
    const std::vector<SweepEvent> events = SweepEvents(edges);
    HeightOrder order(edges);
    using ActiveSet = std::set<std::size_t, std::reference_wrapper<HeightOrder>>;
    ActiveSet active(std::ref(order));
    std::vector<ActiveSet::iterator> place(n, active.end());

    // Tests edge i against the edges above and below it: all those within the
    // tolerance of [low, high] and the first one beyond, skipping i's own neighbours.
    auto clashesAround = [&](ActiveSet::iterator it, std::size_t i, double x, double low,
                             double high) {
        for (auto up = std::next(it); up != active.end(); ++up) {
            if (edges.Adjacent(i, *up)) {
                continue;
            }
            if (edges.Meet(i, *up)) {
                return true;
            }
            if (order.HeightAt(*up, x) > high + 2 * kTol) {
                break;
            }
        }
        for (auto down = it; down != active.begin();) {
            --down;
            if (edges.Adjacent(i, *down)) {
                continue;
            }
            if (edges.Meet(i, *down)) {
                return true;
            }
            if (order.HeightAt(*down, x) < low - 2 * kTol) {
                break;
            }
        }
        return false;
    };

    for (const SweepEvent& event : events) {
        std::size_t i = event.edge;
        const RingEdges::Edge& e = edges[i];
        order.MoveTo(event.x);
        const CDPoint& end = event.leaves ? e.right : e.left;
        bool vertical = std::isinf(e.slope);
        double low = vertical ? e.left.y : end.y;
        double high = vertical ? e.right.y : end.y;
        if (!event.leaves) {
            place[i] = active.insert(i).first;
            if (clashesAround(place[i], i, event.x, low, high)) {
                return true;
            }
            continue;
        }
        if (clashesAround(place[i], i, event.x, low, high)) {
            return true;
        }
        // Removing i makes its two neighbours adjacent in the order.
        auto after = active.erase(place[i]);
        if (after != active.end() && after != active.begin()) {
            std::size_t a = *std::prev(after);
            std::size_t b = *after;
            if (!edges.Adjacent(a, b) && edges.Meet(a, b)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool PolygonIsValid(const CPolygon& polygon, PolygonCheck check) {
    const std::vector<CDPoint>& v = polygon.points;
    std::size_t n = v.size();
    // A NaN or infinite coordinate (a damaged file) would also break the orderings below.
    if (n < 3 || !AllFinite(v)) {
        return false;
    }
    std::vector<CDPoint> sorted(v);
    std::sort(sorted.begin(), sorted.end(), LeftOf);
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
        return false;
    }
    if (n == 3) {
        return true; // every pair of edges shares a vertex
    }
    RingEdges edges(v);
    switch (check) {
    case PolygonCheck::kPairsByX:
        return !*EdgesMeetByPairs(edges, std::numeric_limits<std::size_t>::max());
    case PolygonCheck::kOrderedSweep:
        return !EdgesMeetBySweep(edges);
    case PolygonCheck::kFastest:
        break;
    }
    // Real outlines rarely need more than a few pairs per edge; the sweep's ordered set
    // costs more per edge but never more than O(n log n).
    std::optional<bool> meet = EdgesMeetByPairs(edges, kPairBudgetPerEdge * n);
    return !(meet ? *meet : EdgesMeetBySweep(edges));
}

int PointInPolygon(const CPolygon& polygon, const CDPoint& point) {
    const std::vector<CDPoint>& v = polygon.points;
    std::size_t n = v.size();
    if (n < 3) {
        return kNotAPolygon;
    }
    if (std::find(v.begin(), v.end(), point) != v.end()) {
        return kPointOnVertex;
    }
    std::vector<double> crossings;
    for (std::size_t i = 0, prev = n - 1; i < n; prev = i++) {
        const CDPoint& a = v[prev];
        const CDPoint& b = v[i];
        if (a.y == b.y) {
            if (a.y == point.y && point.x > std::min(a.x, b.x) && point.x < std::max(a.x, b.x)) {
                return kPointOnBoundary;
            }
            continue;
        }
        if (point.y > std::min(a.y, b.y) && point.y <= std::max(a.y, b.y)) {
            double x = a.x + (point.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (!std::isnan(x)) {
                crossings.push_back(x);
            }
        }
    }
    if (crossings.empty() || crossings.size() % 2 != 0) {
        return kPointOutside;
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
        double west = crossings[i];
        double east = crossings[i + 1];
        if (point.x > west && point.x < east) {
            return kPointInside;
        }
        if (std::fabs(point.x - west) <= kTol || std::fabs(point.x - east) <= kTol) {
            return kPointOnBoundary;
        }
    }
    return kPointOutside;
}

bool PointInArea(std::span<const CPolygon> outline, const CDPoint& point) {
    return std::any_of(outline.begin(), outline.end(), [&](const CPolygon& polygon) {
        return PointInPolygon(polygon, point) == kPointInside;
    });
}

// The intersection is built from the arrangement of both outlines: every edge is
// cut where it meets the other outline (proper crossings, and vertices lying within
// the tolerance of the other outline, which then become shared nodes), every piece
// is kept when it bounds the intersection (a subject piece inside the clip, a clip
// piece inside the subject, a piece both outlines share in the same direction), and
// the kept pieces are linked into rings. With both outlines counter-clockwise the
// intersection lies to the left of every kept piece; where several kept pieces leave
// one node (pieces touching at a point) the sharpest left turn keeps them apart.
namespace {

struct Split {
    int edge;
    double t;
    int node;
};

struct Arrangement {
    std::vector<CDPoint> nodes;
    std::vector<int> subjectIds;
    std::vector<int> clipIds;
    std::vector<Split> subjectSplits;
    std::vector<Split> clipSplits;
};

// The ring of node ids of one outline with its splits inserted in order along each
// edge; false when it would reach the vertex limit.
bool InsertSplits(const std::vector<int>& ids, std::vector<Split>& splits, std::vector<int>& ring) {
    std::sort(splits.begin(), splits.end(), [](const Split& a, const Split& b) {
        return a.edge < b.edge || (a.edge == b.edge && a.t < b.t);
    });
    ring.clear();
    std::size_t next = 0;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        ring.push_back(ids[i]);
        for (; next < splits.size() && splits[next].edge == static_cast<int>(i); ++next) {
            if (ring.back() != splits[next].node) {
                ring.push_back(splits[next].node);
            }
        }
        if (ring.size() > static_cast<std::size_t>(kMaxPolygonVertices)) {
            return false;
        }
    }
    while (ring.size() > 1 && ring.back() == ring.front()) {
        ring.pop_back();
    }
    return true;
}

void CutEdges(std::span<const CDPoint> subject, std::span<const CDPoint> clip, Arrangement& arr) {
    std::size_t n = subject.size();
    std::size_t m = clip.size();
    std::vector<Box> clipBoxes(m);
    for (std::size_t j = 0; j < m; ++j) {
        const CDPoint& a = clip[j];
        const CDPoint& b = clip[(j + 1) % m];
        clipBoxes[j] = {std::min(a.x, b.x) - kTol, std::min(a.y, b.y) - kTol,
                        std::max(a.x, b.x) + kTol, std::max(a.y, b.y) + kTol};
    }
    for (std::size_t i = 0; i < n; ++i) {
        const CDPoint& p0 = subject[i];
        const CDPoint& p1 = subject[(i + 1) % n];
        int p0Id = arr.subjectIds[i];
        int p1Id = arr.subjectIds[(i + 1) % n];
        Box box{std::min(p0.x, p1.x), std::min(p0.y, p1.y), std::max(p0.x, p1.x),
                std::max(p0.y, p1.y)};
        for (std::size_t j = 0; j < m; ++j) {
            const Box& cb = clipBoxes[j];
            if (box.maxX < cb.minX || box.minX > cb.maxX || box.maxY < cb.minY ||
                box.minY > cb.maxY) {
                continue;
            }
            const CDPoint& q0 = clip[j];
            const CDPoint& q1 = clip[(j + 1) % m];
            int q0Id = arr.clipIds[j];
            int q1Id = arr.clipIds[(j + 1) % m];
            bool contact = false;
            double t = 0.0;
            for (auto [q, id] : {std::pair{q0, q0Id}, std::pair{q1, q1Id}}) {
                if (id == p0Id || id == p1Id) {
                    contact = true;
                } else if (OnSegmentInterior(q, p0, p1, t)) {
                    arr.subjectSplits.push_back({static_cast<int>(i), t, id});
                    contact = true;
                }
            }
            for (auto [p, id] : {std::pair{p0, p0Id}, std::pair{p1, p1Id}}) {
                if (id == q0Id || id == q1Id) {
                    contact = true;
                } else if (OnSegmentInterior(p, q0, q1, t)) {
                    arr.clipSplits.push_back({static_cast<int>(j), t, id});
                    contact = true;
                }
            }
            if (contact) {
                continue;
            }
            double d1 = Orient(p0, p1, q0);
            double d2 = Orient(p0, p1, q1);
            double d3 = Orient(q0, q1, p0);
            double d4 = Orient(q0, q1, p1);
            if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) &&
                ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) {
                double tSubject = d3 / (d3 - d4);
                double tClip = d1 / (d1 - d2);
                if (!std::isfinite(tSubject) || !std::isfinite(tClip)) {
                    continue; // overflowing coordinates: no usable crossing
                }
                int id = static_cast<int>(arr.nodes.size());
                arr.nodes.push_back(
                    {p0.x + tSubject * (p1.x - p0.x), p0.y + tSubject * (p1.y - p0.y)});
                arr.subjectSplits.push_back({static_cast<int>(i), tSubject, id});
                arr.clipSplits.push_back({static_cast<int>(j), tClip, id});
            }
        }
    }
}

struct Piece {
    int from;
    int to;
};

// The clockwise angle from `back` to `out`, in (0, 2π]; a turn straight back is last.
double ClockwiseAngle(const CDPoint& back, const CDPoint& out) {
    double angle =
        -std::atan2(Cross(back.x, back.y, out.x, out.y), back.x * out.x + back.y * out.y);
    return angle <= 0.0 ? angle + 2 * std::numbers::pi : angle;
}

// Links the kept pieces into closed rings; false when a ring reaches the vertex limit.
bool LinkRings(const std::vector<CDPoint>& nodes, const std::vector<Piece>& pieces,
               std::vector<std::vector<int>>& rings) {
    std::vector<int> firstOut(nodes.size() + 1, 0);
    for (const Piece& piece : pieces) {
        ++firstOut[static_cast<std::size_t>(piece.from) + 1];
    }
    std::partial_sum(firstOut.begin(), firstOut.end(), firstOut.begin());
    std::vector<int> outgoing(pieces.size());
    std::vector<int> fill(firstOut.begin(), firstOut.end() - 1);
    for (std::size_t e = 0; e < pieces.size(); ++e) {
        outgoing[static_cast<std::size_t>(fill[static_cast<std::size_t>(pieces[e].from)]++)] =
            static_cast<int>(e);
    }
    std::vector<char> used(pieces.size(), 0);
    std::vector<int> ring;
    for (std::size_t start = 0; start < pieces.size(); ++start) {
        if (used[start]) {
            continue;
        }
        used[start] = 1;
        ring.assign(1, pieces[start].from);
        std::size_t current = start;
        bool closed = false;
        while (true) {
            const Piece& in = pieces[current];
            const CDPoint& here = nodes[static_cast<std::size_t>(in.to)];
            CDPoint back{nodes[static_cast<std::size_t>(in.from)].x - here.x,
                         nodes[static_cast<std::size_t>(in.from)].y - here.y};
            int best = -1;
            double bestAngle = 0.0;
            for (int k = firstOut[static_cast<std::size_t>(in.to)];
                 k < firstOut[static_cast<std::size_t>(in.to) + 1]; ++k) {
                std::size_t e = static_cast<std::size_t>(outgoing[static_cast<std::size_t>(k)]);
                if (used[e] && e != start) {
                    continue;
                }
                const CDPoint& there = nodes[static_cast<std::size_t>(pieces[e].to)];
                double angle = ClockwiseAngle(back, {there.x - here.x, there.y - here.y});
                if (best < 0 || angle < bestAngle) {
                    best = static_cast<int>(e);
                    bestAngle = angle;
                }
            }
            if (best < 0) {
                break; // an open chain: nothing to draw from it
            }
            if (static_cast<std::size_t>(best) == start) {
                closed = true;
                break;
            }
            ring.push_back(in.to);
            if (ring.size() >= static_cast<std::size_t>(kMaxPolygonVertices)) {
                return false;
            }
            used[static_cast<std::size_t>(best)] = 1;
            current = static_cast<std::size_t>(best);
        }
        if (closed) {
            rings.push_back(ring);
        }
    }
    return true;
}

std::uint64_t PieceKey(int from, int to) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(from)) << 32) |
           static_cast<std::uint32_t>(to);
}

} // namespace

int IntersectPolygons(const CPolygon& subjectPolygon, const CPolygon& clipPolygon,
                      std::vector<CPolygon>& output) {
    output.clear();
    std::vector<CDPoint> subject = subjectPolygon.points;
    std::vector<CDPoint> clip = clipPolygon.points;
    NormalisePolygonPoints(subject);
    NormalisePolygonPoints(clip);
    if (subject.size() < 3 || clip.size() < 3 || !AllFinite(subject) || !AllFinite(clip)) {
        return 0;
    }
    if (subject.size() > static_cast<std::size_t>(kMaxPolygonVertices) ||
        clip.size() > static_cast<std::size_t>(kMaxPolygonVertices)) {
        return -1;
    }
    Box sb = BoundsOf(subject);
    Box cb = BoundsOf(clip);
    if (sb.maxX <= cb.minX || cb.maxX <= sb.minX || sb.maxY <= cb.minY || cb.maxY <= sb.minY) {
        return 0;
    }
    double subjectArea = SignedArea(subject);
    double clipArea = SignedArea(clip);
    if (subjectArea == 0.0 || clipArea == 0.0) {
        return 0;
    }
    bool subjectClockwise = subjectArea < 0.0;
    if (subjectClockwise) {
        std::reverse(subject.begin(), subject.end());
    }
    if (clipArea < 0.0) {
        std::reverse(clip.begin(), clip.end());
    }

    Arrangement arr;
    arr.nodes = subject;
    arr.subjectIds.resize(subject.size());
    std::iota(arr.subjectIds.begin(), arr.subjectIds.end(), 0);
    // A clip vertex within the tolerance of a subject vertex becomes that vertex.
    arr.clipIds.resize(clip.size());
    for (std::size_t j = 0; j < clip.size(); ++j) {
        int id = -1;
        if (clip[j].x >= sb.minX - kTol && clip[j].x <= sb.maxX + kTol &&
            clip[j].y >= sb.minY - kTol && clip[j].y <= sb.maxY + kTol) {
            for (std::size_t i = 0; i < subject.size(); ++i) {
                if (Coincide(clip[j], subject[i])) {
                    id = static_cast<int>(i);
                    clip[j] = subject[i];
                    break;
                }
            }
        }
        if (id < 0) {
            id = static_cast<int>(arr.nodes.size());
            arr.nodes.push_back(clip[j]);
        }
        arr.clipIds[j] = id;
    }
    for (std::size_t j = 0; j < clip.size();) {
        std::size_t next = (j + 1) % clip.size();
        if (clip.size() > 1 && arr.clipIds[j] == arr.clipIds[next]) {
            clip.erase(clip.begin() + static_cast<std::ptrdiff_t>(next));
            arr.clipIds.erase(arr.clipIds.begin() + static_cast<std::ptrdiff_t>(next));
            if (next < j) {
                --j;
            }
        } else {
            ++j;
        }
    }
    if (clip.size() < 3) {
        return 0;
    }

    CutEdges(subject, clip, arr);
    std::vector<int> subjectRing;
    std::vector<int> clipRing;
    if (!InsertSplits(arr.subjectIds, arr.subjectSplits, subjectRing) ||
        !InsertSplits(arr.clipIds, arr.clipSplits, clipRing)) {
        return -1;
    }

    std::unordered_map<std::uint64_t, std::size_t> clipPieces;
    clipPieces.reserve(clipRing.size() * 2);
    for (std::size_t k = 0; k < clipRing.size(); ++k) {
        clipPieces.emplace(PieceKey(clipRing[k], clipRing[(k + 1) % clipRing.size()]), k);
    }
    std::vector<char> clipDecided(clipRing.size(), 0);
    std::vector<Piece> kept;
    auto midpoint = [&](int a, int b) {
        const CDPoint& p = arr.nodes[static_cast<std::size_t>(a)];
        const CDPoint& q = arr.nodes[static_cast<std::size_t>(b)];
        return CDPoint{(p.x + q.x) * 0.5, (p.y + q.y) * 0.5};
    };
    for (std::size_t k = 0; k < subjectRing.size(); ++k) {
        int a = subjectRing[k];
        int b = subjectRing[(k + 1) % subjectRing.size()];
        if (auto same = clipPieces.find(PieceKey(a, b)); same != clipPieces.end()) {
            clipDecided[same->second] = 1;
            kept.push_back({a, b});
            continue;
        }
        if (auto opposite = clipPieces.find(PieceKey(b, a)); opposite != clipPieces.end()) {
            clipDecided[opposite->second] = 1;
            continue;
        }
        if (InsideRing(clip, midpoint(a, b))) {
            kept.push_back({a, b});
        }
    }
    for (std::size_t k = 0; k < clipRing.size(); ++k) {
        int a = clipRing[k];
        int b = clipRing[(k + 1) % clipRing.size()];
        if (!clipDecided[k] && InsideRing(subject, midpoint(a, b))) {
            kept.push_back({a, b});
        }
    }

    std::vector<std::vector<int>> rings;
    if (!LinkRings(arr.nodes, kept, rings)) {
        return -1;
    }
    for (const std::vector<int>& ring : rings) {
        std::vector<CDPoint> points;
        points.reserve(ring.size());
        for (int id : ring) {
            points.push_back(arr.nodes[static_cast<std::size_t>(id)]);
        }
        NormalisePolygonPoints(points);
        // A clockwise ring bounds a hole that touches its outline at a single point,
        // which a set of simple polygons cannot express: it is dropped.
        if (points.size() < 3 || !(SignedArea(points) > 0.0)) {
            continue;
        }
        if (output.size() == static_cast<std::size_t>(kMaxIntersectionPolygons)) {
            output.clear();
            return -1;
        }
        if (subjectClockwise) {
            std::reverse(points.begin(), points.end());
        }
        output.emplace_back(std::move(points));
    }
    return static_cast<int>(output.size());
}

} // namespace quorvane

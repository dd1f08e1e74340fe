#include "map/polygon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>
#include <unordered_map>

namespace quorvane {

namespace {

constexpr double kTol = kPolygonTolerance;

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

bool PolygonIsValid(const CPolygon& polygon) {
    const std::vector<CDPoint>& v = polygon.points;
    std::size_t n = v.size();
    // A NaN or infinite coordinate (a damaged file) would also break the orderings below.
    if (n < 3 || !AllFinite(v)) {
        return false;
    }
    std::vector<CDPoint> sorted(v);
    std::sort(sorted.begin(), sorted.end(), [](const CDPoint& a, const CDPoint& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
        return false;
    }
    if (n == 3) {
        return true; // every pair of edges shares a vertex
    }
    // Edge i runs from vertex i to vertex i + 1 (the last one closes the ring). Only
    // pairs whose widened x ranges overlap can meet, so sweep over edges by left end.
    struct EdgeSpan {
        double minX, maxX, minY, maxY;
        std::uint32_t index;
    };
    std::vector<EdgeSpan> edges(n);
    for (std::size_t i = 0; i < n; ++i) {
        const CDPoint& a = v[i];
        const CDPoint& b = v[(i + 1) % n];
        edges[i] = {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y),
                    static_cast<std::uint32_t>(i)};
    }
    std::sort(edges.begin(), edges.end(),
              [](const EdgeSpan& a, const EdgeSpan& b) { return a.minX < b.minX; });
    for (std::size_t k = 0; k < n; ++k) {
        const EdgeSpan& e = edges[k];
        double reach = e.maxX + 2 * kTol;
        for (std::size_t l = k + 1; l < n && edges[l].minX <= reach; ++l) {
            const EdgeSpan& f = edges[l];
            std::size_t gap = e.index > f.index ? e.index - f.index : f.index - e.index;
            if (gap == 1 || gap == n - 1 || f.maxY < e.minY - 2 * kTol ||
                f.minY > e.maxY + 2 * kTol) {
                continue;
            }
            if (SegmentIntersection(v[e.index], v[(e.index + 1) % n], v[f.index],
                                    v[(f.index + 1) % n]) != kSegmentsApart) {
                return false;
            }
        }
    }
    return true;
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

#include "geometry.h"

#include "map/polygon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace quorvane::datakit {

void Bounds::Add(const CDPoint& p) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    bottom = std::min(bottom, p.y);
    top = std::max(top, p.y);
}

void Bounds::Add(const Bounds& b) {
    if (b.Empty()) {
        return;
    }
    Add(CDPoint{b.left, b.bottom});
    Add(CDPoint{b.right, b.top});
}

Bounds RingBounds(const Ring& ring) {
    Bounds b;
    for (const auto& p : ring) {
        b.Add(p);
    }
    return b;
}

bool PointInRing(const Ring& ring, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const CDPoint& a = ring[i];
        const CDPoint& b = ring[j];
        if ((a.y > y) != (b.y > y)) {
            const double cross = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x < cross) {
                inside = !inside;
            }
        }
    }
    return inside;
}

double DistanceToRing(const Ring& ring, double x, double y) {
    const double k = std::cos(y * 3.14159265358979323846 / 180.0);
    double best = 1e18;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const double ax = (ring[j].x - x) * k, ay = ring[j].y - y;
        const double bx = (ring[i].x - x) * k, by = ring[i].y - y;
        const double dx = bx - ax, dy = by - ay;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0.0 ? -(ax * dx + ay * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double px = ax + t * dx, py = ay + t * dy;
        best = std::min(best, px * px + py * py);
    }
    return std::sqrt(best);
}

namespace {

// The reader's segment test: true when the segments meet.
bool SegmentsMeet(const CDPoint& p1, const CDPoint& p2, const CDPoint& p3, const CDPoint& p4) {
    const double tol = kPolygonTolerance;
    double a1 = p2.y - p1.y, b1 = p1.x - p2.x, c1 = a1 * p1.x + b1 * p1.y;
    double a2 = p4.y - p3.y, b2 = p3.x - p4.x, c2 = a2 * p3.x + b2 * p3.y;
    if (std::fabs(a2) > std::fabs(a1)) {
        std::swap(a1, a2);
        std::swap(b1, b2);
        std::swap(c1, c2);
    }
    if (std::fabs(a1) < tol) {
        return false;
    }
    const double f = a2 / a1;
    const double b = b2 - f * b1;
    const double c = c2 - f * c1;
    if (std::fabs(b) < tol) {
        return false;
    }
    const double y = c / b;
    const double x = (c1 - b1 * y) / a1;
    auto within = [tol](double v, double e1, double e2) {
        return v >= std::min(e1, e2) - tol && v <= std::max(e1, e2) + tol;
    };
    return within(x, p1.x, p2.x) && within(y, p1.y, p2.y) && within(x, p3.x, p4.x) &&
           within(y, p3.y, p4.y);
}

struct EdgeBox {
    double minX, maxX, minY, maxY;
};

// The first pair of non-adjacent edges that meet (edge i runs from vertex i to
// vertex i + 1, the last one closes the ring), or {n, n} when there is none.
std::pair<std::size_t, std::size_t> FirstBadEdgePair(const Ring& ring) {
    const std::size_t n = ring.size();
    const double tol = kPolygonTolerance;
    std::vector<EdgeBox> boxes(n);
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        const CDPoint& a = ring[i];
        const CDPoint& b = ring[(i + 1) % n];
        boxes[i] = {std::min(a.x, b.x) - tol, std::max(a.x, b.x) + tol, std::min(a.y, b.y) - tol,
                    std::max(a.y, b.y) + tol};
        order[i] = i;
    }
    // Sweep over x so that only edges whose boxes overlap are tested.
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return boxes[a].minX < boxes[b].minX || (boxes[a].minX == boxes[b].minX && a < b);
    });
    std::pair<std::size_t, std::size_t> first{n, n};
    for (std::size_t u = 0; u < n; ++u) {
        const EdgeBox& e = boxes[order[u]];
        for (std::size_t v = u + 1; v < n && boxes[order[v]].minX <= e.maxX; ++v) {
            const EdgeBox& f = boxes[order[v]];
            if (f.minY > e.maxY || e.minY > f.maxY) {
                continue;
            }
            const std::size_t i = std::min(order[u], order[v]);
            const std::size_t j = std::max(order[u], order[v]);
            if (j == i + 1 || (i == 0 && j == n - 1)) {
                continue;
            }
            if (SegmentsMeet(ring[i], ring[(i + 1) % n], ring[j], ring[(j + 1) % n]) &&
                (i < first.first || (i == first.first && j < first.second))) {
                first = {i, j};
            }
        }
    }
    return first;
}

bool HasRepeatedVertex(const Ring& ring, std::size_t* first, std::size_t* second) {
    std::map<std::pair<double, double>, std::size_t> seen;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        auto [it, inserted] = seen.emplace(std::make_pair(ring[i].x, ring[i].y), i);
        if (!inserted) {
            *first = it->second;
            *second = i;
            return true;
        }
    }
    return false;
}

Ring MergeClose(const Ring& ring) {
    Ring out;
    out.reserve(ring.size());
    const double close = 3 * kPolygonTolerance;
    for (const auto& p : ring) {
        if (!out.empty() && std::fabs(out.back().x - p.x) < close &&
            std::fabs(out.back().y - p.y) < close) {
            continue;
        }
        out.push_back(p);
    }
    while (out.size() > 1 && std::fabs(out.back().x - out.front().x) < close &&
           std::fabs(out.back().y - out.front().y) < close) {
        out.pop_back();
    }
    return out;
}

} // namespace

bool RingIsValid(const Ring& ring) {
    CPolygon polygon;
    polygon.points = ring;
    return PolygonIsValid(polygon);
}

std::vector<Ring> MakeValidRings(const Ring& source, double minArea) {
    std::vector<Ring> pending{MergeClose(source)};
    std::vector<Ring> done;
    while (!pending.empty()) {
        Ring ring = MergeClose(pending.back());
        pending.pop_back();
        if (ring.size() < 3 || std::fabs(SignedArea(ring)) < minArea) {
            continue;
        }
        std::size_t a = 0, b = 0;
        if (HasRepeatedVertex(ring, &a, &b)) {
            // A ring touching itself: the two loops are separate islands.
            pending.emplace_back(ring.begin() + static_cast<long>(a),
                                 ring.begin() + static_cast<long>(b));
            Ring rest(ring.begin(), ring.begin() + static_cast<long>(a));
            rest.insert(rest.end(), ring.begin() + static_cast<long>(b), ring.end());
            pending.push_back(std::move(rest));
            continue;
        }
        const auto [i, j] = FirstBadEdgePair(ring);
        if (i == ring.size()) {
            if (RingIsValid(ring)) {
                done.push_back(std::move(ring));
            }
            continue;
        }
        // The vertices between two edges that meet close a small loop (or form a
        // needle): the shorter side goes.
        const std::size_t inner = j - i;
        Ring next;
        if (inner <= ring.size() - inner) {
            next.assign(ring.begin(), ring.begin() + static_cast<long>(i + 1));
            next.insert(next.end(), ring.begin() + static_cast<long>(j + 1), ring.end());
        } else {
            next.assign(ring.begin() + static_cast<long>(i + 1),
                        ring.begin() + static_cast<long>(j + 1));
        }
        pending.push_back(std::move(next));
    }
    return done;
}

HalfPlane LeftOf(const CDPoint& from, const CDPoint& to) {
    // Left of the direction d is where cross(d, p - from) > 0.
    const double dx = to.x - from.x, dy = to.y - from.y;
    // cross = dx * (y - fy) - dy * (x - fx) > 0  <=>  dy*x - dx*y < dy*fx - dx*fy
    return {dy, -dx, dy * from.x - dx * from.y};
}

std::vector<Ring> ClipRing(const Ring& ring, const HalfPlane& plane) {
    // The half-plane within a box around the ring is a convex polygon; the program's
    // own intersection does the rest.
    const Bounds b = RingBounds(ring);
    const std::array<CDPoint, 4> box = {
        CDPoint{b.left - 1, b.bottom - 1}, CDPoint{b.right + 1, b.bottom - 1},
        CDPoint{b.right + 1, b.top + 1}, CDPoint{b.left - 1, b.top + 1}};
    std::vector<CDPoint> kept;
    for (std::size_t i = 0; i < box.size(); ++i) {
        const CDPoint& p = box[i];
        const CDPoint& q = box[(i + 1) % box.size()];
        const double sp = plane.Side(p.x, p.y), sq = plane.Side(q.x, q.y);
        if (sp < 0) {
            kept.push_back(p);
        }
        if ((sp < 0) != (sq < 0)) {
            const double t = sp / (sp - sq);
            kept.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    std::vector<CPolygon> pieces;
    if (kept.size() < 3 ||
        IntersectPolygons(CPolygon(ring), CPolygon(std::move(kept)), pieces) < 0) {
        return {};
    }
    std::vector<Ring> out;
    for (CPolygon& piece : pieces) {
        out.push_back(std::move(piece.points));
    }
    return out;
}

} // namespace quorvane::datakit

#pragma once

#include "map/polygon.h"
#include "mapdata.h"

#include <vector>

namespace quorvane::datakit {

struct Bounds {
    double left = 1e9;
    double bottom = 1e9;
    double right = -1e9;
    double top = -1e9;
    void Add(const CDPoint& p);
    void Add(const Bounds& b);
    bool Empty() const { return left > right; }
    bool Overlaps(const Bounds& b) const {
        return left <= b.right && b.left <= right && bottom <= b.top && b.bottom <= top;
    }
    bool Contains(double x, double y) const {
        return left <= x && x <= right && bottom <= y && y <= top;
    }
};

Bounds RingBounds(const Ring& ring);

// Crossing-number test; points on the boundary may go either way.
bool PointInRing(const Ring& ring, double x, double y);

// Distance in degrees (longitude scaled by cos(latitude)) from a point to the ring's
// boundary.
double DistanceToRing(const Ring& ring, double x, double y);

// The validity rule of the area polygon files (the reader's own test).
bool RingIsValid(const Ring& ring);

// Turns a ring of the source data into valid rings: vertices closer than the
// tolerance are merged, a ring that comes back to an earlier vertex is split there,
// and a ring that still fails loses the vertices of its offending edges until it
// passes. Slivers below `minArea` square degrees are dropped.
std::vector<Ring> MakeValidRings(const Ring& ring, double minArea);

// A line a·x + b·y = c; the kept side is a·x + b·y < c.
struct HalfPlane {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double Side(double x, double y) const { return a * x + b * y - c; }
    HalfPlane Opposite() const { return {-a, -b, -c}; }
};

// The half-plane left of the directed line from `from` to `to`.
HalfPlane LeftOf(const CDPoint& from, const CDPoint& to);

// The part of a simple ring inside the half-plane, as simple rings.
std::vector<Ring> ClipRing(const Ring& ring, const HalfPlane& plane);

} // namespace quorvane::datakit

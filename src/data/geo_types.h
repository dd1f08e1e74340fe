#pragma once

#include <algorithm>

namespace quorvane {

// A point in degrees: x = longitude, y = latitude.
struct CDPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const CDPoint&, const CDPoint&) = default;
};

// A rectangle in degrees. `top` and `bottom` are kept as the files give them, so
// `Contains` accepts a y between the two whichever is smaller.
struct CDRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    bool Contains(double x, double y) const {
        return left <= x && x <= right && std::min(top, bottom) <= y && y <= std::max(top, bottom);
    }
    friend bool operator==(const CDRect&, const CDRect&) = default;
};

} // namespace quorvane

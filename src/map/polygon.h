#pragma once

#include "data/geo_types.h"

#include <vector>

namespace quorvane {

// One simple polygon of an area outline, in degrees (x = longitude, y = latitude).
class CPolygon {
public:
    std::vector<CDPoint> points;
};

} // namespace quorvane

#pragma once

#include "geography.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::datakit {

struct Site {
    int number = 0; // 5 digits: area code x 1000 + serial
    std::string name;
    int areaCode = 0;
    double lonDeg = 0.0;
    double latDeg = 0.0;
    double elevationM = 0.0;
    double coastKm = 0.0; // distance to the nearest coastline
};

// Distances to the coastline, from points sampled along the coast lines.
class CoastIndex {
public:
    explicit CoastIndex(const Geography& geo);
    double DistanceKm(double lon, double lat) const;

private:
    static constexpr double kCell = 0.1;
    std::vector<std::vector<CDPoint>> cells_;
    int columns_ = 0;
    int rows_ = 0;
    double left_ = 0.0;
    double bottom_ = 0.0;
};

// Great-circle-ish distance for short ranges (km).
double DistanceKm(double lon1, double lat1, double lon2, double lat2);

// `count` sites about evenly spread over the land (the prefectural seats and every
// island of some size included), each strictly inside its area's outline, numbered
// and named, sorted by area code and then from north to south.
std::vector<Site> PlaceSites(const Geography& geo, const CoastIndex& coast, std::uint64_t seed,
                             int count);

} // namespace quorvane::datakit

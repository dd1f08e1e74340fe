#include "map/mesh_code.h"

#include <cmath>

namespace quorvane {

namespace {

// Third-order squares are 30″ of latitude by 45″ of longitude: 120 and 80 per degree.
constexpr int kLatUnitsPerDeg = 120;
constexpr int kLonUnitsPerDeg = 80;
constexpr int kUnitsPerMesh1 = 80; // 2/3° of latitude, 1° of longitude
constexpr int kUnitsPerMesh2 = 10;
constexpr int kLonOriginUnits = 100 * kLonUnitsPerDeg;

// Whole grid units below `units`. A value within a billionth of a unit of a grid line
// is on it: 35.75 × 120 is exactly 4290, but 35 + 91/120 scaled back may land a hair
// below its line and would otherwise fall into the square to the south.
bool FloorUnits(double units, long long& whole) {
    if (!(units >= -1e15 && units <= 1e15)) {
        return false;
    }
    double nearest = std::round(units);
    whole = static_cast<long long>(std::fabs(units - nearest) < 1e-9 ? nearest : std::floor(units));
    return true;
}

struct GridUnits {
    int lat; // 0 .. 7999
    int lon; // 0 .. 7999, counted from 100° E
};

bool ToGridUnits(double lonDeg, double latDeg, GridUnits& grid) {
    long long lat = 0;
    long long lon = 0;
    if (!FloorUnits(latDeg * kLatUnitsPerDeg, lat) || !FloorUnits(lonDeg * kLonUnitsPerDeg, lon)) {
        return false;
    }
    lon -= kLonOriginUnits;
    constexpr long long kLimit = 100LL * kUnitsPerMesh1;
    if (lat < 0 || lat >= kLimit || lon < 0 || lon >= kLimit) {
        return false;
    }
    grid = {static_cast<int>(lat), static_cast<int>(lon)};
    return true;
}

int Mesh1Of(const GridUnits& g) {
    return 100 * (g.lat / kUnitsPerMesh1) + g.lon / kUnitsPerMesh1;
}

int Mesh2Of(const GridUnits& g) {
    return 100 * Mesh1Of(g) + 10 * (g.lat % kUnitsPerMesh1 / kUnitsPerMesh2) +
           g.lon % kUnitsPerMesh1 / kUnitsPerMesh2;
}

} // namespace

int GetMesh1Code(double lonDeg, double latDeg) {
    GridUnits g;
    return ToGridUnits(lonDeg, latDeg, g) ? Mesh1Of(g) : -1;
}

int GetMesh2Code(double lonDeg, double latDeg) {
    GridUnits g;
    return ToGridUnits(lonDeg, latDeg, g) ? Mesh2Of(g) : -1;
}

int GetMesh3Code(double lonDeg, double latDeg) {
    GridUnits g;
    if (!ToGridUnits(lonDeg, latDeg, g)) {
        return -1;
    }
    return 100 * Mesh2Of(g) + 10 * (g.lat % kUnitsPerMesh2) + g.lon % kUnitsPerMesh2;
}

CDRect GetMesh3Rect(int code3) {
    int p = code3 / 1000000;
    int u = code3 / 10000 % 100;
    int q = code3 / 1000 % 10;
    int v = code3 / 100 % 10;
    int r = code3 / 10 % 10;
    int w = code3 % 10;
    // Dividing whole units once gives neighbouring squares bit-identical edges.
    double latUnits = p * kUnitsPerMesh1 + q * kUnitsPerMesh2 + r;
    double lonUnits = kLonOriginUnits + u * kUnitsPerMesh1 + v * kUnitsPerMesh2 + w;
    return {lonUnits / kLonUnitsPerDeg, (latUnits + 1) / kLatUnitsPerDeg,
            (lonUnits + 1) / kLonUnitsPerDeg, latUnits / kLatUnitsPerDeg};
}

int GetMapSheetCode(double lonDeg, double latDeg) {
    GridUnits g;
    if (!ToGridUnits(lonDeg, latDeg, g)) {
        return -1;
    }
    constexpr int kHalf = kUnitsPerMesh1 / 2;
    int northern = g.lat % kUnitsPerMesh1 / kHalf;
    int eastern = g.lon % kUnitsPerMesh1 / kHalf;
    return 10 * Mesh1Of(g) + 2 * northern + eastern + 1;
}

CDRect GetSheetRect(int sheet) {
    int p = sheet / 1000;
    int c = sheet % 10 - 1;
    double left = sheet / 10 - 100 * p + 100 + (c % 2) * 0.5;
    double thirds = 2 * p + c / 2;
    return {left, (thirds + 1) / 3.0, left + 0.5, thirds / 3.0};
}

CDRect GetSheetViewRect(int sheet) {
    CDRect rect = GetSheetRect(sheet);
    rect.bottom -= 0.041666666666666664;
    rect.top += 0.041666666666666664;
    double centre = (rect.left + rect.right) * 0.5;
    double half = std::fabs(rect.top - rect.bottom) * 554 / 432 * 1.5 * 0.8024394158241053 * 0.5;
    rect.left = centre - half;
    rect.right = centre + half;
    return rect;
}

int GetNeighbourSheet(int sheet, int direction) {
    if (direction < 0 || direction > 3) {
        return -1;
    }
    int k = sheet % 10;
    if (k < 1 || k > 4) {
        return sheet;
    }
    struct Step {
        int firstOrderDelta;
        int quarter;
    };
    // Rows: quarter 1..4; columns: west, east, south, north.
    static constexpr Step kSteps[4][4] = {
        {{-1, 2}, {0, 2}, {-100, 3}, {0, 3}},
        {{0, 1}, {1, 1}, {-100, 4}, {0, 4}},
        {{-1, 4}, {0, 4}, {0, 1}, {100, 1}},
        {{0, 3}, {1, 3}, {0, 2}, {100, 2}},
    };
    const Step& step = kSteps[k - 1][direction];
    return 10 * (sheet / 10 + step.firstOrderDelta) + step.quarter;
}

} // namespace quorvane

#pragma once

#include "data/progress.h"
#include "data/site_catalogue.h"
#include "yield/site_yield.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// What the national map colours every site by.
enum class NationalQuantity {
    Poa,         // annual irradiation on the plane, hourly data through the slope model
    Yield,       // specific yield by either method
    Pr,          // performance ratio by either method
    OptimumTilt, // the monthly database's optimum tilt for the year
    Spread,      // high- less low-sunshine year's yield, % of the average year's
    Monthly,     // the monthly database's daily irradiation on the plane in one month
};
inline constexpr int kNationalQuantityCount = 6;

// "poa", "yield", "pr", "optimum-tilt", "spread", "monthly".
const char* QuantityName(NationalQuantity quantity);
std::optional<NationalQuantity> QuantityNamed(const std::string& name);
// What the window and the page call it, and its unit ("" for the PR).
const char* QuantityLabel(NationalQuantity quantity);
const char* QuantityUnit(NationalQuantity quantity);

struct NationalRequest {
    NationalQuantity quantity = NationalQuantity::Poa;
    int tiltDeg = 30;
    int azimuthDeg = 0; // 0 south, positive west, -180..359
    YearVariant variant = YearVariant::Average;
    int month = 1;                            // Monthly only
    YieldMethod method = YieldMethod::Hourly; // Yield and Pr
    HourlyArray hourly;
    MonthlyArray monthly;

    // Names every parameter the values depend on; equal keys, equal maps.
    std::string Key() const;
    // "年間斜面日射量　傾斜角30度・方位角0度・平均年" and the like.
    std::string Title() const;
};

// One site of the map and its value; nothing where its data could not be read.
struct SiteValue {
    int siteNumber = 0;
    std::string name;
    int areaCode = 0;
    std::string areaName;
    double longitudeDeg = 0.0;
    double latitudeDeg = 0.0;
    int block = -1; // the area's block 1..9, -1 without one
    std::optional<double> value;
    std::string problem; // the first message of a failed read
};

struct NationalMap {
    NationalRequest request;
    std::vector<SiteValue> sites; // catalogue order
    bool complete = false;        // false when cancelled
};

// The site's value, as the yield and monthly commands compute it.
SiteValue ComputeSiteValue(const YieldSources& sources, const CAmedasPoint& site,
                           const std::string& areaName, const NationalRequest& request);

// Every site of the catalogue on `threads` threads; `progress` counts the sites and
// stops the work when cancelled.
NationalMap ComputeNationalMap(const YieldSources& sources, const std::vector<CAmedasPoint>& sites,
                               const MapInfoTable& areas, const NationalRequest& request,
                               WorkProgress& progress, int threads);

// The sites with a value, largest first (equal values by site number).
std::vector<std::size_t> RankingOrder(const NationalMap& map);

// The smallest and largest value; an equal pair is widened so that a scale has room.
struct ValueRange {
    double low = 0.0;
    double high = 1.0;
    friend bool operator==(const ValueRange&, const ValueRange&) = default;
};
ValueRange RangeOf(const NationalMap& map);

// The colour of a share 0..1 of the range on the map's continuous scale (blue, cyan,
// green, yellow, red), ARGB.
std::uint32_t ScaleColour(double share);

// "順位,地点番号,地点名,エリア,<label>(<unit>)" and a row a ranked site, values
// with every digit. UTF-8 with a BOM, CR LF.
std::string NationalCsv(const NationalMap& map);

// A FeatureCollection (RFC 7946): a Point a site, [longitude, latitude] in WGS 84,
// with "site", "name", "area", "quantity", "value" (null where missing) and "unit".
std::string NationalGeoJson(const NationalMap& map);

} // namespace quorvane

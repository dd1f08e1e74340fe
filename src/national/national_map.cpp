#include "national/national_map.h"

#include "data/json_text.h"
#include "data/monthly_file.h"
#include "data/parallel.h"
#include "map/map_geometry.h"
#include "monthly/monthly_lookup.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

namespace quorvane {

namespace {

struct QuantityRow {
    NationalQuantity quantity;
    const char* name;
    const char* label;
    const char* unit;
};

constexpr std::array<QuantityRow, kNationalQuantityCount> kQuantities{{
    {NationalQuantity::Poa, "poa", "年間斜面日射量", "kWh/㎡"},
    {NationalQuantity::Yield, "yield", "発電量原単位", "kWh/kWp"},
    {NationalQuantity::Pr, "pr", "PR", ""},
    {NationalQuantity::OptimumTilt, "optimum-tilt", "年間最適傾斜角", "度"},
    {NationalQuantity::Spread, "spread", "多照年と寡照年の発電量の差", "%"},
    {NationalQuantity::Monthly, "monthly", "月平均斜面日射量", "kWh/㎡・日"},
}};

const QuantityRow& RowOf(NationalQuantity quantity) {
    return kQuantities[static_cast<std::size_t>(quantity)];
}

std::string Full(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

bool UsesHourly(const NationalRequest& request) {
    switch (request.quantity) {
    case NationalQuantity::Poa:
    case NationalQuantity::Spread:
        return true;
    case NationalQuantity::Yield:
    case NationalQuantity::Pr:
        return request.method == YieldMethod::Hourly;
    default:
        return false;
    }
}

// The yield request of the per-site computation: the variants a quantity needs.
YieldRequest YieldRequestOf(const NationalRequest& request) {
    YieldRequest yield;
    yield.method = UsesHourly(request) ? YieldMethod::Hourly : YieldMethod::Monthly;
    yield.tiltDeg = request.tiltDeg;
    yield.azimuthDeg = request.azimuthDeg;
    yield.hourly = request.hourly;
    yield.monthly = request.monthly;
    if (request.quantity != NationalQuantity::Spread) {
        yield.variants = 1u << static_cast<int>(request.variant);
    }
    return yield;
}

std::optional<double> HourlyQuantity(const NationalRequest& request, const SiteYield& yield) {
    const auto& chosen = yield.variants[static_cast<std::size_t>(request.variant)];
    switch (request.quantity) {
    case NationalQuantity::Poa:
        return chosen ? std::optional(chosen->poaKwhM2) : std::nullopt;
    case NationalQuantity::Yield:
        return chosen ? std::optional(chosen->specificYield) : std::nullopt;
    case NationalQuantity::Pr:
        return chosen ? std::optional(chosen->performanceRatio) : std::nullopt;
    default: {
        const auto& [average, high, low] = yield.variants;
        if (!average || !high || !low || average->annualKwh <= 0.0) {
            return std::nullopt;
        }
        return (high->annualKwh - low->annualKwh) / average->annualKwh * 100.0;
    }
    }
}

std::optional<double> MonthlyQuantity(const YieldSources& sources, int siteNumber,
                                      const NationalRequest& request, MessageReporter& reporter) {
    auto record = std::make_unique<MonthlyRecord>();
    if (LoadMonthlyData(sources.monthlyFolder, siteNumber, *record, reporter) != LoadStatus::Ok) {
        return std::nullopt;
    }
    if (request.quantity == NationalQuantity::OptimumTilt) {
        return DerivedRowValue(*record, DerivedRow::OptimumTilt, kYearColumn);
    }
    const MonthlyPlane plane = SnapToMonthlyPlane(request.tiltDeg, request.azimuthDeg);
    const MonthlyOrientation at = OrientationIndices(plane.tiltDeg, plane.azimuthDeg);
    if (request.quantity == NationalQuantity::Monthly) {
        return SlopeValue(*record, at.azimuthIndex, at.tiltIndex,
                          std::clamp(request.month, 1, 12) - 1);
    }
    const YieldResult result =
        MonthlyYield(*record, request.tiltDeg, request.azimuthDeg, request.monthly);
    return request.quantity == NationalQuantity::Yield ? result.specificYield
                                                       : result.performanceRatio;
}

int BlockOf(const MapInfoTable& areas, int areaCode) {
    if (areaCode < 0 || areaCode >= kMapInfoCount) {
        return -1;
    }
    const int parent = areas[static_cast<std::size_t>(areaCode)].parentCode;
    return parent >= 1 && parent < kBlockCount ? parent : -1;
}

} // namespace

const char* QuantityName(NationalQuantity quantity) {
    return RowOf(quantity).name;
}

std::optional<NationalQuantity> QuantityNamed(const std::string& name) {
    for (const QuantityRow& row : kQuantities) {
        if (name == row.name) {
            return row.quantity;
        }
    }
    return std::nullopt;
}

const char* QuantityLabel(NationalQuantity quantity) {
    return RowOf(quantity).label;
}

const char* QuantityUnit(NationalQuantity quantity) {
    return RowOf(quantity).unit;
}

std::string NationalRequest::Key() const {
    const HourlyArray& h = hourly;
    const MonthlyArray& m = monthly;
    std::string key = std::string(QuantityName(quantity)) + "|" + std::to_string(tiltDeg) + "|" +
                      std::to_string(azimuthDeg) + "|" + std::to_string(static_cast<int>(variant)) +
                      "|" + std::to_string(month) + "|" + std::to_string(static_cast<int>(method));
    for (double value : {h.ratingKw, h.gammaPctPerK, h.u0, h.u1, h.lossesPct, h.inverterPct,
                         h.dcAcRatio, m.alphaPctPerK, m.kHd, m.kPd, m.kPa, m.kPm, m.etaIno}) {
        key += "|" + Full(value);
    }
    return key + "|" + MountingName(m.mounting);
}

std::string NationalRequest::Title() const {
    std::string title = QuantityLabel(quantity);
    if (quantity == NationalQuantity::OptimumTilt) {
        return title + "　月別データ";
    }
    const MonthlyPlane snapped = SnapToMonthlyPlane(tiltDeg, azimuthDeg);
    const bool monthlyData = !UsesHourly(*this);
    const int tilt = monthlyData ? snapped.tiltDeg : tiltDeg;
    // Azimuths as the window's control reads them: 0..359 clockwise from south.
    const int azimuth = ((monthlyData ? snapped.azimuthDeg : azimuthDeg) % 360 + 360) % 360;
    title += "　傾斜角" + std::to_string(tilt) + "度・方位角" + std::to_string(azimuth) + "度";
    if (quantity == NationalQuantity::Monthly) {
        return title + "・" + std::to_string(std::clamp(month, 1, 12)) + "月";
    }
    if (quantity == NationalQuantity::Poa) {
        return title + "・" + YearVariantLabel(static_cast<int>(variant));
    }
    if (quantity == NationalQuantity::Spread) {
        return title + "・時別計算";
    }
    return title + (monthlyData ? "・月別計算"
                                : std::string("・時別計算・") +
                                      YearVariantLabel(static_cast<int>(variant)));
}

SiteValue ComputeSiteValue(const YieldSources& sources, const CAmedasPoint& site,
                           const std::string& areaName, const NationalRequest& request) {
    SiteValue out;
    out.siteNumber = site.siteNumber;
    out.name = site.name;
    out.areaCode = site.areaCode;
    out.areaName = areaName;
    out.longitudeDeg = site.longitudeDeg;
    out.latitudeDeg = site.latitudeDeg;
    const bool hourly = UsesHourly(request);
    if (hourly) {
        YieldRequest yield = YieldRequestOf(request);
        const SiteYield computed = ComputeSiteYield(sources, site, yield);
        out.value = HourlyQuantity(request, computed);
        out.problem = computed.problem;
    } else {
        CollectingReporter reporter;
        out.value = MonthlyQuantity(sources, site.siteNumber, request, reporter);
        if (!reporter.messages.empty()) {
            out.problem = reporter.messages.front();
        }
    }
    return out;
}

NationalMap ComputeNationalMap(const YieldSources& sources, const std::vector<CAmedasPoint>& sites,
                               const MapInfoTable& areas, const NationalRequest& request,
                               WorkProgress& progress, int threads) {
    NationalMap map;
    map.request = request;
    map.sites.resize(sites.size());
    progress.total = static_cast<int>(sites.size());
    ParallelFor(static_cast<int>(sites.size()), threads, [&](int i) {
        if (progress.Cancelled()) {
            return;
        }
        const CAmedasPoint& site = sites[static_cast<std::size_t>(i)];
        const bool named = site.areaCode >= 0 && site.areaCode < kMapInfoCount;
        SiteValue& value = map.sites[static_cast<std::size_t>(i)];
        value = ComputeSiteValue(sources, site,
                                 named ? areas[static_cast<std::size_t>(site.areaCode)].name : "",
                                 request);
        value.block = BlockOf(areas, site.areaCode);
        progress.Step();
    });
    map.complete = !progress.Cancelled();
    return map;
}

std::vector<std::size_t> RankingOrder(const NationalMap& map) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < map.sites.size(); ++i) {
        if (map.sites[i].value) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const SiteValue& x = map.sites[a];
        const SiteValue& y = map.sites[b];
        return *x.value != *y.value ? *x.value > *y.value : x.siteNumber < y.siteNumber;
    });
    return order;
}

ValueRange RangeOf(const NationalMap& map) {
    bool any = false;
    ValueRange range{0.0, 0.0};
    for (const SiteValue& site : map.sites) {
        if (!site.value) {
            continue;
        }
        range.low = any ? std::min(range.low, *site.value) : *site.value;
        range.high = any ? std::max(range.high, *site.value) : *site.value;
        any = true;
    }
    if (!any) {
        return {0.0, 1.0};
    }
    if (range.high <= range.low) {
        const double room = std::max(1.0, std::abs(range.low)) * 0.01;
        return {range.low - room, range.high + room};
    }
    return range;
}

std::uint32_t ScaleColour(double share) {
    struct Stop {
        double at;
        int r, g, b;
    };
    static constexpr Stop kStops[] = {{0.0, 40, 70, 200},
                                      {0.25, 40, 180, 230},
                                      {0.5, 60, 190, 80},
                                      {0.75, 250, 215, 40},
                                      {1.0, 220, 40, 30}};
    const double t = std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0.0;
    std::size_t k = 1;
    while (k < std::size(kStops) - 1 && t > kStops[k].at) {
        ++k;
    }
    const Stop& a = kStops[k - 1];
    const Stop& b = kStops[k];
    const double f = (t - a.at) / (b.at - a.at);
    auto mix = [f](int x, int y) {
        return static_cast<std::uint32_t>(std::lround(x + (y - x) * f));
    };
    return 0xFF000000u | mix(a.r, b.r) << 16 | mix(a.g, b.g) << 8 | mix(a.b, b.b);
}

std::string NationalCsv(const NationalMap& map) {
    const NationalQuantity quantity = map.request.quantity;
    std::string out = "\xEF\xBB\xBF";
    out += map.request.Title() + "\r\n";
    out += std::string("順位,地点番号,地点名,エリア,") + QuantityLabel(quantity);
    if (*QuantityUnit(quantity) != 0) {
        out += std::string("(") + QuantityUnit(quantity) + ")";
    }
    out += "\r\n";
    int rank = 0;
    for (std::size_t i : RankingOrder(map)) {
        const SiteValue& site = map.sites[i];
        out += std::to_string(++rank) + "," + std::to_string(site.siteNumber) + "," + site.name +
               "," + site.areaName + "," + ExactDecimal(*site.value) + "\r\n";
    }
    return out;
}

std::string NationalGeoJson(const NationalMap& map) {
    const NationalQuantity quantity = map.request.quantity;
    // Every feature names the plane, year and month its value is for.
    const std::string title = JsonString(map.request.Title());
    std::string out = "{\"type\": \"FeatureCollection\", \"features\": [";
    bool first = true;
    // The catalogue holds JGD2000 positions, WGS 84 within a metre; the maps'
    // display shift turns them to the old datum of the pictures and is not applied.
    for (const SiteValue& site : map.sites) {
        out += first ? "\n" : ",\n";
        first = false;
        out += "{\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": [" +
               ExactDecimal(site.longitudeDeg) + ", " + ExactDecimal(site.latitudeDeg) +
               "]}, \"properties\": {\"site\": " + std::to_string(site.siteNumber) +
               ", \"name\": " + JsonString(site.name) + ", \"area\": " + JsonString(site.areaName) +
               ", \"quantity\": " + JsonString(QuantityName(quantity)) +
               ", \"value\": " + (site.value ? ExactDecimal(*site.value) : std::string("null")) +
               ", \"unit\": " + JsonString(QuantityUnit(quantity)) + ", \"title\": " + title + "}}";
    }
    return out + "\n]}\n";
}

} // namespace quorvane

#include "yield/site_yield.h"

#include "data/cpu_state.h"
#include "data/parallel.h"

#include <memory>

namespace quorvane {

namespace {

constexpr const char* kVariantLabels[kYearVariantCount] = {"平均年", "多照年", "寡照年"};

void AppendResult(std::string& out, const std::optional<YieldResult>& result) {
    if (!result) {
        out += ",,,";
        return;
    }
    out += "," + ExactDecimal(result->annualKwh) + "," + ExactDecimal(result->specificYield) + "," +
           ExactDecimal(result->performanceRatio);
}

std::optional<YieldResult> MonthlyOfSite(const YieldSources& sources, int siteNumber,
                                         const YieldRequest& request, MessageReporter& reporter) {
    auto record = std::make_unique<MonthlyRecord>();
    if (LoadMonthlyData(sources.monthlyFolder, siteNumber, *record, reporter) != LoadStatus::Ok) {
        return std::nullopt;
    }
    return MonthlyYield(*record, request.tiltDeg, request.azimuthDeg, request.monthly);
}

} // namespace

SitePosition SitePositionOf(const CAmedasPoint& site) {
    return {site.positionValid, site.longitudeDeg, site.latitudeDeg, site.elevationM};
}

bool LoadYieldYear(const YieldSources& sources, const CAmedasPoint& site, YearVariant variant,
                   HourlyDataSet& scratch, YieldYear& year, MessageReporter& reporter) {
    if (!site.positionValid) {
        reporter.Report(kInvalidSitePositionMessage);
        return false;
    }
    if (LoadHourlyData(scratch, variant, site.siteNumber, sources.hourlyFolder, sources.mapFolder,
                       reporter) != LoadStatus::Ok) {
        return false;
    }
    PrepareYieldYear(scratch, SitePositionOf(site), year);
    return true;
}

std::optional<YieldYear> LoadYieldYear(const YieldSources& sources, const CAmedasPoint& site,
                                       YearVariant variant, HourlyDataSet& scratch,
                                       MessageReporter& reporter) {
    YieldYear year;
    if (!LoadYieldYear(sources, site, variant, scratch, year, reporter)) {
        return std::nullopt;
    }
    return year;
}

SiteYield ComputeSiteYield(const YieldSources& sources, const CAmedasPoint& site,
                           const YieldRequest& request) {
    SiteYield row{site.siteNumber, site.name, {}, std::nullopt, {}};
    CollectingReporter reporter;
    if (request.method == YieldMethod::Monthly) {
        row.monthly = MonthlyOfSite(sources, site.siteNumber, request, reporter);
    } else {
        auto scratch = std::make_unique<HourlyDataSet>();
        for (int v = 0; v < kYearVariantCount; ++v) {
            if (const auto year =
                    LoadYieldYear(sources, site, static_cast<YearVariant>(v), *scratch, reporter)) {
                row.variants[static_cast<std::size_t>(v)] =
                    HourlyYield(*year, request.tiltDeg, request.azimuthDeg, request.hourly);
            }
        }
    }
    if (!reporter.messages.empty()) {
        row.problem = reporter.messages.front();
    }
    return row;
}

std::vector<SiteYield> ComputeEverySiteYield(const YieldSources& sources,
                                             const std::vector<CAmedasPoint>& sites,
                                             const YieldRequest& request, WorkProgress& progress,
                                             int threads) {
    std::vector<std::optional<SiteYield>> done(sites.size());
    progress.total = static_cast<int>(sites.size());
    ParallelFor(static_cast<int>(sites.size()), threads, [&](int i) {
        if (progress.Cancelled()) {
            return;
        }
        const auto at = static_cast<std::size_t>(i);
        done[at] = ComputeSiteYield(sources, sites[at], request);
        progress.Step();
    });
    std::vector<SiteYield> rows;
    for (std::optional<SiteYield>& row : done) {
        if (row) {
            rows.push_back(std::move(*row));
        }
    }
    return rows;
}

YieldSiteData LoadYieldSiteData(const YieldSources& sources, const CAmedasPoint& site,
                                MessageReporter& reporter) {
    YieldSiteData data;
    data.siteName = site.name;
    auto scratch = std::make_unique<HourlyDataSet>();
    for (std::size_t v = 0; v < data.years.size(); ++v) {
        data.years[v] =
            LoadYieldYear(sources, site, static_cast<YearVariant>(v), *scratch, reporter);
    }
    data.record.emplace();
    if (LoadMonthlyData(sources.monthlyFolder, site.siteNumber, *data.record, reporter) !=
        LoadStatus::Ok) {
        data.record.reset();
    }
    return data;
}

YieldComparison CompareYields(const YieldSiteData& data, PlaneAngles plane,
                              const HourlyArray& hourly, MonthlyArray monthly) {
    ClearUpperVectorState();
    monthly.ratingKw = hourly.ratingKw;
    YieldComparison comparison;
    comparison.siteName = data.siteName;
    comparison.tiltDeg = plane.tiltDeg;
    comparison.azimuthDeg = plane.azimuthDeg;
    comparison.ratingKw = hourly.ratingKw;
    comparison.hourlyArray = hourly;
    comparison.monthlyArray = monthly;
    const SlopePlane slope = PrepareSlopePlane(plane.tiltDeg, plane.azimuthDeg);
    for (std::size_t v = 0; v < data.years.size(); ++v) {
        if (data.years[v]) {
            comparison.variants[v] = HourlyYield(*data.years[v], slope, hourly);
        }
    }
    comparison.monthlyPlane = SnapToMonthlyPlane(plane.tiltDeg, plane.azimuthDeg);
    if (data.record) {
        comparison.monthly = MonthlyYield(*data.record, plane.tiltDeg, plane.azimuthDeg, monthly);
    }
    return comparison;
}

std::string EverySiteYieldCsv(const std::vector<SiteYield>& rows, YieldMethod method) {
    std::string out = "\xEF\xBB\xBF地点番号,地点名";
    if (method == YieldMethod::Hourly) {
        for (const char* variant : kVariantLabels) {
            out += std::string(",年間発電量 ") + variant + "(kWh),発電量原単位 " + variant +
                   "(kWh/kW),PR " + variant;
        }
    } else {
        out += ",年間発電量(kWh),発電量原単位(kWh/kW),PR";
    }
    out += "\r\n";
    for (const SiteYield& row : rows) {
        out += std::to_string(row.siteNumber) + "," + row.name;
        if (method == YieldMethod::Hourly) {
            for (const auto& variant : row.variants) {
                AppendResult(out, variant);
            }
        } else {
            AppendResult(out, row.monthly);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace quorvane

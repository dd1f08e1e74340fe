#pragma once

#include "data/monthly_file.h"
#include "data/site_catalogue.h"
#include "graph/orientation.h"
#include "yield/yield_chart.h"
#include "yield/yield_report.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// Where the databases and the site tables are.
struct YieldSources {
    std::string mapFolder;
    std::string hourlyFolder;
    std::string monthlyFolder;
};

SitePosition SitePositionOf(const CAmedasPoint& site);

// A site's year of one variant made ready for the hourly method; nothing when its
// files cannot be read or it has no position, said to `reporter`. `scratch` holds
// the file while it is read.
std::optional<YieldYear> LoadYieldYear(const YieldSources& sources, const CAmedasPoint& site,
                                       YearVariant variant, HourlyDataSet& scratch,
                                       MessageReporter& reporter);
// The same into `year`, reusing its storage; false when it could not be read.
bool LoadYieldYear(const YieldSources& sources, const CAmedasPoint& site, YearVariant variant,
                   HourlyDataSet& scratch, YieldYear& year, MessageReporter& reporter);

// The arrays and the plane both methods are computed for.
struct YieldRequest {
    YieldMethod method = YieldMethod::Hourly;
    int tiltDeg = 30;
    int azimuthDeg = 0;
    HourlyArray hourly;
    MonthlyArray monthly;
    // The year variants the hourly method computes (bit 1 << variant).
    unsigned variants = 0b111;
};

// One site's results: the three year variants with the hourly method, or the monthly
// method's. A result is missing where the site's data could not be read; `problem`
// then holds the first message.
struct SiteYield {
    int siteNumber = 0;
    std::string name;
    std::array<std::optional<YieldResult>, kYearVariantCount> variants{};
    std::optional<YieldResult> monthly;
    std::string problem;
};

SiteYield ComputeSiteYield(const YieldSources& sources, const CAmedasPoint& site,
                           const YieldRequest& request);

// Every site of the catalogue in its order, spread over `threads` threads;
// `progress` counts the sites done and stops the work when cancelled (the sites not
// reached are left out).
std::vector<SiteYield> ComputeEverySiteYield(const YieldSources& sources,
                                             const std::vector<CAmedasPoint>& sites,
                                             const YieldRequest& request, WorkProgress& progress,
                                             int threads);

// What the yield dialog reads of its site: the three years for the hourly method
// and the monthly record; each is missing where it could not be read.
struct YieldSiteData {
    std::string siteName;
    std::array<std::optional<YieldYear>, kYearVariantCount> years;
    std::optional<MonthlyRecord> record;
};

// Every failure is said to `reporter`.
YieldSiteData LoadYieldSiteData(const YieldSources& sources, const CAmedasPoint& site,
                                MessageReporter& reporter);

// Both methods on one plane, as the chart shows them; the monthly method's rating
// is the hourly array's.
YieldComparison CompareYields(const YieldSiteData& data, PlaneAngles plane,
                              const HourlyArray& hourly, MonthlyArray monthly);

// The table of every site: number, name, then per variant the annual kWh, the
// specific yield and the PR (hourly method) or the monthly method's three; a site
// whose data could not be read has empty cells. UTF-8 with a BOM, CR LF.
std::string EverySiteYieldCsv(const std::vector<SiteYield>& rows, YieldMethod method);

} // namespace quorvane

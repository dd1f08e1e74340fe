#include "cli/hourly_source.h"

#include "data/settings.h"
#include "data/site_catalogue.h"

#include <optional>

namespace quorvane::cli {

bool ReadHourlySource(const Arguments& args, HourlySource& source, std::string& error,
                      bool siteRequired) {
    if (siteRequired && !args.Has("site")) {
        error = "--site is required";
        return false;
    }
    int variant = 0;
    if (!args.GetInt("site", source.siteNumber, error) || !args.GetInt("variant", variant, error)) {
        return false;
    }
    const std::optional<YearVariant> yearVariant = YearVariantFromIndex(variant);
    if (!yearVariant) {
        error = "--variant must be 0, 1 or 2";
        return false;
    }
    source.yearVariant = *yearVariant;
    auto dataRoot = args.Get("data-root");
    auto hourly = args.Get("hourly");
    const AppLocations locations = AppLocations::FromEnvironment();
    source.dataRoot = dataRoot ? *dataRoot : locations.MapFolder();
    source.hourlyFolder = hourly ? *hourly : ReadDataFolders(locations.SettingsFile()).hourly;
    return true;
}

bool ReadIntIn(const Arguments& args, const char* key, int low, int high, int& value,
               std::string& error) {
    if (!args.GetInt(key, value, error)) {
        return false;
    }
    if (value < low || value > high) {
        error = std::string("--") + key + " must be " + std::to_string(low) + ".." +
                std::to_string(high);
        return false;
    }
    return true;
}

SitePosition FindSitePosition(const std::string& dataRoot, int siteNumber, std::string* name) {
    std::vector<CAmedasPoint> sites;
    StderrReporter reporter;
    LoadSiteTable(dataRoot, sites, reporter);
    int index = FindSiteIndex(sites, siteNumber);
    if (index < 0) {
        return {};
    }
    const CAmedasPoint& point = sites[static_cast<std::size_t>(index)];
    if (name != nullptr) {
        *name = point.name;
    }
    return {point.positionValid, point.longitudeDeg, point.latitudeDeg, point.elevationM};
}

int DefaultTiltDeg(const SitePosition& site) {
    return site.found ? static_cast<int>(site.latitudeDeg + 0.5) : 30;
}

LoadStatus LoadHourlySource(const HourlySource& source, HourlyDataSet& set) {
    StderrReporter reporter;
    return LoadHourlyData(set, source.yearVariant, source.siteNumber, source.hourlyFolder,
                          source.dataRoot, reporter);
}

} // namespace quorvane::cli

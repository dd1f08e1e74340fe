#include "cli/hourly_source.h"

#include "data/settings.h"

#include <optional>

namespace quorvane::cli {

bool ReadHourlySource(const Arguments& args, HourlySource& source, std::string& error) {
    if (!args.Has("site")) {
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

LoadStatus LoadHourlySource(const HourlySource& source, HourlyDataSet& set) {
    StderrReporter reporter;
    return LoadHourlyData(set, source.yearVariant, source.siteNumber, source.hourlyFolder,
                          source.dataRoot, reporter);
}

} // namespace quorvane::cli

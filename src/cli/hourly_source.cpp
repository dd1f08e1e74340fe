#include "cli/hourly_source.h"

#include "data/settings.h"
#include "data/site_catalogue.h"

#include "graph/orientation.h"
#include "hourly/hourly_view.h"
#include "solar/calendar.h"

#include <array>
#include <optional>

namespace quorvane::cli {

bool ReadHourlySource(const Arguments& args, HourlySource& source, std::string& error,
                      bool siteRequired) {
    if (siteRequired && !args.Has("site")) {
        error = "--site is required";
        return false;
    }
    int variant = 0;
    if (!args.GetInt("site", source.siteNumber, error) ||
        !ReadNamedIndex(args, "variant", kVariantNames, variant, error)) {
        return false;
    }
    source.yearVariant = static_cast<YearVariant>(variant);
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

LoadStatus LoadHourlySource(const HourlySource& source, HourlyDataSet& set) {
    StderrReporter reporter;
    return LoadHourlyData(set, source.yearVariant, source.siteNumber, source.hourlyFolder,
                          source.dataRoot, reporter);
}

bool ReadHourlyGraphInput(const Arguments& args, const HourlySource& source, HourlyGraphInput& in,
                          std::string& error) {
    static constexpr std::array<const char*, 2> kKinds{"horizontal", "slope"};
    static constexpr std::array<const char*, 5> kViews{"day", "month", "10days", "irradiation-rank",
                                                       "sunshine-rank"};
    int kind = -1, view = -1, mode = 0;
    if (!ReadNamedIndex(args, "kind", kKinds, kind, error) ||
        !ReadNamedIndex(args, "view", kViews, view, error) ||
        !ReadIntIn(args, "month", 1, 12, in.month, error) ||
        !ReadIntIn(args, "day", 1, kDaysPerMonth[in.month - 1], in.day, error) ||
        !ReadNamedIndex(args, "mode", kHourlyModeNames, mode, error)) {
        return false;
    }
    if (kind < 0 || view < 0 || !args.Has("month")) {
        error = "--kind, --view and --month are required";
        return false;
    }
    in.dataKind = static_cast<DataKind>(kind);
    in.view = static_cast<HourlyView>(view);
    in.angleMode = static_cast<HourlyAngleMode>(mode);
    in.variant = source.yearVariant;
    in.site = FindSitePosition(source.dataRoot, source.siteNumber, &in.siteName);
    const bool fixedAzimuth =
        in.dataKind == DataKind::Slope && in.angleMode == HourlyAngleMode::FixedAzimuth;
    in.tiltDeg = fixedAzimuth ? kFixedAzimuthTiltDeg : HourlyDefaultTilt(in.site);
    return ReadIntIn(args, "tilt", 0, 90, in.tiltDeg, error) &&
           ReadIntIn(args, "azimuth", 0, 359, in.azimuthDeg, error);
}

void LoadHourlyGraphData(const HourlySource& source, HourlyGraphInput& in, HourlyDataSet& set) {
    const LoadStatus status = LoadHourlySource(source, set);
    in.set = &set;
    in.loaded = status == LoadStatus::Ok && in.site.found;
    if (status == LoadStatus::Ok && !in.site.found) {
        PrintMessage("the site is not in the site table of the data root");
    }
    if (in.loaded &&
        (in.view == HourlyView::IrradiationRanking || in.view == HourlyView::SunshineRanking)) {
        HourlyRankings rankings;
        BuildRankings(set, in.month, rankings);
        const DayRanking& ranking =
            in.view == HourlyView::SunshineRanking ? rankings.sunshine : rankings.irradiation;
        in.day = ranking.count > 0 ? ranking.days[0] : in.day;
    }
}

} // namespace quorvane::cli

#include "cli/command.h"
#include "data/settings.h"
#include "data/site_catalogue.h"
#include "map/site_finder.h"

#include <string>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli find-site [--data-root DIR] TEXT\n"
    "    lists the sites whose name holds TEXT or whose number starts with it, then the\n"
    "    municipalities and facilities of the search tables whose name holds it, one a\n"
    "    line: 'number<TAB>name<TAB>area name<TAB>longitude<TAB>latitude' (a place has\n"
    "    no number and its prefecture as area name); full-width and half-width digits\n"
    "    and Latin letters match each other. Exits 1 when nothing matches";

int UsageError(const std::string& error) {
    return ReportUsageError("find-site", kUsage, error);
}

int RunFindSite(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!args.Parse(argc, argv, {}, error)) {
        return UsageError(error);
    }
    if (args.positional().size() != 1) {
        return UsageError("expected one TEXT to look for");
    }
    const std::string dataRoot =
        args.Get("data-root").value_or(AppLocations::FromEnvironment().MapFolder());
    std::vector<CAmedasPoint> sites;
    if (LoadSiteTable(dataRoot, sites) != LoadStatus::Ok) {
        PrintMessage("地点一覧が読み込めません。");
        return kExitFailure;
    }
    MapInfoTable areas{};
    for (int level = 0; level < 3; ++level) {
        LoadAreaTable(dataRoot, level, areas); // without a table the area names stay empty
    }
    StderrReporter reporter;
    const SiteFinder finder(sites, areas, LoadSearchPlaces(dataRoot, reporter));
    const std::vector<FoundPlace> found = finder.Find(args.positional().front());
    if (found.empty()) {
        return kExitFailure;
    }
    std::string out;
    for (const FoundPlace& match : found) {
        out += FoundLine(match) + "\n";
    }
    return WriteOutput("find-site", out);
}

const CommandRegistration kRegistration({"find-site", kUsage, RunFindSite});

} // namespace

} // namespace quorvane::cli

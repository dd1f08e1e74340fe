#include "cli/command.h"
#include "cli/graph_output.h"
#include "cli/yield_options.h"
#include "data/site_catalogue.h"
#include "graph/graph_image.h"
#include "map/map_pictures.h"
#include "national/national_painter.h"
#include "ui/image.h"
#include "ui/text.h"

#include <QBuffer>
#include <QPainter>
#include <memory>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli national [--data-root DIR] [--hourly DIR] [--kalvera DIR]\n"
    "    --quantity poa|yield|pr|optimum-tilt|spread|monthly --tilt T --azimuth A\n"
    "    [--variant V] [--month M] [--method hourly|monthly] [--block B]\n"
    "    [the array options of yield] (--csv FILE | --geojson FILE | --png FILE)\n"
    "    computes the quantity for every site of the catalogue, as the yield and\n"
    "    monthly commands compute it: annual plane irradiation (kWh/m2), specific\n"
    "    yield (kWh/kWp), PR, the monthly data's optimum tilt for the year, the high-\n"
    "    less low-sunshine year's yield (% of the average year's) or one month's daily\n"
    "    irradiation on the plane (kWh/m2 day); writes the ranking as CSV, the sites as\n"
    "    GeoJSON points or the map (--block 0 national, 1..9 a block) as PNG";

int UsageError(const std::string& error) {
    return ReportUsageError("national", kUsage, error);
}

int Refuse(const std::string& message) {
    std::fprintf(stderr, "quorvane-cli national: %s\n", message.c_str());
    return kExitFailure;
}

bool ReadRequest(const Arguments& args, NationalRequest& request, std::string& error) {
    static constexpr std::array<const char*, 2> kMethods{"hourly", "monthly"};
    const std::optional<NationalQuantity> quantity = QuantityNamed(*args.Get("quantity"));
    if (!quantity) {
        error = "--quantity must be poa, yield, pr, optimum-tilt, spread or monthly";
        return false;
    }
    request.quantity = *quantity;
    int variant = 0, method = 0;
    if (!args.GetInt("tilt", request.tiltDeg, error) ||
        !args.GetInt("azimuth", request.azimuthDeg, error) ||
        !args.GetInt("month", request.month, error) ||
        !ReadNamedIndex(args, "variant", kVariantNames, variant, error) ||
        !ReadNamedIndex(args, "method", kMethods, method, error) ||
        !ReadHourlyArray(args, request.hourly, error) ||
        !ReadMonthlyArray(args, request.monthly, error)) {
        return false;
    }
    request.variant = static_cast<YearVariant>(variant);
    request.method = static_cast<YieldMethod>(method);
    if (request.tiltDeg < 0 || request.tiltDeg > 90 || request.azimuthDeg < -180 ||
        request.azimuthDeg > 359 || request.month < 1 || request.month > 12) {
        error = "--tilt must be 0..90, --azimuth -180..359 and --month 1..12";
        return false;
    }
    const auto problem = HourlyArrayProblem(request.hourly);
    error = problem ? *problem : MonthlyArrayProblem(request.monthly).value_or("");
    return error.empty();
}

// The catalogue and the three area tables.
bool LoadTables(const std::string& mapFolder, std::vector<CAmedasPoint>& sites,
                MapInfoTable& areas) {
    StderrReporter reporter;
    bool ok = LoadSiteTable(mapFolder, sites, reporter) == LoadStatus::Ok;
    for (int level = 0; level < 3 && ok; ++level) {
        ok = LoadAreaTable(mapFolder, level, areas) == LoadStatus::Ok;
    }
    return ok;
}

bool WritePng(const std::string& path, const NationalMap& map, const MapInfoTable& areas,
              const std::string& mapFolder, int block) {
    const CMapInfo& place = areas[static_cast<std::size_t>(block)];
    const NationalLayout layout =
        ComposeNationalLayout(map, block, place.bounds, block == 0 ? "全国" : place.name);
    const QImage picture = LoadPictureFile(ToQString(MapPicturePath(mapFolder, block)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    return buffer.open(QIODevice::WriteOnly) &&
           RenderGraphImage(kNationalWidth, kNationalHeight, 1.0,
                            [&](QPainter& p) { PaintNationalMap(p, layout, picture); })
               .save(&buffer, "PNG") &&
           WriteOrSay(path, bytes.toStdString());
}

int RunNational(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseOptionsOnly(argc, argv, {}, args, error)) {
        return UsageError(error);
    }
    if (!args.Has("quantity") || (!args.Has("csv") && !args.Has("geojson") && !args.Has("png"))) {
        return UsageError("--quantity and one of --csv, --geojson or --png are required");
    }
    NationalRequest request;
    int block = 0;
    if (!ReadRequest(args, request, error) || !args.GetInt("block", block, error) || block < 0 ||
        block > 9) {
        return Refuse(error.empty() ? "--block must be 0..9" : error);
    }
    const YieldSources sources = ReadYieldSources(args);
    std::vector<CAmedasPoint> sites;
    auto areas = std::make_unique<MapInfoTable>();
    if (!LoadTables(sources.mapFolder, sites, *areas)) {
        return Refuse("the site and area tables of " + sources.mapFolder + " cannot be read");
    }
    WorkProgress progress;
    NationalMap map;
    WithProgress("national", "sites", progress, [&] {
        map = ComputeNationalMap(sources, sites, *areas, request, progress, WorkerThreads());
    });
    bool ok = true;
    for (const SiteValue& site : map.sites) {
        if (!site.value) {
            std::fprintf(stderr, "site %05d: %s\n", site.siteNumber, site.problem.c_str());
            ok = false;
        }
    }
    const PaintingApplication painting;
    if (const auto csv = args.Get("csv")) {
        ok = WriteOrSay(*csv, NationalCsv(map)) && ok;
    }
    if (const auto geojson = args.Get("geojson")) {
        ok = WriteOrSay(*geojson, NationalGeoJson(map)) && ok;
    }
    if (const auto png = args.Get("png")) {
        ok = WritePng(*png, map, *areas, sources.mapFolder, block) && ok;
    }
    return ok ? kExitOk : kExitFailure;
}

const CommandRegistration kRegistration({"national", kUsage, &RunNational});

} // namespace

} // namespace quorvane::cli

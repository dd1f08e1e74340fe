#include "cli/command.h"
#include "cli/graph_output.h"
#include "cli/hourly_source.h"
#include "data/settings.h"
#include "monthly/monthly_graph_painter.h"
#include "monthly/monthly_print.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli monthly-graph [--data-root DIR] [--kalvera DIR] --site N --display D\n"
    "    --angle-mode MODE --month M [--tilt T --azimuth A] [--hide I,J,...]\n"
    "    --width W --height H [--png FILE] [--svg FILE.svg] [--pdf FILE]\n"
    "    [--tooltips FILE.json]\n"
    "    draws the monthly viewer's chart in a frame of W x H pixels at screen scale;\n"
    "    the tooltips as a JSON array of {left, top, right, bottom, text}; --pdf prints\n"
    "    it as the viewer prints it, on one landscape A4 page";

int UsageError(const std::string& error) {
    return ReportUsageError("monthly-graph", kUsage, error);
}

int RunMonthlyGraph(int argc, char** argv) {
    Arguments args;
    std::string error;
    MonthlyGraphInput in;
    GraphFrameOptions frame;
    int site = 0, display = 0, mode = 0;
    if (!ParseOptionsOnly(argc, argv, {}, args, error) ||
        !ReadGraphFrameOptions(args, frame, error)) {
        return UsageError(error);
    }
    if (!args.Has("site") || !args.Has("month")) {
        return UsageError("--site and --month are required");
    }
    if (!args.GetInt("site", site, error) ||
        !ReadNamedIndex(args, "display", kDisplayNames, display, error) ||
        !ReadNamedIndex(args, "angle-mode", kMonthlyModeNames, mode, error) ||
        !ReadIntIn(args, "month", 1, 12, in.month, error) ||
        !ReadIntIn(args, "tilt", 0, 90, in.tiltDeg, error) ||
        !ReadIntIn(args, "azimuth", -180, 180, in.azimuthDeg, error)) {
        return UsageError(error);
    }
    in.display = static_cast<MonthlyDisplay>(display);
    in.angleMode = static_cast<MonthlyAngleMode>(mode);
    const AppLocations locations = AppLocations::FromEnvironment();
    const std::string dataRoot = args.Get("data-root").value_or(locations.MapFolder());
    const std::string folder =
        args.Get("kalvera").value_or(ReadDataFolders(locations.SettingsFile()).monthly);
    in.siteFound = FindSitePosition(dataRoot, site, &in.siteName).found;

    const PaintingApplication painting;
    auto record = std::make_unique<MonthlyRecord>();
    StderrReporter reporter;
    in.record = record.get();
    in.loaded = LoadMonthlyData(folder, site, *record, reporter) == LoadStatus::Ok;
    const MonthlyGraph graph =
        ComposeMonthlyGraph(in, {frame.width, frame.height, {}}, frame.hidden);
    const GraphStyles styles = GraphStyles::Make(1, true);
    const auto paint = [&](QPainter& p) {
        PaintMonthlyGraph(p, graph.scene, graph.layout, styles);
    };
    const auto print = [&](QPrinter& printer) {
        return PrintMonthlyGraph(printer, in, frame.width, frame.height, frame.hidden) ==
               PrintStatus::Printed;
    };
    if (const std::optional<int> failed =
            WriteGraphOutputs(args, frame, paint, paint, print, graph.scene.tooltips, UsageError)) {
        return *failed;
    }
    return in.loaded ? kExitOk : kExitFailure;
}

const CommandRegistration kRegistration({"monthly-graph", kUsage, RunMonthlyGraph});

} // namespace

} // namespace quorvane::cli

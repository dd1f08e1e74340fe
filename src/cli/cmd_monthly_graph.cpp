#include "cli/command.h"
#include "cli/graph_output.h"
#include "cli/hourly_source.h"
#include "data/settings.h"
#include "graph/graph_image.h"
#include "monthly/monthly_graph_painter.h"
#include "monthly/monthly_print.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <cstdlib>
#include <memory>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli monthly-graph [--data-root DIR] [--kalvera DIR] --site N --display 0|1|2\n"
    "    --angle-mode 0..5 --month M [--tilt T --azimuth A] [--hide I,J,...]\n"
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
    if (!ParseOptionsOnly(argc, argv, {}, args, error)) {
        return UsageError(error);
    }
    MonthlyGraphInput in;
    int site = 0, display = 0, mode = 0, width = 0, height = 0;
    std::vector<int> hidden;
    if (!args.Has("site") || !args.Has("month") || !args.Has("width") || !args.Has("height")) {
        return UsageError("--site, --month, --width and --height are required");
    }
    if (!args.GetInt("site", site, error) ||
        !ReadIntIn(args, "display", 0, kMonthlyDisplayCount - 1, display, error) ||
        !ReadIntIn(args, "angle-mode", 0, kMonthlyAngleModeCount - 1, mode, error) ||
        !ReadIntIn(args, "month", 1, 12, in.month, error) ||
        !ReadIntIn(args, "tilt", 0, 90, in.tiltDeg, error) ||
        !ReadIntIn(args, "azimuth", -180, 180, in.azimuthDeg, error) ||
        !ReadIntIn(args, "width", 200, 8000, width, error) ||
        !ReadIntIn(args, "height", 200, 8000, height, error) || !ReadHidden(args, hidden, error)) {
        return UsageError(error);
    }
    in.display = static_cast<MonthlyDisplay>(display);
    in.angleMode = static_cast<MonthlyAngleMode>(mode);
    const AppLocations locations = AppLocations::FromEnvironment();
    const std::string dataRoot = args.Get("data-root").value_or(locations.MapFolder());
    const std::string folder =
        args.Get("kalvera").value_or(ReadDataFolders(locations.SettingsFile()).monthly);
    const SitePosition position = FindSitePosition(dataRoot, site, &in.siteName);
    in.siteFound = position.found;

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char name[] = "quorvane-cli";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);

    auto record = std::make_unique<MonthlyRecord>();
    StderrReporter reporter;
    in.record = record.get();
    in.loaded = LoadMonthlyData(folder, site, *record, reporter) == LoadStatus::Ok;

    const GraphStyles styles = GraphStyles::Make(1, true);
    GraphLayout layout = MakeGraphLayout(width, height, 1);
    layout.legend =
        BuildMonthlyLegend(in, layout.graph, MonthlySeriesArgb(styles), VariationArgb(styles));
    for (int index : hidden) {
        if (index < static_cast<int>(layout.legend.size())) {
            layout.legend[static_cast<std::size_t>(index)].visible = 0;
        }
    }
    layout.toggle = {width - 76, height - 50, width - 20, height - 35};
    const MonthlyScene scene = ComputeMonthlyScene(in, layout.graph, layout.legend);
    auto paint = [&](QPainter& p) { PaintMonthlyGraph(p, scene, layout, styles); };

    if (const auto png = args.Get("png")) {
        QImage image = RenderGraphImage(width, height, 1.0, paint);
        if (!image.save(QString::fromLocal8Bit(png->c_str()), "PNG")) {
            PrintMessage("出力ファイルが開けません。");
            return kExitFailure;
        }
    }
    const auto print = [&](QPrinter& printer) {
        return PrintMonthlyGraph(printer, in, width, height, layout.legend);
    };
    if (const std::optional<int> failed =
            WriteGraphFiles(args, width, height, paint, print, scene.tooltips, UsageError)) {
        return *failed;
    }
    return in.loaded ? kExitOk : kExitFailure;
}

const CommandRegistration kRegistration({"monthly-graph", kUsage, RunMonthlyGraph});

} // namespace

} // namespace quorvane::cli

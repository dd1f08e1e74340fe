#include "cli/command.h"
#include "cli/graph_output.h"
#include "cli/hourly_source.h"
#include "data/atomic_file.h"
#include "graph/graph_image.h"
#include "hourly/graph_print.h"
#include "hourly/hourly_graph_painter.h"
#include "solar/calendar.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <cstdlib>
#include <memory>
#include <string>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli graph [--data-root DIR] [--hourly DIR] --site N [--variant 0|1|2]\n"
    "    --kind horizontal|slope --view day|month|10days|irradiation-rank|sunshine-rank\n"
    "    --month M [--day D] [--mode 0|1|2 --tilt T --azimuth A] [--hide I,J,...]\n"
    "    --width W --height H [--png FILE] [--svg FILE.svg] [--pdf FILE]\n"
    "    [--tooltips FILE.json]\n"
    "    draws the hourly viewer's graph in a frame of W x H pixels at screen scale;\n"
    "    the tooltips as a JSON array of {left, top, right, bottom, text}; --pdf prints\n"
    "    it as the viewer prints it, on one landscape A4 page; the ranking views draw\n"
    "    the first-ranked day";

int UsageError(const std::string& error) {
    return ReportUsageError("graph", kUsage, error);
}

int RunGraph(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseOptionsOnly(argc, argv, {}, args, error)) {
        return UsageError(error);
    }
    HourlySource source;
    int kind = 0, view = 0, mode = 0, width = 0, height = 0;
    HourlyGraphInput in;
    std::vector<int> hidden;
    if (!ReadHourlySource(args, source, error) ||
        !ReadChoice(args, "kind", {"horizontal", "slope"}, kind, error) ||
        !ReadChoice(args, "view", {"day", "month", "10days", "irradiation-rank", "sunshine-rank"},
                    view, error) ||
        !ReadIntIn(args, "month", 1, 12, in.month, error) ||
        !ReadIntIn(args, "day", 1, kDaysPerMonth[in.month - 1], in.day, error) ||
        !ReadIntIn(args, "mode", 0, kHourlyAngleModeCount - 1, mode, error) ||
        !ReadIntIn(args, "width", 200, 8000, width, error) ||
        !ReadIntIn(args, "height", 200, 8000, height, error) || !ReadHidden(args, hidden, error)) {
        return UsageError(error);
    }
    if (!args.Has("month") || !args.Has("width") || !args.Has("height")) {
        return UsageError("--month, --width and --height are required");
    }
    in.site = FindSitePosition(source.dataRoot, source.siteNumber, &in.siteName);
    in.tiltDeg = DefaultTiltDeg(in.site);
    if (!ReadIntIn(args, "tilt", 0, 90, in.tiltDeg, error) ||
        !ReadIntIn(args, "azimuth", 0, 359, in.azimuthDeg, error)) {
        return UsageError(error);
    }
    in.dataKind = static_cast<DataKind>(kind);
    in.view = static_cast<HourlyView>(view);
    in.angleMode = static_cast<HourlyAngleMode>(mode);
    if (in.dataKind == DataKind::Slope && in.angleMode == HourlyAngleMode::FixedAzimuth &&
        !args.Has("tilt")) {
        in.tiltDeg = 30; // the viewer's tilt in angle mode 1
    }
    in.variant = source.yearVariant;

    // Painting needs a GUI application; without a display it draws offscreen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char name[] = "quorvane-cli";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);

    auto set = std::make_unique<HourlyDataSet>();
    const LoadStatus status = LoadHourlySource(source, *set);
    in.set = set.get();
    in.loaded = status == LoadStatus::Ok && in.site.found;
    if (status == LoadStatus::Ok && !in.site.found) {
        PrintMessage("the site is not in the site table of the data root");
    }
    if (in.loaded &&
        (in.view == HourlyView::IrradiationRanking || in.view == HourlyView::SunshineRanking)) {
        HourlyRankings rankings;
        BuildRankings(*set, in.month, rankings);
        const DayRanking& ranking =
            in.view == HourlyView::SunshineRanking ? rankings.sunshine : rankings.irradiation;
        in.day = ranking.count > 0 ? ranking.days[0] : in.day;
    }

    const GraphStyles styles = GraphStyles::Make(1, false);
    GraphLayout layout = MakeGraphLayout(width, height, 1);
    layout.dataKind = in.dataKind;
    layout.legend =
        BuildHourlyLegend(in, layout.graph, HorizontalSeriesArgb(styles), SlopeSeriesArgb(styles));
    for (int index : hidden) {
        if (index < static_cast<int>(layout.legend.size())) {
            layout.legend[static_cast<std::size_t>(index)].visible = 0;
        }
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    PlaceLegendButtons(layout,
                       ButtonTextExtent(&p, QStringLiteral("風向・風速の凡例を表示"), styles));
    layout.nav = in.view == HourlyView::Month ? NavButtons::Months
                 : (in.view == HourlyView::Day || in.view == HourlyView::TenDays)
                     ? NavButtons::Days
                     : NavButtons::Disabled;
    PlaceNavButtons(layout);
    const NavPictures pictures = LoadNavPictures();
    const HourlyScene scene = ComputeHourlyScene(in, layout.graph, layout.legend);
    PaintHourlyGraph(p, scene, layout, styles, {&pictures, -1});
    p.end();

    if (const auto png = args.Get("png");
        png && !image.save(QString::fromLocal8Bit(png->c_str()), "PNG")) {
        PrintMessage("出力ファイルが開けません。");
        return kExitFailure;
    }
    const auto paint = [&](QPainter& painter) { PaintHourlyGraph(painter, scene, layout, styles); };
    const auto print = [&](QPrinter& printer) {
        return PrintHourlyGraph(printer, in, width, height, layout.legend);
    };
    if (const std::optional<int> failed =
            WriteGraphFiles(args, width, height, paint, print, scene.tooltips, UsageError)) {
        return *failed;
    }
    return in.loaded ? kExitOk : kExitFailure;
}

const CommandRegistration kRegistration({"graph", kUsage, RunGraph});

} // namespace

} // namespace quorvane::cli

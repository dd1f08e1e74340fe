#include "cli/command.h"
#include "cli/graph_output.h"
#include "cli/hourly_source.h"
#include "hourly/graph_print.h"
#include "hourly/hourly_graph_painter.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli graph [--data-root DIR] [--hourly DIR] --site N [--variant V]\n"
    "    --kind horizontal|slope --view day|month|10days|irradiation-rank|sunshine-rank\n"
    "    --month M [--day D] [--mode MODE --tilt T --azimuth A] [--hide I,J,...]\n"
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
    HourlySource source;
    HourlyGraphInput in;
    GraphFrameOptions frame;
    if (!ParseOptionsOnly(argc, argv, {}, args, error) || !ReadHourlySource(args, source, error) ||
        !ReadHourlyGraphInput(args, source, in, error) ||
        !ReadGraphFrameOptions(args, frame, error)) {
        return UsageError(error);
    }
    const PaintingApplication painting;
    auto set = std::make_unique<HourlyDataSet>();
    LoadHourlyGraphData(source, in, *set);
    const HourlyGraph graph =
        ComposeHourlyGraph(in, ScreenGraphFrame(frame.width, frame.height), frame.hidden);
    const GraphStyles styles = GraphStyles::Make(1, false);
    const NavPictures pictures = LoadNavPictures();
    const auto paint = [&](const NavPictures* nav) {
        return [&, nav](QPainter& p) {
            PaintHourlyGraph(p, graph.scene, graph.layout, styles, {nav, -1});
        };
    };
    const auto print = [&](QPrinter& printer) {
        return PrintHourlyGraph(printer, in, frame.width, frame.height, frame.hidden) ==
               PrintStatus::Printed;
    };
    if (const std::optional<int> failed =
            WriteGraphOutputs(args, frame, paint(&pictures), paint(nullptr), print,
                              graph.scene.tooltips, UsageError)) {
        return *failed;
    }
    return in.loaded ? kExitOk : kExitFailure;
}

const CommandRegistration kRegistration({"graph", kUsage, RunGraph});

} // namespace

} // namespace quorvane::cli

#include "cli/command.h"
#include "cli/graph_output.h"
#include "cli/hourly_source.h"
#include "colormap/colormap_painter.h"
#include "data/atomic_file.h"
#include "data/settings.h"
#include "ui/image.h"
#include "ui/print_setup.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli colormap [--data-root DIR] --kind 0|1|2 --period 0..12\n"
    "    [--view X0,Y0,X1,Y1] (--png FILE | --pdf FILE)\n"
    "    --pdf prints the colour map as the viewer prints it, on one portrait A4 page;\n"
    "    --png writes the part of the picture in view (default: all of it); the view is\n"
    "    in picture pixels and its height follows the picture's proportions";

// The pane the printed page takes its proportions from: the viewer's on a 1366 x 768
// screen.
constexpr int kScreenWidth = 1366;
constexpr int kScreenHeight = 768;

int UsageError(const std::string& error) {
    return ReportUsageError("colormap", kUsage, error);
}

// The view of --view, made valid for the picture: inside it, its height from the width.
bool ReadView(const Arguments& args, int width, int height, ColorMapView& view,
              std::string& error) {
    view = WholeColorMap(width, height);
    if (!args.Has("view")) {
        return true;
    }
    std::vector<int> values;
    if (!ReadIntList(args, "view", 0, 100000, values, error)) {
        return false;
    }
    if (values.size() != 4 || values[0] >= values[2] || values[1] >= values[3] ||
        values[2] > width || values[3] > height) {
        error = "--view takes X0,Y0,X1,Y1 inside the picture of " + std::to_string(width) + " x " +
                std::to_string(height) + " pixels";
        return false;
    }
    view = {values[0], values[1], values[2],
            values[1] +
                static_cast<int>(static_cast<long long>(values[2] - values[0]) * height / width)};
    if (view.y1 > height) {
        view.y0 -= view.y1 - height;
        view.y1 = height;
    }
    return true;
}

bool WritePdf(const std::string& path, const ColorMapPage& content, int paneWidth, int paneHeight) {
    const std::string target = ResolveWriteTarget(path);
    const std::string partial = target + ".partial";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(partial.c_str()));
    SetUpA4Printer(printer, QStringLiteral("Quorvane"), PageOrientation::Portrait);
    QPainter p;
    if (!p.begin(&printer)) {
        return false;
    }
    const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
    ColorMapPage placed = content;
    placed.geometry = ComputeColorMapPrint(page.width(), page.height(), paneWidth, paneHeight);
    PaintColorMapPage(p, placed);
    std::error_code failed;
    if (!p.end()) {
        std::filesystem::remove(partial, failed);
        return false;
    }
    std::filesystem::rename(partial, target, failed);
    if (failed) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        return false;
    }
    return true;
}

int RunColorMap(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseOptionsOnly(argc, argv, {}, args, error)) {
        return UsageError(error);
    }
    int kind = 0, period = 0;
    if (!args.Has("kind") || !args.Has("period")) {
        return UsageError("--kind and --period are required");
    }
    if (!ReadIntIn(args, "kind", 0, kColorMapKindCount - 1, kind, error) ||
        !ReadIntIn(args, "period", 0, kColorMapPeriodCount - 1, period, error)) {
        return UsageError(error);
    }
    if (args.Has("png") == args.Has("pdf")) {
        return UsageError("give one of --png and --pdf");
    }
    const AppLocations locations = AppLocations::FromEnvironment();
    const std::string dataRoot = args.Get("data-root").value_or(locations.MapFolder());

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char name[] = "quorvane-cli";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);

    const QImage picture =
        LoadPngFile(QString::fromStdString(ColorMapPicturePath(dataRoot, kind, period)));
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
        PrintMessage("日射マップ画像が読み込めません。");
        return kExitFailure;
    }
    ColorMapView view;
    if (!ReadView(args, picture.width(), picture.height(), view, error)) {
        return UsageError(error);
    }
    if (const auto png = args.Get("png")) {
        const QImage part = picture.copy(view.x0, view.y0, view.Width(), view.Height());
        if (!part.save(QString::fromLocal8Bit(png->c_str()), "PNG")) {
            PrintMessage("出力ファイルが開けません。");
            return kExitFailure;
        }
        return kExitOk;
    }
    const ColorMapDialogGeometry screen = ComputeColorMapDialog({0, 0, kScreenWidth, kScreenHeight},
                                                                picture.width(), picture.height());
    const ColorMapPage content{{}, ColorMapTitle(kind, period), &picture, view};
    if (!WritePdf(*args.Get("pdf"), content, screen.pane.Width(), screen.pane.Height())) {
        PrintMessage("出力ファイルが開けません。");
        return kExitFailure;
    }
    return kExitOk;
}

const CommandRegistration kRegistration({"colormap", kUsage, RunColorMap});

} // namespace

} // namespace quorvane::cli

#include "ui/platform.h"

#include "data/program_inputs.h"
#include "ui/qt_platform.h"
#include "ui/text.h"

namespace quorvane {
namespace {

Platform* installed = nullptr;

} // namespace

void ReportPrint(QWidget* parent, PrintStatus status, bool sayPrinted) {
    if (status != PrintStatus::Printed || sayPrinted) {
        CurrentPlatform().ShowMessage(parent, ToQString(PrintStatusMessage(status)));
    }
}

SaveFileRequest ExportFileRequest(const std::string& defaultName, FileFilter filter) {
    SaveFileRequest request;
    request.title = QStringLiteral("表示データの保存");
    request.defaultName = QString::fromStdString(defaultName);
    switch (filter) {
    case FileFilter::Csv:
        request.filter = QStringLiteral("csvﾌｧｲﾙ (*.csv)");
        request.defaultSuffix = QStringLiteral("csv");
        break;
    case FileFilter::Txt:
        request.filter = QStringLiteral("txtﾌｧｲﾙ (*.txt)");
        request.defaultSuffix = QStringLiteral("txt");
        break;
    case FileFilter::Epw:
        request.filter = QStringLiteral("epwﾌｧｲﾙ (*.epw)");
        request.defaultSuffix = QStringLiteral("epw");
        break;
    case FileFilter::GeoJson:
        request.filter = QStringLiteral("GeoJSONﾌｧｲﾙ (*.geojson)");
        request.defaultSuffix = QStringLiteral("geojson");
        break;
    }
    return request;
}

std::optional<QString> ChooseExportFile(Platform& platform, QWidget* parent,
                                        const SaveFileRequest& request) {
    std::optional<QString> path = platform.SaveFileName(parent, request);
    if (path && IsProtectedInput(path->toStdString())) {
        platform.ShowMessage(parent, ToQString(kTargetIsInputMessage));
        return std::nullopt;
    }
    return path;
}

Platform& CurrentPlatform() {
    if (installed != nullptr) {
        return *installed;
    }
    static QtPlatform qtPlatform;
    return qtPlatform;
}

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(installed) {
    installed = &platform;
}

ScopedPlatform::~ScopedPlatform() {
    installed = previous_;
}

} // namespace quorvane

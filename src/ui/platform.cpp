#include "ui/platform.h"

#include "data/program_inputs.h"
#include "ui/qt_platform.h"
#include "ui/text.h"

namespace quorvane {
namespace {

Platform* installed = nullptr;

} // namespace

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

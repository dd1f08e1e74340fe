#include "ui/platform.h"

#include "ui/qt_platform.h"

namespace quorvane {
namespace {

Platform* installed = nullptr;

} // namespace

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

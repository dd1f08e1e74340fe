#include "app/version.h"

namespace quorvane {

ProgramVersion CurrentVersion() {
    return {QUORVANE_VERSION_MAJOR, QUORVANE_VERSION_MINOR};
}

QString VersionLine() {
    const ProgramVersion version = CurrentVersion();
    return QStringLiteral("Version %1.%2").arg(version.major).arg(version.minor);
}

} // namespace quorvane

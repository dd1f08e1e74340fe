#pragma once

#include <QString>

namespace quorvane {

struct ProgramVersion {
    int major;
    int minor;
};

// The program's version, from the build's project version.
ProgramVersion CurrentVersion();
// "Version %d.%d", the main menu's version line.
QString VersionLine();

} // namespace quorvane

#include "data/settings.h"

#include "data/file_io.h"
#include "data/ini_file.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace quorvane {

namespace {

constexpr const char* kSettingsSection = "DataDir";
constexpr const char* kHourlyKey = "Horix";
constexpr const char* kMonthlyKey = "Kalvera";

} // namespace

AppLocations AppLocations::FromEnvironment() {
    AppLocations locations;
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    locations.executableFolder = error ? std::string(".") : exe.parent_path().string();

    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (xdg != nullptr && xdg[0] == '/') {
        locations.configHome = xdg;
    } else if (home != nullptr && home[0] != '\0') {
        locations.configHome = JoinPath(home, ".config");
    }
    return locations;
}

std::string AppLocations::MapFolder() const {
    return JoinPath(executableFolder, "data");
}

std::string AppLocations::SettingsFile() const {
    if (configHome.empty()) {
        return {};
    }
    return JoinPath(JoinPath(configHome, "Quorvane"), "system.ini");
}

DataFolders ReadDataFolders(const std::string& settingsFile) {
    if (settingsFile.empty()) {
        return {};
    }
    return {ReadIniString(settingsFile, kSettingsSection, kHourlyKey),
            ReadIniString(settingsFile, kSettingsSection, kMonthlyKey)};
}

bool WriteHourlyFolder(const std::string& settingsFile, const std::string& folder) {
    return !settingsFile.empty() &&
           WriteIniString(settingsFile, kSettingsSection, kHourlyKey, folder);
}

bool WriteMonthlyFolder(const std::string& settingsFile, const std::string& folder) {
    return !settingsFile.empty() &&
           WriteIniString(settingsFile, kSettingsSection, kMonthlyKey, folder);
}

} // namespace quorvane

#pragma once

#include <string>

namespace quorvane {

// Where the program finds its files: the folder of the executable (its "data"
// folder is the map folder) and the per-user configuration folder.
struct AppLocations {
    std::string executableFolder;
    std::string configHome;

    // The running executable's folder (from /proc/self/exe, so the working directory
    // never matters) and $XDG_CONFIG_HOME, or $HOME/.config when that is unset.
    static AppLocations FromEnvironment();

    // "<executable folder>/data".
    std::string MapFolder() const;
    // "<config home>/Quorvane/system.ini", or empty without a configuration folder.
    std::string SettingsFile() const;
};

// The two database folders of the settings file; empty when not set.
struct DataFolders {
    std::string hourly;
    std::string monthly;
};

DataFolders ReadDataFolders(const std::string& settingsFile);

// False when the settings file could not be written.
bool WriteHourlyFolder(const std::string& settingsFile, const std::string& folder);
bool WriteMonthlyFolder(const std::string& settingsFile, const std::string& folder);

} // namespace quorvane

#include "app/app_data.h"

#include "app/ini_file.h"
#include "map/area_polygons.h"
#include "solar/calendar.h"

#include <algorithm>
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

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

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

CAppData::CAppData() : CAppData(AppLocations::FromEnvironment()) {}

CAppData::CAppData(const AppLocations& locations, MessageReporter* reporter) {
    mapFolder_ = JoinPath(locations.executableFolder, "data");

    if (!locations.configHome.empty()) {
        std::string settingsFolder = JoinPath(locations.configHome, "Quorvane");
        std::error_code ignored; // a failure shows later as a settings file that cannot be written
        std::filesystem::create_directories(settingsFolder, ignored);
        settingsFile_ = JoinPath(settingsFolder, "system.ini");
    }

    std::copy(std::begin(kDaysPerMonth), std::end(kDaysPerMonth), daysPerMonth_.begin());
    for (int block = 1; block < kBlockCount; ++block) {
        blockShifts_[block] = quorvane::BlockDisplayShift(block);
    }

    NullReporter silent;
    LoadCatalogue(reporter != nullptr ? *reporter : silent);
}

void CAppData::LoadCatalogue(MessageReporter& reporter) {
    auto loadOutline = [&](CMapInfo& record) {
        LoadAreaPolygons(mapFolder_, record.code, record.outline, reporter);
    };
    for (int level = 0; level < 3; ++level) {
        LoadAreaTable(mapFolder_, level, mapInfos_, loadOutline);
    }
    LoadSiteTable(mapFolder_, sites_);
}

void CAppData::ReadDataFolders() {
    if (settingsFile_.empty()) {
        hourlyFolder_.clear();
        monthlyFolder_.clear();
        return;
    }
    hourlyFolder_ = ReadIniString(settingsFile_, kSettingsSection, kHourlyKey);
    monthlyFolder_ = ReadIniString(settingsFile_, kSettingsSection, kMonthlyKey);
}

bool CAppData::WriteHourlyFolder(const std::string& folder) {
    hourlyFolder_ = folder;
    return !settingsFile_.empty() &&
           WriteIniString(settingsFile_, kSettingsSection, kHourlyKey, folder);
}

bool CAppData::WriteMonthlyFolder(const std::string& folder) {
    monthlyFolder_ = folder;
    return !settingsFile_.empty() &&
           WriteIniString(settingsFile_, kSettingsSection, kMonthlyKey, folder);
}

int CAppData::DaysInMonth(int month) const {
    return (month >= 1 && month <= 12) ? daysPerMonth_[month - 1] : 0;
}

GeoShift CAppData::BlockDisplayShift(int block) const {
    return (block >= 0 && block < kBlockCount) ? blockShifts_[block] : GeoShift{};
}

void CAppData::SetBlockDisplayShift(int block, GeoShift shift) {
    if (block >= 0 && block < kBlockCount) {
        blockShifts_[block] = shift;
    }
}

const CMapInfo* CAppData::MapInfoAt(int code) const {
    return (code >= 0 && code < kMapInfoCount) ? &mapInfos_[code] : nullptr;
}

const CAmedasPoint* CAppData::SiteAt(int index) const {
    return (index >= 0 && index < SiteCount()) ? &sites_[index] : nullptr;
}

int CAppData::FindSiteIndex(int siteNumber) const {
    return quorvane::FindSiteIndex(sites_, siteNumber);
}

} // namespace quorvane

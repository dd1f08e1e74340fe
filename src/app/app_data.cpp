#include "app/app_data.h"

#include "data/program_inputs.h"
#include "map/area_polygons.h"
#include "solar/calendar.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quorvane {

CAppData::CAppData() : CAppData(AppLocations::FromEnvironment()) {}

CAppData::CAppData(const AppLocations& locations, MessageReporter* reporter) {
    mapFolder_ = locations.MapFolder();
    ProtectProgramInputs({mapFolder_, "", ""});
    settingsFile_ = locations.SettingsFile();
    if (!settingsFile_.empty()) {
        std::error_code ignored; // a failure shows later as a settings file that cannot be written
        std::filesystem::create_directories(std::filesystem::path(settingsFile_).parent_path(),
                                            ignored);
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
        LoadAreaPolygons(mapFolder_, record.code, outlines_[record.code], reporter);
    };
    for (int level = 0; level < 3; ++level) {
        LoadAreaTable(mapFolder_, level, mapInfos_, loadOutline);
    }
    LoadSiteTable(mapFolder_, sites_, reporter);
}

void CAppData::ReadDataFolders() {
    DataFolders folders = quorvane::ReadDataFolders(settingsFile_);
    hourlyFolder_ = std::move(folders.hourly);
    monthlyFolder_ = std::move(folders.monthly);
    ProtectProgramInputs({"", hourlyFolder_, monthlyFolder_});
}

bool CAppData::WriteHourlyFolder(const std::string& folder) {
    hourlyFolder_ = folder;
    ProtectProgramInputs({"", folder, ""});
    return quorvane::WriteHourlyFolder(settingsFile_, folder);
}

bool CAppData::WriteMonthlyFolder(const std::string& folder) {
    monthlyFolder_ = folder;
    ProtectProgramInputs({"", "", folder});
    return quorvane::WriteMonthlyFolder(settingsFile_, folder);
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

const std::vector<CPolygon>& CAppData::OutlineOf(int code) const {
    static const std::vector<CPolygon> kNone;
    return (code >= 0 && code < kMapInfoCount) ? outlines_[code] : kNone;
}

const CAmedasPoint* CAppData::SiteAt(int index) const {
    return (index >= 0 && index < SiteCount()) ? &sites_[index] : nullptr;
}

int CAppData::FindSiteIndex(int siteNumber) const {
    return quorvane::FindSiteIndex(sites_, siteNumber);
}

} // namespace quorvane

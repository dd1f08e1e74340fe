#pragma once

#include "data/modes.h"
#include "data/reporter.h"
#include "data/settings.h"
#include "data/site_catalogue.h"
#include "map/area_polygons.h"
#include "map/map_geometry.h"

#include <array>
#include <string>
#include <vector>

namespace quorvane {

// The current selection shared by both viewers and the site selection map; never saved.
struct AppSelection {
    int areaCode = -1;   // -1: none
    int siteNumber = -1; // -1: none
    int month = 1;
    int day = 1;
    YearVariant yearVariant = YearVariant::Average;
};

// The one process-wide application object: folders, settings file, calendar,
// current selection and site catalogue.
class CAppData {
public:
    // Builds everything from the running executable's location and the user's
    // configuration folder. `reporter` receives messages of the catalogue loading.
    CAppData();
    explicit CAppData(const AppLocations& locations, MessageReporter* reporter = nullptr);
    CAppData(const CAppData&) = delete;
    CAppData& operator=(const CAppData&) = delete;

    const std::string& MapFolder() const { return mapFolder_; }
    const std::string& HourlyFolder() const { return hourlyFolder_; }
    const std::string& MonthlyFolder() const { return monthlyFolder_; }
    const std::string& SettingsFile() const { return settingsFile_; }

    // Reads both data folders from the settings file (empty when missing).
    void ReadDataFolders();
    // Store the folder and write it to the settings file; false when the file could
    // not be written (the folder is kept for this run all the same).
    bool WriteHourlyFolder(const std::string& folder);
    bool WriteMonthlyFolder(const std::string& folder);

    const std::array<int, 12>& DaysPerMonth() const { return daysPerMonth_; }
    // Days of month 1..12; 0 outside that range.
    int DaysInMonth(int month) const;

    AppSelection& Selection() { return selection_; }
    const AppSelection& Selection() const { return selection_; }

    // Degrees added to shown coordinates on a block's maps: block 0..9, (0, 0) for
    // any other index. Filled from the map geometry's table at construction.
    GeoShift BlockDisplayShift(int block) const;
    void SetBlockDisplayShift(int block, GeoShift shift);

    const MapInfoTable& MapInfos() const { return mapInfos_; }
    // The record of an area code, or nullptr for a code outside 0..99.
    const CMapInfo* MapInfoAt(int code) const;
    // The outline of an area code; empty for codes without one.
    const std::vector<CPolygon>& OutlineOf(int code) const;
    const AreaOutlineTable& Outlines() const { return outlines_; }

    const std::vector<CAmedasPoint>& Sites() const { return sites_; }
    int SiteCount() const { return static_cast<int>(sites_.size()); }
    // The site at a catalogue index, or nullptr outside the catalogue.
    const CAmedasPoint* SiteAt(int index) const;
    int FindSiteIndex(int siteNumber) const;

private:
    void LoadCatalogue(MessageReporter& reporter);

    std::string mapFolder_;
    std::string hourlyFolder_;
    std::string monthlyFolder_;
    std::string settingsFile_;
    std::array<int, 12> daysPerMonth_{};
    AppSelection selection_;
    std::array<GeoShift, kBlockCount> blockShifts_{};
    MapInfoTable mapInfos_;
    AreaOutlineTable outlines_;
    std::vector<CAmedasPoint> sites_;
};

} // namespace quorvane

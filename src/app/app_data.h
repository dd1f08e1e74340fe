#pragma once

#include "data/app_session.h"
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

// The one process-wide application object: folders, settings file, calendar,
// current selection and site catalogue.
class CAppData final : public AppSession {
public:
    // Builds everything from the running executable's location and the user's
    // configuration folder. `reporter` receives messages of the catalogue loading.
    CAppData();
    explicit CAppData(const AppLocations& locations, MessageReporter* reporter = nullptr);
    CAppData(const CAppData&) = delete;
    CAppData& operator=(const CAppData&) = delete;

    const std::string& MapFolder() const override { return mapFolder_; }
    const std::string& HourlyFolder() const override { return hourlyFolder_; }
    const std::string& MonthlyFolder() const override { return monthlyFolder_; }
    const std::string& SettingsFile() const { return settingsFile_; }

    // Reads both data folders from the settings file (empty when missing).
    void ReadDataFolders();
    // Store the folder and write it to the settings file; false when the file could
    // not be written (the folder is kept for this run all the same).
    bool WriteHourlyFolder(const std::string& folder);
    bool WriteMonthlyFolder(const std::string& folder);

    const std::array<int, 12>& DaysPerMonth() const { return daysPerMonth_; }
    // Days of month 1..12; 0 outside that range.
    int DaysInMonth(int month) const override;

    AppSelection& Selection() override { return selection_; }
    const AppSelection& Selection() const override { return selection_; }

    // Degrees added to shown coordinates on a block's maps: block 0..9, (0, 0) for
    // any other index. Filled from the map geometry's table at construction.
    GeoShift BlockDisplayShift(int block) const;
    void SetBlockDisplayShift(int block, GeoShift shift);

    const MapInfoTable& MapInfos() const override { return mapInfos_; }
    // The record of an area code, or nullptr for a code outside 0..99.
    const CMapInfo* MapInfoAt(int code) const override;
    // The outline of an area code; empty for codes without one.
    const std::vector<CPolygon>& OutlineOf(int code) const;
    const AreaOutlineTable& Outlines() const { return outlines_; }

    const std::vector<CAmedasPoint>& Sites() const override { return sites_; }
    int SiteCount() const override { return static_cast<int>(sites_.size()); }
    // The site at a catalogue index, or nullptr outside the catalogue.
    const CAmedasPoint* SiteAt(int index) const override;
    int FindSiteIndex(int siteNumber) const override;

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

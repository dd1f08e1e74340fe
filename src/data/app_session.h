#pragma once

#include "data/modes.h"
#include "data/site_catalogue.h"

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

// What the viewers and the site selection map read of the running program: the
// data folders, the calendar, the site catalogue and the shared selection. The
// application object provides it; the dialogs depend on nothing above this layer.
class AppSession {
public:
    virtual ~AppSession() = default;

    virtual const std::string& MapFolder() const = 0;
    virtual const std::string& HourlyFolder() const = 0;
    virtual const std::string& MonthlyFolder() const = 0;
    // Days of month 1..12; 0 outside that range.
    virtual int DaysInMonth(int month) const = 0;

    virtual AppSelection& Selection() = 0;
    virtual const AppSelection& Selection() const = 0;

    virtual const MapInfoTable& MapInfos() const = 0;
    // The record of an area code, or nullptr for a code outside 0..99.
    virtual const CMapInfo* MapInfoAt(int code) const = 0;
    virtual const std::vector<CAmedasPoint>& Sites() const = 0;
    virtual int SiteCount() const = 0;
    // The site at a catalogue index, or nullptr outside the catalogue.
    virtual const CAmedasPoint* SiteAt(int index) const = 0;
    virtual int FindSiteIndex(int siteNumber) const = 0;
};

} // namespace quorvane

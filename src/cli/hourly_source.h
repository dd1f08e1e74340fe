#pragma once

#include "cli/command.h"
#include "data/hourly_file.h"
#include "hourly/hourly_graph.h"
#include "hourly/periods.h"

#include <string>

namespace quorvane::cli {

// The hourly data file the hourly commands read: --data-root (the map folder with
// the site table and the sunrise/sunset tables; default the "data" folder next to
// the executable), --hourly (default the folder in the settings file), --site N and
// --variant 0|1|2 (default 0).
struct HourlySource {
    std::string dataRoot;
    std::string hourlyFolder;
    int siteNumber = 0;
    YearVariant yearVariant = YearVariant::Average;
};

// False, with `error` set, when an option is missing or malformed.
// Without `siteRequired` a missing --site leaves the site number 0.
bool ReadHourlySource(const Arguments& args, HourlySource& source, std::string& error,
                      bool siteRequired = true);

// An integer option within low..high; false with `error` set otherwise.
bool ReadIntIn(const Arguments& args, const char* key, int low, int high, int& value,
               std::string& error);

// The site's position from the catalogue of `dataRoot` (and its name); not found
// when the site is not in it.
SitePosition FindSitePosition(const std::string& dataRoot, int siteNumber,
                              std::string* name = nullptr);

// The graph's options (--kind, --view, --month, --day, --mode, --tilt, --azimuth),
// the site's name and position, and the viewer's tilts where none is given: the
// site's default tilt, 30 in angle mode 1.
bool ReadHourlyGraphInput(const Arguments& args, const HourlySource& source, HourlyGraphInput& in,
                          std::string& error);
// Loads the data the graph shows; the ranking views show their first-ranked day.
void LoadHourlyGraphData(const HourlySource& source, HourlyGraphInput& in, HourlyDataSet& set);

// LoadHourlyData with its messages on stderr.
LoadStatus LoadHourlySource(const HourlySource& source, HourlyDataSet& set);

} // namespace quorvane::cli

#pragma once

#include "cli/command.h"
#include "data/hourly_file.h"

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
bool ReadHourlySource(const Arguments& args, HourlySource& source, std::string& error);

// LoadHourlyData with its messages on stderr.
LoadStatus LoadHourlySource(const HourlySource& source, HourlyDataSet& set);

} // namespace quorvane::cli

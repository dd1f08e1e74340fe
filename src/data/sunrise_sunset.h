#pragma once

#include "data/load_status.h"

#include <string>

namespace quorvane {

struct HourlyDataSet;

// "<mapFolder>/map/zahyo/sunrise_sunset/%05d".
std::string SunriseSunsetPath(const std::string& mapFolder, int siteNumber);

// Reads the site's 10-byte records (month, day, sunrise and sunset as little-endian
// floats) into the sunrise and sunset arrays of `set`; a later record for the same
// day wins and an incomplete last record is ignored. Days the file does not name
// keep their value. Ok when the file could be read, whatever it held.
LoadStatus LoadSunriseSunset(HourlyDataSet& set, int siteNumber, const std::string& mapFolder);

} // namespace quorvane

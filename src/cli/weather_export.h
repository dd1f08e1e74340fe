#pragma once

#include "cli/command.h"
#include "hourly/weather_file.h"

#include <vector>

namespace quorvane::cli {

// "--format epw|sam|tmy3", or several separated by commas: the weather formats
// named, or nothing when the text names none (or anything else).
std::optional<std::vector<WeatherFormat>> WeatherFormatsNamed(const std::string& text);

// export --period year --format epw|sam|tmy3[,...] (--site N | --all) --variant V
// (--output FILE | --output-dir DIR).
int RunWeatherExport(const Arguments& args, const std::vector<WeatherFormat>& formats,
                     const char* usage);

} // namespace quorvane::cli

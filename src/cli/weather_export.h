#pragma once

#include "cli/command.h"
#include "hourly/weather_file.h"

namespace quorvane::cli {

// "--format epw|sam|tmy3": the weather file of a weather format name, or nothing.
std::optional<WeatherFormat> WeatherFormatNamed(const std::string& name);

// export --period year --format epw|sam|tmy3 (--site N | --all) --variant V
// (--output FILE | --output-dir DIR).
int RunWeatherExport(const Arguments& args, WeatherFormat format, const char* usage);

} // namespace quorvane::cli

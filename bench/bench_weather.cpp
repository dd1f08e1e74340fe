#include "data/hourly_file.h"
#include "hourly/weather_file.h"

#include "../tests/hourly/hourly_sample.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace quorvane {
namespace {

// One site's standard year, from the parsed file to its three weather files.
void BM_WeatherFilesOfOneSite(benchmark::State& state) {
    test::TempDir dir;
    const std::string path =
        dir.Write("mea47412.txt", test::MakeSampleHourlyFile("header", "\r\n", 1));
    auto set = std::make_unique<HourlyDataSet>();
    ParseHourlyFile(*set, path);
    for (int d = 0; d < kHourlyDays; ++d) {
        set->sunrise[d] = 5.3 + (d % 9) * 0.1;
        set->sunset[d] = 18.1 + (d % 7) * 0.1;
    }
    CAmedasPoint site;
    site.siteNumber = 47412;
    site.latitudeDeg = 43.77;
    site.longitudeDeg = 142.37;
    site.elevationM = 120;
    for (auto _ : state) {
        const std::vector<WeatherHour> hours = BuildWeatherYear(*set, site);
        for (const WeatherFormat format :
             {WeatherFormat::Epw, WeatherFormat::Sam, WeatherFormat::Tmy3}) {
            const std::string target = (dir.path() / "out").string();
            if (WriteWeatherFile(target, format, hours, site, YearVariant::Average) !=
                WriteStatus::Completed) {
                state.SkipWithError("writing failed");
            }
        }
    }
}
BENCHMARK(BM_WeatherFilesOfOneSite)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvane

// The hourly file reader, then both exports of what it read: the data export
// (horizontal or slope, CSV or text) and a weather file.
#include "data/hourly_file.h"
#include "data/site_catalogue.h"
#include "hourly/export.h"
#include "hourly/weather_file.h"

#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider options(data, size < 8 ? size : 8);
    const auto kind = static_cast<ExportKind>(options.ConsumeIntegralInRange(0, 5));
    const bool slope = options.ConsumeBool();
    const bool csv = options.ConsumeBool();
    const int month = options.ConsumeIntegralInRange(1, 12);
    const int day = options.ConsumeIntegralInRange(1, 31);
    const std::size_t used = size < 8 ? size : 8;
    const std::string path = fuzz::WriteInput("mea47412.txt", data + used, size - used);

    static auto set = std::make_unique<HourlyDataSet>();
    set->Clear();
    if (ParseHourlyFile(*set, path) != LoadStatus::Ok) {
        return 0;
    }
    HourlyExportRequest request;
    request.exportKind = kind;
    request.siteNumber = 47412;
    request.month = month;
    request.day = day;
    request.format = csv ? ExportFormat::Csv : ExportFormat::Txt;
    request.dataKind = slope ? DataKind::Slope : DataKind::Horizontal;
    // One orientation keeps a slope export of a whole year quick enough to fuzz.
    request.slopeOptions = {HourlyAngleMode::Orientation, 30, 15, 1};
    const SitePosition position{true, 142.37, 43.77, 120.0};
    ExportHourlyData(*set, request, position, (fuzz::Scratch() / "export.csv").string());

    if (kind == ExportKind::WholeYear && !slope) {
        CAmedasPoint site;
        site.siteNumber = 47412;
        site.name = "旭川";
        site.latitudeDeg = 43.77;
        site.longitudeDeg = 142.37;
        site.elevationM = 120.0;
        const std::vector<WeatherHour> hours = BuildWeatherYear(*set, site);
        WeatherFileText(csv ? WeatherFormat::Epw : WeatherFormat::Tmy3, hours, site,
                        YearVariant::Average);
    }
    return 0;
}

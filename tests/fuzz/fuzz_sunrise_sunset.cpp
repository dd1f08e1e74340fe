#include "data/hourly_file.h"
#include "data/sunrise_sunset.h"

#include "fuzz_support.h"

#include <memory>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteInput("map/zahyo/sunrise_sunset/47412", data, size);
    static auto set = std::make_unique<HourlyDataSet>();
    LoadSunriseSunset(*set, 47412, fuzz::Scratch().string());
    return 0;
}

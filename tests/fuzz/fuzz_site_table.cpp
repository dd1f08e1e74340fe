#include "data/reporter.h"
#include "data/site_catalogue.h"

#include "fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteInput("map/zahyo/point_amedas.txt", data, size);
    std::vector<CAmedasPoint> sites;
    NullReporter silent;
    LoadSiteTable(fuzz::Scratch().string(), sites, silent);
    if (!sites.empty()) {
        FindSiteIndex(sites, sites.back().siteNumber);
    }
    return 0;
}

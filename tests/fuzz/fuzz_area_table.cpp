// The three levels' area tables share one reader; the first byte picks the level.
#include "data/site_catalogue.h"

#include "fuzz_support.h"

#include <memory>
#include <string>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int level = data[0] % 3;
    fuzz::WriteInput("map/zahyo/code_map" + std::to_string(level + 1) + ".txt", data + 1,
                     size - 1);
    static auto records = std::make_unique<MapInfoTable>();
    LoadAreaTable(fuzz::Scratch().string(), level, *records, [](CMapInfo&) {});
    return 0;
}

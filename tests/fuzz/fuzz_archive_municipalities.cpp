#include "map/search_archive.h"

#include "fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<MunicipalityRecord> records;
    DecodeMunicipalities(fuzz::AsText(data, size), records);
    return 0;
}

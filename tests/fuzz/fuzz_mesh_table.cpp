#include "map/mesh_layer.h"

#include "fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MeshLayer layer;
    const CDRect view{139.0, 36.0, 141.0, 35.0};
    AddMeshTableLines(fuzz::AsText(data, size), view, layer);
    GetSiteOfPoint(layer, 139.5, 35.5, [](int siteNumber) { return siteNumber % 7 - 1; });
    return 0;
}

// The area outline decoder, then the geometry the map runs on what it accepted.
#include "map/area_polygons.h"
#include "map/polygon.h"

#include "fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<CPolygon> outline;
    if (!DecodeAreaPolygons(fuzz::AsText(data, size), outline)) {
        return 0;
    }
    const CPolygon view = RectanglePolygon({139.75, 35.75, 140.25, 35.3});
    std::vector<CPolygon> pieces;
    for (const CPolygon& polygon : outline) {
        PointInPolygon(polygon, {140.0, 35.5});
        SignedArea(polygon.points);
        if (polygon.points.size() <= static_cast<std::size_t>(kMaxPolygonVertices)) {
            IntersectPolygons(polygon, view, pieces);
        }
    }
    return 0;
}

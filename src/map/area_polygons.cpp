#include "map/area_polygons.h"

#include "map/binary_io.h"

#include <cstdio>

namespace quorvane {

namespace {

constexpr std::size_t kVertexBytes = 16;

} // namespace

std::string AreaPolygonPath(const std::string& mapFolder, int areaCode) {
    char name[32];
    std::snprintf(name, sizeof name, "/map/area/%02d", areaCode);
    return mapFolder + name;
}

bool DecodeAreaPolygons(std::string_view bytes, std::vector<CPolygon>& outline) {
    outline.clear();
    LittleEndianReader reader(bytes);
    std::int32_t count = 0;
    while (reader.ReadI32(count)) {
        // The count comes from the file: it must fit in the bytes that are left.
        if (count < 1 || static_cast<std::size_t>(count) > reader.remaining() / kVertexBytes) {
            return false;
        }
        std::vector<CDPoint> points(static_cast<std::size_t>(count));
        for (CDPoint& point : points) {
            reader.ReadDouble(point.x);
            reader.ReadDouble(point.y);
        }
        CPolygon polygon;
        if (!polygon.SetPoints(std::move(points))) {
            return false;
        }
        outline.push_back(std::move(polygon));
    }
    return true;
}

LoadStatus LoadAreaPolygons(const std::string& mapFolder, int areaCode,
                            std::vector<CPolygon>& outline, MessageReporter& reporter) {
    outline.clear();
    std::string bytes;
    if (!ReadWholeFile(AreaPolygonPath(mapFolder, areaCode), bytes, kMaxOutlineFileBytes)) {
        return LoadStatus::CannotRead;
    }
    const LoadStatus status =
        DecodeAreaPolygons(bytes, outline) ? LoadStatus::Ok : LoadStatus::Damaged;
    return ReportLoadStatus(reporter, DataFileKind::AreaOutline, status);
}

std::string EncodeAreaPolygons(std::span<const CPolygon> polygons) {
    std::string bytes;
    for (const CPolygon& polygon : polygons) {
        AppendI32(bytes, static_cast<std::int32_t>(polygon.points.size()));
        for (const CDPoint& point : polygon.points) {
            AppendDouble(bytes, point.x);
            AppendDouble(bytes, point.y);
        }
    }
    return bytes;
}

bool WriteAreaPolygons(const std::string& path, std::span<const CPolygon> polygons) {
    return WriteWholeFile(path, EncodeAreaPolygons(polygons));
}

} // namespace quorvane

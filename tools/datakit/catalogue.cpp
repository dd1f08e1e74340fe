#include "catalogue.h"

#include "map/area_polygons.h"
#include "map/map_geometry.h"
#include "solar/calendar.h"
#include "sun.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quorvane::datakit {
namespace {

// Approximate sizes of the labels the program draws (in pixels per character):
// area names in 20-point bold, neighbour names in 10-point bold.
constexpr int kAreaNameCharPx = 27;
constexpr int kNeighbourCharPx = 14;

int CharCount(const std::string& utf8) {
    int n = 0;
    for (unsigned char c : utf8) {
        n += (c & 0xC0) != 0x80;
    }
    return n;
}

CDPoint PixelToDegrees(double x, double y, const CDRect& r) {
    return {r.left + x / kMapWidthPx * (r.right - r.left),
            r.bottom + (kMapHeightPx - y) / kMapHeightPx * (r.top - r.bottom)};
}

struct Interior {
    bool found = false;
    CDPoint point;
    double depth = 0.0;
};

// The point of the area's land inside the view (leaving room for a label of
// `labelPx` pixels to its right) that lies deepest inside the land.
Interior DeepestPointInView(const Area& area, const CDRect& view, int labelPx) {
    Interior best;
    for (int j = 0; j < 27; ++j) {
        for (int i = 0; i < 36; ++i) {
            const double px = 6.0 + (kMapWidthPx - 12.0 - labelPx) * (i + 0.5) / 36.0;
            const double py = 8.0 + (kMapHeightPx - 26.0) * (j + 0.5) / 27.0;
            const CDPoint p = PixelToDegrees(px, py, view);
            for (const auto& ring : area.rings) {
                if (RingBounds(ring).Contains(p.x, p.y) && PointInRing(ring, p.x, p.y)) {
                    const double d = DistanceToRing(ring, p.x, p.y);
                    if (!best.found || d > best.depth) {
                        best = {true, p, d};
                    }
                    break;
                }
            }
        }
    }
    return best;
}

std::string Coordinates(const CDRect& r) {
    return Format("%.6f,%.6f,%.6f,%.6f", r.left, r.bottom, r.right, r.top);
}

// The label's top-left corner so that the text is centred on `centre`.
CDPoint LabelCorner(const CDPoint& centre, const CDRect& view, int widthPx, int heightPx) {
    const PixelPoint p = GeoToPixel(centre, view, {0, 0, kMapWidthPx, kMapHeightPx});
    const double x = std::clamp(p.x - widthPx / 2.0, 4.0, kMapWidthPx - widthPx - 4.0);
    const double y = std::clamp(p.y - heightPx / 2.0, 4.0, kMapHeightPx - heightPx - 4.0);
    return PixelToDegrees(x, y, view);
}

} // namespace

void WriteMapCatalogue(const Geography& geo, const KitPaths& paths) {
    const auto zahyo = paths.Map() / "zahyo";
    const CDRect& n = geo.national;
    const CDPoint nationalCentre{0.5 * (n.left + n.right), 0.5 * (n.top + n.bottom)};
    WriteFile(zahyo / "code_map1.txt",
              Format("0,全国,0,%s,全国,%.6f,%.6f\r\n", Coordinates(n).c_str(), nationalCentre.x,
                     nationalCentre.y));

    std::string blocks;
    for (const auto& block : geo.blocks) {
        const CDRect& r = block.rect;
        blocks += Format("%d,%s,0,%s,%s,%.6f,%.6f\r\n", block.code, block.name.c_str(),
                         Coordinates(r).c_str(), block.name.c_str(), 0.5 * (r.left + r.right),
                         0.5 * (r.top + r.bottom));
    }
    WriteFile(zahyo / "code_map2.txt", blocks);

    std::string areas;
    for (const auto& area : geo.areas) {
        const CDRect view = AreaView(area);
        const int nameWidth = kAreaNameCharPx * CharCount(area.name);
        Interior own = DeepestPointInView(area, view, 0);
        const CDPoint centre = own.found ? own.point
                                         : CDPoint{0.5 * (area.land.left + area.land.right),
                                                   0.5 * (area.land.top + area.land.bottom)};
        const CDPoint anchor = LabelCorner(centre, view, nameWidth, 28);
        std::string line =
            Format("%d,%s,%d,%s,%s,%.6f,%.6f", area.code, area.name.c_str(), area.block,
                   Coordinates(view).c_str(), area.shortName.c_str(), anchor.x, anchor.y);

        struct Neighbour {
            int code;
            CDPoint label;
            double distance;
        };
        std::vector<Neighbour> neighbours;
        for (const auto& other : geo.areas) {
            if (other.code == area.code ||
                !(other.land.left < view.right && view.left < other.land.right &&
                  other.land.bottom < view.top && view.bottom < other.land.top)) {
                continue;
            }
            const int width = kNeighbourCharPx * CharCount(other.shortName);
            const Interior at = DeepestPointInView(other, view, width);
            if (!at.found) {
                continue;
            }
            const double d = std::hypot(at.point.x - centre.x, at.point.y - centre.y);
            neighbours.push_back({other.code, LabelCorner(at.point, view, width, 16), d});
        }
        std::stable_sort(
            neighbours.begin(), neighbours.end(),
            [](const Neighbour& a, const Neighbour& b) { return a.distance < b.distance; });
        if (neighbours.size() > 20) {
            neighbours.resize(20);
        }
        for (const auto& nb : neighbours) {
            line += Format(",%d,%.6f,%.6f", nb.code, nb.label.x, nb.label.y);
        }
        areas += line + "\r\n";

        std::vector<CPolygon> polygons;
        for (const auto& ring : area.rings) {
            polygons.push_back(CPolygon{ring});
        }
        const auto path = AreaPolygonPath(paths.MapFolder().string(), area.code);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        if (!WriteAreaPolygons(path, polygons)) {
            throw std::runtime_error("cannot write " + path);
        }
    }
    WriteFile(zahyo / "code_map3.txt", areas);
}

void WriteSiteTables(const std::vector<Site>& sites, const KitPaths& paths) {
    const auto zahyo = paths.Map() / "zahyo";
    std::string table;
    for (const auto& site : sites) {
        table += Format("%05d,%s,%d,%.4f,%.4f,%.0f\r\n", site.number, site.name.c_str(),
                        site.areaCode, site.latDeg, site.lonDeg, site.elevationM);
    }
    WriteFile(zahyo / "point_amedas.txt", table);

    for (const auto& site : sites) {
        std::string records;
        records.reserve(3650);
        for (int day = 1; day <= 365; ++day) {
            const MonthDay md = MonthDayOfYear(day);
            const RiseSet rs = SunriseSunset(site.latDeg, site.lonDeg, day);
            const auto rise = static_cast<float>(rs.sunrise);
            const auto set = static_cast<float>(rs.sunset);
            char record[10];
            record[0] = static_cast<char>(md.month);
            record[1] = static_cast<char>(md.day);
            std::memcpy(record + 2, &rise, 4); // little-endian on every supported target
            std::memcpy(record + 6, &set, 4);
            records.append(record, 10);
        }
        WriteFile(zahyo / "sunrise_sunset" / Format("%05d", site.number), records);
    }
}

} // namespace quorvane::datakit

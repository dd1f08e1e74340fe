#include "meshes.h"

#include "map/mesh_code.h"
#include "map/mesh_layer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace quorvane::datakit {
namespace {

constexpr double kRowsPerDegree = 120.0;   // 30″
constexpr double kColumnsPerDegree = 80.0; // 45″

} // namespace

std::vector<LandMesh> FindLandMeshes(const Geography& geo) {
    std::vector<LandMesh> meshes;
    std::vector<std::vector<double>> crossings;
    for (const auto& area : geo.areas) {
        for (const auto& ring : area.rings) {
            const Bounds b = RingBounds(ring);
            const int rowLow = static_cast<int>(std::floor(b.bottom * kRowsPerDegree - 0.5));
            const int rowHigh = static_cast<int>(std::ceil(b.top * kRowsPerDegree));
            crossings.assign(static_cast<std::size_t>(rowHigh - rowLow + 1), {});
            for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
                const CDPoint& p = ring[j];
                const CDPoint& q = ring[i];
                const double low = std::min(p.y, q.y), high = std::max(p.y, q.y);
                const int first = static_cast<int>(std::ceil(low * kRowsPerDegree - 0.5));
                for (int row = std::max(first, rowLow); row <= rowHigh; ++row) {
                    const double y = (row + 0.5) / kRowsPerDegree;
                    if (y >= high) {
                        break;
                    }
                    if (y < low) {
                        continue;
                    }
                    const double x = p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y);
                    crossings[static_cast<std::size_t>(row - rowLow)].push_back(x);
                }
            }
            for (int row = rowLow; row <= rowHigh; ++row) {
                auto& xs = crossings[static_cast<std::size_t>(row - rowLow)];
                std::sort(xs.begin(), xs.end());
                const double y = (row + 0.5) / kRowsPerDegree;
                for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
                    const int c0 = static_cast<int>(std::ceil(xs[k] * kColumnsPerDegree - 0.5));
                    const int c1 =
                        static_cast<int>(std::floor(xs[k + 1] * kColumnsPerDegree - 0.5));
                    for (int c = c0; c <= c1; ++c) {
                        const double x = (c + 0.5) / kColumnsPerDegree;
                        meshes.push_back({GetMesh3Code(x, y), area.code, -1});
                    }
                }
            }
        }
    }
    std::sort(meshes.begin(), meshes.end(),
              [](const LandMesh& a, const LandMesh& b) { return a.code < b.code; });
    // A mesh centre on the seam of two outlines counts once.
    meshes.erase(std::unique(meshes.begin(), meshes.end(),
                             [](const LandMesh& a, const LandMesh& b) { return a.code == b.code; }),
                 meshes.end());
    return meshes;
}

void AssignSites(std::vector<LandMesh>& meshes, const std::vector<Site>& sites) {
    std::map<int, std::vector<int>> byArea;
    std::vector<int> all;
    for (int i = 0; i < static_cast<int>(sites.size()); ++i) {
        byArea[sites[static_cast<std::size_t>(i)].areaCode].push_back(i);
        all.push_back(i);
    }
    for (auto& mesh : meshes) {
        const CDRect r = GetMesh3Rect(mesh.code);
        const double lon = 0.5 * (r.left + r.right), lat = 0.5 * (r.top + r.bottom);
        const auto own = byArea.find(mesh.areaCode);
        const std::vector<int>& candidates = own != byArea.end() ? own->second : all;
        double best = 1e18;
        for (int i : candidates) {
            const Site& s = sites[static_cast<std::size_t>(i)];
            const double d = DistanceKm(lon, lat, s.lonDeg, s.latDeg);
            if (d < best) {
                best = d;
                mesh.site = i;
            }
        }
    }
}

void WriteMeshTables(const std::vector<LandMesh>& meshes, const std::vector<Site>& sites,
                     const KitPaths& paths) {
    std::map<int, std::vector<MeshTableLine>> tables;
    for (const auto& mesh : meshes) {
        if (mesh.site >= 0) {
            tables[mesh.code / 10000].push_back(
                {mesh.code, sites[static_cast<std::size_t>(mesh.site)].number});
        }
    }
    std::filesystem::create_directories(paths.Map() / "table");
    for (const auto& [code1, lines] : tables) {
        const std::string path = MeshTablePath(paths.MapFolder().string(), code1);
        if (!WriteMeshTable(path, lines)) {
            throw std::runtime_error("cannot write " + path);
        }
    }
}

std::set<int> SheetsWithLand(const std::vector<LandMesh>& meshes) {
    std::set<int> sheets;
    for (const auto& mesh : meshes) {
        const CDRect r = GetMesh3Rect(mesh.code);
        sheets.insert(GetMapSheetCode(0.5 * (r.left + r.right), 0.5 * (r.top + r.bottom)));
    }
    return sheets;
}

} // namespace quorvane::datakit

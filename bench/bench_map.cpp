#include "map/mesh_code.h"
#include "map/mesh_layer.h"
#include "map/polygon.h"

#include "temp_dir.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

using namespace quorvane;

namespace {

// The four first-order squares a sheet view touches, each fully covered by
// third-order meshes (6,400 lines per table), as the delivered tables are.
struct MeshTables {
    test::TempDir dir;
    CDRect view = GetSheetViewRect(53394);

    MeshTables() {
        for (int code1 : {5339, 5340, 5439, 5440}) {
            std::vector<MeshTableLine> lines;
            lines.reserve(6400);
            for (int q = 0; q < 8; ++q) {
                for (int v = 0; v < 8; ++v) {
                    for (int r = 0; r < 10; ++r) {
                        for (int w = 0; w < 10; ++w) {
                            int code3 = code1 * 10000 + q * 1000 + v * 100 + r * 10 + w;
                            lines.push_back({code3, 40000 + (q * 8 + v) % 50});
                        }
                    }
                }
            }
            WriteMeshTable(MeshTablePath(dir.str(), code1), lines);
        }
    }
};

void BM_LoadMeshLayerForSheetView(benchmark::State& state) {
    MeshTables tables;
    MeshLayer layer;
    for (auto _ : state) {
        LoadMeshLayer(tables.dir.str(), tables.view, layer);
        benchmark::DoNotOptimize(layer.size());
    }
    state.counters["meshes"] = layer.size();
}
BENCHMARK(BM_LoadMeshLayerForSheetView)->Unit(benchmark::kMillisecond);

// A ragged outline of `vertices` points around (139.5, 35.5), about a degree across:
// a radius that wanders at several scales like a coastline.
CPolygon Coastline(int vertices) {
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 0.01);
    std::vector<CDPoint> points;
    double wander = 0.0;
    for (int i = 0; i < vertices; ++i) {
        double angle = 2 * 3.141592653589793 * i / vertices;
        wander = 0.97 * wander + noise(rng);
        double radius = 0.5 + 0.08 * std::sin(5 * angle) + 0.04 * std::sin(23 * angle) + wander;
        radius = std::max(radius, 0.15);
        points.push_back({139.5 + radius * std::cos(angle), 35.5 + 0.8 * radius * std::sin(angle)});
    }
    return CPolygon(std::move(points));
}

void BM_IntersectCoastlineWithView(benchmark::State& state) {
    CPolygon coast = Coastline(static_cast<int>(state.range(0)));
    // A sheet-sized view across the eastern shore: many crossings, several pieces.
    CPolygon view = RectanglePolygon({139.75, 35.75, 140.25, 35.3});
    if (!PolygonIsValid(coast)) {
        state.SkipWithError("the generated outline is not a simple polygon");
        return;
    }
    std::vector<CPolygon> out;
    int pieces = 0;
    for (auto _ : state) {
        pieces = IntersectPolygons(coast, view, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["pieces"] = pieces;
}
BENCHMARK(BM_IntersectCoastlineWithView)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_PointInPolygon(benchmark::State& state) {
    CPolygon coast = Coastline(2000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PointInPolygon(coast, {139.6, 35.52}));
    }
}
BENCHMARK(BM_PointInPolygon)->Unit(benchmark::kMicrosecond);

void BM_PolygonIsValid(benchmark::State& state) {
    CPolygon coast = Coastline(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(PolygonIsValid(coast));
    }
}
BENCHMARK(BM_PolygonIsValid)->Arg(2000)->Arg(5000)->Unit(benchmark::kMicrosecond);

// A valid outline whose edges all span the same degree of longitude: a zig-zag up the
// left side, closed along the right. Every edge overlaps every other in x.
CPolygon ZigZag(int vertices) {
    int teeth = vertices - 2;
    std::vector<CDPoint> points;
    points.reserve(vertices);
    for (int i = 0; i < teeth; ++i) {
        points.push_back({139.0 + (i % 2), 35.0 + 0.00004 * i});
    }
    double top = 35.0 + 0.00004 * (teeth - 1);
    points.push_back({140.5, top});
    points.push_back({140.5, 35.0});
    return CPolygon(std::move(points));
}

void BM_PolygonIsValidZigZag(benchmark::State& state) {
    CPolygon outline = ZigZag(static_cast<int>(state.range(0)));
    bool valid = false;
    for (auto _ : state) {
        valid = PolygonIsValid(outline);
        benchmark::DoNotOptimize(valid);
    }
    if (!valid) {
        state.SkipWithError("the zig-zag outline was judged invalid");
    }
}
BENCHMARK(BM_PolygonIsValidZigZag)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace

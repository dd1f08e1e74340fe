#include "geography.h"
#include "mapdata.h"
#include "meshes.h"
#include "sites.h"

#include "map/mesh_code.h"
#include "map/polygon.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>

namespace quorvane::datakit {
namespace {

namespace fs = std::filesystem;

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Builds the three files of a tiny "japan" database in the documented layout.
class MapdataFiles {
public:
    struct Line {
        std::vector<CDPoint> points; // degrees
        short left = 0;
        short right = 0;
    };

    void Write(const test::TempDir& dir, const std::vector<Line>& lines,
               const std::vector<std::vector<int>>& polygons, const std::string& names,
               int declaredLines = -1) {
        std::string l;
        Put<std::int32_t>(l, 2);
        Put<std::int32_t>(l, declaredLines >= 0 ? declaredLines : static_cast<int>(lines.size()));
        std::size_t offset = 8 + 28 * lines.size();
        for (const auto& line : lines) {
            Put<std::int32_t>(l, static_cast<std::int32_t>(offset));
            Put<std::uint16_t>(l, static_cast<std::uint16_t>(line.points.size()));
            Put<std::int16_t>(l, line.left);
            Put<std::int16_t>(l, line.right);
            Put<std::uint16_t>(l, 0);
            for (int k = 0; k < 4; ++k) {
                Put<float>(l, 0.0f);
            }
            offset += 8 * line.points.size();
        }
        for (const auto& line : lines) {
            for (const auto& p : line.points) {
                Put<float>(l, static_cast<float>(p.x * kRadiansPerDegree));
                Put<float>(l, static_cast<float>(p.y * kRadiansPerDegree));
            }
        }
        std::string g;
        Put<std::uint16_t>(g, static_cast<std::uint16_t>(polygons.size()));
        std::size_t listOffset = 2 + 24 * polygons.size();
        for (const auto& polygon : polygons) {
            Put<std::int32_t>(g, static_cast<std::int32_t>(listOffset));
            Put<std::uint16_t>(g, static_cast<std::uint16_t>(polygon.size()));
            Put<std::uint16_t>(g, 0);
            for (int k = 0; k < 4; ++k) {
                Put<float>(g, 0.0f);
            }
            listOffset += 4 * polygon.size();
        }
        for (const auto& polygon : polygons) {
            for (int number : polygon) {
                Put<std::int32_t>(g, number);
            }
        }
        dir.Write("japan.L", l);
        dir.Write("japan.G", g);
        dir.Write("japan.N", names);
    }

private:
    template <typename T>
    static void Put(std::string& out, T value) {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        out.append(bytes, sizeof(T));
    }
};

// A square of Tokyo made of a coastline and a boundary walked backwards.
const std::vector<MapdataFiles::Line> kSquare = {
    {{{139.0, 35.0}, {139.5, 35.0}, {139.5, 35.5}}, 5, 0},
    {{{139.0, 35.0}, {139.0, 35.5}, {139.5, 35.5}}, 5, 7},
};

TEST(ReadJapanMapdata, JoinsLinesIntoClosedRingsAndTellsCoastFromBoundary) {
    test::TempDir dir;
    MapdataFiles().Write(dir, kSquare, {{1, -2}}, "Tokyo\t1\n");
    const Mapdata data = ReadJapanMapdata(dir.str());
    ASSERT_EQ(data.polygons.size(), 1u);
    EXPECT_EQ(data.polygons[0].prefecture, 13);
    const Ring& ring = data.polygons[0].ring;
    ASSERT_EQ(ring.size(), 4u); // the shared points and the closing point appear once
    const CDPoint expected[] = {{139.0, 35.0}, {139.5, 35.0}, {139.5, 35.5}, {139.0, 35.5}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(ring[static_cast<std::size_t>(i)].x, expected[i].x, 1e-5);
        EXPECT_NEAR(ring[static_cast<std::size_t>(i)].y, expected[i].y, 1e-5);
    }
    ASSERT_EQ(data.lines.size(), 2u);
    EXPECT_TRUE(data.lines[0].coast);
    EXPECT_FALSE(data.lines[1].coast);
}

TEST(ReadJapanMapdata, NamesOfIslandsAndCapitalisedNamesCount) {
    EXPECT_EQ(PrefectureCodeOfRomanName("NARA"), 29);
    EXPECT_EQ(PrefectureCodeOfRomanName("Hokkaido:"), 1);
    EXPECT_EQ(PrefectureCodeOfRomanName("Okinawa"), 47);
    EXPECT_EQ(PrefectureCodeOfRomanName("Atlantis"), 0);
}

TEST(ReadJapanMapdata, RefusesFilesThatPromiseMoreThanTheyHold) {
    test::TempDir dir;
    MapdataFiles files;
    files.Write(dir, kSquare, {{1, -3}}, "Tokyo\t1\n"); // no line 3
    EXPECT_THROW(ReadJapanMapdata(dir.str()), std::runtime_error);
    files.Write(dir, kSquare, {{1, -2}}, "Tokyo\t1\n", 4000); // count beyond the file
    EXPECT_THROW(ReadJapanMapdata(dir.str()), std::runtime_error);
    files.Write(dir, kSquare, {{1, -2}}, "Atlantis\t1\n");
    EXPECT_THROW(ReadJapanMapdata(dir.str()), std::runtime_error);
    EXPECT_THROW(ReadJapanMapdata((dir.path() / "missing").string()), std::runtime_error);
}

Geography TwoSquares() {
    Geography geo;
    auto square = [](int code, double left, double bottom, double size) {
        Area area;
        area.code = code;
        area.prefecture = 13;
        area.block = 4;
        area.rings.push_back({{left, bottom},
                              {left + size, bottom},
                              {left + size, bottom + size},
                              {left, bottom + size}});
        area.land = RingBounds(area.rings[0]);
        area.landArea = size * size;
        return area;
    };
    // Edges on whole 1/80° and 1/120° lines: no mesh centre sits on an edge.
    geo.areas.push_back(square(27, 139.0, 35.0, 0.1));
    geo.areas.push_back(square(28, 139.1, 35.0, 0.1));
    return geo;
}

TEST(LandMeshes, EveryMeshWhoseCentreIsOnLandOnce) {
    const Geography geo = TwoSquares();
    const std::vector<LandMesh> meshes = FindLandMeshes(geo);
    // Each square is 8 columns (45″) by 12 rows (30″).
    ASSERT_EQ(meshes.size(), 2u * 8 * 12);
    std::set<int> codes;
    for (const auto& mesh : meshes) {
        EXPECT_TRUE(codes.insert(mesh.code).second);
        const CDRect r = GetMesh3Rect(mesh.code);
        const double x = 0.5 * (r.left + r.right), y = 0.5 * (r.top + r.bottom);
        EXPECT_EQ(mesh.areaCode, x < 139.1 ? 27 : 28);
        EXPECT_TRUE(geo.AreaAt(x, y) != nullptr);
    }
    EXPECT_TRUE(
        std::is_sorted(meshes.begin(), meshes.end(),
                       [](const LandMesh& a, const LandMesh& b) { return a.code < b.code; }));
    EXPECT_EQ(SheetsWithLand(meshes), (std::set<int>{GetMapSheetCode(139.05, 35.05)}));
}

TEST(LandMeshes, SitesOfTheMeshesOwnAreaComeFirst) {
    const Geography geo = TwoSquares();
    std::vector<LandMesh> meshes = FindLandMeshes(geo);
    std::vector<Site> sites(2);
    sites[0].number = 27011;
    sites[0].areaCode = 27;
    sites[0].lonDeg = 139.01; // far west in its area
    sites[0].latDeg = 35.05;
    sites[1].number = 28011;
    sites[1].areaCode = 28;
    sites[1].lonDeg = 139.11; // just across the border
    sites[1].latDeg = 35.05;
    AssignSites(meshes, sites);
    for (const auto& mesh : meshes) {
        EXPECT_EQ(mesh.site, mesh.areaCode == 27 ? 0 : 1);
    }
    // With no site of its own area, a mesh takes the nearest site of any area.
    sites.pop_back();
    AssignSites(meshes, sites);
    for (const auto& mesh : meshes) {
        EXPECT_EQ(mesh.site, 0);
    }
}

const char* const kMapdataFiles = QUORVANE_MAPDATA_FILES;

class RealGeography : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (fs::exists(fs::path(kMapdataFiles) / "japan.L")) {
            geo = new Geography(BuildGeography(ReadJapanMapdata(kMapdataFiles)));
            coast = new CoastIndex(*geo);
            sites = new std::vector<Site>(PlaceSites(*geo, *coast, 1, 837));
        }
    }
    static void TearDownTestSuite() {
        delete sites;
        delete coast;
        delete geo;
    }
    void SetUp() override {
        if (geo == nullptr) {
            GTEST_SKIP() << "r-cran-mapdata is not unpacked at " << kMapdataFiles;
        }
    }
    static Geography* geo;
    static CoastIndex* coast;
    static std::vector<Site>* sites;
};
Geography* RealGeography::geo = nullptr;
CoastIndex* RealGeography::coast = nullptr;
std::vector<Site>* RealGeography::sites = nullptr;

TEST_F(RealGeography, AreasAreValidAndDoNotOverlap) {
    std::set<int> codes;
    for (const auto& area : geo->areas) {
        EXPECT_TRUE(codes.insert(area.code).second);
        EXPECT_GE(area.code, 10);
        EXPECT_LE(area.code, 99);
        for (const auto& ring : area.rings) {
            ASSERT_TRUE(RingIsValid(ring)) << area.name;
        }
    }
    EXPECT_EQ(geo->FindArea(47)->block, 7);
    EXPECT_EQ(geo->FindArea(95)->block, 8);
    // Points on a grid over the main islands: none lies in two areas.
    int land = 0;
    for (double lat = 31.0; lat < 45.5; lat += 0.137) {
        for (double lon = 129.5; lon < 145.5; lon += 0.151) {
            int inside = 0;
            for (const auto& area : geo->areas) {
                std::vector<CPolygon> outline;
                for (const auto& ring : area.rings) {
                    if (RingBounds(ring).Contains(lon, lat)) {
                        outline.emplace_back(ring);
                    }
                }
                inside += PointInArea(outline, {lon, lat}) ? 1 : 0;
            }
            EXPECT_LE(inside, 1) << lon << " " << lat;
            land += inside;
        }
    }
    EXPECT_GT(land, 1500);
}

TEST_F(RealGeography, InsetsFallInTheSeaOfTheNationalMap) {
    const CDRect& n = geo->national;
    for (int block : {6, 8, 9}) {
        const CDRect& r = geo->blocks[static_cast<std::size_t>(block - 1)].rect;
        EXPECT_FALSE(n.Contains(0.5 * (r.left + r.right), 0.5 * (r.top + r.bottom)));
    }
    for (int block = 1; block <= 5; ++block) {
        const CDRect& r = geo->blocks[static_cast<std::size_t>(block - 1)].rect;
        EXPECT_TRUE(n.Contains(0.5 * (r.left + r.right), 0.5 * (r.top + r.bottom))) << block;
    }
}

TEST_F(RealGeography, ClicksOnTheNationalMapOpenTheBlockOwningTheLand) {
    int total = 0, right = 0;
    for (const auto& site : *sites) {
        const int block = geo->FindArea(site.areaCode)->block;
        if (block == 6 || block >= 8) {
            continue;
        }
        int hit = 0;
        for (int b : {1, 2, 3, 4, 5, 7}) {
            if (geo->blocks[static_cast<std::size_t>(b - 1)].rect.Contains(site.lonDeg,
                                                                           site.latDeg)) {
                hit = b;
                break;
            }
        }
        ++total;
        right += hit == block;
    }
    EXPECT_GT(right, total * 93 / 100) << right << " of " << total;
}

TEST_F(RealGeography, SitesCoverEveryAreaLikeANetwork) {
    ASSERT_EQ(sites->size(), 837u);
    std::set<int> numbers;
    std::set<std::string> names;
    std::map<int, int> perArea;
    for (const auto& site : *sites) {
        EXPECT_TRUE(numbers.insert(site.number).second) << site.number;
        EXPECT_TRUE(names.insert(site.name).second) << site.name;
        EXPECT_EQ(site.number / 1000, site.areaCode);
        const Area* area = geo->AreaAt(site.lonDeg, site.latDeg);
        ASSERT_NE(area, nullptr);
        EXPECT_EQ(area->code, site.areaCode);
        ++perArea[site.areaCode];
    }
    for (const auto& area : geo->areas) {
        EXPECT_GT(perArea[area.code], 0) << area.name;
    }
    for (const auto& pref : Prefectures()) {
        EXPECT_EQ(names.count(pref.capital), 1u) << pref.capital;
    }
    // Spacing: the median distance to the nearest other site is some 20 km.
    std::vector<double> nearest;
    for (const auto& a : *sites) {
        double best = 1e9;
        for (const auto& b : *sites) {
            if (&a != &b) {
                best = std::min(best, DistanceKm(a.lonDeg, a.latDeg, b.lonDeg, b.latDeg));
            }
        }
        nearest.push_back(best);
    }
    std::nth_element(nearest.begin(), nearest.begin() + nearest.size() / 2, nearest.end());
    EXPECT_GT(nearest[nearest.size() / 2], 12.0);
    EXPECT_LT(nearest[nearest.size() / 2], 28.0);
}

TEST_F(RealGeography, SmallKitsTakeAShareOfTheFullNetwork) {
    const std::vector<Site> few = PlaceSites(*geo, *coast, 1, 10);
    ASSERT_EQ(few.size(), 10u);
    for (const auto& site : few) {
        const bool inFull = std::any_of(sites->begin(), sites->end(), [&](const Site& s) {
            return s.number == site.number && s.name == site.name && s.latDeg == site.latDeg;
        });
        EXPECT_TRUE(inFull) << site.number;
    }
}

} // namespace
} // namespace quorvane::datakit

#include "kit.h"

#include "data/c_fields.h"
#include "data/hourly_file.h"
#include "data/monthly_file.h"
#include "data/reporter.h"
#include "data/site_catalogue.h"
#include "map/area_polygons.h"
#include "map/map_pictures.h"
#include "map/mesh_code.h"
#include "map/mesh_layer.h"
#include "map/polygon.h"
#include "map/search_archive.h"
#include "temp_dir.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>

namespace quorvane::datakit {
namespace {

namespace fs = std::filesystem;

constexpr int kSmallKitSites = 12;

bool MapdataAvailable() {
    return fs::exists(fs::path(QUORVANE_MAPDATA_FILES) / "japan.L");
}

// One small kit for the whole suite (generating it takes some seconds).
class SmallKit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!MapdataAvailable()) {
            return;
        }
        dir = new test::TempDir();
        KitOptions options;
        options.mapdataFolder = QUORVANE_MAPDATA_FILES;
        options.paths.root = dir->path() / "a";
        options.siteCount = kSmallKitSites;
        options.seed = 11;
        options.verbose = false;
        GenerateKit(options);
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override {
        if (dir == nullptr) {
            GTEST_SKIP() << "r-cran-mapdata is not unpacked at " << QUORVANE_MAPDATA_FILES;
        }
    }
    static fs::path Root() { return dir->path() / "a"; }
    static std::string MapFolder() { return (Root() / "data").string(); }

    static test::TempDir* dir;
};
test::TempDir* SmallKit::dir = nullptr;

std::map<std::string, std::string> AllFiles(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).string()] = test::ReadFileBytes(entry.path());
        }
    }
    return files;
}

TEST_F(SmallKit, SameSeedGivesTheSameBytes) {
    KitOptions options;
    options.mapdataFolder = QUORVANE_MAPDATA_FILES;
    options.paths.root = dir->path() / "b";
    options.siteCount = kSmallKitSites;
    options.seed = 11;
    options.threads = 1; // a different schedule must not change anything
    options.verbose = false;
    GenerateKit(options);
    const auto a = AllFiles(Root());
    const auto b = AllFiles(dir->path() / "b");
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        const auto other = b.find(name);
        ASSERT_NE(other, b.end()) << name;
        EXPECT_TRUE(other->second == bytes) << name << " differs";
    }
    fs::remove_all(dir->path() / "b");
}

TEST_F(SmallKit, CatalogueAndOutlinesLoadWithoutComplaint) {
    MapInfoTable records{};
    AreaOutlineTable outlines{};
    CollectingReporter reporter;
    int areas = 0;
    for (int level = 0; level < 3; ++level) {
        ASSERT_EQ(LoadAreaTable(MapFolder(), level, records,
                                [&](CMapInfo& record) {
                                    ++areas;
                                    EXPECT_EQ(LoadAreaPolygons(MapFolder(), record.code,
                                                               outlines[record.code], reporter),
                                              LoadStatus::Ok);
                                    EXPECT_FALSE(outlines[record.code].empty()) << record.code;
                                }),
                  LoadStatus::Ok);
    }
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_GE(areas, 47);
    EXPECT_EQ(records[0].name, "全国");
    for (int block = 1; block <= 9; ++block) {
        EXPECT_EQ(records[block].level, 1);
        EXPECT_LT(records[block].bounds.left, records[block].bounds.right);
    }
    // The fixed map behaviour: block 7 is area 47 alone, blocks 8 and 9 share area 95.
    EXPECT_EQ(records[47].parentCode, 7);
    EXPECT_EQ(records[47].level, 2);
    EXPECT_EQ(records[95].level, 2);
    for (int code = 10; code < 100; ++code) {
        const CMapInfo& r = records[code];
        if (r.level != 2) {
            continue;
        }
        EXPECT_GE(r.parentCode, 1);
        EXPECT_LE(r.parentCode, 9);
        for (const auto& n : r.neighbours) {
            if (n.code > 0) {
                EXPECT_EQ(records[n.code].level, 2) << "neighbour of " << code;
                EXPECT_TRUE(r.bounds.Contains(n.labelPosition.x, n.labelPosition.y));
            }
        }
        EXPECT_TRUE(MapPictureExists(MapFolder(), code));
    }

    std::vector<CAmedasPoint> sites;
    ASSERT_EQ(LoadSiteTable(MapFolder(), sites), LoadStatus::Ok);
    ASSERT_EQ(static_cast<int>(sites.size()), kSmallKitSites);
    std::set<int> numbers;
    for (const auto& site : sites) {
        EXPECT_TRUE(numbers.insert(site.siteNumber).second);
        EXPECT_GE(site.siteNumber, 10000);
        EXPECT_LE(site.siteNumber, 99999);
        EXPECT_TRUE(PointInArea(outlines[site.areaCode], {site.longitudeDeg, site.latitudeDeg}))
            << site.siteNumber << " lies outside its area " << site.areaCode;
        EXPECT_GE(site.elevationM, 0.0);
        EXPECT_LT(site.elevationM, 2500.0);
    }
}

TEST_F(SmallKit, EverySiteHasItsDatabasesAndSunTables) {
    std::vector<CAmedasPoint> sites;
    ASSERT_EQ(LoadSiteTable(MapFolder(), sites), LoadStatus::Ok);
    auto set = std::make_unique<HourlyDataSet>();
    for (const auto& site : sites) {
        for (int variant = 0; variant < 3; ++variant) {
            CollectingReporter reporter;
            ASSERT_EQ(LoadHourlyData(*set, static_cast<YearVariant>(variant), site.siteNumber,
                                     (Root() / "HORIX-11").string(), MapFolder(), reporter),
                      LoadStatus::Ok)
                << site.siteNumber;
            for (int day = 1; day <= 365; ++day) {
                ASSERT_GT(set->sunset[day - 1], set->sunrise[day - 1] + 8.0);
                ASSERT_GT(set->sunrise[day - 1], 3.5);
                ASSERT_LT(set->sunset[day - 1], 20.0);
            }
            int annual = 0;
            for (int day = 1; day <= 365; ++day) {
                annual += set->dailyIrradiation[day - 1];
            }
            // Annual horizontal global irradiation: a few thousand MJ/m2 in Japan.
            EXPECT_GT(annual, 380000) << site.siteNumber;
            EXPECT_LT(annual, 620000) << site.siteNumber;
        }
        MonthlyRecord record;
        CollectingReporter reporter;
        ASSERT_EQ(
            LoadMonthlyData((Root() / "KALVERA-11").string(), site.siteNumber, record, reporter),
            LoadStatus::Ok);
        EXPECT_NEAR(ColumnInt(record.header, 26, 2), static_cast<int>(site.latitudeDeg), 0);
    }
}

TEST_F(SmallKit, MeshTablesPointAtSitesAndSheetsHavePictures) {
    std::vector<CAmedasPoint> sites;
    ASSERT_EQ(LoadSiteTable(MapFolder(), sites), LoadStatus::Ok);
    int tables = 0, meshes = 0;
    std::set<int> sheets;
    for (const auto& entry : fs::directory_iterator(Root() / "data" / "map" / "table")) {
        ++tables;
        const std::string text = test::ReadFileBytes(entry.path());
        MeshLayer layer;
        AddMeshTableLines(text, {100.0, 66.0, 200.0, 0.0}, layer);
        layer.FinishLoading();
        ASSERT_GT(layer.size(), 0) << entry.path();
        for (const auto& mesh : layer.entries()) {
            ++meshes;
            EXPECT_GE(FindSiteIndex(sites, mesh.siteNumber), 0);
            const CDRect r = GetMesh3Rect(mesh.meshCode);
            sheets.insert(GetMapSheetCode(0.5 * (r.left + r.right), 0.5 * (r.top + r.bottom)));
        }
    }
    EXPECT_GT(tables, 100);
    EXPECT_GT(meshes, 300000); // Japan has some 378,000 km2 of land
    for (int sheet : sheets) {
        ASSERT_TRUE(SheetPictureExists(MapFolder(), sheet)) << sheet;
    }
    const QImage sample(QString::fromStdString(SheetPicturePath(MapFolder(), *sheets.begin())));
    EXPECT_EQ(sample.width(), 554);
    EXPECT_EQ(sample.height(), 432);
    for (int record = 0; record <= 9; ++record) {
        const QImage picture(QString::fromStdString(MapPicturePath(MapFolder(), record)));
        EXPECT_EQ(picture.size(), QSize(554, 432)) << record;
    }
}

TEST_F(SmallKit, SearchTablesDecode) {
    for (int pref = 1; pref <= 47; ++pref) {
        std::vector<MunicipalityRecord> municipalities;
        std::vector<DistrictRecord> districts;
        CollectingReporter reporter;
        ASSERT_EQ(
            ReadMunicipalityFile(MunicipalityFilePath(MapFolder(), pref), municipalities, reporter),
            LoadStatus::Ok);
        ASSERT_EQ(ReadDistrictFile(DistrictFilePath(MapFolder(), pref), districts, reporter),
                  LoadStatus::Ok);
        ASSERT_FALSE(municipalities.empty());
        for (const auto& m : municipalities) {
            EXPECT_NE(m.name.find("サンプル"), std::string::npos);
            EXPECT_EQ(static_cast<int>(DistrictsOf(m, districts).size()), m.districtCount);
            EXPECT_TRUE(m.districtCount > 0 || m.lonDeg > 0.0) << "unsearchable " << m.name;
        }
    }
    for (int category = 1; category <= 14; ++category) {
        std::vector<CF_CHIN> facilities;
        CollectingReporter reporter;
        ASSERT_EQ(ReadFacilityFile(FacilityFilePath(MapFolder(), category), facilities, reporter),
                  LoadStatus::Ok);
        EXPECT_FALSE(facilities.empty());
        if (category == 1) {
            ASSERT_EQ(facilities.size(), 47u);
            EXPECT_EQ(facilities[12].name, "東京都庁");
            EXPECT_NEAR(facilities[12].latDeg, 35.69, 0.01);
        }
    }
}

TEST_F(SmallKit, ColourMapsForEveryKindAndPeriod) {
    const char* kinds[] = {"全天日射量", "散乱日射量", "最適傾斜角日射量"};
    const char* periods[] = {"年平均", "1月", "2月", "3月",  "4月",  "5月", "6月",
                             "7月",    "8月", "9月", "10月", "11月", "12月"};
    for (const char* kind : kinds) {
        for (const char* period : periods) {
            const fs::path path =
                Root() / "data" / "ColorMap" / (std::string(kind) + period + ".png");
            const QImage image(QString::fromStdString(path.string()));
            EXPECT_FALSE(image.isNull()) << path;
        }
    }
}

} // namespace
} // namespace quorvane::datakit

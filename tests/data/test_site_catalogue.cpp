#include "data/site_catalogue.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::test;

namespace {

class SiteCatalogueTest : public ::testing::Test {
protected:
    void WriteArea(int level, const std::string& text) {
        dir.Write("data/map/zahyo/code_map" + std::to_string(level + 1) + ".txt", text);
    }
    void WriteSites(const std::string& text) { dir.Write("data/map/zahyo/point_amedas.txt", text); }
    std::string MapFolder() const { return dir.str() + "/data"; }

    TempDir dir;
    MapInfoTable areas;
    std::vector<CAmedasPoint> sites;
};

// A level-2 line: the ten leading columns followed by the given neighbour columns.
std::string AreaLine(const std::string& leading, const std::string& neighbours) {
    return leading + (neighbours.empty() ? "" : "," + neighbours);
}

} // namespace

TEST_F(SiteCatalogueTest, AreaColumnsLandInTheirFields) {
    WriteArea(1, "3,東北,0,139.5,37.7,142.1,41.6,東北地方,120.5,88.25\n");
    ASSERT_EQ(LoadAreaTable(MapFolder(), 1, areas), LoadStatus::Ok);
    const CMapInfo& area = areas[3];
    EXPECT_EQ(area.level, 1);
    EXPECT_EQ(area.code, 3);
    EXPECT_EQ(area.name, "東北");
    EXPECT_EQ(area.shortName, "東北地方");
    EXPECT_EQ(area.parentCode, 0);
    EXPECT_EQ(area.bounds, (CDRect{139.5, 41.6, 142.1, 37.7}));
    EXPECT_EQ(area.anchor, (CDPoint{120.5, 88.25}));
    for (const CMapNeighbour& neighbour : area.neighbours) {
        EXPECT_EQ(neighbour.code, 0) << "only level 2 reads neighbours";
    }
}

TEST_F(SiteCatalogueTest, EmptyShortNameCopiesTheName) {
    WriteArea(0, "0,全国,0,122,24,146,46,,1,2\n5,近畿,0,1,2,3,4\n");
    ASSERT_EQ(LoadAreaTable(MapFolder(), 0, areas), LoadStatus::Ok);
    EXPECT_EQ(areas[0].shortName, "全国");
    EXPECT_EQ(areas[5].shortName, "近畿") << "column 7 missing altogether";
    EXPECT_EQ(areas[5].anchor, (CDPoint{0, 0}));
}

TEST_F(SiteCatalogueTest, NeighbourTriplesOfLevelTwo) {
    const std::string leading = "21,北海道,1,139,41,146,46,道,10,20";
    WriteArea(2, AreaLine(leading, "22,1.5,2.5,0,9,9,23,3.5,4.5") + "\r\n" +
                     AreaLine("30,x,1,0,0,0,0,x,0,0", "-4,1,1,100,2,2,31,5,6") + "\r\n");
    ASSERT_EQ(LoadAreaTable(MapFolder(), 2, areas), LoadStatus::Ok);
    const CMapInfo& area = areas[21];
    EXPECT_EQ(area.neighbours[0].code, 22);
    EXPECT_EQ(area.neighbours[0].labelPosition, (CDPoint{1.5, 2.5}));
    EXPECT_EQ(area.neighbours[1].code, 0) << "code 0 leaves the slot empty";
    EXPECT_EQ(area.neighbours[1].labelPosition, (CDPoint{0, 0}));
    EXPECT_EQ(area.neighbours[2].code, 23) << "a later triple is still read";
    EXPECT_EQ(area.neighbours[2].labelPosition, (CDPoint{3.5, 4.5}));
    for (int k = 3; k < kNeighbourCount; ++k) {
        EXPECT_EQ(area.neighbours[k].code, 0) << "missing triple " << k;
    }
    EXPECT_EQ(areas[30].neighbours[0].code, 0) << "negative neighbour code";
    EXPECT_EQ(areas[30].neighbours[1].code, 0) << "code beyond the table";
    EXPECT_EQ(areas[30].neighbours[2].code, 31);
    EXPECT_EQ(areas[30].neighbours[2].labelPosition, (CDPoint{5, 6}));
}

TEST_F(SiteCatalogueTest, AllTwentyNeighboursAreRead) {
    std::string line = "40,x,4,0,0,0,0,x,0,0";
    for (int k = 0; k < kNeighbourCount; ++k) {
        line +=
            "," + std::to_string(k + 41) + "," + std::to_string(k) + ".25,-" + std::to_string(k);
    }
    WriteArea(2, line + ",99,7,7\n");
    ASSERT_EQ(LoadAreaTable(MapFolder(), 2, areas), LoadStatus::Ok);
    for (int k = 0; k < kNeighbourCount; ++k) {
        EXPECT_EQ(areas[40].neighbours[k].code, k + 41);
        EXPECT_EQ(areas[40].neighbours[k].labelPosition, (CDPoint{k + 0.25, -k * 1.0}));
    }
}

TEST_F(SiteCatalogueTest, CodesOutsideTheTableAreIgnored) {
    WriteArea(1, "100,百,0,1,1,1,1,百,1,1\n-1,負,0,1,1,1,1,負,1,1\n999999999999,大,0\n"
                 "abc,文字,0,1,1,1,1\n");
    ASSERT_EQ(LoadAreaTable(MapFolder(), 1, areas), LoadStatus::Ok);
    for (const CMapInfo& area : areas) {
        EXPECT_TRUE(area.name.empty() || area.name == "文字") << area.name;
    }
    EXPECT_EQ(areas[0].name, "文字") << "text converts to code 0 like atoi";
}

TEST_F(SiteCatalogueTest, LaterTablesOverwriteOnlyWhatTheySet) {
    areas[7].neighbours[5].code = 9;
    WriteArea(0, "7,旧,0,1,2,3,4,旧略,5,6\n");
    WriteArea(2, "7,新,2,10,20,30,40,,50,60\n");
    ASSERT_EQ(LoadAreaTable(MapFolder(), 0, areas), LoadStatus::Ok);
    ASSERT_EQ(LoadAreaTable(MapFolder(), 2, areas), LoadStatus::Ok);
    EXPECT_EQ(areas[7].level, 2);
    EXPECT_EQ(areas[7].name, "新");
    EXPECT_EQ(areas[7].shortName, "新");
    EXPECT_EQ(areas[7].neighbours[5].code, 9);
    EXPECT_EQ(areas[8].code, 0);
    EXPECT_TRUE(areas[8].name.empty());
}

TEST_F(SiteCatalogueTest, BlankAreaLinesLeaveTheNationalMapAlone) {
    WriteArea(0, "0,全国,0,122,24,146,46,,1,2\n");
    WriteArea(2, "11,a,1,0,0,0,0,,0,0\r\n\r\n\n");
    int hookCalls = 0;
    auto hook = [&](CMapInfo&) { ++hookCalls; };
    ASSERT_EQ(LoadAreaTable(MapFolder(), 0, areas), LoadStatus::Ok);
    ASSERT_EQ(LoadAreaTable(MapFolder(), 2, areas, hook), LoadStatus::Ok);
    EXPECT_EQ(areas[0].level, 0);
    EXPECT_EQ(areas[0].name, "全国");
    EXPECT_EQ(areas[0].bounds, (CDRect{122, 46, 146, 24}));
    EXPECT_EQ(hookCalls, 1) << "no outline is loaded for a blank line";
}

TEST_F(SiteCatalogueTest, HookRunsAfterEachLevelTwoRecord) {
    WriteArea(1, "2,block,0\n");
    WriteArea(2, "11,a,1,0,0,0,0,,0,0,12,1,1\n12,b,1\n150,c,1\n");
    std::vector<std::pair<int, int>> seen;
    auto hook = [&](CMapInfo& record) {
        seen.emplace_back(record.code, record.neighbours[0].code);
        record.anchor = {1, 1};
    };
    ASSERT_EQ(LoadAreaTable(MapFolder(), 1, areas, hook), LoadStatus::Ok);
    EXPECT_TRUE(seen.empty()) << "blocks have no outline";
    ASSERT_EQ(LoadAreaTable(MapFolder(), 2, areas, hook), LoadStatus::Ok);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{11, 12}, {12, 0}}));
    EXPECT_EQ(areas[11].anchor, (CDPoint{1, 1})) << "the hook sees the table's own record";
}

TEST_F(SiteCatalogueTest, MissingTablesLoadNothing) {
    EXPECT_EQ(LoadAreaTable(MapFolder(), 0, areas), LoadStatus::CannotRead);
    sites.resize(3);
    EXPECT_EQ(LoadSiteTable(MapFolder(), sites), LoadStatus::CannotRead);
    EXPECT_TRUE(sites.empty());
}

TEST_F(SiteCatalogueTest, SitesKeepFileOrderAndSixthFieldTakesTheRest) {
    WriteSites("\xEF\xBB\xBF"
               "47401,稚内,21,45.415,141.678,2.8\r\n"
               "44132,東京,57,35.69,139.75,25.2,extra,columns\r\n"
               "11001,宗谷岬,21\r\n"
               "\r\n"
               "00100, 空白 ,3,x,1e1,\n");
    ASSERT_EQ(LoadSiteTable(MapFolder(), sites), LoadStatus::Ok);
    ASSERT_EQ(sites.size(), 4u) << "the blank line is no site";
    EXPECT_EQ(sites[0].siteNumber, 47401) << "the byte-order mark is dropped";
    EXPECT_EQ(sites[0].name, "稚内");
    EXPECT_EQ(sites[0].areaCode, 21);
    EXPECT_DOUBLE_EQ(sites[0].latitudeDeg, 45.415);
    EXPECT_DOUBLE_EQ(sites[0].longitudeDeg, 141.678);
    EXPECT_DOUBLE_EQ(sites[0].elevationM, 2.8);
    EXPECT_DOUBLE_EQ(sites[1].elevationM, 25.2) << "atof stops at the comma";
    EXPECT_EQ(sites[2].name, "宗谷岬");
    EXPECT_DOUBLE_EQ(sites[2].latitudeDeg, 0.0);
    EXPECT_EQ(sites[3].siteNumber, 100);
    EXPECT_EQ(sites[3].name, " 空白 ") << "text fields are kept as they are";
    EXPECT_DOUBLE_EQ(sites[3].latitudeDeg, 0.0);
    EXPECT_DOUBLE_EQ(sites[3].longitudeDeg, 10.0);
}

// 1e400 or NaN used to reach an int conversion through the default tilt.
TEST_F(SiteCatalogueTest, SitesWithoutAPhysicalPositionAreKeptWithoutOne) {
    WriteSites("47401,稚内,21,45.415,141.678,2.8\r\n"
               "1,a,21,1e400,141,2\r\n"
               "2,b,21,-1e400,141,2\r\n"
               "3,c,21,91,141,2\r\n"
               "4,d,21,45,-181,2\r\n"
               "5,e,21,45,141,9001\r\n"
               "6,f,21,45,141,1e999\r\n");
    CollectingReporter reporter;
    ASSERT_EQ(LoadSiteTable(MapFolder(), sites, reporter), LoadStatus::Ok);
    ASSERT_EQ(sites.size(), 7u) << "every site stays in the lists";
    EXPECT_TRUE(sites[0].positionValid);
    EXPECT_DOUBLE_EQ(sites[0].latitudeDeg, 45.415);
    for (std::size_t i = 1; i < sites.size(); ++i) {
        EXPECT_FALSE(sites[i].positionValid) << sites[i].siteNumber;
        EXPECT_EQ(sites[i].latitudeDeg, 0.0) << sites[i].siteNumber;
        EXPECT_EQ(sites[i].elevationM, 0.0) << sites[i].siteNumber;
        EXPECT_EQ(sites[i].name.size(), 1u);
    }
    EXPECT_EQ(reporter.messages, std::vector<std::string>{kInvalidSitePositionMessage})
        << "told once for all of them";

    WriteSites("47401,稚内,21,45.415,141.678,2.8\r\n");
    CollectingReporter quiet;
    LoadSiteTable(MapFolder(), sites, quiet);
    EXPECT_TRUE(quiet.messages.empty());
}

TEST_F(SiteCatalogueTest, OverlongLineStaysOneRecord) {
    std::string longName(3000, 'x');
    WriteSites("1," + longName + ",2,3,4,5\n6,short,7,8,9,10\n");
    ASSERT_EQ(LoadSiteTable(MapFolder(), sites), LoadStatus::Ok);
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[0].name, longName);
    EXPECT_DOUBLE_EQ(sites[0].elevationM, 5.0);
    EXPECT_EQ(sites[1].siteNumber, 6);
}

TEST(FindSiteIndex, FirstMatchOrMinusOne) {
    std::vector<CAmedasPoint> sites(4);
    sites[0].siteNumber = 10;
    sites[1].siteNumber = 20;
    sites[2].siteNumber = 10;
    sites[3].siteNumber = 30;
    EXPECT_EQ(FindSiteIndex(sites, 10), 0);
    EXPECT_EQ(FindSiteIndex(sites, 30), 3);
    EXPECT_EQ(FindSiteIndex(sites, 40), -1);
    EXPECT_EQ(FindSiteIndex({}, 10), -1);
}

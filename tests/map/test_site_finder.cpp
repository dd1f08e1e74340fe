// Finding sites and places by typing: folding of full-width forms, what matches and
// in which order, and the places read from the search tables.
#include "map/search_archive.h"
#include "map/site_finder.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(FoldForMatching, FullWidthDigitsAndLatinLettersBecomeHalfWidth) {
    EXPECT_EQ(FoldForMatching("０１２３４５６７８９"), "0123456789");
    EXPECT_EQ(FoldForMatching("ＡＢＣＸＹＺａｂｃｘｙｚ"), "abcxyzabcxyz");
    EXPECT_EQ(FoldForMatching("Sample Park"), "sample park");
    EXPECT_EQ(FoldForMatching("サンプル市０１"), "サンプル市01");
    EXPECT_EQ(FoldForMatching("東京　大学"), "東京 大学") << "the ideographic space";
}

TEST(FoldForMatching, OtherCharactersStayAsTheyAre) {
    // Full-width signs next to the folded ranges, kana and half-width katakana.
    EXPECT_EQ(FoldForMatching("／：＠［｀｛（）ｱｲｳ㎡"), "／：＠［｀｛（）ｱｲｳ㎡");
    // A cut multi-byte character at the end is kept, not read past.
    const std::string cut = std::string("x\xEF\xBC", 3);
    EXPECT_EQ(FoldForMatching(cut), cut);
    EXPECT_EQ(FoldForMatching(""), "");
}

class SiteFinderTest : public ::testing::Test {
protected:
    void SetUp() override {
        areas[10].name = "北海道（道北）";
        areas[44].name = "東京都";
        sites = {Site(47401, "稚内", 10), Site(47662, "東京", 44), Site(44132, "Sample岬", 44),
                 Site(10474, "北見", 10)};
        places = {{FoundKind::Municipality, -1, 0, 0, "東京市０１", "東京都", 139.7, 35.6},
                  {FoundKind::Facility, -1, 0, 5, "東京サンプル大学", "東京都", 139.5, 35.7},
                  {FoundKind::Facility, -1, 0, 11, "SAMPLE公園", "北海道", 141.3, 43.0}};
    }
    static CAmedasPoint Site(int number, const char* name, int area) {
        CAmedasPoint site;
        site.siteNumber = number;
        site.name = name;
        site.areaCode = area;
        site.longitudeDeg = 140.0 + number % 7;
        site.latitudeDeg = 35.0 + number % 5;
        return site;
    }
    std::vector<std::string> Names(std::string_view text) const {
        std::vector<std::string> names;
        for (const FoundPlace& found : SiteFinder(sites, areas, places).Find(text)) {
            names.push_back(found.name);
        }
        return names;
    }

    MapInfoTable areas{};
    std::vector<CAmedasPoint> sites;
    std::vector<FoundPlace> places;
};

TEST_F(SiteFinderTest, PartOfANameFindsSitesFirstThenPlaces) {
    EXPECT_EQ(Names("東京"), (std::vector<std::string>{"東京", "東京市０１", "東京サンプル大学"}));
    EXPECT_EQ(Names("稚"), std::vector<std::string>{"稚内"});
    EXPECT_EQ(Names("大学"), std::vector<std::string>{"東京サンプル大学"});
    EXPECT_TRUE(Names("大阪").empty());
}

TEST_F(SiteFinderTest, ANumberMatchesFromItsStart) {
    EXPECT_EQ(Names("474"), std::vector<std::string>{"稚内"});
    EXPECT_EQ(Names("47"), (std::vector<std::string>{"稚内", "東京"}));
    EXPECT_TRUE(Names("7401").empty()) << "not from the middle of a number";
    EXPECT_EQ(Names("10474"), std::vector<std::string>{"北見"});
}

TEST_F(SiteFinderTest, FullWidthAndHalfWidthFormsFindEachOther) {
    EXPECT_EQ(Names("４７４０１"), std::vector<std::string>{"稚内"});
    EXPECT_EQ(Names("東京市01"), std::vector<std::string>{"東京市０１"});
    EXPECT_EQ(Names("ｓａｍｐｌｅ"), (std::vector<std::string>{"Sample岬", "SAMPLE公園"}));
    EXPECT_EQ(Names("sAmPlE"), (std::vector<std::string>{"Sample岬", "SAMPLE公園"}));
}

TEST_F(SiteFinderTest, BlanksAroundTheTextDoNotCount) {
    EXPECT_EQ(Names("  稚内　"), std::vector<std::string>{"稚内"});
    EXPECT_TRUE(Names("").empty());
    EXPECT_TRUE(Names(" 　 ").empty()) << "blank text finds nothing, not everything";
}

TEST_F(SiteFinderTest, ASiteCarriesItsCatalogueIndexAreaAndPosition) {
    const std::vector<FoundPlace> found = SiteFinder(sites, areas, places).Find("北見");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, FoundKind::Site);
    EXPECT_EQ(found[0].siteIndex, 3);
    EXPECT_EQ(found[0].siteNumber, 10474);
    EXPECT_EQ(found[0].areaName, "北海道（道北）");
    EXPECT_EQ(found[0].lonDeg, sites[3].longitudeDeg);
    EXPECT_EQ(found[0].latDeg, sites[3].latitudeDeg);
    EXPECT_EQ(FoundLine(found[0]), "10474\t北見\t北海道（道北）\t142.000000\t39.000000");
}

TEST_F(SiteFinderTest, APlaceLineHasNoNumberAndItsCalloutItsPrefecture) {
    EXPECT_EQ(FoundLine(places[0]), "\t東京市０１\t東京都\t139.700000\t35.600000");
    EXPECT_EQ(FoundPlaceCallout(places[0]), "東京都東京市０１") << "as the address search";
    EXPECT_EQ(FoundPlaceCallout(places[1]), "東京サンプル大学");
}

TEST(SearchPlaces, MunicipalitiesWithAPositionAndFacilitiesOfEveryCategory) {
    test::TempDir data;
    const std::string root = data.str();
    ASSERT_TRUE(WriteMunicipalityFile(MunicipalityFilePath(root, 13),
                                      std::vector<MunicipalityRecord>{
                                          {"千代田区", 1, 2, 139.7536, 35.6940},
                                          {"中央区", 3, 0, 0.0, 0.0}, // no position of its own
                                      }));
    ASSERT_TRUE(WriteFacilityFile(FacilityFilePath(root, 1),
                                  std::vector<CF_CHIN>{{13, "東京都庁", 139.6917, 35.6895}}));
    ASSERT_TRUE(WriteFacilityFile(
        FacilityFilePath(root, 14),
        std::vector<CF_CHIN>{{1, "サンプルスキー場01", 142.0, 43.5}, {99, "どこか", 140.0, 40.0}}));
    CollectingReporter reporter;
    const std::vector<FoundPlace> places = LoadSearchPlaces(root, reporter);
    EXPECT_TRUE(reporter.messages.empty()) << "missing tables are silent";
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(places[0], (FoundPlace{FoundKind::Municipality, -1, 0, 0, "千代田区", "東京都",
                                     139.7536, 35.6940}));
    EXPECT_EQ(places[1],
              (FoundPlace{FoundKind::Facility, -1, 0, 1, "東京都庁", "東京都", 139.6917, 35.6895}));
    EXPECT_EQ(places[2].category, 14);
    EXPECT_EQ(places[2].areaName, "北海道");
    EXPECT_EQ(places[3].areaName, "") << "an unknown prefecture code names none";
}

TEST(SearchPlaces, DamagedTablesAreNamedInOneReportAndTheRestIsKept) {
    test::TempDir data;
    const std::string root = data.str();
    ASSERT_TRUE(WriteFacilityFile(FacilityFilePath(root, 2),
                                  std::vector<CF_CHIN>{{13, "サンプル区役所", 139.7, 35.6}}));
    // Two records announced, the second cut in its name.
    std::string cut = EncodeFacilities(
        std::vector<CF_CHIN>{{13, "警察署A", 139.7, 35.6}, {13, "警察署B", 139.8, 35.7}});
    cut.resize(cut.size() - 20);
    data.Write("map/kensaku/003", cut);
    data.Write("map/GaikuTabl/ga_addp1_05", std::string("\xFF\xFF\xFF\xFF", 4)); // count -1
    CollectingReporter reporter;
    const std::vector<FoundPlace> places = LoadSearchPlaces(root, reporter);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("ga_addp1_05"), std::string::npos) << reporter.messages[0];
    EXPECT_NE(reporter.messages[0].find("「003」"), std::string::npos) << reporter.messages[0];
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].name, "サンプル区役所");
    EXPECT_EQ(places[1].name, "警察署A");
}

} // namespace
} // namespace quorvane

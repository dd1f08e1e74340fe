#include "national/national_layout.h"
#include "national/national_map.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

using namespace quorvane;
using quorvane::test::SplitLines;

namespace {

SiteValue Site(int number, const char* name, double lon, double lat, std::optional<double> value,
               int block = 5) {
    SiteValue site;
    site.siteNumber = number;
    site.name = name;
    site.areaCode = 40;
    site.areaName = "東京都";
    site.longitudeDeg = lon;
    site.latitudeDeg = lat;
    site.block = block;
    site.value = value;
    return site;
}

NationalMap Sample() {
    NationalMap map;
    map.request.quantity = NationalQuantity::Yield;
    map.request.tiltDeg = 20;
    map.request.azimuthDeg = 270;
    map.complete = true;
    map.sites = {Site(44132, "東京", 139.76, 35.69, 1180.25),
                 Site(47401, "稚内", 141.68, 45.42, 980.5, 1),
                 Site(43056, "熊谷", 139.38, 36.15, 1180.25),
                 Site(47409, "網走", 144.28, 44.02, std::nullopt, 1),
                 Site(50001, "\"引用\"", 139.0, 35.0, 1200.125)};
    return map;
}

} // namespace

TEST(NationalMap, TheRankingPutsTheLargestFirstAndEqualValuesBySiteNumber) {
    const NationalMap map = Sample();
    EXPECT_EQ(RankingOrder(map), (std::vector<std::size_t>{4, 2, 0, 1}));
    const std::vector<std::string> csv = SplitLines(NationalCsv(map));
    ASSERT_EQ(csv.size(), 6u);
    EXPECT_EQ(
        csv[0].rfind("\xEF\xBB\xBF発電量原単位　傾斜角20度・方位角270度・時別計算・平均年", 0), 0u);
    EXPECT_EQ(csv[1], "順位,地点番号,地点名,エリア,発電量原単位(kWh/kWp)\r");
    EXPECT_EQ(csv[2], "1,50001,\"引用\",東京都,1200.125\r");
    EXPECT_EQ(csv[3], "2,43056,熊谷,東京都,1180.25\r");
    EXPECT_EQ(csv[5], "4,47401,稚内,東京都,980.5\r") << "the site without a value is left out";
}

TEST(NationalMap, GeoJsonIsAFeatureCollectionOfPointsLongitudeFirst) {
    const NationalMap map = Sample();
    const std::string json = NationalGeoJson(map);
    EXPECT_EQ(json.rfind("{\"type\": \"FeatureCollection\", \"features\": [", 0), 0u);
    std::size_t features = 0;
    for (std::size_t at = json.find("\"type\": \"Feature\""); at != std::string::npos;
         at = json.find("\"type\": \"Feature\"", at + 1)) {
        ++features;
    }
    EXPECT_EQ(features, map.sites.size());
    const std::size_t first = json.find("\"coordinates\": [") + 16;
    char* end = nullptr;
    EXPECT_EQ(std::strtod(json.c_str() + first, &end), 139.76);
    EXPECT_EQ(std::strtod(end + 2, nullptr), 35.69);
    EXPECT_NE(
        json.find("\"properties\": {\"site\": 44132, \"name\": \"東京\", \"area\": \"東京都\", "
                  "\"quantity\": \"yield\", \"value\": 1180.25, \"unit\": \"kWh/kWp\", "
                  "\"title\": \"発電量原単位　傾斜角20度・方位角270度・時別計算・平均年\"}"),
        std::string::npos);
    EXPECT_NE(json.find("\"site\": 47409, \"name\": \"網走\", \"area\": \"東京都\", \"quantity\": "
                        "\"yield\", \"value\": null"),
              std::string::npos);
    EXPECT_NE(json.find("\"name\": \"\\\"引用\\\"\""), std::string::npos) << "quotes are escaped";
    EXPECT_EQ(json.substr(json.size() - 4), "\n]}\n");
}

TEST(NationalMap, TheKeyNamesEveryParameterTheValuesDependOn) {
    NationalRequest a;
    NationalRequest b = a;
    EXPECT_EQ(a.Key(), b.Key());
    b.hourly.lossesPct = 14.000000001;
    EXPECT_NE(a.Key(), b.Key());
    b = a;
    b.monthly.mounting = Mounting::Roof;
    EXPECT_NE(a.Key(), b.Key());
    b = a;
    b.month = 2;
    EXPECT_NE(a.Key(), b.Key());
    EXPECT_EQ(QuantityNamed("optimum-tilt"), NationalQuantity::OptimumTilt);
    EXPECT_FALSE(QuantityNamed("tilt"));
}

TEST(NationalMap, TitlesNameTheDataAndTheStoredMonthlyPlaneAsTheControlsReadAngles) {
    NationalRequest request;
    request.quantity = NationalQuantity::Monthly;
    request.tiltDeg = 34;
    request.azimuthDeg = 350;
    request.month = 7;
    EXPECT_EQ(request.Title(), "月平均斜面日射量　傾斜角30度・方位角345度・7月");
    request.quantity = NationalQuantity::Pr;
    request.method = YieldMethod::Monthly;
    EXPECT_EQ(request.Title(), "PR　傾斜角30度・方位角345度・月別計算");
    request.quantity = NationalQuantity::Spread;
    EXPECT_EQ(request.Title(), "多照年と寡照年の発電量の差　傾斜角34度・方位角350度・時別計算");
    request.azimuthDeg = -90; // the command line's east
    EXPECT_EQ(request.Title(), "多照年と寡照年の発電量の差　傾斜角34度・方位角270度・時別計算");
}

TEST(NationalMap, TheScaleRunsFromBlueToRedAndARangeAlwaysHasRoom) {
    EXPECT_EQ(ScaleColour(0.0), 0xFF2846C8u);
    EXPECT_EQ(ScaleColour(1.0), 0xFFDC281Eu);
    EXPECT_EQ(ScaleColour(0.5), 0xFF3CBE50u);
    EXPECT_EQ(ScaleColour(-3.0), ScaleColour(0.0));
    EXPECT_EQ(ScaleColour(std::nan("")), ScaleColour(0.0));
    EXPECT_EQ(RangeOf(Sample()), (ValueRange{980.5, 1200.125}));
    NationalMap flat = Sample();
    for (SiteValue& site : flat.sites) {
        site.value = 50.0;
    }
    const ValueRange room = RangeOf(flat);
    EXPECT_LT(room.low, 50.0);
    EXPECT_GT(room.high, 50.0);
    NationalMap none = Sample();
    for (SiteValue& site : none.sites) {
        site.value.reset();
    }
    EXPECT_EQ(RangeOf(none), (ValueRange{0.0, 1.0}));
}

TEST(NationalLayout, MarkersStandWhereTheSiteSelectionPutsThemAndTellTheirValue) {
    const NationalMap map = Sample();
    const CDRect nation{122.0, 46.0, 149.0, 24.0};
    const NationalLayout layout = ComposeNationalLayout(map, 0, nation, "全国");
    ASSERT_EQ(layout.markers.size(), 4u) << "every site with a value";
    const std::optional<PixelPoint> tokyo =
        SiteMarkerPixel({139.76, 35.69}, 5, MapLevel::National, nation, MapInnerRect());
    ASSERT_TRUE(tokyo);
    EXPECT_EQ(layout.markers[0].at, (PixelPoint{tokyo->x, tokyo->y + kNationalTitleBand}));
    EXPECT_EQ(layout.markers[0].argb, ScaleColour((1180.25 - 980.5) / (1200.125 - 980.5)));
    EXPECT_EQ(layout.tooltips[0].text, "東京（東京都）\n1180.2 kWh/kWp");
    EXPECT_EQ(MarkerAt(layout, layout.markers[0].at.x, layout.markers[0].at.y), 0u);
    EXPECT_FALSE(MarkerAt(layout, 2, 2));
    EXPECT_EQ(layout.scaleLabels.front().text, "980.5");
    EXPECT_EQ(layout.scaleLabels.back().text, "1200.1");

    // A block map shows the sites in its view only, without the national insets.
    const CDRect kanto{138.3, 37.2, 141.0, 34.5};
    const NationalLayout block = ComposeNationalLayout(map, 5, kanto, "関東");
    EXPECT_EQ(block.markers.size(), 3u);
    EXPECT_EQ(block.markers[0].at.x, GeoToPixel({139.76, 35.69}, kanto, MapInnerRect()).x);
}

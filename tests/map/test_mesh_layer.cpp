#include "map/map_pictures.h"
#include "map/mesh_code.h"
#include "map/mesh_layer.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

// Two sites over part of sheet 53394: site 44132 on the western meshes of rows
// 0..1 of second-order square 533946, site 44136 on the rest of those rows.
std::vector<MeshTableLine> SampleTable() {
    std::vector<MeshTableLine> lines;
    for (int r = 0; r < 2; ++r) {
        for (int w = 0; w < 10; ++w) {
            lines.push_back({53394600 + 10 * r + w, w < 5 ? 44132 : 44136});
        }
    }
    return lines;
}

int FindSiteIndex(int siteNumber) {
    return siteNumber == 44132 ? 7 : siteNumber == 44136 ? 8 : -1;
}

} // namespace

TEST(MeshLayer, LoadsTheTablesTheViewTouches) {
    test::TempDir dir;
    ASSERT_TRUE(WriteMeshTable(MeshTablePath(dir.str(), 5339), SampleTable()));
    std::vector<MeshTableLine> east{{53406000, 44301}};
    ASSERT_TRUE(WriteMeshTable(MeshTablePath(dir.str(), 5340), east));
    MeshLayer layer;
    LoadMeshLayer(dir.str(), GetSheetViewRect(53394), layer);
    EXPECT_EQ(layer.size(), 21);
    EXPECT_EQ(layer.SiteNumbers(), (std::vector<int>{44132, 44136, 44301}));

    int entry = layer.FindMeshEntry(53394611);
    ASSERT_GE(entry, 0);
    EXPECT_EQ(layer.entry(entry).siteNumber, 44132);
    EXPECT_EQ(layer.FindMeshEntry(53394699), -1);
    EXPECT_EQ(layer.FindMeshEntry(-5), -1);
    EXPECT_EQ(GetSiteOfPoint(layer, 139.7667, 35.6833, FindSiteIndex), 7);
    EXPECT_EQ(GetSiteOfPoint(layer, 139.74, 35.6833, FindSiteIndex), -1) << "no mesh";
    EXPECT_EQ(GetSiteOfPoint(layer, 140.001, 35.835, FindSiteIndex), -1)
        << "a mesh whose site is not in the catalogue";
}

TEST(MeshLayer, SiteChainsVisitEveryMeshOfTheSite) {
    MeshLayer layer;
    for (const MeshTableLine& line : SampleTable()) {
        ASSERT_TRUE(layer.Add(line.meshCode, line.siteNumber));
    }
    layer.FinishLoading();
    std::vector<int> codes;
    for (int i = layer.GetSiteMeshes(44136); i >= 0; i = layer.entry(i).nextOfSite) {
        codes.push_back(layer.entry(i).meshCode);
        EXPECT_EQ(layer.entry(i).firstOfSite, layer.GetSiteMeshes(44136));
    }
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(codes, (std::vector<int>{53394605, 53394606, 53394607, 53394608, 53394609, 53394615,
                                       53394616, 53394617, 53394618, 53394619}));
    EXPECT_EQ(layer.GetSiteMeshes(12345), -1);
    EXPECT_EQ(layer.GetSiteMeshes(-1), -1);
    EXPECT_EQ(layer.GetSiteMeshes(100000), -1);
    // Codes that share a bucket are told apart.
    layer.Add(53394611 + 9973, 11111);
    EXPECT_EQ(layer.entry(layer.FindMeshEntry(53394611)).siteNumber, 44132);
    EXPECT_EQ(layer.entry(layer.FindMeshEntry(53394611 + 9973)).siteNumber, 11111);
}

TEST(MeshLayer, LinesOutOfRangeOrOutsideTheViewAreSkipped) {
    CDRect view = GetSheetViewRect(53394);
    MeshLayer layer;
    AddMeshTableLines("53394611,99999\r\n"  // site number too large
                      "53394612,-4\r\n"     // negative site number
                      "-53394613,44132\r\n" // negative mesh code
                      "123456789,44132\n"   // mesh code too large
                      "53394614\r\n"        // no site number
                      "\r\n"
                      "53390000,44132\r\n" // south-west corner of 5339: outside the view
                      "53394615,99998\n"   // the largest site number
                      "53394616,0\n"
                      "53394617,44132", // no line end
                      view, layer);
    layer.FinishLoading();
    ASSERT_EQ(layer.size(), 3);
    EXPECT_EQ(layer.entry(0), (tagMyMesh{53394615, 99998, 0, -1}));
    EXPECT_EQ(layer.entry(1).meshCode, 53394616);
    EXPECT_EQ(layer.entry(2).meshCode, 53394617);
}

TEST(MeshLayer, TouchingMeshesDoNotOverlapTheView) {
    // A view that is exactly mesh 53394611: its four neighbours only touch it.
    CDRect view = GetMesh3Rect(53394611);
    MeshLayer layer;
    AddMeshTableLines("53394610,1\n53394612,1\n53394601,1\n53394621,1\n53394611,2\n", view, layer);
    ASSERT_EQ(layer.size(), 1);
    EXPECT_EQ(layer.entry(0).siteNumber, 2);
}

TEST(MeshLayer, ReloadReplacesTheTable) {
    test::TempDir dir;
    ASSERT_TRUE(WriteMeshTable(MeshTablePath(dir.str(), 5339), SampleTable()));
    MeshLayer layer;
    LoadMeshLayer(dir.str(), GetSheetViewRect(53394), layer);
    ASSERT_EQ(layer.size(), 20);
    LoadMeshLayer(dir.str(), GetSheetViewRect(36226), layer);
    EXPECT_EQ(layer.size(), 0);
    EXPECT_EQ(layer.GetSiteMeshes(44132), -1);
    EXPECT_EQ(layer.FindMeshEntry(53394611), -1);
}

TEST(MeshLayer, PathsAndPictures) {
    EXPECT_EQ(MeshTablePath("/d", 5339), "/d/map/table/m5339.list");
    EXPECT_EQ(MapPicturePath("/d", 0), "/d/map/mapA/0h.jpg");
    EXPECT_EQ(MapPicturePath("/d", 47), "/d/map/mapA/47h.jpg");
    EXPECT_EQ(SheetPicturePath("/d", 53394), "/d/map/mapB/5339-4.jpg");
    test::TempDir dir;
    dir.Write("map/mapB/5339-4.jpg", "jpeg");
    dir.Write("map/mapA/3h.jpg", "jpeg");
    EXPECT_TRUE(SheetPictureExists(dir.str(), 53394));
    EXPECT_FALSE(SheetPictureExists(dir.str(), 53393));
    EXPECT_FALSE(SheetPictureExists(dir.str(), -53394));
    EXPECT_FALSE(SheetPictureExists(dir.str(), 53399));
    EXPECT_TRUE(MapPictureExists(dir.str(), 3));
    EXPECT_FALSE(MapPictureExists(dir.str(), 4));
}

TEST(SheetNames, EmptyIndexGivesEmptyNames) {
    EXPECT_EQ(LookupSheetName(139.7667, 35.6833), "");
    SheetNameIndex index;
    EXPECT_TRUE(index.empty());
    index.Add(533946, "東京西南部");
    index.Add(533946 + 9973, "other");
    EXPECT_EQ(index.Lookup(139.7667, 35.6833), "東京西南部");
    EXPECT_EQ(index.Lookup(139.70, 35.6833), "");
    EXPECT_EQ(index.Lookup(10.0, 35.0), "");
}

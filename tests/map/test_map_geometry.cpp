#include "map/map_geometry.h"
#include "map/mesh_code.h"

#include <gtest/gtest.h>

using namespace quorvane;

TEST(MeshCode, TokyoExample) {
    EXPECT_EQ(GetMesh1Code(139.7667, 35.6833), 5339);
    EXPECT_EQ(GetMesh2Code(139.7667, 35.6833), 533946);
    EXPECT_EQ(GetMesh3Code(139.7667, 35.6833), 53394611);
    EXPECT_EQ(GetMapSheetCode(139.7667, 35.6833), 53394);
}

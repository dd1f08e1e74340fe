#include "data/pixel_types.h"

#include <gtest/gtest.h>

using namespace quorvane;

TEST(PixelRect, SizeIsTheDistanceBetweenEdges) {
    const PixelRect r{70, 45, 624, 477};
    EXPECT_EQ(r.Width(), 554);
    EXPECT_EQ(r.Height(), 432);
    EXPECT_FALSE(r.IsEmpty());
}

TEST(PixelRect, ContainsLeftAndTopButNotRightAndBottom) {
    const PixelRect r{10, 20, 30, 40};
    EXPECT_TRUE(r.Contains(10, 20));
    EXPECT_TRUE(r.Contains(29, 39));
    EXPECT_FALSE(r.Contains(30, 39));
    EXPECT_FALSE(r.Contains(29, 40));
    EXPECT_FALSE(r.Contains(9, 25));
    EXPECT_FALSE(r.Contains(15, 19));
}

TEST(PixelRect, ZeroOrNegativeSizeIsEmptyAndContainsNothing) {
    const PixelRect line{5, 5, 5, 9};
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_FALSE(line.Contains(5, 6));
    EXPECT_TRUE((PixelRect{5, 5, 9, 4}).IsEmpty());
    EXPECT_TRUE(PixelRect{}.IsEmpty());
}

TEST(PixelRect, TranslatedAndInflatedMoveEveryEdge) {
    const PixelRect r{10, 20, 30, 40};
    EXPECT_EQ(r.Translated(5, -3), (PixelRect{15, 17, 35, 37}));
    EXPECT_EQ(r.Inflated(2), (PixelRect{8, 18, 32, 42}));
    EXPECT_EQ(r.Inflated(-10), (PixelRect{20, 30, 20, 30}));
    EXPECT_TRUE(r.Inflated(-10).IsEmpty());
}

#include "map/area_polygons.h"
#include "map/binary_io.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorvane;

namespace {

CPolygon Square(double left, double bottom, double size) {
    return CPolygon({{left, bottom},
                     {left + size, bottom},
                     {left + size, bottom + size},
                     {left, bottom + size}});
}

std::string RawPolygon(std::int32_t count, const std::vector<CDPoint>& points) {
    std::string bytes;
    AppendI32(bytes, count);
    for (const CDPoint& p : points) {
        AppendDouble(bytes, p.x);
        AppendDouble(bytes, p.y);
    }
    return bytes;
}

struct Loaded {
    LoadStatus result;
    std::vector<CPolygon> outline;
    std::vector<std::string> messages;
};

Loaded LoadBytes(const std::string& bytes, int areaCode = 12) {
    test::TempDir dir;
    char name[32];
    std::snprintf(name, sizeof name, "map/area/%02d", areaCode);
    dir.Write(name, bytes);
    Loaded loaded;
    loaded.outline.push_back(Square(9, 9, 1)); // replaced by the load
    CollectingReporter reporter;
    loaded.result = LoadAreaPolygons(dir.str(), areaCode, loaded.outline, reporter);
    loaded.messages = reporter.messages;
    return loaded;
}

} // namespace

TEST(AreaPolygons, PathUsesTwoDigits) {
    EXPECT_EQ(AreaPolygonPath("/data", 7), "/data/map/area/07");
    EXPECT_EQ(AreaPolygonPath("/data", 47), "/data/map/area/47");
}

TEST(AreaPolygons, RoundTripThroughTheWriter) {
    test::TempDir dir;
    std::vector<CPolygon> polygons{Square(139, 35, 0.5),
                                   CPolygon({{140.1, 35.2}, {140.7, 35.3}, {140.2, 36.1}})};
    ASSERT_TRUE(WriteAreaPolygons(AreaPolygonPath(dir.str(), 3), polygons));
    std::vector<CPolygon> outline;
    CollectingReporter reporter;
    EXPECT_EQ(LoadAreaPolygons(dir.str(), 3, outline, reporter), LoadStatus::Ok);
    EXPECT_EQ(outline, polygons);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(AreaPolygons, MissingFileLeavesNoOutlineAndNoMessage) {
    test::TempDir dir;
    std::vector<CPolygon> outline{Square(0, 0, 1)};
    CollectingReporter reporter;
    EXPECT_EQ(LoadAreaPolygons(dir.str(), 5, outline, reporter), LoadStatus::CannotRead);
    EXPECT_TRUE(outline.empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(AreaPolygons, EndOfFileInsideTheCountEndsQuietly) {
    std::string one = EncodeAreaPolygons(std::vector<CPolygon>{Square(0, 0, 1)});
    for (std::string tail :
         {std::string(), std::string("\x03", 1), std::string("\x03\x00\x00", 3)}) {
        Loaded loaded = LoadBytes(one + tail);
        EXPECT_EQ(loaded.result, LoadStatus::Ok);
        EXPECT_EQ(loaded.outline.size(), 1u);
        EXPECT_TRUE(loaded.messages.empty());
    }
    Loaded empty = LoadBytes("");
    EXPECT_EQ(empty.result, LoadStatus::Ok);
    EXPECT_TRUE(empty.outline.empty());
}

TEST(AreaPolygons, ClosingVertexIsDropped) {
    Loaded loaded = LoadBytes(RawPolygon(5, {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}));
    ASSERT_EQ(loaded.outline.size(), 1u);
    EXPECT_EQ(loaded.outline[0].points.size(), 4u);
    EXPECT_TRUE(loaded.messages.empty());
}

TEST(AreaPolygons, FaultyPolygonsKeepWhatCameBeforeWithOneMessage) {
    std::string good = EncodeAreaPolygons(std::vector<CPolygon>{Square(0, 0, 1)});
    std::string bowTie = RawPolygon(4, {{0, 0}, {1, 1}, {1, 0}, {0, 1}});
    std::string twoPoints = RawPolygon(2, {{0, 0}, {1, 1}});
    std::string zeroCount = RawPolygon(0, {});
    std::string negative = RawPolygon(-3, {});
    // Counts from the file are untrusted: more vertices than bytes left is an error,
    // not an allocation of gigabytes.
    std::string huge = RawPolygon(0x7FFFFFFF, {{0, 0}, {1, 0}, {1, 1}});
    std::string truncated = RawPolygon(4, {{0, 0}, {1, 0}, {1, 1}});
    std::string notANumber =
        RawPolygon(3, {{0, 0}, {std::numeric_limits<double>::quiet_NaN(), 0}, {1, 1}});
    for (const std::string& bad :
         {bowTie, twoPoints, zeroCount, negative, huge, truncated, notANumber}) {
        Loaded loaded = LoadBytes(good + bad + good);
        EXPECT_EQ(loaded.result, LoadStatus::Damaged);
        ASSERT_EQ(loaded.outline.size(), 1u);
        EXPECT_EQ(loaded.outline[0], Square(0, 0, 1));
        ASSERT_EQ(loaded.messages.size(), 1u);
        EXPECT_EQ(loaded.messages[0], "県ポリゴンデータの読み込みに失敗しました。");
    }
}

#include "data/sunrise_sunset.h"

#include "../hourly/hourly_sample.h"
#include "data/hourly_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <memory>

namespace quorvane {
namespace {

using test::AppendSunriseRecord;

class SunriseSunsetTest : public ::testing::Test {
protected:
    std::unique_ptr<HourlyDataSet> set = std::make_unique<HourlyDataSet>();
    test::TempDir map;

    LoadStatus Load(const std::string& bytes) {
        map.Write("map/zahyo/sunrise_sunset/00815", bytes);
        return LoadSunriseSunset(*set, 815, map.str());
    }
};

TEST_F(SunriseSunsetTest, FullYearFillsEveryDay) {
    std::string file;
    for (int d = 1; d <= 365; ++d) {
        MonthDay md = MonthDayOfYear(d);
        AppendSunriseRecord(file, md.month, md.day, 5.0f + d / 1000.0f, 18.25f);
    }
    ASSERT_EQ(Load(file), LoadStatus::Ok);
    for (int d = 1; d <= 365; ++d) {
        ASSERT_EQ(set->sunrise[d - 1], static_cast<double>(5.0f + d / 1000.0f)) << d;
        ASSERT_EQ(set->sunset[d - 1], 18.25);
    }
}

TEST_F(SunriseSunsetTest, TimesAreWidenedFromFloat) {
    std::string file;
    AppendSunriseRecord(file, 1, 1, 6.9f, 16.7f);
    ASSERT_EQ(Load(file), LoadStatus::Ok);
    EXPECT_EQ(set->sunrise[0], static_cast<double>(6.9f));
    EXPECT_NE(set->sunrise[0], 6.9);
}

TEST_F(SunriseSunsetTest, LeapDayAndLaterRecordsOverwrite) {
    std::string file;
    AppendSunriseRecord(file, 3, 1, 6.0f, 17.0f);
    AppendSunriseRecord(file, 2, 29, 6.5f, 17.5f);
    AppendSunriseRecord(file, 13, 1, 7.0f, 16.0f); // month clamped to 12
    ASSERT_EQ(Load(file), LoadStatus::Ok);
    EXPECT_EQ(set->sunrise[59], 6.5);
    EXPECT_EQ(set->sunset[59], 17.5);
    EXPECT_EQ(set->sunrise[334], 7.0);
}

TEST_F(SunriseSunsetTest, NegativeBytesAreSigned) {
    std::string file;
    AppendSunriseRecord(file, -3, -5, 6.0f, 17.0f); // clamps onto day 1
    ASSERT_EQ(Load(file), LoadStatus::Ok);
    EXPECT_EQ(set->sunrise[0], 6.0);
}

TEST_F(SunriseSunsetTest, EmptyFileLoadsAndKeepsZeros) {
    ASSERT_EQ(Load(""), LoadStatus::Ok);
    for (int d = 0; d < 365; ++d) {
        ASSERT_EQ(set->sunrise[d], 0.0);
        ASSERT_EQ(set->sunset[d], 0.0);
    }
}

TEST_F(SunriseSunsetTest, IncompleteLastRecordIsIgnored) {
    for (std::size_t cut : {1u, 2u, 5u, 9u}) {
        SCOPED_TRACE(cut);
        set->Clear();
        std::string file;
        AppendSunriseRecord(file, 1, 1, 6.0f, 17.0f);
        AppendSunriseRecord(file, 1, 2, 6.5f, 17.5f);
        file.resize(file.size() - 10 + cut);
        ASSERT_EQ(Load(file), LoadStatus::Ok);
        EXPECT_EQ(set->sunrise[0], 6.0);
        EXPECT_EQ(set->sunrise[1], 0.0);
        EXPECT_EQ(set->sunset[1], 0.0);
    }
}

// Records that straddle the reader's internal chunks arrive whole.
TEST_F(SunriseSunsetTest, LongFileIsReadAcrossChunks) {
    std::string file;
    for (int i = 0; i < 2000; ++i) {
        MonthDay md = MonthDayOfYear(i % 365 + 1);
        AppendSunriseRecord(file, md.month, md.day, static_cast<float>(i), 18.0f);
    }
    ASSERT_EQ(Load(file), LoadStatus::Ok);
    EXPECT_EQ(set->sunrise[0], 1825.0);
    EXPECT_EQ(set->sunrise[364], 1824.0);
    EXPECT_EQ(set->sunrise[154], 1979.0);
}

TEST_F(SunriseSunsetTest, MissingFileFails) {
    EXPECT_EQ(LoadSunriseSunset(*set, 1, map.str()), LoadStatus::CannotRead);
    map.Write("map/zahyo/sunrise_sunset/00002/x", "");
    EXPECT_EQ(LoadSunriseSunset(*set, 2, map.str()), LoadStatus::CannotRead);
    EXPECT_EQ(SunriseSunsetPath("/data", 47), "/data/map/zahyo/sunrise_sunset/00047");
}

} // namespace
} // namespace quorvane

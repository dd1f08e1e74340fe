#include "hourly/periods.h"

#include "hourly_sample.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace quorvane {
namespace {

std::vector<int> DaysOf(const HourlyPeriod& period) {
    std::vector<int> days;
    for (int i = 0; i < period.dayCount; ++i) {
        days.push_back(period.DayAt(i));
    }
    return days;
}

TEST(PeriodOfView, SingleDayViews) {
    for (HourlyView view :
         {HourlyView::Day, HourlyView::IrradiationRanking, HourlyView::SunshineRanking}) {
        EXPECT_EQ(DaysOf(PeriodOfView(view, 3, 3)), std::vector<int>{62});
    }
    EXPECT_EQ(DaysOf(PeriodOfView(HourlyView::Day, 2, 29)), std::vector<int>{60});
}

TEST(PeriodOfView, MonthCoversItsDays) {
    HourlyPeriod february = PeriodOfView(HourlyView::Month, 2, 30);
    EXPECT_EQ(february.firstDay, 32);
    EXPECT_EQ(february.dayCount, 28);
    HourlyPeriod december = PeriodOfView(HourlyView::Month, 12, 1);
    EXPECT_EQ(december.DayAt(30), 365);
    EXPECT_EQ(PeriodOfView(HourlyView::Month, 13, 1).firstDay, 335);
}

TEST(PeriodOfView, TenDaysWrapIntoJanuary) {
    EXPECT_EQ(DaysOf(PeriodOfView(HourlyView::TenDays, 12, 25)),
              (std::vector<int>{359, 360, 361, 362, 363, 364, 365, 1, 2, 3}));
    EXPECT_EQ(DaysOf(PeriodOfView(HourlyView::TenDays, 12, 28)),
              (std::vector<int>{362, 363, 364, 365, 1, 2, 3, 4, 5, 6}));
}

TEST(PeriodOfView, WholeYear) {
    HourlyPeriod year = PeriodOfExport(ExportKind::WholeYear, 7, 7);
    EXPECT_EQ(year.firstDay, 1);
    EXPECT_EQ(year.dayCount, 365);
    EXPECT_EQ(year.DayAt(364), 365);
}

class DataSetTest : public ::testing::Test {
protected:
    std::unique_ptr<HourlyDataSet> set = std::make_unique<HourlyDataSet>();
};

TEST_F(DataSetTest, MonthViewDayValuesUseTheirSummaryAndScale) {
    int d = 100;
    for (int e = 1; e <= 9; ++e) {
        set->dailySummaries[d - 1][0][e - 1] = 1000 + e;
        set->dailySummaries[d - 1][2][e - 1] = 3000 + e;
    }
    EXPECT_DOUBLE_EQ(MonthViewDayValue(*set, d, 1), 30.01);
    EXPECT_DOUBLE_EQ(MonthViewDayValue(*set, d, 3), 30.03);
    EXPECT_DOUBLE_EQ(MonthViewDayValue(*set, d, 4), 300.4);
    EXPECT_DOUBLE_EQ(MonthViewDayValue(*set, d, 5), 100.5);
    EXPECT_DOUBLE_EQ(MonthViewDayValue(*set, d, 6), 1006);
    EXPECT_DOUBLE_EQ(MonthViewDayValue(*set, d, 7), 100.7);
    EXPECT_DOUBLE_EQ(MonthViewDayValue(*set, d, 8), 300.8);
    EXPECT_DOUBLE_EQ(MonthViewDayValue(*set, d, 9), 1009);
    EXPECT_DOUBLE_EQ(MonthViewDayValue(*set, d, 10), 0.0);
}

TEST_F(DataSetTest, AllZeroMonthRanksInCalendarOrder) {
    DayRanking ranking = RankDaysOfMonth(set->dailyIrradiation, 1);
    ASSERT_EQ(ranking.count, 31);
    for (int i = 0; i < 31; ++i) {
        EXPECT_EQ(ranking.days[i], i + 1);
    }
}

TEST_F(DataSetTest, FebruaryHas28Items) {
    set->dailyIrradiation[59] = 9999; // 1 March, the leap day's slot
    DayRanking ranking = RankDaysOfMonth(set->dailyIrradiation, 2);
    ASSERT_EQ(ranking.count, 28);
    for (int i = 0; i < 28; ++i) {
        EXPECT_EQ(ranking.days[i], i + 1);
    }
}

TEST_F(DataSetTest, RankingDescendsAndTiesKeepCalendarOrder) {
    int first = DayOfYear(4, 1) - 1;
    const int totals[30] = {5, 9, 5, 12, 0, 9, -3, 1, 1, 30, 0, 0, 0, 0, 0,
                            0, 0, 0, 0,  0, 0, 0,  0, 0, 0,  0, 0, 0, 0, 2};
    std::memcpy(set->dailySunshine + first, totals, sizeof totals);
    set->dailySunshine[first - 1] = 1000; // 31 March stays out
    DayRanking ranking = RankDaysOfMonth(set->dailySunshine, 4);
    ASSERT_EQ(ranking.count, 30);
    const int expected[30] = {10, 4,  2,  6,  1,  3,  30, 8,  9,  5,  7,  11, 12, 13, 14,
                              15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(ranking.days[i], expected[i]) << i;
    }
}

TEST_F(DataSetTest, RankingTextsFollowTheListFormats) {
    EXPECT_EQ(IrradiationRankingText(1, 5, 2345), " 1位： 5日  23.4(MJ)");
    EXPECT_EQ(IrradiationRankingText(12, 31, 5), "12位：31日   0.1(MJ)");
    EXPECT_EQ(IrradiationRankingText(3, 3, 123456), " 3位： 3日  1234.6(MJ)");
    EXPECT_EQ(IrradiationRankingText(3, 3, -50), " 3位： 3日  -0.5(MJ)");
    EXPECT_EQ(SunshineRankingText(2, 14, 97), " 2位：14日  9.7(h)");
    EXPECT_EQ(SunshineRankingText(2, 14, 0), " 2位：14日  0.0(h)");
    EXPECT_EQ(SunshineRankingText(28, 1, 125), "28位： 1日  12.5(h)");
}

// A negative stored total ranks as 0 but the text shows what is stored.
TEST_F(DataSetTest, BuildRankingsFillsBothLists) {
    int first = DayOfYear(2, 1) - 1;
    set->dailyIrradiation[first + 1] = 1850;
    set->dailyIrradiation[first + 2] = -20;
    set->dailySunshine[first + 27] = 64;
    HourlyRankings rankings;
    BuildRankings(*set, 2, rankings);
    ASSERT_EQ(rankings.irradiationTexts.size(), 28u);
    ASSERT_EQ(rankings.sunshineTexts.size(), 28u);
    EXPECT_EQ(rankings.irradiationTexts[0], " 1位： 2日  18.5(MJ)");
    EXPECT_EQ(rankings.irradiationTexts[1], " 2位： 1日   0.0(MJ)");
    EXPECT_EQ(rankings.irradiationTexts[2], " 3位： 3日  -0.2(MJ)");
    EXPECT_EQ(rankings.sunshineTexts[0], " 1位：28日  6.4(h)");
    EXPECT_EQ(rankings.sunshineTexts[27], "28位：27日  0.0(h)");

    BuildRankings(*set, 12, rankings);
    EXPECT_EQ(rankings.irradiationTexts.size(), 31u);
}

TEST(SlopeHundredths, RoundsHalfUpAndTruncatesTowardsZero) {
    EXPECT_EQ(SlopeHundredths(0.0), 0);
    EXPECT_EQ(SlopeHundredths(1.234), 123);
    EXPECT_EQ(SlopeHundredths(1.2351), 124);
    EXPECT_EQ(SlopeHundredths(0.994999), 99);
    EXPECT_EQ(SlopeHundredths(-0.004), 0);
    EXPECT_EQ(SlopeHundredths(-0.02), -1); // -1.5 truncates to -1
    EXPECT_EQ(SlopeHundredths(std::nan("")), 0);
    int huge = SlopeHundredths(1e300);
    EXPECT_GT(huge, 1000000);
    EXPECT_LE(static_cast<long long>(huge) * 24, INT_MAX);
    EXPECT_GE(static_cast<long long>(SlopeHundredths(-1e300)) * 24, INT_MIN);
}

class SlopeValuesTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TempDir dir;
        std::string path = dir.Write("h.txt", test::MakeSampleHourlyFile("h", "\r\n", 3));
        ASSERT_EQ(ParseHourlyFile(*set, path), LoadStatus::Ok);
        for (int d = 0; d < 365; ++d) {
            set->sunrise[d] = 5.5 + d % 3 * 0.25;
            set->sunset[d] = 18.0 + d % 4 * 0.3;
        }
    }

    std::unique_ptr<HourlyDataSet> set = std::make_unique<HourlyDataSet>();
    SitePosition site{true, 139.75, 35.69, 25.0};
};

TEST_F(SlopeValuesTest, HourUsesTheDataInModelUnits) {
    int d = 172;
    int h = 12;
    const HorizontalHour in{d,
                            h,
                            set->sunrise[d - 1],
                            set->sunset[d - 1],
                            set->Hourly(d, h, 1) / 100.0,
                            set->Hourly(d, h, 2) / 100.0,
                            set->Hourly(d, h, 3) / 100.0,
                            static_cast<double>(set->Hourly(d, h, 9))};
    double expected = SlopeIrradiance(in, {139.75, 35.69, 25.0}, 30.0, 15.0);
    EXPECT_EQ(SlopeHourMJ(*set, site, d, h, 30.0, 15.0), expected);
    EXPECT_GT(expected, 0.0);
    EXPECT_EQ(SlopeHourMJ(*set, site, d, h, 0.0, 90.0), set->Hourly(d, h, 1) / 100.0);
}

TEST_F(SlopeValuesTest, PreparedHoursMatchTheDirectCall) {
    for (int d : {1, 45, 172, 300, 365}) {
        for (int h = 1; h <= 24; ++h) {
            SlopeHour prepared = PrepareDataSlopeHour(*set, site, d, h);
            for (int tilt : {0, 5, 30, 90}) {
                for (int azimuth : {0, 45, 180, 271, 359}) {
                    ASSERT_EQ(EvaluateSlope(prepared, tilt, azimuth),
                              SlopeHourMJ(*set, site, d, h, tilt, azimuth))
                        << d << " " << h << " " << tilt << " " << azimuth;
                }
            }
        }
    }
}

TEST_F(SlopeValuesTest, DailyTotalSumsRealValues) {
    double sum = 0.0;
    for (int h = 1; h <= 24; ++h) {
        sum += SlopeHourMJ(*set, site, 200, h, 20.0, -30.0);
    }
    EXPECT_EQ(DailySlopeTotalMJ(*set, site, 200, 20.0, -30.0), sum);
}

} // namespace
} // namespace quorvane

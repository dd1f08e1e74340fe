#include "databases.h"
#include "geography.h"
#include "geometry.h"
#include "rng.h"
#include "sun.h"
#include "weather.h"

#include "data/c_fields.h"
#include "data/hourly_file.h"
#include "data/monthly_file.h"
#include "data/reporter.h"
#include "map/polygon.h"
#include "solar/calendar.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>

namespace quorvane::datakit {
namespace {

double Area(const std::vector<Ring>& rings) {
    double sum = 0.0;
    for (const auto& r : rings) {
        sum += std::fabs(SignedArea(r));
    }
    return sum;
}

TEST(ClipRing, SquareKeepsTheHalfOnTheKeptSide) {
    const Ring square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const auto left = ClipRing(square, {1, 0, 0.5}); // x < 0.5
    ASSERT_EQ(left.size(), 1u);
    EXPECT_NEAR(Area(left), 0.5, 1e-4);
    EXPECT_TRUE(RingIsValid(left[0]));
    for (const auto& p : left[0]) {
        EXPECT_LT(p.x, 0.5 + 1e-3);
    }
    EXPECT_EQ(ClipRing(square, {1, 0, 2.0}).size(), 1u); // wholly kept
    EXPECT_TRUE(ClipRing(square, {1, 0, -1.0}).empty()); // wholly cut away
}

TEST(ClipRing, UShapeCutAcrossBothArmsGivesTwoSimpleRings) {
    // A "U": two arms joined at the bottom; cutting above the joint leaves two arms.
    const Ring u{{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}};
    for (const HalfPlane& keepTop : {HalfPlane{0, -1, -2}, LeftOf({0, 2.2}, {3, 2})}) {
        const auto pieces = ClipRing(u, keepTop);
        ASSERT_EQ(pieces.size(), 2u);
        for (const auto& piece : pieces) {
            EXPECT_TRUE(RingIsValid(piece));
        }
    }
    // The bottom part stays one ring, closed along the cut.
    const auto bottom = ClipRing(u, {0, 1, 2});
    ASSERT_EQ(bottom.size(), 1u);
    EXPECT_TRUE(RingIsValid(bottom[0]));
    EXPECT_NEAR(Area(bottom), 3.0 + 2.0, 1e-3);
}

TEST(ClipRing, BothSidesTogetherMakeTheWhole) {
    const Ring comb{{0, 0}, {4, 0},   {4, 1}, {3.5, 3}, {3, 1}, {2.5, 3},
                    {2, 1}, {1.5, 3}, {1, 1}, {0.5, 3}, {0, 1}};
    const HalfPlane cut = LeftOf({0, 1.7}, {4, 2.3});
    EXPECT_NEAR(Area(ClipRing(comb, cut)) + Area(ClipRing(comb, cut.Opposite())),
                std::fabs(SignedArea(comb)), 1e-3);
    EXPECT_EQ(ClipRing(comb, cut).size(), 4u); // the four teeth
}

TEST(MakeValidRings, SplitsARingTouchingItselfIntoTwoIslands) {
    // Two squares sharing the vertex (1, 1), walked as one ring.
    const Ring eight{{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 1}, {0, 1}};
    ASSERT_FALSE(RingIsValid(eight));
    const auto rings = MakeValidRings(eight, 0.0);
    ASSERT_EQ(rings.size(), 2u);
    for (const auto& r : rings) {
        EXPECT_TRUE(RingIsValid(r));
    }
    EXPECT_NEAR(Area(rings), 2.0, 1e-9);
}

TEST(MakeValidRings, RepairsACrossingAndDropsSlivers) {
    const Ring bowTie{{0, 0}, {2, 2}, {2, 0}, {0, 2}};
    for (const auto& r : MakeValidRings(bowTie, 0.0)) {
        EXPECT_TRUE(RingIsValid(r));
    }
    const Ring sliver{{0, 0}, {1, 0}, {1, 1e-9}};
    EXPECT_TRUE(MakeValidRings(sliver, 1e-7).empty());
}

TEST(MapRectAround, KeepsShapesTrueOnTheMapPicture) {
    Bounds land;
    land.Add(CDPoint{139.0, 35.0});
    land.Add(CDPoint{140.0, 36.0});
    for (double bias : {-1.0, 0.0, 0.75}) {
        const CDRect r = MapRectAround(land, 0.05, bias);
        EXPECT_TRUE(r.Contains(139.0, 35.0) && r.Contains(140.0, 36.0));
        const double k = std::cos(0.5 * (r.top + r.bottom) * 3.14159265358979 / 180);
        EXPECT_NEAR((r.right - r.left) * k / (r.top - r.bottom), 554.0 / 432.0, 1e-9);
    }
}

TEST(SunriseSunset, TokyoAtTheSolsticesWithinTwoMinutes) {
    // Published times for Tokyo: 4:25 / 19:00 at the summer solstice, 6:47 / 16:32 at
    // the winter solstice.
    const RiseSet summer = SunriseSunset(35.6895, 139.6917, 172);
    EXPECT_NEAR(summer.sunrise, 4 + 25 / 60.0, 2 / 60.0);
    EXPECT_NEAR(summer.sunset, 19 + 0 / 60.0, 2 / 60.0);
    const RiseSet winter = SunriseSunset(35.6895, 139.6917, 356);
    EXPECT_NEAR(winter.sunrise, 6 + 47 / 60.0, 2 / 60.0);
    EXPECT_NEAR(winter.sunset, 16 + 32 / 60.0, 2 / 60.0);
}

TEST(Rng, StreamsAreReproducibleAndIndependent) {
    Rng a(StreamKey(7, 1, 2)), b(StreamKey(7, 1, 2)), c(StreamKey(7, 1, 3));
    int differ = 0;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.Uniform();
        EXPECT_EQ(x, b.Uniform());
        EXPECT_GE(x, 0.0);
        EXPECT_LT(x, 1.0);
        differ += x != c.Uniform();
    }
    EXPECT_GT(differ, 990);
}

Site TestSite(double lat, double lon, double elevation, int number) {
    Site s;
    s.number = number;
    s.name = "試験";
    s.areaCode = number / 1000;
    s.latDeg = lat;
    s.lonDeg = lon;
    s.elevationM = elevation;
    s.coastKm = 15.0;
    return s;
}

struct Years {
    std::unique_ptr<HourlyYear> v[3];
};

Years Simulate(const Site& site, std::uint64_t seed) {
    const SiteWeather weather = PrepareSiteWeather(site, seed);
    Years y;
    for (int v = 0; v < 3; ++v) {
        y.v[v] = std::make_unique<HourlyYear>();
        SimulateYear(site, weather, seed, static_cast<YearVariant>(v), *y.v[v]);
    }
    return y;
}

class WeatherModel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        pacific = new Years(Simulate(TestSite(35.69, 139.69, 25, 27011), 3));
        japanSea = new Years(Simulate(TestSite(37.90, 139.02, 5, 32011), 3));
    }
    static void TearDownTestSuite() {
        delete pacific;
        delete japanSea;
    }
    static Years* pacific;
    static Years* japanSea;
};
Years* WeatherModel::pacific = nullptr;
Years* WeatherModel::japanSea = nullptr;

double MonthGlobal(const HourlyYear& y, int month) {
    double sum = 0.0;
    int first = 0;
    for (int m = 1; m < month; ++m) {
        first += kDaysPerMonth[m - 1];
    }
    for (int d = first; d < first + kDaysPerMonth[month - 1]; ++d) {
        for (int h = 0; h < 24; ++h) {
            const int v = y.values[d][0][h];
            sum += v < kMissingValue ? v : 0;
        }
    }
    return sum / 100.0;
}

TEST_F(WeatherModel, ComponentsAndSunshineAgreeHourByHour) {
    for (const Years* years : {pacific, japanSea}) {
        for (const auto& y : years->v) {
            for (int d = 0; d < kDays; ++d) {
                for (int h = 0; h < 24; ++h) {
                    const int g = y->values[d][0][h], b = y->values[d][1][h],
                              df = y->values[d][2][h];
                    const int sun = y->values[d][3][h];
                    if (g == kMissingValue) {
                        EXPECT_EQ(b, kMissingValue);
                        continue;
                    }
                    EXPECT_EQ(g, b + df);
                    EXPECT_GE(b, 0);
                    EXPECT_GE(df, 0);
                    if (sun != kMissingValue) {
                        EXPECT_LE(sun, 10);
                        EXPECT_TRUE(sun == 0 || b > 0) << "sunshine without direct light";
                    }
                    // Nothing before sunrise or after sunset.
                    if (h + 1 <= y->sunrise[d] || h >= y->sunset[d]) {
                        EXPECT_EQ(g, 0);
                    }
                    EXPECT_GE(y->values[d][8][h], 0);
                    const int dir = y->values[d][5][h];
                    EXPECT_TRUE(dir >= 0 && dir <= 16);
                    EXPECT_EQ(dir == 0, y->values[d][6][h] < 3);
                }
            }
        }
    }
}

TEST_F(WeatherModel, SunnyYearIsSunnierInEveryMonth) {
    for (const Years* years : {pacific, japanSea}) {
        for (int m = 1; m <= 12; ++m) {
            const double mean = MonthGlobal(*years->v[0], m);
            EXPECT_GT(MonthGlobal(*years->v[1], m), mean) << "month " << m;
            EXPECT_LT(MonthGlobal(*years->v[2], m), mean) << "month " << m;
        }
    }
}

TEST_F(WeatherModel, JapanSeaWinterIsCloudierAndSnowierThanThePacificSide) {
    const double pacificJanuary = MonthGlobal(*pacific->v[0], 1);
    const double seaJanuary = MonthGlobal(*japanSea->v[0], 1);
    EXPECT_GT(pacificJanuary, 1.3 * seaJanuary);
    double annual = 0.0;
    for (int m = 1; m <= 12; ++m) {
        annual += MonthGlobal(*pacific->v[0], m);
    }
    EXPECT_GT(annual, 4400.0);
    EXPECT_LT(annual, 5500.0);
}

TEST_F(WeatherModel, SameSeedSameYear) {
    const Years again = Simulate(TestSite(35.69, 139.69, 25, 27011), 3);
    EXPECT_EQ(std::memcmp(again.v[0]->values, pacific->v[0]->values, sizeof(HourlyYear::values)),
              0);
    const Years other = Simulate(TestSite(35.69, 139.69, 25, 27011), 4);
    EXPECT_NE(std::memcmp(other.v[0]->values, pacific->v[0]->values, sizeof(HourlyYear::values)),
              0);
}

TEST_F(WeatherModel, HourlyFileReadsBackWithTheProgramsParser) {
    const Site site = TestSite(35.69, 139.69, 25, 27011);
    const std::string text = EncodeHourlyFile(site, YearVariant::Average, *pacific->v[0]);
    test::TempDir dir;
    const std::string path = dir.Write("mea27011.txt", text);
    auto set = std::make_unique<HourlyDataSet>();
    set->Clear();
    ASSERT_EQ(ParseHourlyFile(*set, path), LoadStatus::Ok);
    EXPECT_NE(set->HeaderUtf8().find("27011"), std::string::npos);
    const HourlyYear& y = *pacific->v[0];
    for (int d = 1; d <= kDays; ++d) {
        int dailyGlobal = 0;
        for (int e = 1; e <= kElements; ++e) {
            bool missing = false;
            for (int h = 1; h <= 24; ++h) {
                const int v = y.values[d - 1][e - 1][h - 1];
                missing |= v == kMissingValue;
                ASSERT_EQ(set->rawHourlyValues[d - 1][h - 1][e - 1], v);
                ASSERT_EQ(set->Flag(d, h, e), v == kMissingValue ? 1 : 0);
                if (e == 1 && v != kMissingValue) {
                    dailyGlobal += v;
                }
            }
            // Daily totals in summary 3; missing days are 8888 throughout.
            if (missing) {
                EXPECT_EQ(set->RawSummary(d, 3, e), 8888);
            } else if (e == 1 || e == 4 || e == 8) {
                int sum = 0;
                for (int h = 1; h <= 24; ++h) {
                    sum += set->Hourly(d, h, e);
                }
                EXPECT_EQ(set->Summary(d, 3, e), sum);
            }
        }
        EXPECT_EQ(set->dailyIrradiation[d - 1], dailyGlobal);
        EXPECT_NEAR(set->DailyReal(d, 1), dailyGlobal / 100.0, 0.051);
    }
    // Every line has the fixed width and CR LF.
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        ASSERT_EQ(line.size(), 156u);
        ASSERT_EQ(line.back(), '\r');
    }
}

TEST_F(WeatherModel, MonthlyFileReadsBackAndHasAPlausibleOptimumTilt) {
    const Site site = TestSite(35.69, 139.69, 25, 27011);
    MonthlySummary summary;
    const std::string text =
        EncodeMonthlyFile(site, *pacific->v[0], *pacific->v[1], *pacific->v[2], &summary);
    test::TempDir dir;
    dir.Write("m27011", text);
    MonthlyRecord record;
    CollectingReporter reporter;
    ASSERT_EQ(LoadMonthlyData(dir.str(), 27011, record, reporter), LoadStatus::Ok);
    EXPECT_TRUE(reporter.messages.empty());
    // The header columns the monthly viewer reads.
    EXPECT_EQ(ColumnInt(record.header, 26, 2), 35);
    EXPECT_NEAR(ColumnDouble(record.header, 29, 4), 41.4, 0.05);
    EXPECT_EQ(ColumnInt(record.header, 35, 3), 139);
    EXPECT_NEAR(ColumnDouble(record.header, 39, 4), 41.4, 0.05);
    EXPECT_EQ(ColumnInt(record.header, 44, 4), 25);

    const int annualTilt = record.optimumTable[0][12];
    EXPECT_GE(annualTilt, 2500); // stored x 100: near the latitude minus a few degrees
    EXPECT_LE(annualTilt, 3800);
    EXPECT_GT(record.optimumTable[0][0], record.optimumTable[0][6]); // January steeper than July
    for (int k = 0; k < 17; ++k) {
        // The year-to-year extremes bracket the mean; each month's own optimum beats
        // the year's.
        EXPECT_GE(record.variation[1][k], record.variation[0][k]);
        EXPECT_LE(record.variation[2][k], record.variation[0][k]);
        EXPECT_GE(record.optimumTable[1][k] + 1, record.optimumTable[2][k]);
    }
    // Over the year the optimum tilt beats the horizontal by some ten per cent.
    EXPECT_GT(record.optimumTable[2][12], record.variation[0][12] * 105 / 100);
    EXPECT_GT(record.optimumTable[4][12], 105);
    // A plane facing south at 30 degrees gets more over the year than one facing north.
    EXPECT_GT(record.planeValues[0][3][12], record.planeValues[12][3][12]);
    EXPECT_EQ(record.planeValues[0][0][12], record.variation[0][12]);
    EXPECT_NEAR(summary.global[0] * 100, record.variation[0][12], 1.0);
}

} // namespace
} // namespace quorvane::datakit

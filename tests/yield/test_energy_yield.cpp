#include "data/monthly_file.h"
#include "monthly/monthly_lookup.h"
#include "solar/calendar.h"
#include "yield/energy_yield.h"
#include "yield/yield_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>

using namespace quorvane;

namespace {

const SitePosition kTokyo{true, 139.69, 35.69, 25.0};

void SetHourly(HourlyDataSet& set, int day, int hour, int element, int value) {
    set.rawHourlyValues[day - 1][hour - 1][element - 1] = value;
    const bool wind = element == kElementWindDirection || element == kElementWindSpeed;
    set.hourlyValues[day - 1][hour - 1][element - 1] = (!wind && value >= 9999) ? 0 : value;
}

// A standard year with a day's course of irradiation and weather that varies from
// day to day, sunrise at 6 and sunset at 18, snow in the first days of January.
std::unique_ptr<HourlyDataSet> SampleYear() {
    auto set = std::make_unique<HourlyDataSet>();
    set->Clear();
    for (int day = 1; day <= kHourlyDays; ++day) {
        set->sunrise[day - 1] = 6.0;
        set->sunset[day - 1] = 18.0;
        const int season = 60 + (day * 7) % 80;
        for (int hour = 1; hour <= kHoursPerDay; ++hour) {
            const int fromNoon = std::abs(hour - 12);
            const int global =
                hour > 6 && hour <= 18 ? std::max(0, season * (7 - fromNoon) / 3) : 0;
            const int direct = global * ((day + hour) % 5) / 8;
            SetHourly(*set, day, hour, kElementGlobal, global);
            SetHourly(*set, day, hour, kElementDirect, direct);
            SetHourly(*set, day, hour, kElementDiffuse, global - direct);
            SetHourly(*set, day, hour, kElementTemperature, -30 + (day * 3 + hour * 11) % 350);
            SetHourly(*set, day, hour, kElementWindSpeed, (day + hour * 5) % 70);
            SetHourly(*set, day, hour, kElementSnowDepth, day < 6 ? 12 : 0);
        }
    }
    return set;
}

// The hour's weather as the method reads it, gaps filled by a second reading of the
// rule: the day's valid hours, else the month's, else the fallback.
double FilledWeather(const HourlyDataSet& set, int day, int hour, int element, double fallback) {
    auto valid = [&](int d, int h) {
        return set.rawHourlyValues[d - 1][h - 1][element - 1] < 9999;
    };
    auto value = [&](int d, int h) {
        return set.rawHourlyValues[d - 1][h - 1][element - 1] / 10.0;
    };
    if (valid(day, hour)) {
        return value(day, hour);
    }
    double sum = 0.0;
    int count = 0;
    for (int h = 1; h <= 24; ++h) {
        if (valid(day, h)) {
            sum += value(day, h);
            ++count;
        }
    }
    if (count > 0) {
        return sum / count;
    }
    const int month = MonthDayOfYear(day).month;
    for (int d = 1; d <= kHourlyDays; ++d) {
        for (int h = 1; h <= 24 && MonthDayOfYear(d).month == month; ++h) {
            if (valid(d, h)) {
                sum += value(d, h);
                ++count;
            }
        }
    }
    return count > 0 ? sum / count : fallback;
}

// The hourly method written out on its own: the viewer's slope model, Faiman and
// PVWatts.
YieldResult OracleHourly(const HourlyDataSet& set, int tilt, int azimuth, const HourlyArray& a) {
    YieldResult expected;
    for (int day = 1; day <= kHourlyDays; ++day) {
        const auto m = static_cast<std::size_t>(MonthDayOfYear(day).month - 1);
        for (int hour = 1; hour <= 24; ++hour) {
            const double h =
                SlopeIrradiance(HorizontalHourOf(set, day, hour), kTokyo.Location(), tilt, azimuth);
            const double g = h * 1e6 / 3600.0;
            const double ta = FilledWeather(set, day, hour, kElementTemperature, 20.0);
            const double ws = FilledWeather(set, day, hour, kElementWindSpeed, 1.0);
            const double tc = ta + g / (a.u0 + a.u1 * ws);
            const double pdc =
                a.ratingKw * g / 1000.0 * (1.0 + a.gammaPctPerK / 100.0 * (tc - 25.0));
            double pac = pdc * (1.0 - a.lossesPct / 100.0) * a.inverterPct / 100.0;
            pac = std::min(std::max(pac, 0.0), a.ratingKw / a.dcAcRatio);
            expected.monthlyKwh[m] += pac;
            expected.monthlyPoaKwhM2[m] += g / 1000.0;
        }
    }
    for (std::size_t m = 0; m < 12; ++m) {
        expected.annualKwh += expected.monthlyKwh[m];
        expected.poaKwhM2 += expected.monthlyPoaKwhM2[m];
    }
    expected.specificYield = expected.annualKwh / a.ratingKw;
    expected.performanceRatio = expected.annualKwh / (expected.poaKwhM2 * a.ratingKw);
    return expected;
}

void ExpectSameResult(const YieldResult& actual, const YieldResult& expected) {
    auto near = [](double a, double b) {
        return std::abs(a - b) <= 1e-12 * std::max(1.0, std::abs(b));
    };
    for (std::size_t m = 0; m < 12; ++m) {
        EXPECT_PRED2(near, actual.monthlyKwh[m], expected.monthlyKwh[m]) << "month " << m + 1;
        EXPECT_PRED2(near, actual.monthlyPoaKwhM2[m], expected.monthlyPoaKwhM2[m])
            << "month " << m + 1;
    }
    EXPECT_PRED2(near, actual.annualKwh, expected.annualKwh);
    EXPECT_PRED2(near, actual.poaKwhM2, expected.poaKwhM2);
    EXPECT_PRED2(near, actual.specificYield, expected.specificYield);
    EXPECT_PRED2(near, actual.performanceRatio, expected.performanceRatio);
}

} // namespace

TEST(HourlyYield, EqualsTheFormulasWrittenOutOnEveryPlaneAndArray) {
    const auto set = SampleYear();
    const YieldYear year = PrepareYieldYear(*set, kTokyo);
    ASSERT_EQ(year.hours.size(), 365u * 12u) << "the lit hours";
    HourlyArray clipped;
    clipped.dcAcRatio = 1.6; // the inverter limits the brightest hours
    HourlyArray warm;
    warm.gammaPctPerK = -0.5;
    warm.u0 = 20.0;
    warm.u1 = 0.0;
    warm.lossesPct = 0.0;
    warm.inverterPct = 100.0;
    warm.ratingKw = 12.5;
    for (const auto& [tilt, azimuth] :
         {std::pair{30, 0}, {0, 0}, {90, -90}, {45, 135}, {17, 200}}) {
        SCOPED_TRACE(testing::Message() << "tilt " << tilt << " azimuth " << azimuth);
        ExpectSameResult(HourlyYield(year, tilt, azimuth, HourlyArray{}),
                         OracleHourly(*set, tilt, azimuth, HourlyArray{}));
        ExpectSameResult(HourlyYield(year, tilt, azimuth, clipped),
                         OracleHourly(*set, tilt, azimuth, clipped));
        ExpectSameResult(HourlyYield(year, tilt, azimuth, warm),
                         OracleHourly(*set, tilt, azimuth, warm));
    }
}

TEST(HourlyYield, TheInverterClipsTheBrightestHours) {
    const auto set = SampleYear();
    const YieldYear year = PrepareYieldYear(*set, kTokyo);
    HourlyArray unlimited;
    unlimited.dcAcRatio = 0.01;
    HourlyArray clipped;
    clipped.dcAcRatio = 1.6;
    EXPECT_LT(HourlyYield(year, 30, 0, clipped).annualKwh,
              HourlyYield(year, 30, 0, unlimited).annualKwh);
}

TEST(HourlyYield, MissingWeatherTakesTheDaysMeanThenTheMonthsThenTheFallback) {
    auto set = SampleYear();
    for (int hour = 7; hour <= 11; ++hour) {
        SetHourly(*set, 10, hour, kElementTemperature, 9999); // a few hours of 10 January
    }
    for (int hour = 1; hour <= 24; ++hour) {
        SetHourly(*set, 20, hour, kElementTemperature, 9999); // all of 20 January
    }
    for (int day = DayOfYear(3, 1); day <= DayOfYear(3, 31); ++day) {
        for (int hour = 1; hour <= 24; ++hour) {
            SetHourly(*set, day, hour, kElementWindSpeed, 9999);         // all of March
            SetHourly(*set, day + 30, hour, kElementTemperature, 10000); // April onwards
        }
    }
    const YieldYear year = PrepareYieldYear(*set, kTokyo);
    auto at = [&](int day, int hour) -> const YieldHour& {
        for (const YieldHour& lit : year.hours) {
            if (lit.day == day && lit.hour == hour) {
                return lit;
            }
        }
        ADD_FAILURE() << "no lit hour " << hour << " on day " << day;
        return year.hours.front();
    };
    double day10 = 0.0;
    for (int hour = 1; hour <= 24; ++hour) {
        if (hour < 7 || hour > 11) {
            day10 += set->rawHourlyValues[9][hour - 1][kElementTemperature - 1] / 10.0;
        }
    }
    EXPECT_DOUBLE_EQ(at(10, 9).airTemperatureC, day10 / 19);
    EXPECT_DOUBLE_EQ(at(10, 12).airTemperatureC, set->rawHourlyValues[9][11][4] / 10.0);
    EXPECT_DOUBLE_EQ(at(20, 12).airTemperatureC,
                     FilledWeather(*set, 20, 12, kElementTemperature, 20.0));
    EXPECT_NE(at(20, 12).airTemperatureC, 20.0);
    EXPECT_EQ(at(DayOfYear(3, 15), 12).windSpeedMs, 1.0);
    // 31 March .. 30 April lose their temperature: April falls back to 20 degC.
    EXPECT_EQ(at(DayOfYear(4, 20), 12).airTemperatureC, 20.0);
    EXPECT_EQ(at(DayOfYear(4, 20), 12).monthIndex, 3);
}

TEST(HourlyYield, NoIrradiationGivesZeroRatherThanNaN) {
    auto set = std::make_unique<HourlyDataSet>();
    set->Clear();
    const YieldResult result = HourlyYield(PrepareYieldYear(*set, kTokyo), 30, 0, HourlyArray{});
    EXPECT_EQ(result.annualKwh, 0.0);
    EXPECT_EQ(result.performanceRatio, 0.0);
}

TEST(PvModel, FaimanAndPvWattsAtTheirReferencePoints) {
    EXPECT_DOUBLE_EQ(FaimanCellTemperatureC(0.0, 12.5, 3.0, 25.0, 6.84), 12.5);
    EXPECT_DOUBLE_EQ(FaimanCellTemperatureC(800.0, 20.0, 0.0, 25.0, 6.84), 52.0);
    HourlyArray ideal;
    ideal.lossesPct = 0.0;
    ideal.inverterPct = 100.0;
    ideal.dcAcRatio = 0.5;
    EXPECT_DOUBLE_EQ(HourlyAcPowerKw(ideal, 1000.0, 25.0), 4.0); // the rating at STC
    EXPECT_DOUBLE_EQ(HourlyAcPowerKw(ideal, 500.0, 35.0), 2.0 * (1.0 - 0.04));
    EXPECT_EQ(HourlyAcPowerKw(ideal, -20.0, 25.0), 0.0);
    EXPECT_DOUBLE_EQ(HourlyAcPowerKw(HourlyArray{}, 2000.0, 25.0), 4.0 / 1.1);
}

TEST(PvModel, ParametersOutsideTheirRangesAreNamed) {
    EXPECT_FALSE(HourlyArrayProblem(HourlyArray{}));
    EXPECT_FALSE(MonthlyArrayProblem(MonthlyArray{}));
    auto hourly = [](auto change) {
        HourlyArray a;
        change(a);
        return HourlyArrayProblem(a).has_value();
    };
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.ratingKw = 0.0; }));
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.ratingKw = -1.0; }));
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.ratingKw = std::nan(""); }));
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.ratingKw = INFINITY; }));
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.lossesPct = 100.5; }));
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.lossesPct = -1.0; }));
    EXPECT_FALSE(hourly([](HourlyArray& a) { a.lossesPct = 100.0; }));
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.inverterPct = 0.0; }));
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.dcAcRatio = 0.0; }));
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.u0 = 0.0; }));
    EXPECT_TRUE(hourly([](HourlyArray& a) { a.gammaPctPerK = std::nan(""); }));
    MonthlyArray monthly;
    monthly.kPm = 1.2;
    EXPECT_TRUE(MonthlyArrayProblem(monthly));
    monthly.kPm = 0.94;
    monthly.alphaPctPerK = INFINITY;
    EXPECT_TRUE(MonthlyArrayProblem(monthly));
}

TEST(PvModel, MountingsByNameAndTheirTemperatureRise) {
    EXPECT_EQ(MountingNamed("rack"), Mounting::Rack);
    EXPECT_EQ(MountingNamed("roof"), Mounting::Roof);
    EXPECT_EQ(MountingNamed("integrated"), Mounting::Integrated);
    EXPECT_FALSE(MountingNamed("Rack"));
    EXPECT_EQ(MountingTemperatureRiseK(Mounting::Rack), 18.4);
    EXPECT_EQ(MountingTemperatureRiseK(Mounting::Roof), 21.5);
    EXPECT_EQ(MountingTemperatureRiseK(Mounting::Integrated), 28.0);
}

namespace {

// A record whose planes and temperatures differ everywhere.
std::unique_ptr<MonthlyRecord> SampleRecord() {
    auto record = std::make_unique<MonthlyRecord>();
    for (int c = 0; c < kMonthlyAzimuthCount; ++c) {
        for (int d = 0; d < kMonthlyTiltCount; ++d) {
            for (int m = 0; m < kMonthlyColumnCount; ++m) {
                record->planeValues[c][d][m] = 150 + c * 13 + d * 7 + m * 29;
            }
        }
    }
    for (int m = 0; m < kMonthlyColumnCount; ++m) {
        record->optimumTable[static_cast<int>(DerivedRow::MeanAirTemperature)][m] = -350 + m * 271;
    }
    return record;
}

} // namespace

TEST(MonthlyYield, EqualsTheDesignFactorFormulaOnTheNearestStoredPlane) {
    const auto record = SampleRecord();
    MonthlyArray array;
    array.ratingKw = 5.5;
    array.mounting = Mounting::Roof;
    // 34 degrees and 350 (10 east of south) read the plane of 30 degrees, 15 east.
    const YieldResult result = MonthlyYield(*record, 34, 350, array);
    YieldResult expected;
    for (int m = 0; m < 12; ++m) {
        const double h = record->planeValues[1][3][m] / 100.0;
        const double t = record->optimumTable[5][m] / 100.0;
        const double days = kDaysPerMonth[m];
        expected.monthlyKwh[m] = 5.5 * h * days * 0.97 * 0.95 * 0.97 * 0.94 * 0.90 *
                                 (1.0 + -0.40 / 100.0 * (t + 21.5 - 25.0));
        expected.monthlyPoaKwhM2[m] = h * days;
        expected.annualKwh += expected.monthlyKwh[m];
        expected.poaKwhM2 += expected.monthlyPoaKwhM2[m];
    }
    expected.specificYield = expected.annualKwh / 5.5;
    expected.performanceRatio = expected.annualKwh / (expected.poaKwhM2 * 5.5);
    ExpectSameResult(result, expected);
}

TEST(MonthlyYield, SnapsAsTheMonthlyViewerDoes) {
    EXPECT_EQ(SnapToMonthlyPlane(34, 350), (MonthlyPlane{30, -15}));
    EXPECT_EQ(SnapToMonthlyPlane(35, 0), (MonthlyPlane{40, 0}));
    EXPECT_EQ(SnapToMonthlyPlane(90, 180), (MonthlyPlane{90, 180}));
    EXPECT_EQ(SnapToMonthlyPlane(0, 270), (MonthlyPlane{0, -90}));
    EXPECT_EQ(SnapToMonthlyPlane(4, -7), (MonthlyPlane{0, -0}));
    EXPECT_EQ(SnapToMonthlyPlane(45, 52), (MonthlyPlane{50, 45}));
    const auto record = SampleRecord();
    EXPECT_EQ(MonthlyYield(*record, 45, 52, MonthlyArray{}),
              MonthlyYield(*record, 50, -45, MonthlyArray{}));
}

TEST(OrientationScan, CoversTheGridAndFindsItsLargest) {
    const auto set = SampleYear();
    const YieldYear year = PrepareYieldYear(*set, kTokyo);
    WorkProgress progress;
    const OrientationScan scan = ScanOrientations(year, HourlyArray{}, progress, 2);
    ASSERT_TRUE(scan.complete);
    ASSERT_EQ(scan.grid.size(), 91u * 37u);
    EXPECT_EQ(progress.done, 91);
    EXPECT_EQ(scan.grid.front().azimuthDeg, -90);
    EXPECT_EQ(scan.grid[37 * 20 + 18],
              (OrientationYield{20, 0, HourlyYield(year, 20, 0, HourlyArray{}).annualKwh}));
    for (const OrientationYield& at : scan.grid) {
        EXPECT_LE(at.annualKwh, scan.best.annualKwh);
    }
    EXPECT_EQ(scan.best.annualKwh,
              HourlyYield(year, scan.best.tiltDeg, scan.best.azimuthDeg, HourlyArray{}).annualKwh);
}

TEST(OrientationScan, ACancelledScanSaysSoAndNamesNoBest) {
    const auto set = SampleYear();
    WorkProgress progress;
    progress.cancelled = true;
    const OrientationScan scan =
        ScanOrientations(PrepareYieldYear(*set, kTokyo), HourlyArray{}, progress, 2);
    EXPECT_FALSE(scan.complete);
    EXPECT_EQ(progress.done, 0);
    EXPECT_EQ(scan.best, OrientationYield{});
}

TEST(YieldReport, JsonHoldsEveryDigitAndCsvAddsUp) {
    YieldResult result;
    for (std::size_t m = 0; m < 12; ++m) {
        result.monthlyKwh[m] = 100.0 / 3.0 + static_cast<double>(m);
        result.monthlyPoaKwhM2[m] = 0.1 * static_cast<double>(m + 1);
        result.annualKwh += result.monthlyKwh[m];
        result.poaKwhM2 += result.monthlyPoaKwhM2[m];
    }
    result.specificYield = result.annualKwh / 3.0;
    result.performanceRatio = 0.8123456789012345;
    const std::string hourly =
        YieldJson({47401, YieldMethod::Hourly, YearVariant::LowSunshine, 30, -15, 3.0}, result);
    EXPECT_EQ(hourly.rfind("{\"site\": 47401, \"method\": \"hourly\", \"variant\": 2, \"tilt\": "
                           "30, \"azimuth\": -15, \"kw\": 3, \"monthly_kwh\": [",
                           0),
              0u)
        << hourly;
    const std::size_t at = hourly.find("\"performance_ratio\": ") + 21;
    EXPECT_EQ(std::strtod(hourly.c_str() + at, nullptr), result.performanceRatio);
    const std::size_t first = hourly.find('[') + 1;
    EXPECT_EQ(std::strtod(hourly.c_str() + first, nullptr), result.monthlyKwh[0]);
    const std::string monthly =
        YieldJson({47401, YieldMethod::Monthly, YearVariant::LowSunshine, 30, 0, 3.0}, result);
    EXPECT_EQ(monthly.find("variant"), std::string::npos);

    const std::string csv = YieldCsv(result);
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF月,", 0), 0u);
    std::istringstream lines(csv.substr(3));
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        rows.push_back(line.substr(0, line.size() - 1));
    }
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(rows[1].rfind("1月,", 0), 0u);
    EXPECT_EQ(rows[13].rfind("年間," + ExactDecimal(result.annualKwh) + ",", 0), 0u);
    EXPECT_EQ(std::strtod(ExactDecimal(result.monthlyKwh[0]).c_str(), nullptr),
              result.monthlyKwh[0]);
    EXPECT_EQ(ExactDecimal(0.1), "0.1");
}

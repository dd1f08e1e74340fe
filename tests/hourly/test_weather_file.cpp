// The standard year as EPW, SAM CSV and TMY3 files, read back by small readers of
// each layout written here (not the writer's code) and compared with the data.
#include "hourly/weather_file.h"

#include "data/text_codec.h"
#include "file_size_limit.h"
#include "hourly_sample.h"
#include "solar/sun_position.h"
#include "temp_dir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace quorvane {
namespace {

constexpr double kWhPerStored = 0.01 * 1e6 / 3600.0; // 0.01 MJ/m2 in Wh/m2

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == ',') {
        fields.emplace_back();
    }
    return fields;
}

// The file's lines, each checked to end in CR LF.
std::vector<std::vector<std::string>> Records(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "CR LF line ends";
        if (end == std::string::npos) {
            break;
        }
        records.push_back(Split(text.substr(at, end - at)));
        at = end + 2;
    }
    return records;
}

double Num(const std::string& field) {
    return std::stod(field);
}

class WeatherFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.Write("map/zahyo/sunrise_sunset/47412", test::MakeSampleSunriseFile());
        hourly.Write("平均年/mea47412.txt",
                     test::MakeSampleHourlyFile(Utf8ToCp932("旭川  平均年   HORIX"), "\r\n", 5));
        CollectingReporter reporter;
        ASSERT_EQ(
            LoadHourlyData(*set, YearVariant::Average, 47412, hourly.str(), data.str(), reporter),
            LoadStatus::Ok);
        site.siteNumber = 47412;
        site.latitudeDeg = 43.77;
        site.longitudeDeg = 142.37;
        site.elevationM = 120;
    }
    double CosZenith(int day, int hour) const {
        return SunPositionAt(day, hour, site.latitudeDeg, site.longitudeDeg, set->sunrise[day - 1],
                             set->sunset[day - 1])
            .cosZenith;
    }
    // A clear-sky-like year: the direct part follows the sun, so that direct normal
    // stays below its cap.
    void MakeDirectFollowTheSun() {
        for (int day = 1; day <= kHourlyDays; ++day) {
            for (int hour = 1; hour <= kHoursPerDay; ++hour) {
                int* v = set->hourlyValues[day - 1][hour - 1];
                const double c = std::max(0.0, CosZenith(day, hour));
                v[kElementDirect - 1] = static_cast<int>(800.0 * c * c / kWhPerStored);
                v[kElementGlobal - 1] = v[kElementDirect - 1] + v[kElementDiffuse - 1];
            }
        }
    }
    int Stored(int dayIndex, int element) const {
        return set->hourlyValues[dayIndex / 24][dayIndex % 24][element - 1];
    }

    test::TempDir data, hourly;
    std::unique_ptr<HourlyDataSet> set = std::make_unique<HourlyDataSet>();
    CAmedasPoint site;
};

TEST_F(WeatherFileTest, EpwHasItsHeaderAnd8760RecordsOf35Fields) {
    MakeDirectFollowTheSun();
    const auto records = Records(WeatherFileText(WeatherFormat::Epw, BuildWeatherYear(*set, site),
                                                 site, YearVariant::Average));
    ASSERT_EQ(records.size(), 8u + 8760u);
    EXPECT_EQ(records[0][0], "LOCATION");
    EXPECT_EQ(records[0][3], "JPN");
    EXPECT_EQ(records[0][4], "HORIX-11");
    EXPECT_DOUBLE_EQ(Num(records[0][6]), 43.77);
    EXPECT_DOUBLE_EQ(Num(records[0][7]), 142.37);
    EXPECT_DOUBLE_EQ(Num(records[0][8]), 9.0);
    EXPECT_EQ(records[4],
              (std::vector<std::string>{"HOLIDAYS/DAYLIGHT SAVINGS", "No", "0", "0", "0"}));
    EXPECT_EQ(records[7], (std::vector<std::string>{"DATA PERIODS", "1", "1", "Data", "Sunday",
                                                    "1/1", "12/31"}));
    double ghiSum = 0.0, storedSum = 0.0;
    for (int i = 0; i < 8760; ++i) {
        const auto& r = records[8 + static_cast<std::size_t>(i)];
        ASSERT_EQ(r.size(), 35u) << i;
        const int day = i / 24 + 1, hour = i % 24 + 1;
        EXPECT_EQ(Num(r[3]), hour);
        EXPECT_FALSE(r[1] == "2" && r[2] == "29") << "no leap day";
        EXPECT_EQ(Num(r[13]), std::round(Stored(i, kElementGlobal) * kWhPerStored)) << i;
        EXPECT_EQ(Num(r[15]), std::round(Stored(i, kElementDiffuse) * kWhPerStored)) << i;
        EXPECT_DOUBLE_EQ(Num(r[6]), Stored(i, kElementTemperature) / 10.0);
        EXPECT_EQ(r[7], "99.9") << "dew point is not in the database";
        EXPECT_EQ(r[8], "999") << "nor the humidity";
        const double cosZenith = CosZenith(day, hour);
        if (cosZenith > std::sin(5.0 * 3.14159265 / 180.0)) {
            EXPECT_NEAR(Num(r[14]) * cosZenith, Stored(i, kElementDirect) * kWhPerStored, 1.0)
                << "day " << day << " hour " << hour;
        }
        ghiSum += Num(r[13]);
        storedSum += Stored(i, kElementGlobal) * kWhPerStored;
    }
    EXPECT_NEAR(ghiSum, storedSum, storedSum * 0.001);
}

TEST_F(WeatherFileTest, DirectNormalIsCappedAndZeroWithTheSunLow) {
    // The sample's direct part ignores the sun: near sunrise it would give absurd
    // normal values.
    const std::vector<WeatherHour> hours = BuildWeatherYear(*set, site);
    int lowSunWithDirect = 0;
    for (std::size_t i = 0; i < hours.size(); ++i) {
        const int day = static_cast<int>(i) / 24 + 1, hour = static_cast<int>(i) % 24 + 1;
        EXPECT_LE(hours[i].dni, hours[i].extraterrestrialNormal + 1e-9);
        if (CosZenith(day, hour) < std::sin(2.0 * 3.14159265 / 180.0)) {
            EXPECT_EQ(hours[i].dni, 0.0) << "day " << day << " hour " << hour;
            lowSunWithDirect += Stored(static_cast<int>(i), kElementDirect) > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(lowSunWithDirect, 0) << "the sample does hold direct light with the sun low";
}

TEST_F(WeatherFileTest, MissingValuesGetEachFormatsCode) {
    // Hour 12 of 2 January: the file said 9999 for global, diffuse and temperature.
    for (int element : {kElementGlobal, kElementDiffuse, kElementTemperature}) {
        set->rawHourlyValues[1][11][element - 1] = 9999;
        set->hourlyValues[1][11][element - 1] = 0;
    }
    const std::vector<WeatherHour> hours = BuildWeatherYear(*set, site);
    const std::size_t row = 24 + 11;
    const auto epw =
        Records(WeatherFileText(WeatherFormat::Epw, hours, site, YearVariant::Average));
    EXPECT_EQ(epw[8 + row][6], "99.9");
    EXPECT_EQ(epw[8 + row][13], "9999");
    EXPECT_EQ(epw[8 + row][15], "9999");
    const auto tmy =
        Records(WeatherFileText(WeatherFormat::Tmy3, hours, site, YearVariant::Average));
    ASSERT_EQ(epw[8 + row].size(), 35u);
    ASSERT_EQ(tmy[2 + row].size(), 68u) << "missing values keep every column";
    EXPECT_EQ(tmy[2 + row][4], "-9900");
    EXPECT_EQ(tmy[2 + row][5], "?");
    EXPECT_EQ(tmy[2 + row][31], "-9900") << "dry bulb";
    EXPECT_NE(tmy[2 + row - 1][4], "-9900") << "the hour before is there";
}

TEST_F(WeatherFileTest, SamCsvHasTheSiteHeaderAndHoursFrom0To23) {
    const auto records = Records(WeatherFileText(WeatherFormat::Sam, BuildWeatherYear(*set, site),
                                                 site, YearVariant::HighSunshine));
    ASSERT_EQ(records.size(), 3u + 8760u);
    EXPECT_EQ(records[0][0], "Source");
    EXPECT_EQ(records[0][7], "Time Zone");
    EXPECT_EQ(records[1][0], "HORIX-11");
    EXPECT_DOUBLE_EQ(Num(records[1][7]), 9.0);
    EXPECT_EQ(records[2],
              (std::vector<std::string>{"Year", "Month", "Day", "Hour", "Minute", "GHI", "DNI",
                                        "DHI", "Tdry", "Wspd", "Wdir", "Pres", "Snow"}));
    for (int i = 0; i < 8760; ++i) {
        const auto& r = records[3 + static_cast<std::size_t>(i)];
        ASSERT_EQ(r.size(), 13u);
        EXPECT_EQ(Num(r[3]), i % 24);
        EXPECT_EQ(Num(r[5]), std::round(Stored(i, kElementGlobal) * kWhPerStored));
        const int code = Stored(i, kElementWindDirection);
        EXPECT_DOUBLE_EQ(Num(r[10]), code == 0 ? 0.0 : code * 22.5);
        if (code == 0) {
            EXPECT_EQ(Num(r[9]), 0.0) << "calm";
        }
    }
    EXPECT_NEAR(Num(records[3][11]), 1013.25 * std::pow(1 - 2.25577e-5 * 120, 5.25588), 0.05);
}

TEST_F(WeatherFileTest, Tmy3Has68ColumnsAndHoursUpTo2400) {
    const auto records = Records(WeatherFileText(WeatherFormat::Tmy3, BuildWeatherYear(*set, site),
                                                 site, YearVariant::LowSunshine));
    ASSERT_EQ(records.size(), 2u + 8760u);
    EXPECT_EQ(records[0][0], "47412");
    EXPECT_EQ(records[0][2], "JP");
    EXPECT_DOUBLE_EQ(Num(records[0][3]), 9.0);
    ASSERT_EQ(records[1].size(), 68u);
    EXPECT_EQ(records[1][0], "Date (MM/DD/YYYY)");
    EXPECT_EQ(records[1][4], "GHI (W/m^2)");
    EXPECT_EQ(records[1][31], "Dry-bulb (C)");
    EXPECT_EQ(records[1][64], "Lprecip depth (mm)");
    for (int i = 0; i < 8760; ++i) {
        ASSERT_EQ(records[2 + static_cast<std::size_t>(i)].size(), 68u) << i;
    }
    EXPECT_EQ(records[2][0], "01/01/2006");
    EXPECT_EQ(records[2][1], "01:00");
    EXPECT_EQ(records[2 + 23][1], "24:00");
    EXPECT_EQ(records.back()[0], "12/31/2006");
}

TEST(WeatherFileNames, NameTheSiteVariantAndFormat) {
    EXPECT_EQ(DefaultWeatherFileName(WeatherFormat::Epw, 44132, YearVariant::Average),
              "44132_mea.epw");
    EXPECT_EQ(DefaultWeatherFileName(WeatherFormat::Sam, 4412, YearVariant::HighSunshine),
              "04412_max_sam.csv");
    EXPECT_EQ(DefaultWeatherFileName(WeatherFormat::Tmy3, 44132, YearVariant::LowSunshine),
              "44132_min_tmy3.csv");
}

// A file-size limit makes the write fail midway, as a full disk would.
TEST_F(WeatherFileTest, AFailedWriteKeepsTheOldFile) {
    test::TempDir out;
    const std::string path = out.Write("old.epw", "the user's file\r\n");
    const std::vector<WeatherHour> hours = BuildWeatherYear(*set, site);
    const WriteStatus status = test::WithFileSizeLimit(64 * 1024, [&] {
        return WriteWeatherFile(path, WeatherFormat::Epw, hours, site, YearVariant::Average);
    });
    EXPECT_EQ(status, WriteStatus::WriteFailed);
    EXPECT_EQ(test::ReadFileBytes(path), "the user's file\r\n");
}

} // namespace
} // namespace quorvane

#include "data/hourly_file.h"

#include "../hourly/hourly_sample.h"
#include "data/text_codec.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <memory>

namespace quorvane {
namespace {

using test::FormatHourlyLine;
using test::SampleLine;
using test::TempDir;

const std::string kHeaderUtf8 = "地点 札幌 平均年";

SampleLine Line(int element, int month, int day) {
    SampleLine line;
    line.element = element;
    line.month = month;
    line.day = day;
    for (int h = 0; h < 24; ++h) {
        line.values[h] = 10 * element + h;
        line.flags[h] = h % 10;
    }
    line.summaries[0] = 100 + element;
    line.summaries[1] = 200 + element;
    line.summaries[2] = 300 + element;
    line.summaries[3] = 400 + element;
    line.realValue = 1.5 * element;
    return line;
}

std::string FileOf(std::initializer_list<SampleLine> lines, std::string_view lineEnd = "\r\n") {
    std::string file = Utf8ToCp932(kHeaderUtf8);
    file += lineEnd;
    for (const SampleLine& line : lines) {
        file += FormatHourlyLine(line);
        file += lineEnd;
    }
    return file;
}

class HourlyFileTest : public ::testing::Test {
protected:
    std::unique_ptr<HourlyDataSet> set = std::make_unique<HourlyDataSet>();
    TempDir dir;

    LoadStatus Parse(const std::string& bytes) {
        return ParseHourlyFile(*set, dir.Write("h.txt", bytes));
    }

    bool AllZero() const {
        for (int d = 1; d <= kHourlyDays; ++d) {
            for (int e = 1; e <= kHourlyElements; ++e) {
                if (set->DailyReal(d, e) != 0.0f) {
                    return false;
                }
                for (int h = 1; h <= kHoursPerDay; ++h) {
                    if (set->Hourly(d, h, e) != 0 || set->Flag(d, h, e) != 0 ||
                        set->rawHourlyValues[d - 1][h - 1][e - 1] != 0) {
                        return false;
                    }
                }
                for (int s = 1; s <= kDailySummaries; ++s) {
                    if (set->Summary(d, s, e) != 0 || set->RawSummary(d, s, e) != 0) {
                        return false;
                    }
                }
            }
            if (set->dailyIrradiation[d - 1] != 0 || set->dailySunshine[d - 1] != 0 ||
                set->sunrise[d - 1] != 0.0 || set->sunset[d - 1] != 0.0) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(HourlyFileTest, ReadsEveryFieldOfALineInCrLfAndLf) {
    for (std::string_view lineEnd : {"\r\n", "\n"}) {
        SCOPED_TRACE(lineEnd.size());
        SampleLine line = Line(5, 3, 4);
        line.values[0] = -35;
        ASSERT_EQ(Parse(FileOf({line}, lineEnd)), LoadStatus::Ok);
        EXPECT_EQ(set->header, Utf8ToCp932(kHeaderUtf8));
        EXPECT_EQ(set->HeaderUtf8(), kHeaderUtf8);
        int d = DayOfYear(3, 4);
        EXPECT_FLOAT_EQ(set->DailyReal(d, 5), 7.5f);
        EXPECT_EQ(set->Hourly(d, 1, 5), -35);
        EXPECT_EQ(set->Hourly(d, 24, 5), 73);
        EXPECT_EQ(set->Flag(d, 24, 5), 3);
        EXPECT_EQ(set->Flag(d, 12, 5), 1);
        EXPECT_EQ(set->Summary(d, 1, 5), 105);
        EXPECT_EQ(set->Summary(d, 4, 5), 405);
        EXPECT_EQ(set->RawSummary(d, 2, 5), 205);
        EXPECT_EQ(set->Hourly(d, 1, 4), 0);
    }
}

TEST_F(HourlyFileTest, LastLineWithoutLineEndIsRead) {
    std::string file = FileOf({Line(1, 1, 1)});
    file.resize(file.size() - 2);
    ASSERT_EQ(Parse(file), LoadStatus::Ok);
    EXPECT_EQ(set->RawSummary(1, 4, 1), 401);
}

TEST_F(HourlyFileTest, MissingHourlyValuesBecomeZeroExceptWind) {
    SampleLine global = Line(1, 6, 1);
    global.values[11] = 9999;
    global.values[12] = 9998;
    SampleLine sunshine = Line(4, 6, 1);
    sunshine.values[0] = 9999;
    SampleLine direction = Line(6, 6, 1);
    direction.values[3] = 9999;
    SampleLine speed = Line(7, 6, 1);
    speed.values[4] = 9999;
    ASSERT_EQ(Parse(FileOf({global, sunshine, direction, speed})), LoadStatus::Ok);
    int d = DayOfYear(6, 1);
    EXPECT_EQ(set->Hourly(d, 12, 1), 0);
    EXPECT_EQ(set->rawHourlyValues[d - 1][11][0], 9999);
    EXPECT_EQ(set->Hourly(d, 13, 1), 9998);
    EXPECT_EQ(set->Hourly(d, 1, 4), 0);
    EXPECT_EQ(set->Hourly(d, 4, 6), 9999);
    EXPECT_EQ(set->Hourly(d, 5, 7), 9999);

    int globalSum = 0;
    int sunshineSum = 0;
    for (int h = 1; h <= 24; ++h) {
        globalSum += set->Hourly(d, h, 1);
        sunshineSum += set->Hourly(d, h, 4);
    }
    EXPECT_EQ(set->dailyIrradiation[d - 1], globalSum);
    EXPECT_EQ(set->dailySunshine[d - 1], sunshineSum);
    EXPECT_EQ(globalSum, (10 * 24 + 276) - 21 - 22 + 9998);
}

TEST_F(HourlyFileTest, OnlyExactly8888SummaryIsMissing) {
    SampleLine line = Line(2, 1, 10);
    line.summaries[0] = 8888;
    line.summaries[1] = 8887;
    line.summaries[2] = 8889;
    line.summaries[3] = 8888;
    ASSERT_EQ(Parse(FileOf({line})), LoadStatus::Ok);
    EXPECT_EQ(set->Summary(10, 1, 2), 0);
    EXPECT_EQ(set->Summary(10, 2, 2), 8887);
    EXPECT_EQ(set->Summary(10, 3, 2), 8889);
    EXPECT_EQ(set->Summary(10, 4, 2), 0);
    EXPECT_EQ(set->RawSummary(10, 1, 2), 8888);
    EXPECT_EQ(set->RawSummary(10, 4, 2), 8888);
}

TEST_F(HourlyFileTest, DatesAreClampedOntoTheStandardYear) {
    SampleLine leap = Line(1, 2, 29);
    leap.summaries[0] = 29;
    SampleLine badMonth = Line(2, 13, 1);
    SampleLine dayZero = Line(3, 1, 0);
    ASSERT_EQ(Parse(FileOf({leap, badMonth, dayZero})), LoadStatus::Ok);
    EXPECT_EQ(set->RawSummary(60, 1, 1), 29);
    EXPECT_EQ(set->RawSummary(335, 1, 2), 102);
    EXPECT_EQ(set->RawSummary(1, 1, 3), 103);
}

TEST_F(HourlyFileTest, HeaderOnlyFileLoadsWithEverythingZero) {
    ASSERT_EQ(Parse(Utf8ToCp932(kHeaderUtf8) + "\r\n"), LoadStatus::Ok);
    EXPECT_EQ(set->HeaderUtf8(), kHeaderUtf8);
    EXPECT_TRUE(AllZero());

    ASSERT_EQ(Parse(""), LoadStatus::Ok);
    EXPECT_TRUE(set->header.empty());
    EXPECT_TRUE(AllZero());
}

TEST_F(HourlyFileTest, MalformedLinesAreSkippedOrReadAsZero) {
    SampleLine zeroElement = Line(0, 1, 1);
    SampleLine tenthElement = Line(10, 1, 1);
    SampleLine negative = Line(-1, 1, 1);
    std::string file = FileOf({zeroElement, tenthElement, negative});
    file += "\r\n";                // empty line
    file += "00001  2 3  1.5  12"; // short line: hour 1 only, partly
    file += "\r\n";
    file += "00009  2 3abcde xyz3";
    ASSERT_EQ(Parse(file), LoadStatus::Ok);
    int d = DayOfYear(2, 3);
    EXPECT_FLOAT_EQ(set->DailyReal(d, 1), 1.5f);
    EXPECT_EQ(set->Hourly(d, 1, 1), 12);
    EXPECT_EQ(set->Hourly(d, 2, 1), 0);
    EXPECT_EQ(set->dailyIrradiation[d - 1], 12);
    EXPECT_EQ(set->DailyReal(d, 9), 0.0f);
    EXPECT_EQ(set->Flag(d, 1, 9), 3);
    for (int e = 1; e <= 9; ++e) {
        EXPECT_EQ(set->Hourly(1, 1, e), 0) << e;
    }
}

// A repeated line replaces the earlier one, and the daily sums follow the values
// actually stored rather than counting the day twice.
TEST_F(HourlyFileTest, RepeatedLineReplacesAndSumsMatchStoredValues) {
    SampleLine first = Line(1, 7, 7);
    SampleLine second = Line(1, 7, 7);
    for (int h = 0; h < 24; ++h) {
        second.values[h] = 5;
    }
    SampleLine sunshine = Line(4, 7, 7);
    ASSERT_EQ(Parse(FileOf({first, sunshine, second, sunshine})), LoadStatus::Ok);
    int d = DayOfYear(7, 7);
    EXPECT_EQ(set->Hourly(d, 1, 1), 5);
    EXPECT_EQ(set->dailyIrradiation[d - 1], 5 * 24);
    EXPECT_EQ(set->dailySunshine[d - 1], 40 * 24 + 276);
}

TEST_F(HourlyFileTest, EveryParseStartsFromZero) {
    ASSERT_EQ(Parse(FileOf({Line(1, 5, 5)})), LoadStatus::Ok);
    ASSERT_EQ(Parse(FileOf({Line(2, 5, 6)})), LoadStatus::Ok);
    EXPECT_EQ(set->Hourly(DayOfYear(5, 5), 3, 1), 0);
    EXPECT_EQ(set->dailyIrradiation[DayOfYear(5, 5) - 1], 0);
}

TEST_F(HourlyFileTest, WholeGeneratedYearSumsAgree) {
    ASSERT_EQ(Parse(test::MakeSampleHourlyFile("header", "\n", 7)), LoadStatus::Ok);
    for (int d = 1; d <= 365; ++d) {
        int sum = 0;
        for (int h = 1; h <= 24; ++h) {
            sum += set->Hourly(d, h, 1);
        }
        ASSERT_EQ(set->dailyIrradiation[d - 1], sum) << d;
        ASSERT_EQ(set->RawSummary(d, 3, 1), sum) << d;
    }
}

TEST_F(HourlyFileTest, UnreadableFileFails) {
    EXPECT_EQ(ParseHourlyFile(*set, (dir.path() / "none.txt").string()), LoadStatus::CannotRead);
    EXPECT_EQ(ParseHourlyFile(*set, dir.str()), LoadStatus::CannotRead); // a folder
    EXPECT_EQ(ParseHourlyFile(*set, ""), LoadStatus::CannotRead);
}

TEST_F(HourlyFileTest, HugeFileIsRefusedWithoutReadingIt) {
    std::string path = dir.Write("huge.txt", "");
    std::filesystem::resize_file(path, std::uintmax_t{65} << 20); // sparse
    EXPECT_EQ(ParseHourlyFile(*set, path), LoadStatus::TooLarge);
    EXPECT_EQ(set->fileBuffer.capacity(), 0u);
}

TEST(HourlyFilePath, NamesEachYearVariant) {
    TempDir dir;
    EXPECT_EQ(HourlyFilePath("/d", YearVariant::Average, 47412), "/d/平均年/mea47412.txt");
    EXPECT_EQ(HourlyFilePath("/d/", YearVariant::HighSunshine, 123), "/d/多照年/max00123.txt");
    EXPECT_EQ(HourlyFilePath("/d", YearVariant::LowSunshine, 5), "/d/寡照年/min00005.txt");
    EXPECT_EQ(HourlyFilePath("/d", static_cast<YearVariant>(3), 5), "");
    EXPECT_EQ(HourlyFilePath("/d", static_cast<YearVariant>(-1), 5), "");
    EXPECT_EQ(HourlyFilePath("", YearVariant::Average, 5), "");
}

TEST(HourlyFilePath, FallsBackToCp932FolderName) {
    TempDir dir;
    std::string cp932 = Utf8ToCp932("多照年");
    dir.Write(cp932 + "/max00001.txt", "x");
    EXPECT_EQ(HourlyFilePath(dir.str(), YearVariant::HighSunshine, 1),
              dir.str() + "/" + cp932 + "/max00001.txt");
    // The UTF-8 name wins when both exist.
    dir.Write("多照年/max00001.txt", "x");
    EXPECT_EQ(HourlyFilePath(dir.str(), YearVariant::HighSunshine, 1),
              dir.str() + "/多照年/max00001.txt");
}

class LoadHourlyDataTest : public ::testing::Test {
protected:
    std::unique_ptr<HourlyDataSet> set = std::make_unique<HourlyDataSet>();
    TempDir hourly;
    TempDir map;
    CollectingReporter reporter;

    void WriteSunrise(int site) {
        char name[64];
        std::snprintf(name, sizeof name, "map/zahyo/sunrise_sunset/%05d", site);
        map.Write(name, test::MakeSampleSunriseFile());
    }
};

TEST_F(LoadHourlyDataTest, LoadsDataAndSunriseTimes) {
    hourly.Write("寡照年/min00042.txt", FileOf({Line(1, 1, 2)}));
    WriteSunrise(42);
    ASSERT_EQ(LoadHourlyData(*set, YearVariant::LowSunshine, 42, hourly.str(), map.str(), reporter),
              LoadStatus::Ok);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(set->Hourly(2, 1, 1), 10);
    EXPECT_GT(set->sunrise[0], 4.0);
    EXPECT_GT(set->sunset[364], 16.0);
}

TEST_F(LoadHourlyDataTest, MissingDataFileReportsAndLeavesSetZeroed) {
    hourly.Write("平均年/mea00042.txt", FileOf({Line(1, 1, 2)}));
    WriteSunrise(42);
    ASSERT_EQ(LoadHourlyData(*set, YearVariant::Average, 42, hourly.str(), map.str(), reporter),
              LoadStatus::Ok);
    ASSERT_EQ(
        LoadHourlyData(*set, YearVariant::HighSunshine, 42, hourly.str(), map.str(), reporter),
        LoadStatus::CannotRead);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], "HORIX-11データの読み込みに失敗しました。\n"
                                    "メニュー画面に戻り、データフォルダの設定を行ってください。");
    EXPECT_TRUE(set->header.empty());
    EXPECT_EQ(set->Hourly(2, 1, 1), 0);
    EXPECT_EQ(set->sunrise[0], 0.0);

    EXPECT_EQ(
        LoadHourlyData(*set, static_cast<YearVariant>(7), 42, hourly.str(), map.str(), reporter),
        LoadStatus::CannotRead);
    EXPECT_EQ(LoadHourlyData(*set, YearVariant::Average, 42, "", map.str(), reporter),
              LoadStatus::CannotRead);
    EXPECT_EQ(reporter.messages.size(), 3u);
}

TEST_F(LoadHourlyDataTest, MissingSunriseFileKeepsDataAndReports) {
    hourly.Write("平均年/mea00042.txt", FileOf({Line(1, 1, 2)}));
    ASSERT_EQ(LoadHourlyData(*set, YearVariant::Average, 42, hourly.str(), map.str(), reporter),
              LoadStatus::SunTableMissing);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], "日の出・日の入りデータの読み込みに失敗しました。");
    EXPECT_EQ(set->Hourly(2, 1, 1), 10);
    EXPECT_EQ(set->sunrise[0], 0.0);
}

TEST(HourlyFolderCheck, AYearVariantFolderWithOneOfItsSiteFilesHoldsData) {
    TempDir dir;
    EXPECT_FALSE(FolderHoldsHourlyData(dir.str()));
    dir.Write("mea47401.txt", "x");            // not in a year folder
    dir.Write("平均年/max47401.txt", "x");     // another variant's name
    dir.Write("平均年/mea4740.txt", "x");      // four digits
    dir.Write("平均年/mea47401.csv", "x");     // another extension
    dir.Write("多照年/max47401.txt/keep", ""); // a folder named like a file
    EXPECT_FALSE(FolderHoldsHourlyData(dir.str()));
    dir.Write("寡照年/min47401.txt", "x");
    EXPECT_TRUE(FolderHoldsHourlyData(dir.str())) << "any one variant will do";
    EXPECT_TRUE(FolderHoldsHourlyData(dir.str() + "/"));
    EXPECT_FALSE(FolderHoldsHourlyData(""));
    EXPECT_FALSE(FolderHoldsHourlyData(dir.str() + "/missing"));
    EXPECT_FALSE(FolderHoldsHourlyData(dir.str() + "/mea47401.txt")) << "a file, not a folder";
}

TEST(HourlyFolderCheck, YearFoldersNamedInCp932Count) {
    TempDir dir; // as unpacked from an archive made on Windows
    dir.Write(Utf8ToCp932("多照年") + "/max47401.txt", "x");
    EXPECT_TRUE(FolderHoldsHourlyData(dir.str()));
}

} // namespace
} // namespace quorvane

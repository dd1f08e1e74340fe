#include "../monthly/monthly_file_writer.h"
#include "data/monthly_file.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <limits>

using namespace quorvane;
using namespace quorvane::test;

namespace {

const char* const kOldEdition = "旧形式のKALVERA-11データが設定されています。\n"
                                "新形式のKALVERA-11データをダウンロードし、\n"
                                "メニュー画面よりデータフォルダの設定を行ってください。";
const char* const kCannotRead = "KALVERA-11データの読み込みに失敗しました。\n"
                                "メニュー画面に戻り、データフォルダの設定を行ってください。";
const char* const kUnexpectedFormat = "想定外のデータ形式です。\n"
                                      "データファイルを確認してください。";

MonthlyRow ExpectedRow(int lineNumber) {
    MonthlyRow row{};
    for (int k = 0; k < kMonthlyColumnCount; ++k) {
        row[k] = MonthlyTestValue(lineNumber, k);
    }
    return row;
}

bool IsZeroed(const MonthlyRecord& record) {
    for (const auto& azimuth : record.planeValues) {
        for (const MonthlyRow& row : azimuth) {
            for (int v : row) {
                if (v != 0) {
                    return false;
                }
            }
        }
    }
    for (const MonthlyRow& row : record.optimumTable) {
        for (int v : row) {
            if (v != 0) {
                return false;
            }
        }
    }
    for (const MonthlyRow& row : record.variation) {
        for (int v : row) {
            if (v != 0) {
                return false;
            }
        }
    }
    return record.header.empty();
}

// A record filled with garbage, to see that a failed load zeroes it.
MonthlyRecord DirtyRecord() {
    MonthlyRecord record;
    record.header = "old";
    record.planeValues[3][4][5] = 77;
    record.optimumTable[7][16] = 88;
    record.variation[2][0] = 99;
    return record;
}

class MonthlyFileTest : public ::testing::Test {
protected:
    LoadStatus Load(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
        dir.Write("m47401", JoinLines(lines, eol));
        return LoadMonthlyData(dir.str(), 47401, record, reporter);
    }

    TempDir dir;
    MonthlyRecord record = DirtyRecord();
    CollectingReporter reporter;
};

} // namespace

TEST_F(MonthlyFileTest, WellFormedFileFillsEveryRow) {
    ASSERT_EQ(Load(MonthlyTestLines()), LoadStatus::Ok);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(record.header, MonthlyTestHeader());
    for (int c = 0; c < kMonthlyAzimuthCount; ++c) {
        EXPECT_EQ(record.planeValues[c][0], ExpectedRow(2)) << "horizontal row of azimuth " << c;
        for (int d = 1; d < kMonthlyTiltCount; ++d) {
            EXPECT_EQ(record.planeValues[c][d], ExpectedRow(PlaneLineNumber(c, d)))
                << "azimuth " << c << " tilt " << d;
        }
    }
    EXPECT_EQ(record.variation[0], ExpectedRow(2));
    EXPECT_EQ(record.variation[1], ExpectedRow(3));
    EXPECT_EQ(record.variation[2], ExpectedRow(4));
    for (int r = 0; r < kOptimumRowCount; ++r) {
        EXPECT_EQ(record.optimumTable[r], ExpectedRow(122 + r));
    }
}

TEST_F(MonthlyFileTest, LfLineEndsReadLikeCrLf) {
    ASSERT_EQ(Load(MonthlyTestLines(), "\n"), LoadStatus::Ok);
    EXPECT_EQ(record.header, MonthlyTestHeader());
    EXPECT_EQ(record.optimumTable[7], ExpectedRow(129));
}

TEST_F(MonthlyFileTest, LastLineWithoutLineEndStillCounts) {
    std::string text = JoinLines(MonthlyTestLines(), "\r\n");
    text.resize(text.size() - 2);
    dir.Write("m47401", text);
    ASSERT_EQ(LoadMonthlyData(dir.str(), 47401, record, reporter), LoadStatus::Ok);
    EXPECT_EQ(record.optimumTable[7], ExpectedRow(129));
}

TEST_F(MonthlyFileTest, WrongLineCountIsRefused) {
    auto lines = MonthlyTestLines();
    lines.pop_back();
    EXPECT_EQ(Load(lines), LoadStatus::UnexpectedFormat) << "128 lines";
    lines = MonthlyTestLines();
    lines.push_back("");
    record = DirtyRecord();
    EXPECT_EQ(Load(lines), LoadStatus::UnexpectedFormat) << "130 lines";
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0], kUnexpectedFormat);
    EXPECT_EQ(reporter.messages[1], kUnexpectedFormat);
    EXPECT_TRUE(IsZeroed(record));
}

TEST_F(MonthlyFileTest, EmptyFileIsRefused) {
    dir.Write("m47401", "");
    EXPECT_EQ(LoadMonthlyData(dir.str(), 47401, record, reporter), LoadStatus::UnexpectedFormat);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], kUnexpectedFormat);
}

TEST_F(MonthlyFileTest, OlderEditionBesideCurrentFileIsRefused) {
    dir.Write("47401", "anything\n");
    EXPECT_EQ(Load(MonthlyTestLines()), LoadStatus::OlderEdition);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], kOldEdition);
    EXPECT_TRUE(IsZeroed(record));
}

TEST_F(MonthlyFileTest, MissingFileOrFolderCannotBeRead) {
    EXPECT_EQ(LoadMonthlyData(dir.str(), 47401, record, reporter), LoadStatus::CannotRead);
    EXPECT_TRUE(IsZeroed(record));
    EXPECT_EQ(LoadMonthlyData(dir.str() + "/nowhere", 47401, record, reporter),
              LoadStatus::CannotRead);
    EXPECT_EQ(LoadMonthlyData("", 47401, record, reporter), LoadStatus::CannotRead);
    std::filesystem::create_directory(dir.path() / "m00012");
    EXPECT_EQ(LoadMonthlyData(dir.str(), 12, record, reporter), LoadStatus::CannotRead)
        << "a folder is no file";
    ASSERT_EQ(reporter.messages.size(), 4u);
    for (const std::string& message : reporter.messages) {
        EXPECT_EQ(message, kCannotRead);
    }
}

TEST_F(MonthlyFileTest, SiteNumberIsZeroPadded) {
    dir.Write("m00012", JoinLines(MonthlyTestLines(), "\r\n"));
    EXPECT_EQ(LoadMonthlyData(dir.str(), 12, record, reporter), LoadStatus::Ok);
    dir.Write("00012", "");
    EXPECT_EQ(LoadMonthlyData(dir.str(), 12, record, reporter), LoadStatus::OlderEdition);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0], kOldEdition);
}

TEST_F(MonthlyFileTest, PlaneLinesOutsideTheGridAreSkipped) {
    auto lines = MonthlyTestLines();
    std::vector<std::string> values(17, "9.99");
    // Overwrite three plane lines: tilt 0, azimuth 195, tilt 100.
    lines[PlaneLineNumber(2, 3) - 1] = MonthlyValueLine(PlanePrefix(30, 0), values);
    lines[PlaneLineNumber(5, 5) - 1] = MonthlyValueLine(PlanePrefix(195, 50), values);
    lines[PlaneLineNumber(6, 6) - 1] = MonthlyValueLine("60    100", values);
    ASSERT_EQ(Load(lines), LoadStatus::Ok);
    EXPECT_EQ(record.planeValues[2][0], ExpectedRow(2)) << "tilt 0 must not replace the horizontal";
    EXPECT_EQ(record.planeValues[2][3], MonthlyRow{}) << "the skipped line's own slot stays zero";
    EXPECT_EQ(record.planeValues[12][5], ExpectedRow(PlaneLineNumber(12, 5)));
    EXPECT_EQ(record.planeValues[5][5], MonthlyRow{});
    EXPECT_EQ(record.planeValues[6][6], MonthlyRow{});
}

TEST_F(MonthlyFileTest, AzimuthIsTruncatedToItsStep) {
    auto lines = MonthlyTestLines();
    std::vector<std::string> values(17, "1.00");
    lines[PlaneLineNumber(4, 2) - 1] = MonthlyValueLine(PlanePrefix(14, 20), values);
    lines[PlaneLineNumber(4, 3) - 1] = MonthlyValueLine(PlanePrefix(29, 39), values);
    ASSERT_EQ(Load(lines), LoadStatus::Ok);
    MonthlyRow hundreds;
    hundreds.fill(100);
    EXPECT_EQ(record.planeValues[0][2], hundreds) << "azimuth 14 counts as index 0";
    EXPECT_EQ(record.planeValues[1][3], hundreds) << "azimuth 29, tilt 39";
    EXPECT_EQ(record.planeValues[4][2], MonthlyRow{});
}

TEST_F(MonthlyFileTest, ValuesAreRoundedHalfUpAndTruncatedTowardsZero) {
    auto lines = MonthlyTestLines();
    lines[1] = MonthlyValueLine("", {" 3.456", "-1.234", " 0.005", "-0.005", "", "  abc", "12.344",
                                     " 0.994", "-0.50", " 1.5 ", "1e1", "   .5", "7", "", "", "",
                                     "-3.456"});
    ASSERT_EQ(Load(lines), LoadStatus::Ok);
    const MonthlyRow& row = record.variation[0];
    EXPECT_EQ(row[0], 346);
    EXPECT_EQ(row[1], -122);
    EXPECT_EQ(row[2], 1);
    EXPECT_EQ(row[3], 0);
    EXPECT_EQ(row[4], 0) << "blank field";
    EXPECT_EQ(row[5], 0) << "text";
    EXPECT_EQ(row[6], 1234);
    EXPECT_EQ(row[7], 99);
    EXPECT_EQ(row[8], -49);
    EXPECT_EQ(row[9], 150);
    EXPECT_EQ(row[10], 1000);
    EXPECT_EQ(row[11], 50);
    EXPECT_EQ(row[12], 700);
    EXPECT_EQ(row[16], -345);
}

TEST(StoredMonthlyValue, HugeValuesSaturate) {
    EXPECT_EQ(StoredMonthlyValue(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(StoredMonthlyValue(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(StoredMonthlyValue(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST_F(MonthlyFileTest, ShortValueLinesReadZeroForMissingFields) {
    auto lines = MonthlyTestLines();
    lines[2] = MonthlyValueLine("", {"1.00", "2.00", "3.00"});
    lines[3] = "";
    ASSERT_EQ(Load(lines), LoadStatus::Ok);
    MonthlyRow expected{};
    expected[0] = 100;
    expected[1] = 200;
    expected[2] = 300;
    EXPECT_EQ(record.variation[1], expected);
    EXPECT_EQ(record.variation[2], MonthlyRow{});
}

TEST_F(MonthlyFileTest, HeaderKeepsItsOriginalBytes) {
    auto lines = MonthlyTestLines();
    lines[0] = "\x93\xFA\x8E\xCB \xFF\x81"; // CP932 text with a stray lead byte
    ASSERT_EQ(Load(lines), LoadStatus::Ok);
    EXPECT_EQ(record.header, lines[0]);
}

TEST(MonthlyFolderCheck, OnlySiteFilesOfTheCurrentEditionCount) {
    TempDir dir;
    EXPECT_FALSE(FolderHoldsMonthlyData(dir.str()));
    dir.Write("47401", "x");      // the older edition
    dir.Write("m4740", "x");      // four digits
    dir.Write("m47401.txt", "x"); // with an extension
    dir.Write("sub/m47401", "x"); // in a subfolder
    dir.Write("m47402/keep", ""); // a folder named like a file
    EXPECT_FALSE(FolderHoldsMonthlyData(dir.str()));
    dir.Write("m47401", "x");
    EXPECT_TRUE(FolderHoldsMonthlyData(dir.str()));
    EXPECT_FALSE(FolderHoldsMonthlyData(""));
    EXPECT_FALSE(FolderHoldsMonthlyData(dir.str() + "/missing"));
}

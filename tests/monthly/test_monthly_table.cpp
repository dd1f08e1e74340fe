// The data table's layout arithmetic, its rows and its CSV form.
#include "monthly/monthly_table.h"

#include "data/reporter.h"
#include "monthly_file_writer.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace quorvane {
namespace {

TEST(MonthlyTableLayout, ScreenAndPaperFollowTheirMarginsAndRowHeights) {
    const MonthlyTableLayout screen = ComputeMonthlyTableLayout({1, 1, 981, 643}, 1, false);
    EXPECT_EQ(screen.left, 21);
    EXPECT_EQ(screen.top, 81);
    EXPECT_EQ(screen.bottom, 623);
    EXPECT_EQ(screen.rowHeight, 16);
    EXPECT_EQ(screen.columnWidth, 49); // round(940 / 19)
    EXPECT_EQ(screen.right, 21 + 19 * 49) << "the right edge follows the whole columns";
    EXPECT_EQ(screen.rowsPerPage, 30);

    // A4 portrait at 300 dpi, print scale 2.
    const MonthlyTableLayout paper = ComputeMonthlyTableLayout({0, 0, 2480, 3508}, 2, true);
    EXPECT_EQ(paper.left, 40);
    EXPECT_EQ(paper.top, 200);
    EXPECT_EQ(paper.bottom, 3468);
    EXPECT_EQ(paper.rowHeight, 38); // round(3268 / 85)
    EXPECT_EQ(paper.columnWidth, 126);
    EXPECT_EQ(paper.rowsPerPage, 63);
}

TEST(MonthlyTableRows, SlopeRowCountersMapToPlanesAndTheAzimuthShowsOnTheThirtyRow) {
    EXPECT_EQ(SlopeRowAt(5).azimuthIndex, 0);
    EXPECT_EQ(SlopeRowAt(5).tiltIndex, 1);
    EXPECT_EQ(SlopeRowAt(13).tiltIndex, 9);
    EXPECT_EQ(SlopeRowAt(14).azimuthIndex, 1);
    EXPECT_EQ(SlopeRowAt(14).tiltIndex, 1);
    EXPECT_EQ(SlopeRowAt(121).azimuthIndex, 12);
    EXPECT_EQ(SlopeRowAt(121).tiltIndex, 9);
    int shown = 0;
    for (int h = 5; h <= 121; ++h) {
        if (ShowsAzimuth(h)) {
            ++shown;
            EXPECT_EQ(SlopeRowAt(h).tiltIndex, 3) << h;
        }
    }
    EXPECT_EQ(shown, 13) << "once per azimuth group";
}

TEST(MonthlyTableRows, VisibleRowsAndDerivedRowsFollowTheScrollPosition) {
    const VisibleSlopeRows top = VisibleRowsFrom(0, kTableScreenRows);
    EXPECT_EQ(top.first, 5);
    EXPECT_EQ(top.count, 30);
    const VisibleSlopeRows last = VisibleRowsFrom(kTableScrollMax, kTableScreenRows);
    EXPECT_EQ(last.first, 112);
    EXPECT_EQ(last.count, 10) << "up to the last slope row only";

    EXPECT_FALSE(DerivedRowsAfter(86, kTableScreenRows, false));
    EXPECT_EQ(DerivedRowsAfter(87, kTableScreenRows, false), 30);
    EXPECT_EQ(DerivedRowsAfter(107, kTableScreenRows, false), 10);

    // The two printed pages: 63 rows (azimuths 0..90), then 54 (105..180).
    const VisibleSlopeRows page1 = VisibleRowsFrom(0, kTablePrintRows);
    EXPECT_EQ(page1.count, 63);
    EXPECT_EQ(SlopeRowAt(page1.first + page1.count - 1).azimuthIndex, 6);
    EXPECT_EQ(DerivedRowsAfter(0, kTablePrintRows, true), 63);
    const VisibleSlopeRows page2 = VisibleRowsFrom(kTableSecondPageScroll, kTablePrintRows);
    EXPECT_EQ(page2.count, 54);
    EXPECT_EQ(SlopeRowAt(page2.first).azimuthIndex, 7);
    EXPECT_EQ(DerivedRowsAfter(kTableSecondPageScroll, kTablePrintRows, false), 54);
}

TEST(MonthlyTableRows, TheWheelMovesFourRowsAndStaysInRange) {
    EXPECT_EQ(WheelTableScroll(0, -120), 4);
    EXPECT_EQ(WheelTableScroll(0, 0), 4) << "a zero delta scrolls down";
    EXPECT_EQ(WheelTableScroll(10, 120), 6);
    EXPECT_EQ(WheelTableScroll(2, 120), 0);
    EXPECT_EQ(WheelTableScroll(105, -120), kTableScrollMax);
    EXPECT_EQ(ClampTableScroll(500), kTableScrollMax);
    EXPECT_EQ(ClampTableScroll(-3), 0);
}

TEST(MonthlyTableRows, DerivedRowsHaveTheirFormatsAndMarks) {
    EXPECT_EQ(FormatTableValue(DerivedRowFormat(0), 3550), " 35.5");
    EXPECT_EQ(FormatTableValue(DerivedRowFormat(1), 1234), "12.34");
    EXPECT_EQ(FormatTableValue(DerivedRowFormat(5), -35), " -0.3");
    EXPECT_EQ(DerivedRowMark(0, 12), "*");
    EXPECT_EQ(DerivedRowMark(0, 13), "**");
    EXPECT_EQ(DerivedRowMark(1, 12), "※");
    EXPECT_EQ(DerivedRowMark(1, 16), "※※");
    EXPECT_EQ(DerivedRowMark(1, 11), "");
    EXPECT_EQ(DerivedRowMark(2, 12), "");
}

std::vector<std::string> CsvLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        EXPECT_FALSE(line.empty() || line.back() != '\r') << "CR LF line ends";
        line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string ExpectedCells(int lineNumber, const char* format) {
    std::string out;
    for (int k = 0; k < 17; ++k) {
        std::string value = FormatTableValue(format, test::MonthlyTestValue(lineNumber, k));
        out += "," + value.substr(value.find_first_not_of(' '));
    }
    return out;
}

TEST(MonthlyTableCsv, HoldsEveryRowWithItsCaptionsAndValues) {
    test::TempDir dir;
    dir.Write("m47401", test::JoinLines(test::MonthlyTestLines(), "\r\n"));
    auto record = std::make_unique<MonthlyRecord>();
    CollectingReporter reporter;
    ASSERT_EQ(LoadMonthlyData(dir.str(), 47401, *record, reporter), LoadStatus::Ok);

    const std::string csv = MonthlyTableCsv(*record, "稚内");
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u) << "a byte-order mark for spreadsheets";
    const std::vector<std::string> lines = CsvLines(csv.substr(3));
    ASSERT_EQ(lines.size(), 3u + 3u + 117u + 8u);
    EXPECT_EQ(lines[1], "地点,稚内,緯度,45°24.9′,経度,141°40.7′,標高,3m");
    EXPECT_EQ(lines[2].substr(0, lines[2].find(",１月")), "方位角,傾斜角");
    EXPECT_NE(lines[2].find(",年（１―１２月）,冬（１２―２月）"), std::string::npos);
    EXPECT_EQ(lines[3], "水平面,平均値（C）" + ExpectedCells(2, "%5.2f"));
    EXPECT_EQ(lines[5], "水平面,最小値" + ExpectedCells(4, "%5.2f"));
    EXPECT_EQ(lines[6], "0°,10°" + ExpectedCells(test::PlaneLineNumber(0, 1), "%5.2f"));
    EXPECT_EQ(lines[6 + 9 * 3 + 1],
              "45°,20°" + ExpectedCells(test::PlaneLineNumber(3, 2), "%5.2f"));
    EXPECT_EQ(lines[122], "180°,90°" + ExpectedCells(test::PlaneLineNumber(12, 9), "%5.2f"));
    EXPECT_EQ(lines[123], "月別最適傾斜角," + ExpectedCells(122, "%5.1f"));
    EXPECT_EQ(lines[124], "月別最適傾斜角における日射量（A）," + ExpectedCells(123, "%5.2f"));
    EXPECT_EQ(lines[128], "平均気温," + ExpectedCells(127, "%5.1f"));
    EXPECT_EQ(lines[130], "積雪10cm以上の出現率," + ExpectedCells(129, "%5.2f"));
}

} // namespace
} // namespace quorvane

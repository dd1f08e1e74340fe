#include "hourly/export.h"

#include "data/text_codec.h"
#include "file_size_limit.h"
#include "hourly_sample.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace quorvane {
namespace {

using test::ReadFileBytes;
using test::TempDir;

std::vector<std::string> SplitCrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start) + "<no line end>");
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The lines as the C library writes them with the formats of the file layouts; the
// exporter's own formatting must give the same bytes.
std::string ReferenceHorizontalLine(const HourlyDataSet& set, int day, int e, bool csv) {
    char buffer[1024];
    MonthDay md = MonthDayOfYear(day);
    double real = set.DailyReal(day, e);
    int n =
        csv ? std::snprintf(buffer, sizeof buffer, "%d,%d,%d,%.1f,", e, md.month, md.day, real)
            : std::snprintf(buffer, sizeof buffer, "%05d %2d%2d%5.1f", e, md.month, md.day, real);
    for (int h = 1; h <= 24; ++h) {
        n += csv ? std::snprintf(buffer + n, sizeof buffer - n, "%d,", set.Hourly(day, h, e))
                 : std::snprintf(buffer + n, sizeof buffer - n, "%4d%1d", set.Hourly(day, h, e),
                                 set.Flag(day, h, e));
    }
    n += std::snprintf(buffer + n, sizeof buffer - n,
                       csv ? "%d,%d,%d,%d,%d\r\n" : "%5d%5d%5d%5d%5d\r\n",
                       set.RawSummary(day, 1, e), set.RawSummary(day, 2, e),
                       set.RawSummary(day, 3, e), set.RawSummary(day, 4, e), day);
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::string ReferenceSlopeLine(const HourlyDataSet& set, const SitePosition& site, int day,
                               int tilt, int azimuth, bool csv) {
    char buffer[1024];
    MonthDay md = MonthDayOfYear(day);
    double real = set.DailyReal(day, 1);
    int n = csv ? std::snprintf(buffer, sizeof buffer, "%d,%d,%d,%d,%.1f,", azimuth, tilt, md.month,
                                md.day, real)
                : std::snprintf(buffer, sizeof buffer, "%03d%02d %2d%2d%5.1f", azimuth, tilt,
                                md.month, md.day, real);
    int maximum = 0;
    int total = 0;
    for (int h = 1; h <= 24; ++h) {
        const HorizontalHour in{day,
                                h,
                                set.sunrise[day - 1],
                                set.sunset[day - 1],
                                set.Hourly(day, h, 1) / 100.0,
                                set.Hourly(day, h, 2) / 100.0,
                                set.Hourly(day, h, 3) / 100.0,
                                static_cast<double>(set.Hourly(day, h, 9))};
        double s = SlopeIrradiance(in, site.Location(), tilt, azimuth);
        int value = static_cast<int>(s * 100.0 + 0.5);
        maximum = std::max(maximum, value);
        total += value;
        n += csv ? std::snprintf(buffer + n, sizeof buffer - n, "%d,", value)
                 : std::snprintf(buffer + n, sizeof buffer - n, "%4d%1d", value,
                                 set.Flag(day, h, 1));
    }
    n += std::snprintf(buffer + n, sizeof buffer - n,
                       csv ? "%d,%d,%d,%d,%d\r\n" : "%5d%5d%5d%5d%5d\r\n", maximum, 8888, total,
                       8888, day);
    return std::string(buffer, static_cast<std::size_t>(n));
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string path = dir.Write("data.txt", test::MakeSampleHourlyFile(header, "\r\n", 11));
        ASSERT_EQ(ParseHourlyFile(*set, path), LoadStatus::Ok);
        for (int d = 0; d < 365; ++d) {
            set->sunrise[d] = 6.25 - (d % 5) * 0.1;
            set->sunset[d] = 17.5 + (d % 7) * 0.2;
        }
        // Values the fixed layout must not cut: negative, wider than the field, 9999.
        set->dailyRealValues[0][0] = -12.25f;
        set->dailyRealValues[0][4] = 123456.0f;
        set->hourlyValues[0][0][4] = -153;
        set->hourlyValues[0][1][4] = 123456;
        set->rawDailySummaries[0][3][4] = -88888;
    }

    std::string Export(const HourlyExportRequest& request, const char* name = "out") {
        std::string path = (dir.path() / name).string();
        status = ExportHourlyData(*set, request, site, path);
        return ReadFileBytes(path);
    }

    std::string HeaderLine(bool csv) const {
        return (csv ? CsvHeaderLine(set->header) : set->header) + "\r\n";
    }

    const std::string header = Utf8ToCp932("ＨＯＲＩＸ  地点 47412   札幌  平均年");
    std::unique_ptr<HourlyDataSet> set = std::make_unique<HourlyDataSet>();
    TempDir dir;
    SitePosition site{true, 141.33, 43.06, 17.0};
    WriteStatus status = WriteStatus::WriteFailed;
};

TEST_F(ExportTest, HorizontalMonthMatchesThePrintfLayoutInCsvAndTxt) {
    for (bool csv : {true, false}) {
        SCOPED_TRACE(csv);
        HourlyExportRequest request;
        request.exportKind = ExportKind::Month;
        request.month = 1;
        request.day = 17;
        request.format = csv ? ExportFormat::Csv : ExportFormat::Txt;
        std::string expected = HeaderLine(csv);
        for (int day = 1; day <= 31; ++day) {
            for (int e = 1; e <= 9; ++e) {
                expected += ReferenceHorizontalLine(*set, day, e, csv);
            }
        }
        EXPECT_EQ(Export(request), expected);
        EXPECT_EQ(status, WriteStatus::Completed);
    }
}

TEST_F(ExportTest, HeaderLineKeepsTheFilesBytes) {
    HourlyExportRequest request;
    request.format = ExportFormat::Txt;
    EXPECT_EQ(SplitCrLfLines(Export(request))[0],
              Utf8ToCp932("ＨＯＲＩＸ  地点 47412   札幌  平均年"));
    request.format = ExportFormat::Csv;
    EXPECT_EQ(SplitCrLfLines(Export(request))[0], Utf8ToCp932("ＨＯＲＩＸ,地点,47412,札幌,平均年"));
}

TEST_F(ExportTest, HorizontalTxtLineRepeatsTheFileLayoutPlusDayOfYear) {
    test::SampleLine line;
    line.element = 3;
    line.month = 4;
    line.day = 9;
    line.realValue = 7.5;
    for (int h = 0; h < 24; ++h) {
        line.values[h] = h * 3;
        line.flags[h] = (h + 2) % 10;
    }
    line.summaries[0] = 8888;
    line.summaries[1] = 12;
    line.summaries[2] = 828;
    line.summaries[3] = 8888;
    std::string source = test::FormatHourlyLine(line);
    ASSERT_EQ(ParseHourlyFile(*set, dir.Write("one.txt", "x\n" + source + "\n")), LoadStatus::Ok);

    HourlyExportRequest request;
    request.month = 4;
    request.day = 9;
    request.format = ExportFormat::Txt;
    std::vector<std::string> lines = SplitCrLfLines(Export(request));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "x");
    EXPECT_EQ(lines[3], source + "   99");
    EXPECT_EQ(lines[3].size(), 160u);
    std::string zeroHours;
    for (int h = 0; h < 24; ++h) {
        zeroHours += "   00";
    }
    EXPECT_EQ(lines[1], "00001  4 9  0.0" + zeroHours + "    0    0    0    0   99");

    request.format = ExportFormat::Csv;
    lines = SplitCrLfLines(Export(request));
    EXPECT_EQ(lines[3], "3,4,9,7.5,0,3,6,9,12,15,18,21,24,27,30,33,36,39,42,45,48,51,54,57,60,63,"
                        "66,69,8888,12,828,8888,99");
}

// A daily real value field that does not convert (here a lone "-") reads as 0 and
// is written as 0.0 in both layouts, never as -0.0.
TEST_F(ExportTest, UnconvertibleSignedDailyValueIsWrittenAsZero) {
    test::SampleLine line;
    line.element = 5;
    line.month = 2;
    line.day = 1;
    std::string source = test::FormatHourlyLine(line);
    source.replace(10, 5, "    -");
    ASSERT_EQ(ParseHourlyFile(*set, dir.Write("dash.txt", "x\n" + source + "\n")), LoadStatus::Ok);

    HourlyExportRequest request;
    request.month = 2;
    request.day = 1;
    request.format = ExportFormat::Txt;
    std::vector<std::string> lines = SplitCrLfLines(Export(request));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[5].substr(0, 15), "00005  2 1  0.0");
    request.format = ExportFormat::Csv;
    lines = SplitCrLfLines(Export(request));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[5].substr(0, 12), "5,2,1,0.0,0,");
}

TEST_F(ExportTest, WholeYearHorizontalHas3285Lines) {
    HourlyExportRequest request;
    request.exportKind = ExportKind::WholeYear;
    request.format = ExportFormat::Txt;
    std::vector<std::string> lines = SplitCrLfLines(Export(request));
    ASSERT_EQ(lines.size(), 1u + 3285u);
    EXPECT_EQ(lines[3285], ReferenceHorizontalLine(*set, 365, 9, false).substr(0, 160));
}

TEST_F(ExportTest, TenDaysFrom28DecemberWrapIntoJanuary) {
    HourlyExportRequest request;
    request.exportKind = ExportKind::TenDays;
    request.siteNumber = 47412;
    request.month = 12;
    request.day = 28;
    request.format = ExportFormat::Csv;
    std::string expected = HeaderLine(true);
    for (int day : {362, 363, 364, 365, 1, 2, 3, 4, 5, 6}) {
        for (int e = 1; e <= 9; ++e) {
            expected += ReferenceHorizontalLine(*set, day, e, true);
        }
    }
    EXPECT_EQ(Export(request), expected);
    std::vector<std::string> lines = SplitCrLfLines(expected);
    EXPECT_EQ(lines[1].rfind("1,12,28,", 0), 0u);
    EXPECT_EQ(lines[37].rfind("1,1,1,", 0), 0u);
    EXPECT_EQ(DefaultExportFileName(request), "hm474121228.csv");
}

TEST_F(ExportTest, RankingViewsExportTheCurrentDay) {
    for (ExportKind kind : {ExportKind::IrradiationRanking, ExportKind::SunshineRanking}) {
        HourlyExportRequest request;
        request.exportKind = kind;
        request.month = 5;
        request.day = 20;
        std::vector<std::string> lines = SplitCrLfLines(Export(request));
        ASSERT_EQ(lines.size(), 10u);
        EXPECT_EQ(lines[1].rfind("1,5,20,", 0), 0u);
    }
}

TEST_F(ExportTest, SlopeLinesMatchTheModelInEveryMode) {
    struct Case {
        int mode, tilt, azimuth, step;
        ExportKind kind;
        int month, day;
    };
    const Case cases[] = {
        {0, 30, 0, 5, ExportKind::Month, 2, 1}, {1, 0, -45, 1, ExportKind::TenDays, 12, 30},
        {1, 0, 180, 5, ExportKind::Day, 7, 1},  {2, 90, 359, 5, ExportKind::Month, 6, 1},
        {0, 0, 0, 1, ExportKind::Day, 3, 3},
    };
    for (const Case& c : cases) {
        for (bool csv : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.mode << " " << c.step << " " << csv);
            HourlyExportRequest request;
            request.exportKind = c.kind;
            request.month = c.month;
            request.day = c.day;
            request.format = csv ? ExportFormat::Csv : ExportFormat::Txt;
            request.dataKind = DataKind::Slope;
            request.slopeOptions = {*HourlyAngleModeFromIndex(c.mode), c.tilt, c.azimuth, c.step};
            HourlyPeriod period = PeriodOfExport(c.kind, c.month, c.day);
            std::string expected = HeaderLine(csv);
            for (int i = 0; i < period.dayCount; ++i) {
                int day = period.DayAt(i);
                if (c.mode == 0) {
                    for (int azimuth = 0; azimuth < 360; azimuth += c.step) {
                        expected += ReferenceSlopeLine(*set, site, day, c.tilt, azimuth, csv);
                    }
                } else if (c.mode == 1) {
                    for (int tilt = 0; tilt <= 90; tilt += c.step) {
                        expected += ReferenceSlopeLine(*set, site, day, tilt, c.azimuth, csv);
                    }
                } else {
                    expected += ReferenceSlopeLine(*set, site, day, c.tilt, c.azimuth, csv);
                }
            }
            EXPECT_EQ(Export(request), expected);
            EXPECT_EQ(status, WriteStatus::Completed);
        }
    }
}

TEST_F(ExportTest, SlopeTxtLineHoldsTheDataLayout) {
    HourlyExportRequest request;
    request.month = 1;
    request.day = 1;
    request.format = ExportFormat::Txt;
    request.dataKind = DataKind::Slope;
    request.slopeOptions = {HourlyAngleMode::Orientation, 7, 5, 1};
    std::vector<std::string> lines = SplitCrLfLines(Export(request));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].size(), 160u);
    EXPECT_EQ(lines[1].substr(0, 15), "00507  1 1-12.2");
    EXPECT_EQ(lines[1].substr(140, 20), " 8888" + lines[1].substr(145, 5) + " 8888    1");
}

TEST_F(ExportTest, WholeYearSlopeLineCounts) {
    struct Case {
        int mode, step;
        std::size_t linesPerDay;
    };
    for (Case c :
         {Case{0, 1, 360}, Case{0, 5, 72}, Case{1, 1, 91}, Case{1, 5, 19}, Case{2, 5, 1}}) {
        SCOPED_TRACE(c.linesPerDay);
        HourlyExportRequest request;
        request.exportKind = ExportKind::WholeYear;
        request.format = ExportFormat::Csv;
        request.dataKind = DataKind::Slope;
        request.slopeOptions = {*HourlyAngleModeFromIndex(c.mode), 25, 10, c.step};
        std::string bytes = Export(request);
        EXPECT_EQ(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')),
                  1 + 365 * c.linesPerDay);
        std::vector<std::string> lines = SplitCrLfLines(bytes);
        EXPECT_EQ(lines.back().substr(lines.back().size() - 4), ",365");
    }
}

TEST_F(ExportTest, SlopeOfASiteMissingFromTheCatalogueLeavesTheTargetAlone) {
    site.found = false;
    HourlyExportRequest request;
    request.dataKind = DataKind::Slope;
    const std::string kept = dir.Write("kept.csv", "the user's file");
    EXPECT_EQ(ExportHourlyData(*set, request, site, kept), WriteStatus::SiteMissing);
    EXPECT_EQ(test::ReadFileBytes(kept), "the user's file");
    const auto fresh = dir.path() / "fresh.csv";
    EXPECT_EQ(ExportHourlyData(*set, request, site, fresh.string()), WriteStatus::SiteMissing);
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_EQ(WriteStatusMessage(WriteStatus::SiteMissing),
              "地点一覧にこの地点がないため、斜面日射量データを出力できませんでした。");
}

TEST_F(ExportTest, UncreatableFileIsReported) {
    HourlyExportRequest request;
    EXPECT_EQ(ExportHourlyData(*set, request, site, (dir.path() / "no/such/x.csv").string()),
              WriteStatus::CannotCreate);
    EXPECT_EQ(ExportHourlyData(*set, request, site, dir.str()), WriteStatus::CannotCreate);
    EXPECT_EQ(WriteStatusMessage(WriteStatus::CannotCreate), "出力ファイルが開けません。");
}

// A file-size limit makes the write fail midway, as a full disk would.
TEST_F(ExportTest, FailedWriteLeavesTheExistingFileUntouched) {
    std::string target = dir.Write("keep.csv", "the user's old data\r\n");
    HourlyExportRequest request;
    request.exportKind = ExportKind::WholeYear;

    const WriteStatus result = test::WithFileSizeLimit(
        64 * 1024, [&] { return ExportHourlyData(*set, request, site, target); });

    EXPECT_EQ(result, WriteStatus::WriteFailed);
    EXPECT_EQ(ReadFileBytes(target), "the user's old data\r\n");
    EXPECT_EQ(WriteStatusMessage(result),
              "出力ファイルの書き込みに失敗しました。\n元のファイルは変更されていません。");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 2u); // data.txt and keep.csv: no temporary file left behind

    EXPECT_EQ(ExportHourlyData(*set, request, site, target), WriteStatus::Completed);
    EXPECT_EQ(WriteStatusMessage(WriteStatus::Completed), "データの出力が完了しました。");
}

TEST(CsvHeaderLine, RunsOfBlanksBecomeOneComma) {
    EXPECT_EQ(CsvHeaderLine("AAA   BBB  CCC"), "AAA,BBB,CCC");
    EXPECT_EQ(CsvHeaderLine("NoBlanksAtAll"), "NoBlanksAtAll");
    EXPECT_EQ(CsvHeaderLine(""), "");
    EXPECT_EQ(CsvHeaderLine("A \t B"), "A,B");
    EXPECT_EQ(CsvHeaderLine("A\tB"), "A\tB");
    EXPECT_EQ(CsvHeaderLine(" lead"), ",lead");
    EXPECT_EQ(CsvHeaderLine("trail   "), "trail,");
    // CP932 text: the full-width space (81 40) is not a blank.
    std::string header = Utf8ToCp932("札幌　平均年  ４７４１２");
    EXPECT_EQ(Cp932ToUtf8(CsvHeaderLine(header)), "札幌　平均年,４７４１２");
}

TEST(DefaultExportFileName, HorizontalPrefixesAndKinds) {
    HourlyExportRequest request;
    request.siteNumber = 47412;
    request.month = 3;
    request.day = 5;
    EXPECT_EQ(DefaultExportFileName(request), "hm474120305.csv");
    request.yearVariant = YearVariant::HighSunshine;
    request.format = ExportFormat::Txt;
    request.exportKind = ExportKind::Month;
    EXPECT_EQ(DefaultExportFileName(request), "hw4741203.txt");
    request.yearVariant = YearVariant::LowSunshine;
    request.exportKind = ExportKind::WholeYear;
    EXPECT_EQ(DefaultExportFileName(request), "hc47412year.txt");
    request.siteNumber = 815;
    request.exportKind = ExportKind::SunshineRanking;
    request.month = 11;
    request.day = 30;
    EXPECT_EQ(DefaultExportFileName(request), "hc8151130.txt");
}

TEST(DefaultExportFileName, SlopeSuffixes) {
    HourlyExportRequest request;
    request.siteNumber = 47412;
    request.month = 3;
    request.day = 3;
    request.dataKind = DataKind::Slope;
    request.slopeOptions = {HourlyAngleMode::FixedTilt, 30, 0, 5};
    EXPECT_EQ(DefaultExportFileName(request), "rm474120303_s30_5.csv");
    request.slopeOptions = {HourlyAngleMode::FixedTilt, 7, 0, 1};
    EXPECT_EQ(DefaultExportFileName(request), "rm474120303_s07_1.csv");
    request.yearVariant = YearVariant::HighSunshine;
    request.exportKind = ExportKind::Month;
    request.slopeOptions = {HourlyAngleMode::FixedAzimuth, 30, 5, 5};
    EXPECT_EQ(DefaultExportFileName(request), "rw4741203_d005_5.csv");
    request.yearVariant = YearVariant::LowSunshine;
    request.exportKind = ExportKind::WholeYear;
    request.format = ExportFormat::Txt;
    request.slopeOptions = {HourlyAngleMode::Orientation, 8, 45, 5};
    EXPECT_EQ(DefaultExportFileName(request), "rc47412year_d045s08.txt");
}

} // namespace
} // namespace quorvane

// The monthly-table command: the batch printing's pages as a PDF, one site's values
// as CSV.
#include "../monthly/monthly_file_writer.h"
#include "data/text_codec.h"
#include "monthly/monthly_table.h"
#include "pdf_pages.h"
#include "run_process.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace quorvane {
namespace {

using test::ShellQuote;

class CliMonthlyTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.Write("map/zahyo/point_amedas.txt",
                   "47401,稚内,11,45.41,141.68,3\n47402,北見枝幸,11,44.93,142.58,7\n"
                   "47404,羽幌,11,44.36,141.70,8\n");
        for (const char* site : {"m47401", "m47402"}) {
            kalvera.Write(site, test::JoinLines(test::MonthlyTestLines(), "\r\n"));
        }
    }
    test::ProcessResult Run(const std::string& arguments) {
        return test::RunProcess(QUORVANE_CLI_PATH,
                                "monthly-table --data-root " + ShellQuote(data.str()) +
                                    " --kalvera " + ShellQuote(kalvera.str()) + " " + arguments,
                                scratch, {});
    }
    std::string Out(const char* name) const { return (scratch.path() / name).string(); }

    test::TempDir data, kalvera, scratch;
};

TEST_F(CliMonthlyTableTest, WritesTwoPortraitPagesPerSite) {
    const test::ProcessResult result =
        Run("--sites 47401,47402 --pdf " + ShellQuote(Out("two.pdf")));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(test::PdfMediaBoxes(Out("two.pdf")),
              std::vector<std::string>(4, test::kA4PortraitBox));
    EXPECT_FALSE(std::filesystem::exists(Out("two.pdf") + ".partial"));
}

TEST_F(CliMonthlyTableTest, AFailedSiteIsPrintedAsZerosAndFailsTheRun) {
    // 47404 is in the catalogue but has no monthly file; 47999 is not in it.
    const test::ProcessResult result = Run("--all --pdf " + ShellQuote(Out("all.pdf")));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("47404"), std::string::npos) << result.err;
    EXPECT_EQ(test::PdfMediaBoxes(Out("all.pdf")).size(), 6u) << "every site's pages";

    const test::ProcessResult unknown =
        Run("--sites 47401,47999 --pdf " + ShellQuote(Out("u.pdf")));
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("47999"), std::string::npos) << unknown.err;
    EXPECT_EQ(test::PdfMediaBoxes(Out("u.pdf")).size(), 2u);
}

TEST_F(CliMonthlyTableTest, CsvHoldsOneSitesTable) {
    const test::ProcessResult result = Run("--site 47401 --csv " + ShellQuote(Out("t.csv")));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string csv = test::ReadFileBytes(Out("t.csv"));
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF月平均斜面日射量", 0), 0u);
    EXPECT_NE(csv.find("\r\n地点,稚内,緯度,45°24.9′"), std::string::npos);
    std::size_t lines = 0;
    for (char c : csv) {
        lines += c == '\n' ? 1 : 0;
    }
    EXPECT_EQ(lines, 131u);
    // The very text the table dialog copies and saves.
    auto record = std::make_unique<MonthlyRecord>();
    CollectingReporter reporter;
    ASSERT_EQ(LoadMonthlyData(kalvera.str(), 47401, *record, reporter), LoadStatus::Ok);
    EXPECT_EQ(csv, MonthlyTableCsv(*record, "稚内"));

    EXPECT_EQ(Run("--sites 47401,47402 --csv " + ShellQuote(Out("x.csv"))).exitCode, 2);
    EXPECT_EQ(Run("--site 47401").exitCode, 2) << "nothing to write";
    EXPECT_EQ(Run("--site 47401 --all --pdf " + ShellQuote(Out("y.pdf"))).exitCode, 2);
}

} // namespace
} // namespace quorvane

#include "../monthly/monthly_file_writer.h"
#include "run_process.h"
#include "temp_dir.h"
#include "text_lines.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace quorvane::test;

namespace {

class CliMonthlyTest : public ::testing::Test {
protected:
    ProcessResult Run(const std::string& arguments) {
        return RunProcess(QUORVANE_CLI_PATH, "monthly " + arguments, dir);
    }
    std::string Folder() const { return "'" + dir.str() + "/kalvera'"; }

    TempDir dir;
};

std::string ExpectedValues(int lineNumber) {
    std::string text;
    for (int k = 0; k < 17; ++k) {
        text += " " + std::to_string(MonthlyTestValue(lineNumber, k));
    }
    return text;
}

} // namespace

TEST_F(CliMonthlyTest, PrintsEveryStoredRowInOrder) {
    dir.Write("kalvera/m47401", JoinLines(MonthlyTestLines(), "\r\n"));
    ProcessResult result = Run("--kalvera " + Folder() + " --site 47401");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 13u * 10u + 3u + 8u);
    std::size_t i = 0;
    for (int c = 0; c <= 12; ++c) {
        for (int d = 0; d <= 9; ++d, ++i) {
            int source = d == 0 ? 2 : PlaneLineNumber(c, d);
            EXPECT_EQ(lines[i], "plane " + std::to_string(c) + " " + std::to_string(d) +
                                    ExpectedValues(source));
        }
    }
    for (int r = 0; r < 3; ++r, ++i) {
        EXPECT_EQ(lines[i], "variation " + std::to_string(r) + ExpectedValues(2 + r));
    }
    for (int r = 0; r < 8; ++r, ++i) {
        EXPECT_EQ(lines[i], "optimum " + std::to_string(r) + ExpectedValues(122 + r));
    }
}

TEST_F(CliMonthlyTest, NegativeValuesAndSiteNumberPadding) {
    auto lines = MonthlyTestLines();
    lines[121] = MonthlyValueLine("", {"-1.234", "3.456"});
    dir.Write("kalvera/m00012", JoinLines(lines, "\n"));
    ProcessResult result = Run("--kalvera " + Folder() + " --site 12");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("\noptimum 0 -122 346 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"),
              std::string::npos);
}

TEST_F(CliMonthlyTest, LoaderMessageGoesToStderr) {
    ProcessResult missing = Run("--kalvera " + Folder() + " --site 47401");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "KALVERA-11データの読み込みに失敗しました。\n"
                           "メニュー画面に戻り、データフォルダの設定を行ってください。\n");

    dir.Write("kalvera/m47401", "too short\n");
    ProcessResult shortFile = Run("--kalvera " + Folder() + " --site 47401");
    EXPECT_EQ(shortFile.exitCode, 1);
    EXPECT_EQ(shortFile.err, "想定外のデータ形式です。\nデータファイルを確認してください。\n");
}

TEST_F(CliMonthlyTest, BadOptionsPrintUsage) {
    for (const std::string& arguments : std::vector<std::string>{
             "", "--site 1", "--kalvera " + Folder(), "--kalvera " + Folder() + " --site x",
             "--kalvera " + Folder() + " --site", "--kalvera " + Folder() + " --site 1 extra"}) {
        ProcessResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments;
        EXPECT_NE(result.err.find("quorvane-cli monthly --kalvera DIR --site N"), std::string::npos)
            << arguments;
        EXPECT_EQ(result.out, "");
    }
}

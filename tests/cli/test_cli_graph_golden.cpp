// The graph commands draw exactly what they drew when these pictures and tooltip
// lists were recorded: the same pixels and the same hover areas, case by case. A
// change of the drawing that is meant shows here first; rerun with
// QUORVANE_WRITE_GOLDEN=1 to record the new pictures, and look at them before
// committing.
#include "../hourly/hourly_sample.h"
#include "../monthly/monthly_file_writer.h"
#include "data/text_codec.h"
#include "run_process.h"
#include "temp_dir.h"

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using test::RunProcess;
using test::ShellQuote;

struct GoldenCase {
    const char* name;
    const char* command; // after the data options
};

constexpr GoldenCase kCases[] = {
    {"hourly-horizontal-day", "graph --site 47412 --kind horizontal --view day --month 7 --day 12"},
    {"hourly-horizontal-month-hidden",
     "graph --site 47412 --kind horizontal --view month --month 3 --hide 2,8"},
    {"hourly-horizontal-10days", "graph --site 47412 --kind horizontal --view 10days --month 12 "
                                 "--day 25"},
    {"hourly-slope-tilt-day", "graph --site 47412 --kind slope --view day --month 5 --day 3 "
                              "--mode 0 --tilt 36 --azimuth 0"},
    {"hourly-slope-azimuth-month", "graph --site 47412 --kind slope --view month --month 2 "
                                   "--mode 1 --tilt 30 --azimuth 45"},
    {"hourly-slope-orientation-10days", "graph --site 47412 --kind slope --view 10days --month 8 "
                                        "--day 1 --mode 2 --tilt 20 --azimuth 300 --hide 1"},
    {"hourly-ranking", "graph --site 47412 --kind horizontal --view irradiation-rank --month 6"},
    {"monthly-by-month", "monthly-graph --site 47412 --display 0 --angle-mode 0 --month 7"},
    {"monthly-orientation-tilt", "monthly-graph --site 47412 --display 1 --angle-mode 0 --month 7 "
                                 "--tilt 30 --azimuth 0 --hide 1"},
    {"monthly-orientation-one", "monthly-graph --site 47412 --display 1 --angle-mode 2 --month 7 "
                                "--tilt 20 --azimuth -45"},
    {"monthly-optimum", "monthly-graph --site 47412 --display 1 --angle-mode 3 --month 7"},
    {"monthly-variation", "monthly-graph --site 47412 --display 2 --angle-mode 0 --month 7"},
};

class GraphGolden : public ::testing::Test {
protected:
    void SetUp() override {
        data.Write("map/zahyo/point_amedas.txt", "47412,旭川,12,43.77,142.37,120\n");
        data.Write("map/zahyo/sunrise_sunset/47412", test::MakeSampleSunriseFile());
        hourly.Write("平均年/mea47412.txt",
                     test::MakeSampleHourlyFile(Utf8ToCp932("旭川  平均年   HORIX"), "\r\n", 5));
        kalvera.Write("m47412", test::JoinLines(test::MonthlyTestLines(), "\r\n"));
    }

    test::TempDir data;
    test::TempDir hourly;
    test::TempDir kalvera;
    test::TempDir scratch;
};

TEST_F(GraphGolden, EveryRecordedGraphIsDrawnAsBefore) {
    const fs::path golden = fs::path(QUORVANE_GOLDEN_DIR);
    const bool write = std::getenv("QUORVANE_WRITE_GOLDEN") != nullptr;
    for (const GoldenCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const fs::path png = scratch.path() / (std::string(c.name) + ".png");
        const fs::path json = scratch.path() / (std::string(c.name) + ".json");
        const bool monthly = std::string(c.command).rfind("monthly", 0) == 0;
        const std::string database = monthly ? " --kalvera " + ShellQuote(kalvera.str())
                                             : " --hourly " + ShellQuote(hourly.str());
        const auto result =
            RunProcess(QUORVANE_CLI_PATH,
                       std::string(c.command) + " --data-root " + ShellQuote(data.str()) +
                           database + " --width 840 --height 560 --png " +
                           ShellQuote(png.string()) + " --tooltips " + ShellQuote(json.string()),
                       scratch, {});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        if (write) {
            fs::copy_file(png, golden / png.filename(), fs::copy_options::overwrite_existing);
            fs::copy_file(json, golden / json.filename(), fs::copy_options::overwrite_existing);
            continue;
        }
        EXPECT_EQ(test::ReadFileBytes(json), test::ReadFileBytes(golden / json.filename()));
        const QImage drawn(QString::fromStdString(png.string()));
        const QImage recorded(QString::fromStdString((golden / png.filename()).string()));
        ASSERT_FALSE(recorded.isNull());
        ASSERT_EQ(drawn.size(), recorded.size());
        const QImage a = drawn.convertToFormat(QImage::Format_ARGB32);
        const QImage b = recorded.convertToFormat(QImage::Format_ARGB32);
        int differing = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0);
    }
}

} // namespace
} // namespace quorvane

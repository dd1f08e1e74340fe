// The graph command draws the viewer's graph and lists its tooltips as the viewer
// registers them.
#include "../hourly/hourly_sample.h"
#include "../monthly/monthly_file_writer.h"
#include "data/hourly_file.h"
#include "data/text_codec.h"
#include "hourly/hourly_graph.h"
#include "monthly/monthly_graph.h"
#include "run_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <memory>

namespace quorvane {
namespace {

using test::RunProcess;
using test::ShellQuote;
using test::TempDir;

std::string JsonEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '"' ? std::string("\\\"") : std::string(1, c);
    }
    return out;
}

// The tooltip list as the graph commands write it.
std::string TooltipJsonOf(const std::vector<tagGraphToolTip>& tips) {
    std::string out = "[";
    for (std::size_t i = 0; i < tips.size(); ++i) {
        const tagGraphToolTip& t = tips[i];
        out += i == 0 ? "\n" : ",\n";
        out += "{\"left\": " + std::to_string(t.left) + ", \"top\": " + std::to_string(t.top) +
               ", \"right\": " + std::to_string(t.right) +
               ", \"bottom\": " + std::to_string(t.bottom) + ", \"text\": \"" +
               JsonEscaped(t.text) + "\"}";
    }
    return out + "\n]\n";
}

class CliGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.Write("map/zahyo/point_amedas.txt", "47412,旭川,12,43.77,142.37,120\n");
        data.Write("map/zahyo/sunrise_sunset/47412", test::MakeSampleSunriseFile());
        hourly.Write("平均年/mea47412.txt",
                     test::MakeSampleHourlyFile(Utf8ToCp932("旭川  平均年   HORIX"), "\r\n", 5));
    }
    test::ProcessResult Run(const std::string& arguments) {
        return RunProcess(QUORVANE_CLI_PATH,
                          "graph --data-root " + ShellQuote(data.str()) + " --hourly " +
                              ShellQuote(hourly.str()) + " " + arguments,
                          scratch, {});
    }
    // The tooltips the viewer registers for the same graph, as the command writes them.
    std::string ExpectedJson(HourlyGraphInput in, int width, int height,
                             const std::vector<int>& hidden) {
        auto set = std::make_unique<HourlyDataSet>();
        CollectingReporter reporter;
        EXPECT_EQ(
            LoadHourlyData(*set, YearVariant::Average, 47412, hourly.str(), data.str(), reporter),
            LoadStatus::Ok);
        in.set = set.get();
        in.loaded = true;
        in.site = {true, 142.37, 43.77, 120.0};
        in.siteName = "旭川";
        const GraphRect graph{0, 0, width, height};
        std::vector<CHanreiObj> legend = BuildHourlyLegend(in, graph);
        for (int i : hidden) {
            legend[static_cast<std::size_t>(i)].visible = false;
        }
        return TooltipJsonOf(ComputeHourlyScene(in, graph, legend).tooltips);
    }

    std::string Out(const char* name) const { return ShellQuote((scratch.path() / name).string()); }

    TempDir data;
    TempDir hourly;
    TempDir scratch;
};

TEST_F(CliGraphTest, TooltipsEqualTheViewersForHorizontalAndSlopeGraphs) {
    auto result = Run("--site 47412 --kind horizontal --view day --month 7 --day 12 --hide 2,8 "
                      "--width 900 --height 560 --png " +
                      Out("g.png") + " --tooltips " + Out("g.json"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    HourlyGraphInput in;
    in.month = 7;
    in.day = 12;
    EXPECT_EQ(test::ReadFileBytes(scratch.path() / "g.json"), ExpectedJson(in, 900, 560, {2, 8}));
    EXPECT_GT(test::ReadFileBytes(scratch.path() / "g.png").size(), 1000u);

    result = Run("--site 47412 --kind slope --view month --month 2 --mode 2 --tilt 20 "
                 "--azimuth 45 --width 1000 --height 600 --tooltips " +
                 Out("s.json"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    in = {};
    in.dataKind = DataKind::Slope;
    in.view = HourlyView::Month;
    in.angleMode = HourlyAngleMode::Orientation;
    in.tiltDeg = 20;
    in.azimuthDeg = 45;
    in.month = 2;
    EXPECT_EQ(test::ReadFileBytes(scratch.path() / "s.json"), ExpectedJson(in, 1000, 600, {}));
}

TEST_F(CliGraphTest, UnknownSitesAndBadOptionsFail) {
    auto result = Run("--site 11111 --kind horizontal --view day --month 1 --width 400 "
                      "--height 300 --png " +
                      Out("x.png"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("HORIX-11データの読み込みに失敗しました。"), std::string::npos);
    EXPECT_EQ(
        Run("--site 47412 --kind sideways --view day --month 1 --width 400 --height 300").exitCode,
        2);
    EXPECT_EQ(Run("--site 47412 --kind slope --view day --month 2 --day 30 --width 400 "
                  "--height 300")
                  .exitCode,
              2);
}

TEST_F(CliGraphTest, MonthlyGraphTooltipsEqualTheViewersInEveryChart) {
    TempDir kalvera;
    kalvera.Write("m47412", test::JoinLines(test::MonthlyTestLines(), "\r\n"));
    auto record = std::make_unique<MonthlyRecord>();
    CollectingReporter reporter;
    ASSERT_EQ(LoadMonthlyData(kalvera.str(), 47412, *record, reporter), LoadStatus::Ok);
    struct Case {
        MonthlyDisplay display;
        MonthlyAngleMode mode;
        int tilt, azimuth;
    };
    for (const Case& c : {Case{MonthlyDisplay::Month, MonthlyAngleMode::FixedTilt, 0, 0},
                          Case{MonthlyDisplay::Orientation, MonthlyAngleMode::FixedTilt, 30, 0},
                          Case{MonthlyDisplay::Orientation, MonthlyAngleMode::Orientation, 20, -45},
                          Case{MonthlyDisplay::Orientation, MonthlyAngleMode::OptimumTilt, 0, 0},
                          Case{MonthlyDisplay::Variation, MonthlyAngleMode::FixedTilt, 0, 0}}) {
        const std::string json = Out("m.json");
        const auto result = RunProcess(
            QUORVANE_CLI_PATH,
            "monthly-graph --data-root " + ShellQuote(data.str()) + " --kalvera " +
                ShellQuote(kalvera.str()) + " --site 47412 --display " +
                std::to_string(ToIndex(c.display)) + " --angle-mode " +
                std::to_string(ToIndex(c.mode)) + " --month 7 --tilt " + std::to_string(c.tilt) +
                " --azimuth " + std::to_string(c.azimuth) +
                " --hide 1 --width 840 --height 560 --tooltips " + json + " --pdf " + Out("m.pdf"),
            scratch, {});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        MonthlyGraphInput in;
        in.record = record.get();
        in.loaded = true;
        in.siteFound = true;
        in.siteName = "旭川";
        in.display = c.display;
        in.angleMode = c.mode;
        in.tiltDeg = c.tilt;
        in.azimuthDeg = c.azimuth;
        in.month = 7;
        const GraphRect graph{0, 0, 840, 560};
        std::vector<CHanreiObj> legend = BuildMonthlyLegend(in, graph);
        if (legend.size() > 1) {
            legend[1].visible = false;
        }
        const MonthlyScene scene = ComputeMonthlyScene(in, graph, legend);
        EXPECT_EQ(test::ReadFileBytes(scratch.path() / "m.json"), TooltipJsonOf(scene.tooltips))
            << ToIndex(c.display) << " " << ToIndex(c.mode);
        EXPECT_EQ(test::ReadFileBytes(scratch.path() / "m.pdf").substr(0, 4), "%PDF");
    }
}

} // namespace
} // namespace quorvane

#include "data/hourly_file.h"
#include "data/text_codec.h"
#include "hourly/export.h"
#include "hourly/periods.h"
#include "hourly/weather_file.h"

#include "../hourly/hourly_sample.h"
#include "run_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace quorvane {
namespace {

using test::ProcessResult;
using test::ReadFileBytes;
using test::RunProcess;
using test::ShellQuote;
using test::TempDir;

constexpr int kSite = 47412;

class CliExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.Write("map/zahyo/point_amedas.txt",
                   "14163,札幌,11,43.06,141.33,17\n47412,旭川,12,43.77,142.37,120\n");
        data.Write("map/zahyo/sunrise_sunset/47412", test::MakeSampleSunriseFile());
        hourly.Write("平均年/mea47412.txt",
                     test::MakeSampleHourlyFile(Utf8ToCp932("旭川  平均年   HORIX"), "\r\n", 5));
        hourly.Write("多照年/max47412.txt",
                     test::MakeSampleHourlyFile(Utf8ToCp932("旭川 多照年"), "\n", 6));
        // Sites in the data but not in the catalogue.
        hourly.Write("平均年/mea00001.txt", test::MakeSampleHourlyFile("x", "\r\n", 7));
        data.Write("map/zahyo/sunrise_sunset/00001", test::MakeSampleSunriseFile());
    }

    ProcessResult RunCli(const std::string& arguments, const std::string& environment = "") {
        return RunProcess(QUORVANE_CLI_PATH, arguments, scratch,
                          {.environment = environment, .input = std::nullopt});
    }

    ProcessResult Run(const std::string& arguments, const std::string& environment = "") {
        return RunCli("export " + arguments, environment);
    }

    std::string Source(int variant = 0, int site = kSite) const {
        return "--data-root " + ShellQuote(data.str()) + " --hourly " + ShellQuote(hourly.str()) +
               " --site " + std::to_string(site) + " --variant " + std::to_string(variant);
    }

    // What the viewer writes for the same request.
    std::string ViewerExport(const HourlyExportRequest& request, const SitePosition& site) {
        auto set = std::make_unique<HourlyDataSet>();
        CollectingReporter reporter;
        EXPECT_EQ(LoadHourlyData(*set, request.yearVariant, request.siteNumber, hourly.str(),
                                 data.str(), reporter),
                  LoadStatus::Ok);
        std::string path = (scratch.path() / "viewer").string();
        EXPECT_EQ(ExportHourlyData(*set, request, site, path), WriteStatus::Completed);
        return ReadFileBytes(path);
    }

    TempDir data;
    TempDir hourly;
    TempDir scratch;
    const SitePosition asahikawa{true, 142.37, 43.77, 120.0};
};

TEST_F(CliExportTest, HorizontalPeriodsWriteTheViewersBytes) {
    struct Case {
        const char* period;
        ExportKind kind;
        const char* format;
    };
    for (Case c :
         {Case{"day", ExportKind::Day, "csv"}, Case{"month", ExportKind::Month, "txt"},
          Case{"10days", ExportKind::TenDays, "csv"}, Case{"year", ExportKind::WholeYear, "txt"}}) {
        SCOPED_TRACE(c.period);
        std::string out = (scratch.path() / "h.out").string();
        ProcessResult run =
            Run(Source(1) + " --period " + c.period + " --month 12 --day 28 --format " + c.format +
                " --output " + ShellQuote(out));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        HourlyExportRequest request;
        request.exportKind = c.kind;
        request.yearVariant = YearVariant::HighSunshine;
        request.siteNumber = kSite;
        request.month = 12;
        request.day = 28;
        request.format = c.format[0] == 'c' ? ExportFormat::Csv : ExportFormat::Txt;
        EXPECT_EQ(ReadFileBytes(out), ViewerExport(request, asahikawa));
    }
}

TEST_F(CliExportTest, SlopeExportToAFolderUsesTheDefaultName) {
    ProcessResult run = Run(Source() +
                            " --period month --month 3 --format txt --slope --mode 1"
                            " --azimuth 5 --step 5 --output-dir " +
                            ShellQuote(scratch.str()));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    HourlyExportRequest request;
    request.exportKind = ExportKind::Month;
    request.siteNumber = kSite;
    request.month = 3;
    request.format = ExportFormat::Txt;
    request.dataKind = DataKind::Slope;
    request.slopeOptions = {HourlyAngleMode::FixedAzimuth, 44, 5, 5};
    std::string bytes = ReadFileBytes(scratch.path() / "rm4741203_d005_5.txt");
    EXPECT_EQ(bytes, ViewerExport(request, asahikawa));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1 + 31 * 19);
}

TEST_F(CliExportTest, SlopeTiltDefaultsToTheSitesLatitude) {
    ProcessResult run = Run(Source() + " --period day --format csv --slope --output-dir " +
                            ShellQuote(scratch.str()));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(scratch.path() / "rm474120101_s44_1.csv"));
}

TEST_F(CliExportTest, SlopeOfASiteMissingFromTheCatalogueKeepsTheOldFile) {
    std::string out = scratch.Write("s.csv", "old");
    ProcessResult run = Run(Source(0, 1) +
                            " --period day --format csv --slope --mode 2 --tilt 30"
                            " --azimuth 0 --output " +
                            ShellQuote(out));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("地点一覧にこの地点がない"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(out), "old");
}

TEST_F(CliExportTest, LoadFailuresPrintTheLoadersMessage) {
    ProcessResult run =
        Run(Source(2) + " --period day --format csv --output-dir " + ShellQuote(scratch.str()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "HORIX-11データの読み込みに失敗しました。\n"
                       "メニュー画面に戻り、データフォルダの設定を行ってください。\n");

    std::filesystem::remove(data.path() / "map/zahyo/sunrise_sunset/47412");
    run = Run(Source() + " --period day --format csv --output-dir " + ShellQuote(scratch.str()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "日の出・日の入りデータの読み込みに失敗しました。\n");
}

TEST_F(CliExportTest, UncreatableOutputFails) {
    ProcessResult run = Run(Source() + " --period day --format csv --output " +
                            ShellQuote((scratch.path() / "none/x.csv").string()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "出力ファイルが開けません。\n");
}

TEST_F(CliExportTest, OutputsThatAreTheProgramsOwnInputsAreRefused) {
    const std::string database = (hourly.path() / "平均年/mea47412.txt").string();
    const std::string before = ReadFileBytes(database);
    const std::string refused = "プログラムが読み込むデータファイルには出力できません。";
    ProcessResult run =
        Run(Source() + " --period day --format csv --output " + ShellQuote(database));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(refused), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(database), before);

    // Through a link, and with a generated name in the data folder.
    std::filesystem::create_symlink(database, scratch.path() / "link.csv");
    run = Run(Source() + " --period day --format csv --output " +
              ShellQuote((scratch.path() / "link.csv").string()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ReadFileBytes(database), before);
    run = Run(Source() + " --period year --format epw --output-dir " + ShellQuote(data.str()));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(refused), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(data.path() / "47412_mea.epw"));

    // A new file of the user's beside the databases is written.
    run = Run(Source() + " --period day --format csv --output " +
              ShellQuote((hourly.path() / "mine.csv").string()));
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

TEST_F(CliExportTest, BadOptionsPrintUsage) {
    const char* cases[] = {
        "--period week --format csv --output x",
        "--period day --format xls --output x",
        "--period day --format csv",
        "--period day --format csv --output x --output-dir y",
        "--period day --format csv --month 2 --day 29 --output x",
        "--period day --format csv --slope --step 2 --output x",
        "--period day --format csv --slope --tilt 91 --output x",
        "--period day --format csv --tilt 30 --output x",
        "--period day --format csv --output x stray",
    };
    for (const char* arguments : cases) {
        SCOPED_TRACE(arguments);
        ProcessResult run = Run(Source() + " " + arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("usage: quorvane-cli export"), std::string::npos);
    }
    ProcessResult run = RunCli("export --period day --format csv --output x");
    EXPECT_EQ(run.exitCode, 2);
    ProcessResult variant = Run(Source(3) + " --period day --format csv --output x");
    EXPECT_EQ(variant.exitCode, 2);
}

TEST_F(CliExportTest, HourlyFolderDefaultsToTheSettingsFile) {
    TempDir config;
    config.Write("Quorvane/system.ini", "[DataDir]\nHorix=" + hourly.str() + "\n");
    ProcessResult run = Run("--data-root " + ShellQuote(data.str()) +
                                " --site 47412 --period day --format csv --output " +
                                ShellQuote((scratch.path() / "d.csv").string()),
                            "XDG_CONFIG_HOME=" + ShellQuote(config.str()));
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

class CliRankTest : public CliExportTest {};

TEST_F(CliRankTest, PrintsBothRankingsSeparatedByAnEmptyLine) {
    auto set = std::make_unique<HourlyDataSet>();
    CollectingReporter reporter;
    ASSERT_EQ(LoadHourlyData(*set, YearVariant::Average, kSite, hourly.str(), data.str(), reporter),
              LoadStatus::Ok);
    HourlyRankings rankings;
    BuildRankings(*set, 2, rankings);
    std::string expected;
    for (const std::string& text : rankings.irradiationTexts) {
        expected += text + "\n";
    }
    expected += "\n";
    for (const std::string& text : rankings.sunshineTexts) {
        expected += text + "\n";
    }

    ProcessResult run = RunCli("rank " + Source() + " --month 2");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 28 + 1 + 28);
    EXPECT_EQ(run.out.substr(0, std::string(" 1位：").size()), " 1位：");

    EXPECT_EQ(RunCli("rank " + Source() + " --month 13").exitCode, 2);
    EXPECT_EQ(RunCli("rank " + Source(2) + " --month 1").exitCode, 1);
}

TEST_F(CliExportTest, WeatherFilesAreWhatTheCoreWritesForTheCataloguesSite) {
    const std::string epw = (scratch.path() / "a.epw").string();
    ProcessResult one = Run(Source() + " --period year --format epw --output " + ShellQuote(epw));
    ASSERT_EQ(one.exitCode, 0) << one.err;
    auto set = std::make_unique<HourlyDataSet>();
    CollectingReporter reporter;
    ASSERT_EQ(LoadHourlyData(*set, YearVariant::Average, kSite, hourly.str(), data.str(), reporter),
              LoadStatus::Ok);
    CAmedasPoint site;
    site.siteNumber = kSite;
    site.latitudeDeg = 43.77;
    site.longitudeDeg = 142.37;
    site.elevationM = 120;
    EXPECT_EQ(ReadFileBytes(epw), WeatherFileText(WeatherFormat::Epw, BuildWeatherYear(*set, site),
                                                  site, YearVariant::Average));

    // Every site of the catalogue, three formats at once: 札幌 has no file.
    const std::string dir = (scratch.path() / "all").string();
    std::filesystem::create_directories(dir);
    ProcessResult all =
        Run("--data-root " + ShellQuote(data.str()) + " --hourly " + ShellQuote(hourly.str()) +
            " --all --period year --format epw,sam,tmy3 --output-dir " + ShellQuote(dir));
    EXPECT_EQ(all.exitCode, 1) << "one site failed to load";
    for (const char* name : {"47412_mea.epw", "47412_mea_sam.csv", "47412_mea_tmy3.csv"}) {
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir) / name)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(dir) / "14163_mea.epw"));
}

TEST_F(CliExportTest, WeatherFilesRefuseWhatTheyCannotWrite) {
    ProcessResult missing =
        Run(Source(0, 1) + " --period year --format sam --output-dir " + ShellQuote(scratch.str()));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("地点一覧にこの地点がないため"), std::string::npos);
    EXPECT_EQ(Run(Source() + " --period month --format epw --output x.epw").exitCode, 2);
    EXPECT_EQ(Run(Source() + " --period year --format epw,sam --output x.epw").exitCode, 2);
    EXPECT_EQ(Run(Source() + " --period year --format epw --slope --output x.epw").exitCode, 2);
    EXPECT_EQ(Run(Source() + " --period year --format epw,xls --output x").exitCode, 2);
    const std::string kept = scratch.Write("kept.epw", "old\r\n");
    EXPECT_EQ(Run(Source() + " --period year --format epw --output " +
                  ShellQuote((scratch.path() / "no/such/dir/x.epw").string()))
                  .exitCode,
              1);
    EXPECT_EQ(ReadFileBytes(kept), "old\r\n");
}

} // namespace
} // namespace quorvane

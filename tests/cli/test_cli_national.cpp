// The national command against the per-site commands (yield, monthly) on every site
// of a generated kit.
#include "data/site_catalogue.h"
#include "kit_suite.h"
#include "run_process.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <map>
#include <sstream>

using namespace quorvane;
using namespace quorvane::test;

namespace {

class CliNationalTest : public GeneratedKitSuite<5, 21> {
protected:
    void SetUp() override {
        GeneratedKitSuite::SetUp();
        if (kit == nullptr) {
            return;
        }
        ASSERT_EQ(LoadSiteTable(Folder("data"), sites), LoadStatus::Ok);
    }
    ProcessResult Run(const std::string& command, const std::string& arguments) {
        ProcessOptions isolated;
        isolated.environment =
            "XDG_CONFIG_HOME=" + ShellQuote(scratch.str()) + " QT_QPA_PLATFORM=offscreen";
        return RunProcess(QUORVANE_CLI_PATH,
                          command + " --data-root " + ShellQuote(Folder("data")) + " --hourly " +
                              ShellQuote(Folder("HORIX-11")) + " --kalvera " +
                              ShellQuote(Folder("KALVERA-11")) + " " + arguments,
                          scratch, isolated);
    }
    std::string Out(const std::string& name) const {
        return ShellQuote((scratch.path() / name).string());
    }
    std::string Read(const std::string& name) const { return scratch.Read(name); }
    // Site number to value, from the national command's CSV.
    std::map<int, double> National(const std::string& arguments) {
        const ProcessResult result = Run("national", arguments + " --csv " + Out("n.csv"));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::map<int, double> values;
        std::istringstream rows(Read("n.csv"));
        std::string line;
        std::getline(rows, line);
        std::getline(rows, line);
        while (std::getline(rows, line)) {
            std::istringstream cells(line);
            std::string rank, site, name, area, value;
            std::getline(cells, rank, ',');
            std::getline(cells, site, ',');
            std::getline(cells, name, ',');
            std::getline(cells, area, ',');
            std::getline(cells, value, ',');
            values[std::atoi(site.c_str())] = std::strtod(value.c_str(), nullptr);
        }
        return values;
    }
    // A number of the yield command's JSON for one site.
    double Yield(int site, const std::string& arguments, const std::string& key) {
        const ProcessResult result = Run("yield", "--site " + std::to_string(site) + " " +
                                                      arguments + " --json " + Out("y.json"));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const std::string json = Read("y.json");
        return std::strtod(json.c_str() + json.find("\"" + key + "\": ") + key.size() + 4, nullptr);
    }
    // The stored value (x 100) of the monthly command's row `label` at `column`.
    int Monthly(int site, const std::string& label, int column) {
        const ProcessResult result = Run("monthly", "--site " + std::to_string(site));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::istringstream lines(result.out);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind(label + " ", 0) == 0) {
                std::istringstream fields(line.substr(label.size() + 1));
                int value = 0;
                for (int k = 0; k <= column; ++k) {
                    fields >> value;
                }
                return value;
            }
        }
        ADD_FAILURE() << "no row " << label;
        return 0;
    }

    std::vector<CAmedasPoint> sites;
    TempDir scratch;
};

} // namespace

TEST_F(CliNationalTest, HourlyQuantitiesEqualTheYieldCommandForEverySite) {
    const std::map<int, double> poa =
        National("--quantity poa --tilt 25 --azimuth 300 --variant 2");
    const std::map<int, double> yield =
        National("--quantity yield --tilt 25 --azimuth 300 --losses 10");
    const std::map<int, double> pr = National("--quantity pr --tilt 25 --azimuth 300 --variant 1");
    const std::map<int, double> spread = National("--quantity spread --tilt 25 --azimuth 300");
    ASSERT_EQ(poa.size(), sites.size());
    for (const CAmedasPoint& site : sites) {
        SCOPED_TRACE(site.siteNumber);
        const int n = site.siteNumber;
        const std::string plane = "--method hourly --tilt 25 --azimuth 300";
        EXPECT_EQ(poa.at(n), Yield(n, plane + " --variant 2", "poa_kwh_m2"));
        EXPECT_EQ(yield.at(n), Yield(n, plane + " --losses 10", "specific_yield"));
        EXPECT_EQ(pr.at(n), Yield(n, plane + " --variant 1", "performance_ratio"));
        const double average = Yield(n, plane, "annual_kwh");
        const double high = Yield(n, plane + " --variant 1", "annual_kwh");
        const double low = Yield(n, plane + " --variant 2", "annual_kwh");
        EXPECT_EQ(spread.at(n), (high - low) / average * 100.0);
    }
}

TEST_F(CliNationalTest, MonthlyQuantitiesEqualTheMonthlyAndYieldCommandsForEverySite) {
    const std::map<int, double> july =
        National("--quantity monthly --tilt 34 --azimuth 350 --month 7");
    const std::map<int, double> optimum = National("--quantity optimum-tilt");
    const std::map<int, double> yield =
        National("--quantity yield --method monthly --tilt 34 --azimuth 350 --mounting roof");
    ASSERT_EQ(july.size(), sites.size());
    for (const CAmedasPoint& site : sites) {
        SCOPED_TRACE(site.siteNumber);
        const int n = site.siteNumber;
        // 30 degrees, 15 east of south: azimuth index 1, tilt index 3; July is column 6.
        EXPECT_EQ(july.at(n), Monthly(n, "plane 1 3", 6) / 100.0);
        EXPECT_EQ(optimum.at(n), Monthly(n, "optimum 0", 12) / 100.0);
        EXPECT_EQ(yield.at(n), Yield(n, "--method monthly --tilt 34 --azimuth 350 --mounting roof",
                                     "specific_yield"));
    }
}

TEST_F(CliNationalTest, GeoJsonAndPictureOfEverySite) {
    const ProcessResult result = Run("national", "--quantity poa --tilt 30 --azimuth 0 --geojson " +
                                                     Out("n.geojson") + " --png " + Out("n.png"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string json = Read("n.geojson");
    for (const CAmedasPoint& site : sites) {
        EXPECT_NE(json.find("\"site\": " + std::to_string(site.siteNumber) + ","),
                  std::string::npos);
    }
    const std::size_t at = json.find("\"coordinates\": [") + 16;
    char* end = nullptr;
    EXPECT_EQ(std::strtod(json.c_str() + at, &end), sites[0].longitudeDeg) << "longitude first";
    EXPECT_EQ(std::strtod(end + 2, nullptr), sites[0].latitudeDeg);
    const QImage png(QString::fromStdString((scratch.path() / "n.png").string()));
    EXPECT_EQ(png.width(), 694 + 130);
    EXPECT_EQ(png.height(), 522 + 40);
}

TEST_F(CliNationalTest, BadInputIsRefusedAndNothingWritten) {
    for (const char* arguments :
         {"--quantity sunshine --tilt 30 --azimuth 0", "--quantity poa --tilt 95 --azimuth 0",
          "--quantity monthly --tilt 30 --azimuth 0 --month 13",
          "--quantity yield --tilt 30 --azimuth 0 --kw 0"}) {
        SCOPED_TRACE(arguments);
        const ProcessResult result =
            Run("national", std::string(arguments) + " --csv " + Out("bad.csv"));
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err, "");
        EXPECT_FALSE(std::filesystem::exists(scratch.path() / "bad.csv"));
    }
}

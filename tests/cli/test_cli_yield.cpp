#include "data/monthly_file.h"
#include "data/site_catalogue.h"
#include "kit_suite.h"
#include "run_process.h"
#include "yield/site_yield.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>

using namespace quorvane;
using namespace quorvane::test;

namespace {

// The numbers of a JSON array or value after `key`, read back from their digits.
std::vector<double> NumbersAfter(const std::string& json, const std::string& key) {
    std::vector<double> numbers;
    std::size_t at = json.find("\"" + key + "\": ");
    if (at == std::string::npos) {
        return numbers;
    }
    at += key.size() + 4;
    const bool list = json[at] == '[';
    const char* p = json.c_str() + at + (list ? 1 : 0);
    do {
        char* end = nullptr;
        numbers.push_back(std::strtod(p, &end));
        p = end;
        while (*p == ',' || *p == ' ') {
            ++p;
        }
    } while (list && *p != ']');
    return numbers;
}

class CliYieldTest : public GeneratedKitSuite<5, 11> {
protected:
    void SetUp() override {
        GeneratedKitSuite::SetUp();
        if (kit == nullptr) {
            return;
        }
        ASSERT_EQ(LoadSiteTable(Sources().mapFolder, sites), LoadStatus::Ok);
        ASSERT_GE(sites.size(), 3u);
    }
    static YieldSources Sources() {
        return {Folder("data"), Folder("HORIX-11"), Folder("KALVERA-11")};
    }
    ProcessResult Run(const std::string& arguments) {
        const YieldSources sources = Sources();
        return RunProcess(QUORVANE_CLI_PATH,
                          "yield --data-root " + ShellQuote(sources.mapFolder) + " --hourly " +
                              ShellQuote(sources.hourlyFolder) + " --kalvera " +
                              ShellQuote(sources.monthlyFolder) + " " + arguments,
                          scratch, Isolated());
    }
    // Without a settings file of the machine's.
    ProcessOptions Isolated() const {
        ProcessOptions options;
        options.environment = "XDG_CONFIG_HOME=" + ShellQuote(scratch.str());
        return options;
    }
    std::string Out(const std::string& name) const {
        return ShellQuote((scratch.path() / name).string());
    }
    std::string Read(const std::string& name) const { return scratch.Read(name); }

    std::vector<CAmedasPoint> sites;
    TempDir scratch;
};

void ExpectJsonHolds(const std::string& json, const YieldResult& expected) {
    const std::vector<double> months = NumbersAfter(json, "monthly_kwh");
    ASSERT_EQ(months.size(), 12u) << json;
    for (std::size_t m = 0; m < 12; ++m) {
        EXPECT_EQ(months[m], expected.monthlyKwh[m]) << "month " << m + 1;
    }
    EXPECT_EQ(NumbersAfter(json, "annual_kwh"), std::vector<double>{expected.annualKwh});
    EXPECT_EQ(NumbersAfter(json, "specific_yield"), std::vector<double>{expected.specificYield});
    EXPECT_EQ(NumbersAfter(json, "poa_kwh_m2"), std::vector<double>{expected.poaKwhM2});
    EXPECT_EQ(NumbersAfter(json, "performance_ratio"),
              std::vector<double>{expected.performanceRatio});
}

} // namespace

TEST_F(CliYieldTest, EachMethodWritesWhatTheCoreComputesToTheLastDigit) {
    const CAmedasPoint& site = sites[1];
    YieldRequest request;
    request.tiltDeg = 25;
    request.azimuthDeg = 340;
    request.hourly.ratingKw = 5.5;
    request.hourly.lossesPct = 10.0;
    request.hourly.dcAcRatio = 1.3;
    const SiteYield hourly = ComputeSiteYield(Sources(), site, request);
    ASSERT_TRUE(hourly.variants[1]) << hourly.problem;

    const ProcessResult one = Run("--site " + std::to_string(site.siteNumber) +
                                  " --method hourly --variant 1 --tilt 25 --azimuth 340 --kw 5.5 "
                                  "--losses 10 --dc-ac 1.3 --json " +
                                  Out("h.json") + " --csv " + Out("h.csv"));
    ASSERT_EQ(one.exitCode, 0) << one.err;
    const std::string json = Read("h.json");
    EXPECT_NE(json.find("\"method\": \"hourly\", \"variant\": 1, \"tilt\": 25, \"azimuth\": 340"),
              std::string::npos)
        << json;
    ExpectJsonHolds(json, *hourly.variants[1]);
    EXPECT_EQ(Read("h.csv"), YieldCsv(*hourly.variants[1]));

    request.method = YieldMethod::Monthly;
    request.monthly.mounting = Mounting::Integrated;
    request.monthly.kPm = 0.9;
    const SiteYield monthly = ComputeSiteYield(Sources(), site, request);
    ASSERT_TRUE(monthly.monthly) << monthly.problem;
    const ProcessResult two =
        Run("--site " + std::to_string(site.siteNumber) +
            " --method monthly --tilt 25 --azimuth 340 --mounting integrated --k-pm 0.9 --json " +
            Out("m.json"));
    ASSERT_EQ(two.exitCode, 0) << two.err;
    // The stored plane it used: 30 degrees, 15 east.
    EXPECT_NE(Read("m.json").find("\"method\": \"monthly\", \"tilt\": 30, \"azimuth\": -15"),
              std::string::npos)
        << Read("m.json");
    ExpectJsonHolds(Read("m.json"), *monthly.monthly);
}

TEST_F(CliYieldTest, BadInputIsRefusedBeforeAnythingIsWritten) {
    const std::string site = "--site " + std::to_string(sites[0].siteNumber);
    const std::string plane = " --tilt 30 --azimuth 0";
    const std::vector<std::string> refused{
        site + " --method hourly --tilt 91 --azimuth 0",
        site + " --method hourly" + plane + " --kw 0",
        site + " --method hourly" + plane + " --kw -3",
        site + " --method hourly" + plane + " --kw nan",
        site + " --method hourly" + plane + " --kw inf",
        site + " --method hourly" + plane + " --losses 101",
        site + " --method hourly" + plane + " --inverter 0",
        site + " --method monthly" + plane + " --mounting wall",
        site + " --method monthly" + plane + " --k-hd 1.5",
        "--site 99999 --method hourly" + plane,
        site + " --method hourly" + plane + " --kw four",
    };
    for (const std::string& arguments : refused) {
        SCOPED_TRACE(arguments);
        const ProcessResult result = Run(arguments + " --json " + Out("r.json"));
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_NE(result.err, "");
        EXPECT_FALSE(std::filesystem::exists(scratch.path() / "r.json"));
    }
    // A site whose data files are not there.
    const ProcessResult missing =
        RunProcess(QUORVANE_CLI_PATH,
                   "yield --data-root " + ShellQuote(Sources().mapFolder) + " --hourly " +
                       ShellQuote(scratch.str()) + " " + site + " --method hourly" + plane +
                       " --json " + Out("r.json"),
                   scratch, Isolated());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err, "");
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "r.json"));
}

TEST_F(CliYieldTest, EverySiteTableHoldsEachSitesResult) {
    const ProcessResult result =
        Run("--all --output-dir " + Out("all") + " --method hourly --tilt 30 --azimuth 0");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::istringstream table(Read("all/yield_hourly.csv"));
    std::vector<std::string> rows;
    for (std::string line; std::getline(table, line);) {
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), sites.size() + 1);
    YieldRequest request;
    const SiteYield last = ComputeSiteYield(Sources(), sites.back(), request);
    ASSERT_TRUE(last.variants[2]);
    EXPECT_EQ(rows.back().rfind(std::to_string(sites.back().siteNumber) + "," + sites.back().name +
                                    "," + ExactDecimal(last.variants[0]->annualKwh) + ",",
                                0),
              0u)
        << rows.back();
    EXPECT_NE(rows.back().find("," + ExactDecimal(last.variants[2]->performanceRatio) + "\r"),
              std::string::npos);
}

TEST_F(CliYieldTest, TheOptimumScanNamesTheBestOfItsGrid) {
    const ProcessResult result = Run("--site " + std::to_string(sites[2].siteNumber) +
                                     " --optimum --csv " + Out("grid.csv"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::istringstream grid(Read("grid.csv"));
    std::string line;
    std::getline(grid, line);
    double best = -1.0;
    std::string bestRow;
    int rows = 0;
    while (std::getline(grid, line)) {
        ++rows;
        const double kwh = std::strtod(line.c_str() + line.rfind(',') + 1, nullptr);
        if (kwh > best) {
            best = kwh;
            bestRow = line.substr(0, line.rfind(','));
        }
    }
    EXPECT_EQ(rows, 91 * 37);
    const std::size_t comma = bestRow.find(',');
    EXPECT_EQ(result.out, "optimum tilt " + bestRow.substr(0, comma) + " azimuth " +
                              bestRow.substr(comma + 1) + " annual_kwh " + ExactDecimal(best) +
                              "\n");
}

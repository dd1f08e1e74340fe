// The find-site command: the lines it prints for sites and places, its exit codes.
#include "map/search_archive.h"
#include "run_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using test::ShellQuote;

class CliFindSiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.Write("map/zahyo/point_amedas.txt", "47401,稚内,10,45.4150,141.6783,3\n"
                                                 "47662,東京,44,35.6917,139.7500,25\n"
                                                 "44132,東京サンプル,44,35.5,139.8,10\n");
        data.Write("map/zahyo/code_map1.txt", "0,全国,0,122,24,146,46,全国,1,2\n");
        data.Write("map/zahyo/code_map2.txt", "1,北海道,0,139,41,146,46,北海道,1,2\n"
                                              "4,関東,0,136,34,141,37,関東,1,2\n");
        data.Write("map/zahyo/code_map3.txt", "10,北海道（道北）,1,140,43,144,46,道北,141,44\n"
                                              "44,東京都,4,138,35,140,36,東京,139,35\n");
        ASSERT_TRUE(WriteMunicipalityFile(
            MunicipalityFilePath(data.str(), 13),
            std::vector<MunicipalityRecord>{{"東京市０２", 1, 0, 139.25, 35.75}}));
        ASSERT_TRUE(
            WriteFacilityFile(FacilityFilePath(data.str(), 5),
                              std::vector<CF_CHIN>{{13, "東京サンプル大学", 139.5, 35.625}}));
    }
    test::ProcessResult Run(const std::string& arguments) {
        return test::RunProcess(QUORVANE_CLI_PATH,
                                "find-site --data-root " + ShellQuote(data.str()) + " " + arguments,
                                scratch);
    }

    test::TempDir data, scratch;
};

TEST_F(CliFindSiteTest, PrintsSitesThenPlacesOneALine) {
    const test::ProcessResult result = Run(ShellQuote("東京"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "47662\t東京\t東京都\t139.750000\t35.691700\n"
                          "44132\t東京サンプル\t東京都\t139.800000\t35.500000\n"
                          "\t東京市０２\t東京都\t139.250000\t35.750000\n"
                          "\t東京サンプル大学\t東京都\t139.500000\t35.625000\n");
    EXPECT_TRUE(result.err.empty()) << result.err;
}

TEST_F(CliFindSiteTest, FindsByTheStartOfANumberInEitherWidth) {
    const std::string wakkanai = "47401\t稚内\t北海道（道北）\t141.678300\t45.415000\n";
    EXPECT_EQ(Run("474").out, wakkanai);
    EXPECT_EQ(Run(ShellQuote("４７４０１")).out, wakkanai);
    EXPECT_EQ(Run("47").out, wakkanai + "47662\t東京\t東京都\t139.750000\t35.691700\n");
    EXPECT_EQ(Run(ShellQuote("市02")).out, "\t東京市０２\t東京都\t139.250000\t35.750000\n")
        << "half-width digits find the full-width ones";
}

TEST_F(CliFindSiteTest, NothingFoundExitsOneAndPrintsNothing) {
    const test::ProcessResult result = Run(ShellQuote("大阪"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.empty());
    EXPECT_TRUE(result.err.empty()) << result.err;
    EXPECT_EQ(Run(ShellQuote("　")).exitCode, 1) << "a blank text matches nothing";
}

TEST_F(CliFindSiteTest, UsageAndUnreadableTables) {
    for (const char* arguments : {"", "東京 大学", "--data-root"}) {
        const test::ProcessResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments;
        EXPECT_NE(result.err.find("usage: quorvane-cli find-site"), std::string::npos);
    }
    const test::ProcessResult missing = test::RunProcess(
        QUORVANE_CLI_PATH, "find-site --data-root " + ShellQuote(scratch.str()) + " 東京", scratch);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("地点一覧が読み込めません。"), std::string::npos) << missing.err;
    EXPECT_TRUE(missing.out.empty());

    // A damaged search table is named; what can be found is still printed.
    data.Write("map/kensaku/005", std::string("\x05\x00\x00", 3));
    const test::ProcessResult damaged = Run(ShellQuote("東京"));
    EXPECT_EQ(damaged.exitCode, 0);
    EXPECT_NE(damaged.err.find("「005」"), std::string::npos) << damaged.err;
    EXPECT_EQ(damaged.out.find("大学"), std::string::npos);
    EXPECT_NE(damaged.out.find("東京市０２"), std::string::npos);
}

} // namespace
} // namespace quorvane

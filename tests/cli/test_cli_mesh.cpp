#include "run_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace quorvane::test;

namespace {

ProcessResult RunMesh(const TempDir& dir, const std::string& arguments) {
    return RunProcess(QUORVANE_CLI_PATH, "mesh " + arguments, dir);
}

} // namespace

TEST(CliMesh, PrintsTheCodesOfAPoint) {
    TempDir dir;
    ProcessResult result = RunMesh(dir, "139.7667 35.6833");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "5339 533946 53394611 53394\n");
    result = RunMesh(dir, "140 36");
    EXPECT_EQ(result.out, "5440 544000 54400000 54401\n") << "corners belong to the north-east";
}

TEST(CliMesh, RejectsBadArguments) {
    TempDir dir;
    for (const char* arguments : {"139.7", "139.7 35.6 1", "east 35.6", "139.7 35.6x", ""}) {
        ProcessResult result = RunMesh(dir, arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments;
        EXPECT_TRUE(result.out.empty());
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
    ProcessResult outside = RunMesh(dir, "99.5 35.0");
    EXPECT_EQ(outside.exitCode, 1);
    EXPECT_NE(outside.err.find("no mesh code"), std::string::npos);
    EXPECT_EQ(RunMesh(dir, "139.0 -1").exitCode, 1);
}

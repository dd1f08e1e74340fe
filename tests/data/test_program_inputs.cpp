#include "data/atomic_file.h"
#include "data/program_inputs.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempDir;

class ProgramInputsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root.Write("data/map/zahyo/point_amedas.txt", "1,a,1,35,139,10\n");
        root.Write("HORIX-11/平均年/mea47412.txt", "hourly");
        root.Write("HORIX-11/notes.txt", "mine");
        root.Write("KALVERA-11/m47412", "monthly");
        root.Write("KALVERA-11/47412", "older edition");
        inputs = {(root.path() / "data").string(), (root.path() / "HORIX-11").string(),
                  (root.path() / "KALVERA-11").string()};
    }
    void TearDown() override { ClearProtectedInputs(); }

    bool IsInput(const fs::path& path) const { return IsProgramInput(inputs, path.string()); }

    TempDir root;
    ProgramInputs inputs;
};

TEST_F(ProgramInputsTest, DataFolderAndDatabaseFilesAreInputs) {
    EXPECT_TRUE(IsInput(root.path() / "data/map/zahyo/point_amedas.txt"));
    EXPECT_TRUE(IsInput(root.path() / "data/new-file.csv")) << "anything under the data folder";
    EXPECT_TRUE(IsInput(root.path() / "HORIX-11/平均年/mea47412.txt"));
    EXPECT_TRUE(IsInput(root.path() / "HORIX-11/寡照年/min00001.txt")) << "even before it exists";
    EXPECT_TRUE(IsInput(root.path() / "KALVERA-11/m47412"));
    EXPECT_TRUE(IsInput(root.path() / "KALVERA-11/47412"));
    EXPECT_TRUE(IsInput(root.path() / "HORIX-11/../data/./x")) << "spelled round about";

    EXPECT_FALSE(IsInput(root.path() / "data")) << "the folder itself is not a file";
    EXPECT_FALSE(IsInput(root.path() / "data2/x")) << "a sibling sharing the name's start";
    EXPECT_FALSE(IsInput(root.path() / "HORIX-11/notes.txt"));
    EXPECT_FALSE(IsInput(root.path() / "HORIX-11/mea47412.txt")) << "not in a year folder";
    EXPECT_FALSE(IsInput(root.path() / "HORIX-11/平均年/mea47412.csv"));
    EXPECT_FALSE(IsInput(root.path() / "KALVERA-11/m47412.csv"));
    EXPECT_FALSE(IsInput(root.path() / "KALVERA-11/sub/m47412"));
    EXPECT_FALSE(IsProgramInput({}, (root.path() / "data/x").string())) << "nothing protected";
    EXPECT_FALSE(IsInput(""));
}

TEST_F(ProgramInputsTest, LinksAreFollowedToTheFileTheyReach) {
    fs::create_symlink(root.path() / "KALVERA-11/m47412", root.path() / "to-monthly");
    fs::create_directory_symlink(root.path() / "data", root.path() / "data-link");
    fs::create_directory_symlink(root.path() / "HORIX-11", root.path() / "horix-link");
    EXPECT_TRUE(IsInput(root.path() / "to-monthly"));
    EXPECT_TRUE(IsInput(root.path() / "data-link/new.csv"));
    EXPECT_TRUE(IsInput(root.path() / "horix-link/平均年/mea47412.txt"));
    // The folders given through links protect the same files.
    ProgramInputs linked{(root.path() / "data-link").string(), "", ""};
    EXPECT_TRUE(IsProgramInput(linked, (root.path() / "data/map/zahyo/point_amedas.txt").string()));
}

TEST_F(ProgramInputsTest, WritersRefuseProtectedTargetsAndLeaveThemAlone) {
    EXPECT_FALSE(IsProtectedInput((root.path() / "KALVERA-11/m47412").string()));
    ProtectProgramInputs({"", "", inputs.monthlyFolder});
    ProtectProgramInputs({inputs.mapFolder, "", ""});
    const fs::path monthly = root.path() / "KALVERA-11/m47412";
    EXPECT_TRUE(IsProtectedInput(monthly.string()));
    EXPECT_TRUE(IsProtectedInput((root.path() / "data/x").string())) << "earlier calls still hold";
    {
        AtomicFileWriter writer(monthly.string());
        EXPECT_FALSE(writer.IsOpen());
        EXPECT_TRUE(writer.TargetIsInput());
        writer.Write("export");
        EXPECT_EQ(writer.Commit(), WriteStatus::TargetIsInput);
    }
    EXPECT_EQ(ReadFileBytes(monthly), "monthly");
    EXPECT_EQ(
        std::distance(fs::directory_iterator(root.path() / "KALVERA-11"), fs::directory_iterator()),
        2)
        << "no temporary file left beside it";

    // A new file beside the databases is the user's to write.
    AtomicFileWriter beside((root.path() / "KALVERA-11/table.csv").string());
    EXPECT_TRUE(beside.IsOpen());
    beside.Write("ok");
    EXPECT_EQ(beside.Commit(), WriteStatus::Completed);
}

} // namespace
} // namespace quorvane

#include "data/file_io.h"
#include "data/hourly_file.h"
#include "data/monthly_file.h"
#include "data/reporter.h"
#include "data/site_catalogue.h"
#include "data/sunrise_sunset.h"
#include "temp_dir.h"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorvane;
using quorvane::test::ReadFileBytes;
using quorvane::test::TempDir;

TEST(ReadWholeFile, KeepsEveryByte) {
    TempDir dir;
    std::string bytes("a\r\nb\0c\x81\xff", 8);
    bytes += std::string(70000, 'x'); // more than one read buffer
    std::string read = "stale";
    ASSERT_TRUE(ReadWholeFile(dir.Write("f.bin", bytes), read));
    EXPECT_EQ(read, bytes);
}

TEST(ReadWholeFile, EmptyFileIsReadable) {
    TempDir dir;
    std::string read = "stale";
    EXPECT_TRUE(ReadWholeFile(dir.Write("empty", ""), read));
    EXPECT_TRUE(read.empty());
}

TEST(ReadWholeFile, MissingFileOrFolderFails) {
    TempDir dir;
    std::string read = "stale";
    EXPECT_FALSE(ReadWholeFile(dir.str() + "/none", read));
    EXPECT_TRUE(read.empty());
    EXPECT_FALSE(ReadWholeFile(dir.str(), read));
}

// A FIFO in place of a data file used to hang the open, and a link to /dev/zero to
// loop or fill memory: every reader refuses what is not a regular file, at once.
TEST(ReadWholeFile, FifosDevicesAndOversizedFilesAreRefused) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string fifo = (dir.path() / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = (dir.path() / "zero").string();
    fs::create_symlink("/dev/zero", zero);
    const std::string big = dir.Write("big", std::string(2000, 'x'));
    for (const std::string& path : {fifo, zero}) {
        std::string read;
        EXPECT_FALSE(ReadWholeFile(path, read)) << path;
        EXPECT_FALSE(IsReadableDataFile(path, kMaxTableFileBytes)) << path;
        EXPECT_EQ(OpenDataFile(path, kMaxTableFileBytes), -1) << path;
    }
    std::string read;
    EXPECT_FALSE(ReadWholeFile(big, read, 1999));
    EXPECT_TRUE(ReadWholeFile(big, read, 2000));
    EXPECT_EQ(read.size(), 2000u);
}

TEST(ReadWholeFile, EveryDataReaderRefusesAFifoOrADevice) {
    namespace fs = std::filesystem;
    for (const char* hostile : {"fifo", "/dev/zero"}) {
        TempDir dir;
        auto place = [&](const fs::path& path) {
            fs::create_directories(path.parent_path());
            if (std::string(hostile) == "fifo") {
                ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
            } else {
                fs::create_symlink(hostile, path);
            }
        };
        const std::string folder = dir.str();
        place(SunriseSunsetPath(folder, 47412));
        auto set = std::make_unique<HourlyDataSet>();
        EXPECT_EQ(LoadSunriseSunset(*set, 47412, folder), LoadStatus::CannotRead) << hostile;

        place(dir.path() / "kalvera" / "m47412");
        place(dir.path() / "kalvera" / "47412");
        MonthlyRecord record;
        CollectingReporter reporter;
        EXPECT_NE(LoadMonthlyData((dir.path() / "kalvera").string(), 47412, record, reporter),
                  LoadStatus::Ok)
            << hostile;
        EXPECT_EQ(reporter.messages.size(), 1u) << "told once";

        place(dir.path() / "hourly.txt");
        EXPECT_EQ(ParseHourlyFile(*set, (dir.path() / "hourly.txt").string()),
                  LoadStatus::CannotRead)
            << hostile;
    }
}

TEST(ReadWholeFile, UnreadableFileFails) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TempDir dir;
    std::string path = dir.Write("locked", "x");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    std::string read;
    EXPECT_FALSE(ReadWholeFile(path, read));
    chmod(path.c_str(), 0600);
}

TEST(WriteWholeFile, CreatesFoldersAndReplacesTheFile) {
    TempDir dir;
    std::string path = dir.str() + "/a/b/out.bin";
    ASSERT_TRUE(WriteWholeFile(path, std::string("1\0"
                                                 "2",
                                                 3)));
    EXPECT_EQ(ReadFileBytes(path), std::string("1\0"
                                               "2",
                                               3));
    ASSERT_TRUE(WriteWholeFile(path, "new"));
    EXPECT_EQ(ReadFileBytes(path), "new");
}

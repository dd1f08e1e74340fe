#include "data/file_io.h"
#include "temp_dir.h"

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

#include "data/ini_file.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quorvane;
using namespace quorvane::test;

TEST(IniRead, SectionAndKeyIgnoreCase) {
    const std::string text = "[datadir]\nHORIX=/data/horix\nkalvera = /data/kalvera \n";
    EXPECT_EQ(FindIniValue(text, "DataDir", "Horix"), "/data/horix");
    EXPECT_EQ(FindIniValue(text, "DATADIR", "Kalvera"), "/data/kalvera");
    EXPECT_EQ(FindIniValue(text, "DataDir", "Other"), std::nullopt);
    EXPECT_EQ(FindIniValue(text, "Else", "Horix"), std::nullopt);
}

TEST(IniRead, ValuesAreTrimmedAndUnquoted) {
    const std::string text = "  [ DataDir ]  \r\n"
                             "\tA =  spaced value\t\r\n"
                             "B=\"  quoted  \"\r\n"
                             "C='single'\r\n"
                             "D=\"unbalanced\r\n"
                             "E=\r\n"
                             "F\r\n"
                             "G=a=b\r\n";
    EXPECT_EQ(FindIniValue(text, "DataDir", "A"), "spaced value");
    EXPECT_EQ(FindIniValue(text, "DataDir", "B"), "  quoted  ");
    EXPECT_EQ(FindIniValue(text, "DataDir", "C"), "single");
    EXPECT_EQ(FindIniValue(text, "DataDir", "D"), "\"unbalanced");
    EXPECT_EQ(FindIniValue(text, "DataDir", "E"), "");
    EXPECT_EQ(FindIniValue(text, "DataDir", "F"), "");
    EXPECT_EQ(FindIniValue(text, "DataDir", "G"), "a=b");
}

TEST(IniRead, KeysOfOtherSectionsAndCommentsDoNotMatch) {
    const std::string text = "Horix=/top\n[Other]\nHorix=/other\n[DataDir]\n;Horix=/comment\n"
                             "Horix=/mine\n[DataDir]\nHorix=/second\n";
    EXPECT_EQ(FindIniValue(text, "DataDir", "Horix"), "/mine");
    EXPECT_EQ(FindIniValue(text, "Other", "Horix"), "/other");
}

TEST(IniWrite, ReplacingAKeyKeepsEveryOtherByte) {
    std::string text = "; settings\r\n[Other]\r\nHorix=/x\r\n\r\n[DATADIR]\r\n  horix = /old  \r\n"
                       "Kalvera=/k\r\n[Tail]\r\nz=1";
    ASSERT_TRUE(SetIniValue(text, "DataDir", "Horix", "/new/path"));
    EXPECT_EQ(text, "; settings\r\n[Other]\r\nHorix=/x\r\n\r\n[DATADIR]\r\n  horix=/new/path\r\n"
                    "Kalvera=/k\r\n[Tail]\r\nz=1");
}

TEST(IniWrite, MissingKeyJoinsTheEndOfItsSection) {
    std::string text = "[DataDir]\r\nHorix=/h\r\n\r\n[Tail]\r\nz=1\r\n";
    ASSERT_TRUE(SetIniValue(text, "datadir", "Kalvera", "/k"));
    EXPECT_EQ(text, "[DataDir]\r\nHorix=/h\r\nKalvera=/k\r\n\r\n[Tail]\r\nz=1\r\n");

    std::string unterminated = "[DataDir]";
    ASSERT_TRUE(SetIniValue(unterminated, "DataDir", "Horix", "/h"));
    EXPECT_EQ(unterminated, "[DataDir]\r\nHorix=/h\r\n");
}

TEST(IniWrite, MissingSectionIsAppendedInTheFilesLineEnds) {
    std::string crlf = "[Other]\r\na=1";
    ASSERT_TRUE(SetIniValue(crlf, "DataDir", "Horix", "/h"));
    EXPECT_EQ(crlf, "[Other]\r\na=1\r\n[DataDir]\r\nHorix=/h\r\n");

    std::string empty;
    ASSERT_TRUE(SetIniValue(empty, "DataDir", "Kalvera", "/k"));
    EXPECT_EQ(empty, "[DataDir]\r\nKalvera=/k\r\n") << "a new text takes CR LF";

    std::string lf = "[Other]\na=1\n";
    ASSERT_TRUE(SetIniValue(lf, "DataDir", "Horix", "/h"));
    EXPECT_EQ(lf, "[Other]\na=1\n[DataDir]\nHorix=/h\n") << "a file's own line ends stay";
}

TEST(IniWrite, ValuesThatReadingWouldChangeRoundTrip) {
    for (std::string value :
         {" lead", "trail ", "\"quoted\"", "'q'", "", "a\"b", "日本語/フォルダ"}) {
        std::string text;
        ASSERT_TRUE(SetIniValue(text, "DataDir", "Horix", value));
        EXPECT_EQ(FindIniValue(text, "DataDir", "Horix"), value) << text;
    }
}

TEST(IniWrite, LineBreakInValueIsRefused) {
    std::string text = "[DataDir]\nHorix=/h\n";
    EXPECT_FALSE(SetIniValue(text, "DataDir", "Horix", "/a\nKalvera=/evil"));
    EXPECT_FALSE(SetIniValue(text, "DataDir", "Horix", "/a\r"));
    EXPECT_EQ(text, "[DataDir]\nHorix=/h\n");
}

TEST(IniFile, WriteCreatesThenUpdatesTheFile) {
    TempDir dir;
    const std::string path = dir.str() + "/system.ini";
    EXPECT_EQ(ReadIniString(path, "DataDir", "Horix", "fallback"), "fallback");
    ASSERT_TRUE(WriteIniString(path, "DataDir", "Horix", "/h"));
    ASSERT_TRUE(WriteIniString(path, "DataDir", "Kalvera", "/k"));
    ASSERT_TRUE(WriteIniString(path, "DataDir", "Horix", "/h2"));
    EXPECT_EQ(ReadFileBytes(path), "[DataDir]\r\nHorix=/h2\r\nKalvera=/k\r\n");
    EXPECT_EQ(ReadIniString(path, "datadir", "kalvera"), "/k");
}

TEST(IniFile, LongPathIsKeptWhole) {
    TempDir dir;
    const std::string path = dir.str() + "/system.ini";
    std::string folder = "/";
    while (folder.size() < 700) {
        folder += "長いフォルダ名/";
    }
    ASSERT_TRUE(WriteIniString(path, "DataDir", "Kalvera", folder));
    EXPECT_EQ(ReadIniString(path, "DataDir", "Kalvera"), folder);
}

TEST(IniFile, UnwritableFolderFailsAndLeavesNothing) {
    TempDir dir;
    EXPECT_FALSE(WriteIniString(dir.str() + "/missing/system.ini", "DataDir", "Horix", "/h"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

TEST(IniFile, UnreadableFileIsNotReplaced) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TempDir dir;
    const std::string path = dir.Write("system.ini", "[DataDir]\nHorix=/h\n; keep me\n");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    EXPECT_FALSE(WriteIniString(path, "DataDir", "Kalvera", "/k"));
    chmod(path.c_str(), 0600);
    EXPECT_EQ(ReadFileBytes(path), "[DataDir]\nHorix=/h\n; keep me\n");
}

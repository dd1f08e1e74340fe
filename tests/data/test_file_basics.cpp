#include "data/atomic_file.h"
#include "data/c_fields.h"
#include "data/load_status.h"
#include "data/text_codec.h"
#include "temp_dir.h"

#include <climits>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorvane;

TEST(CFields, IntegerConversionFollowsAtoi) {
    EXPECT_EQ(ParseCInt("  42"), 42);
    EXPECT_EQ(ParseCInt("-12"), -12);
    EXPECT_EQ(ParseCInt("1-2"), 1);
    EXPECT_EQ(ParseCInt("12a"), 12);
    EXPECT_EQ(ParseCInt(""), 0);
    EXPECT_EQ(ParseCInt("   "), 0);
    EXPECT_EQ(ParseCInt("+7"), 7);
    EXPECT_EQ(ParseCInt("0009999"), 9999);
}

TEST(CFields, IntegerOverflowSaturates) {
    EXPECT_EQ(ParseCInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseCInt("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseCInt("-2147483648"), INT_MIN);
}

TEST(CFields, DoubleConversionFollowsAtof) {
    EXPECT_DOUBLE_EQ(ParseCDouble("  3.456"), 3.456);
    EXPECT_DOUBLE_EQ(ParseCDouble("-1.234"), -1.234);
    EXPECT_DOUBLE_EQ(ParseCDouble(" .5x"), 0.5);
    EXPECT_DOUBLE_EQ(ParseCDouble("5."), 5.0);
    EXPECT_DOUBLE_EQ(ParseCDouble("1e2"), 100.0);
    EXPECT_DOUBLE_EQ(ParseCDouble("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseCDouble(""), 0.0);
    EXPECT_DOUBLE_EQ(ParseCDouble("-"), 0.0);
}

// atof gives +0 when nothing converts, even after a minus sign; a -0 would be
// exported by "%5.1f" as " -0.0". A converted zero keeps its sign, as with atof.
TEST(CFields, FailedDoubleConversionAfterASignIsPlusZero) {
    for (const char* text : {"-", "  -  ", "-.", "- 5", "-e5", "-x", "-.e1", "-inf"}) {
        SCOPED_TRACE(text);
        double value = ParseCDouble(text);
        EXPECT_EQ(value, 0.0);
        EXPECT_FALSE(std::signbit(value));
    }
    EXPECT_TRUE(std::signbit(ParseCDouble("-0")));
    EXPECT_TRUE(std::signbit(ParseCDouble("-0.0")));
    EXPECT_TRUE(std::signbit(ParseCDouble("-1e-400")));
}

TEST(CFields, ColumnsOfShortLinesAreEmpty) {
    EXPECT_EQ(Columns("00001 0101", 6, 2), "01");
    EXPECT_EQ(Columns("00001 0101", 8, 5), "01");
    EXPECT_EQ(Columns("00001", 6, 2), "");
    EXPECT_EQ(ColumnInt("00001 0101", 0, 5), 1);
    EXPECT_EQ(StripLineEnd("abc\r\n"), "abc");
    EXPECT_EQ(StripLineEnd("abc\n"), "abc");
    EXPECT_EQ(StripLineEnd("abc"), "abc");
}

TEST(TextCodec, Cp932RoundTrip) {
    const std::string utf8 = "平均年 東京 ｱｲｳ";
    const std::string sjis = Utf8ToCp932(utf8);
    EXPECT_EQ(sjis.substr(0, 6), std::string("\x95\xBD\x8B\xCF\x94\x4E", 6));
    EXPECT_EQ(Cp932ToUtf8(sjis), utf8);
}

TEST(TextCodec, InvalidBytesAreReplacedNotDropped) {
    // A lone lead byte at the end is a truncated character.
    EXPECT_EQ(Cp932ToUtf8("A\x81"), "A\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToCp932("A\xFF"
                          "B"),
              "A?B");
}

TEST(AtomicFile, CommitReplacesTarget) {
    test::TempDir dir;
    const std::string target = dir.Write("out.csv", "old contents");
    {
        AtomicFileWriter writer(target);
        ASSERT_TRUE(writer.IsOpen());
        writer.Write("new ");
        writer.Write(std::string(3 << 20, 'x')); // larger than the buffer
        EXPECT_EQ(test::ReadFileBytes(target), "old contents");
        EXPECT_EQ(writer.Commit(), WriteStatus::Completed);
    }
    EXPECT_EQ(test::ReadFileBytes(target).size(), 4u + (3u << 20));
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1) << "the temporary file must be gone";
}

TEST(AtomicFile, AbandonedWriteLeavesTargetUntouched) {
    test::TempDir dir;
    const std::string target = dir.Write("keep.txt", "precious");
    {
        AtomicFileWriter writer(target);
        writer.Write("partial");
    }
    EXPECT_EQ(test::ReadFileBytes(target), "precious");
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(AtomicFile, UnwritableFolderOrFolderTargetCannotBeCreated) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "sub");
    AtomicFileWriter onFolder((dir.path() / "sub").string());
    EXPECT_FALSE(onFolder.IsOpen());
    EXPECT_EQ(onFolder.Commit(), WriteStatus::CannotCreate);

    AtomicFileWriter missing((dir.path() / "no" / "such" / "file.txt").string());
    EXPECT_EQ(missing.Commit(), WriteStatus::CannotCreate);
}

TEST(AtomicFile, FailedRenameIsReportedAsWriteFailure) {
    test::TempDir dir;
    const std::string target = dir.Write("data.txt", "old");
    AtomicFileWriter writer(target);
    ASSERT_TRUE(writer.IsOpen());
    writer.Write("abc");
    // The target turned into a non-empty folder meanwhile: the rename must fail.
    std::filesystem::remove(target);
    std::filesystem::create_directories(std::filesystem::path(target) / "x");
    EXPECT_EQ(writer.Commit(), WriteStatus::WriteFailed);
    EXPECT_TRUE(std::filesystem::is_directory(target));
}

int FilesIn(const std::filesystem::path& folder) {
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++files;
    }
    return files;
}

TEST(AtomicFile, LinkTargetIsWrittenAndTheLinkKept) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    const std::string real = dir.Write("real/out.csv", "old");
    fs::create_directories(dir.path() / "links");
    const fs::path link = dir.path() / "links" / "out.csv";
    fs::create_symlink("../real/out.csv", link);
    // A chain of two links, the last one dangling: the new file appears at its end.
    const fs::path chain = dir.path() / "links" / "chain.csv";
    fs::create_symlink("dangling.csv", chain);
    fs::create_symlink("../real/new.csv", dir.path() / "links" / "dangling.csv");

    for (const fs::path& target : {link, chain}) {
        AtomicFileWriter writer(target.string());
        writer.Write("new");
        ASSERT_EQ(writer.Commit(), WriteStatus::Completed) << target;
        EXPECT_TRUE(fs::is_symlink(target)) << target;
        EXPECT_EQ(test::ReadFileBytes(target), "new");
    }
    EXPECT_EQ(test::ReadFileBytes(real), "new");
    EXPECT_EQ(FilesIn(dir.path() / "real"), 2) << "out.csv and new.csv, no temporary file";
    EXPECT_EQ(FilesIn(dir.path() / "links"), 3);
}

// Over the file-size limit the write must fail with a status, not kill the process,
// and leave neither the temporary file nor a damaged target. In a child process,
// since the limit and the signal disposition are the whole process's.
TEST(AtomicFile, FileSizeLimitIsAWriteFailure) {
    test::TempDir dir;
    const std::string target = dir.Write("big.csv", "old contents");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        IgnoreFileSizeSignal();
        struct rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &limit);
        AtomicFileWriter writer(target);
        writer.Write(std::string(3 << 20, 'x'));
        _exit(writer.Commit() == WriteStatus::WriteFailed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test::ReadFileBytes(target), "old contents");
    EXPECT_EQ(FilesIn(dir.path()), 1);
}

TEST(TextCodec, ConversionSaysWhenBytesWereReplaced) {
    TextConversion result = TextConversion::Unavailable;
    EXPECT_EQ(Cp932ToUtf8("\x93\x8C\x8B\x9E", &result), "東京");
    EXPECT_EQ(result, TextConversion::Complete);
    EXPECT_EQ(Cp932ToUtf8(std::string("a\x82\xFF", 3), &result), "a\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(result, TextConversion::Replaced);
    EXPECT_EQ(Utf8ToCp932("\xF0\x9F\x98\x80", &result), "????");
    EXPECT_EQ(result, TextConversion::Replaced) << "no CP932 character for it";
}

TEST(LoadStatusMessages, EachKindOfFileHasItsTexts) {
    using K = DataFileKind;
    using S = LoadStatus;
    const std::string hourly = LoadStatusMessage(K::HourlyData, S::CannotRead);
    EXPECT_EQ(hourly, "HORIX-11データの読み込みに失敗しました。\n"
                      "メニュー画面に戻り、データフォルダの設定を行ってください。");
    EXPECT_EQ(LoadStatusMessage(K::HourlyData, S::TooLarge), hourly);
    EXPECT_EQ(LoadStatusMessage(K::HourlyData, S::SunTableMissing),
              "日の出・日の入りデータの読み込みに失敗しました。");
    EXPECT_NE(LoadStatusMessage(K::MonthlyData, S::OlderEdition),
              LoadStatusMessage(K::MonthlyData, S::CannotRead));
    EXPECT_EQ(LoadStatusMessage(K::MonthlyData, S::UnexpectedFormat),
              "想定外のデータ形式です。\nデータファイルを確認してください。");
    EXPECT_EQ(LoadStatusMessage(K::AreaOutline, S::CannotRead), "") << "missing outline: silent";
    EXPECT_EQ(LoadStatusMessage(K::SearchTable, S::CannotRead, "001"), "");
    EXPECT_EQ(LoadStatusMessage(K::SearchTable, S::Damaged, "001"),
              "「001」の読み込み中にエラーが発生しました。ファイルの形式が正しくありません。");
    for (K kind : {K::HourlyData, K::MonthlyData, K::AreaOutline, K::SearchTable, K::Catalogue}) {
        EXPECT_EQ(LoadStatusMessage(kind, S::Ok), "");
    }
    CollectingReporter reporter;
    EXPECT_EQ(ReportLoadStatus(reporter, K::AreaOutline, S::Damaged), S::Damaged);
    EXPECT_EQ(reporter.messages,
              std::vector<std::string>{"県ポリゴンデータの読み込みに失敗しました。"});
}

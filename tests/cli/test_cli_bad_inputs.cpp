// Hostile files under every reader and failing targets under the exports, driven
// through quorvane-cli: each run ends quickly and small, with exit 0 or 1, a message
// when it fails, and the old target untouched.
#include "data/text_codec.h"
#include "map/area_polygons.h"
#include "map/mesh_layer.h"
#include "map/search_archive.h"

#include "../hourly/hourly_sample.h"
#include "../monthly/monthly_file_writer.h"
#include "run_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using test::ProcessResult;
using test::ReadFileBytes;
using test::ShellQuote;
using test::TempDir;

constexpr int kSite = 47412;
constexpr long kMaxRssKb = 200 * 1024;

// The largest resident size of any child waited for so far, in kB.
long ChildrenMaxRssKb() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
}

// What a hostile file is made of; the good bytes are those of a readable file.
enum class Hostile {
    Empty,
    Truncated,
    HugeCount,
    BadCp932,
    NulBytes,
    LongLine,
    Folder,
    Fifo,
    Zero
};

const Hostile kAllHostile[] = {Hostile::Empty,    Hostile::Truncated, Hostile::HugeCount,
                               Hostile::BadCp932, Hostile::NulBytes,  Hostile::LongLine,
                               Hostile::Folder,   Hostile::Fifo,      Hostile::Zero};

const char* NameOf(Hostile kind) {
    switch (kind) {
    case Hostile::Empty:
        return "empty";
    case Hostile::Truncated:
        return "truncated";
    case Hostile::HugeCount:
        return "huge count";
    case Hostile::BadCp932:
        return "invalid CP932";
    case Hostile::NulBytes:
        return "NUL bytes";
    case Hostile::LongLine:
        return "1 MB line";
    case Hostile::Folder:
        return "directory";
    case Hostile::Fifo:
        return "FIFO";
    case Hostile::Zero:
        return "/dev/zero";
    }
    return "?";
}

// Puts the hostile version of `good` at `path`.
void MakeHostile(const fs::path& path, const std::string& good, Hostile kind) {
    fs::remove_all(path);
    fs::create_directories(path.parent_path());
    auto write = [&](const std::string& bytes) {
        FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    };
    switch (kind) {
    case Hostile::Empty:
        return write("");
    case Hostile::Truncated:
        return write(good.substr(0, good.size() / 2 + 3));
    case Hostile::HugeCount:
        // Binary files start with a count, text files with numbers: both made huge.
        return write("\xff\xff\xff\x7f" + std::string("99999999999999999999,1e400,") + good);
    case Hostile::BadCp932: {
        std::string bytes = good;
        for (std::size_t i = 0; i < bytes.size(); i += 7) {
            bytes[i] = i % 2 ? '\x81' : '\xfd';
        }
        return write(bytes);
    }
    case Hostile::NulBytes: {
        std::string bytes = good;
        for (std::size_t i = 3; i < bytes.size(); i += 11) {
            bytes[i] = '\0';
        }
        return write(bytes);
    }
    case Hostile::LongLine:
        return write(std::string(1 << 20, '7') + "\n" + good);
    case Hostile::Folder:
        fs::create_directory(path);
        return;
    case Hostile::Fifo:
        ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
        return;
    case Hostile::Zero:
        fs::create_symlink("/dev/zero", path);
        return;
    }
}

class CliBadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        good["map/zahyo/point_amedas.txt"] = Utf8ToCp932("47412,旭川,12,43.77,142.37,120\n");
        good["map/zahyo/code_map1.txt"] = Utf8ToCp932("0,全国,0,122,24,146,46,,1,2\n");
        good["map/zahyo/code_map2.txt"] = Utf8ToCp932("1,北海道,0,139,41,146,46,北海道,1,2\n");
        good["map/zahyo/code_map3.txt"] =
            Utf8ToCp932("21,北海道,1,139,41,146,46,道,10,20,22,1.5,2.5\n");
        good["map/zahyo/sunrise_sunset/47412"] = test::MakeSampleSunriseFile();
        good["map/area/21"] = EncodeAreaPolygons(
            std::vector<CPolygon>{CPolygon({{141, 42}, {143, 42}, {143, 44}, {141, 44}})});
        good["map/GaikuTabl/ga_addp1_01"] =
            EncodeMunicipalities(std::vector<MunicipalityRecord>{{"旭川市", 1, 1, 142.37, 43.77}});
        good["map/GaikuTabl/ga_addp2_01"] =
            EncodeDistricts(std::vector<DistrictRecord>{{"宮下通", 142.36, 43.76}});
        good["map/kensaku/001"] =
            EncodeFacilities(std::vector<CF_CHIN>{{1, "旭山", 142.48, 43.77}});
        good["map/table/m6442.list"] =
            EncodeMeshTable(std::vector<MeshTableLine>{{64421234, kSite}, {64421235, kSite}});
        for (const auto& [relative, bytes] : good) {
            data.Write(relative, bytes);
        }
        hourlyFile = test::MakeSampleHourlyFile(Utf8ToCp932("旭川 平均年"), "\r\n", 3);
        hourly.Write("平均年/mea47412.txt", hourlyFile);
        std::string monthly;
        for (const std::string& line : test::MonthlyTestLines()) {
            monthly += line + "\r\n";
        }
        monthlyFile = monthly;
        kalvera.Write("m47412", monthlyFile);
        settings = "[DataDir]\r\nHorix=" + hourly.str() + "\r\nKalvera=" + kalvera.str() + "\r\n";
        config.Write("Quorvane/system.ini", settings);
        target = scratch.Write("target.csv", "the user's old file");
    }

    // Runs quorvane-cli under a 5 s kill and an optional file-size limit (1 kB blocks).
    ProcessResult Run(const std::string& arguments,
                      const std::string& fileSizeLimit = "unlimited") {
        const std::string line = "ulimit -f " + fileSizeLimit + "; exec timeout -s KILL 5 " +
                                 ShellQuote(QUORVANE_CLI_PATH) + " " + arguments;
        // Every run starts from the user's old file, which a successful export replaces.
        target = scratch.Write("target.csv", "the user's old file");
        const auto start = std::chrono::steady_clock::now();
        ProcessResult run = test::RunProcess(
            "/bin/sh", "-c " + ShellQuote(line), scratch,
            {.environment = "XDG_CONFIG_HOME=" + ShellQuote(config.str()), .input = std::nullopt});
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, 5.0) << arguments;
        return run;
    }

    std::string Export(const std::string& output = "") const {
        return "export --data-root " + ShellQuote(data.str()) + " --site 47412" +
               " --period day --month 6 --day 1 --format csv --output " +
               ShellQuote(output.empty() ? target : output);
    }

    // Ends with 0, or with 1, a message and the old target as it was.
    void ExpectCleanEnd(const ProcessResult& run, const std::string& what) {
        EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1)
            << what << ": exit " << run.exitCode << "\n"
            << run.err;
        if (run.exitCode != 0) {
            EXPECT_FALSE(run.err.empty()) << what << ": failed without a message";
            EXPECT_EQ(ReadFileBytes(target), "the user's old file") << what;
        }
        EXPECT_LT(ChildrenMaxRssKb(), kMaxRssKb) << what;
    }

    // Puts the good bytes back in place of whatever the hostile file was.
    static void Restore(const TempDir& dir, const std::string& relative, const std::string& bytes) {
        fs::remove_all(dir.path() / relative);
        dir.Write(relative, bytes);
    }

    std::map<std::string, std::string> good;
    std::string hourlyFile, monthlyFile, settings, target;
    TempDir data, hourly, kalvera, config, scratch;
};

TEST_F(CliBadInputTest, EveryReaderSurvivesEveryHostileFile) {
    // The untouched fixture is readable all through.
    ProcessResult baseline = Run("check --data-root " + ShellQuote(data.str()));
    ASSERT_EQ(baseline.exitCode, 0) << baseline.err;
    ASSERT_EQ(Run(Export()).exitCode, 0);
    ASSERT_EQ(Run("monthly --kalvera " + ShellQuote(kalvera.str()) + " --site 47412").exitCode, 0);

    for (Hostile kind : kAllHostile) {
        const bool notAFile =
            kind == Hostile::Folder || kind == Hostile::Fifo || kind == Hostile::Zero;
        // The tables, outline, search tables and sunrise table, through the check.
        for (const auto& [relative, bytes] : good) {
            const std::string what = relative + " " + NameOf(kind);
            MakeHostile(data.path() / relative, bytes, kind);
            ProcessResult run = Run("check --data-root " + ShellQuote(data.str()));
            ExpectCleanEnd(run, what);
            if (notAFile) {
                EXPECT_EQ(run.exitCode, 1) << what;
                EXPECT_NE(run.err.find(relative), std::string::npos) << what << "\n" << run.err;
            }
            if (relative.starts_with("map/GaikuTabl") || relative.starts_with("map/kensaku")) {
                // The finder reads the same tables and still finds the site.
                run = Run("find-site --data-root " + ShellQuote(data.str()) + " 4741");
                ExpectCleanEnd(run, "find-site, " + what);
                EXPECT_EQ(run.out.rfind("47412\t", 0), 0u) << what << "\n" << run.out;
            }
            Restore(data, relative, bytes);
        }
        // The site table and sunrise table again, as an export reads them.
        for (const char* relative :
             {"map/zahyo/point_amedas.txt", "map/zahyo/sunrise_sunset/47412"}) {
            MakeHostile(data.path() / relative, good[relative], kind);
            ExpectCleanEnd(Run(Export()), std::string("export, ") + relative + " " + NameOf(kind));
            Restore(data, relative, good[relative]);
        }
        // The hourly file, the monthly file and the settings file.
        const std::string what = NameOf(kind);
        MakeHostile(hourly.path() / "平均年/mea47412.txt", hourlyFile, kind);
        ProcessResult run = Run(Export() + " --hourly " + ShellQuote(hourly.str()));
        ExpectCleanEnd(run, "hourly file " + what);
        if (notAFile) {
            EXPECT_EQ(run.exitCode, 1) << what;
        }
        Restore(hourly, "平均年/mea47412.txt", hourlyFile);

        MakeHostile(kalvera.path() / "m47412", monthlyFile, kind);
        run = Run("monthly --kalvera " + ShellQuote(kalvera.str()) + " --site 47412");
        EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << "monthly file " << what;
        EXPECT_TRUE(run.exitCode == 0 || !run.err.empty()) << "monthly file " << what;
        // Its fixed line count and columns make these unreadable; the header line is free text.
        if (notAFile || kind == Hostile::Empty || kind == Hostile::Truncated ||
            kind == Hostile::LongLine) {
            EXPECT_EQ(run.exitCode, 1) << "monthly file " << what;
        }
        Restore(kalvera, "m47412", monthlyFile);

        MakeHostile(config.path() / "Quorvane/system.ini", settings, kind);
        ExpectCleanEnd(Run(Export()), "settings file " + what);
        Restore(config, "Quorvane/system.ini", settings);
    }
}

TEST_F(CliBadInputTest, FailingTargetsLeaveTheOldFileAndSaySo) {
    auto expectRefused = [&](const ProcessResult& run, const std::string& what) {
        EXPECT_EQ(run.exitCode, 1) << what;
        EXPECT_FALSE(run.err.empty()) << what;
        EXPECT_EQ(ReadFileBytes(target), "the user's old file") << what;
        EXPECT_LT(ChildrenMaxRssKb(), kMaxRssKb) << what;
    };
    expectRefused(Run(Export((scratch.path() / "no/such/folder/x.csv").string())),
                  "missing folder");
    fs::create_directory(scratch.path() / "folder.csv");
    expectRefused(Run(Export((scratch.path() / "folder.csv").string())), "directory");
    // Not even root may create files in /proc: a stand-in for a read-only file system.
    expectRefused(Run(Export("/proc/quorvane-export.csv")), "read-only file system");
    // A disk that fills up: the export needs more than 1 kB.
    ProcessResult full = Run(Export(), "1");
    expectRefused(full, "file-size limit");
    EXPECT_NE(full.err.find("書き込みに失敗"), std::string::npos) << full.err;
    for (const fs::path& entry : fs::directory_iterator(scratch.path())) {
        EXPECT_EQ(entry.filename().string().find("target.csv."), std::string::npos)
            << "temporary file left: " << entry;
    }
    // The program's own input, directly and through a link.
    const fs::path database = hourly.path() / "平均年/mea47412.txt";
    ProcessResult own = Run(Export(database.string()) + " --hourly " + ShellQuote(hourly.str()));
    expectRefused(own, "own input");
    EXPECT_EQ(ReadFileBytes(database), hourlyFile);
    fs::create_symlink(data.path() / "map/zahyo/point_amedas.txt", scratch.path() / "table.csv");
    expectRefused(Run(Export((scratch.path() / "table.csv").string())), "link to own input");
    EXPECT_EQ(ReadFileBytes(data.path() / "map/zahyo/point_amedas.txt"),
              good["map/zahyo/point_amedas.txt"]);

    // A link to a file of the user's is followed and stays a link.
    const std::string mine = scratch.Write("mine.csv", "old");
    fs::create_symlink(mine, scratch.path() / "link.csv");
    ProcessResult linked = Run(Export((scratch.path() / "link.csv").string()));
    EXPECT_EQ(linked.exitCode, 0) << linked.err;
    EXPECT_TRUE(fs::is_symlink(scratch.path() / "link.csv"));
    EXPECT_NE(ReadFileBytes(mine), "old");
}

} // namespace
} // namespace quorvane

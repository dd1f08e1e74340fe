#include "app/app_data.h"
#include "map/area_polygons.h"
#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

using namespace quorvane;
using namespace quorvane::test;

namespace {

class AppDataTest : public ::testing::Test {
protected:
    AppLocations Locations() const { return {dir.str() + "/program", dir.str() + "/home/.config"}; }
    std::string SettingsPath() const { return dir.str() + "/home/.config/Quorvane/system.ini"; }

    TempDir dir;
};

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            hadOld_ = true;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (hadOld_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

} // namespace

TEST_F(AppDataTest, FirstRunStartsEmptyAndCreatesTheSettingsFolder) {
    CAppData app(Locations());
    app.ReadDataFolders();
    EXPECT_EQ(app.MapFolder(), dir.str() + "/program/data");
    EXPECT_EQ(app.SettingsFile(), SettingsPath());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "home/.config/Quorvane"))
        << "parents are created too";
    EXPECT_FALSE(std::filesystem::exists(SettingsPath())) << "nothing is written at start";
    EXPECT_EQ(app.HourlyFolder(), "");
    EXPECT_EQ(app.MonthlyFolder(), "");

    const AppSelection& selection = app.Selection();
    EXPECT_EQ(selection.areaCode, -1);
    EXPECT_EQ(selection.siteNumber, -1);
    EXPECT_EQ(selection.month, 1);
    EXPECT_EQ(selection.day, 1);
    EXPECT_EQ(selection.yearVariant, YearVariant::Average);

    EXPECT_EQ(app.DaysPerMonth(),
              (std::array<int, 12>{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}));
    EXPECT_EQ(app.DaysInMonth(2), 28);
    EXPECT_EQ(app.DaysInMonth(0), 0);
    EXPECT_EQ(app.DaysInMonth(13), 0);

    EXPECT_EQ(app.SiteCount(), 0) << "missing tables leave the catalogue empty";
    EXPECT_EQ(app.SiteAt(0), nullptr);
    EXPECT_EQ(app.FindSiteIndex(47401), -1);
    EXPECT_EQ(app.MapInfoAt(99)->name, "");
    EXPECT_EQ(app.MapInfoAt(100), nullptr);
    EXPECT_EQ(app.MapInfoAt(-1), nullptr);
}

TEST_F(AppDataTest, KeysInAnotherCaseAreRead) {
    dir.Write("home/.config/Quorvane/system.ini",
              "[DATADIR]\r\nhorix=/mnt/horix\r\nKALVERA = /mnt/kalvera\r\n");
    CAppData app(Locations());
    app.ReadDataFolders();
    EXPECT_EQ(app.HourlyFolder(), "/mnt/horix");
    EXPECT_EQ(app.MonthlyFolder(), "/mnt/kalvera");
}

TEST_F(AppDataTest, WrittenFoldersAreReadByTheNextRun) {
    {
        CAppData app(Locations());
        EXPECT_TRUE(app.WriteHourlyFolder("/srv/平均/horix"));
        EXPECT_TRUE(app.WriteMonthlyFolder("/srv/kalvera"));
        EXPECT_EQ(app.HourlyFolder(), "/srv/平均/horix");
    }
    EXPECT_EQ(ReadFileBytes(SettingsPath()),
              "[DataDir]\r\nHorix=/srv/平均/horix\r\nKalvera=/srv/kalvera\r\n");
    CAppData next(Locations());
    next.ReadDataFolders();
    EXPECT_EQ(next.HourlyFolder(), "/srv/平均/horix");
    EXPECT_EQ(next.MonthlyFolder(), "/srv/kalvera");
}

TEST_F(AppDataTest, WritingOneFolderKeepsTheRestOfTheFile) {
    const std::string original =
        "; mine\r\n[DataDir]\r\nHorix=/h\r\nKalvera=/k\r\n[Extra]\r\nx=1\r\n";
    dir.Write("home/.config/Quorvane/system.ini", original);
    CAppData app(Locations());
    ASSERT_TRUE(app.WriteMonthlyFolder("/k2"));
    EXPECT_EQ(ReadFileBytes(SettingsPath()),
              "; mine\r\n[DataDir]\r\nHorix=/h\r\nKalvera=/k2\r\n[Extra]\r\nx=1\r\n");
}

TEST_F(AppDataTest, PathLongerThan255BytesRoundTrips) {
    std::string folder = "/data";
    while (folder.size() <= 600) {
        folder += "/日射量データベース";
    }
    {
        CAppData app(Locations());
        ASSERT_TRUE(app.WriteHourlyFolder(folder));
    }
    CAppData next(Locations());
    next.ReadDataFolders();
    EXPECT_EQ(next.HourlyFolder(), folder);
}

TEST_F(AppDataTest, UnwritableSettingsKeepTheFolderForThisRun) {
    dir.Write("home/.config", "a file where the folder should be");
    CAppData app(Locations());
    EXPECT_FALSE(app.WriteHourlyFolder("/h"));
    EXPECT_EQ(app.HourlyFolder(), "/h");
}

TEST_F(AppDataTest, CatalogueIsLoadedFromTheMapFolder) {
    dir.Write("program/data/map/zahyo/code_map1.txt", "0,全国,0,122,24,146,46,,0,0\n");
    dir.Write("program/data/map/zahyo/code_map2.txt", "1,北海道,0,139,41,146,46,,0,0\n");
    dir.Write("program/data/map/zahyo/code_map3.txt", "21,宗谷,1,141,44,143,46,,5,5,22,1,2\n");
    dir.Write("program/data/map/zahyo/point_amedas.txt",
              "47401,稚内,21,45.415,141.678,2.8\n11001,宗谷岬,21,45.52,141.935,26\n");
    CAppData app(Locations());
    EXPECT_EQ(app.MapInfoAt(0)->name, "全国");
    EXPECT_EQ(app.MapInfoAt(1)->level, 1);
    EXPECT_EQ(app.MapInfoAt(21)->level, 2);
    EXPECT_EQ(app.MapInfoAt(21)->neighbours[0].code, 22);
    ASSERT_EQ(app.SiteCount(), 2);
    EXPECT_EQ(app.FindSiteIndex(11001), 1);
    EXPECT_EQ(app.SiteAt(1)->name, "宗谷岬");
    EXPECT_EQ(app.SiteAt(2), nullptr);
}

TEST_F(AppDataTest, AreaOutlinesAreLoadedWithTheAreas) {
    dir.Write("program/data/map/zahyo/code_map2.txt", "5,近畿,0,1,2,3,4\n");
    dir.Write("program/data/map/zahyo/code_map3.txt", "21,宗谷,1,0,0,0,0\n22,留萌,1,0,0,0,0\n");
    const CPolygon triangle{{{141, 45}, {142, 45}, {141.5, 46}}};
    const std::vector<CPolygon> outline{triangle, triangle};
    dir.Write("program/data/map/area/21", EncodeAreaPolygons(outline));
    dir.Write("program/data/map/area/05", EncodeAreaPolygons(outline));
    // A count of zero is a faulty polygon: the one before it stays, with a message.
    dir.Write("program/data/map/area/22",
              EncodeAreaPolygons(std::vector<CPolygon>{triangle}) + std::string(4, '\0'));
    CollectingReporter reporter;
    CAppData app(Locations(), &reporter);
    ASSERT_EQ(app.OutlineOf(21).size(), 2u);
    EXPECT_EQ(app.OutlineOf(21)[1].points, triangle.points);
    EXPECT_EQ(app.OutlineOf(22).size(), 1u);
    EXPECT_TRUE(app.OutlineOf(5).empty()) << "blocks have no outline";
    EXPECT_EQ(reporter.messages, std::vector<std::string>{LoadStatusMessage(
                                     DataFileKind::AreaOutline, LoadStatus::Damaged)});
}

TEST_F(AppDataTest, BlockShiftTableIsFilledForTheNineBlocks) {
    CAppData app(Locations());
    EXPECT_EQ(app.BlockDisplayShift(0), GeoShift{});
    EXPECT_DOUBLE_EQ(app.BlockDisplayShift(9).latDeg, -14.0 / 3600.0);
    EXPECT_DOUBLE_EQ(app.BlockDisplayShift(9).lonDeg, 17.0 / 3600.0);
    EXPECT_DOUBLE_EQ(app.BlockDisplayShift(1).latDeg, -0.003809547115824361);
    EXPECT_DOUBLE_EQ(app.BlockDisplayShift(1).lonDeg, 0.002450598611809864);
    for (int block = 1; block < kBlockCount; ++block) {
        EXPECT_NE(app.BlockDisplayShift(block), GeoShift{}) << block;
    }
    EXPECT_EQ(app.BlockDisplayShift(10), GeoShift{});
    EXPECT_EQ(app.BlockDisplayShift(-1), GeoShift{});
    app.SetBlockDisplayShift(10, {1.0, 1.0});
    EXPECT_EQ(app.BlockDisplayShift(10), GeoShift{});
}

TEST(AppLocations, MapFolderFollowsTheExecutableNotTheWorkingDirectory) {
    TempDir dir;
    const std::filesystem::path exeFolder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ScopedEnv xdg("XDG_CONFIG_HOME", (dir.str() + "/xdg").c_str());
    CAppData app;
    std::filesystem::current_path(before);
    EXPECT_EQ(app.MapFolder(), exeFolder.string() + "/data");
    EXPECT_EQ(app.SettingsFile(), dir.str() + "/xdg/Quorvane/system.ini");
}

TEST(AppLocations, ConfigHomeFallsBackToDotConfig) {
    ScopedEnv home("HOME", "/home/user");
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(AppLocations::FromEnvironment().configHome, "/home/user/.config");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/path");
        EXPECT_EQ(AppLocations::FromEnvironment().configHome, "/home/user/.config")
            << "a relative XDG_CONFIG_HOME is ignored";
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(AppLocations::FromEnvironment().configHome, "/cfg");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv noHome("HOME", nullptr);
        const passwd* user = getpwuid(getuid());
        ASSERT_NE(user, nullptr);
        EXPECT_EQ(AppLocations::FromEnvironment().configHome,
                  std::string(user->pw_dir) + "/.config")
            << "without HOME the account's home folder is used";
    }
}

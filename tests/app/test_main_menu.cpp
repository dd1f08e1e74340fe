#include "app/app_data.h"
#include "app/chorix_app.h"
#include "app/dlg_data_setting.h"
#include "app/dlg_main_menu.h"
#include "app/viewer_factory.h"
#include "hourly/dlg_graph.h"
#include "kit_app_test.h"
#include "monthly/dlg_kalvera.h"
#include "national/dlg_national.h"
#include "recording_platform.h"
#include "temp_dir.h"
#include "yield/dlg_yield.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace quorvane {
namespace {

// Records which viewers the menu ran, whether the menu was out of the way
// meanwhile, and ends each viewer with a scripted result.
class ScriptedViewers final : public ViewerFactory {
public:
    ViewerResult RunHourlyViewer(QWidget* parent) override { return Run("hourly", parent); }
    ViewerResult RunMonthlyViewer(QWidget* parent) override { return Run("monthly", parent); }
    ViewerResult RunColorMap(QWidget* parent) override { return Run("colormap", parent); }
    void RunYield(QWidget* parent) override { Run("yield", parent); }
    void RunNationalMap(QWidget* parent) override { Run("national", parent); }

    std::vector<std::string> runs;
    std::vector<bool> menuVisibleDuringRun;
    std::deque<ViewerResult> results;

private:
    ViewerResult Run(const char* name, QWidget* parent) {
        runs.emplace_back(name);
        menuVisibleDuringRun.push_back(parent != nullptr && parent->isVisible());
        if (results.empty()) {
            return ViewerResult::Ok;
        }
        const ViewerResult result = results.front();
        results.pop_front();
        return result;
    }
};

template <typename T>
T* Child(QWidget& parent, const char* id) {
    T* child = parent.findChild<T*>(QString::fromLatin1(id));
    EXPECT_NE(child, nullptr) << id;
    return child;
}

// Fills the data-folder dialog and presses one of its buttons.
std::function<void(QDialog&)> AnswerSettings(std::optional<QString> hourly,
                                             std::optional<QString> monthly, const char* button) {
    return [=](QDialog& dialog) {
        if (hourly) {
            Child<QLineEdit>(dialog, "1083")->setText(*hourly);
        }
        if (monthly) {
            Child<QLineEdit>(dialog, "1084")->setText(*monthly);
        }
        Child<QPushButton>(dialog, button)->click();
    };
}

class MainMenuTest : public ::testing::Test {
protected:
    MainMenuTest() { PrepareApplication(); }

    AppLocations Locations() const { return {dir.str() + "/program", dir.str() + "/home/.config"}; }
    std::string SettingsText() const {
        const std::filesystem::path file = dir.path() / "home/.config/Quorvane/system.ini";
        return std::filesystem::exists(file) ? test::ReadFileBytes(file) : std::string();
    }
    void WriteSettings(std::string_view text) const {
        dir.Write("home/.config/Quorvane/system.ini", text);
    }
    std::unique_ptr<CDlgMainMenu> OpenMenu() {
        auto menu = std::make_unique<CDlgMainMenu>(appData, viewers);
        menu->move(120, 90);
        menu->show();
        return menu;
    }

    test::TempDir dir;
    RecordingPlatform platform;
    CAppData appData{Locations()};
    ScriptedViewers viewers;
};

TEST_F(MainMenuTest, ReadsTheDataFoldersWhenItOpens) {
    WriteSettings("[DataDir]\r\nHorix=/srv/horix\r\nKalvera=/srv/kalvera\r\n");
    auto menu = OpenMenu();
    EXPECT_EQ(appData.HourlyFolder(), "/srv/horix");
    EXPECT_EQ(appData.MonthlyFolder(), "/srv/kalvera");
}

TEST_F(MainMenuTest, EmptyHourlyFolderAsksAndCancelOpensNothing) {
    WriteSettings("[DataDir]\r\nKalvera=/srv/kalvera\r\n");
    auto menu = OpenMenu();
    platform.modalHandlers.push_back(AnswerSettings(QStringLiteral("/srv/horix"), {}, "2"));
    Child<QPushButton>(*menu, "1001")->click();

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              QStringLiteral("HORIX-11データの読み込み先フォルダを設定してください。"));
    EXPECT_EQ(platform.modalDialogs, std::vector<QString>{QStringLiteral("CDlgDataSetting")});
    EXPECT_TRUE(viewers.runs.empty());
    EXPECT_EQ(appData.HourlyFolder(), "");
    EXPECT_EQ(SettingsText().find("Horix"), std::string::npos);
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MainMenuTest, EmptyMonthlyFolderAsksWithItsOwnMessageThenOpensTheViewer) {
    auto menu = OpenMenu();
    platform.yesNoAnswers = {true, true}; // the folders hold no data: kept all the same
    platform.modalHandlers.push_back(
        AnswerSettings(QStringLiteral("/srv/horix"), QStringLiteral("/srv/kalvera"), "1"));
    Child<QPushButton>(*menu, "1002")->click();

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              QStringLiteral("KALVERA-11データの読み込み先フォルダを設定してください。"));
    EXPECT_EQ(viewers.runs, std::vector<std::string>{"monthly"});
    EXPECT_EQ(appData.MonthlyFolder(), "/srv/kalvera");
    const std::string settings = SettingsText();
    EXPECT_NE(settings.find("Horix=/srv/horix"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Kalvera=/srv/kalvera"), std::string::npos) << settings;
}

TEST_F(MainMenuTest, SetFolderOpensTheViewerWithoutAsking) {
    WriteSettings("[DataDir]\r\nHorix=/srv/horix\r\n");
    auto menu = OpenMenu();
    Child<QPushButton>(*menu, "1001")->click();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.modalDialogs.empty());
    EXPECT_EQ(viewers.runs, std::vector<std::string>{"hourly"});
}

TEST_F(MainMenuTest, SwitchingBetweenViewersRepeatsAndRestoresTheMenu) {
    WriteSettings("[DataDir]\r\nHorix=/srv/horix\r\nKalvera=/srv/kalvera\r\n");
    auto menu = OpenMenu();
    const QRect before = menu->geometry();
    viewers.results = {ViewerResult::SwitchToOther, ViewerResult::SwitchToOther, ViewerResult::Ok};
    Child<QPushButton>(*menu, "1001")->click();

    EXPECT_EQ(viewers.runs, (std::vector<std::string>{"hourly", "monthly", "hourly"}));
    EXPECT_EQ(viewers.menuVisibleDuringRun, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->geometry(), before);
}

TEST_F(MainMenuTest, ColourMapRunsWithTheMenuAsideAndNeedsNoFolder) {
    auto menu = OpenMenu();
    const QRect before = menu->geometry();
    viewers.results = {ViewerResult::SwitchToOther};
    Child<QPushButton>(*menu, "1003")->click();
    EXPECT_EQ(viewers.runs, std::vector<std::string>{"colormap"}) << "the map never switches";
    EXPECT_EQ(viewers.menuVisibleDuringRun, std::vector<bool>{false});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(menu->geometry(), before);
}

TEST_F(MainMenuTest, TheYieldAndTheNationalMapRunWithTheMenuAside) {
    auto menu = OpenMenu();
    const QRect before = menu->geometry();
    Child<QPushButton>(*menu, "yield")->click();
    Child<QPushButton>(*menu, "national")->click();
    EXPECT_EQ(viewers.runs, (std::vector<std::string>{"yield", "national"}));
    EXPECT_EQ(viewers.menuVisibleDuringRun, (std::vector<bool>{false, false}));
    EXPECT_EQ(menu->geometry(), before);
}

TEST_F(MainMenuTest, SettingsAreWrittenOnOkEvenWhenUnchanged) {
    WriteSettings("[DataDir]\r\nHorix=/srv/horix\r\nKalvera=/srv/kalvera\r\n");
    auto menu = OpenMenu();
    std::filesystem::remove(dir.path() / "home/.config/Quorvane/system.ini");
    platform.yesNoAnswers = {true, true}; // the folders hold no data: kept all the same
    platform.modalHandlers.push_back([](QDialog& dialog) {
        EXPECT_EQ(Child<QLineEdit>(dialog, "1083")->text(), QStringLiteral("/srv/horix"));
        EXPECT_EQ(Child<QLineEdit>(dialog, "1084")->text(), QStringLiteral("/srv/kalvera"));
        Child<QPushButton>(dialog, "1")->click();
    });
    Child<QPushButton>(*menu, "1023")->click();
    const std::string settings = SettingsText();
    EXPECT_NE(settings.find("Horix=/srv/horix"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Kalvera=/srv/kalvera"), std::string::npos) << settings;
    EXPECT_TRUE(viewers.runs.empty());
}

TEST_F(MainMenuTest, SettingsCancelChangesNothing) {
    WriteSettings("[DataDir]\r\nHorix=/srv/horix\r\n");
    auto menu = OpenMenu();
    const std::string original = SettingsText();
    platform.modalHandlers.push_back(AnswerSettings(QStringLiteral("/other"), {}, "2"));
    Child<QPushButton>(*menu, "1023")->click();
    EXPECT_EQ(appData.HourlyFolder(), "/srv/horix");
    EXPECT_EQ(SettingsText(), original);
}

TEST_F(MainMenuTest, UnwritableSettingsFileIsReportedAndTheFoldersStillApply) {
    // The settings folder is a file, so the settings cannot be stored.
    std::filesystem::remove_all(dir.path() / "home/.config/Quorvane");
    dir.Write("home/.config/Quorvane", "not a folder");
    auto menu = OpenMenu();
    platform.yesNoAnswers = {true, true}; // the folders hold no data: kept all the same
    platform.modalHandlers.push_back(
        AnswerSettings(QStringLiteral("/srv/horix"), QStringLiteral("/srv/kalvera"), "1"));
    Child<QPushButton>(*menu, "1001")->click();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(
        platform.messages[1].startsWith(QStringLiteral("設定ファイルに書き込めませんでした。")))
        << platform.messages[1].toStdString();
    EXPECT_EQ(appData.HourlyFolder(), "/srv/horix");
    EXPECT_EQ(viewers.runs, std::vector<std::string>{"hourly"});
}

TEST_F(MainMenuTest, ControlsTooltipsAndVersion) {
    auto menu = OpenMenu();
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("Quorvane"));
    EXPECT_EQ(menu->size(), CDlgMainMenu::ClientSize());
    const std::pair<const char*, QString> buttons[] = {
        {"1001", QStringLiteral("HORIX")},        {"1002", QStringLiteral("KALVERA")},
        {"1003", QStringLiteral("日射量マップ")}, {"1023", QStringLiteral("データフォルダの設定")},
        {"1", QStringLiteral("システム終了")},    {"2", QStringLiteral("キャンセル")},
    };
    for (const auto& [id, text] : buttons) {
        QPushButton* button = Child<QPushButton>(*menu, id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), text);
        EXPECT_EQ(button->isVisible(), std::string_view(id) != "2") << id;
    }
    // Each button sits inside the window, fully visible.
    for (const char* id : {"1001", "1002", "1003", "1023", "1"}) {
        EXPECT_TRUE(menu->rect().contains(Child<QPushButton>(*menu, id)->geometry())) << id;
    }
    EXPECT_TRUE(Child<QPushButton>(*menu, "1001")
                    ->toolTip()
                    .contains(QStringLiteral("全国837地点の時別の標準気象・日射量データベースです。"
                                             "水平面における日射量や気温等の毎時"
                                             "データや任意の方位角、傾斜角における斜面日射量を自動"
                                             "的に算出し、表示させることができます。")));
    EXPECT_TRUE(Child<QPushButton>(*menu, "1002")
                    ->toolTip()
                    .contains(QStringLiteral(
                        "全国837地点の月別の日積算日射量データベースです。方位別（15度刻み）、"
                        "傾斜角別（10度刻み）の斜面日射量を表示させることができます。")));
    EXPECT_TRUE(
        Child<QPushButton>(*menu, "1003")
            ->toolTip()
            .contains(QStringLiteral(
                "KALVERA-"
                "11に収録されている日射量データを地図上に描画（マップ化）したものです。月別、"
                "年平均の日射量の地理的分布を把握することができます。")));
    EXPECT_NE(Child<QWidget>(*menu, "1094"), nullptr);
}

TEST_F(MainMenuTest, PaintsThePicturesAndTheVersionLine) {
    auto menu = OpenMenu();
    const QImage shot = menu->grab().toImage();
    const QColor background(140, 208, 252);
    EXPECT_EQ(shot.pixelColor(40, 400), background) << "left of the panels";
    EXPECT_NE(shot.pixelColor(200, 100), background) << "the title picture";
    EXPECT_NE(shot.pixelColor(500, 540), background) << "the footer picture";
    EXPECT_NE(shot.pixelColor(220, 300), background) << "the first panel";
    // White text of the version line inside static 1094.
    QWidget* version = Child<QWidget>(*menu, "1094");
    const QImage area = version->grab().toImage();
    bool white = false;
    for (int y = 0; y < area.height() && !white; ++y) {
        for (int x = 0; x < area.width() && !white; ++x) {
            white = area.pixelColor(x, y).lightness() > 250 && area.pixelColor(x, y).alpha() > 0;
        }
    }
    EXPECT_TRUE(white);
}

TEST_F(MainMenuTest, AboutOpensTheVersionDialog) {
    auto menu = OpenMenu();
    QString line;
    platform.modalHandlers.push_back([&line](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("バージョン情報"));
        line = Child<QLabel>(dialog, "version")->text();
        Child<QPushButton>(dialog, "1")->click();
    });
    EXPECT_EQ(menu->AboutAction()->text(), QStringLiteral("バージョン情報 HORIX(&A)..."));
    menu->AboutAction()->trigger();
    EXPECT_EQ(platform.modalDialogs, std::vector<QString>{QStringLiteral("CAboutDlg")});
    EXPECT_EQ(line, QStringLiteral("HORIX, Version 1.0"));
}

TEST_F(MainMenuTest, ExitButtonEndsTheMenu) {
    auto menu = OpenMenu();
    int finished = -1;
    QObject::connect(menu.get(), &QDialog::finished, [&finished](int code) { finished = code; });
    Child<QPushButton>(*menu, "1")->click();
    EXPECT_EQ(finished, QDialog::Accepted);
    EXPECT_FALSE(menu->isVisible());
}

// The program's own viewers on a generated kit: each one ends with its switch
// button, the last with its menu button.
class ProgramViewersTest : public test::KitAppTest<6, 3> {
protected:
    void SetUp() override {
        PrepareApplication();
        KitAppTest::SetUp();
    }

    RecordingPlatform platform;
};

TEST_F(ProgramViewersTest, SwitchingHourlyMonthlyAndBackRestoresTheMenu) {
    SelectSite(0);
    CAppData& appData = *app;
    const std::unique_ptr<ViewerFactory> viewers = CreateViewerFactory(appData);

    CDlgMainMenu menu(appData, *viewers);
    menu.move(120, 90);
    menu.show();
    const QRect before = menu.geometry();
    const auto press = [](const char* id) {
        return [id](QDialog& viewer) { Child<QPushButton>(viewer, id)->click(); };
    };
    platform.modalHandlers = {press("2"), press("2"), press("1")};
    Child<QPushButton>(menu, "1001")->click();

    EXPECT_EQ(platform.modalDialogs,
              (std::vector<QString>{QStringLiteral("CDlgGraph"), QStringLiteral("CDlgKalvera"),
                                    QStringLiteral("CDlgGraph")}));
    EXPECT_TRUE(platform.modalHandlers.empty());
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front().toStdString();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.geometry(), before);
    EXPECT_EQ(appData.Selection().siteNumber, appData.SiteAt(0)->siteNumber)
        << "both viewers share the current site";
}

// The graphs' right-click menu opens the yield dialog on the plane the graph shows;
// the menu's button opens it on the current site.
TEST_F(ProgramViewersTest, TheYieldOpensFromTheGraphsMenuOnItsPlaneAndFromTheMenu) {
    SelectSite(1);
    CAppData& appData = *app;
    const std::unique_ptr<ViewerFactory> viewers = CreateViewerFactory(appData);
    CDlgMainMenu menu(appData, *viewers);
    menu.show();

    std::optional<PlaneAngles> opened;
    const auto closeYield = [&](QDialog& shown) {
        opened = dynamic_cast<CDlgYield&>(shown).GraphAngles();
        Child<QPushButton>(shown, "1")->click();
    };
    const auto viaMenu = [&](QDialog& shown) {
        auto& viewer = dynamic_cast<ViewerShell&>(shown);
        platform.menuAnswers.push_back(2);
        platform.modalHandlers.push_front(closeYield);
        viewer.Graph().FrameContextMenu(QPoint(100, 100));
        Child<QPushButton>(shown, "1")->click();
    };
    // The hourly viewer on slope data, "任意の指定" at 20 degrees facing 60.
    platform.modalHandlers = {[&](QDialog& shown) {
        Child<QAbstractButton>(shown, "1060")->click();
        Child<QAbstractButton>(shown, "1058")->click();
        auto& viewer = dynamic_cast<CDlgGraph&>(shown);
        while (viewer.GraphAngles().tiltDeg > 20) {
            Child<QToolButton>(shown, "1019-down")->click();
        }
        for (int i = 0; i < 60; ++i) {
            Child<QToolButton>(shown, "1025-up")->click();
        }
        viaMenu(shown);
    }};
    Child<QPushButton>(menu, "1001")->click();
    ASSERT_EQ(platform.menus.size(), 1u);
    EXPECT_EQ(platform.menus[0],
              (QStringList{QStringLiteral("画像をコピー"), QStringLiteral("画像として保存..."),
                           QStringLiteral("発電量試算..."), QStringLiteral("全国マップ...")}));
    EXPECT_EQ(opened, (PlaneAngles{20, 60}));

    // The monthly viewer by orientation, facing west.
    opened.reset();
    platform.modalHandlers = {[&](QDialog& shown) {
        Child<QAbstractButton>(shown, "1060")->click();
        Child<QAbstractButton>(shown, "1058")->click();
        for (int i = 0; i < 6; ++i) {
            Child<QToolButton>(shown, "1025-up")->click();
        }
        auto& viewer = dynamic_cast<CDlgKalvera&>(shown);
        ASSERT_EQ(viewer.GraphAngles().azimuthDeg, 90);
        viaMenu(shown);
    }};
    Child<QPushButton>(menu, "1002")->click();
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->azimuthDeg, 90);

    opened.reset();
    platform.modalHandlers = {closeYield};
    Child<QPushButton>(menu, "yield")->click();
    ASSERT_TRUE(opened);
    const CAmedasPoint& site = *appData.SiteAt(1);
    EXPECT_EQ(*opened, (PlaneAngles{static_cast<int>(site.latitudeDeg + 0.5), 0}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ProgramViewersTest, TheCloseBoxTakesEitherViewerBackToTheMenu) {
    SelectSite(0);
    const std::unique_ptr<ViewerFactory> viewers = CreateViewerFactory(*app);
    CDlgMainMenu menu(*app, *viewers);
    menu.show();
    const auto closeBox = [](QDialog& viewer) { viewer.close(); };
    platform.modalHandlers = {closeBox};
    Child<QPushButton>(menu, "1001")->click();
    platform.modalHandlers = {closeBox};
    Child<QPushButton>(menu, "1002")->click();
    EXPECT_EQ(platform.modalDialogs,
              (std::vector<QString>{QStringLiteral("CDlgGraph"), QStringLiteral("CDlgKalvera")}))
        << "no switch to the other viewer";
    EXPECT_TRUE(platform.modalHandlers.empty());
}

TEST_F(ProgramViewersTest, TheYieldStartsFromTheArraysTheUserLeftThere) {
    SelectSite(1);
    const std::unique_ptr<ViewerFactory> viewers = CreateViewerFactory(*app);
    CDlgMainMenu menu(*app, *viewers);
    menu.show();
    double seen = 0.0;
    platform.modalHandlers = {[](QDialog& yield) {
        Child<QDoubleSpinBox>(yield, "yieldLosses")->setValue(21.5);
        Child<QComboBox>(yield, "yieldMounting")->setCurrentIndex(1);
        yield.close();
    }};
    Child<QPushButton>(menu, "yield")->click();
    platform.modalHandlers = {[&seen](QDialog& yield) {
        seen = Child<QDoubleSpinBox>(yield, "yieldLosses")->value();
        EXPECT_EQ(dynamic_cast<CDlgYield&>(yield).State().monthly.mounting, Mounting::Roof);
        Child<QPushButton>(yield, "1")->click();
    }};
    Child<QPushButton>(menu, "yield")->click();
    EXPECT_EQ(seen, 21.5);
}

TEST_F(ProgramViewersTest, TheNationalMapsViewerButtonsComeBackToTheViewerOnTheChosenSite) {
    SelectSite(0);
    const std::unique_ptr<ViewerFactory> viewers = CreateViewerFactory(*app);
    CDlgMainMenu menu(*app, *viewers);
    menu.show();
    const int chosen = app->SiteAt(3)->siteNumber;
    // In the national map: choose site 3 in the ranking, then a viewer button.
    const auto chooseAndOpen = [this, chosen](const char* button) {
        return [this, chosen, button](QDialog& shown) {
            auto* ranking = Child<QTableWidget>(shown, "nationalRanking");
            const NationalMap& map = dynamic_cast<CDlgNational&>(shown).Shown();
            for (int row = 0; row < ranking->rowCount(); ++row) {
                const auto index = ranking->item(row, 0)->data(Qt::UserRole).value<qulonglong>();
                if (map.sites[index].siteNumber == chosen) {
                    emit ranking->cellClicked(row, 1);
                }
            }
            EXPECT_EQ(app->Selection().siteNumber, chosen);
            Child<QPushButton>(shown, button)->click();
        };
    };
    QString shownSite;
    platform.modalHandlers = {[&](QDialog& shown) {
        auto& viewer = dynamic_cast<ViewerShell&>(shown);
        platform.menuAnswers.push_back(3); // "全国マップ..."
        platform.modalHandlers.push_front(chooseAndOpen("nationalHourly"));
        viewer.Graph().FrameContextMenu(QPoint(100, 100));
        EXPECT_TRUE(viewer.isVisible()) << "back in the same viewer";
        shownSite = Child<QComboBox>(shown, "1088")->currentText();
        // Now the other viewer's button: this one ends with the switch.
        SelectSite(0);
        viewer.FollowSessionSite();
        platform.menuAnswers.push_back(3);
        platform.modalHandlers.push_front(chooseAndOpen("nationalMonthly"));
        viewer.Graph().FrameContextMenu(QPoint(100, 100));
    }};
    platform.modalHandlers.push_back(
        [](QDialog& monthly) { Child<QPushButton>(monthly, "1")->click(); });
    Child<QPushButton>(menu, "1001")->click();
    EXPECT_TRUE(shownSite.contains(QString::fromStdString(app->SiteAt(3)->name)))
        << shownSite.toStdString();
    EXPECT_EQ(platform.modalDialogs,
              (std::vector<QString>{QStringLiteral("CDlgGraph"), QStringLiteral("CDlgNational"),
                                    QStringLiteral("CDlgNational"), QStringLiteral("CDlgKalvera")}))
        << "no viewer stacked over the viewer";
    EXPECT_EQ(app->Selection().siteNumber, chosen);
    EXPECT_TRUE(platform.modalHandlers.empty());
}

TEST(DataSettingDialog, BrowseReplacesTheFieldOnlyWhenAFolderIsChosen) {
    RecordingPlatform platform;
    CDlgDataSetting dialog(QStringLiteral("/old/horix"), QStringLiteral("/old/kalvera"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("データフォルダの設定"));
    platform.folderAnswers = {QStringLiteral("/new/horix"), std::nullopt};
    Child<QPushButton>(dialog, "1001")->click();
    Child<QPushButton>(dialog, "1002")->click();
    EXPECT_EQ(dialog.HourlyFolder(), QStringLiteral("/new/horix"));
    EXPECT_EQ(dialog.MonthlyFolder(), QStringLiteral("/old/kalvera"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "1083")->text(), QStringLiteral("/new/horix"));
    ASSERT_EQ(platform.folderBrowses.size(), 2u);
    EXPECT_EQ(platform.folderBrowses[0].title, QStringLiteral("HORIX-11データのフォルダ選択"));
    EXPECT_EQ(platform.folderBrowses[0].initialFolder, QStringLiteral("/old/horix"));
    EXPECT_EQ(platform.folderBrowses[1].title, QStringLiteral("KALVERA-11データのフォルダ選択"));
    EXPECT_EQ(platform.folderBrowses[1].initialFolder, QStringLiteral("/old/kalvera"));
}

const QString kNoHorixData =
    QStringLiteral("指定したフォルダに HORIX-11 のデータが見つかりません。このまま設定しますか？");
const QString kNoKalveraData = QStringLiteral(
    "指定したフォルダに KALVERA-11 のデータが見つかりません。このまま設定しますか？");

// The data-folder dialog on two folders of a test's own making.
class DataFolderCheck : public ::testing::Test {
protected:
    std::unique_ptr<CDlgDataSetting> Dialog() const {
        auto dialog = std::make_unique<CDlgDataSetting>(QString::fromStdString(horix.str()),
                                                        QString::fromStdString(kalvera.str()));
        dialog->show();
        return dialog;
    }
    static void PressOk(QDialog& dialog) { Child<QPushButton>(dialog, "1")->click(); }

    RecordingPlatform platform;
    test::TempDir horix, kalvera;
};

TEST_F(DataFolderCheck, AFolderWithoutItsDatabaseIsKeptOnlyWhenTheUserSaysSo) {
    horix.Write("平均年/readme.txt", "no site files here");
    kalvera.Write("47401", "a file of the older edition");
    const auto dialog = Dialog();

    platform.yesNoAnswers = {false};
    PressOk(*dialog);
    EXPECT_EQ(platform.questions, std::vector<QString>{kNoHorixData});
    EXPECT_NE(dialog->result(), QDialog::Accepted) << "いいえ: back to the dialog";
    EXPECT_TRUE(dialog->isVisible());

    platform.yesNoAnswers = {true, false};
    PressOk(*dialog);
    EXPECT_EQ(platform.questions,
              (std::vector<QString>{kNoHorixData, kNoHorixData, kNoKalveraData}));
    EXPECT_TRUE(dialog->isVisible());

    platform.yesNoAnswers = {true, true};
    PressOk(*dialog);
    EXPECT_EQ(platform.questions.size(), 5u);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(DataFolderCheck, FoldersHoldingTheirDataOrLeftEmptyAreKeptWithoutAQuestion) {
    horix.Write("多照年/max47401.txt", "x");
    kalvera.Write("m47401", "x");
    const auto dialog = Dialog();
    PressOk(*dialog);
    EXPECT_TRUE(platform.questions.empty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(platform.waitCursorDepth, 0);

    CDlgDataSetting unset{QString(), QString()};
    PressOk(unset);
    EXPECT_TRUE(platform.questions.empty()) << "an empty field names no folder to doubt";
    EXPECT_EQ(unset.result(), QDialog::Accepted);
}

TEST_F(MainMenuTest, NoToTheFolderQuestionSavesNothing) {
    WriteSettings("[DataDir]\r\nHorix=/srv/horix\r\nKalvera=/srv/kalvera\r\n");
    auto menu = OpenMenu();
    const std::string original = SettingsText();
    const test::TempDir empty;
    platform.modalHandlers.push_back(
        AnswerSettings(QString::fromStdString(empty.str()), {}, "1")); // answered いいえ
    Child<QPushButton>(*menu, "1023")->click();
    EXPECT_EQ(platform.questions, std::vector<QString>{kNoHorixData});
    EXPECT_EQ(appData.HourlyFolder(), "/srv/horix");
    EXPECT_EQ(SettingsText(), original);

    // From a database button: no viewer opens either.
    WriteSettings("[DataDir]\r\nKalvera=/srv/kalvera\r\n");
    auto fresh = OpenMenu();
    platform.modalHandlers.push_back(AnswerSettings(QString::fromStdString(empty.str()), {}, "1"));
    Child<QPushButton>(*fresh, "1001")->click();
    EXPECT_TRUE(viewers.runs.empty());
    EXPECT_EQ(appData.HourlyFolder(), "");
}

} // namespace
} // namespace quorvane

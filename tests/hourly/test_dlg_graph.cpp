// The hourly viewer on a small generated kit, driven by its controls and mouse
// events through the platform seam.
#include "app/app_data.h"
#include "data/hourly_file.h"
#include "data/program_inputs.h"
#include "hourly/dlg_file_save.h"
#include "hourly/dlg_graph.h"
#include "hourly/export.h"
#include "kit_app_test.h"
#include "recording_platform.h"
#include "scripted_site_picker.h"
#include "solar/calendar.h"
#include "temp_dir.h"
#include "ui/dlg_digit_input.h"
#include "ui/site_picker.h"
#include "ui/text.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class HourlyViewerTest : public test::KitAppTest<24, 3> {
protected:
    // A viewer on catalogue site `index`.
    std::unique_ptr<CDlgGraph> Open(int index = 0) {
        SelectSite(index);
        auto viewer = std::make_unique<CDlgGraph>(*app, picker);
        viewer->show();
        return viewer;
    }
    template <class T>
    static T* Child(QWidget& dialog, const char* id) {
        T* child = dialog.findChild<T*>(QString::fromLatin1(id));
        EXPECT_NE(child, nullptr) << id;
        return child;
    }
    static void ClickRadio(QWidget& dialog, const char* id) {
        QTest::mouseClick(Child<QRadioButton>(dialog, id), Qt::LeftButton);
    }
    static QPoint Centre(const GraphRect& r) {
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    RecordingPlatform platform;
    test::ScriptedSitePicker picker;
};

TEST_F(HourlyViewerTest, WithoutACurrentSiteTheMapIsAskedAndCancellingEndsTheViewer) {
    CDlgGraph cancelled(*app, picker);
    EXPECT_EQ(picker.asked, 1);
    EXPECT_TRUE(cancelled.EndedAtStart());
    picker.answers.push_back(1);
    CDlgGraph chosen(*app, picker);
    EXPECT_FALSE(chosen.EndedAtStart());
    EXPECT_EQ(app->Selection().siteNumber, app->SiteAt(1)->siteNumber);
    EXPECT_EQ(app->Selection().areaCode, app->SiteAt(1)->areaCode);
    EXPECT_TRUE(chosen.DataLoaded());
}

TEST_F(HourlyViewerTest, MonthChangeClampsTheDayAndNavigationWrapsTheYear) {
    auto viewer = Open();
    app->Selection().day = 30;
    viewer->ChooseMonth(1); // February
    EXPECT_EQ(app->Selection().month, 2);
    EXPECT_EQ(app->Selection().day, 28);
    EXPECT_EQ(Child<QComboBox>(*viewer, "1086")->count(), 28);

    viewer->ChooseMonth(0);
    viewer->ChooseDay(0);
    viewer->Navigate(false);
    EXPECT_EQ(app->Selection().month, 12);
    EXPECT_EQ(app->Selection().day, 31);
    viewer->Navigate(true);
    EXPECT_EQ(app->Selection().month, 1);
    EXPECT_EQ(app->Selection().day, 1);

    ClickRadio(*viewer, "1010"); // month view: the buttons step months
    viewer->Navigate(false);
    EXPECT_EQ(app->Selection().month, 12);
    EXPECT_EQ(viewer->Canvas().Layout().nav, NavButtons::Months);
}

TEST_F(HourlyViewerTest, NavigationButtonsWorkByMouseAndAreInertInTheRankingViews) {
    auto viewer = Open();
    const QPoint next = Centre(viewer->Canvas().NextButtonRect());
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, next);
    EXPECT_EQ(app->Selection().day, 2);
    ClickRadio(*viewer, "1013");
    EXPECT_TRUE(viewer->Canvas().NextButtonRect().IsEmpty());
    const int day = app->Selection().day;
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, next);
    EXPECT_EQ(app->Selection().day, day);
    EXPECT_EQ(day, viewer->Rankings().irradiation.days[0]) << "the ranked day is shown";
    EXPECT_FALSE(Child<QComboBox>(*viewer, "1086")->isEnabled());
    EXPECT_TRUE(Child<QComboBox>(*viewer, "1009")->isEnabled());
    ClickRadio(*viewer, "1027");
    EXPECT_EQ(app->Selection().day, viewer->Rankings().sunshine.days[0]);
    EXPECT_EQ(viewer->Scene().kind, HourlyGraphKind::Day) << "rankings draw the day graph";
}

TEST_F(HourlyViewerTest, TypedAnglesAreClampedAndTheUpDownsStopAtTheirEnds) {
    auto viewer = Open();
    ClickRadio(*viewer, "1060");
    ASSERT_EQ(viewer->Kind(), DataKind::Slope);
    viewer->EnterAngle(HourlyAngleMode::FixedTilt, true, -5);
    EXPECT_EQ(viewer->TiltField(HourlyAngleMode::FixedTilt), 0);
    EXPECT_EQ(viewer->GraphTilt(), 0);
    ClickRadio(*viewer, "1057");
    viewer->EnterAngle(HourlyAngleMode::FixedAzimuth, false, 400);
    EXPECT_EQ(viewer->AzimuthField(HourlyAngleMode::FixedAzimuth), 359);
    EXPECT_EQ(viewer->GraphTilt(), 30) << "angle mode 1 draws at tilt 30";
    QTest::mouseClick(viewer->findChild<QToolButton*>(QStringLiteral("1017-up")), Qt::LeftButton);
    EXPECT_EQ(viewer->AzimuthField(HourlyAngleMode::FixedAzimuth), 359) << "never wraps";
    QTest::mouseClick(viewer->findChild<QToolButton*>(QStringLiteral("1017-down")), Qt::LeftButton);
    EXPECT_EQ(viewer->AzimuthField(HourlyAngleMode::FixedAzimuth), 358);

    // The numeric pop-up for an edit: "1-2" is accepted as 1.
    ClickRadio(*viewer, "1058");
    platform.modalHandlers.push_back([](QDialog& shown) {
        auto& input = dynamic_cast<CDlgDigitInput&>(shown);
        input.Edit()->setText(QStringLiteral("1-2"));
        input.accept();
    });
    Child<QLineEdit>(*viewer, "1018")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(viewer->TiltField(HourlyAngleMode::Orientation), 1);
    EXPECT_EQ(viewer->GraphTilt(), 1);
    EXPECT_EQ(Child<QLineEdit>(*viewer, "1018")->text(), QStringLiteral("1"));
}

TEST_F(HourlyViewerTest, ChoosingAnAreaTakesItsFirstSiteAndResetsTheAngles) {
    auto viewer = Open();
    ClickRadio(*viewer, "1060");
    viewer->EnterAngle(HourlyAngleMode::FixedTilt, true, 70);
    auto* areas = Child<QComboBox>(*viewer, "1087");
    ASSERT_GT(areas->count(), 1);
    const int other = areas->currentIndex() == 0 ? 1 : 0;
    viewer->ChooseArea(other);
    const int siteIndex = app->FindSiteIndex(app->Selection().siteNumber);
    ASSERT_GE(siteIndex, 0);
    const CAmedasPoint& site = *app->SiteAt(siteIndex);
    int first = -1;
    for (int i = 0; i < app->SiteCount() && first < 0; ++i) {
        first = app->SiteAt(i)->areaCode == site.areaCode ? i : -1;
    }
    EXPECT_EQ(siteIndex, first);
    const int tilt = static_cast<int>(site.latitudeDeg + 0.5);
    EXPECT_EQ(viewer->TiltField(HourlyAngleMode::FixedTilt), tilt);
    EXPECT_EQ(viewer->TiltField(HourlyAngleMode::Orientation), tilt);
    EXPECT_EQ(viewer->AzimuthField(HourlyAngleMode::FixedAzimuth), 0);
    EXPECT_EQ(viewer->GraphTilt(), tilt);
}

TEST_F(HourlyViewerTest, LegendClicksHideSeriesAndTheToggleShowsThemAgain) {
    auto viewer = Open();
    const CGraphCanvas& canvas = viewer->Canvas();
    const GraphRect temperature = canvas.Legend()[kElementTemperature - 1].frame;
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, Centre(temperature));
    EXPECT_EQ(canvas.Legend()[kElementTemperature - 1].visible, false);
    const auto& axes = viewer->Scene().shownAxes;
    EXPECT_EQ(std::count(axes.begin(), axes.end(), AxisIndex::Temperature), 0);
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, Centre(canvas.LegendToggleRect()));
    for (const CHanreiObj& entry : canvas.Legend()) {
        EXPECT_EQ(entry.visible, true);
    }
    // Press on one entry and release on another does nothing.
    QTest::mousePress(viewer->GraphFrame(), Qt::LeftButton, {}, Centre(canvas.Legend()[0].frame));
    QTest::mouseRelease(viewer->GraphFrame(), Qt::LeftButton, {}, Centre(canvas.Legend()[1].frame));
    EXPECT_FALSE(canvas.AnyLegendEntryHidden());
}

TEST_F(HourlyViewerTest, WindLegendOpensFromItsButtonWithHorizontalData) {
    auto viewer = Open();
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {},
                      Centre(viewer->Canvas().WindLegendButtonRect()));
    ASSERT_EQ(platform.modalDialogs.size(), 1u);
    EXPECT_EQ(platform.modalDialogs[0], QStringLiteral("CDlgWindHanrei"));
    ClickRadio(*viewer, "1060");
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {},
                      Centre(viewer->Canvas().WindLegendButtonRect()));
    EXPECT_EQ(platform.modalDialogs.size(), 1u) << "slope data have no wind legend";
}

TEST_F(HourlyViewerTest, SelectorDragReachesTheEdits) {
    auto viewer = Open();
    ClickRadio(*viewer, "1060");
    const GraphRect knob = viewer->Selector().Model().TiltKnob();
    const QPoint from = Centre(knob);
    QTest::mousePress(viewer->SelectorFrame(), Qt::LeftButton, {}, from);
    QTest::mouseMove(viewer->SelectorFrame(), from + QPoint(0, 40));
    QTest::mouseRelease(viewer->SelectorFrame(), Qt::LeftButton, {}, from + QPoint(0, 40));
    EXPECT_LT(viewer->GraphTilt(), static_cast<int>(app->SiteAt(0)->latitudeDeg + 0.5));
    EXPECT_EQ(viewer->TiltField(HourlyAngleMode::FixedTilt), viewer->GraphTilt());
    EXPECT_EQ(Child<QLineEdit>(*viewer, "1014")->text(), QString::number(viewer->GraphTilt()));
}

TEST_F(HourlyViewerTest, TheLegendNamesThePlaneDrawnWhicheverControlChangedIt) {
    auto viewer = Open();
    ClickRadio(*viewer, "1060");
    ClickRadio(*viewer, "1058"); // 任意の指定: one orientation and the horizontal comparison
    const CGraphCanvas& canvas = viewer->Canvas();
    ASSERT_EQ(canvas.Legend().size(), 2u);
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, Centre(canvas.Legend()[1].frame));
    ASSERT_EQ(canvas.Legend()[1].visible, false);
    const auto named = [&] {
        return "傾斜角" + std::to_string(viewer->GraphTilt()) + "度 方位角" +
               std::to_string(viewer->GraphAzimuth()) + "度";
    };

    // The digit box.
    platform.modalHandlers.push_back([](QDialog& shown) {
        auto& input = dynamic_cast<CDlgDigitInput&>(shown);
        input.Edit()->setText(QStringLiteral("12"));
        input.accept();
    });
    Child<QLineEdit>(*viewer, "1018")->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(viewer->GraphTilt(), 12);
    EXPECT_EQ(canvas.Legend()[0].label, named());
    EXPECT_EQ(canvas.Legend()[1].visible, false) << "what the user hid stays hidden";

    // An up-down.
    QTest::mouseClick(viewer->findChild<QToolButton*>(QStringLiteral("1025-up")), Qt::LeftButton);
    ASSERT_EQ(viewer->GraphAzimuth(), 1);
    EXPECT_EQ(canvas.Legend()[0].label, named());

    // A drag in the picker.
    const QPoint from = Centre(viewer->Selector().Model().TiltKnob());
    QTest::mousePress(viewer->SelectorFrame(), Qt::LeftButton, {}, from);
    QTest::mouseMove(viewer->SelectorFrame(), from + QPoint(0, -30));
    QTest::mouseRelease(viewer->SelectorFrame(), Qt::LeftButton, {}, from + QPoint(0, -30));
    ASSERT_NE(viewer->GraphTilt(), 12);
    EXPECT_EQ(canvas.Legend()[0].label, named());
    EXPECT_EQ(canvas.Legend()[1].visible, false);
    EXPECT_NE(viewer->Scene().title.find(std::to_string(viewer->GraphTilt())), std::string::npos);
}

TEST_F(HourlyViewerTest, RankingsStartAgainAtRankOneWhenRebuilt) {
    auto viewer = Open();
    auto* ranking = Child<QComboBox>(*viewer, "1009");
    ClickRadio(*viewer, "1013");
    viewer->ChooseRanking(false, 1); // 2位
    ranking->setCurrentIndex(1);
    ASSERT_EQ(app->Selection().day, viewer->Rankings().irradiation.days[1]);

    // Another month.
    viewer->ChooseMonth(6);
    EXPECT_EQ(ranking->currentIndex(), 0);
    EXPECT_EQ(app->Selection().day, viewer->Rankings().irradiation.days[0]);

    // Another year variant, and another site.
    viewer->ChooseRanking(false, 2);
    ranking->setCurrentIndex(2);
    ClickRadio(*viewer, "1054");
    EXPECT_EQ(ranking->currentIndex(), 0);
    EXPECT_EQ(app->Selection().day, viewer->Rankings().irradiation.days[0]);
    auto* sunshine = Child<QComboBox>(*viewer, "1022");
    ClickRadio(*viewer, "1027");
    sunshine->setCurrentIndex(3);
    viewer->ChooseRanking(true, 3);
    viewer->ChooseSite(Child<QComboBox>(*viewer, "1088")->count() > 1 ? 1 : 0);
    EXPECT_EQ(sunshine->currentIndex(), 0);
    EXPECT_EQ(app->Selection().day, viewer->Rankings().sunshine.days[0]);

    // The ranked day is the day "日別" shows.
    sunshine->setCurrentIndex(4);
    viewer->ChooseRanking(true, 4);
    const int ranked = viewer->Rankings().sunshine.days[4];
    ClickRadio(*viewer, "1026");
    EXPECT_EQ(app->Selection().day, ranked);
    EXPECT_EQ(Child<QComboBox>(*viewer, "1086")->currentIndex(), ranked - 1);
}

TEST_F(HourlyViewerTest, AFailedLoadLeavesTheViewerOpenWithTheFailureBox) {
    app->WriteHourlyFolder((kit->path() / "nowhere").string());
    auto viewer = Open();
    EXPECT_FALSE(viewer->DataLoaded());
    EXPECT_FALSE(viewer->Scene().loaded);
    ASSERT_EQ(platform.messages.size(), 1u);
    // Hostile sequences on no data: views, navigation, slope, legend.
    for (const char* id : {"1010", "1011", "1013", "1027", "1026", "1060"}) {
        ClickRadio(*viewer, id);
    }
    viewer->Navigate(true);
    viewer->Navigate(false);
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_FALSE(viewer->Scene().loaded);
}

TEST_F(HourlyViewerTest, SavingTheShownDayWritesWhatTheExportWriterWrites) {
    auto viewer = Open();
    app->Selection().month = 3;
    app->Selection().day = 3;
    viewer->ChooseMonth(2);
    const std::string path = (kit->path() / "saved.txt").string();
    platform.modalHandlers.push_back([](QDialog& shown) {
        auto& options = dynamic_cast<CDlgFileSaveH&>(shown);
        EXPECT_EQ(options.Message(), QStringLiteral("表示中の水平面データを出力します。"));
        options.findChild<QRadioButton*>(QStringLiteral("1005"))->setChecked(true);
        options.accept();
    });
    platform.saveAnswers.push_back(QString::fromStdString(path));
    viewer->SaveData(ExportKind::Day);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    const CAmedasPoint& site = *app->SiteAt(0);
    EXPECT_EQ(platform.saveRequests[0].title, QStringLiteral("表示データの保存"));
    EXPECT_EQ(platform.saveRequests[0].defaultName,
              QStringLiteral("hm%1%2.txt").arg(site.siteNumber).arg(QStringLiteral("0303")));
    EXPECT_EQ(platform.messages,
              std::vector<QString>{QStringLiteral("データの出力が完了しました。")});

    HourlyExportRequest request;
    request.exportKind = ExportKind::Day;
    request.siteNumber = site.siteNumber;
    request.month = 3;
    request.day = 3;
    request.format = ExportFormat::Txt;
    const std::string expected = (kit->path() / "expected.txt").string();
    ASSERT_EQ(ExportHourlyData(viewer->Data(), request,
                               {true, site.longitudeDeg, site.latitudeDeg, site.elevationM},
                               expected),
              WriteStatus::Completed);
    EXPECT_EQ(test::ReadFileBytes(path), test::ReadFileBytes(expected));
}

TEST_F(HourlyViewerTest, AWholeHorizontalYearCanBeSavedAsAWeatherFile) {
    auto viewer = Open();
    CDlgFileSaveH day(ExportKind::Day);
    EXPECT_EQ(day.findChild<QRadioButton*>(QStringLiteral("1006")), nullptr)
        << "only a whole year makes a weather file";
    const std::string path = (kit->path() / "year.epw").string();
    platform.modalHandlers.push_back([](QDialog& shown) {
        auto* epw = shown.findChild<QRadioButton*>(QStringLiteral("1006"));
        ASSERT_NE(epw, nullptr);
        EXPECT_EQ(epw->text(), QStringLiteral("EPW形式（EnergyPlus）"));
        EXPECT_NE(shown.findChild<QRadioButton*>(QStringLiteral("1008")), nullptr);
        epw->setChecked(true);
        shown.accept();
    });
    platform.saveAnswers.push_back(QString::fromStdString(path));
    viewer->SaveData(ExportKind::WholeYear);
    const CAmedasPoint& site = *app->SiteAt(0);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].defaultName,
              QString::fromStdString(DefaultWeatherFileName(WeatherFormat::Epw, site.siteNumber,
                                                            YearVariant::Average)));
    EXPECT_EQ(platform.messages,
              std::vector<QString>{QStringLiteral("データの出力が完了しました。")});
    EXPECT_EQ(test::ReadFileBytes(path),
              WeatherFileText(WeatherFormat::Epw, BuildWeatherYear(viewer->Data(), site), site,
                              YearVariant::Average));
}

TEST_F(HourlyViewerTest, SlopeOptionsFollowTheAngleModeAndOneOrientationHasNoStep) {
    auto viewer = Open();
    ClickRadio(*viewer, "1060");
    ClickRadio(*viewer, "1058");
    viewer->EnterAngle(HourlyAngleMode::Orientation, true, 20);
    viewer->EnterAngle(HourlyAngleMode::Orientation, false, 45);
    platform.modalHandlers.push_back([](QDialog& shown) {
        auto& options = dynamic_cast<CDlgFileSaveS&>(shown);
        EXPECT_EQ(options.Message(),
                  QStringLiteral("傾斜角20度、方位角45度の１年分のデータを出力します。"));
        EXPECT_FALSE(options.UnitChoosable());
        options.findChild<QRadioButton*>(QStringLiteral("1091"))->setChecked(true);
        EXPECT_EQ(options.StepDeg(), 1);
        options.accept();
    });
    viewer->SaveData(ExportKind::WholeYear); // the save dialog is cancelled
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].defaultName,
              QStringLiteral("rm%1year_d045s20.csv").arg(app->SiteAt(0)->siteNumber));
    EXPECT_TRUE(platform.messages.empty()) << "a cancelled save says nothing";

    ClickRadio(*viewer, "1057");
    CDlgFileSaveS fixedAzimuth(ExportKind::Day, HourlyAngleMode::FixedAzimuth, 30, 5);
    EXPECT_EQ(fixedAzimuth.Message(), QStringLiteral("方位角5度のデータを出力します。"));
    EXPECT_EQ(fixedAzimuth.UnitPrompt(), QStringLiteral("傾斜角の出力単位を選択してください。"));
    EXPECT_TRUE(fixedAzimuth.UnitChoosable());
}

TEST_F(HourlyViewerTest, CancelledOptionsAndUnwritableFilesLoseNothing) {
    auto viewer = Open();
    viewer->SaveData(ExportKind::Month); // options cancelled: no handler
    EXPECT_TRUE(platform.saveRequests.empty());
    platform.modalHandlers.push_back([](QDialog& shown) { shown.accept(); });
    platform.saveAnswers.push_back(
        QString::fromStdString((kit->path() / "no" / "such" / "x.csv").string()));
    viewer->SaveData(ExportKind::Month);
    EXPECT_EQ(platform.messages,
              std::vector<QString>{QStringLiteral("出力ファイルが開けません。")});
}

TEST_F(HourlyViewerTest, TheProgramsOwnFilesAreRefusedAsTargets) {
    auto viewer = Open();
    const std::string database =
        HourlyFilePath(app->HourlyFolder(), YearVariant::Average, app->SiteAt(0)->siteNumber);
    const std::string before = test::ReadFileBytes(database);
    ASSERT_FALSE(before.empty());
    const std::string inData = app->MapFolder() + "/saved.csv";
    for (const std::string& target : {database, inData}) {
        platform.modalHandlers.push_back([](QDialog& shown) { shown.accept(); });
        platform.saveAnswers.push_back(QString::fromStdString(target));
    }
    viewer->SaveData(ExportKind::Day);
    viewer->SaveData(ExportKind::Day);
    EXPECT_EQ(platform.saveRequests.size(), 2u);
    ASSERT_EQ(platform.messages.size(), 2u);
    for (const QString& message : platform.messages) {
        EXPECT_EQ(message, ToQString(kTargetIsInputMessage));
    }
    EXPECT_EQ(test::ReadFileBytes(database), before);
    EXPECT_FALSE(fs::exists(inData));
}

TEST_F(HourlyViewerTest, PrintingWritesOnePdfPageAndResetsTheScreenLegend) {
    auto viewer = Open();
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {},
                      Centre(viewer->Canvas().Legend()[kElementTemperature - 1].frame));
    ASSERT_FALSE(viewer->Canvas().Legend()[kElementTemperature - 1].visible);
    viewer->PrintGraph(); // cancelled: nothing printed
    ASSERT_EQ(platform.printRequests.size(), 1u);
    EXPECT_EQ(platform.printRequests[0].documentName, QStringLiteral("HORIX"));
    EXPECT_TRUE(platform.printRequests[0].singlePageOnly);
    const std::string pdf = (kit->path() / "graph.pdf").string();
    platform.printAnswers.push_back(QString::fromStdString(pdf));
    viewer->ChooseMonth(6);
    viewer->PrintGraph();
    const std::string bytes = test::ReadFileBytes(pdf);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    // One landscape A4 page: 842 x 595 points.
    std::smatch box;
    ASSERT_TRUE(
        std::regex_search(bytes, box, std::regex(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])")));
    EXPECT_NEAR(std::stod(box[1]), 841.9, 0.6);
    EXPECT_NEAR(std::stod(box[2]), 595.3, 0.6);
    const std::regex page("/Type /Page\\b");
    EXPECT_EQ(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page),
                            std::sregex_iterator()),
              1);
    EXPECT_FALSE(viewer->Canvas().AnyLegendEntryHidden()) << "the screen shows every entry again";

    app->WriteHourlyFolder((kit->path() / "nowhere").string());
    viewer->ChooseVariant(YearVariant::HighSunshine);
    viewer->PrintGraph();
    EXPECT_EQ(platform.printRequests.size(), 2u) << "without data printing does nothing";
}

TEST_F(HourlyViewerTest, TheGraphsMenuCopiesAndSavesItAsPngSvgOrPdf) {
    auto viewer = Open();
    platform.menuAnswers.push_back(0);
    viewer->Graph().FrameContextMenu(QPoint(100, 100));
    ASSERT_EQ(platform.menus.size(), 1u);
    EXPECT_EQ(platform.menus[0],
              (QStringList{QStringLiteral("画像をコピー"), QStringLiteral("画像として保存...")}));
    ASSERT_EQ(platform.copiedImages.size(), 1u);
    EXPECT_EQ(platform.copiedImages[0].width(), 2 * viewer->GraphFrame()->width())
        << "twice the screen resolution";

    struct Case {
        const char* name;
        std::string start;
    };
    for (const Case& c :
         {Case{"g.png", "\x89PNG"}, Case{"g.svg", "<?xml"}, Case{"g.pdf", "%PDF-"}}) {
        const std::string path = (kit->path() / c.name).string();
        platform.menuAnswers.push_back(1);
        platform.saveAnswers.push_back(QString::fromStdString(path));
        viewer->Graph().FrameContextMenu(QPoint(100, 100));
        EXPECT_EQ(test::ReadFileBytes(path).substr(0, c.start.size()), c.start) << c.name;
    }
    platform.menuAnswers.push_back(1);
    platform.saveAnswers.push_back(
        QString::fromStdString((kit->path() / "none" / "g.png").string()));
    viewer->Graph().FrameContextMenu(QPoint(100, 100));
    EXPECT_EQ(platform.messages,
              std::vector<QString>{QStringLiteral("出力ファイルが開けません。")});
    viewer->Graph().FrameContextMenu(QPoint(100, 100)); // dismissed: nothing happens
    EXPECT_EQ(platform.saveRequests.size(), 4u);
}

TEST_F(HourlyViewerTest, HoveringALegendEntryShowsItsTotalOverTheShownPeriod) {
    auto viewer = Open();
    const auto hover = [&](int entry) {
        const GraphRect frame =
            viewer->Canvas().Layout().legend.at(static_cast<std::size_t>(entry)).frame;
        QTest::mouseMove(viewer->GraphFrame(), QPoint(1, 1)); // onto the entry from outside it
        QTest::mouseMove(viewer->GraphFrame(), Centre(frame));
        return QToolTip::text();
    };
    const auto irradiation = [](long long hundredths) {
        return ToQString("合計 " + DecimalText(hundredths, 2) + " MJ/㎡（" +
                         DecimalText((hundredths * 10 + 18) / 36, 2) + " kWh/㎡）");
    };
    const AppSelection& selection = app->Selection();
    const int day = DayOfYear(selection.month, selection.day);
    ASSERT_GT(viewer->Data().dailyIrradiation[day - 1], 0);
    EXPECT_EQ(hover(0), irradiation(viewer->Data().dailyIrradiation[day - 1]));

    ClickRadio(*viewer, "1010"); // the month: its day values add up
    long long month = 0;
    for (int d = 1; d <= app->DaysInMonth(selection.month); ++d) {
        month += viewer->Data().Summary(DayOfYear(selection.month, d), 3, kElementGlobal);
    }
    EXPECT_EQ(hover(0), irradiation(month));
    EXPECT_TRUE(hover(4).startsWith(QStringLiteral("平均 "))) << hover(4).toStdString();
    EXPECT_TRUE(hover(4).endsWith(QStringLiteral(" ℃")));
}

} // namespace
} // namespace quorvane

// The monthly viewer on a small generated kit, driven by its controls and mouse
// events through the platform seam.
#include "app/app_data.h"
#include "kit_app_test.h"
#include "monthly/dlg_kalvera.h"
#include "monthly/monthly_print.h"
#include "recording_platform.h"
#include "scripted_site_picker.h"
#include "temp_dir.h"
#include "ui/dlg_digit_input.h"
#include "ui/text.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace quorvane {
namespace {

TEST(MonthlyAngleRules, DefaultTiltsRoundTheLatitudeToTens) {
    EXPECT_EQ(MonthlyDefaultTilt(true, 34.9), 30);
    EXPECT_EQ(MonthlyDefaultTilt(true, 35.0), 40);
    EXPECT_EQ(MonthlyDefaultTilt(true, 26.2), 30);
    EXPECT_EQ(MonthlyDefaultTilt(true, 44.99), 40);
    EXPECT_EQ(MonthlyDefaultTilt(false, 43.0), 30) << "a site missing from the catalogue";
}

TEST(MonthlyAngleRules, TypedTiltsAreClampedAndSnappedToTens) {
    EXPECT_EQ(SnapMonthlyTilt(97), 90);
    EXPECT_EQ(SnapMonthlyTilt(44), 40);
    EXPECT_EQ(SnapMonthlyTilt(45), 50);
    EXPECT_EQ(SnapMonthlyTilt(-7), 0);
}

TEST(MonthlyAngleRules, TypedAzimuthsSnapTheirMagnitudeAndKeepTheStoredSide) {
    EXPECT_EQ(SnapMonthlyAzimuth(20, -45), -15);
    EXPECT_EQ(SnapMonthlyAzimuth(-20, -45), 15);
    EXPECT_EQ(SnapMonthlyAzimuth(-20, 30), -15);
    EXPECT_EQ(SnapMonthlyAzimuth(7, 0), 0);
    EXPECT_EQ(SnapMonthlyAzimuth(8, 0), 15);
    EXPECT_EQ(SnapMonthlyAzimuth(400, 0), 180);
    EXPECT_EQ(SnapMonthlyAzimuth(-400, 0), -180);
}

class MonthlyViewerTest : public test::KitAppTest<24, 5> {
protected:
    std::unique_ptr<CDlgKalvera> Open(int index = 0) {
        SelectSite(index);
        auto viewer = std::make_unique<CDlgKalvera>(*app, picker);
        viewer->show();
        return viewer;
    }
    int DefaultTilt() const {
        const CAmedasPoint& site = *app->SiteAt(app->FindSiteIndex(app->Selection().siteNumber));
        return MonthlyDefaultTilt(true, site.latitudeDeg);
    }
    template <class T>
    static T* Child(QWidget& dialog, const char* id) {
        T* child = dialog.findChild<T*>(QString::fromLatin1(id));
        EXPECT_NE(child, nullptr) << id;
        return child;
    }
    static void Click(QWidget& dialog, const char* id) {
        Child<QAbstractButton>(dialog, id)->click();
    }
    static QPoint Centre(const GraphRect& r) {
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // Types `text` into the numeric pop-up that focusing the edit opens.
    void Type(CDlgKalvera& viewer, const char* edit, const QString& text) {
        platform.modalHandlers.push_back([text](QDialog& shown) {
            auto& input = dynamic_cast<CDlgDigitInput&>(shown);
            input.Edit()->setText(text);
            input.accept();
        });
        // The closed pop-up gives the activation back, as a window manager would.
        viewer.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&viewer));
        Child<QLineEdit>(viewer, edit)->setFocus();
        QApplication::processEvents();
        EXPECT_NE(QApplication::focusWidget(), Child<QLineEdit>(viewer, edit))
            << "the edit gives the focus away, so that it can be entered again";
    }

    RecordingPlatform platform;
    test::ScriptedSitePicker picker;
};

TEST_F(MonthlyViewerTest, WithoutACurrentSiteTheMapIsAskedAndCancellingEndsTheViewer) {
    CDlgKalvera cancelled(*app, picker);
    EXPECT_EQ(picker.asked, 1);
    EXPECT_TRUE(cancelled.EndedAtStart());
    picker.answers.push_back(2);
    CDlgKalvera chosen(*app, picker);
    EXPECT_FALSE(chosen.EndedAtStart());
    EXPECT_EQ(app->Selection().siteNumber, app->SiteAt(2)->siteNumber);
    EXPECT_TRUE(chosen.DataLoaded());
    EXPECT_TRUE(chosen.Scene().loaded);
}

TEST_F(MonthlyViewerTest, DisplayAndAngleModesSetTheGraphAnglesAndTheEnabling) {
    auto viewer = Open();
    const int tilt = DefaultTilt();
    EXPECT_EQ(viewer->Tilt(MonthlyAngleMode::FixedTilt), tilt);
    EXPECT_EQ(viewer->Tilt(MonthlyAngleMode::Orientation), tilt);
    EXPECT_EQ(viewer->GraphTilt(), 0);
    EXPECT_TRUE(Child<QComboBox>(*viewer, "1085")->isEnabled());
    EXPECT_FALSE(Child<QRadioButton>(*viewer, "1056")->isEnabled());

    Click(*viewer, "1060");
    EXPECT_EQ(viewer->Scene().chart, MonthlyChart::ByOrientation);
    EXPECT_EQ(viewer->GraphTilt(), tilt);
    EXPECT_EQ(viewer->GraphAzimuth(), 0);
    EXPECT_FALSE(Child<QComboBox>(*viewer, "1085")->isEnabled());
    EXPECT_TRUE(Child<QLineEdit>(*viewer, "1014")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(*viewer, "1016")->isEnabled());
    EXPECT_TRUE(viewer->Selector().Model().TiltMovable()) << "the picker moves";

    Click(*viewer, "1061");
    EXPECT_EQ(viewer->Scene().chart, MonthlyChart::Optimum);
    EXPECT_EQ(viewer->GraphTilt(), 30);
    EXPECT_EQ(viewer->GraphAzimuth(), 0);
    EXPECT_FALSE(Child<QLineEdit>(*viewer, "1014")->isEnabled());
    EXPECT_FALSE(viewer->Selector().Model().TiltMovable()) << "the picker rests";
    EXPECT_FALSE(viewer->Selector().Model().AzimuthMovable());

    Click(*viewer, "1067");
    EXPECT_EQ(viewer->Scene().chart, MonthlyChart::Variation);
    EXPECT_EQ(viewer->GraphTilt(), 0);
    EXPECT_FALSE(viewer->Scene().toggleShown);
    EXPECT_TRUE(viewer->Canvas().LegendToggleRect().IsEmpty()) << "nothing to press";
    EXPECT_FALSE(Child<QRadioButton>(*viewer, "1061")->isEnabled());

    Click(*viewer, "1059");
    EXPECT_EQ(viewer->GraphTilt(), 0);
    EXPECT_EQ(viewer->GraphAzimuth(), 0);
    EXPECT_TRUE(viewer->Scene().toggleShown);
}

TEST_F(MonthlyViewerTest, TypedAnglesSnapAndTheAzimuthKeepsItsSide) {
    auto viewer = Open();
    Click(*viewer, "1060");
    Type(*viewer, "1014", QStringLiteral("97"));
    EXPECT_EQ(viewer->Tilt(MonthlyAngleMode::FixedTilt), 90);
    EXPECT_EQ(viewer->GraphTilt(), 90);
    Type(*viewer, "1014", QStringLiteral("45"));
    EXPECT_EQ(viewer->Tilt(MonthlyAngleMode::FixedTilt), 50);
    EXPECT_EQ(Child<QLineEdit>(*viewer, "1014")->text(), QStringLiteral("50"));

    Click(*viewer, "1057");
    EXPECT_EQ(viewer->GraphTilt(), 30) << "the azimuth mode draws at tilt 30";
    viewer->EnterAzimuth(MonthlyAngleMode::FixedAzimuth, -45);
    EXPECT_EQ(viewer->StoredAzimuth(MonthlyAngleMode::FixedAzimuth), -45);
    EXPECT_EQ(Child<QLineEdit>(*viewer, "1016")->text(), QStringLiteral("45"))
        << "the edit shows the magnitude";
    Type(*viewer, "1016", QStringLiteral("20"));
    EXPECT_EQ(viewer->StoredAzimuth(MonthlyAngleMode::FixedAzimuth), -15);
    EXPECT_EQ(viewer->GraphAzimuth(), -15);
    Type(*viewer, "1016", QStringLiteral("-20"));
    EXPECT_EQ(viewer->StoredAzimuth(MonthlyAngleMode::FixedAzimuth), 15);
}

TEST_F(MonthlyViewerTest, ArrowsStepByTheirStepAndStopAtTheEnds) {
    auto viewer = Open();
    Click(*viewer, "1060");
    Click(*viewer, "1058");
    auto arrow = [&](const char* name) {
        QTest::mouseClick(viewer->findChild<QToolButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    };
    viewer->EnterAzimuth(MonthlyAngleMode::Orientation, -165);
    arrow("1025-up");
    EXPECT_EQ(viewer->StoredAzimuth(MonthlyAngleMode::Orientation), -180);
    arrow("1025-up");
    EXPECT_EQ(viewer->StoredAzimuth(MonthlyAngleMode::Orientation), -180);
    viewer->EnterAzimuth(MonthlyAngleMode::Orientation, 0);
    arrow("1025-down");
    EXPECT_EQ(viewer->StoredAzimuth(MonthlyAngleMode::Orientation), 0);
    arrow("1025-up");
    EXPECT_EQ(viewer->StoredAzimuth(MonthlyAngleMode::Orientation), 15);
    EXPECT_EQ(viewer->GraphAzimuth(), 15);

    viewer->EnterTilt(MonthlyAngleMode::Orientation, 80);
    arrow("1019-up");
    EXPECT_EQ(viewer->Tilt(MonthlyAngleMode::Orientation), 90);
    arrow("1019-up");
    EXPECT_EQ(viewer->Tilt(MonthlyAngleMode::Orientation), 90);
    arrow("1015-up"); // the mode-0 arrows are not the current mode's
    EXPECT_EQ(viewer->Tilt(MonthlyAngleMode::FixedTilt), DefaultTilt());
}

TEST_F(MonthlyViewerTest, MonthButtonsWrapTheYearAndResetTheDay) {
    auto viewer = Open();
    app->Selection().month = 1;
    app->Selection().day = 17;
    viewer->ChooseMonth(0);
    EXPECT_EQ(app->Selection().day, 1);
    const QPoint previous = Centre(viewer->Canvas().PreviousButtonRect());
    const QPoint next = Centre(viewer->Canvas().NextButtonRect());
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, previous);
    EXPECT_EQ(app->Selection().month, 12);
    EXPECT_EQ(Child<QComboBox>(*viewer, "1085")->currentIndex(), 11);
    EXPECT_NE(viewer->Scene().title.find("12月"), std::string::npos);
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, next);
    EXPECT_EQ(app->Selection().month, 1);

    Click(*viewer, "1060");
    EXPECT_TRUE(viewer->Canvas().NextButtonRect().IsEmpty()) << "only the month chart steps";
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, next);
    EXPECT_EQ(app->Selection().month, 1);
}

TEST_F(MonthlyViewerTest, LegendClicksHideCurvesAndTheToggleShowsThemAgain) {
    auto viewer = Open();
    const CGraphCanvas& canvas = viewer->Canvas();
    const std::size_t lines = viewer->Scene().lines.size();
    ASSERT_EQ(lines, 13u);
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, Centre(canvas.Legend()[3].frame));
    EXPECT_EQ(canvas.Legend()[3].visible, false);
    EXPECT_EQ(viewer->Scene().lines.size(), lines - 1);
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, Centre(canvas.LegendToggleRect()));
    EXPECT_FALSE(canvas.AnyLegendEntryHidden());
    EXPECT_EQ(viewer->Scene().lines.size(), lines);
}

TEST_F(MonthlyViewerTest, TheLegendNamesThePlaneDrawnWhicheverControlChangedIt) {
    auto viewer = Open();
    Click(*viewer, "1060");
    Click(*viewer, "1058"); // 任意の指定
    const CGraphCanvas& canvas = viewer->Canvas();
    ASSERT_EQ(canvas.Legend().size(), 1u);
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, Centre(canvas.Legend()[0].frame));
    ASSERT_EQ(canvas.Legend()[0].visible, false);
    const auto named = [&] {
        return "傾斜角" + std::to_string(viewer->GraphTilt()) + "度 方位角" +
               std::to_string(std::abs(viewer->GraphAzimuth())) + "度";
    };
    Type(*viewer, "1018", QStringLiteral("45"));
    ASSERT_EQ(viewer->GraphTilt(), 50);
    EXPECT_EQ(canvas.Legend()[0].label, named());
    EXPECT_EQ(canvas.Legend()[0].visible, false) << "what the user hid stays hidden";
    Type(*viewer, "1024", QStringLiteral("30"));
    EXPECT_EQ(canvas.Legend()[0].label, named());
    QTest::mouseClick(viewer->findChild<QToolButton*>(QStringLiteral("1019-down")), Qt::LeftButton);
    ASSERT_EQ(viewer->GraphTilt(), 40);
    EXPECT_EQ(canvas.Legend()[0].label, "傾斜角40度 方位角30度");
    QTest::mouseClick(viewer->findChild<QToolButton*>(QStringLiteral("1025-up")), Qt::LeftButton);
    EXPECT_EQ(canvas.Legend()[0].label, "傾斜角40度 方位角45度");

    const QPoint from = Centre(viewer->Selector().Model().TiltKnob());
    QTest::mousePress(viewer->SelectorFrame(), Qt::LeftButton, {}, from);
    QTest::mouseMove(viewer->SelectorFrame(), from + QPoint(0, 40));
    QTest::mouseRelease(viewer->SelectorFrame(), Qt::LeftButton, {}, from + QPoint(0, 40));
    ASSERT_NE(viewer->GraphTilt(), 40);
    EXPECT_EQ(canvas.Legend()[0].label, named());
    EXPECT_EQ(canvas.Legend()[0].visible, false);
}

TEST_F(MonthlyViewerTest, AMonthlyFolderThatIsAFileShowsTheLoadFailure) {
    const std::string file = (kit->path() / "not-a-folder").string();
    std::ofstream(file) << "x";
    app->WriteMonthlyFolder(file);
    auto viewer = Open();
    EXPECT_FALSE(viewer->DataLoaded());
    EXPECT_FALSE(viewer->Scene().loaded);
    EXPECT_FALSE(platform.messages.empty()) << "the loader says why";
    EXPECT_TRUE(viewer->isVisible()) << "the viewer stays open";
}

TEST_F(MonthlyViewerTest, ChoosingASiteResetsTheAnglesAndTheHourlyButtonSwitches) {
    auto viewer = Open();
    Click(*viewer, "1060");
    viewer->EnterTilt(MonthlyAngleMode::FixedTilt, 70);
    auto* sites = Child<QComboBox>(*viewer, "1088");
    if (sites->count() > 1) {
        viewer->ChooseSite(sites->currentIndex() == 0 ? 1 : 0);
        EXPECT_EQ(viewer->Tilt(MonthlyAngleMode::FixedTilt), DefaultTilt());
        EXPECT_EQ(viewer->GraphTilt(), DefaultTilt()) << "the orientation display keeps a tilt";
    }
    Click(*viewer, "2");
    EXPECT_EQ(viewer->result(), QDialog::Rejected) << "the menu then opens the hourly viewer";
}

TEST_F(MonthlyViewerTest, PrintingKeepsHiddenCurvesOffPaperAndShowsThemAgainOnScreen) {
    auto viewer = Open();
    const CGraphCanvas& canvas = viewer->Canvas();
    QTest::mouseClick(viewer->GraphFrame(), Qt::LeftButton, {}, Centre(canvas.Legend()[2].frame));

    // An A4 landscape page at 300 dpi: a 3496-pixel-wide graph at scale 4, the
    // hidden curve still hidden.
    const PrintedMonthlyGraph page = ComposePrintedMonthlyGraph(viewer->GraphInput(), 3508, 2480,
                                                                840, 560, viewer->State().hidden);
    EXPECT_EQ(page.geometry.scale, 4);
    EXPECT_EQ(page.layout.legend[2].visible, false);
    EXPECT_EQ(page.scene.lines.size(), 12u);
    EXPECT_FALSE(page.scene.toggleShown) << "nothing to press on paper";

    const std::string pdf = (kit->path() / "monthly.pdf").string();
    platform.printAnswers.push_back(QString::fromStdString(pdf));
    Click(*viewer, "1070");
    ASSERT_EQ(platform.printRequests.size(), 1u);
    EXPECT_EQ(platform.printRequests[0].documentName, QStringLiteral("HORIX"));
    std::ifstream printed(pdf, std::ios::binary);
    std::string head(4, '\0');
    printed.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
    EXPECT_FALSE(canvas.AnyLegendEntryHidden());
    EXPECT_EQ(viewer->Scene().lines.size(), 13u);
}

TEST_F(MonthlyViewerTest, HoveringALegendEntryShowsTheSeriesYear) {
    auto viewer = Open();
    viewer->ChooseDisplay(MonthlyDisplay::Variation);
    auto record = std::make_unique<MonthlyRecord>();
    CollectingReporter reporter;
    ASSERT_EQ(LoadMonthlyData(app->MonthlyFolder(), app->Selection().siteNumber, *record, reporter),
              LoadStatus::Ok);
    const auto& layout = viewer->Canvas().Layout();
    ASSERT_EQ(layout.legend.size(), 3u);
    for (std::size_t entry = 0; entry < 3; ++entry) {
        long long year = 0; // hundredths of kWh/m2
        for (int m = 1; m <= 12; ++m) {
            year +=
                static_cast<long long>(record->variation[entry][static_cast<std::size_t>(m - 1)]) *
                app->DaysInMonth(m);
        }
        QTest::mouseMove(viewer->GraphFrame(), QPoint(1, 1));
        QTest::mouseMove(viewer->GraphFrame(), Centre(layout.legend[entry].frame));
        EXPECT_EQ(QToolTip::text(), ToQString("年間合計 " + DecimalText(year, 2) + " kWh/㎡"))
            << entry;
    }
}

} // namespace
} // namespace quorvane

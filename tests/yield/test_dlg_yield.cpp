// The yield dialog on a small generated kit, driven by its controls and mouse events
// through the platform seam.
#include "app/app_data.h"
#include "data/file_io.h"
#include "kit_app_test.h"
#include "recording_platform.h"
#include "scripted_site_picker.h"
#include "ui/dlg_digit_input.h"
#include "yield/dlg_yield.h"
#include "yield/yield_report.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

class YieldDialogTest : public test::KitAppTest<6, 9> {
protected:
    std::unique_ptr<CDlgYield> Open(std::optional<PlaneAngles> plane, int index = 1) {
        SelectSite(index);
        auto dialog = std::make_unique<CDlgYield>(*app, picker, plane);
        dialog->show();
        return dialog;
    }
    YieldSiteData Loaded() const {
        CollectingReporter reporter;
        const CAmedasPoint& site = *app->SiteAt(app->FindSiteIndex(app->Selection().siteNumber));
        return LoadYieldSiteData({app->MapFolder(), app->HourlyFolder(), app->MonthlyFolder()},
                                 site, reporter);
    }
    template <class T>
    static T* Child(QWidget& dialog, const char* id) {
        T* child = dialog.findChild<T*>(QString::fromLatin1(id));
        EXPECT_NE(child, nullptr) << id;
        return child;
    }
    static QPoint Centre(const tagGraphToolTip& tip) {
        return {(tip.left + tip.right) / 2, (tip.top + tip.bottom) / 2};
    }

    RecordingPlatform platform;
    test::ScriptedSitePicker picker;
};

TEST_F(YieldDialogTest, OpensOnThePlaneGivenAndShowsBothMethodsOfTheSite) {
    auto dialog = Open(PlaneAngles{25, 340});
    EXPECT_EQ(dialog->State().mode, HourlyAngleMode::Orientation);
    EXPECT_EQ(dialog->GraphAngles(), (PlaneAngles{25, 340}));
    const YieldComparison expected =
        CompareYields(Loaded(), {25, 340}, HourlyArray{}, MonthlyArray{});
    const YieldComparison& shown = dialog->Comparison();
    for (std::size_t v = 0; v < 3; ++v) {
        ASSERT_TRUE(shown.variants[v]);
        EXPECT_EQ(*shown.variants[v], *expected.variants[v]);
    }
    ASSERT_TRUE(shown.monthly);
    EXPECT_EQ(*shown.monthly, *expected.monthly);
    EXPECT_EQ(shown.monthlyPlane, (MonthlyPlane{30, -15}));
    // 36 bars, 12 points and four table rows, each with its tooltip.
    EXPECT_EQ(dialog->Chart().bars.size(), 36u);
    EXPECT_EQ(dialog->Chart().line.size(), 12u);
    EXPECT_EQ(dialog->Canvas().Tooltips().size(), 36u + 12u + 4u);
    EXPECT_EQ(platform.messages.size(), 0u);
}

TEST_F(YieldDialogTest, WithoutAPlaneItStartsAtTheSitesLatitudeFacingSouth) {
    auto dialog = Open(std::nullopt);
    const CAmedasPoint& site = *app->SiteAt(app->FindSiteIndex(app->Selection().siteNumber));
    EXPECT_EQ(dialog->GraphAngles(), (PlaneAngles{static_cast<int>(site.latitudeDeg + 0.5), 0}));
}

TEST_F(YieldDialogTest, ParametersRecomputeAsTheyChange) {
    auto dialog = Open(PlaneAngles{30, 0});
    const YieldComparison before = dialog->Comparison();
    Child<QDoubleSpinBox>(*dialog, "yieldRating")->setValue(8.0);
    // Energy scales with the rating, the inverter's limit too.
    EXPECT_NEAR(dialog->Comparison().variants[0]->annualKwh, 2.0 * before.variants[0]->annualKwh,
                1e-9 * before.variants[0]->annualKwh);
    EXPECT_NEAR(dialog->Comparison().monthly->annualKwh, 2.0 * before.monthly->annualKwh,
                1e-9 * before.monthly->annualKwh);
    EXPECT_EQ(dialog->Comparison().variants[0]->poaKwhM2, before.variants[0]->poaKwhM2);

    Child<QComboBox>(*dialog, "yieldMounting")->setCurrentIndex(2);
    EXPECT_EQ(dialog->State().monthly.mounting, Mounting::Integrated);
    EXPECT_LT(dialog->Comparison().monthly->annualKwh, 2.0 * before.monthly->annualKwh)
        << "a hotter roof-material mounting loses more";
    Child<QDoubleSpinBox>(*dialog, "yieldLosses")->setValue(30.0);
    EXPECT_EQ(dialog->State().hourly.lossesPct, 30.0);
    const YieldComparison expected =
        CompareYields(Loaded(), {30, 0}, dialog->State().hourly, dialog->State().monthly);
    EXPECT_EQ(*dialog->Comparison().variants[2], *expected.variants[2]);
    EXPECT_EQ(*dialog->Comparison().monthly, *expected.monthly);
}

TEST_F(YieldDialogTest, ArrowsAndThePickerMoveThePlaneTheChartNames) {
    auto dialog = Open(PlaneAngles{30, 0});
    QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("1019-up")), Qt::LeftButton);
    EXPECT_EQ(dialog->GraphAngles(), (PlaneAngles{31, 0}));
    EXPECT_EQ(dialog->Comparison().tiltDeg, 31);
    QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("1025-down")), Qt::LeftButton);
    EXPECT_EQ(dialog->GraphAngles(), (PlaneAngles{31, 359})) << "south, one step east";
    QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("1025-up")), Qt::LeftButton);
    EXPECT_EQ(dialog->GraphAngles(), (PlaneAngles{31, 0}));
    const GraphRect knob = dialog->Selector().Model().TiltKnob();
    const QPoint from((knob.left + knob.right) / 2, (knob.top + knob.bottom) / 2);
    QTest::mousePress(dialog->SelectorFrame(), Qt::LeftButton, {}, from);
    QTest::mouseMove(dialog->SelectorFrame(), from + QPoint(0, 40));
    QTest::mouseRelease(dialog->SelectorFrame(), Qt::LeftButton, {}, from + QPoint(0, 40));
    const PlaneAngles dragged = dialog->GraphAngles();
    EXPECT_NE(dragged, (PlaneAngles{31, 0}));
    EXPECT_EQ(dialog->Comparison().tiltDeg, dragged.tiltDeg);
    EXPECT_NE(dialog->Chart().subtitle.text.find("傾斜角" + std::to_string(dragged.tiltDeg) + "度"),
              std::string::npos);
}

TEST_F(YieldDialogTest, TheCsvIsWrittenThroughTheSaveDialogAndCancellingWritesNothing) {
    auto dialog = Open(PlaneAngles{30, 0});
    const std::string path = (kit->path() / "yield.csv").string();
    platform.saveAnswers.push_back(std::nullopt);
    Child<QAbstractButton>(*dialog, "yieldCsv")->click();
    EXPECT_FALSE(std::filesystem::exists(path));
    Child<QDoubleSpinBox>(*dialog, "yieldLosses")->setValue(20.0);
    Child<QComboBox>(*dialog, "yieldMounting")->setCurrentIndex(1);
    platform.saveAnswers.push_back(QString::fromStdString(path));
    Child<QAbstractButton>(*dialog, "yieldCsv")->click();
    std::string written;
    ASSERT_TRUE(ReadWholeFile(path, written));
    EXPECT_EQ(written, YieldComparisonCsv(dialog->Comparison()));
    // The table says what it was computed for.
    EXPECT_NE(written.find(",損失(%),20,"), std::string::npos);
    EXPECT_NE(written.find(std::string(",設置形態,") + MountingLabel(Mounting::Roof) + ","),
              std::string::npos);
    EXPECT_EQ(platform.messages.size(), 0u);
}

TEST_F(YieldDialogTest, PrintingGoesToTheChosenPdf) {
    auto dialog = Open(PlaneAngles{30, 0});
    const std::string pdf = (kit->path() / "yield.pdf").string();
    platform.printAnswers.push_back(QString::fromStdString(pdf));
    Child<QAbstractButton>(*dialog, "1070")->click();
    ASSERT_EQ(platform.printRequests.size(), 1u);
    EXPECT_EQ(platform.printRequests[0].documentName, QStringLiteral("発電量試算"));
    std::ifstream printed(pdf, std::ios::binary);
    std::string head(4, '\0');
    printed.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
    EXPECT_EQ(platform.messages.size(), 0u);
}

TEST_F(YieldDialogTest, TheScanMovesThePlaneToTheBestOrientationUnlessCancelled) {
    auto dialog = Open(PlaneAngles{10, 90});
    platform.cancelProgress = true;
    Child<QAbstractButton>(*dialog, "yieldBest")->click();
    EXPECT_EQ(platform.progressLabels.size(), 1u);
    EXPECT_EQ(dialog->GraphAngles(), (PlaneAngles{10, 90}));
    EXPECT_EQ(platform.messages.size(), 0u);

    platform.cancelProgress = false;
    Child<QAbstractButton>(*dialog, "yieldBest")->click();
    WorkProgress progress;
    const YieldSiteData data = Loaded();
    const OrientationScan scan = ScanOrientations(*data.years[0], HourlyArray{}, progress, 2);
    EXPECT_EQ(dialog->GraphAngles(),
              (PlaneAngles{scan.best.tiltDeg, (scan.best.azimuthDeg + 360) % 360}));
    EXPECT_NEAR(dialog->Comparison().variants[0]->annualKwh, scan.best.annualKwh,
                1e-9 * scan.best.annualKwh);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].contains(QStringLiteral("傾斜角%1度").arg(scan.best.tiltDeg)));
}

TEST_F(YieldDialogTest, AnEastAzimuthTypedNegativeFacesEastAndEveryTextSaysItTheSameWay) {
    auto dialog = Open(PlaneAngles{30, 0});
    platform.modalHandlers.push_back([](QDialog& shown) {
        auto& digits = dynamic_cast<CDlgDigitInput&>(shown);
        digits.Edit()->setText(QStringLiteral("-90"));
        digits.accept();
    });
    Child<QLineEdit>(*dialog, "1024")->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(platform.modalDialogs.size(), 1u);
    EXPECT_EQ(dialog->GraphAngles(), (PlaneAngles{30, 270}));
    EXPECT_EQ(dialog->Comparison().monthlyPlane, (MonthlyPlane{30, -90}));
    EXPECT_NE(dialog->Chart().subtitle.text.find("方位角270度"), std::string::npos);
    bool monthlyRow = false;
    for (const ChartRow& row : dialog->Chart().rows) {
        monthlyRow = monthlyRow || row.cells[0].text.find("30度・270度の面") != std::string::npos;
    }
    EXPECT_TRUE(monthlyRow) << "the monthly method's plane in the field's convention";
}

TEST_F(YieldDialogTest, EnterConfirmsAParameterAndKeepsTheWindowOpen) {
    auto dialog = Open(PlaneAngles{30, 0});
    auto* losses = Child<QDoubleSpinBox>(*dialog, "yieldLosses");
    losses->setFocus();
    losses->selectAll();
    QTest::keyClicks(losses, QStringLiteral("20"));
    QTest::keyClick(losses, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_EQ(dialog->State().hourly.lossesPct, 20.0);
    QTest::keyClick(losses, Qt::Key_Enter);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(YieldDialogTest, ClicksArrivingDuringTheScanStartNoSecondScan) {
    auto dialog = Open(PlaneAngles{10, 90});
    auto* best = Child<QAbstractButton>(*dialog, "yieldBest");
    int arrivals = 0;
    platform.duringProgress = [best, &arrivals] {
        if (arrivals++ == 0) {
            best->click();
            best->click();
        }
    };
    best->click();
    EXPECT_EQ(platform.progressLabels.size(), 1u);
    EXPECT_EQ(platform.messages.size(), 1u);
    platform.duringProgress = nullptr;
    best->click();
    EXPECT_EQ(platform.progressLabels.size(), 2u) << "a later click scans again";
}

TEST_F(YieldDialogTest, BarsTellTheirValuesOnHover) {
    auto dialog = Open(PlaneAngles{30, 0});
    const YieldChart& chart = dialog->Chart();
    ASSERT_FALSE(chart.tooltips.empty());
    const tagGraphToolTip& march = chart.tooltips[2 * 3 + 1]; // March, high-sunshine year
    EXPECT_EQ(march.text.rfind("3月 多照年\n発電量 ", 0), 0u) << march.text;
    char kwh[32];
    std::snprintf(kwh, sizeof kwh, "%.2f kWh", dialog->Comparison().variants[1]->monthlyKwh[2]);
    EXPECT_NE(march.text.find(kwh), std::string::npos);
    // Near its foot, clear of the monthly method's points.
    EXPECT_EQ(FindTooltipAt(dialog->Canvas().Tooltips(), Centre(march).x(), march.bottom - 2),
              2 * 3 + 1);
}

} // namespace
} // namespace quorvane

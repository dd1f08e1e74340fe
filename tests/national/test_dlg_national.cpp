// The national map window on a small generated kit, driven through its controls,
// mouse events and the platform seam.
#include "app/app_data.h"
#include "data/file_io.h"
#include "kit_app_test.h"
#include "national/dlg_national.h"
#include "recording_platform.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

class NationalWindowTest : public test::KitAppTest<12, 4> {
protected:
    std::unique_ptr<CDlgNational> Open() {
        auto window =
            std::make_unique<CDlgNational>(*app, [this](bool hourly) { opened.push_back(hourly); });
        window->show();
        window->ComputeFirstMap();
        return window;
    }
    NationalMap Expected(const NationalRequest& request) const {
        WorkProgress progress;
        return ComputeNationalMap({app->MapFolder(), app->HourlyFolder(), app->MonthlyFolder()},
                                  app->Sites(), app->MapInfos(), request, progress, 2);
    }
    template <class T>
    static T* Child(QWidget& window, const char* id) {
        T* child = window.findChild<T*>(QString::fromLatin1(id));
        EXPECT_NE(child, nullptr) << id;
        return child;
    }
    static QPoint At(const NationalMarker& marker) { return {marker.at.x, marker.at.y}; }

    RecordingPlatform platform;
    std::vector<bool> opened;
};

TEST_F(NationalWindowTest, OpensOnThePlaneIrradiationOfEverySiteRankedLargestFirst) {
    auto window = Open();
    ASSERT_EQ(platform.progressLabels.size(), 1u);
    const NationalMap& shown = window->Shown();
    const NationalMap expected = Expected(window->Request());
    ASSERT_EQ(shown.sites.size(), expected.sites.size());
    for (std::size_t i = 0; i < shown.sites.size(); ++i) {
        EXPECT_EQ(shown.sites[i].value, expected.sites[i].value) << shown.sites[i].siteNumber;
    }
    auto* ranking = Child<QTableWidget>(*window, "nationalRanking");
    ASSERT_EQ(ranking->rowCount(), app->SiteCount());
    const std::vector<std::size_t> order = RankingOrder(shown);
    EXPECT_EQ(ranking->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(ranking->item(0, 1)->text(), QString::fromStdString(shown.sites[order[0]].name));
    EXPECT_EQ(window->Layout().markers.size(), static_cast<std::size_t>(app->SiteCount()));
}

TEST_F(NationalWindowTest, EachQuantityIsComputedOnceAndACancelKeepsWhatIsShown) {
    auto window = Open();
    const NationalMap first = window->Shown();
    Child<QComboBox>(*window, "nationalQuantity")->setCurrentIndex(3); // optimum tilt
    EXPECT_EQ(platform.progressLabels.size(), 2u);
    EXPECT_EQ(window->Request().quantity, NationalQuantity::OptimumTilt);
    EXPECT_FALSE(Child<QSpinBox>(*window, "nationalTilt")->isEnabled());
    Child<QComboBox>(*window, "nationalQuantity")->setCurrentIndex(0);
    EXPECT_EQ(platform.progressLabels.size(), 2u) << "taken from the session's cache";
    EXPECT_EQ(window->Shown().request.Key(), first.request.Key());

    platform.cancelProgress = true;
    Child<QSpinBox>(*window, "nationalTilt")->setValue(45);
    EXPECT_EQ(platform.progressLabels.size(), 3u);
    EXPECT_EQ(Child<QSpinBox>(*window, "nationalTilt")->value(), 30)
        << "the controls name the map still shown";
    EXPECT_EQ(window->Request().tiltDeg, 30);
}

TEST_F(NationalWindowTest, HoverNamesASiteAndAClickMakesItCurrent) {
    auto window = Open();
    const NationalLayout& layout = window->Layout();
    ASSERT_GE(layout.markers.size(), 2u);
    const NationalMarker& marker = layout.markers[1];
    QTest::mouseMove(&window->Pane(), At(marker));
    EXPECT_EQ(window->Pane().Hovered(), 1u);
    QTest::mouseClick(&window->Pane(), Qt::LeftButton, {}, At(marker));
    const SiteValue& site = window->Shown().sites[marker.site];
    EXPECT_EQ(app->Selection().siteNumber, site.siteNumber);
    EXPECT_EQ(app->Selection().areaCode, site.areaCode);
    Child<QPushButton>(*window, "nationalMonthly")->click();
    Child<QPushButton>(*window, "nationalHourly")->click();
    EXPECT_EQ(opened, (std::vector<bool>{false, true}));
}

TEST_F(NationalWindowTest, TheRankingsHighlightStaysOnTheCurrentSiteWhenTheRowsMove) {
    auto window = Open();
    auto* ranking = Child<QTableWidget>(*window, "nationalRanking");
    const auto selectedSite = [&]() -> std::optional<int> {
        const QList<QTableWidgetItem*> selected = ranking->selectedItems();
        if (selected.isEmpty()) {
            return std::nullopt;
        }
        const auto index =
            ranking->item(selected.front()->row(), 0)->data(Qt::UserRole).value<qulonglong>();
        return window->Shown().sites[index].siteNumber;
    };
    const NationalMarker& marker = window->Layout().markers[2];
    QTest::mouseClick(&window->Pane(), Qt::LeftButton, {}, At(marker));
    const int chosen = app->Selection().siteNumber;
    EXPECT_EQ(selectedSite(), chosen);
    for (int quantity : {3, 4, 0}) { // optimum tilt, spread, back to the plane
        Child<QComboBox>(*window, "nationalQuantity")->setCurrentIndex(quantity);
        EXPECT_EQ(selectedSite(), chosen) << "quantity " << quantity;
    }
    auto* tilt = Child<QSpinBox>(*window, "nationalTilt");
    tilt->setFocus();
    tilt->selectAll();
    QTest::keyClicks(tilt, QStringLiteral("60"));
    QTest::keyClick(tilt, Qt::Key_Return);
    EXPECT_TRUE(window->isVisible()) << "Enter confirms the tilt, it closes nothing";
    EXPECT_EQ(window->Request().tiltDeg, 60);
    EXPECT_EQ(selectedSite(), chosen);
}

TEST_F(NationalWindowTest, ABlockZoomPlacesMarkersAsTheBlockMapDoes) {
    auto window = Open();
    const SiteValue& first = window->Shown().sites[0];
    ASSERT_GE(first.block, 1);
    Child<QComboBox>(*window, "nationalBlock")->setCurrentIndex(first.block);
    const NationalLayout& layout = window->Layout();
    EXPECT_EQ(layout.block, first.block);
    const CDRect view = app->MapInfos()[static_cast<std::size_t>(first.block)].bounds;
    const PixelPoint expected =
        GeoToPixel({first.longitudeDeg, first.latitudeDeg}, view, MapInnerRect());
    bool found = false;
    for (const NationalMarker& marker : layout.markers) {
        if (marker.site == 0) {
            found = true;
            EXPECT_EQ(marker.at, (PixelPoint{expected.x, expected.y + kNationalTitleBand}));
        }
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(platform.progressLabels.size(), 1u) << "a zoom computes nothing";

    // The ranking lists the sites on the block's map, ranked among themselves.
    auto* ranking = Child<QTableWidget>(*window, "nationalRanking");
    ASSERT_EQ(ranking->rowCount(), static_cast<int>(layout.markers.size()));
    ASSERT_LT(layout.markers.size(), window->Shown().sites.size()) << "the kit spans blocks";
    for (int row = 0; row < ranking->rowCount(); ++row) {
        const auto index = ranking->item(row, 0)->data(Qt::UserRole).value<qulonglong>();
        EXPECT_TRUE(std::any_of(layout.markers.begin(), layout.markers.end(),
                                [index](const NationalMarker& m) { return m.site == index; }));
    }
    EXPECT_EQ(ranking->item(0, 0)->text(), QStringLiteral("1"));
    Child<QComboBox>(*window, "nationalBlock")->setCurrentIndex(0);
    EXPECT_EQ(ranking->rowCount(), static_cast<int>(window->Shown().sites.size()));
}

TEST_F(NationalWindowTest, TheRankingAndTheSitesAreSavedAndTheMapPrinted) {
    auto window = Open();
    const std::string csv = (kit->path() / "national.csv").string();
    const std::string geojson = (kit->path() / "national.geojson").string();
    platform.saveAnswers = {QString::fromStdString(csv), QString::fromStdString(geojson)};
    Child<QPushButton>(*window, "nationalCsv")->click();
    Child<QPushButton>(*window, "nationalGeoJson")->click();
    std::string written;
    ASSERT_TRUE(ReadWholeFile(csv, written));
    EXPECT_EQ(written, NationalCsv(window->Shown()));
    ASSERT_TRUE(ReadWholeFile(geojson, written));
    EXPECT_EQ(written, NationalGeoJson(window->Shown()));
    ASSERT_EQ(platform.saveRequests.size(), 2u);
    EXPECT_EQ(platform.saveRequests[1].defaultSuffix, QStringLiteral("geojson"));

    const std::string pdf = (kit->path() / "national.pdf").string();
    platform.printAnswers.push_back(QString::fromStdString(pdf));
    Child<QPushButton>(*window, "nationalPrint")->click();
    std::ifstream printed(pdf, std::ios::binary);
    std::string head(4, '\0');
    printed.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(NationalWindowTest, TheMapsPictureMenuCopiesAndSavesWhatIsShown) {
    auto window = Open();
    NationalPane& pane = window->Pane();
    const QPoint inside(pane.width() / 2, pane.height() / 2);
    QContextMenuEvent copy(QContextMenuEvent::Mouse, inside, pane.mapToGlobal(inside));
    platform.menuAnswers = {0};
    QApplication::sendEvent(&pane, &copy);
    ASSERT_EQ(platform.copiedImages.size(), 1u);
    EXPECT_EQ(platform.copiedImages[0].size(), QSize(2 * kNationalWidth, 2 * kNationalHeight));

    const std::string svg = (kit->path() / "national.svg").string();
    platform.menuAnswers = {1};
    platform.saveAnswers = {QString::fromStdString(svg)};
    QContextMenuEvent save(QContextMenuEvent::Mouse, inside, pane.mapToGlobal(inside));
    QApplication::sendEvent(&pane, &save);
    std::string written;
    ASSERT_TRUE(ReadWholeFile(svg, written));
    EXPECT_NE(written.find("<svg"), std::string::npos);
    // The picture names what the window shows.
    const std::string title = window->Layout().title.text;
    ASSERT_FALSE(title.empty());
    EXPECT_NE(written.find(title), std::string::npos) << title;
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace
} // namespace quorvane

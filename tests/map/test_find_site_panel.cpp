// The site selection map's search field, typed into and chosen from with key and
// mouse events on a small generated kit.
#include "app/app_data.h"
#include "kit_app_test.h"
#include "map/dlg_map.h"
#include "map/find_site_panel.h"
#include "map/map_pictures.h"
#include "map/mesh_code.h"
#include "map/search_archive.h"
#include "recording_platform.h"
#include "ui/hover_bitmap_button.h"
#include "ui/my_list_box.h"
#include "ui/text.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

class FindSiteTest : public test::KitAppTest<40, 5> {
protected:
    void SetUp() override {
        KitAppTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        dialog = std::make_unique<CDlgMap>(*app, app->Outlines());
        dialog->Model().SetBalloon(false);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        finder = dialog->Finder();
        QTest::mouseClick(finder->Field(), Qt::LeftButton);
        ASSERT_TRUE(finder->Field()->hasFocus());
    }
    // Typing as a Japanese input method delivers it: each committed character an input
    // method event; ASCII as key presses.
    void Type(const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(finder->Field(), QString(c));
                continue;
            }
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(finder->Field(), &commit);
        }
    }
    void ClickLine(int line) {
        CMyListBox* results = finder->Results();
        const QRect rect = results->visualItemRect(results->item(line));
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // The result line of a site or place, or -1.
    int LineOf(const std::function<bool(const FoundPlace&)>& wanted) const {
        const std::vector<FoundPlace>& matches = finder->Matches();
        for (int i = 0; i < static_cast<int>(matches.size()); ++i) {
            if (wanted(matches[static_cast<std::size_t>(i)])) {
                return i;
            }
        }
        return -1;
    }
    // A site whose marker its area map shows.
    int MappableSite() const {
        for (int i = 0; i < app->SiteCount(); ++i) {
            const CMapInfo* area = app->MapInfoAt(app->SiteAt(i)->areaCode);
            if (area != nullptr && area->level == 2 && dialog->Model().SelectFoundSite(i)) {
                dialog->Model().OpenNational();
                dialog->RefreshFromModel();
                return i;
            }
        }
        ADD_FAILURE() << "no site shows on its area map";
        return -1;
    }
    QWidget* Child(const char* id) const {
        return dialog->findChild<QWidget*>(QString::fromLatin1(id));
    }
    static QString FullWidthDigits(int number) {
        QString text;
        for (const QChar c : QString::number(number)) {
            text += QChar(0xFF10 + c.digitValue());
        }
        return text;
    }

    RecordingPlatform platform;
    std::unique_ptr<CDlgMap> dialog;
    FindSitePanel* finder = nullptr;
};

TEST_F(FindSiteTest, TypingListsTheMatchesWhereTheListsStand) {
    const int site = MappableSite();
    const CAmedasPoint& wanted = *app->SiteAt(site);
    EXPECT_TRUE(Child("1031")->isVisible());
    Type(ToQString(wanted.name));
    ASSERT_TRUE(finder->ResultsShown());
    EXPECT_TRUE(finder->Results()->isVisible());
    EXPECT_FALSE(Child("1031")->isVisible()) << "the area list gives way";
    EXPECT_FALSE(Child("1032")->isVisible());
    const int line = LineOf([&](const FoundPlace& f) { return f.siteIndex == site; });
    ASSERT_GE(line, 0);
    EXPECT_TRUE(finder->Results()->item(line)->text().startsWith(ToQString(wanted.name)));
    EXPECT_TRUE(finder->Matches().front().IsSite()) << "sites come first";

    // Deleting the text puts the lists back.
    finder->Field()->selectAll();
    QTest::keyClick(finder->Field(), Qt::Key_Backspace);
    EXPECT_FALSE(finder->ResultsShown());
    EXPECT_TRUE(Child("1031")->isVisible());
    EXPECT_TRUE(Child("1032")->isVisible());
}

TEST_F(FindSiteTest, ChoosingASiteSelectsItOnItsAreaMapLikeAClickOnItsMarker) {
    const int site = MappableSite();
    Type(ToQString(app->SiteAt(site)->name));
    const int line = LineOf([&](const FoundPlace& f) { return f.siteIndex == site; });
    ASSERT_GE(line, 0);
    ClickLine(line);
    const SiteSelectionModel& model = dialog->Model();
    EXPECT_EQ(model.Level(), MapLevel::Area);
    EXPECT_EQ(model.Record(), app->SiteAt(site)->areaCode);
    EXPECT_EQ(model.SelectedSite(), site);
    EXPECT_TRUE(model.SitePixel(site).has_value());
    EXPECT_TRUE(Child("1")->isEnabled()) << "OK";
    EXPECT_FALSE(finder->ResultsShown());
    auto* sites = static_cast<CMyListBox*>(Child("1032"));
    EXPECT_TRUE(sites->isVisible());
    EXPECT_EQ(sites->ChosenLine(), model.SelectedSiteLine());
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("1075"))->text(),
              ToQString(app->MapInfoAt(app->SiteAt(site)->areaCode)->name));
    // A click into the field, which kept the focus, brings the matches back.
    QTest::mouseClick(finder->Field(), Qt::LeftButton);
    EXPECT_TRUE(finder->ResultsShown());
    QTest::keyClick(finder->Field(), Qt::Key_Escape);
    dialog->AcceptSelection();
    EXPECT_EQ(dialog->SelectedSite(), site);
}

TEST_F(FindSiteTest, AFullWidthNumberFindsTheSiteAndReturnChoosesIt) {
    const int site = MappableSite();
    const int number = app->SiteAt(site)->siteNumber;
    Type(FullWidthDigits(number));
    ASSERT_FALSE(finder->Matches().empty());
    EXPECT_EQ(finder->Matches().front().siteNumber, number) << "a whole number is one site";
    QTest::keyClick(finder->Field(), Qt::Key_Return);
    EXPECT_EQ(dialog->Model().SelectedSite(), site);
    EXPECT_EQ(dialog->result(), 0) << "Return chose the site and did not end the dialog";
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(FindSiteTest, ChoosingAPlaceJumpsToItsSheetAsTheSearchesDo) {
    std::vector<CF_CHIN> offices;
    NullReporter quiet;
    ReadFacilityFile(FacilityFilePath(app->MapFolder(), 1), offices, quiet);
    ASSERT_FALSE(offices.empty());
    const CF_CHIN& office = offices.front();
    ASSERT_TRUE(
        SheetPictureExists(app->MapFolder(), GetMapSheetCode(office.lonDeg, office.latDeg)));
    Type(ToQString(office.name));
    const int line = LineOf([&](const FoundPlace& f) { return f.name == office.name; });
    ASSERT_GE(line, 0);
    EXPECT_EQ(finder->Matches()[static_cast<std::size_t>(line)].kind, FoundKind::Facility);
    // Down into the list, down to the line, Return.
    QTest::keyClick(finder->Field(), Qt::Key_Down);
    for (int i = 0; i < line; ++i) {
        QTest::keyClick(finder->Results(), Qt::Key_Down);
    }
    QTest::keyClick(finder->Results(), Qt::Key_Return);
    const SiteSelectionModel& model = dialog->Model();
    ASSERT_EQ(model.Level(), MapLevel::Mesh);
    EXPECT_EQ(model.Sheet(), GetMapSheetCode(office.lonDeg, office.latDeg));
    EXPECT_TRUE(model.SearchMarkerShown());
    EXPECT_EQ(model.SearchName(), office.name);
    EXPECT_EQ(model.SearchPoint().x, office.lonDeg);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FindSiteTest, AMunicipalityIsNamedWithItsPrefectureOnTheMap) {
    Type(QStringLiteral("サンプル市０１"));
    const int line = LineOf([&](const FoundPlace& f) {
        return f.kind == FoundKind::Municipality &&
               SheetPictureExists(app->MapFolder(), GetMapSheetCode(f.lonDeg, f.latDeg));
    });
    ASSERT_GE(line, 0) << "full-width digits find サンプル市01";
    const FoundPlace place = finder->Matches()[static_cast<std::size_t>(line)];
    EXPECT_EQ(place.name, "サンプル市01");
    ClickLine(line);
    EXPECT_EQ(dialog->Model().Level(), MapLevel::Mesh);
    EXPECT_EQ(dialog->Model().SearchName(), place.areaName + "サンプル市01");
}

TEST_F(FindSiteTest, ManyMatchesAreCutAndNothingFoundIsSaid) {
    Type(QStringLiteral("サ"));
    const int count = finder->Results()->count();
    EXPECT_EQ(finder->Matches().size(), 100u);
    ASSERT_EQ(count, 101);
    const QListWidgetItem* note = finder->Results()->item(100);
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("ほか")));
    EXPECT_EQ(note->flags(), Qt::NoItemFlags);
    ClickLine(100);
    EXPECT_TRUE(finder->ResultsShown()) << "the note chooses nothing";

    finder->Field()->clear();
    Type(QStringLiteral("存在しない地名ｘｙｚ"));
    ASSERT_EQ(finder->Results()->count(), 1);
    EXPECT_EQ(finder->Results()->item(0)->text(),
              QStringLiteral("該当する地点・地名はありません。"));
    QTest::keyClick(finder->Field(), Qt::Key_Return);
    EXPECT_EQ(dialog->Model().Level(), MapLevel::National);
}

TEST_F(FindSiteTest, EscapeAndTheMapPutTheListsBackWithoutClosingTheDialog) {
    Type(QStringLiteral("サンプル"));
    ASSERT_TRUE(finder->ResultsShown());
    QTest::keyClick(finder->Field(), Qt::Key_Escape);
    EXPECT_FALSE(finder->ResultsShown());
    EXPECT_TRUE(dialog->isVisible()) << "Escape hid the matches, not the dialog";
    // A click back into the field shows them again; focus on the map hides them.
    dialog->Pane()->setFocus();
    QTest::mouseClick(finder->Field(), Qt::LeftButton);
    EXPECT_TRUE(finder->ResultsShown());
    QTest::mouseClick(dialog->Pane(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(finder->ResultsShown());
    EXPECT_TRUE(Child("1031")->isVisible());
}

TEST_F(FindSiteTest, WhatTheMapCannotShowIsReportedAndTheMapStays) {
    FoundPlace nowhere;
    nowhere.siteIndex = app->SiteCount(); // past the catalogue: no area, no map
    nowhere.name = "どこでもない";
    dialog->ChooseFound(nowhere);
    FoundPlace sea{FoundKind::Facility, -1, 0, 7, "海のダム", "東京都", 150.0, 10.0};
    dialog->ChooseFound(sea);
    EXPECT_EQ(platform.messages,
              (std::vector<QString>{QStringLiteral("この地点は地図上に表示できません。"),
                                    QStringLiteral("検索箇所が不明です。")}));
    EXPECT_EQ(dialog->Model().Level(), MapLevel::National);
    EXPECT_EQ(dialog->Model().SelectedSite(), kNone);
    EXPECT_FALSE(dialog->Model().SearchMarkerShown());
}

TEST_F(FindSiteTest, TheModelSelectsOnlyASiteWhoseAreaMapShowsIt) {
    const int site = MappableSite();
    const int area = app->SiteAt(site)->areaCode;
    SiteSelectionModel model(
        MapCatalogue{app->MapInfos(), app->Sites(), app->Outlines(), app->MapFolder()});
    model.OpenNational();
    ASSERT_TRUE(model.SelectFoundSite(site));
    EXPECT_EQ(model.Level(), MapLevel::Area);
    EXPECT_EQ(model.SelectedArea(), area);
    EXPECT_EQ(model.SelectedBlock(), app->MapInfoAt(area)->parentCode);
    EXPECT_TRUE(model.Controls().okEnabled);

    std::vector<CAmedasPoint> moved = app->Sites();
    moved[static_cast<std::size_t>(site)].longitudeDeg += 20.0; // far out at sea
    SiteSelectionModel off(MapCatalogue{app->MapInfos(), moved, app->Outlines(), app->MapFolder()});
    off.OpenNational();
    EXPECT_FALSE(off.SelectFoundSite(site));
    EXPECT_EQ(off.Level(), MapLevel::National) << "the map stays as it was";
    EXPECT_EQ(off.SelectedSite(), kNone);
}

} // namespace
} // namespace quorvane

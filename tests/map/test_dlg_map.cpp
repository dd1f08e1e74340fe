// The site selection map and its two searches, driven by events and through the
// platform seam on a small generated kit.
#include "app/app_data.h"
#include "kit_app_test.h"
#include "map/dlg_kensaku.h"
#include "map/dlg_map.h"
#include "map/map_pictures.h"
#include "map/mesh_code.h"
#include "map/search_archive.h"
#include "recording_platform.h"
#include "temp_dir.h"
#include "ui/hover_bitmap_button.h"
#include "ui/my_list_box.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class MapDialogTest : public test::KitAppTest<40, 5> {
protected:
    std::unique_ptr<CDlgMap> MakeDialog() {
        auto dialog = std::make_unique<CDlgMap>(*app, app->Outlines());
        dialog->Model().SetBalloon(false); // the balloon would swallow the clicks
        dialog->show();
        return dialog;
    }
    // A point of the national map where the block, and no block before it, is hit
    // (block rectangles overlap).
    static QPoint PointOfBlock(CDlgMap& dialog, int block) {
        SiteSelectionModel& model = dialog.Model();
        const PixelRect r = model.BlockPixelRect(block);
        for (int y = (r.top + r.bottom) / 2; y < r.bottom; ++y) {
            for (int x = (r.left + r.right) / 2; x < r.right; ++x) {
                model.MouseMove(x, y);
                if (model.HoveredItem() == MapHit{MapHitKind::Block, block}) {
                    return {x, y};
                }
            }
        }
        ADD_FAILURE() << "block " << block << " is covered by others";
        return {};
    }
    static QPoint Centre(const PixelRect& r) {
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Click(CDlgMap& dialog, QPoint at) {
        QTest::mousePress(dialog.Pane(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(dialog.Pane(), Qt::LeftButton, {}, at);
    }
    template <class T>
    static T* Child(QWidget& dialog, const char* id) {
        return dialog.findChild<T*>(QString::fromLatin1(id));
    }
    // A site of the catalogue whose area has a parent block and an outline.
    int SiteWithArea() const {
        for (int i = 0; i < app->SiteCount(); ++i) {
            const int area = app->SiteAt(i)->areaCode;
            const CMapInfo* record = app->MapInfoAt(area);
            if (record != nullptr && record->parentCode >= 1 && record->parentCode <= 9 &&
                area != 47 && area != 95 && !app->OutlineOf(area).empty()) {
                return i;
            }
        }
        return -1;
    }

    // The second click of a double-click as the window system delivers it: the double
    // click event in place of a press, then the release.
    static void DoubleClick(CDlgMap& dialog, QPoint at) {
        QTest::mousePress(dialog.Pane(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(dialog.Pane(), Qt::LeftButton, {}, at);
        const QPointF local(at);
        QMouseEvent event(QEvent::MouseButtonDblClick, local, dialog.Pane()->mapToGlobal(local),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.Pane(), &event);
        QTest::mouseRelease(dialog.Pane(), Qt::LeftButton, {}, at);
    }
    // A pane point on the marker of catalogue site `site` where no other marker is hit.
    static std::optional<QPoint> MarkerPoint(CDlgMap& dialog, int site) {
        SiteSelectionModel& model = dialog.Model();
        const std::optional<PixelPoint> anchor = model.SitePixel(site);
        if (!anchor) {
            return std::nullopt;
        }
        const PixelRect hit = model.MarkerHitRect(*anchor);
        for (int y = hit.top; y < hit.bottom; ++y) {
            for (int x = hit.left; x < hit.right; ++x) {
                model.MouseMove(x, y);
                if (model.HoveredSite() == site) {
                    return QPoint(x, y);
                }
            }
        }
        return std::nullopt;
    }
    // A site whose marker can be hit on its block map, and that point.
    std::pair<int, QPoint> SiteOnItsBlockMap(CDlgMap& dialog) {
        for (int i = 0; i < app->SiteCount(); ++i) {
            const CMapInfo* record = app->MapInfoAt(app->SiteAt(i)->areaCode);
            if (record == nullptr || record->parentCode < 1 || record->parentCode > 9 ||
                app->SiteAt(i)->areaCode == 47 || app->SiteAt(i)->areaCode == 95) {
                continue;
            }
            dialog.Model().OpenBlock(record->parentCode);
            dialog.RefreshFromModel();
            if (const std::optional<QPoint> at = MarkerPoint(dialog, i)) {
                return {i, *at};
            }
        }
        ADD_FAILURE() << "no marker can be hit on a block map";
        return {-1, {}};
    }
    // A point of area `area` on the present block map where no marker is hit.
    static std::optional<QPoint> EmptyPointOfArea(CDlgMap& dialog, int area) {
        SiteSelectionModel& model = dialog.Model();
        const PixelRect inner = model.Inner();
        for (int y = inner.top + 20; y < inner.bottom; y += 3) {
            for (int x = inner.left + 5; x < inner.right; x += 3) {
                model.MouseMove(x, y);
                if (model.HoveredItem() == MapHit{MapHitKind::Area, area} &&
                    model.HoveredSite() < 0) {
                    return QPoint(x, y);
                }
            }
        }
        return std::nullopt;
    }
    static QStringList Lines(const CMyListBox& list) {
        QStringList lines;
        for (int i = 0; i < list.count(); ++i) {
            lines << list.item(i)->text();
        }
        return lines;
    }

    RecordingPlatform platform;
};

TEST_F(MapDialogTest, PressOnOneBlockAndReleaseOnAnotherDoesNothing) {
    auto dialog = MakeDialog();
    SiteSelectionModel& model = dialog->Model();
    ASSERT_EQ(model.Level(), MapLevel::National);
    const QPoint first = PointOfBlock(*dialog, 1);
    const QPoint other = PointOfBlock(*dialog, 3);
    QTest::mousePress(dialog->Pane(), Qt::LeftButton, {}, first);
    QTest::mouseRelease(dialog->Pane(), Qt::LeftButton, {}, other);
    EXPECT_EQ(model.Level(), MapLevel::National);
    Click(*dialog, other);
    EXPECT_EQ(model.Level(), MapLevel::Block);
    EXPECT_EQ(model.Record(), 3);
    EXPECT_EQ(platform.pauses, std::vector<int>{300}) << "the wait cursor before opening";
    EXPECT_EQ(Child<QLabel>(*dialog, "1075")->text(),
              QString::fromStdString(app->MapInfoAt(3)->name) + QStringLiteral("ブロック"));
}

TEST_F(MapDialogTest, BlockSevenOpensAreaFortySevenAndBackReturnsToTheNationalMap) {
    auto dialog = MakeDialog();
    Click(*dialog, PointOfBlock(*dialog, 7));
    ASSERT_EQ(dialog->Model().Level(), MapLevel::Area);
    EXPECT_EQ(dialog->Model().Record(), 47);
    EXPECT_FALSE(Child<CHoverBitmapButton>(*dialog, "1037")->isEnabled());
    EXPECT_TRUE(dialog->Model().Controls().backToNational);
    dialog->GoBack();
    EXPECT_EQ(dialog->Model().Level(), MapLevel::National);
    EXPECT_FALSE(Child<CHoverBitmapButton>(*dialog, "1037")->isEnabled());
    EXPECT_EQ(Child<QLabel>(*dialog, "1048")->text(),
              QStringLiteral("地図上でクリックして、ブロックを選択してください。"));
}

TEST_F(MapDialogTest, OpeningWithACurrentSiteSelectsItOnItsAreaMap) {
    const int site = SiteWithArea();
    ASSERT_GE(site, 0);
    app->Selection().siteNumber = app->SiteAt(site)->siteNumber;
    app->Selection().areaCode = app->SiteAt(site)->areaCode;
    CDlgMap dialog(*app, app->Outlines());
    EXPECT_EQ(dialog.Model().Level(), MapLevel::Area);
    EXPECT_EQ(dialog.SelectedSite(), site);
    EXPECT_TRUE(Child<CHoverBitmapButton>(dialog, "1")->isEnabled());
    auto* sites = Child<CMyListBox>(dialog, "1032");
    ASSERT_GE(sites->currentRow(), 0);
    EXPECT_TRUE(
        sites->currentItem()->text().endsWith(QString::fromStdString(app->SiteAt(site)->name)));
    EXPECT_FALSE(Child<CMyListBox>(dialog, "1031")->isVisible() && dialog.isVisible())
        << "the area list is hidden on area maps";
    EXPECT_FALSE(dialog.Model().BalloonShown());
}

TEST_F(MapDialogTest, ListsWalkFromTheBlockToASiteAndOkAccepts) {
    const int site = SiteWithArea();
    auto dialog = MakeDialog();
    const int block = app->MapInfoAt(app->SiteAt(site)->areaCode)->parentCode;
    dialog->Model().OpenBlock(block);
    dialog->RefreshFromModel();
    auto* areas = Child<CMyListBox>(*dialog, "1031");
    int areaLine = -1;
    for (int i = 0; i < areas->count(); ++i) {
        if (dialog->Model().AreaLines()[static_cast<std::size_t>(i)].value ==
            app->SiteAt(site)->areaCode) {
            areaLine = i;
        }
    }
    ASSERT_GE(areaLine, 0) << "the site's area is listed on its block map";
    areas->setCurrentRow(areaLine);
    EXPECT_TRUE(Child<CHoverBitmapButton>(*dialog, "1037")->isEnabled());
    auto* sites = Child<CMyListBox>(*dialog, "1032");
    ASSERT_GT(sites->count(), 0);
    EXPECT_FALSE(Child<CHoverBitmapButton>(*dialog, "1")->isEnabled());
    sites->setCurrentRow(0);
    EXPECT_TRUE(Child<CHoverBitmapButton>(*dialog, "1")->isEnabled());
    dialog->AcceptSelection();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_GE(dialog->SelectedSite(), 0);
}

TEST_F(MapDialogTest, MeshPressAndReleaseSelectOnlyWithinOneSite) {
    const int site = SiteWithArea();
    const CAmedasPoint& point = *app->SiteAt(site);
    const int sheet = GetMapSheetCode(point.longitudeDeg, point.latitudeDeg);
    ASSERT_TRUE(SheetPictureExists(app->MapFolder(), sheet));
    auto dialog = MakeDialog();
    SiteSelectionModel& model = dialog->Model();
    model.OpenSheet(sheet);
    dialog->RefreshFromModel();
    ASSERT_EQ(model.Level(), MapLevel::Mesh);
    const MeshLayer& meshes = model.Meshes();
    // Two meshes of one site and one of another, all inside the inner rectangle.
    auto inside = [&](int code) {
        const CDRect r = GetMesh3Rect(code);
        const PixelPoint p = GeoToPixel({(r.left + r.right) / 2, (r.top + r.bottom) / 2},
                                        model.View(), model.Inner());
        return model.Inner().Contains(p.x, p.y) ? std::optional<QPoint>(QPoint(p.x, p.y))
                                                : std::nullopt;
    };
    std::optional<QPoint> a, b, c;
    int siteA = -1;
    for (const tagMyMesh& m : meshes.entries()) {
        const auto at = inside(m.meshCode);
        if (!at || FindSiteIndex(app->Sites(), m.siteNumber) < 0) {
            continue;
        }
        if (!a) {
            a = at;
            siteA = m.siteNumber;
        } else if (!b && m.siteNumber == siteA && *at != *a) {
            b = at;
        } else if (!c && m.siteNumber != siteA) {
            c = at;
        }
    }
    ASSERT_TRUE(a && b) << "a site with two meshes on its sheet";
    QTest::mousePress(dialog->Pane(), Qt::LeftButton, {}, *a);
    QTest::mouseRelease(dialog->Pane(), Qt::LeftButton, {}, *b);
    const CDPoint bPoint = PixelToGeo(b->x(), b->y(), model.View(), model.Inner());
    EXPECT_EQ(model.SelectedMesh(), GetMesh3Code(bPoint.x, bPoint.y));
    EXPECT_EQ(app->SiteAt(model.SelectedSite())->siteNumber, siteA);
    EXPECT_EQ(Child<QLineEdit>(*dialog, "1041")->text(), QString::number(model.SelectedMesh()));
    if (c) {
        QTest::mousePress(dialog->Pane(), Qt::LeftButton, {}, *a);
        QTest::mouseRelease(dialog->Pane(), Qt::LeftButton, {}, *c);
        EXPECT_EQ(model.SelectedMesh(), -1);
        EXPECT_EQ(model.SelectedSite(), -1);
    }
}

TEST_F(MapDialogTest, ArrowsPointOnlyToSheetsWithPicturesAndTheSlideEndsThere) {
    auto dialog = MakeDialog();
    SiteSelectionModel& model = dialog->Model();
    const CAmedasPoint& point = *app->SiteAt(SiteWithArea());
    const int sheet = GetMapSheetCode(point.longitudeDeg, point.latitudeDeg);
    model.OpenSheet(sheet);
    dialog->RefreshFromModel();
    int withPicture = -1;
    for (int d = 0; d < 4; ++d) {
        const auto direction = static_cast<ArrowDirection>(d);
        const bool exists = SheetPictureExists(app->MapFolder(), model.NeighbourSheet(direction));
        EXPECT_EQ(!model.ArrowRect(direction).IsEmpty(), exists) << d;
        if (!exists) {
            EXPECT_FALSE(dialog->StartSlide(direction));
        } else if (withPicture < 0) {
            withPicture = d;
        }
    }
    ASSERT_GE(withPicture, 0) << "some neighbour sheet has a picture";
    const auto direction = static_cast<ArrowDirection>(withPicture);
    const int target = model.NeighbourSheet(direction);
    Click(*dialog, Centre(model.ArrowRect(direction)));
    ASSERT_TRUE(model.Sliding() || platform.ActiveTimerCount() > 0);
    int ticks = 0;
    while (platform.FireTimers() > 0 && ticks < 100) {
        ++ticks;
    }
    EXPECT_EQ(ticks, kSlideSteps);
    EXPECT_FALSE(model.Sliding());
    EXPECT_EQ(model.Sheet(), target);
    EXPECT_FALSE(model.SearchMarkerShown());
}

TEST_F(MapDialogTest, SlideMovesTheOldPictureAlongItsEasingCurve) {
    EXPECT_DOUBLE_EQ(SiteSelectionModel::SlideDisplacementDeg(ArrowDirection::West, 30), 0.5);
    EXPECT_DOUBLE_EQ(SiteSelectionModel::SlideDisplacementDeg(ArrowDirection::North, 30), 1.0 / 3);
    EXPECT_DOUBLE_EQ(SiteSelectionModel::SlideDisplacementDeg(ArrowDirection::East, 0), 0.0);
    EXPECT_DOUBLE_EQ(SiteSelectionModel::SlideDisplacementDeg(ArrowDirection::East, 15),
                     0.5 * (1 - 225.0 / 900));
}

TEST_F(MapDialogTest, FacilitySearchForAPrefecturalOfficeLandsOnItsSheet) {
    auto dialog = MakeDialog();
    std::vector<CF_CHIN> offices;
    NullReporter quiet;
    ASSERT_EQ(ReadFacilityFile(FacilityFilePath(app->MapFolder(), 1), offices, quiet),
              LoadStatus::Ok);
    ASSERT_FALSE(offices.empty());
    const CF_CHIN office = offices.front();
    platform.modalHandlers.push_back([&](QDialog& shown) {
        auto& search = dynamic_cast<CDlgKensaku2&>(shown);
        EXPECT_EQ(search.CategoryList()->currentRow(), 0);
        EXPECT_FALSE(search.SearchEnabled());
        search.PrefectureList()->setCurrentRow(office.prefectureCode - 1);
        EXPECT_EQ(search.FacilityList()->currentRow(), 0) << "category 1 picks the office at once";
        EXPECT_TRUE(search.SearchEnabled());
        EXPECT_EQ(search.Prompt(),
                  QStringLiteral("『検索』ボタンを押すと、1Kmメッシュ地図へジャンプします。"));
        search.Search();
    });
    dialog->FacilitySearch();
    SiteSelectionModel& model = dialog->Model();
    ASSERT_EQ(model.Level(), MapLevel::Mesh);
    EXPECT_EQ(model.Sheet(), GetMapSheetCode(office.lonDeg, office.latDeg));
    EXPECT_TRUE(model.SearchMarkerShown());
    EXPECT_EQ(model.SearchName(), office.name);
    if (model.SelectedSite() >= 0) {
        EXPECT_EQ(model.SelectedMesh(), GetMesh3Code(office.lonDeg, office.latDeg));
        EXPECT_EQ(model.SelectedArea(), app->SiteAt(model.SelectedSite())->areaCode);
        EXPECT_TRUE(Child<CHoverBitmapButton>(*dialog, "1")->isEnabled());
    }
}

TEST_F(MapDialogTest, AddressSearchUsesTheDistrictOrTheMunicipalitysOwnPosition) {
    auto dialog = MakeDialog();
    std::vector<MunicipalityRecord> municipalities;
    std::vector<DistrictRecord> districts;
    NullReporter quiet;
    int prefecture = 0;
    for (int code = 1; code <= 47 && prefecture == 0; ++code) {
        ReadMunicipalityFile(MunicipalityFilePath(app->MapFolder(), code), municipalities, quiet);
        ReadDistrictFile(DistrictFilePath(app->MapFolder(), code), districts, quiet);
        if (!municipalities.empty() && !DistrictsOf(municipalities.front(), districts).empty()) {
            prefecture = code;
        }
    }
    ASSERT_GT(prefecture, 0);
    const DistrictRecord district = DistrictsOf(municipalities.front(), districts).front();
    platform.modalHandlers.push_back([&](QDialog& shown) {
        auto& search = dynamic_cast<CDlgKensaku1&>(shown);
        EXPECT_EQ(search.Prompt(), QStringLiteral("都道府県を選択してください。"));
        search.PrefectureList()->setCurrentRow(prefecture - 1);
        EXPECT_EQ(search.Prompt(), QStringLiteral("市区町村を選択してください。"));
        search.MunicipalityList()->setCurrentRow(0);
        EXPECT_EQ(search.DistrictList()->count(), municipalities.front().districtCount);
        search.DistrictList()->setCurrentRow(0);
        EXPECT_TRUE(search.SearchEnabled());
        search.Search();
        EXPECT_EQ(search.Result().name, std::string(kPrefectureNames[prefecture - 1]) +
                                            municipalities.front().name + district.name);
        EXPECT_EQ(search.Result().lonDeg, district.lonDeg);
    });
    dialog->AddressSearch();
    if (SheetPictureExists(app->MapFolder(), GetMapSheetCode(district.lonDeg, district.latDeg))) {
        EXPECT_EQ(dialog->Model().Level(), MapLevel::Mesh);
        EXPECT_TRUE(platform.messages.empty());
    } else {
        EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("検索箇所が不明です。")});
    }
}

TEST_F(MapDialogTest, SearchPointOutsideEverySheetIsReported) {
    auto dialog = MakeDialog();
    EXPECT_FALSE(dialog->Model().OpenSearchResult("海", 150.0, 10.0));
    platform.modalHandlers.push_back([](QDialog& shown) { shown.reject(); });
    dialog->AddressSearch();
    EXPECT_TRUE(platform.messages.empty()) << "a cancelled search says nothing";
    EXPECT_EQ(dialog->Model().Level(), MapLevel::National);
}

TEST_F(MapDialogTest, MouseInformationShowsTheBlocksShiftedCoordinates) {
    auto dialog = MakeDialog();
    dialog->Model().OpenBlock(4);
    dialog->RefreshFromModel();
    const QPoint at = Centre(dialog->Model().Inner());
    QTest::mouseMove(dialog->Pane(), at);
    const CDPoint geo = PixelToGeo(at.x(), at.y(), dialog->Model().View(), dialog->Model().Inner());
    const GeoShift shift = BlockDisplayShift(4);
    EXPECT_EQ(Child<QLineEdit>(*dialog, "1013")->text().toStdString(),
              FormatDMS(geo.y + shift.latDeg));
    EXPECT_EQ(Child<QLineEdit>(*dialog, "1015")->text().toStdString(),
              FormatDMS(geo.x + shift.lonDeg));
    EXPECT_EQ(Child<QLineEdit>(*dialog, "1011")->text(),
              QString::number(GetMesh3Code(geo.x, geo.y)));
}

TEST_F(MapDialogTest, BalloonSaysWhatToPickAndSwallowsClicksUntilItsTimer) {
    CDlgMap dialog(*app, app->Outlines());
    dialog.show();
    EXPECT_TRUE(dialog.Model().BalloonShown()) << "no current site";
    EXPECT_EQ(dialog.Model().BalloonText(), "グラフを表示する地点を選択してください。");
    dialog.SetPrintMode(true);
    EXPECT_EQ(dialog.Model().BalloonText(), "印刷対象地点を選択してください。");
    dialog.Model().SetBalloon(false);
    const QPoint block = PointOfBlock(dialog, 3);
    dialog.Model().SetBalloon(true);
    Click(dialog, block);
    EXPECT_EQ(dialog.Model().Level(), MapLevel::National);
    platform.FireTimers();
    EXPECT_FALSE(dialog.Model().BalloonShown());
    Click(dialog, block);
    EXPECT_EQ(dialog.Model().Level(), MapLevel::Block);
}

TEST_F(MapDialogTest, SheetPickingOffersOnlySheetsWithPictures) {
    const int site = SiteWithArea();
    auto dialog = MakeDialog();
    SiteSelectionModel& model = dialog->Model();
    model.OpenArea(app->SiteAt(site)->areaCode);
    dialog->RefreshFromModel();
    dialog->ToggleMeshPicking();
    EXPECT_EQ(Child<QLabel>(*dialog, "1048")->text(),
              QStringLiteral("地図上でクリックして、1Kmメッシュ地図の領域を選択してください。"));
    EXPECT_FALSE(Child<CMyListBox>(*dialog, "1032")->isEnabled());
    const PixelPoint at =
        GeoToPixel({app->SiteAt(site)->longitudeDeg, app->SiteAt(site)->latitudeDeg}, model.View(),
                   model.Inner());
    Click(*dialog, QPoint(at.x, at.y));
    EXPECT_EQ(model.Level(), MapLevel::Mesh);
    EXPECT_EQ(model.Sheet(),
              GetMapSheetCode(app->SiteAt(site)->longitudeDeg, app->SiteAt(site)->latitudeDeg));
}

TEST_F(MapDialogTest, LabelsStayInsideTheInnerRectangle) {
    auto dialog = MakeDialog();
    SiteSelectionModel& model = dialog->Model();
    model.OpenBlock(1);
    const PixelRect inner = model.Inner();
    const LabelBox nearLeft = model.SiteLabel({inner.left + 3, inner.top + 100}, 80, 12);
    EXPECT_EQ(nearLeft.box.left, inner.left + 4);
    const LabelBox nearRight = model.SiteLabel({inner.right - 3, inner.top + 100}, 80, 12);
    EXPECT_EQ(nearRight.box.right, inner.right - 4);
    const LabelBox nearTop = model.SiteLabel({300, inner.top + 10}, 80, 12);
    EXPECT_EQ(nearTop.box.top, inner.top + 10 + 3) << "below the site";
    const LabelBox normal = model.SiteLabel({300, 300}, 80, 12);
    EXPECT_EQ(normal.box, (PixelRect{258, 272, 342, 288}));
    EXPECT_EQ(normal.text, (PixelPoint{260, 274}));
    // The callout goes below the point when it would cover the selected site's label.
    const LabelBox callout = model.SearchCallout({300, 300}, 60, 12, {250, 250, 350, 280});
    EXPECT_EQ(callout.box.top, 330);
    EXPECT_EQ(model.SearchCallout({300, 300}, 60, 12, {}).box.top, 260);
    EXPECT_EQ(model.SearchCallout({300, inner.top + 5}, 60, 12, {}).box.top, inner.top + 8);
}

TEST_F(MapDialogTest, DoubleClickOnAMarkerEndsWithThatSiteWhateverTheLastReleaseDoes) {
    const int site = SiteWithArea();
    // Through the program's picker, as a viewer opens the map on first use.
    MapSitePicker sites(*app, app->Outlines());
    std::optional<QPoint> marker;
    platform.modalHandlers.push_back([&](QDialog& shown) {
        auto& map = dynamic_cast<CDlgMap&>(shown);
        map.Model().SetBalloon(false);
        map.Model().OpenArea(app->SiteAt(site)->areaCode);
        map.RefreshFromModel();
        marker = MarkerPoint(map, site);
        ASSERT_TRUE(marker);
        DoubleClick(map, *marker); // the last release arrives after the dialog accepted
    });
    const std::optional<int> picked = sites.PickSite(nullptr, false);
    ASSERT_TRUE(marker);
    ASSERT_TRUE(picked) << "OK without a site";
    EXPECT_EQ(*picked, site);
    EXPECT_EQ(platform.pauses, std::vector<int>{500});
}

TEST_F(MapDialogTest, DoubleClickOnAMeshEndsWithItsSite) {
    const int site = SiteWithArea();
    const CAmedasPoint& point = *app->SiteAt(site);
    auto dialog = MakeDialog();
    SiteSelectionModel& model = dialog->Model();
    model.OpenSheet(GetMapSheetCode(point.longitudeDeg, point.latitudeDeg));
    dialog->RefreshFromModel();
    std::optional<QPoint> mesh;
    for (const tagMyMesh& m : model.Meshes().entries()) {
        const CDRect r = GetMesh3Rect(m.meshCode);
        const PixelPoint p = GeoToPixel({(r.left + r.right) / 2, (r.top + r.bottom) / 2},
                                        model.View(), model.Inner());
        if (model.Inner().Contains(p.x, p.y) && FindSiteIndex(app->Sites(), m.siteNumber) >= 0) {
            mesh = QPoint(p.x, p.y);
            break;
        }
    }
    ASSERT_TRUE(mesh);
    DoubleClick(*dialog, *mesh);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_GE(dialog->SelectedSite(), 0);
    EXPECT_GT(model.SelectedMesh(), 0) << "the release after accepting changed nothing";
}

TEST_F(MapDialogTest, BlockMapClickOnAMarkerOrAnAreaRefillsTheSiteList) {
    auto dialog = MakeDialog();
    const auto [site, marker] = SiteOnItsBlockMap(*dialog);
    ASSERT_GE(site, 0);
    SiteSelectionModel& model = dialog->Model();
    auto* siteList = Child<CMyListBox>(*dialog, "1032");
    ASSERT_EQ(siteList->count(), 0) << "no area chosen yet";
    Click(*dialog, marker);
    EXPECT_EQ(model.SelectedSite(), site);
    EXPECT_EQ(model.SelectedArea(), app->SiteAt(site)->areaCode);
    ASSERT_GT(siteList->count(), 0);
    EXPECT_TRUE(Lines(*siteList).contains(QString::fromStdString(app->SiteAt(site)->name)));
    ASSERT_GE(siteList->ChosenLine(), 0);
    EXPECT_EQ(siteList->item(siteList->ChosenLine())->text(),
              QString::fromStdString(app->SiteAt(site)->name));
    EXPECT_TRUE(Child<CHoverBitmapButton>(*dialog, "1")->isEnabled());

    // An empty spot of another area of the block shows that area's sites.
    for (const ListLine& line : model.AreaLines()) {
        if (line.value == model.SelectedArea()) {
            continue;
        }
        const std::optional<QPoint> spot = EmptyPointOfArea(*dialog, line.value);
        if (!spot) {
            continue;
        }
        Click(*dialog, *spot);
        EXPECT_EQ(model.SelectedArea(), line.value);
        EXPECT_EQ(model.SelectedSite(), -1);
        QStringList expected;
        for (const ListLine& siteLine : model.SiteLines()) {
            expected << QString::fromStdString(siteLine.text);
            EXPECT_EQ(app->SiteAt(siteLine.value)->areaCode, line.value);
        }
        EXPECT_EQ(Lines(*siteList), expected);
        EXPECT_FALSE(Child<CHoverBitmapButton>(*dialog, "1")->isEnabled());
        EXPECT_TRUE(Child<CHoverBitmapButton>(*dialog, "1037")->isEnabled());
        break;
    }
}

TEST_F(MapDialogTest, BlockMapDoubleClickOnAnAreaKeepsItSelected) {
    const int site = SiteWithArea();
    const int area = app->SiteAt(site)->areaCode;
    auto dialog = MakeDialog();
    dialog->Model().OpenBlock(app->MapInfoAt(area)->parentCode);
    dialog->RefreshFromModel();
    const std::optional<QPoint> spot = EmptyPointOfArea(*dialog, area);
    ASSERT_TRUE(spot);
    DoubleClick(*dialog, *spot);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Model().SelectedArea(), area);
    auto* areaList = Child<CMyListBox>(*dialog, "1031");
    ASSERT_GE(areaList->ChosenLine(), 0);
    EXPECT_EQ(dialog->Model().AreaLines()[static_cast<std::size_t>(areaList->ChosenLine())].value,
              area);
    EXPECT_GT(Child<CMyListBox>(*dialog, "1032")->count(), 0);
    EXPECT_TRUE(Child<CHoverBitmapButton>(*dialog, "1037")->isEnabled());
}

TEST_F(MapDialogTest, AListGivenTheFocusChoosesNothingUntilALineIsHighlighted) {
    const int site = SiteWithArea();
    auto dialog = MakeDialog();
    dialog->Model().OpenArea(app->SiteAt(site)->areaCode);
    dialog->RefreshFromModel();
    auto* siteList = Child<CMyListBox>(*dialog, "1032");
    ASSERT_GT(siteList->count(), 0);
    ASSERT_EQ(dialog->SelectedSite(), -1);
    QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(siteList, &tabIn);
    EXPECT_EQ(dialog->SelectedSite(), -1);
    EXPECT_FALSE(Child<CHoverBitmapButton>(*dialog, "1")->isEnabled());
    EXPECT_EQ(siteList->ChosenLine(), -1);
    QTest::keyClick(siteList, Qt::Key_Down); // keyboard navigation highlights and chooses
    EXPECT_EQ(siteList->ChosenLine(), 0);
    EXPECT_EQ(dialog->SelectedSite(), dialog->Model().SiteLines().front().value);

    // The address search opens with no prefecture chosen, whatever holds the focus.
    CDlgKensaku1 search(app->MapFolder());
    search.show();
    QApplication::sendEvent(search.PrefectureList(), &tabIn);
    EXPECT_EQ(search.Prompt(), QStringLiteral("都道府県を選択してください。"));
    EXPECT_EQ(search.MunicipalityList()->count(), 0);
    EXPECT_FALSE(search.SearchEnabled());
    QTest::keyClick(search.PrefectureList(), Qt::Key_Down);
    EXPECT_EQ(search.PrefectureList()->ChosenLine(), 0);
    EXPECT_EQ(search.Prompt(), QStringLiteral("市区町村を選択してください。"));
}

TEST_F(MapDialogTest, LeavingThePaneClearsItsHoverAndPressHighlights) {
    auto dialog = MakeDialog();
    SiteSelectionModel& model = dialog->Model();
    const QPoint block = PointOfBlock(*dialog, 3);
    QTest::mouseMove(dialog->Pane(), block);
    QTest::mousePress(dialog->Pane(), Qt::LeftButton, {}, block);
    ASSERT_EQ(model.HoveredItem(), (MapHit{MapHitKind::Block, 3}));
    ASSERT_EQ(model.PressedItem(), (MapHit{MapHitKind::Block, 3}));
    const QImage highlighted = dialog->PaneImage();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(dialog->Pane(), &leave);
    EXPECT_FALSE(model.HoveredItem().Hit());
    EXPECT_FALSE(model.PressedItem().Hit());
    EXPECT_NE(dialog->PaneImage(), highlighted) << "the overlay was drawn again";
    QTest::mouseRelease(dialog->Pane(), Qt::LeftButton, {}, block);
    EXPECT_EQ(model.Level(), MapLevel::National) << "the press ended when the pointer left";

    const auto [site, marker] = SiteOnItsBlockMap(*dialog);
    ASSERT_GE(site, 0);
    QTest::mouseMove(dialog->Pane(), marker);
    ASSERT_EQ(model.HoveredSite(), site);
    QApplication::sendEvent(dialog->Pane(), &leave);
    EXPECT_EQ(model.HoveredSite(), -1);
}

} // namespace
} // namespace quorvane

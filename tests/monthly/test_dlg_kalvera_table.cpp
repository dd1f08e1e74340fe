// The monthly data table: its rendering on screen and paper, the table dialog's
// scrolling and printing, and the batch site list.
#include "app/app_data.h"
#include "kit_app_test.h"
#include "monthly/dlg_kalvera.h"
#include "monthly/dlg_kalvera_multi.h"
#include "monthly/dlg_kalvera_table.h"
#include "monthly/monthly_table.h"
#include "monthly/monthly_table_print.h"
#include "monthly_file_writer.h"
#include "pdf_pages.h"
#include "recording_platform.h"
#include "scripted_site_picker.h"
#include "temp_dir.h"
#include "ui/my_list_box.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

std::unique_ptr<MonthlyRecord> TestRecord() {
    test::TempDir dir;
    dir.Write("m47401", test::JoinLines(test::MonthlyTestLines(), "\r\n"));
    auto record = std::make_unique<MonthlyRecord>();
    CollectingReporter reporter;
    EXPECT_EQ(LoadMonthlyData(dir.str(), 47401, *record, reporter), LoadStatus::Ok);
    return record;
}

// A page of A4 portrait at 300 dpi.
QImage PaperPage() {
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    return page;
}

std::vector<QString> TextsAt(const MonthlyTablePage& page, double x) {
    std::vector<QString> texts;
    for (const TableText& t : page.texts) {
        if (t.at.x() == x) {
            texts.push_back(t.text);
        }
    }
    return texts;
}

bool HasText(const MonthlyTablePage& page, const QString& text) {
    return std::any_of(page.texts.begin(), page.texts.end(),
                       [&](const TableText& t) { return t.text == text; });
}

class TableRendering : public ::testing::Test {
protected:
    MonthlyTableInput PrintInput(int scroll) const {
        MonthlyTableInput in;
        in.record = record.get();
        in.siteFound = true;
        in.siteName = QStringLiteral("稚内");
        in.picture = {0, 0, 2480, 3508};
        in.scale = 2;
        in.print = true;
        in.scroll = scroll;
        return in;
    }
    MonthlyTableInput ScreenInput(int scroll) const {
        MonthlyTableInput in = PrintInput(scroll);
        in.picture = {1, 1, 981, 643};
        in.scale = 1;
        in.print = false;
        return in;
    }

    std::unique_ptr<MonthlyRecord> record = TestRecord();
    QImage paper = PaperPage();
    QImage screen{1000, 644, QImage::Format_RGB32};
};

TEST_F(TableRendering, PrintedPagesSplitTheAzimuthsAndRepeatTheFixedParts) {
    const MonthlyTablePage first = ComposeMonthlyTable(PrintInput(0), paper);
    const MonthlyTablePage second = ComposeMonthlyTable(PrintInput(kTableSecondPageScroll), paper);
    const double azimuthX = first.layout.ColumnLeft(0) + 12;
    const double tiltX = first.layout.ColumnLeft(1) + 12;
    EXPECT_EQ(TextsAt(first, azimuthX),
              (std::vector<QString>{QStringLiteral("水平面"), QStringLiteral("   0°"),
                                    QStringLiteral("  15°"), QStringLiteral("  30°"),
                                    QStringLiteral("  45°"), QStringLiteral("  60°"),
                                    QStringLiteral("  75°"), QStringLiteral("  90°")}));
    EXPECT_EQ(TextsAt(second, azimuthX),
              (std::vector<QString>{QStringLiteral("水平面"), QStringLiteral(" 105°"),
                                    QStringLiteral(" 120°"), QStringLiteral(" 135°"),
                                    QStringLiteral(" 150°"), QStringLiteral(" 165°"),
                                    QStringLiteral(" 180°")}));
    // The tilt column: the horizontal section's captions, then one per slope row.
    EXPECT_EQ(TextsAt(first, tiltX).size(), 4u + 63u);
    EXPECT_EQ(TextsAt(second, tiltX).size(), 4u + 54u);

    for (const MonthlyTablePage* page : {&first, &second}) {
        EXPECT_TRUE(HasText(*page, QStringLiteral("方位角")));
        EXPECT_TRUE(HasText(*page, QStringLiteral("１２―")));
        EXPECT_TRUE(HasText(*page, QStringLiteral("（C）")));
        EXPECT_TRUE(HasText(*page, QStringLiteral("積雪10cm以上")));
        EXPECT_TRUE(HasText(*page, QStringLiteral("*年間最適傾斜角")));
        EXPECT_TRUE(HasText(*page, QStringLiteral("月別最適傾斜角における日射量の年平均値")));
        // Nothing runs off the paper, the footnotes of the full first page included.
        const TableStyles styles = TableStyles::Make(true);
        for (const TableText& t : page->texts) {
            const QFontMetricsF metrics(styles.Font(t.font), &paper);
            EXPECT_GE(t.at.y(), 0) << t.text.toStdString();
            EXPECT_LE(t.at.y() + metrics.height(), 3508) << t.text.toStdString();
        }
    }
    EXPECT_TRUE(HasText(first, QStringLiteral("1/2")));
    EXPECT_TRUE(HasText(second, QStringLiteral("2/2")));
    EXPECT_TRUE(HasText(
        first, QStringLiteral("地点　稚内 （緯度= 45°24.9′ 経度= 141°40.7′ 標高=    3m）")));
}

TEST_F(TableRendering, ValuesLandInTheirCells) {
    const MonthlyTablePage page = ComposeMonthlyTable(ScreenInput(0), screen);
    const MonthlyTableLayout& t = page.layout;
    // Plane (azimuth 15, tilt 20) is slope row counter 15, the eleventh row under the
    // fixed part; its text stands 15 pixels above the row's bottom.
    const double rowText = t.RowTop(kTableTopRows + 11) - 15;
    for (const int column : {0, 12, 16}) {
        const QString expected = QString::fromStdString(
            FormatTableValue("%5.2f", test::MonthlyTestValue(test::PlaneLineNumber(1, 2), column)));
        const double x = t.ColumnLeft(column + 2) + 6;
        EXPECT_TRUE(std::any_of(page.texts.begin(), page.texts.end(), [&](const TableText& s) {
            return s.text == expected && s.at == QPointF(x, rowText);
        })) << column;
    }
}

TEST_F(TableRendering, DerivedRowsAppearOnScreenFromScrollPosition87) {
    EXPECT_FALSE(HasText(ComposeMonthlyTable(ScreenInput(86), screen), QStringLiteral("平均気温")));
    const MonthlyTablePage shown = ComposeMonthlyTable(ScreenInput(87), screen);
    EXPECT_TRUE(HasText(shown, QStringLiteral("平均気温")));
    EXPECT_TRUE(HasText(shown, QStringLiteral("※※")));
    EXPECT_FALSE(HasText(shown, QStringLiteral("1/2"))) << "page labels only on paper";
    EXPECT_TRUE(shown.progressBox.isEmpty());
}

TEST_F(TableRendering, ARecordThatFailedToLoadShowsNoFigures) {
    MonthlyTableInput in = PrintInput(0);
    in.loadFailed = true;
    const MonthlyTablePage page = ComposeMonthlyTable(in, paper);
    EXPECT_TRUE(HasText(page, QStringLiteral("データの読み込みに失敗しました。")));
    EXPECT_TRUE(HasText(page, QStringLiteral("地点　稚内")));
    EXPECT_TRUE(HasText(page, QStringLiteral("1/2")));
    EXPECT_TRUE(page.lines.empty()) << "no table that could be read as data";
    for (const TableText& t : page.texts) {
        EXPECT_FALSE(t.text.contains(QLatin1Char('.'))) << t.text.toStdString();
    }
}

TEST_F(TableRendering, TheProgressBoxNamesTheSiteInABatch) {
    MonthlyTableInput in = ScreenInput(0);
    in.progress = {2, 2, 3, true, QStringLiteral("稚内")};
    const MonthlyTablePage batch = ComposeMonthlyTable(in, screen);
    EXPECT_EQ(batch.progressBox.size(), QSizeF(400, 160));
    ASSERT_EQ(batch.progressTexts.size(), 3u);
    EXPECT_EQ(batch.progressTexts[0].text, QStringLiteral("印刷中"));
    EXPECT_EQ(batch.progressTexts[1].text, QStringLiteral("稚内"));
    EXPECT_EQ(batch.progressTexts[2].text, QStringLiteral("( 2地点目 / 3地点中 )"));

    in.progress = {1, 1, 1, true, QStringLiteral("稚内")};
    const MonthlyTablePage single = ComposeMonthlyTable(in, screen);
    EXPECT_EQ(single.progressBox.size(), QSizeF(300, 120));
    ASSERT_EQ(single.progressTexts.size(), 2u);
    EXPECT_EQ(single.progressTexts[1].text, QStringLiteral("しばらくお待ちください。"));
    EXPECT_LT(single.progressTexts[0].at.y(), single.progressTexts[1].at.y());
}

// A site catalogue in memory, for the site list that needs no data files.
class MemorySession final : public AppSession {
public:
    explicit MemorySession(int siteCount) {
        for (int i = 0; i < siteCount; ++i) {
            CAmedasPoint site;
            site.siteNumber = 10000 + i;
            site.name = "地点" + std::to_string(i);
            site.areaCode = 11 + i / 20;
            sites_.push_back(site);
        }
        for (int code = 11; code < 20; ++code) {
            infos_[static_cast<std::size_t>(code)].code = code;
            infos_[static_cast<std::size_t>(code)].name = "エリア" + std::to_string(code);
        }
    }
    const std::string& MapFolder() const override { return folder_; }
    const std::string& HourlyFolder() const override { return folder_; }
    const std::string& MonthlyFolder() const override { return folder_; }
    int DaysInMonth(int) const override { return 30; }
    AppSelection& Selection() override { return selection_; }
    const AppSelection& Selection() const override { return selection_; }
    const MapInfoTable& MapInfos() const override { return infos_; }
    const CMapInfo* MapInfoAt(int code) const override {
        return code >= 0 && code < kMapInfoCount ? &infos_[static_cast<std::size_t>(code)]
                                                 : nullptr;
    }
    const std::vector<CAmedasPoint>& Sites() const override { return sites_; }
    int SiteCount() const override { return static_cast<int>(sites_.size()); }
    const CAmedasPoint* SiteAt(int index) const override {
        return index >= 0 && index < SiteCount() ? &sites_[static_cast<std::size_t>(index)]
                                                 : nullptr;
    }
    int FindSiteIndex(int siteNumber) const override {
        return quorvane::FindSiteIndex(sites_, siteNumber);
    }

private:
    std::string folder_;
    AppSelection selection_;
    MapInfoTable infos_{};
    std::vector<CAmedasPoint> sites_;
};

template <class T>
T* Child(QWidget& dialog, const char* id) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(id));
    EXPECT_NE(child, nullptr) << id;
    return child;
}

class BatchSiteList : public ::testing::Test {
protected:
    BatchSiteList() {
        session.Selection().siteNumber = 10025;
        session.Selection().areaCode = 12;
    }
    RecordingPlatform platform;
    test::ScriptedSitePicker picker;
    MemorySession session{60};
};

TEST_F(BatchSiteList, StartsFromTheCurrentSiteAndItsArea) {
    CDlgKalveraMulti list(session, picker, {10025, 99999, 10003});
    EXPECT_EQ(list.windowTitle(), QStringLiteral("一括印刷対象地点選択"));
    EXPECT_EQ(list.List(), (std::vector<int>{10025, 10003})) << "unknown sites are dropped";
    auto* box = Child<CMyListBox>(list, "1031");
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->item(0)->text(), QStringLiteral("エリア12  地点25"));
    EXPECT_EQ(Child<QComboBox>(list, "1000")->currentText(), QStringLiteral("エリア12"));
    EXPECT_EQ(Child<QComboBox>(list, "1001")->currentText(), QStringLiteral("地点25"));
    EXPECT_FALSE(Child<QPushButton>(list, "1073")->isEnabled());
    EXPECT_EQ(Child<QWidget>(list, "1048")->palette().color(QPalette::WindowText),
              QColor(0, 0, 0xc0));
}

TEST_F(BatchSiteList, AddsUpToFiftySitesAndIgnoresDuplicatesSilently) {
    CDlgKalveraMulti list(session, picker, {});
    list.AddChosenSite();
    list.AddChosenSite();
    EXPECT_EQ(list.List(), std::vector<int>{10025});
    EXPECT_TRUE(platform.messages.empty());

    list.ChooseArea(0); // area 11: the first site becomes the chosen one
    EXPECT_EQ(list.ChosenSite(), 10000);
    for (int item = 0; item < 20; ++item) {
        list.ChooseSite(item);
        list.AddChosenSite();
    }
    list.ChooseArea(2);
    for (int item = 0; item < 20; ++item) {
        list.ChooseSite(item);
        list.AddChosenSite();
    }
    ASSERT_EQ(list.List().size(), 41u);
    list.ChooseArea(1);
    for (int item = 0; item < 20 && list.List().size() < 50; ++item) {
        list.ChooseSite(item);
        list.AddChosenSite();
    }
    ASSERT_EQ(list.List().size(), 50u);
    EXPECT_TRUE(platform.messages.empty());
    list.ChooseSite(19);
    list.AddChosenSite();
    EXPECT_EQ(list.List().size(), 50u) << "the 51st is refused";
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("これ以上登録できません。")});
}

TEST_F(BatchSiteList, RemovesTheSelectedLineOrEverythingAndWillNotStartEmpty) {
    CDlgKalveraMulti list(session, picker, {10001, 10002, 10003});
    auto* box = Child<CMyListBox>(list, "1031");
    auto* remove = Child<QPushButton>(list, "1073");
    box->setCurrentRow(1);
    EXPECT_TRUE(remove->isEnabled());
    remove->click();
    EXPECT_EQ(list.List(), (std::vector<int>{10001, 10003}));
    EXPECT_EQ(box->count(), 2);
    EXPECT_FALSE(remove->isEnabled());

    Child<QPushButton>(list, "1074")->click();
    EXPECT_TRUE(list.List().empty());
    EXPECT_EQ(box->count(), 0);
    int finished = -1;
    QObject::connect(&list, &QDialog::finished, [&finished](int code) { finished = code; });
    Child<QPushButton>(list, "1")->click();
    EXPECT_EQ(platform.messages,
              std::vector<QString>{QStringLiteral("印刷対象地点をリストに追加してください。")});
    EXPECT_EQ(finished, -1) << "the dialog stays open";
}

TEST_F(BatchSiteList, TheMapAddsItsSiteInPrintMode) {
    CDlgKalveraMulti list(session, picker, {});
    picker.answers = {45, std::nullopt};
    Child<QPushButton>(list, "1030")->click();
    Child<QPushButton>(list, "1030")->click();
    EXPECT_EQ(picker.askedToPrint, 2);
    EXPECT_EQ(list.List(), std::vector<int>{10045});
    EXPECT_EQ(list.ChosenArea(), 13);
    EXPECT_EQ(Child<QComboBox>(list, "1000")->currentText(), QStringLiteral("エリア13"));
    EXPECT_EQ(Child<QComboBox>(list, "1001")->currentText(), QStringLiteral("地点45"));
}

// Pages as pictures, recording when each is begun and ended and what the screen
// showed meanwhile.
class RecordingPages final : public TablePages {
public:
    explicit RecordingPages(const CDlgKalveraTable& table) : table_(table) {}
    bool Begin() override {
        events.emplace_back("begin document");
        return true;
    }
    QPainter& BeginPage() override {
        events.push_back("begin page, progress " +
                         std::to_string(table_.ScreenInput().progress.counter));
        pagesMarkedFailed.push_back(table_.ScreenInput().loadFailed);
        page_ = PaperPage();
        page_.fill(Qt::white);
        painter_ = std::make_unique<QPainter>(&page_);
        return *painter_;
    }
    void EndPage() override {
        painter_.reset();
        const bool drawn = page_.copy(0, 0, 2480, 600) != WhiteStrip();
        events.emplace_back(drawn ? "end page, drawn" : "end page, blank");
    }
    bool End() override {
        events.emplace_back("end document");
        return true;
    }
    PixelRect Printable() const override { return {0, 0, 2480, 3508}; }

    std::vector<std::string> events;
    std::vector<bool> pagesMarkedFailed; // per page: the table said its data failed

private:
    static QImage WhiteStrip() {
        QImage strip = PaperPage().copy(0, 0, 2480, 600);
        strip.fill(Qt::white);
        return strip;
    }
    const CDlgKalveraTable& table_;
    QImage page_;
    std::unique_ptr<QPainter> painter_;
};

class TableDialogTest : public test::KitAppTest<8, 11> {
protected:
    void SetUp() override {
        KitAppTest::SetUp();
        if (!IsSkipped() && !HasFatalFailure()) {
            SelectSite(0);
        }
    }
    std::unique_ptr<CDlgKalveraTable> Open() {
        auto table = std::make_unique<CDlgKalveraTable>(*app, picker);
        table->show();
        return table;
    }
    static void Wheel(QWidget& target, int delta) {
        QWheelEvent event(QPointF(20, 20), target.mapToGlobal(QPointF(20, 20)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&target, &event);
    }
    // Answers the batch list by adding the sites at these catalogue indexes on the map.
    std::function<void(QDialog&)> ListSites(std::vector<int> indexes) {
        return [this, indexes](QDialog& shown) {
            for (const int index : indexes) {
                picker.answers.push_back(index);
                Child<QPushButton>(shown, "1030")->click();
            }
            Child<QPushButton>(shown, "1")->click();
        };
    }
    std::vector<int> SiteNumbers(std::initializer_list<int> indexes) const {
        std::vector<int> numbers;
        for (const int index : indexes) {
            numbers.push_back(app->SiteAt(index)->siteNumber);
        }
        return numbers;
    }

    RecordingPlatform platform;
    test::ScriptedSitePicker picker;
    test::TempDir scratch;
};

TEST_F(TableDialogTest, OpensFromTheViewerOnTheCurrentSite) {
    CDlgKalvera viewer(*app, picker);
    viewer.show();
    QString title;
    int firstValue = -1;
    platform.modalHandlers.push_back([&](QDialog& shown) {
        title = shown.windowTitle();
        firstValue = dynamic_cast<CDlgKalveraTable&>(shown).Record().planeValues[0][1][0];
    });
    Child<QPushButton>(viewer, "1066")->click();
    EXPECT_EQ(platform.modalDialogs, std::vector<QString>{QStringLiteral("CDlgKalveraTable")});
    EXPECT_EQ(title, QStringLiteral("KALVERAデータ一覧表"));
    EXPECT_GT(firstValue, 0) << "the current site's record is loaded";
}

TEST_F(TableDialogTest, TheWheelAndTheScrollBarStayWithinTheTable) {
    auto table = Open();
    auto* bar = Child<QScrollBar>(*table, "1069");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), kTableScrollMax);
    for (int i = 0; i < 40; ++i) {
        Wheel(*table->TableFrame(), -120);
    }
    EXPECT_EQ(table->ScrollPosition(), kTableScrollMax);
    EXPECT_EQ(bar->value(), kTableScrollMax);
    Wheel(*bar, 120);
    EXPECT_EQ(table->ScrollPosition(), kTableScrollMax - 4)
        << "the bar scrolls by the table's rule";
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(table->ScrollPosition(), kTableScrollMax - 14);
    for (int i = 0; i < 40; ++i) {
        Wheel(*table->TableFrame(), 120);
    }
    EXPECT_EQ(table->ScrollPosition(), 0);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(table->ScrollPosition(), 1);
}

TEST_F(TableDialogTest, PagesAreBegunBeforeTheyAreDrawnWithTheProgressOnScreen) {
    auto table = Open();
    // The list is taken; cancelling the print dialog prints nothing and changes nothing.
    platform.modalHandlers.push_back(ListSites({2, 3}));
    table->PrintBatch();
    EXPECT_EQ(table->BatchList(), SiteNumbers({0, 2, 3}));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.pauses.empty());

    RecordingPages pages(*table);
    ASSERT_EQ(table->PrintOn(pages, CDlgKalveraTable::kPrintBatch), PrintStatus::Printed);
    std::vector<std::string> expected{"begin document"};
    for (int site = 1; site <= 3; ++site) {
        for (int page = 0; page < 2; ++page) {
            expected.push_back("begin page, progress " + std::to_string(site));
            expected.emplace_back("end page, drawn");
        }
    }
    expected.emplace_back("end document");
    EXPECT_EQ(pages.events, expected);
    EXPECT_EQ(platform.pauses, (std::vector<int>{500, 500, 500}));
}

TEST_F(TableDialogTest, ABatchPrintsTwoPortraitPagesPerSiteAndRestoresTheTable) {
    auto table = Open();
    table->SetScrollPosition(40);
    const MonthlyRecord before = table->Record();
    const std::string pdf = (scratch.path() / "batch.pdf").string();
    platform.modalHandlers.push_back(ListSites({1, 3}));
    platform.printAnswers.push_back(QString::fromStdString(pdf));
    table->PrintBatch();

    ASSERT_EQ(platform.printRequests.size(), 1u);
    EXPECT_EQ(platform.printRequests[0].documentName, QStringLiteral("KALVERA"));
    const std::vector<std::string> boxes = test::PdfMediaBoxes(pdf);
    EXPECT_EQ(boxes, std::vector<std::string>(6, test::kA4PortraitBox));
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("印刷が終了しました。")});
    EXPECT_EQ(app->Selection().siteNumber, app->SiteAt(0)->siteNumber);
    EXPECT_EQ(table->ScrollPosition(), 40);
    EXPECT_EQ(table->Record().planeValues, before.planeValues) << "the former site's record";
    for (const char* id : {"1070", "1071", "1"}) {
        EXPECT_TRUE(Child<QPushButton>(*table, id)->isEnabled()) << id;
    }
    EXPECT_EQ(table->ScreenInput().progress.counter, 0);
}

TEST_F(TableDialogTest, ThisSitePrintsTwoPagesAndAnUnwritableTargetIsReported) {
    auto table = Open();
    const std::string pdf = (scratch.path() / "one.pdf").string();
    platform.printAnswers = {
        QString::fromStdString(pdf),
        QString::fromStdString((scratch.path() / "no/such/dir/x.pdf").string())};
    Child<QPushButton>(*table, "1070")->click();
    EXPECT_EQ(test::PdfMediaBoxes(pdf).size(), 2u);
    Child<QPushButton>(*table, "1070")->click();
    EXPECT_EQ(platform.messages, (std::vector<QString>{QStringLiteral("印刷が終了しました。"),
                                                       QStringLiteral("印刷を開始できません。")}));
}

TEST_F(TableDialogTest, FootnotesNeverStandOnARow) {
    auto table = Open();
    auto* bar = Child<QScrollBar>(*table, "1069");
    bool shownSomewhere = false;
    for (int position = 80; position <= kTableScrollMax; ++position) {
        bar->setValue(position); // as a drag of the bar sets it
        ASSERT_EQ(table->ScrollPosition(), position);
        const MonthlyTablePage page =
            ComposeMonthlyTable(table->ScreenInput(), *table->TableFrame());
        double lowestLine = 0;
        for (const QLineF& line : page.lines) {
            lowestLine = std::max({lowestLine, line.y1(), line.y2()});
        }
        const TableStyles styles = TableStyles::Make(false);
        for (const TableText& t : page.texts) {
            if (t.text == QStringLiteral("*年間最適傾斜角") ||
                t.text == QStringLiteral("季節別最適傾斜角における日射量")) {
                shownSomewhere = true;
                EXPECT_GE(t.at.y(), lowestLine) << "scroll " << position;
                EXPECT_LE(t.at.y() + QFontMetricsF(styles.Font(t.font)).height(),
                          table->PictureRect().bottom)
                    << "scroll " << position;
            }
        }
    }
    EXPECT_TRUE(shownSomewhere) << "where there is room below the rows they stand there";
}

TEST_F(TableDialogTest, ABatchNamesTheSitesThatFailedOnceAndMarksTheirPages) {
    // A monthly folder without the second site's file.
    const std::filesystem::path folder = scratch.path() / "KALVERA-11";
    std::filesystem::copy(app->MonthlyFolder(), folder, std::filesystem::copy_options::recursive);
    const CAmedasPoint& missing = *app->SiteAt(2);
    int removed = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        if (file.path().filename().string().find(std::to_string(missing.siteNumber)) !=
            std::string::npos) {
            removed += std::filesystem::remove(file.path()) ? 1 : 0;
        }
    }
    ASSERT_GT(removed, 0);
    app->WriteMonthlyFolder(folder.string());
    auto table = Open();
    ASSERT_TRUE(platform.messages.empty());

    platform.modalHandlers.push_back(ListSites({1, 2, 3}));
    platform.printAnswers.push_back(QString::fromStdString((scratch.path() / "b.pdf").string()));
    table->PrintBatch();
    EXPECT_EQ(table->FailedSites(), std::vector<int>{missing.siteNumber});
    ASSERT_EQ(platform.messages.size(), 1u) << "one message after the batch, none per site";
    EXPECT_TRUE(platform.messages[0].startsWith(QStringLiteral("印刷が終了しました。")));
    EXPECT_TRUE(platform.messages[0].contains(QString::fromStdString(missing.name)));
    EXPECT_FALSE(platform.messages[0].contains(QString::fromStdString(app->SiteAt(1)->name)));

    RecordingPages pages(*table);
    ASSERT_EQ(table->PrintOn(pages, CDlgKalveraTable::kPrintBatch), PrintStatus::Printed);
    std::vector<bool> expected;
    for (const int siteNumber : table->BatchList()) {
        expected.insert(expected.end(), 2, siteNumber == missing.siteNumber);
    }
    EXPECT_EQ(pages.pagesMarkedFailed, expected);
    EXPECT_FALSE(table->ScreenInput().loadFailed) << "the current site again";
}

// A right click on the table, as the window system delivers it.
void RightClick(QWidget& frame) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(200, 150),
                            frame.mapToGlobal(QPoint(200, 150)));
    QApplication::sendEvent(&frame, &event);
}

std::string CurrentSiteCsv(const CDlgKalveraTable& table, const AppSession& session) {
    const CAmedasPoint* site =
        session.SiteAt(session.FindSiteIndex(session.Selection().siteNumber));
    return MonthlyTableCsv(table.Record(), site->name);
}

TEST_F(TableDialogTest, TheMenuCopiesTheTableAsTheCommandLineWritesIt) {
    auto table = Open();
    platform.menuAnswers = {0};
    RightClick(*table->TableFrame());
    ASSERT_EQ(platform.menus.size(), 1u);
    EXPECT_EQ(platform.menus[0],
              (QStringList{QStringLiteral("表をコピー"), QStringLiteral("CSVで保存...")}));
    ASSERT_EQ(platform.copiedTexts.size(), 1u);
    const std::string csv = CurrentSiteCsv(*table, *app);
    ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(platform.copiedTexts[0].toStdString(), csv.substr(3)) << "no byte-order mark";
    EXPECT_TRUE(platform.copiedTexts[0].contains(QStringLiteral("\r\n90°,90°,")));
    EXPECT_NE(table->Record().planeValues[6][9][0], 0) << "a real table, not zeros";
    EXPECT_TRUE(platform.messages.empty());

    RightClick(*table->TableFrame()); // dismissed: nothing happens
    EXPECT_EQ(platform.copiedTexts.size(), 1u);
    EXPECT_TRUE(platform.saveRequests.empty());
}

TEST_F(TableDialogTest, TheMenuSavesTheCsvThroughTheSaveDialogAndTheAtomicWriter) {
    auto table = Open();
    const std::string path = scratch.Write("table.csv", "the user's old file");
    platform.menuAnswers = {1};
    platform.saveAnswers = {QString::fromStdString(path)};
    RightClick(*table->TableFrame());
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(
        platform.saveRequests[0].defaultName,
        QStringLiteral("KALVERA_%1.csv").arg(app->Selection().siteNumber, 5, 10, QLatin1Char('0')));
    EXPECT_EQ(platform.saveRequests[0].defaultSuffix, QStringLiteral("csv"));
    EXPECT_EQ(test::ReadFileBytes(path), CurrentSiteCsv(*table, *app));
    EXPECT_EQ(platform.messages,
              std::vector<QString>{QStringLiteral("データの出力が完了しました。")});
    EXPECT_EQ(platform.waitCursorDepth, 0);

    // A cancelled save dialog writes nothing; a folder as the target is refused whole.
    platform.menuAnswers = {1, 1};
    platform.saveAnswers = {std::nullopt, QString::fromStdString(scratch.str())};
    RightClick(*table->TableFrame());
    RightClick(*table->TableFrame());
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1], QStringLiteral("出力ファイルが開けません。"));
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path())) {
        EXPECT_EQ(entry.path().filename().string(), "table.csv") << "no temporary file is left";
    }
}

TEST_F(TableDialogTest, ATableThatFailedToLoadIsNotGivenOutAsZeros) {
    app->WriteMonthlyFolder(scratch.str()); // no monthly files there
    auto table = Open();
    ASSERT_EQ(platform.messages.size(), 1u) << "the load failure, as before";
    const std::string path = (scratch.path() / "zeros.csv").string();
    platform.menuAnswers = {0, 1};
    platform.saveAnswers = {QString::fromStdString(path)};
    RightClick(*table->TableFrame());
    RightClick(*table->TableFrame());
    EXPECT_TRUE(platform.copiedTexts.empty());
    EXPECT_TRUE(platform.saveRequests.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[1],
              QStringLiteral("データが読み込まれていないため、一覧表を出力できません。"));
}

} // namespace
} // namespace quorvane

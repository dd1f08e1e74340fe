// The colour map dialog driven by its buttons, the wheel and the mouse, on pictures
// written for the test.
#include "colormap/colormap_painter.h"
#include "colormap/colormap_view.h"
#include "colormap/dlg_color_map.h"
#include "pdf_pages.h"
#include "recording_platform.h"
#include "temp_dir.h"
#include "ui/hover_bitmap_button.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

constexpr int W = 1298;
constexpr int H = 928;

template <class T>
T* Child(QWidget& dialog, const char* id) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(id));
    EXPECT_NE(child, nullptr) << id;
    return child;
}

class ColorMapDialogTest : public ::testing::Test {
protected:
    ColorMapDialogTest() { platform.workArea = {0, 0, 1366, 768}; }
    // Every picture but the diffuse map of March, each of its own colour, written once.
    static void SetUpTestSuite() {
        pictures = new test::TempDir;
        const test::TempDir& dir = *pictures;
        for (int kind = 0; kind < kColorMapKindCount; ++kind) {
            for (int period = 0; period < kColorMapPeriodCount; ++period) {
                if (kind == 1 && period == 3) {
                    continue;
                }
                QImage picture(W, H, QImage::Format_RGB32);
                picture.fill(QColor(40 + 60 * kind, 10 * period, 200));
                const std::string path = ColorMapPicturePath(dir.str(), kind, period);
                std::filesystem::create_directories(std::filesystem::path(path).parent_path());
                EXPECT_TRUE(picture.save(QString::fromStdString(path), "PNG"));
            }
        }
    }
    static void TearDownTestSuite() {
        delete pictures;
        pictures = nullptr;
    }
    std::unique_ptr<CDlgColorMap> Open() {
        auto map = std::make_unique<CDlgColorMap>(pictures->str());
        EXPECT_TRUE(map->Opened());
        map->show();
        return map;
    }
    static bool Enabled(CDlgColorMap& map, const char* id) {
        return Child<QPushButton>(map, id)->isEnabled();
    }
    static void Wheel(QWidget& pane, int delta) {
        QWheelEvent event(QPointF(50, 50), pane.mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&pane, &event);
    }

    inline static test::TempDir* pictures = nullptr;
    RecordingPlatform platform;
    test::TempDir scratch;
};

TEST_F(ColorMapDialogTest, OpensOnTheWholeAnnualGlobalMapSizedFromTheWorkArea) {
    auto map = Open();
    EXPECT_EQ(map->windowTitle(), QStringLiteral("日射量マップ"));
    EXPECT_EQ(map->View(), WholeColorMap(W, H));
    EXPECT_TRUE(Child<QRadioButton>(*map, "1002")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(*map, "1005")->isChecked());
    EXPECT_TRUE(Enabled(*map, "1081"));
    EXPECT_FALSE(Enabled(*map, "1079"));
    EXPECT_FALSE(Enabled(*map, "1080"));
    EXPECT_EQ(map->Pane()->geometry(), QRect(174, 8, 668 * W / H, 668));
    EXPECT_EQ(map->size(), QSize(668 * W / H + 182, 748));
}

TEST_F(ColorMapDialogTest, ButtonsZoomAndTheWholeViewComesBack) {
    auto map = Open();
    Child<QPushButton>(*map, "1081")->click();
    EXPECT_EQ(map->View().Width(), static_cast<int>(W / 1.3));
    EXPECT_TRUE(Enabled(*map, "1079"));
    EXPECT_TRUE(Enabled(*map, "1080"));
    EXPECT_EQ(map->Prompt(), QStringLiteral("マウスドラッグで地図を移動できます。"));
    for (int i = 0; i < 10; ++i) {
        Child<QPushButton>(*map, "1081")->click();
    }
    EXPECT_EQ(map->View().Width(), map->Pane()->width() / 2);
    EXPECT_FALSE(Enabled(*map, "1081"));
    Child<QPushButton>(*map, "1080")->click();
    EXPECT_EQ(map->View(), WholeColorMap(W, H));
    EXPECT_TRUE(Enabled(*map, "1081"));
    EXPECT_FALSE(Enabled(*map, "1079"));
    EXPECT_TRUE(map->Prompt().isEmpty());
}

TEST_F(ColorMapDialogTest, AButtonDisabledUnderThePointerShowsItsDisabledPicture) {
    auto map = Open();
    auto* plus = Child<CHoverBitmapButton>(*map, "1081");
    auto* whole = Child<CHoverBitmapButton>(*map, "1080");
    const auto enter = [](QWidget* button) {
        QEnterEvent event(QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)),
                          button->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(button, &event);
    };
    enter(whole); // the whole view: "全体表示" is disabled, the pointer rests on it
    EXPECT_EQ(whole->CurrentPicture(), whole->Pictures().disabled);
    enter(plus);
    for (int i = 0; i < 12; ++i) {
        plus->click();
    }
    ASSERT_FALSE(plus->isEnabled());
    EXPECT_EQ(plus->CurrentPicture(), plus->Pictures().disabled);
    EXPECT_NE(plus->CurrentPicture(), plus->Pictures().hover);
}

TEST_F(ColorMapDialogTest, TheWheelZoomsBothWaysAndSetsTheCursor) {
    auto map = Open();
    QWidget& pane = *map->Pane();
    Wheel(pane, 120);
    EXPECT_EQ(map->View().Width(), static_cast<int>(W / 1.3));
    EXPECT_EQ(pane.cursor().shape(), Qt::OpenHandCursor);
    Wheel(pane, -120);
    EXPECT_EQ(map->View().Width(), static_cast<int>(static_cast<int>(W / 1.3) * 1.3))
        << "truncated twice: a pixel short of the whole map";
    EXPECT_EQ(pane.cursor().shape(), Qt::OpenHandCursor);
    Wheel(pane, -120);
    EXPECT_EQ(map->View(), WholeColorMap(W, H));
    EXPECT_EQ(pane.cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(map->Prompt().isEmpty());
    EXPECT_FALSE(Enabled(*map, "1079"));
}

TEST_F(ColorMapDialogTest, DraggingPansUpToTheEdgeWithoutResizingTheView) {
    auto map = Open();
    Child<QPushButton>(*map, "1081")->click();
    Child<QPushButton>(*map, "1081")->click();
    const ColorMapView zoomed = map->View();
    QWidget& pane = *map->Pane();
    QTest::mousePress(&pane, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_EQ(pane.cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseMove(&pane, QPoint(350, 300));
    EXPECT_GT(map->View().x0, zoomed.x0) << "dragging left shows more of the east";
    map->PaneMove(QPoint(-4000, -4000));
    EXPECT_EQ(map->View().x1, W);
    EXPECT_EQ(map->View().y1, H);
    EXPECT_EQ(map->View().Width(), zoomed.Width());
    EXPECT_EQ(map->View().Height(), zoomed.Height());
    QTest::mouseRelease(&pane, Qt::LeftButton, Qt::NoModifier, QPoint(300, 300));
    EXPECT_EQ(pane.cursor().shape(), Qt::OpenHandCursor);
}

TEST_F(ColorMapDialogTest, AMissingPictureKeepsTheShownOneAndTheView) {
    auto map = Open();
    Child<QPushButton>(*map, "1081")->click();
    const ColorMapView zoomed = map->View();
    Child<QRadioButton>(*map, "1003")->click(); // diffuse, annual
    EXPECT_EQ(map->Kind(), 1);
    EXPECT_EQ(map->View(), zoomed) << "changing the picture keeps the view";
    Child<QRadioButton>(*map, "1051")->click(); // March: missing
    EXPECT_EQ(platform.messages,
              std::vector<QString>{QStringLiteral("日射マップ画像が読み込めません。")});
    EXPECT_EQ(map->Period(), 0);
    EXPECT_TRUE(Child<QRadioButton>(*map, "1005")->isChecked()) << "the radio returns";
    EXPECT_FALSE(Child<QRadioButton>(*map, "1051")->isChecked());
    EXPECT_EQ(map->View(), zoomed);
    Child<QRadioButton>(*map, "1002")->click();
    Child<QRadioButton>(*map, "1051")->click();
    EXPECT_EQ(map->Kind(), 0);
    EXPECT_EQ(map->Period(), 3);
}

TEST_F(ColorMapDialogTest, AMissingFirstPictureIsReportedAndTheDialogDoesNotOpen) {
    CDlgColorMap map(scratch.str()); // a map folder without pictures
    EXPECT_FALSE(map.Opened());
    EXPECT_EQ(platform.messages,
              std::vector<QString>{QStringLiteral("日射マップ画像が読み込めません。")});
}

TEST_F(ColorMapDialogTest, PrintsOnePortraitA4Page) {
    auto map = Open();
    const std::string pdf = (scratch.path() / "map.pdf").string();
    platform.printAnswers.push_back(QString::fromStdString(pdf));
    Child<QPushButton>(*map, "1082")->click();
    ASSERT_EQ(platform.printRequests.size(), 1u);
    EXPECT_EQ(platform.printRequests[0].documentName, QStringLiteral("Quorvane"));
    EXPECT_FALSE(platform.printRequests[0].allowPrintToFile);
    EXPECT_EQ(test::PdfMediaBoxes(pdf), std::vector<std::string>{test::kA4PortraitBox});
    Child<QPushButton>(*map, "1082")->click(); // cancelled: nothing happens
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ColorMapDialogTest, ThePrintedTitleClearsTheMapFrameAndTheLogoCanBeRead) {
    for (const int dpi : {300, 600, 1200}) {
        QPdfWriter page(QString::fromStdString((scratch.path() / "layout.pdf").string()));
        page.setPageSize(QPageSize(QPageSize::A4));
        page.setPageMargins(QMarginsF());
        page.setResolution(dpi);
        ColorMapPage content;
        content.geometry = ComputeColorMapPrint(page.width(), page.height(), 668 * W / H, 668);
        content.title = ColorMapTitle(0, 0);
        const ColorMapPageLayout layout = LayOutColorMapPage(content, page);
        const PixelRect& map = content.geometry.mapArea;
        EXPECT_LT(layout.title.bottom(), map.top - 1) << dpi << " dpi: above the 2-pixel frame";
        EXPECT_GE(layout.title.top(), 0) << dpi;
        const double textHeight = layout.text.height();
        EXPECT_GE(layout.logo.height(), 2.5 * textHeight - 0.5) << dpi;
        EXPECT_GE(layout.logo.width(), page.width() / 8.0) << dpi << " dpi: a readable logo";
        EXPECT_FALSE(layout.logo.intersects(layout.text)) << dpi;
        EXPECT_GT(layout.logo.top(), map.bottom) << dpi;
        EXPECT_LT(layout.logo.bottom(), page.height()) << dpi;
    }
}

TEST_F(ColorMapDialogTest, ThePaneShowsTheViewOfThePicture) {
    auto map = Open();
    QImage shown(map->Pane()->size(), QImage::Format_RGB32);
    QPainter p(&shown);
    map->PanePaint(p);
    p.end();
    const PixelRect area = ColorMapArea({0, 0, shown.width(), shown.height()});
    EXPECT_EQ(shown.pixelColor(area.left + 40, area.top + 40), QColor(40, 0, 200));
    EXPECT_EQ(shown.pixelColor(5, area.top + 40), QColor(Qt::white)) << "the margin";
    EXPECT_EQ(shown.pixelColor(area.left, area.top + 40), QColor(Qt::black)) << "the frame";
}

} // namespace
} // namespace quorvane

// Every back buffer at the screen's pixel ratio: run with QT_SCALE_FACTOR=2, each
// surface draws twice the pixels of its widget, so lines and text stay sharp.
#include "hourly/dlg_graph.h"
#include "kit_app_test.h"
#include "map/dlg_map.h"
#include "monthly/dlg_kalvera.h"
#include "monthly/dlg_kalvera_table.h"
#include "recording_platform.h"
#include "scripted_site_picker.h"

#include <QPainter>
#include <QRadioButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

class HiDpiTest : public test::KitAppTest<12, 7> {
protected:
    void SetUp() override {
        KitAppTest::SetUp();
        if (!IsSkipped() && !HasFatalFailure()) {
            ASSERT_EQ(QWidget().devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
            SelectSite(0);
        }
    }
    // The buffer has the widget's logical size at the widget's pixel ratio.
    static void ExpectSharp(const QImage& buffer, const QWidget& widget, const char* what) {
        EXPECT_EQ(buffer.devicePixelRatio(), 2.0) << what;
        EXPECT_EQ(buffer.size(), widget.size() * 2) << what;
    }

    RecordingPlatform platform;
    test::ScriptedSitePicker picker;
};

TEST_F(HiDpiTest, TheHourlyViewersGraphAndPicker) {
    CDlgGraph viewer(*app, picker);
    viewer.show();
    viewer.findChild<QRadioButton*>(QStringLiteral("1060"))->click();
    ExpectSharp(viewer.Canvas().BackBuffer(), *viewer.GraphFrame(), "graph");
    ExpectSharp(viewer.Selector().BackBuffer(), *viewer.SelectorFrame(), "picker");
}

TEST_F(HiDpiTest, TheMonthlyViewersPickerAndTheDataTable) {
    CDlgKalvera viewer(*app, picker);
    viewer.show();
    viewer.findChild<QRadioButton*>(QStringLiteral("1060"))->click();
    ExpectSharp(viewer.Canvas().BackBuffer(), *viewer.GraphFrame(), "graph");
    ExpectSharp(viewer.Selector().BackBuffer(), *viewer.findChild<QWidget*>(QStringLiteral("1020")),
                "picker");
    CDlgKalveraTable table(*app, picker);
    table.show();
    QImage window(table.TableFrame()->size() * 2, QImage::Format_RGB32);
    window.setDevicePixelRatio(2.0);
    QPainter p(&window);
    table.PaintFrame(p); // what the frame's paint event does
    p.end();
    ExpectSharp(table.BackBuffer(), *table.TableFrame(), "table");
}

TEST_F(HiDpiTest, TheSiteSelectionMapAtEveryLevel) {
    CDlgMap map(*app, app->Outlines());
    map.show();
    ExpectSharp(map.PaneImage(), *map.Pane(), "national map");
    const CAmedasPoint& site = *app->SiteAt(0);
    map.Model().OpenArea(site.areaCode);
    map.RefreshFromModel();
    ExpectSharp(map.PaneImage(), *map.Pane(), "area map");
    map.PaneMouseMove(QPoint(300, 300));
    ExpectSharp(map.PaneImage(), *map.Pane(), "overlay");
}

} // namespace
} // namespace quorvane

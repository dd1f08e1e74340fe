// Every dialog as a screen reader or a UI automation tool sees it: the accessible
// tree is walked, every property a client may ask for is read from every node, and
// no edit, list, combo box or custom control is left without a name.
#include "app/about_dlg.h"
#include "app/dlg_data_setting.h"
#include "app/dlg_main_menu.h"
#include "app/viewer_factory.h"
#include "colormap/colormap_painter.h"
#include "colormap/dlg_color_map.h"
#include "graph/dlg_wind_hanrei.h"
#include "graph/viewer_frame.h"
#include "hourly/dlg_file_save.h"
#include "hourly/dlg_graph.h"
#include "kit_app_test.h"
#include "map/dlg_kensaku.h"
#include "map/dlg_map.h"
#include "monthly/dlg_kalvera.h"
#include "monthly/dlg_kalvera_multi.h"
#include "monthly/dlg_kalvera_table.h"
#include "recording_platform.h"
#include "scripted_site_picker.h"
#include "ui/dlg_digit_input.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <map>

namespace quorvane {
namespace {

// Controls that hold a value of their own: two of them in one dialog must not share a
// name, or a listener cannot tell them apart.
bool IsField(const QObject* object) {
    return qobject_cast<const QLineEdit*>(object) != nullptr ||
           qobject_cast<const QAbstractItemView*>(object) != nullptr ||
           qobject_cast<const QComboBox*>(object) != nullptr;
}

// The program's own controls (they carry their identifiers as object names) say what
// they are; labels, group boxes and windows are names themselves.
bool NeedsName(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget != nullptr && !widget->objectName().isEmpty() && !widget->inherits("QLabel") &&
           !widget->inherits("QGroupBox") && !widget->inherits("QDialog");
}

struct Walk {
    int nodes = 0;
    std::vector<std::string> unnamed;
    std::map<QString, std::string> named; // name -> the first control that has it
    std::vector<std::string> sameName;
};

// Reads what an accessibility bridge reads of each node (names, states, geometry,
// relations and the optional interfaces), depth first.
void Visit(QAccessibleInterface* node, Walk& walk, int depth = 0) {
    ASSERT_NE(node, nullptr);
    ASSERT_LT(depth, 40) << "a cycle in the tree";
    ++walk.nodes;
    for (const QAccessible::Text text :
         {QAccessible::Name, QAccessible::Description, QAccessible::Value, QAccessible::Help,
          QAccessible::Accelerator}) {
        (void)node->text(text);
    }
    (void)node->role();
    (void)node->state();
    (void)node->rect();
    (void)node->relations();
    (void)node->focusChild();
    if (QAccessibleValueInterface* value = node->valueInterface()) {
        (void)value->currentValue();
        (void)value->minimumValue();
        (void)value->maximumValue();
    }
    if (QAccessibleActionInterface* action = node->actionInterface()) {
        (void)action->actionNames();
    }
    if (QAccessibleTextInterface* text = node->textInterface()) {
        (void)text->text(0, text->characterCount());
    }
    const QObject* object = node->object();
    if (NeedsName(object)) {
        const QString name = node->text(QAccessible::Name).trimmed();
        const std::string control =
            object->objectName().toStdString() + " (" + object->metaObject()->className() + ")";
        if (name.isEmpty()) {
            walk.unnamed.push_back(control);
        } else if (IsField(object)) {
            const auto [at, fresh] = walk.named.emplace(name, control);
            if (!fresh) {
                walk.sameName.push_back(control + " and " + at->second + ": " + name.toStdString());
            }
        }
    }
    // Qt's item views keep stale cells of removed lines (their own fault, harmless
    // here): their lines are not walked.
    if (qobject_cast<const QAbstractItemView*>(object) != nullptr) {
        return;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        ASSERT_NE(child, nullptr) << "child " << i << " of " << object->objectName().toStdString();
        ASSERT_TRUE(child->isValid())
            << "child " << i << " of " << object->objectName().toStdString();
        EXPECT_EQ(child->parent(), node) << object->objectName().toStdString();
        Visit(child, walk, depth + 1);
    }
}

class AccessibilityTest : public test::KitAppTest<12, 9> {
protected:
    void SetUp() override {
        KitAppTest::SetUp();
        if (!IsSkipped() && !HasFatalFailure()) {
            SelectSite(0);
            QAccessible::setActive(true);
        }
    }
    static void ExpectNamed(QWidget& dialog) {
        dialog.show();
        Walk walk;
        Visit(QAccessible::queryAccessibleInterface(&dialog), walk);
        EXPECT_GT(walk.nodes, 3) << dialog.objectName().toStdString();
        EXPECT_TRUE(walk.unnamed.empty())
            << dialog.objectName().toStdString() << ": " << ::testing::PrintToString(walk.unnamed);
        EXPECT_TRUE(walk.sameName.empty())
            << dialog.objectName().toStdString() << ": " << ::testing::PrintToString(walk.sameName);
    }

    RecordingPlatform platform;
    test::ScriptedSitePicker picker;
};

TEST_F(AccessibilityTest, TheViewersNameEveryControlAndSayWhatTheGraphShows) {
    CDlgGraph hourly(*app, picker);
    ExpectNamed(hourly);
    hourly.findChild<QRadioButton*>(QStringLiteral("1060"))->click();
    ExpectNamed(hourly);
    const QString graph =
        QAccessible::queryAccessibleInterface(hourly.GraphFrame())->text(QAccessible::Name);
    EXPECT_TRUE(graph.startsWith(QStringLiteral("斜面日射量グラフ 傾斜角"))) << graph.toStdString();
    CDlgKalvera monthly(*app, picker);
    ExpectNamed(monthly);
    CDlgKalveraTable table(*app, picker);
    ExpectNamed(table);
    CDlgKalveraMulti list(*app, picker, {app->SiteAt(0)->siteNumber});
    ExpectNamed(list);
}

TEST_F(AccessibilityTest, TheMapAndTheSearchesNameEveryControlAndTheMapSaysWhichItIs) {
    CDlgMap map(*app, app->Outlines());
    ExpectNamed(map);
    const auto paneName = [&] {
        return QAccessible::queryAccessibleInterface(map.Pane())->text(QAccessible::Name);
    };
    const CMapInfo& area = *app->MapInfoAt(app->SiteAt(0)->areaCode);
    EXPECT_EQ(paneName(), QStringLiteral("エリア別地図 ") + QString::fromStdString(area.name));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(map.Pane())
                    ->text(QAccessible::Description)
                    .contains(QString::fromStdString(app->SiteAt(0)->name)))
        << "the selected site";
    map.Model().OpenNational();
    map.RefreshFromModel();
    EXPECT_EQ(paneName(), QStringLiteral("全国地図"));
    map.Model().OpenBlock(1);
    map.RefreshFromModel();
    EXPECT_EQ(paneName(),
              QStringLiteral("ブロック地図 ") + QString::fromStdString(app->MapInfoAt(1)->name));
    ExpectNamed(map);
    CDlgKensaku1 address(app->MapFolder());
    ExpectNamed(address);
    CDlgKensaku2 facility(app->MapFolder());
    ExpectNamed(facility);
}

TEST_F(AccessibilityTest, TheSmallDialogsNameEveryControl) {
    const std::unique_ptr<ViewerFactory> viewers = CreateViewerFactory(*app);
    CDlgMainMenu menu(*app, *viewers);
    ExpectNamed(menu);
    CDlgDataSetting folders(QStringLiteral("/a"), QStringLiteral("/b"));
    ExpectNamed(folders);
    CAboutDlg about;
    ExpectNamed(about);
    CDlgDigitInput digits;
    ExpectNamed(digits);
    CDlgWindHanrei wind;
    ExpectNamed(wind);
    CDlgFileSaveH horizontal(ExportKind::Day);
    ExpectNamed(horizontal);
    CDlgFileSaveS slope(ExportKind::Month, HourlyAngleMode::FixedTilt, 30, 0);
    ExpectNamed(slope);
    CDlgColorMap colors(app->MapFolder());
    ASSERT_TRUE(colors.Opened());
    ExpectNamed(colors);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(colors.Pane())->text(QAccessible::Name),
              ColorMapTitle(0, 0));
}

} // namespace
} // namespace quorvane

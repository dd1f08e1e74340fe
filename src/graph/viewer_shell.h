#pragma once

#include "data/write_status.h"
#include "graph/angle_selector.h"
#include "graph/graph_canvas.h"
#include "graph/orientation.h"
#include "graph/viewer_frame.h"

#include <QDialog>
#include <QImage>
#include <QObject>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPrinter;
class QVBoxLayout;

namespace quorvane {

class AppSession;
class CHoverBitmapButton;
class SitePicker;

// The parts both viewers are made of: the graph frame, the picker, the angle box,
// the site row and the dialog that holds them.

// Draws a composed graph: on screen with its navigation buttons (`screenNav`), as a
// picture for the clipboard or a file without them (null).
using LayoutPainter =
    std::function<void(QPainter&, const GraphLayout& layout, const NavPictures* screenNav)>;

// An entry of the graph's right-click menu beyond the picture entries.
struct GraphMenuItem {
    QString text;
    std::function<void()> run;
};

// The graph frame 1012: shows composed graphs, draws the pressed and hovered buttons
// over them, shows the tooltips, and reports what the user clicked.
class GraphPane final : public QObject, public ViewerFrameOwner {
    Q_OBJECT
public:
    GraphPane(QSize size, bool monthly, QWidget* parent);

    ViewerFrame* Frame() const { return frame_; }
    const CGraphCanvas& Canvas() const { return canvas_; }
    // Draws the graph into the back buffer and says what it shows to screen readers.
    void Show(GraphLayout layout, LayoutPainter paint, const std::string& title,
              const std::vector<GraphText>& info);
    // The right-click menu's further entries.
    void SetMenuItems(std::vector<GraphMenuItem> items) { menuItems_ = std::move(items); }
    // The graph as a picture (no buttons), as "画像として保存..." writes it.
    void PaintPicture(QPainter& p) const;

    void FramePaint(QPainter& p) override;
    void FramePress(QPoint at) override;
    void FrameMove(QPoint at) override;
    void FrameRelease(QPoint at) override;
    void FrameLeft() override;
    void FrameContextMenu(QPoint screenPosition) override;

signals:
    // A legend entry or the all-on/all-off toggle was clicked.
    void LegendClicked(GraphHit hit);
    void WindLegendClicked();
    void NavigateClicked(bool next);

private:
    CGraphCanvas canvas_;
    ViewerFrame* frame_;
    LayoutPainter paint_;
    std::vector<GraphMenuItem> menuItems_;
    GraphHit pressed_;
    QPoint lastMouse_;
    int hoveredNav_ = -1;
};

// The picker frame 1020: shows the viewer's plane and reports a drag.
class SelectorPane final : public QObject, public ViewerFrameOwner {
    Q_OBJECT
public:
    explicit SelectorPane(QWidget* parent);

    ViewerFrame* Frame() const { return frame_; }
    const CAngleSelector& Selector() const { return selector_; }
    void Show(const SelectorView& view);

    void FramePaint(QPainter& p) override;
    void FramePress(QPoint at) override;
    void FrameMove(QPoint at) override;
    void FrameRelease(QPoint at) override;

signals:
    void Picked(PlaneAngles angles);

private:
    CAngleSelector selector_;
    ViewerFrame* frame_;
};

// The angle box's three slope modes: their radios, the four edits with their
// up-downs and labels, enabled by the current mode, and the numeric pop-up that an
// edit opens when it gets the focus.
class AngleControls final : public QObject {
    Q_OBJECT
public:
    // Rows 0..4 of `box`'s grid; the radios join `modes` with ids 0, 1 and 2. The
    // focus goes to `focusTarget` when an edit opens the pop-up.
    AngleControls(QGroupBox& box, QButtonGroup& modes, QWidget& focusTarget);

    QGridLayout& Grid() const { return *grid_; }
    // What the edits show, and which are enabled: the fields of `active`, none
    // without one; the radios when `radiosEnabled`.
    void Show(const Orientation& shown, std::optional<HourlyAngleMode> active, bool radiosEnabled);
    int Shown(AngleField field) const { return shown_.Get(field); }

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void Entered(AngleField field, int value);
    void Stepped(AngleField field, int step);

private:
    QGroupBox& box_;
    QButtonGroup& modes_;
    QWidget& focusTarget_;
    QGridLayout* grid_;
    std::array<QLineEdit*, 4> edits_{};
    std::array<UpDown*, 4> upDowns_{};
    std::array<QWidget*, 2> planeLabels_{};
    Orientation shown_;
};

// The site row: "エリア名" and "地点名" over the session's selection, and
// "地図から選択する".
class SiteRow final : public QObject {
    Q_OBJECT
public:
    SiteRow(AppSession& session, SitePicker& sites, QWidget& dialog, QHBoxLayout& row);

    // Both lists from the selection (the site list picks the area's first site when
    // the current one is not there).
    void Refill();
    // Asks the map for a site when none is current; false when the user chose none.
    static bool PickAtStart(AppSession& session, SitePicker& sites, QWidget* dialog);

    // An item of either list was chosen; the map was asked.
    void ChooseArea(int item);
    void ChooseSite(int item);
    void PickOnMap();

signals:
    // The selection changed to another site (by either list or the map).
    void SiteChanged();

private:
    AppSession& session_;
    SitePicker& sites_;
    QWidget& dialog_;
    QComboBox* areas_;
    QComboBox* siteList_;
    std::vector<int> areaItems_;
    std::vector<int> siteItems_;
};

// A picture button of the viewers, named by its control identifier.
struct ViewerButtonSpec {
    const char* id;
    QString text;
    int normal;
    int hover;
};

// The graph frame of the viewers.
inline constexpr QSize kViewerGraphSize(840, 560);

// The dialog both viewers are: the left column (the viewer's boxes, the picker, its
// buttons and the logo), the right column (the site row, the viewer's rows, the
// graph and the buttons that end the viewer).
class ViewerShell : public QDialog {
    Q_OBJECT
public:
    // True when no site was chosen at start-up: the viewer ends at once.
    bool EndedAtStart() const { return endedAtStart_; }
    GraphPane& Graph() const { return *graph_; }
    const CGraphCanvas& Canvas() const { return graph_->Canvas(); }
    const CAngleSelector& Selector() const { return selector_->Selector(); }
    ViewerFrame* GraphFrame() const { return graph_->Frame(); }
    ViewerFrame* SelectorFrame() const { return selector_->Frame(); }

    bool DataLoaded() const { return loaded_; }
    // The plane the graph and the picker show.
    virtual PlaneAngles GraphAngles() const = 0;
    int GraphTilt() const { return GraphAngles().tiltDeg; }
    // The one tilted plane the graph is drawn for, its azimuth 0..359 clockwise from
    // south; nothing while it shows horizontal data or no single plane.
    virtual std::optional<PlaneAngles> ShownPlane() const = 0;
    int GraphAzimuth() const { return GraphAngles().azimuthDeg; }

    // The session's site was changed elsewhere (by a window opened from this one):
    // the lists and the graph follow it.
    void FollowSessionSite();

    // The site row's lists and map button.
    void ChooseArea(int item) { siteRow_->ChooseArea(item); }
    void ChooseSite(int item) { siteRow_->ChooseSite(item); }
    void PickOnMap() { siteRow_->PickOnMap(); }

protected:
    ViewerShell(AppSession& session, SitePicker& sites, const char* name, const QString& title,
                bool monthly, QWidget* parent, QSize graphSize = kViewerGraphSize);

    void AddLeft(QWidget* box) const;
    // The angle box titled `title` with its three modes; more rows may follow.
    QGroupBox* AddAngleBox(const QString& title, QButtonGroup*& modes);
    // The picker and the left column's buttons under it; the clicked ones call `run`.
    void AddSelectorAndButtons(
        const std::vector<std::pair<ViewerButtonSpec, std::function<void()>>>& buttons);
    QHBoxLayout& SiteRowLayout() const { return *siteRowLayout_; }
    void AddRight(QLayout* row) const;
    // The graph frame, then "KALVERAを表示"/"HORIXを表示" (the cancel result) and
    // "メニュー画面に戻る" (OK); without another viewer, "閉じる" (OK) alone.
    void AddGraphAndEndButtons(const std::optional<ViewerButtonSpec>& otherViewer);

    // With data, the print dialog, then `print`; a page that did not print is
    // reported. Then the screen's legend shows every entry again.
    void PrintThrough(const std::function<PrintStatus(QPrinter&)>& print);
    virtual void ShowEveryLegendEntry() = 0;

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The window's close box goes back to where the viewer was opened from, as
    // "メニュー画面に戻る" does; only the button and Escape switch to the other viewer.
    void closeEvent(QCloseEvent* event) override;

    AppSession& session_;
    SitePicker& sites_;
    GraphPane* graph_;
    SelectorPane* selector_;
    SiteRow* siteRow_ = nullptr;
    AngleControls* angles_ = nullptr;
    bool endedAtStart_ = false;
    bool loaded_ = false;
    QString printDocumentName_ = QStringLiteral("HORIX");

private:
    QVBoxLayout* left_;
    QVBoxLayout* right_;
    QHBoxLayout* siteRowLayout_;
    QImage logo_;
};

} // namespace quorvane

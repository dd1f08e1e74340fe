#pragma once

#include "map/map_painter.h"
#include "map/site_selection.h"
#include "ui/site_picker.h"

#include <QDialog>
#include <QImage>
#include <memory>

class QLabel;
class QLineEdit;

namespace quorvane {

class AppSession;
class CHoverBitmapButton;
class CMyListBox;
class FindSitePanel;
class PlatformTimer;
class CDlgMap;
struct FoundPlace;
struct SearchResult;

// The map pane: paints the dialog's composed image and hands the mouse to it.
class MapPane : public QWidget {
    Q_OBJECT
public:
    explicit MapPane(CDlgMap& dialog);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    CDlgMap& dialog_;
};

// "地点選択": the user picks a site on the national, block, area and 1 km mesh
// maps, from the lists, or by an address or facility search. The result is a site
// catalogue index.
class CDlgMap : public QDialog {
    Q_OBJECT
public:
    CDlgMap(AppSession& appData, const AreaOutlineTable& outlines, QWidget* parent = nullptr);
    ~CDlgMap() override;

    // Before the dialog runs: print mode shows the print prompt and OK picture.
    void SetPrintMode(bool printMode);
    // The site the dialog shows as selected; once it ended with OK, the site it was
    // accepted with, whatever input was still queued.
    int SelectedSite() const {
        return acceptedSite_ != kNone ? acceptedSite_ : model_.SelectedSite();
    }

    SiteSelectionModel& Model() { return model_; }
    const SiteSelectionModel& Model() const { return model_; }
    MapPane* Pane() const { return pane_; }
    const QImage& PaneImage() const { return composed_; }
    FindSitePanel* Finder() const { return finder_; }

    // Pane coordinates (the pane's mouse events, and tests).
    void PaneMouseMove(QPoint at);
    void PaneMousePress(QPoint at);
    void PaneMouseRelease(QPoint at);
    void PaneDoubleClick(QPoint at);
    void PaneLeave();

    // The buttons' actions.
    void GoBack();
    void GoToAreaMap();
    void ToggleMeshPicking();
    void AddressSearch();
    void FacilitySearch();
    // A match of the search field: a site is selected on its area map, a place opens
    // its mesh map as the searches do.
    void ChooseFound(const FoundPlace& found);
    void AcceptSelection();

    // Loads the picture of the model's present map and refreshes lists, controls
    // and both layers (after the model was changed directly).
    void RefreshFromModel();
    // Starts sliding to the neighbouring sheet (false without a picture there); each
    // SlideTick is one of its 30 steps, run by timer 102.
    bool StartSlide(ArrowDirection direction);
    void SlideTick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Open();
    void Apply(const MapCommand& command);
    void OpenNational();
    void OpenBlock(int block);
    void OpenArea(int area);
    void OpenSheet(int sheet);
    void RunSearch(QDialog& search, const SearchResult& result);
    void LoadPicture();
    void SyncControls();
    void SyncLists();
    void ShowMouseInformation(QPoint at);
    void RedrawBase();
    void RedrawOverlay();

    AppSession& appData_;
    SiteSelectionModel model_;
    MapStyles styles_;
    MapPictures pictures_;
    QImage base_;
    QImage composed_;
    bool syncingLists_ = false;
    int acceptedSite_ = kNone;

    MapPane* pane_;
    CMyListBox* areaList_;
    CMyListBox* siteList_;
    QLabel* areaLabel_;
    QLabel* siteLabel_;
    QLabel* title_;
    QLabel* prompt_;
    QLineEdit* latitude_;
    QLineEdit* longitude_;
    QLineEdit* mouseMesh_;
    QLineEdit* selectedMesh_;
    QLineEdit* sheetName_;
    CHoverBitmapButton* meshButton_;
    CHoverBitmapButton* areaButton_;
    CHoverBitmapButton* backButton_;
    CHoverBitmapButton* addressButton_;
    CHoverBitmapButton* facilityButton_;
    CHoverBitmapButton* okButton_;
    CHoverBitmapButton* cancelButton_;
    FindSitePanel* finder_;
    std::unique_ptr<PlatformTimer> balloonTimer_;
    std::unique_ptr<PlatformTimer> slideTimer_;
};

// The program's site picker: the map dialog over the application's catalogue,
// starting from its current selection.
class MapSitePicker final : public SitePicker {
public:
    MapSitePicker(AppSession& appData, const AreaOutlineTable& outlines)
        : appData_(appData), outlines_(outlines) {}
    std::optional<int> PickSite(QWidget* parent, bool printMode) override;

private:
    AppSession& appData_;
    const AreaOutlineTable& outlines_;
};

} // namespace quorvane

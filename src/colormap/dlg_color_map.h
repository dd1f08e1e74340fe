#pragma once

#include "colormap/colormap_view.h"

#include <QDialog>
#include <QImage>
#include <string>

class QButtonGroup;
class QLabel;
class QPushButton;

namespace quorvane {

// "日射量マップ": one pre-drawn colour map of Japan per irradiance kind and period,
// zoomed with the buttons or the wheel, panned by dragging, printed on one page.
class CDlgColorMap : public QDialog {
    Q_OBJECT
public:
    explicit CDlgColorMap(std::string mapFolder, QWidget* parent = nullptr);

    // False when the first picture could not be read: the dialog is then not run.
    bool Opened() const { return opened_; }
    int Kind() const { return kind_; }
    int Period() const { return period_; }
    const ColorMapView& View() const { return view_; }
    QSize PictureSize() const { return picture_.size(); }
    QWidget* Pane() const { return pane_; }
    QString Prompt() const;

    void ChooseKind(int kind);
    void ChoosePeriod(int period);
    void ZoomIn();
    void ZoomOut();
    void ShowWhole();
    void Wheel(int delta);
    void Print();

    // The pane's mouse, in pane coordinates.
    void PanePress(QPoint at);
    void PaneMove(QPoint at);
    void PaneRelease(QPoint at);
    void PanePaint(QPainter& p);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildControls(const ColorMapDialogGeometry& geometry);
    bool LoadPicture(int kind, int period);
    void ChoosePicture(int kind, int period);
    void SetZoomButtons(bool canZoomIn, bool canZoomOut);
    void UpdateHoverCursor(QPoint at);
    bool Zoomed() const { return view_.Width() < picture_.width(); }
    PixelRect PaneRect() const;
    PixelRect MapArea() const { return ColorMapArea(PaneRect()); }
    void RebuildZoomBuffer();

    std::string mapFolder_;
    bool opened_ = false;
    int kind_ = 0;
    int period_ = 0;
    QImage picture_;
    ColorMapView view_;
    QImage zoomBuffer_;
    ZoomBufferGeometry zoom_;
    bool zoomStale_ = true;
    QImage logo_;

    bool dragging_ = false;
    QPoint pressAt_;
    ColorMapView pressView_;

    QWidget* pane_ = nullptr;
    QLabel* prompt_ = nullptr;
    QButtonGroup* kinds_ = nullptr;
    QButtonGroup* periods_ = nullptr;
    QPushButton* plus_ = nullptr;
    QPushButton* minus_ = nullptr;
    QPushButton* whole_ = nullptr;
};

} // namespace quorvane

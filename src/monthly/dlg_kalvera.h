#pragma once

#include "graph/angle_selector.h"
#include "graph/graph_canvas.h"
#include "graph/viewer_frame.h"
#include "monthly/monthly_graph.h"

#include <QDialog>
#include <memory>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

namespace quorvane {

class AppSession;
class SitePicker;

// The default tilt of a monthly site: its latitude rounded to tens (34.9 gives 30,
// 35.0 gives 40); 30 without a site.
int MonthlyDefaultTilt(bool found, double latitudeDeg);
// A typed tilt: clamped to 0..90 and snapped to the step of 10.
int SnapMonthlyTilt(int value);
// A typed azimuth: clamped to -180..180, its magnitude snapped to the step of 15 and
// signed by the value; the east/west side of the stored azimuth is kept.
int SnapMonthlyAzimuth(int value, int storedAzimuth);

// "KALVERA-11": the monthly database of one site as a chart by month, by
// orientation or of the year-to-year variation.
class CDlgKalvera : public QDialog, public AngleSelectorOwner, public ViewerFrameOwner {
    Q_OBJECT
public:
    CDlgKalvera(AppSession& session, SitePicker& sites, QWidget* parent = nullptr);
    ~CDlgKalvera() override;

    bool EndedAtStart() const { return endedAtStart_; }
    MonthlyDisplay Display() const { return display_; }
    MonthlyAngleMode AngleMode() const { return mode_; }
    bool DataLoaded() const { return loaded_; }
    int Tilt(MonthlyAngleMode mode) const;
    int StoredAzimuth(MonthlyAngleMode mode) const;
    MonthlyGraphInput GraphInput(int scale = 1, bool print = false) const;
    const MonthlyScene& Scene() const { return scene_; }
    CGraphCanvas& Canvas() { return canvas_; }
    const CAngleSelector& Selector() const { return selector_; }
    QWidget* GraphFrame() const { return graphFrame_; }

    // AngleSelectorOwner: the picker moves only in display mode 1 with angle
    // modes 0..2.
    int GraphTilt() const override { return graphTilt_; }
    int GraphAzimuth() const override { return graphAzimuth_; }
    void SetGraphTilt(int tiltDeg) override { graphTilt_ = tiltDeg; }
    void SetGraphAzimuth(int azimuthDeg) override { graphAzimuth_ = azimuthDeg; }
    DataKind ShownDataKind() const override;
    HourlyAngleMode SlopeAngleMode() const override;
    bool IsMonthlyOwner() const override { return true; }
    void RequestRedraw(int flags) override { Redraw(flags); }

    // ViewerFrameOwner
    void FramePaint(Frame frame, QPainter& p) override;
    void FramePress(Frame frame, QPoint at) override;
    void FrameMove(Frame frame, QPoint at) override;
    void FrameRelease(Frame frame, QPoint at) override;
    void FrameLeft(Frame frame) override;
    void FrameContextMenu(Frame frame, QPoint screenPosition) override;

    void Redraw(int flags);

    // Handlers, as the controls call them.
    void ChooseDisplay(MonthlyDisplay display);
    void ChooseAngleMode(MonthlyAngleMode mode);
    void ChooseMonth(int item);
    void ChooseArea(int item);
    void ChooseSite(int item);
    void PickOnMap();
    void EnterTilt(MonthlyAngleMode mode, int value);
    void EnterAzimuth(MonthlyAngleMode mode, int value);
    void StepTilt(MonthlyAngleMode mode, int step);
    void StepAzimuth(MonthlyAngleMode mode, int step);
    void StepMonth(bool next);
    void PrintGraph();
    // "データ一覧表を表示": the current site's table, modally.
    void ShowTable();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void Load();
    void ResetAngles();
    void SetGraphAnglesFromMode();
    void FillAreaList();
    void FillSiteList();
    void ReloadSite();
    void UpdateEnabling();
    void CopyPickerToState();
    void RebuildLegend();
    void RefreshControls();
    void DrawGraph();
    void PaintGraphPicture(QPainter& p) const;
    void GraphContextMenu(QPoint screenPosition);

    AppSession& session_;
    SitePicker& sites_;
    std::unique_ptr<MonthlyRecord> record_;
    CGraphCanvas canvas_;
    CAngleSelector selector_;
    MonthlyScene scene_;
    std::vector<int> areaItems_;
    std::vector<int> siteItems_;
    QImage logo_;
    NavPictures navPictures_;

    MonthlyDisplay display_ = MonthlyDisplay::Month;
    MonthlyAngleMode mode_ = MonthlyAngleMode::FixedTilt;
    int graphTilt_ = 0;
    int graphAzimuth_ = 0;
    int tilt0_ = 0, tilt2_ = 0;
    int azimuth1_ = 0, azimuth2_ = 0; // signed; the edits show the magnitude
    bool loaded_ = false;
    bool endedAtStart_ = false;
    int pressedItem_ = kHitNothing;
    int hoveredNav_ = -1;
    QPoint lastMouse_;

    ViewerFrame* graphFrame_ = nullptr;
    ViewerFrame* selectorFrame_ = nullptr;
    QButtonGroup* displayGroup_ = nullptr;
    QButtonGroup* modeGroup_ = nullptr;
    QComboBox* monthList_ = nullptr;
    QComboBox* areaList_ = nullptr;
    QComboBox* siteList_ = nullptr;
    QLineEdit* tilt0Edit_ = nullptr;
    QLineEdit* azimuth1Edit_ = nullptr;
    QLineEdit* tilt2Edit_ = nullptr;
    QLineEdit* azimuth2Edit_ = nullptr;
    UpDown* tilt0Spin_ = nullptr;
    UpDown* azimuth1Spin_ = nullptr;
    UpDown* tilt2Spin_ = nullptr;
    UpDown* azimuth2Spin_ = nullptr;
    QLabel* tiltLabel_ = nullptr;
    QLabel* azimuthLabel_ = nullptr;
};

} // namespace quorvane

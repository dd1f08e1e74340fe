#pragma once

#include "graph/angle_selector.h"
#include "graph/graph_canvas.h"
#include "graph/viewer_frame.h"
#include "hourly/hourly_graph.h"
#include "hourly/periods.h"
#include "hourly/weather_file.h"

#include <QDialog>
#include <QWidget>
#include <memory>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

namespace quorvane {

class AppSession;
class CHoverBitmapButton;
class SitePicker;

// "HORIX-11": the hourly database of one site as a day, month or ten-day graph of
// horizontal data or slope irradiance, with the days of a month ranked.
class CDlgGraph : public QDialog, public AngleSelectorOwner, public ViewerFrameOwner {
    Q_OBJECT
public:
    CDlgGraph(AppSession& appData, SitePicker& sites, QWidget* parent = nullptr);
    ~CDlgGraph() override;

    // True when no site was chosen at start-up: the viewer ends at once.
    bool EndedAtStart() const { return endedAtStart_; }

    // State, for the canvas, the selector and tests.
    DataKind Kind() const { return kind_; }
    HourlyView View() const { return view_; }
    HourlyAngleMode AngleMode() const { return mode_; }
    bool DataLoaded() const { return loaded_; }
    const HourlyDataSet& Data() const { return *set_; }
    const HourlyRankings& Rankings() const { return rankings_; }
    int TiltField(HourlyAngleMode mode) const;
    int AzimuthField(HourlyAngleMode mode) const;
    HourlyGraphInput GraphInput(int scale = 1, bool print = false) const;
    const HourlyScene& Scene() const { return scene_; }
    CGraphCanvas& Canvas() { return canvas_; }
    const CAngleSelector& Selector() const { return selector_; }
    ViewerFrame* GraphFrame() const { return graphFrame_; }
    ViewerFrame* SelectorFrame() const { return selectorFrame_; }

    // AngleSelectorOwner
    int GraphTilt() const override { return graphTilt_; }
    int GraphAzimuth() const override { return graphAzimuth_; }
    void SetGraphTilt(int tiltDeg) override { graphTilt_ = tiltDeg; }
    void SetGraphAzimuth(int azimuthDeg) override { graphAzimuth_ = azimuthDeg; }
    DataKind ShownDataKind() const override { return kind_; }
    HourlyAngleMode SlopeAngleMode() const override { return mode_; }
    bool IsMonthlyOwner() const override { return false; }
    void RequestRedraw(int flags) override { Redraw(flags); }

    // The viewer's single drawing entry (the bits above).
    void Redraw(int flags);

    // Frames' mouse, in frame coordinates.
    void GraphMousePress(QPoint at);
    void GraphMouseMove(QPoint at);
    void GraphMouseRelease(QPoint at);
    void SelectorMousePress(QPoint at);
    void SelectorMouseMove(QPoint at);
    void SelectorMouseRelease(QPoint at);
    void PaintGraphFrame(QPainter& p);

    // ViewerFrameOwner
    void FramePaint(Frame frame, QPainter& p) override;
    void FramePress(Frame frame, QPoint at) override;
    void FrameMove(Frame frame, QPoint at) override;
    void FrameRelease(Frame frame, QPoint at) override;
    void FrameLeft(Frame frame) override;
    void FrameContextMenu(Frame frame, QPoint screenPosition) override;
    void PaintSelectorFrame(QPainter& p);
    void GraphMouseLeft();

    // Handlers, as the controls call them.
    void ChooseDataKind(DataKind kind);
    void ChooseAngleMode(HourlyAngleMode mode);
    void ChooseVariant(YearVariant variant);
    void ChooseView(HourlyView view);
    void ChooseArea(int item);
    void ChooseSite(int item);
    void ChooseMonth(int item);
    void ChooseDay(int item);
    void ChooseRanking(bool sunshine, int item);
    void PickOnMap();
    // An angle typed into the numeric pop-up for an edit; clamped to its range.
    void EnterAngle(HourlyAngleMode mode, bool tilt, int value);
    void StepAngle(HourlyAngleMode mode, bool tilt, int step);
    void Navigate(bool next);
    // "表示中のデータを保存" (the view's period) and "１年分のデータを保存" (WholeYear):
    // options, file name, then the file, all through the platform.
    void SaveData(ExportKind kind);
    // A whole horizontal year as a weather file for simulation tools.
    void SaveWeatherFile(WeatherFormat format);
    // "表示中のグラフを印刷": one landscape A4 page through the platform's print dialog.
    void PrintGraph();
    // The graph's right-click menu: "画像をコピー" and "画像として保存...".
    void GraphContextMenu(QPoint screenPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void Reload();
    void ResetAngles();
    void FillDayList();
    void FillAreaList();
    void FillSiteList();
    // Both rankings of the current month, their lists refilled at rank 1.
    void RebuildRankings();
    void RankingDayToCurrent();
    void RebuildLegend();
    void RefreshControls();
    void UpdateAngleEnabling();
    void SetGraphAnglesFromMode();
    void CopyAnglesToEdits();
    void DrawGraph();
    void DrawSelector();
    // The shown graph without the screen's buttons, for pictures of it.
    void PaintGraphPicture(QPainter& p) const;
    int& AngleField(HourlyAngleMode mode, bool tilt);

    AppSession& appData_;
    SitePicker& sites_;
    std::unique_ptr<HourlyDataSet> set_;
    CGraphCanvas canvas_;
    CAngleSelector selector_;
    HourlyScene scene_;
    HourlyRankings rankings_;
    std::vector<int> areaItems_;
    std::vector<int> siteItems_;
    QImage logo_;
    NavPictures navPictures_;

    DataKind kind_ = DataKind::Horizontal;
    HourlyView view_ = HourlyView::Day;
    HourlyAngleMode mode_ = HourlyAngleMode::FixedTilt;
    int graphTilt_ = 0;
    int graphAzimuth_ = 0;
    int tilt0_ = 0, azimuth1_ = 0, tilt2_ = 0, azimuth2_ = 0;
    bool loaded_ = false;
    bool endedAtStart_ = false;
    bool refreshing_ = false;
    int pressedItem_ = kHitNothing;
    int hoveredNav_ = -1;
    QPoint lastMouse_;

    ViewerFrame* graphFrame_ = nullptr;
    ViewerFrame* selectorFrame_ = nullptr;
    QButtonGroup* kindGroup_ = nullptr;
    QButtonGroup* variantGroup_ = nullptr;
    QButtonGroup* modeGroup_ = nullptr;
    QButtonGroup* viewGroup_ = nullptr;
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
    QComboBox* areaList_ = nullptr;
    QComboBox* siteList_ = nullptr;
    QComboBox* monthList_ = nullptr;
    QComboBox* dayList_ = nullptr;
    QComboBox* irradiationRanking_ = nullptr;
    QComboBox* sunshineRanking_ = nullptr;
};

} // namespace quorvane

#pragma once

#include "graph/viewer_shell.h"
#include "hourly/hourly_graph.h"
#include "hourly/hourly_view.h"
#include "hourly/periods.h"
#include "hourly/weather_file.h"

#include <memory>

class QButtonGroup;
class QComboBox;

namespace quorvane {

// "HORIX-11": the hourly database of one site as a day, month or ten-day graph of
// horizontal data or slope irradiance, with the days of a month ranked. Its state
// is one value (HourlyViewState) and the session's selection; every change composes
// the graph anew from them.
class CDlgGraph : public ViewerShell {
    Q_OBJECT
public:
    CDlgGraph(AppSession& session, SitePicker& sites, QWidget* parent = nullptr);
    ~CDlgGraph() override;

    const HourlyViewState& State() const { return state_; }
    DataKind Kind() const { return state_.kind; }
    HourlyView View() const { return state_.view; }
    HourlyAngleMode AngleMode() const { return state_.mode; }
    PlaneAngles GraphAngles() const override { return state_.GraphAngles(); }
    std::optional<PlaneAngles> ShownPlane() const override;
    int TiltField(HourlyAngleMode mode) const;
    int AzimuthField(HourlyAngleMode mode) const;
    const HourlyDataSet& Data() const { return *set_; }
    const HourlyRankings& Rankings() const { return rankings_; }
    const HourlyScene& Scene() const { return scene_; }
    HourlyGraphInput GraphInput(int scale = 1, bool print = false) const;

    // Handlers, as the controls call them.
    void ChooseDataKind(DataKind kind);
    void ChooseAngleMode(HourlyAngleMode mode);
    void ChooseVariant(YearVariant variant);
    void ChooseView(HourlyView view);
    void ChooseMonth(int item);
    void ChooseDay(int item);
    void ChooseRanking(bool sunshine, int item);
    // An angle typed into the numeric pop-up of an edit, clamped to its range; an
    // up-down's step, which stops at the ends.
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

private:
    void ShowEveryLegendEntry() override;
    void BuildControls();
    QLayout* BuildViewRow();
    void Reload();
    void ResetAngles();
    void RebuildRankings();
    void RankingDayToCurrent();
    void FillDayList();
    void SetField(AngleField field, int value);
    void Refresh(RedrawPart parts);
    void RefreshControls();
    void DrawGraph();
    void SiteChanged();
    void LegendClicked(GraphHit hit);
    void ShowWindLegend();

    std::unique_ptr<HourlyDataSet> set_;
    HourlyViewState state_;
    HourlyScene scene_;
    HourlyRankings rankings_;

    QButtonGroup* kindGroup_ = nullptr;
    QButtonGroup* variantGroup_ = nullptr;
    QButtonGroup* modeGroup_ = nullptr;
    QButtonGroup* viewGroup_ = nullptr;
    QComboBox* monthList_ = nullptr;
    QComboBox* dayList_ = nullptr;
    QComboBox* irradiationRanking_ = nullptr;
    QComboBox* sunshineRanking_ = nullptr;
};

} // namespace quorvane

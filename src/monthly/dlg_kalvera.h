#pragma once

#include "graph/viewer_shell.h"
#include "monthly/monthly_graph.h"
#include "monthly/monthly_view.h"

#include <memory>

class QButtonGroup;
class QComboBox;

namespace quorvane {

// "KALVERA-11": the monthly database of one site as a chart by month, by
// orientation or of the year-to-year variation. Its state is one value
// (MonthlyViewState) and the session's selection; every change composes the chart
// anew from them.
class CDlgKalvera : public ViewerShell {
    Q_OBJECT
public:
    CDlgKalvera(AppSession& session, SitePicker& sites, QWidget* parent = nullptr);
    ~CDlgKalvera() override;

    const MonthlyViewState& State() const { return state_; }
    MonthlyDisplay Display() const { return state_.display; }
    MonthlyAngleMode AngleMode() const { return state_.mode; }
    PlaneAngles GraphAngles() const override { return state_.GraphAngles(); }
    std::optional<PlaneAngles> ShownPlane() const override;
    // The tilt and the signed azimuth of an angle mode's edits.
    int Tilt(MonthlyAngleMode mode) const;
    int StoredAzimuth(MonthlyAngleMode mode) const;
    const MonthlyScene& Scene() const { return scene_; }
    MonthlyGraphInput GraphInput(int scale = 1, bool print = false) const;

    // Handlers, as the controls call them.
    void ChooseDisplay(MonthlyDisplay display);
    void ChooseAngleMode(MonthlyAngleMode mode);
    void ChooseMonth(int item);
    void EnterTilt(MonthlyAngleMode mode, int value);
    void EnterAzimuth(MonthlyAngleMode mode, int value);
    void StepMonth(bool next);
    void PrintGraph();
    // "データ一覧表を表示": the current site's table, modally.
    void ShowTable();

private:
    void ShowEveryLegendEntry() override;
    void BuildControls();
    void Load();
    void SiteChanged();
    void SetField(AngleField field, int value);
    void Refresh(RedrawPart parts);
    void DrawGraph();

    std::unique_ptr<MonthlyRecord> record_;
    MonthlyViewState state_;
    MonthlyScene scene_;

    QButtonGroup* displayGroup_ = nullptr;
    QButtonGroup* modeGroup_ = nullptr;
    QComboBox* monthList_ = nullptr;
};

} // namespace quorvane

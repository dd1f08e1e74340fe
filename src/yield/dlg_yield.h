#pragma once

#include "graph/viewer_shell.h"
#include "yield/site_yield.h"
#include "yield/yield_view.h"

#include <optional>
#include <vector>

class QComboBox;
class QDoubleSpinBox;

namespace quorvane {

// "発電量試算": what a PV array on the chosen plane would produce at the session's
// site, by the hourly method for the three standard years and by the monthly
// design-factor method. Its state is one value (YieldViewState); every change
// computes and composes the chart anew.
class CDlgYield : public ViewerShell {
    Q_OBJECT
public:
    // On `plane` when given, else at the site's default tilt facing south; without
    // a current site the map is asked first.
    // The arrays start as `arrays` (the session's last ones).
    CDlgYield(AppSession& session, SitePicker& sites, std::optional<PlaneAngles> plane,
              const YieldArrays& arrays = {}, QWidget* parent = nullptr);
    ~CDlgYield() override;

    const YieldViewState& State() const { return state_; }
    const YieldComparison& Comparison() const { return comparison_; }
    const YieldChart& Chart() const { return chart_; }
    YieldArrays Arrays() const { return {state_.hourly, state_.monthly}; }
    PlaneAngles GraphAngles() const override { return state_.Plane(); }
    std::optional<PlaneAngles> ShownPlane() const override { return state_.Plane(); }

    void PrintChart();
    void SaveCsv();
    // Scans every orientation of the average year and moves the plane to the best.
    void FindBestOrientation();

protected:
    void ShowEveryLegendEntry() override {}

private:
    struct Parameter;

    void BuildControls();
    QLayout* BuildParameterRow();
    QWidget* ParameterBox(const QString& title, const std::vector<Parameter>& parameters);
    void ConnectControls();
    void SiteChanged();
    void ReadParameters();
    void SetField(AngleField field, int value);
    void Refresh(RedrawPart parts);
    void ShowChart();

    YieldViewState state_;
    YieldSiteData data_;
    YieldComparison comparison_;
    YieldChart chart_;

    QButtonGroup* modeGroup_ = nullptr;
    QComboBox* mounting_ = nullptr;
    std::vector<std::pair<QDoubleSpinBox*, double*>> fields_;
    bool scanning_ = false;
};

} // namespace quorvane

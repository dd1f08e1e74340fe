#include "app/viewer_factory.h"

#include "app/app_data.h"
#include "colormap/dlg_color_map.h"
#include "hourly/dlg_graph.h"
#include "map/dlg_map.h"
#include "monthly/dlg_kalvera.h"
#include "national/dlg_national.h"
#include "ui/platform.h"
#include "yield/dlg_yield.h"

#include <QDialog>

namespace quorvane {
namespace {

// The viewers of the program.
class ProgramViewers final : public ViewerFactory {
public:
    explicit ProgramViewers(CAppData& appData)
        : appData_(appData), sites_(appData, appData.Outlines()) {}

    ViewerResult RunHourlyViewer(QWidget* parent) override {
        CDlgGraph viewer(appData_, sites_, parent);
        return Run(viewer);
    }
    ViewerResult RunMonthlyViewer(QWidget* parent) override {
        CDlgKalvera viewer(appData_, sites_, parent);
        return Run(viewer);
    }
    void RunYield(QWidget* parent) override { RunYieldOn(parent, std::nullopt); }
    void RunNationalMap(QWidget* parent) override {
        CDlgNational national(
            appData_, [this, &national](bool hourly) { RunViewers(&national, hourly); }, parent);
        CurrentPlatform().RunModal(national);
    }
    ViewerResult RunColorMap(QWidget* parent) override {
        CDlgColorMap map(appData_.MapFolder(), parent);
        if (map.Opened()) {
            CurrentPlatform().RunModal(map);
        }
        return ViewerResult::Ok; // the map never switches
    }

private:
    void RunYieldOn(QWidget* parent, std::optional<PlaneAngles> plane) {
        CDlgYield yield(appData_, sites_, plane, parent);
        if (!yield.EndedAtStart()) {
            CurrentPlatform().RunModal(yield);
        }
    }

    // The viewers, one after the other while they switch.
    void RunViewers(QWidget* parent, bool hourly) {
        while ((hourly ? RunHourlyViewer(parent) : RunMonthlyViewer(parent)) ==
               ViewerResult::SwitchToOther) {
            hourly = !hourly;
        }
    }

    // The graphs' right-click menus open the tools that start from their site and
    // plane.
    void OfferTools(ViewerShell& viewer) {
        viewer.Graph().SetMenuItems(
            {{QStringLiteral("発電量試算..."),
              [this, &viewer] { RunYieldOn(&viewer, viewer.ShownPlane()); }},
             {QStringLiteral("全国マップ..."), [this, &viewer] { RunNationalMap(&viewer); }}});
    }

    template <class Viewer>
    ViewerResult Run(Viewer& viewer) {
        if (viewer.EndedAtStart()) {
            return ViewerResult::Ok; // no site chosen: back to the menu
        }
        OfferTools(viewer);
        return CurrentPlatform().RunModal(viewer) == QDialog::Accepted
                   ? ViewerResult::Ok
                   : ViewerResult::SwitchToOther;
    }

    CAppData& appData_;
    MapSitePicker sites_;
};

} // namespace

std::unique_ptr<ViewerFactory> CreateViewerFactory(CAppData& appData) {
    return std::make_unique<ProgramViewers>(appData);
}

} // namespace quorvane

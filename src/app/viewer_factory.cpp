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
#include <optional>

namespace quorvane {
namespace {

// The viewers of the program.
class ProgramViewers final : public ViewerFactory {
public:
    explicit ProgramViewers(CAppData& appData)
        : appData_(appData), sites_(appData, appData.Outlines()) {}

    ViewerResult RunHourlyViewer(QWidget* parent) override {
        CDlgGraph viewer(appData_, sites_, parent);
        return Run(viewer, true);
    }
    ViewerResult RunMonthlyViewer(QWidget* parent) override {
        CDlgKalvera viewer(appData_, sites_, parent);
        return Run(viewer, false);
    }
    void RunYield(QWidget* parent) override { RunYieldOn(parent, std::nullopt); }
    void RunNationalMap(QWidget* parent) override {
        CDlgNational national(
            appData_, [this, &national](bool hourly) { RunViewers(&national, hourly); }, parent);
        RunNational(national);
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
        CDlgYield yield(appData_, sites_, plane, yieldArrays_, parent);
        if (!yield.EndedAtStart()) {
            CurrentPlatform().RunModal(yield);
            yieldArrays_ = yield.Arrays();
        }
    }

    // The window stands before its first map is computed.
    static void RunNational(CDlgNational& national) {
        national.setWindowModality(Qt::ApplicationModal);
        national.show();
        national.ComputeFirstMap();
        CurrentPlatform().RunModal(national);
    }

    // The viewers, one after the other while they switch.
    void RunViewers(QWidget* parent, bool hourly) {
        while ((hourly ? RunHourlyViewer(parent) : RunMonthlyViewer(parent)) ==
               ViewerResult::SwitchToOther) {
            hourly = !hourly;
        }
    }

    // The graphs' right-click menus open the tools that start from their site and
    // plane. A site chosen in a tool is the viewer's when it comes back; the national
    // map's viewer buttons return to this viewer, or switch it to the other one,
    // rather than stacking a second viewer over it.
    void OfferTools(ViewerShell& viewer, bool hourly) {
        const auto followSite = [this, &viewer](int before) {
            if (appData_.Selection().siteNumber != before) {
                viewer.FollowSessionSite();
            }
        };
        viewer.Graph().SetMenuItems(
            {{QStringLiteral("発電量試算..."),
              [this, &viewer, followSite] {
                  const int before = appData_.Selection().siteNumber;
                  RunYieldOn(&viewer, viewer.ShownPlane());
                  followSite(before);
              }},
             {QStringLiteral("全国マップ..."), [this, &viewer, hourly, followSite] {
                  const int before = appData_.Selection().siteNumber;
                  std::optional<bool> wanted;
                  CDlgNational national(
                      appData_,
                      [&national, &wanted](bool wantsHourly) {
                          wanted = wantsHourly;
                          national.accept();
                      },
                      &viewer);
                  RunNational(national);
                  followSite(before);
                  if (wanted && *wanted != hourly) {
                      viewer.done(QDialog::Rejected); // the switch to the other viewer
                  }
              }}});
    }

    template <class Viewer>
    ViewerResult Run(Viewer& viewer, bool hourly) {
        if (viewer.EndedAtStart()) {
            return ViewerResult::Ok; // no site chosen: back to the menu
        }
        OfferTools(viewer, hourly);
        return CurrentPlatform().RunModal(viewer) == QDialog::Accepted
                   ? ViewerResult::Ok
                   : ViewerResult::SwitchToOther;
    }

    CAppData& appData_;
    MapSitePicker sites_;
    YieldArrays yieldArrays_; // as the user left them, for the session
};

} // namespace

std::unique_ptr<ViewerFactory> CreateViewerFactory(CAppData& appData) {
    return std::make_unique<ProgramViewers>(appData);
}

} // namespace quorvane

#include "app/viewer_factory.h"

#include "app/app_data.h"
#include "hourly/dlg_graph.h"
#include "map/dlg_map.h"
#include "ui/platform.h"

#include <QDialog>

namespace quorvane {
namespace {

// The viewers of the program. The monthly viewer and the colour map are not part of
// it yet: they return to the menu at once.
class ProgramViewers final : public ViewerFactory {
public:
    explicit ProgramViewers(CAppData& appData)
        : appData_(appData), sites_(appData, appData.Outlines()) {}

    ViewerResult RunHourlyViewer(QWidget* parent) override {
        CDlgGraph viewer(appData_, sites_, parent);
        if (viewer.EndedAtStart()) {
            return ViewerResult::Ok; // no site chosen: back to the menu
        }
        return CurrentPlatform().RunModal(viewer) == QDialog::Accepted
                   ? ViewerResult::Ok
                   : ViewerResult::SwitchToOther;
    }
    ViewerResult RunMonthlyViewer(QWidget*) override { return ViewerResult::Ok; }
    ViewerResult RunColorMap(QWidget*) override { return ViewerResult::Ok; }

private:
    CAppData& appData_;
    MapSitePicker sites_;
};

} // namespace

std::unique_ptr<ViewerFactory> CreateViewerFactory(CAppData& appData) {
    return std::make_unique<ProgramViewers>(appData);
}

} // namespace quorvane

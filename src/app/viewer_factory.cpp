#include "app/viewer_factory.h"

#include "app/app_data.h"

namespace quorvane {
namespace {

// The viewers are not part of the program yet: each one returns to the menu
// at once. Their dialogs are created and run here as they are added.
class ProgramViewers final : public ViewerFactory {
public:
    explicit ProgramViewers(CAppData& appData) : appData_(appData) {}

    ViewerResult RunHourlyViewer(QWidget*) override { return ViewerResult::Ok; }
    ViewerResult RunMonthlyViewer(QWidget*) override { return ViewerResult::Ok; }
    ViewerResult RunColorMap(QWidget*) override { return ViewerResult::Ok; }

private:
    [[maybe_unused]] CAppData& appData_;
};

} // namespace

std::unique_ptr<ViewerFactory> CreateViewerFactory(CAppData& appData) {
    return std::make_unique<ProgramViewers>(appData);
}

} // namespace quorvane

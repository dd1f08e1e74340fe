#include "app/app_data.h"
#include "app/chorix_app.h"
#include "app/viewer_factory.h"
#include "data/atomic_file.h"
#include "ui/message_box_reporter.h"

int main(int argc, char** argv) {
    quorvane::IgnoreFileSizeSignal();
    quorvane::CHORIXApp app(argc, argv);
    quorvane::MessageBoxReporter reporter;
    quorvane::CAppData appData(quorvane::AppLocations::FromEnvironment(), &reporter);
    const std::unique_ptr<quorvane::ViewerFactory> viewers = quorvane::CreateViewerFactory(appData);
    return app.Run(appData, *viewers);
}

// Shows one of the shell's windows on its own, for screenshots and reviews:
//   quorvane_dialog_preview menu|data-setting|about|wind-legend|digit-input
#include "app/about_dlg.h"
#include "app/app_data.h"
#include "app/chorix_app.h"
#include "app/dlg_data_setting.h"
#include "app/dlg_main_menu.h"
#include "app/viewer_factory.h"
#include "graph/dlg_wind_hanrei.h"
#include "ui/dlg_digit_input.h"

#include <QLineEdit>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace quorvane;

int main(int argc, char** argv) {
    CHORIXApp app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: quorvane_dialog_preview "
                   "menu|data-setting|about|wind-legend|digit-input\n",
                   stderr);
        return 2;
    }
    CAppData appData(AppLocations::FromEnvironment());
    std::unique_ptr<ViewerFactory> viewers = CreateViewerFactory(appData);
    std::unique_ptr<QDialog> dialog;
    const std::string_view name = argv[1];
    if (name == "menu") {
        dialog = std::make_unique<CDlgMainMenu>(appData, *viewers);
    } else if (name == "data-setting") {
        dialog = std::make_unique<CDlgDataSetting>(QStringLiteral("/home/user/データ/HORIX-11"),
                                                   QStringLiteral("/home/user/データ/KALVERA-11"));
    } else if (name == "about") {
        dialog = std::make_unique<CAboutDlg>();
    } else if (name == "wind-legend") {
        dialog = std::make_unique<CDlgWindHanrei>();
    } else if (name == "digit-input") {
        auto digits = std::make_unique<CDlgDigitInput>();
        digits->SetPosition(QPoint(200, 200));
        digits->SetValue(30);
        dialog = std::move(digits);
    } else {
        std::fprintf(stderr, "unknown window: %s\n", argv[1]);
        return 2;
    }
    QObject::connect(dialog.get(), &QDialog::finished, &QApplication::quit);
    dialog->show();
    return QApplication::exec();
}

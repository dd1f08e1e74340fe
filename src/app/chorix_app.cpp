#include "app/chorix_app.h"

#include "app/dlg_main_menu.h"
#include "app/version.h"
#include "ui/image.h"
#include "ui/platform.h"
#include "ui/qt_translation.h"
#include "ui/resources.h"

#include <QIcon>
#include <clocale>

namespace quorvane {

void PrepareApplication() {
    // Qt takes the locale from the environment; the core's number formatting
    // must not follow it.
    std::setlocale(LC_NUMERIC, "C");
    const ProgramVersion version = CurrentVersion();
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(version.major).arg(version.minor));
    InstallFontSubstitutions();
    InstallQtTranslation();
    InitQuorvaneResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/app/icon"));
    icon.addFile(QStringLiteral(":/app/icon@2x"));
    QApplication::setWindowIcon(icon);
}

CHORIXApp::CHORIXApp(int& argc, char** argv) : application_(argc, argv) {
    PrepareApplication();
}

int CHORIXApp::Run(CAppData& appData, ViewerFactory& viewers) {
    CDlgMainMenu menu(appData, viewers);
    // The menu is shown rather than run with exec(): it steps aside (hides)
    // while a viewer is open, which would end an exec() loop.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&menu, &QDialog::finished, &application_, &QApplication::quit);
    const QRect workArea = CurrentPlatform().WorkArea(&menu);
    QRect frame(QPoint(0, 0), menu.size());
    frame.moveCenter(workArea.center());
    menu.move(frame.topLeft());
    menu.show();
    return QApplication::exec();
}

} // namespace quorvane

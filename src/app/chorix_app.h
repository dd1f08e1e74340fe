#pragma once

#include <QApplication>

namespace quorvane {

class CAppData;
class ViewerFactory;

// The Qt application: names, version, fonts and icon, then the main menu.
class CHORIXApp {
public:
    CHORIXApp(int& argc, char** argv);
    CHORIXApp(const CHORIXApp&) = delete;
    CHORIXApp& operator=(const CHORIXApp&) = delete;

    // Runs the main menu; the process ends when it closes. Returns the exit code.
    int Run(CAppData& appData, ViewerFactory& viewers);

private:
    QApplication application_;
};

// What the application object sets up besides the QApplication itself; GUI
// tests call it too.
void PrepareApplication();

} // namespace quorvane

#pragma once

#include <QDialog>

namespace quorvane {

// "バージョン情報": the program icon, name and version, and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace quorvane

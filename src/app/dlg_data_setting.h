#pragma once

#include <QDialog>

class QLineEdit;

namespace quorvane {

// Asks for the folders of the two databases. The edited folders are read back
// after the dialog ended with OK.
class CDlgDataSetting : public QDialog {
    Q_OBJECT
public:
    CDlgDataSetting(const QString& hourlyFolder, const QString& monthlyFolder,
                    QWidget* parent = nullptr);

    QString HourlyFolder() const;
    QString MonthlyFolder() const;
    // OK: a folder without files of its database is kept only when the user says so.
    void Confirm();

private:
    void Browse(QLineEdit* edit, const QString& title);

    QLineEdit* hourlyEdit_;
    QLineEdit* monthlyEdit_;
};

} // namespace quorvane

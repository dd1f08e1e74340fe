#include "app/dlg_data_setting.h"

#include "data/hourly_file.h"
#include "data/monthly_file.h"
#include "ui/app_style.h"
#include "ui/platform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvane {
namespace {

QPushButton* MakeButton(const QString& text, const char* id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    return button;
}

// A folder that holds none of the database's files is most likely a slip of the
// browse dialog: the user confirms it before it is kept. An empty field is no folder.
bool ConfirmFolder(QWidget* parent, const QString& folder, const QString& database,
                   bool (*holdsData)(const std::string&)) {
    if (folder.isEmpty()) {
        return true;
    }
    bool holds = false;
    {
        WaitCursor wait;
        holds = holdsData(folder.toStdString());
    }
    return holds || CurrentPlatform().AskYesNo(
                        parent, QStringLiteral("指定したフォルダに %1 のデータが見つかりません。"
                                               "このまま設定しますか？")
                                    .arg(database));
}

} // namespace

CDlgDataSetting::CDlgDataSetting(const QString& hourlyFolder, const QString& monthlyFolder,
                                 QWidget* parent)
    : QDialog(parent), hourlyEdit_(new QLineEdit(hourlyFolder, this)),
      monthlyEdit_(new QLineEdit(monthlyFolder, this)) {
    setObjectName(QStringLiteral("CDlgDataSetting"));
    setWindowTitle(QStringLiteral("データフォルダの設定"));
    UseDialogBackground(*this, QColor(240, 240, 240));

    hourlyEdit_->setObjectName(QStringLiteral("1083"));
    monthlyEdit_->setObjectName(QStringLiteral("1084"));
    hourlyEdit_->setAccessibleName(QStringLiteral("HORIX-11のデータフォルダ"));
    monthlyEdit_->setAccessibleName(QStringLiteral("KALVERA-11のデータフォルダ"));
    hourlyEdit_->setMinimumWidth(360);
    auto* hourlyBrowse = MakeButton(QStringLiteral("参照"), "1001", this);
    auto* monthlyBrowse = MakeButton(QStringLiteral("参照"), "1002", this);
    auto* ok = MakeButton(QStringLiteral("OK"), "1", this);
    auto* cancel = MakeButton(QStringLiteral("キャンセル"), "2", this);
    ok->setDefault(true);
    for (QPushButton* button : {hourlyBrowse, monthlyBrowse, ok, cancel}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(88);
    }
    ok->setAutoDefault(true);

    auto* prompt =
        new QLabel(QStringLiteral("データの読み込み先フォルダを設定してください。"), this);
    auto* folders = new QGridLayout;
    folders->setHorizontalSpacing(8);
    folders->setVerticalSpacing(4);
    folders->addWidget(new QLabel(QStringLiteral("HORIX-11データ"), this), 0, 0, 1, 2);
    folders->addWidget(hourlyEdit_, 1, 0);
    folders->addWidget(hourlyBrowse, 1, 1);
    folders->setRowMinimumHeight(2, 10);
    folders->addWidget(new QLabel(QStringLiteral("KALVERA-11データ"), this), 3, 0, 1, 2);
    folders->addWidget(monthlyEdit_, 4, 0);
    folders->addWidget(monthlyBrowse, 4, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(12);
    layout->addWidget(prompt);
    layout->addLayout(folders);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(hourlyBrowse, &QPushButton::clicked, this,
            [this] { Browse(hourlyEdit_, QStringLiteral("HORIX-11データのフォルダ選択")); });
    connect(monthlyBrowse, &QPushButton::clicked, this,
            [this] { Browse(monthlyEdit_, QStringLiteral("KALVERA-11データのフォルダ選択")); });
    connect(ok, &QPushButton::clicked, this, &CDlgDataSetting::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CDlgDataSetting::HourlyFolder() const {
    return hourlyEdit_->text();
}

QString CDlgDataSetting::MonthlyFolder() const {
    return monthlyEdit_->text();
}

void CDlgDataSetting::Confirm() {
    if (ConfirmFolder(this, HourlyFolder(), QStringLiteral("HORIX-11"), FolderHoldsHourlyData) &&
        ConfirmFolder(this, MonthlyFolder(), QStringLiteral("KALVERA-11"),
                      FolderHoldsMonthlyData)) {
        accept();
    }
}

void CDlgDataSetting::Browse(QLineEdit* edit, const QString& title) {
    const std::optional<QString> folder = CurrentPlatform().BrowseFolder(this, title, edit->text());
    if (folder) {
        edit->setText(*folder);
    }
}

} // namespace quorvane

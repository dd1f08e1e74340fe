#include "app/dlg_main_menu.h"

#include "app/about_dlg.h"
#include "app/app_data.h"
#include "app/dlg_data_setting.h"
#include "app/version.h"
#include "app/viewer_factory.h"
#include "ui/hover_bitmap_button.h"
#include "ui/image.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>

namespace quorvane {
namespace {

const QColor kBackground(140, 208, 252);
const QPoint kTitleAt(0, 0);
const QPoint kFooterAt(1, 500);
const QPoint kPanelAt[3] = {{98, 208}, {382, 208}, {666, 208}};
// Inside each panel, the place left free for its database button.
const QPoint kPanelButtonOffset(14, 226);
const QRect kVersionArea(40, 12, 240, 32);

// Tooltip text wrapped at 200 pixels.
QString WrappedTip(const QString& text) {
    return QStringLiteral("<table width=\"200\"><tr><td>%1</td></tr></table>").arg(text);
}

// Area of static 1094: the version line is painted in it at (2, 2).
class VersionArea final : public QWidget {
public:
    explicit VersionArea(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("1094"));
        setAccessibleName(VersionLine());
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        DrawTextAt(painter, VersionLine(), QPointF(2, 2), QBrush(Qt::white),
                   CreatePointFont(ProportionalGothicFace(), FontStyle::Bold, 16));
    }
};

// The menu steps aside while a viewer runs and comes back where it was.
class MenuAsideWhileViewing {
public:
    explicit MenuAsideWhileViewing(QWidget& menu) : menu_(menu), geometry_(menu.geometry()) {
        menu_.hide();
    }
    ~MenuAsideWhileViewing() {
        menu_.setGeometry(geometry_);
        menu_.show();
        menu_.raise();
        menu_.activateWindow();
    }
    MenuAsideWhileViewing(const MenuAsideWhileViewing&) = delete;
    MenuAsideWhileViewing& operator=(const MenuAsideWhileViewing&) = delete;

private:
    QWidget& menu_;
    QRect geometry_;
};

} // namespace

CDlgMainMenu::CDlgMainMenu(CAppData& appData, ViewerFactory& viewers, QWidget* parent)
    : QDialog(parent), appData_(appData), viewers_(viewers),
      aboutAction_(new QAction(QStringLiteral("バージョン情報 HORIX(&A)..."), this)) {
    setObjectName(QStringLiteral("CDlgMainMenu"));
    setWindowTitle(QStringLiteral("Quorvane"));
    setFixedSize(ClientSize());
    connect(aboutAction_, &QAction::triggered, this, &CDlgMainMenu::OnAbout);

    title_ = LoadPngResourceForDisplay(191);
    footer_ = LoadPngResourceForDisplay(197);
    panels_[0] = LoadPngResourceForDisplay(268);
    panels_[1] = LoadPngResourceForDisplay(269);
    panels_[2] = LoadPngResourceForDisplay(270);

    auto* hourly =
        AddButton("1001", QStringLiteral("HORIX"), 182, 192, kPanelAt[0] + kPanelButtonOffset);
    auto* monthly =
        AddButton("1002", QStringLiteral("KALVERA"), 183, 193, kPanelAt[1] + kPanelButtonOffset);
    auto* colorMap = AddButton("1003", QStringLiteral("日射量マップ"), 184, 194,
                               kPanelAt[2] + kPanelButtonOffset);
    auto* yield = AddButton("yield", QStringLiteral("発電量試算"), 362, 363, {440, 515});
    yield->setToolTip(WrappedTip(QStringLiteral(
        "選んだ地点と向きに設置した太陽光発電システムの月別・年間の発電量を、HORIX-11の標準年"
        "（平均年・多照年・寡照年）とKALVERA-11の月別データから試算します。")));
    connect(yield, &QPushButton::clicked, this, &CDlgMainMenu::OnYield);
    auto* national = AddButton("national", QStringLiteral("全国マップ"), 364, 365, {552, 515});
    national->setToolTip(WrappedTip(QStringLiteral(
        "全地点の年間斜面日射量・発電量原単位・PR・最適傾斜角などを計算し、地図上に色分けして"
        "表示します。順位表、印刷、CSV・GeoJSONへの保存ができます。")));
    connect(national, &QPushButton::clicked, this, &CDlgMainMenu::OnNationalMap);
    auto* setting = AddButton("1023", QStringLiteral("データフォルダの設定"), 186, 196, {662, 515});
    auto* exit = AddButton("1", QStringLiteral("システム終了"), 185, 195, {852, 515});
    hourly->setToolTip(WrappedTip(QStringLiteral(
        "全国837地点の時別の標準気象・日射量データベースです。水平面における日射量や気温等の毎時"
        "データや任意の方位角、傾斜角における斜面日射量を自動的に算出し、表示させることができます"
        "。")));
    monthly->setToolTip(WrappedTip(QStringLiteral(
        "全国837地点の月別の日積算日射量データベースです。方位別（15度刻み）、傾斜角別（10度刻み）"
        "の斜面日射量を表示させることができます。")));
    colorMap->setToolTip(WrappedTip(QStringLiteral(
        "KALVERA-11に収録されている日射量データを地図上に描画（マップ化）したものです。月別、"
        "年平均の日射量の地理的分布を把握することができます。")));
    connect(hourly, &QPushButton::clicked, this, &CDlgMainMenu::OnHourly);
    connect(monthly, &QPushButton::clicked, this, &CDlgMainMenu::OnMonthly);
    connect(colorMap, &QPushButton::clicked, this, &CDlgMainMenu::OnColorMap);
    connect(setting, &QPushButton::clicked, this, &CDlgMainMenu::OnDataSetting);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->hide();

    auto* version = new VersionArea(this);
    version->setGeometry(kVersionArea);

    // Window managers' menus cannot be extended; the about item is also
    // reached from this link and from the window's context menu.
    auto* about = new QLabel(this);
    about->setObjectName(QStringLiteral("aboutLink"));
    about->setText(QStringLiteral("<a href=\"about\" style=\"color:#cfe3ff;\">バージョン情報</a>"));
    about->setFont(CreatePixelFont(ProportionalGothicFace(), FontStyle::Regular, 12));
    about->setGeometry(330, 524, 120, 20);
    connect(about, &QLabel::linkActivated, this, &CDlgMainMenu::OnAbout);

    appData_.ReadDataFolders();
}

CDlgMainMenu::~CDlgMainMenu() = default;

CHoverBitmapButton* CDlgMainMenu::AddButton(const char* id, const QString& text, int normalId,
                                            int hoverId, QPoint at) {
    auto* button = new CHoverBitmapButton(this);
    button->setObjectName(QString::fromLatin1(id));
    button->setText(text);
    button->LoadBitmaps(normalId, hoverId);
    button->move(at);
    button->setAutoDefault(false);
    return button;
}

void CDlgMainMenu::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    DrawImageNatural(painter, title_, kTitleAt.x(), kTitleAt.y());
    DrawImageNatural(painter, footer_, kFooterAt.x(), kFooterAt.y());
    for (int i = 0; i < 3; ++i) {
        DrawImageNatural(painter, panels_[i], kPanelAt[i].x(), kPanelAt[i].y());
    }
}

void CDlgMainMenu::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(aboutAction_);
    menu.exec(event->globalPos());
}

void CDlgMainMenu::OnHourly() {
    OpenDatabaseViewer(Database::Hourly);
}

void CDlgMainMenu::OnMonthly() {
    OpenDatabaseViewer(Database::Monthly);
}

void CDlgMainMenu::OnColorMap() {
    MenuAsideWhileViewing aside(*this);
    viewers_.RunColorMap(this);
}

void CDlgMainMenu::OnYield() {
    MenuAsideWhileViewing aside(*this);
    viewers_.RunYield(this);
}

void CDlgMainMenu::OnNationalMap() {
    MenuAsideWhileViewing aside(*this);
    viewers_.RunNationalMap(this);
}

void CDlgMainMenu::OnDataSetting() {
    RunDataSetting();
}

void CDlgMainMenu::OnAbout() {
    CAboutDlg about(this);
    CurrentPlatform().RunModal(about);
}

void CDlgMainMenu::OpenDatabaseViewer(Database database) {
    const bool hourly = database == Database::Hourly;
    const std::string& folder = hourly ? appData_.HourlyFolder() : appData_.MonthlyFolder();
    if (folder.empty()) {
        CurrentPlatform().ShowMessage(
            this, hourly
                      ? QStringLiteral("HORIX-11データの読み込み先フォルダを設定してください。")
                      : QStringLiteral("KALVERA-11データの読み込み先フォルダを設定してください。"));
        if (!RunDataSetting()) {
            return;
        }
    }
    MenuAsideWhileViewing aside(*this);
    for (;;) {
        const ViewerResult result = database == Database::Hourly ? viewers_.RunHourlyViewer(this)
                                                                 : viewers_.RunMonthlyViewer(this);
        if (result != ViewerResult::SwitchToOther) {
            break;
        }
        database = database == Database::Hourly ? Database::Monthly : Database::Hourly;
    }
}

bool CDlgMainMenu::RunDataSetting() {
    CDlgDataSetting dialog(ToQString(appData_.HourlyFolder()), ToQString(appData_.MonthlyFolder()),
                           this);
    if (CurrentPlatform().RunModal(dialog) != QDialog::Accepted) {
        return false;
    }
    // Both are written even when unchanged, so the settings file always holds them.
    const bool hourlyWritten = appData_.WriteHourlyFolder(dialog.HourlyFolder().toStdString());
    const bool monthlyWritten = appData_.WriteMonthlyFolder(dialog.MonthlyFolder().toStdString());
    if (!hourlyWritten || !monthlyWritten) {
        CurrentPlatform().ShowMessage(
            this, QStringLiteral("設定ファイルに書き込めませんでした。\n%1\n"
                                 "データフォルダの設定は、システム終了まで有効です。")
                      .arg(ToQString(appData_.SettingsFile())));
    }
    return true;
}

} // namespace quorvane

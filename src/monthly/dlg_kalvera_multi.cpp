#include "monthly/dlg_kalvera_multi.h"

#include "data/app_session.h"
#include "ui/app_style.h"
#include "ui/hover_bitmap_button.h"
#include "ui/my_list_box.h"
#include "ui/platform.h"
#include "ui/site_lists.h"
#include "ui/site_picker.h"
#include "ui/text.h"
#include "ui/viewer_controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvane {

namespace {

const QColor kBackground(240, 240, 240);
const QColor kMessageBlue(0, 0, 0xc0);

QString ListItemText(const AppSession& session, const CAmedasPoint& site) {
    const CMapInfo* area = session.MapInfoAt(site.areaCode);
    return QStringLiteral("%1  %2").arg(area != nullptr ? ToQString(area->name) : QString(),
                                        ToQString(site.name));
}

} // namespace

CDlgKalveraMulti::CDlgKalveraMulti(const AppSession& session, SitePicker& sites,
                                   const std::vector<int>& list, QWidget* parent)
    : QDialog(parent), session_(session), sites_(sites) {
    setObjectName(QStringLiteral("CDlgKalveraMulti"));
    setWindowTitle(QStringLiteral("一括印刷対象地点選択"));
    UseDialogBackground(*this, kBackground);
    BuildControls();

    if (const CAmedasPoint* current =
            session_.SiteAt(session_.FindSiteIndex(session_.Selection().siteNumber))) {
        chosenArea_ = current->areaCode;
        chosenSite_ = current->siteNumber;
    }
    for (const int siteNumber : list) {
        Append(siteNumber);
    }
    removeButton_->setEnabled(false);
    FillLists();
}

void CDlgKalveraMulti::BuildControls() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(14, 12, 14, 12);
    root->setSpacing(8);
    const auto message = [this](const char* id, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(id));
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, kMessageBlue);
        label->setPalette(colours);
        return label;
    };
    root->addWidget(
        message("1048", QStringLiteral("印刷対象の地点を選択して、リストに追加してください。")));
    root->addWidget(message("1049", QStringLiteral("最大50地点まで登録可能です。")));

    auto* mapButton = ViewerButton("1030", QStringLiteral("地図から選択"), 280, 281, this);
    root->addWidget(mapButton, 0, Qt::AlignLeft);

    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    areaList_ = ViewerCombo("1000", QStringLiteral("エリア名"), box);
    siteList_ = ViewerCombo("1001", QStringLiteral("地点名"), box);
    areaList_->setMinimumWidth(200);
    siteList_->setMinimumWidth(200);
    grid->addWidget(new QLabel(QStringLiteral("エリア名"), box), 0, 0);
    grid->addWidget(areaList_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("地点名"), box), 1, 0);
    grid->addWidget(siteList_, 1, 1);
    root->addWidget(box);

    auto* add = ViewerButton("1072", QStringLiteral("リストに追加"), 274, 275, this);
    root->addWidget(add, 0, Qt::AlignHCenter);

    root->addWidget(new QLabel(QStringLiteral("印刷対象地点リスト"), this));
    listBox_ = new CMyListBox(this);
    listBox_->setObjectName(QStringLiteral("1031"));
    listBox_->setAccessibleName(QStringLiteral("印刷対象地点リスト"));
    listBox_->setMinimumHeight(180);
    root->addWidget(listBox_);

    auto* editRow = new QHBoxLayout;
    removeButton_ = ViewerButton("1073", QStringLiteral("リストから削除"), 285, 286, this, 287);
    auto* clear = ViewerButton("1074", QStringLiteral("全削除"), 282, 283, this, 284);
    editRow->addStretch();
    editRow->addWidget(removeButton_);
    editRow->addWidget(clear);
    root->addLayout(editRow);

    auto* endRow = new QHBoxLayout;
    auto* start = ViewerButton("1", QStringLiteral("一括印刷開始"), 278, 279, this);
    auto* cancel = ViewerButton("2", QStringLiteral("キャンセル"), 276, 277, this);
    start->setDefault(true);
    endRow->addStretch();
    endRow->addWidget(start);
    endRow->addWidget(cancel);
    root->addLayout(endRow);

    connect(areaList_, &QComboBox::activated, this, &CDlgKalveraMulti::ChooseArea);
    connect(siteList_, &QComboBox::activated, this, &CDlgKalveraMulti::ChooseSite);
    connect(mapButton, &QPushButton::clicked, this, &CDlgKalveraMulti::PickOnMap);
    connect(add, &QPushButton::clicked, this, &CDlgKalveraMulti::AddChosenSite);
    connect(removeButton_, &QPushButton::clicked, this, &CDlgKalveraMulti::RemoveSelected);
    connect(clear, &QPushButton::clicked, this, &CDlgKalveraMulti::RemoveAll);
    connect(start, &QPushButton::clicked, this, &CDlgKalveraMulti::StartPrinting);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(listBox_, &QListWidget::itemSelectionChanged, this,
            [this] { removeButton_->setEnabled(listBox_->ChosenLine() >= 0); });
}

void CDlgKalveraMulti::FillLists() {
    FillAreaList(session_, chosenArea_, *areaList_, areaItems_);
    FillSiteList(session_, chosenArea_, chosenSite_, *siteList_, siteItems_);
}

void CDlgKalveraMulti::Append(int siteNumber) {
    const CAmedasPoint* site = session_.SiteAt(session_.FindSiteIndex(siteNumber));
    if (site == nullptr) {
        return;
    }
    listBox_->addItem(ListItemText(session_, *site));
    list_.push_back(siteNumber);
}

void CDlgKalveraMulti::ChooseArea(int item) {
    if (item < 0 || item >= static_cast<int>(areaItems_.size())) {
        return;
    }
    chosenArea_ = areaItems_[static_cast<std::size_t>(item)];
    chosenSite_ = -1;
    FillSiteList(session_, chosenArea_, chosenSite_, *siteList_, siteItems_);
}

void CDlgKalveraMulti::ChooseSite(int item) {
    if (item < 0 || item >= static_cast<int>(siteItems_.size())) {
        return;
    }
    chosenSite_ = session_.SiteAt(siteItems_[static_cast<std::size_t>(item)])->siteNumber;
}

void CDlgKalveraMulti::AddChosenSite() {
    if (list_.size() >= kBatchPrintMaxSites) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("これ以上登録できません。"));
        return;
    }
    if (std::find(list_.begin(), list_.end(), chosenSite_) != list_.end() || chosenArea_ < 0) {
        return;
    }
    Append(chosenSite_);
}

void CDlgKalveraMulti::PickOnMap() {
    const std::optional<int> picked = sites_.PickSite(this, true);
    const CAmedasPoint* site = picked ? session_.SiteAt(*picked) : nullptr;
    if (site == nullptr) {
        return;
    }
    chosenSite_ = site->siteNumber;
    chosenArea_ = site->areaCode;
    AddChosenSite();
    FillLists();
}

void CDlgKalveraMulti::RemoveSelected() {
    const int row = listBox_->ChosenLine();
    if (row < 0 || row >= static_cast<int>(list_.size())) {
        return;
    }
    delete listBox_->takeItem(row);
    list_.erase(list_.begin() + row);
    listBox_->setCurrentRow(-1);
    removeButton_->setEnabled(false);
}

void CDlgKalveraMulti::RemoveAll() {
    listBox_->clear();
    list_.clear();
    removeButton_->setEnabled(false);
}

void CDlgKalveraMulti::StartPrinting() {
    if (list_.empty()) {
        CurrentPlatform().ShowMessage(this,
                                      QStringLiteral("印刷対象地点をリストに追加してください。"));
        return;
    }
    accept();
}

} // namespace quorvane

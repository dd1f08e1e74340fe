#include "map/dlg_kensaku.h"

#include "ui/app_style.h"
#include "ui/hover_bitmap_button.h"
#include "ui/message_box_reporter.h"
#include "ui/my_list_box.h"
#include "ui/text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quorvane {

namespace {

const QString kChooseDistrictPrompt = QStringLiteral("大字・町丁目を選択してください。");
const QString kJumpPrompt =
    QStringLiteral("『検索』ボタンを押すと、1Kmメッシュ地図へジャンプします。");

void StyleSearchDialog(QDialog& dialog, const char* name, const QString& title) {
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setWindowTitle(title);
    dialog.setAutoFillBackground(true);
    QPalette colours = dialog.palette();
    colours.setColor(QPalette::Window, QColor(240, 240, 240));
    dialog.setPalette(colours);
    dialog.setFont(AppStyle::Get().SharedFont());
}

CMyListBox* MakeList(const char* id, const QString& name, int width, QWidget* parent) {
    auto* list = new CMyListBox(parent);
    list->setObjectName(QString::fromLatin1(id));
    list->setAccessibleName(name);
    list->setFixedSize(width, 300);
    return list;
}

QLabel* MakePrompt(QWidget* parent) {
    auto* prompt = new QLabel(parent);
    prompt->setObjectName(QStringLiteral("1048"));
    QPalette colours = prompt->palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 192));
    prompt->setPalette(colours);
    return prompt;
}

// "検索" and "キャンセル" under the lists, right-aligned.
QHBoxLayout* SearchButtons(QDialog& dialog, CHoverBitmapButton*& ok) {
    ok = new CHoverBitmapButton(&dialog);
    ok->setObjectName(QStringLiteral("1"));
    ok->setText(QStringLiteral("検索"));
    ok->LoadBitmaps(318, 319);
    auto* cancel = new CHoverBitmapButton(&dialog);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setText(QStringLiteral("キャンセル"));
    cancel->LoadBitmaps(320, 321);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QLineEdit* MakeNameEdit(const char* id, const QString& name, int width, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(id));
    edit->setAccessibleName(name);
    edit->setReadOnly(true);
    edit->setFixedWidth(width);
    return edit;
}

void FillPrefectures(CMyListBox& list) {
    for (std::string_view name : kPrefectureNames) {
        list.addItem(ToQString(name));
    }
}

// A list that reports a chosen row once per change, including a click on the row
// already chosen after the list was refilled.
template <class Handler>
void OnRowChosen(CMyListBox* list, QObject* receiver, Handler handler) {
    QObject::connect(list, &CMyListBox::LineChosen, receiver, handler);
}

} // namespace

// Address search

CDlgKensaku1::CDlgKensaku1(std::string mapFolder, QWidget* parent)
    : QDialog(parent), mapFolder_(std::move(mapFolder)),
      prefectures_(MakeList("1031", QStringLiteral("都道府県"), 130, this)),
      municipalities_(MakeList("1032", QStringLiteral("市区町村"), 200, this)),
      districts_(MakeList("1033", QStringLiteral("大字・町丁目"), 220, this)),
      prefectureName_(MakeNameEdit("1010", QStringLiteral("選択した都道府県"), 130, this)),
      municipalityName_(MakeNameEdit("1011", QStringLiteral("選択した市区町村"), 200, this)),
      districtName_(MakeNameEdit("1014", QStringLiteral("選択した大字・町丁目"), 220, this)),
      prompt_(MakePrompt(this)), ok_(nullptr) {
    StyleSearchDialog(*this, "CDlgKensaku1", QStringLiteral("住所検索"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("都道府県"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("市区町村"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("大字・町丁目"), this), 0, 2);
    grid->addWidget(prefectureName_, 1, 0);
    grid->addWidget(municipalityName_, 1, 1);
    grid->addWidget(districtName_, 1, 2);
    grid->addWidget(prefectures_, 2, 0);
    grid->addWidget(municipalities_, 2, 1);
    grid->addWidget(districts_, 2, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addLayout(grid);
    layout->addLayout(SearchButtons(*this, ok_));
    connect(ok_, &QPushButton::clicked, this, &CDlgKensaku1::Search);

    FillPrefectures(*prefectures_);
    prompt_->setText(QStringLiteral("都道府県を選択してください。"));
    ok_->setEnabled(false);
    OnRowChosen(prefectures_, this, [this](int row) { PrefectureChosen(row); });
    OnRowChosen(municipalities_, this, [this](int row) { MunicipalityChosen(row); });
    OnRowChosen(districts_, this, [this](int row) { DistrictChosen(row); });
}

QString CDlgKensaku1::Prompt() const {
    return prompt_->text();
}

bool CDlgKensaku1::SearchEnabled() const {
    return ok_->isEnabled();
}

void CDlgKensaku1::PrefectureChosen(int row) {
    municipalities_->blockSignals(true);
    districts_->blockSignals(true);
    municipalities_->clear();
    districts_->clear();
    municipalities_->blockSignals(false);
    districts_->blockSignals(false);
    districtRecords_.clear();
    prompt_->setText(QStringLiteral("市区町村を選択してください。"));
    ok_->setEnabled(false);
    prefectureName_->setText(ToQString(kPrefectureNames[static_cast<std::size_t>(row)]));
    municipalityName_->clear();
    districtName_->clear();
    MessageBoxReporter reporter(this);
    ReadMunicipalityFile(MunicipalityFilePath(mapFolder_, row + 1), municipalityRecords_, reporter);
    for (const MunicipalityRecord& record : municipalityRecords_) {
        municipalities_->addItem(ToQString(record.name));
    }
}

void CDlgKensaku1::MunicipalityChosen(int row) {
    if (row >= static_cast<int>(municipalityRecords_.size())) {
        return;
    }
    districts_->blockSignals(true);
    districts_->clear();
    districts_->blockSignals(false);
    const MunicipalityRecord& municipality = municipalityRecords_[static_cast<std::size_t>(row)];
    prompt_->setText(kChooseDistrictPrompt);
    municipalityName_->setText(ToQString(municipality.name));
    districtName_->clear();
    ok_->setEnabled(municipality.lonDeg > 0 && municipality.latDeg > 0);
    std::vector<DistrictRecord> all;
    MessageBoxReporter reporter(this);
    ReadDistrictFile(DistrictFilePath(mapFolder_, prefectures_->ChosenLine() + 1), all, reporter);
    const auto mine = DistrictsOf(municipality, all);
    districtRecords_.assign(mine.begin(), mine.end());
    for (const DistrictRecord& district : districtRecords_) {
        districts_->addItem(ToQString(district.name));
    }
}

void CDlgKensaku1::DistrictChosen(int row) {
    if (row >= static_cast<int>(districtRecords_.size())) {
        return;
    }
    prompt_->setText(kJumpPrompt);
    districtName_->setText(ToQString(districtRecords_[static_cast<std::size_t>(row)].name));
    ok_->setEnabled(true);
}

void CDlgKensaku1::Search() {
    const int prefecture = prefectures_->ChosenLine();
    const int municipality = municipalities_->ChosenLine();
    if (prefecture < 0 || municipality < 0 || !ok_->isEnabled()) {
        return;
    }
    const MunicipalityRecord& m = municipalityRecords_[static_cast<std::size_t>(municipality)];
    const int district = districts_->ChosenLine();
    result_.name = std::string(kPrefectureNames[static_cast<std::size_t>(prefecture)]) + m.name;
    if (district >= 0 && district < static_cast<int>(districtRecords_.size())) {
        const DistrictRecord& d = districtRecords_[static_cast<std::size_t>(district)];
        result_.name += d.name;
        result_.lonDeg = d.lonDeg;
        result_.latDeg = d.latDeg;
    } else {
        result_.lonDeg = m.lonDeg;
        result_.latDeg = m.latDeg;
    }
    accept();
}

// Facility search

CDlgKensaku2::CDlgKensaku2(std::string mapFolder, QWidget* parent)
    : QDialog(parent), mapFolder_(std::move(mapFolder)),
      categories_(MakeList("1031", QStringLiteral("分類"), 170, this)),
      prefectures_(MakeList("1032", QStringLiteral("都道府県"), 130, this)),
      facilities_(MakeList("1033", QStringLiteral("施設・地名"), 240, this)),
      prompt_(MakePrompt(this)), ok_(nullptr) {
    StyleSearchDialog(*this, "CDlgKensaku2", QStringLiteral("施設・地名検索"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("分類"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("都道府県"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("施設・地名"), this), 0, 2);
    grid->addWidget(categories_, 1, 0);
    grid->addWidget(prefectures_, 1, 1);
    grid->addWidget(facilities_, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addLayout(grid);
    layout->addLayout(SearchButtons(*this, ok_));
    connect(ok_, &QPushButton::clicked, this, &CDlgKensaku2::Search);

    for (std::string_view category : kFacilityCategories) {
        categories_->addItem(ToQString(category));
    }
    FillPrefectures(*prefectures_);
    categories_->setCurrentRow(0);
    prompt_->setText(QStringLiteral("都道府県を選択してください。"));
    ok_->setEnabled(false);
    OnRowChosen(categories_, this, [this](int) { SelectionChanged(true); });
    OnRowChosen(prefectures_, this, [this](int) { SelectionChanged(false); });
    OnRowChosen(facilities_, this, [this](int row) { FacilityChosen(row); });
}

QString CDlgKensaku2::Prompt() const {
    return prompt_->text();
}

bool CDlgKensaku2::SearchEnabled() const {
    return ok_->isEnabled();
}

void CDlgKensaku2::SelectionChanged(bool categoryChanged) {
    facilities_->blockSignals(true);
    facilities_->clear();
    facilities_->blockSignals(false);
    shown_.clear();
    ok_->setEnabled(false);
    const int category = categories_->ChosenLine();
    const int prefecture = prefectures_->ChosenLine();
    if (category < 0 || prefecture < 0) {
        prompt_->setText(categoryChanged ? QStringLiteral("都道府県を選択してください。")
                                         : QStringLiteral("分類を選択してください。"));
        return;
    }
    prompt_->setText(QStringLiteral("施設・地名を選択してください。"));
    std::vector<CF_CHIN> all;
    MessageBoxReporter reporter(this);
    ReadFacilityFile(FacilityFilePath(mapFolder_, category + 1), all, reporter);
    shown_ = FacilitiesOf(all, prefecture + 1);
    for (const CF_CHIN& facility : shown_) {
        facilities_->addItem(ToQString(facility.name));
    }
    if (category == 0 && !shown_.empty()) {
        facilities_->setCurrentRow(0); // the prefectural office is the answer at once
    }
}

void CDlgKensaku2::FacilityChosen(int row) {
    if (row >= static_cast<int>(shown_.size()) || categories_->ChosenLine() < 0 ||
        prefectures_->ChosenLine() < 0) {
        return;
    }
    prompt_->setText(kJumpPrompt);
    ok_->setEnabled(true);
}

void CDlgKensaku2::Search() {
    const int row = facilities_->ChosenLine();
    if (categories_->ChosenLine() < 0 || prefectures_->ChosenLine() < 0 || row < 0 ||
        row >= static_cast<int>(shown_.size())) {
        return;
    }
    const CF_CHIN& facility = shown_[static_cast<std::size_t>(row)];
    result_ = {facility.name, facility.lonDeg, facility.latDeg};
    accept();
}

} // namespace quorvane

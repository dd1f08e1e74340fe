#include "map/find_site_panel.h"

#include "data/app_session.h"
#include "map/search_archive.h"
#include "ui/message_box_reporter.h"
#include "ui/my_list_box.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace quorvane {

namespace {

// More lines than this say how many more there are instead: one letter of a common
// word matches thousands of places.
constexpr std::size_t kLinesShown = 100;

QString LineText(const FoundPlace& found) {
    const QString name = ToQString(found.name);
    const QString area = ToQString(found.areaName);
    switch (found.kind) {
    case FoundKind::Site:
        return QStringLiteral("%1（%2）　%3")
            .arg(name)
            .arg(found.siteNumber, 5, 10, QLatin1Char('0'))
            .arg(area);
    case FoundKind::Municipality:
        return QStringLiteral("%1　%2").arg(name, area);
    case FoundKind::Facility:
        break;
    }
    const QString category =
        found.category >= 1 && found.category <= static_cast<int>(kFacilityCategories.size())
            ? ToQString(kFacilityCategories[static_cast<std::size_t>(found.category - 1)])
            : QString();
    return QStringLiteral("%1（%2）　%3").arg(name, category, area);
}

bool IsReturn(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

FindSitePanel::FindSitePanel(AppSession& session, QWidget* dialog)
    : QObject(dialog), session_(session), field_(new QLineEdit(dialog)),
      results_(new CMyListBox(dialog)) {
    field_->setObjectName(QStringLiteral("findSite"));
    field_->setAccessibleName(QStringLiteral("地点・地名の検索"));
    field_->setPlaceholderText(QStringLiteral("地点名・地点番号・市区町村名・施設名で検索"));
    field_->setClearButtonEnabled(true);
    results_->setObjectName(QStringLiteral("findSiteResults"));
    results_->setAccessibleName(QStringLiteral("地点・地名の検索結果"));
    results_->hide();
    connect(field_, &QLineEdit::textChanged, this, &FindSitePanel::TextChanged);
    connect(results_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ChooseLine(results_->row(item)); });
    field_->installEventFilter(this);
    results_->installEventFilter(this);
}

FindSitePanel::~FindSitePanel() = default;

void FindSitePanel::TextChanged(const QString& text) {
    if (text.trimmed().isEmpty()) {
        matches_.clear();
        results_->clear();
        SetShown(false);
        return;
    }
    if (finder_ == nullptr) {
        WaitCursor wait;
        MessageBoxReporter reporter(field_);
        finder_ = std::make_unique<SiteFinder>(session_.Sites(), session_.MapInfos(),
                                               LoadSearchPlaces(session_.MapFolder(), reporter));
    }
    matches_ = finder_->Find(text.toStdString());
    const std::size_t total = matches_.size();
    if (total > kLinesShown) {
        matches_.resize(kLinesShown);
    }
    FillResults(total);
    SetShown(true);
}

void FindSitePanel::FillResults(std::size_t total) {
    results_->clear();
    std::vector<int> marks;
    for (const FoundPlace& found : matches_) {
        auto* item = new QListWidgetItem(LineText(found), results_);
        item->setToolTip(item->text());
        marks.push_back(found.IsSite() ? kListMarkPlain : kListMarkDarkBlue);
    }
    QString note;
    if (total == 0) {
        note = QStringLiteral("該当する地点・地名はありません。");
    } else if (total > matches_.size()) {
        note = QStringLiteral("ほか%1件。続けて入力すると絞り込めます。")
                   .arg(static_cast<qulonglong>(total - matches_.size()));
    }
    if (!note.isEmpty()) {
        auto* item = new QListWidgetItem(note, results_);
        item->setFlags(Qt::NoItemFlags);
        marks.push_back(kListMarkGreen);
    }
    results_->SetMarks(std::move(marks));
}

void FindSitePanel::SetShown(bool shown) {
    if (shown == shown_) {
        return;
    }
    shown_ = shown;
    results_->setVisible(shown);
    if (shown) {
        results_->raise();
    }
    emit ResultsShownChanged(shown);
}

void FindSitePanel::HideResults() {
    SetShown(false);
}

void FindSitePanel::ChooseLine(int line) {
    if (!shown_ || line < 0 || line >= static_cast<int>(matches_.size())) {
        return;
    }
    const FoundPlace found = matches_[static_cast<std::size_t>(line)];
    if (results_->hasFocus()) {
        field_->setFocus(); // not to the next control in the chain when the list hides
    }
    SetShown(false);
    emit Chosen(found);
}

void FindSitePanel::ChooseCurrent() {
    const int line = results_->currentRow();
    ChooseLine(line >= 0 && line < static_cast<int>(matches_.size()) ? line : 0);
}

bool FindSitePanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && shown_) {
        // Focus taken elsewhere in the dialog (the map, a list, a button) puts the
        // lists back; a message box or another window leaves the matches up.
        QWidget* now = QApplication::focusWidget();
        if (now != nullptr && now != field_ && now != results_ &&
            now->window() == field_->window()) {
            SetShown(false);
        }
        return false;
    }
    // A click into the field brings the last matches up again.
    if (event->type() == QEvent::MouseButtonPress && watched == field_ && !shown_ &&
        !field_->text().trimmed().isEmpty()) {
        SetShown(true);
        return false;
    }
    if (event->type() != QEvent::KeyPress || !shown_) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() == Qt::Key_Escape) {
        field_->setFocus();
        SetShown(false);
        return true;
    }
    if (IsReturn(key)) {
        ChooseCurrent();
        return true;
    }
    if (watched == field_ && key.key() == Qt::Key_Down && !matches_.empty()) {
        results_->setFocus();
        results_->setCurrentRow(std::max(0, results_->currentRow()));
        return true;
    }
    return false;
}

} // namespace quorvane

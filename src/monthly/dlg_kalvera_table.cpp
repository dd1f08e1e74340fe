#include "monthly/dlg_kalvera_table.h"

#include "data/app_session.h"
#include "data/reporter.h"
#include "monthly/dlg_kalvera_multi.h"
#include "monthly/monthly_table.h"
#include "monthly/monthly_table_print.h"
#include "ui/app_style.h"
#include "ui/hover_bitmap_button.h"
#include "ui/message_box_reporter.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/viewer_controls.h"

#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cstdio>
#include <string_view>

namespace quorvane {

namespace {

// Tall enough for the derived rows and footnotes at the last scroll position.
constexpr int kFrameWidth = kTableFrameWidth;
constexpr int kFrameHeight = 644;

// The sunken frame 1067; the dialog paints its back buffer.
class TableFrameWidget final : public QFrame {
public:
    TableFrameWidget(CDlgKalveraTable& owner, QWidget* parent) : QFrame(parent), owner_(owner) {
        setObjectName(QStringLiteral("1067"));
        setAccessibleName(QStringLiteral("月平均斜面日射量の一覧表"));
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setFixedSize(kFrameWidth, kFrameHeight);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        owner_.PaintFrame(p);
        p.end();
        QFrame::paintEvent(event);
    }

private:
    CDlgKalveraTable& owner_;
};

} // namespace

CDlgKalveraTable::CDlgKalveraTable(AppSession& session, SitePicker& sites, QWidget* parent)
    : QDialog(parent), session_(session), sites_(sites),
      record_(std::make_unique<MonthlyRecord>()) {
    setObjectName(QStringLiteral("CDlgKalveraTable"));
    setWindowTitle(QStringLiteral("KALVERAデータ一覧表"));
    UseDialogBackground(*this);
    BuildControls();
    MessageBoxReporter reporter(this);
    Load(reporter);
    batch_ = {session_.Selection().siteNumber};
}

CDlgKalveraTable::~CDlgKalveraTable() = default;

void CDlgKalveraTable::BuildControls() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(8);
    frame_ = new TableFrameWidget(*this, this);
    scrollBar_ = new QScrollBar(Qt::Vertical, frame_);
    scrollBar_->setObjectName(QStringLiteral("1069"));
    scrollBar_->setAccessibleName(QStringLiteral("一覧表の表示位置"));
    scrollBar_->setRange(0, kTableScrollMax);
    scrollBar_->setSingleStep(1);
    scrollBar_->setPageStep(10);
    const int barWidth = scrollBar_->sizeHint().width();
    scrollBar_->setGeometry(kFrameWidth - 1 - barWidth, 1, barWidth, kFrameHeight - 2);
    root->addWidget(frame_);

    auto* buttons = new QHBoxLayout;
    auto* print = ViewerButton("1070", QStringLiteral("一覧表の印刷"), 258, 259, this);
    auto* batch = ViewerButton("1071", QStringLiteral("複数地点一括印刷"), 260, 261, this);
    auto* close = ViewerButton("1", QStringLiteral("閉じる"), 256, 257, this);
    close->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setEnabled(false);
    cancel->hide();
    buttons->addWidget(print);
    buttons->addWidget(batch);
    buttons->addStretch();
    buttons->addWidget(close);
    root->addLayout(buttons);
    printButtons_ = {print, batch, close};

    connect(scrollBar_, &QScrollBar::valueChanged, this, &CDlgKalveraTable::SetScrollPosition);
    connect(print, &QPushButton::clicked, this, &CDlgKalveraTable::PrintThisSite);
    connect(batch, &QPushButton::clicked, this, &CDlgKalveraTable::PrintBatch);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    frame_->installEventFilter(this);
    scrollBar_->installEventFilter(this);
}

bool CDlgKalveraTable::Load(MessageReporter& reporter) {
    WaitCursor wait;
    loadFailed_ = LoadMonthlyData(session_.MonthlyFolder(), session_.Selection().siteNumber,
                                  *record_, reporter) != LoadStatus::Ok;
    return !loadFailed_;
}

void CDlgKalveraTable::SetScrollPosition(int position) {
    scroll_ = ClampTableScroll(position);
    if (scrollBar_->value() != scroll_) {
        const QSignalBlocker quiet(scrollBar_);
        scrollBar_->setValue(scroll_);
    }
    frame_->update();
}

void CDlgKalveraTable::Wheel(int delta) {
    SetScrollPosition(WheelTableScroll(scroll_, delta));
}

bool CDlgKalveraTable::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == frame_ || watched == scrollBar_) && event->type() == QEvent::Wheel) {
        Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    if (watched == frame_ && event->type() == QEvent::ContextMenu) {
        ShowTableMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

PixelRect CDlgKalveraTable::PictureRect() const {
    const QRect client = frame_->contentsRect();
    return {client.left() + 1, client.top() + 1, client.right() + 1 - scrollBar_->width(),
            client.bottom()};
}

MonthlyTableInput CDlgKalveraTable::ScreenInput() const {
    MonthlyTableInput in;
    in.record = record_.get();
    const CAmedasPoint* site =
        session_.SiteAt(session_.FindSiteIndex(session_.Selection().siteNumber));
    in.siteFound = site != nullptr;
    in.siteName = site != nullptr ? ToQString(site->name) : QString();
    in.picture = PictureRect();
    in.scroll = scroll_;
    in.loadFailed = loadFailed_;
    in.progress = {static_cast<int>(printMode_), progress_, printTotal_, in.siteFound, in.siteName};
    return in;
}

void CDlgKalveraTable::PaintFrame(QPainter& p) {
    const qreal ratio = frame_->devicePixelRatioF();
    if (backBuffer_.deviceIndependentSize() != QSizeF(frame_->size()) ||
        backBuffer_.devicePixelRatio() != ratio) {
        backBuffer_ = QImage(frame_->size() * ratio, QImage::Format_RGB32);
        backBuffer_.setDevicePixelRatio(ratio);
    }
    backBuffer_.fill(AppStyle::Get().BackgroundColor());
    const MonthlyTableInput in = ScreenInput();
    {
        QPainter buffer(&backBuffer_);
        const QRect picture(in.picture.left, in.picture.top, in.picture.Width(),
                            in.picture.Height());
        buffer.fillRect(picture, Qt::white);
        buffer.setClipRect(picture);
        RenderMonthlyTable(buffer, in);
    }
    p.drawImage(0, 0, backBuffer_);
}

// The table as CSV

void CDlgKalveraTable::ShowTableMenu(QPoint screenPosition) {
    if (printMode_ != kNotPrinting) {
        return;
    }
    const int chosen = CurrentPlatform().PopupMenu(
        frame_, screenPosition, {QStringLiteral("表をコピー"), QStringLiteral("CSVで保存...")});
    if (chosen == 0) {
        CopyTable();
    } else if (chosen == 1) {
        SaveTableCsv();
    }
}

std::string CDlgKalveraTable::SiteName() const {
    const CAmedasPoint* site =
        session_.SiteAt(session_.FindSiteIndex(session_.Selection().siteNumber));
    return site != nullptr ? site->name : std::string();
}

bool CDlgKalveraTable::CanGiveOutTable() {
    if (!loadFailed_) {
        return true;
    }
    // The frame shows zeros then; they are no data to hand on.
    CurrentPlatform().ShowMessage(
        this, QStringLiteral("データが読み込まれていないため、一覧表を出力できません。"));
    return false;
}

void CDlgKalveraTable::CopyTable() {
    if (!CanGiveOutTable()) {
        return;
    }
    const std::string csv = MonthlyTableCsv(*record_, SiteName());
    // The byte-order mark tells a spreadsheet the file's encoding; pasted text has none.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string_view text =
        std::string_view(csv).substr(csv.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0);
    CurrentPlatform().CopyText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void CDlgKalveraTable::SaveTableCsv() {
    if (!CanGiveOutTable()) {
        return;
    }
    Platform& platform = CurrentPlatform();
    char name[32];
    std::snprintf(name, sizeof name, "KALVERA_%05d.csv", session_.Selection().siteNumber);
    SaveFileRequest request = ExportFileRequest(name, FileFilter::Csv);
    request.title = QStringLiteral("一覧表の保存");
    const std::optional<QString> path = ChooseExportFile(platform, this, request);
    if (!path) {
        return;
    }
    WriteStatus status;
    {
        WaitCursor wait;
        status = WriteMonthlyTableCsv(path->toStdString(), *record_, SiteName());
    }
    platform.ShowMessage(this, ToQString(WriteStatusMessage(status)));
}

// Printing

void CDlgKalveraTable::PrintThisSite() {
    Print(kPrintThisSite);
}

void CDlgKalveraTable::PrintBatch() {
    CDlgKalveraMulti list(session_, sites_, batch_, this);
    if (CurrentPlatform().RunModal(list) != QDialog::Accepted) {
        return;
    }
    batch_ = list.List();
    Print(kPrintBatch);
}

void CDlgKalveraTable::Print(PrintMode mode) {
    PrintRequest request;
    request.documentName = QStringLiteral("KALVERA");
    std::unique_ptr<QPrinter> printer = CurrentPlatform().ChoosePrinter(this, request);
    if (printer == nullptr) {
        return;
    }
    PrinterTablePages pages(*printer);
    const PrintStatus status = PrintOn(pages, mode);
    if (status == PrintStatus::Printed) {
        CurrentPlatform().ShowMessage(this, PrintedMessage());
    } else {
        ReportPrint(this, status, true);
    }
}

PrintStatus CDlgKalveraTable::PrintOn(TablePages& pages, PrintMode mode) {
    if (!pages.Begin()) {
        return PrintStatus::NotStarted;
    }
    printMode_ = mode;
    SetButtonsEnabled(false);
    AppSelection& selection = session_.Selection();
    const AppSelection saved = selection;
    const int savedScroll = scroll_;
    const int scale = TablePrintScale(pages.Printable().Width(), frame_->width());
    const std::vector<int> sites =
        mode == kPrintBatch ? batch_ : std::vector<int>{selection.siteNumber};
    printTotal_ = static_cast<int>(sites.size());
    progress_ = 0;
    failedSites_.clear();
    // A failed site is marked on its pages and named once after the batch, so that
    // no message box stops the batch at each one.
    CollectingReporter quiet;
    {
        WaitCursor wait;
        for (const int siteNumber : sites) {
            ++progress_;
            const CAmedasPoint* site = session_.SiteAt(session_.FindSiteIndex(siteNumber));
            if (site == nullptr) {
                continue;
            }
            selection.siteNumber = site->siteNumber;
            selection.areaCode = site->areaCode;
            if (!Load(quiet)) {
                failedSites_.push_back(site->siteNumber);
            }
            SetScrollPosition(0);
            frame_->repaint();
            CurrentPlatform().Pause(500);
            MonthlyTableInput in = ScreenInput();
            PrintSiteTable(pages, in, scale);
        }
    }
    progress_ = 0;
    printMode_ = kNotPrinting;
    selection.siteNumber = saved.siteNumber;
    selection.areaCode = saved.areaCode;
    Load(quiet); // its failure was told when the table opened
    frame_->repaint();
    SetScrollPosition(savedScroll);
    const bool ended = pages.End();
    SetButtonsEnabled(true);
    return ended ? PrintStatus::Printed : PrintStatus::Incomplete;
}

QString CDlgKalveraTable::PrintedMessage() const {
    QString text = ToQString(PrintStatusMessage(PrintStatus::Printed));
    if (failedSites_.empty()) {
        return text;
    }
    text += QStringLiteral("\n次の地点はデータの読み込みに失敗したため、値を印刷していません。");
    for (const int siteNumber : failedSites_) {
        const CAmedasPoint* site = session_.SiteAt(session_.FindSiteIndex(siteNumber));
        text += QStringLiteral("\n　%1（%2）")
                    .arg(site != nullptr ? ToQString(site->name) : QString())
                    .arg(siteNumber, 5, 10, QLatin1Char('0'));
    }
    return text;
}

void CDlgKalveraTable::SetButtonsEnabled(bool enabled) {
    for (QPushButton* button : printButtons_) {
        button->setEnabled(enabled);
    }
}

} // namespace quorvane

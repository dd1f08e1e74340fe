#pragma once

#include "data/write_status.h"
#include "monthly/monthly_table_painter.h"

#include <QDialog>
#include <QImage>
#include <memory>
#include <vector>

class QPushButton;
class QScrollBar;

namespace quorvane {

class AppSession;
class MessageReporter;
class SitePicker;
class TablePages;

// "KALVERAデータ一覧表": the current site's whole monthly record as a table that
// scrolls on screen and prints on two portrait pages per site, for the current site
// or a batch of up to 50.
class CDlgKalveraTable : public QDialog {
    Q_OBJECT
public:
    enum PrintMode { kNotPrinting = 0, kPrintThisSite = 1, kPrintBatch = 2 };

    CDlgKalveraTable(AppSession& session, SitePicker& sites, QWidget* parent = nullptr);
    ~CDlgKalveraTable() override;

    int ScrollPosition() const { return scroll_; }
    void SetScrollPosition(int position);
    void Wheel(int delta);
    const MonthlyRecord& Record() const { return *record_; }
    const std::vector<int>& BatchList() const { return batch_; }
    // The sites of the last print whose data could not be read (printed marked so).
    const std::vector<int>& FailedSites() const { return failedSites_; }
    // What the frame shows now.
    MonthlyTableInput ScreenInput() const;
    QWidget* TableFrame() const { return frame_; }
    const QImage& BackBuffer() const { return backBuffer_; }

    // "一覧表の印刷" and "複数地点一括印刷" (the site list first).
    void PrintThisSite();
    void PrintBatch();
    // Prints the sites of the mode on `pages`, from the start of the document to its
    // end; the printer path and the tests share it.
    PrintStatus PrintOn(TablePages& pages, PrintMode mode);

    // The table's right-click menu: "表をコピー" puts the table as CSV text on the
    // clipboard, "CSVで保存..." writes it to a file, both as the command line writes it.
    void ShowTableMenu(QPoint screenPosition);
    void CopyTable();
    void SaveTableCsv();

    // The frame's picture: its client area less the scroll bar and a pixel at the
    // left, top and bottom.
    PixelRect PictureRect() const;
    void PaintFrame(QPainter& p);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    // Loads the current site's record; failures go to `reporter`.
    bool Load(MessageReporter& reporter);
    void Print(PrintMode mode);
    // "印刷が終了しました。", naming the sites that could not be read.
    QString PrintedMessage() const;
    void SetButtonsEnabled(bool enabled);
    // False, after telling the user, when there is no table to give out.
    bool CanGiveOutTable();
    std::string SiteName() const;

    AppSession& session_;
    SitePicker& sites_;
    std::unique_ptr<MonthlyRecord> record_;
    std::vector<int> batch_;
    std::vector<int> failedSites_;
    bool loadFailed_ = false;
    int scroll_ = 0;
    PrintMode printMode_ = kNotPrinting;
    int progress_ = 0;
    int printTotal_ = 0;
    QImage backBuffer_;

    QWidget* frame_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    std::vector<QPushButton*> printButtons_; // 1070, 1071 and 1
};

} // namespace quorvane

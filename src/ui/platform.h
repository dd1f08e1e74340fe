#pragma once

#include "data/progress.h"
#include "data/write_status.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QDialog;
class QPrinter;
class QWidget;

namespace quorvane {

struct SaveFileRequest {
    QString title;
    QString defaultName; // file name or full path proposed in the dialog
    QString filter;      // e.g. u"CSVファイル (*.csv);;すべてのファイル (*)"
    QString defaultSuffix;
};

struct PrintRequest {
    QString documentName;
    bool singlePageOnly = false; // page range fixed to page 1
    bool allowPrintToFile = true;
};

// A repeating timer a dialog owns; stops when destroyed.
class PlatformTimer {
public:
    virtual ~PlatformTimer() = default;
    virtual void Start(int intervalMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
};

// Every modal interaction with the user goes through here, so that GUI tests
// can answer dialogs without a window ever blocking.
class Platform {
public:
    virtual ~Platform() = default;

    // Message box with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // Question with Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // Folder-browse dialog; nothing when cancelled.
    virtual std::optional<QString> BrowseFolder(QWidget* parent, const QString& title,
                                                const QString& initialFolder) = 0;
    // Save-file dialog that asks before overwriting; nothing when cancelled.
    virtual std::optional<QString> SaveFileName(QWidget* parent,
                                                const SaveFileRequest& request) = 0;
    // Print dialog; the chosen printer, or nothing when cancelled.
    virtual std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent,
                                                    const PrintRequest& request) = 0;
    // Runs a dialog modally and returns its result code.
    virtual int RunModal(QDialog& dialog) = 0;
    virtual void PushWaitCursor() = 0;
    virtual void PopWaitCursor() = 0;
    // Blocks the interface for a moment (a wait cursor shown for a while, the
    // pause between batch-printed sites).
    virtual void Pause(int milliseconds) = 0;
    virtual std::unique_ptr<PlatformTimer> CreateTimer(std::function<void()> onTimeout) = 0;
    // The desktop area not covered by panels, in screen pixels.
    virtual QRect WorkArea(const QWidget* widget) const = 0;
    // A pop-up menu at a screen position; the index of the chosen item, or -1.
    virtual int PopupMenu(QWidget* parent, QPoint screenPosition, const QStringList& items) = 0;
    // Puts a picture on the clipboard.
    virtual void CopyImage(const QImage& image) = 0;
    // Runs `work` on a thread of its own while a progress dialog saying `label`
    // follows `progress` and offers to cancel it (setting progress.cancelled).
    // Returns once the work has ended: true unless it was cancelled.
    virtual bool RunWithProgress(QWidget* parent, const QString& label, WorkProgress& progress,
                                 const std::function<void()>& work) = 0;
    // Puts text on the clipboard.
    virtual void CopyText(const QString& text) = 0;
};

// The kinds of file an export offers, and the save dialog's request for one:
// "表示データの保存" with the name proposed and the kind's filter.
enum class FileFilter { Csv, Txt, Epw, GeoJson };
SaveFileRequest ExportFileRequest(const std::string& defaultName, FileFilter filter);

// Tells the user how printing ended: a printer that did not start or a document
// that could not be completed always, a completed one only when `sayPrinted`.
void ReportPrint(QWidget* parent, PrintStatus status, bool sayPrinted);

// The save-file dialog of an export. A file the program reads itself is refused with
// a message, as if the dialog had been cancelled: nothing may be written to it.
std::optional<QString> ChooseExportFile(Platform& platform, QWidget* parent,
                                        const SaveFileRequest& request);

// The platform in use; the Qt one unless a test installed another.
Platform& CurrentPlatform();

// Installs `platform` for the lifetime of this object (tests).
class ScopedPlatform {
public:
    explicit ScopedPlatform(Platform& platform);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform* previous_;
};

// Wait cursor for the lifetime of this object.
class WaitCursor {
public:
    WaitCursor() { CurrentPlatform().PushWaitCursor(); }
    ~WaitCursor() { CurrentPlatform().PopWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace quorvane

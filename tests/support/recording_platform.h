#pragma once

#include "ui/platform.h"

#include <QString>
#include <deque>
#include <vector>

namespace quorvane {

// The platform of GUI tests: records what the program asked of the user and
// answers with scripted choices, never opening a window that blocks.
class RecordingPlatform final : public Platform {
public:
    RecordingPlatform();
    ~RecordingPlatform() override;

    struct FolderBrowse {
        QString title;
        QString initialFolder;
    };

    // What was asked.
    std::vector<QString> messages;
    std::vector<QString> questions;
    std::vector<FolderBrowse> folderBrowses;
    std::vector<SaveFileRequest> saveRequests;
    std::vector<PrintRequest> printRequests;
    std::vector<QString> modalDialogs; // objectName, or class name when it has none
    std::vector<int> pauses;
    int waitCursorDepth = 0;
    int waitCursorShown = 0;

    // Scripted answers, taken from the front; when a queue is empty the user
    // is taken to have cancelled (or answered No).
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    // A PDF file to print into, or nothing for a cancelled print dialog.
    std::deque<std::optional<QString>> printAnswers;
    // Acts on a shown modal dialog (fills fields, presses buttons). The dialog's
    // result is what RunModal returns; without a handler it is rejected.
    std::deque<std::function<void(QDialog&)>> modalHandlers;
    QRect workArea{0, 0, 1280, 1024};
    std::vector<QStringList> menus; // the items of every pop-up menu shown
    std::deque<int> menuAnswers;    // the item chosen; empty: the menu was dismissed
    std::vector<QImage> copiedImages;
    std::vector<QString> progressLabels;
    bool cancelProgress = false; // the user cancels every long computation at once
    // Runs on the interface thread while a long computation is under way, as the
    // events that arrive then (clicks queued before the progress box showed).
    std::function<void()> duringProgress;
    std::vector<QString> copiedTexts;

    void ShowMessage(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    std::optional<QString> BrowseFolder(QWidget* parent, const QString& title,
                                        const QString& initialFolder) override;
    std::optional<QString> SaveFileName(QWidget* parent, const SaveFileRequest& request) override;
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent, const PrintRequest& request) override;
    int RunModal(QDialog& dialog) override;
    void PushWaitCursor() override;
    void PopWaitCursor() override;
    void Pause(int milliseconds) override;
    std::unique_ptr<PlatformTimer> CreateTimer(std::function<void()> onTimeout) override;
    QRect WorkArea(const QWidget* widget) const override;
    int PopupMenu(QWidget* parent, QPoint screenPosition, const QStringList& items) override;
    void CopyImage(const QImage& image) override;
    bool RunWithProgress(QWidget* parent, const QString& label, WorkProgress& progress,
                         const std::function<void()>& work) override;
    void CopyText(const QString& text) override;

    // Delivers one timeout to every running timer; returns how many fired.
    int FireTimers();
    int ActiveTimerCount() const;

private:
    class Timer;
    std::vector<Timer*> timers_;
    ScopedPlatform installed_;
};

} // namespace quorvane

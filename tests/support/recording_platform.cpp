#include "recording_platform.h"

#include <thread>

#include <QDialog>
#include <QPrinter>
#include <algorithm>

namespace quorvane {

class RecordingPlatform::Timer final : public PlatformTimer {
public:
    Timer(RecordingPlatform& owner, std::function<void()> onTimeout)
        : owner_(owner), onTimeout_(std::move(onTimeout)) {
        owner_.timers_.push_back(this);
    }
    ~Timer() override { std::erase(owner_.timers_, this); }
    void Start(int) override { active_ = true; }
    void Stop() override { active_ = false; }
    bool IsActive() const override { return active_; }
    void Fire() { onTimeout_(); }

private:
    RecordingPlatform& owner_;
    std::function<void()> onTimeout_;
    bool active_ = false;
};

namespace {

std::optional<QString> TakeFront(std::deque<std::optional<QString>>& answers) {
    if (answers.empty() || !answers.front().has_value()) {
        if (!answers.empty()) {
            answers.pop_front();
        }
        return std::nullopt;
    }
    const QString answer = *answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

// Installs itself for its own lifetime so a test needs one line.
RecordingPlatform::RecordingPlatform() : installed_(*this) {}

RecordingPlatform::~RecordingPlatform() = default;

void RecordingPlatform::ShowMessage(QWidget*, const QString& text) {
    messages.push_back(text);
}

bool RecordingPlatform::AskYesNo(QWidget*, const QString& text) {
    questions.push_back(text);
    if (yesNoAnswers.empty()) {
        return false;
    }
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<QString> RecordingPlatform::BrowseFolder(QWidget*, const QString& title,
                                                       const QString& initialFolder) {
    folderBrowses.push_back({title, initialFolder});
    return TakeFront(folderAnswers);
}

std::optional<QString> RecordingPlatform::SaveFileName(QWidget*, const SaveFileRequest& request) {
    saveRequests.push_back(request);
    return TakeFront(saveAnswers);
}

std::unique_ptr<QPrinter> RecordingPlatform::ChoosePrinter(QWidget*, const PrintRequest& request) {
    printRequests.push_back(request);
    const std::optional<QString> pdf = TakeFront(printAnswers);
    if (!pdf) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(request.documentName);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(*pdf);
    return printer;
}

int RecordingPlatform::RunModal(QDialog& dialog) {
    modalDialogs.push_back(dialog.objectName().isEmpty()
                               ? QString::fromLatin1(dialog.metaObject()->className())
                               : dialog.objectName());
    dialog.setResult(QDialog::Rejected);
    if (modalHandlers.empty()) {
        return QDialog::Rejected;
    }
    const std::function<void(QDialog&)> handler = std::move(modalHandlers.front());
    modalHandlers.pop_front();
    dialog.show();
    handler(dialog);
    const int result = dialog.result();
    dialog.hide();
    return result;
}

void RecordingPlatform::PushWaitCursor() {
    ++waitCursorDepth;
    ++waitCursorShown;
}

void RecordingPlatform::PopWaitCursor() {
    --waitCursorDepth;
}

void RecordingPlatform::Pause(int milliseconds) {
    pauses.push_back(milliseconds);
}

std::unique_ptr<PlatformTimer> RecordingPlatform::CreateTimer(std::function<void()> onTimeout) {
    return std::make_unique<Timer>(*this, std::move(onTimeout));
}

int RecordingPlatform::PopupMenu(QWidget*, QPoint, const QStringList& items) {
    menus.push_back(items);
    if (menuAnswers.empty()) {
        return -1;
    }
    const int answer = menuAnswers.front();
    menuAnswers.pop_front();
    return answer;
}

void RecordingPlatform::CopyImage(const QImage& image) {
    copiedImages.push_back(image);
}

bool RecordingPlatform::RunWithProgress(QWidget*, const QString& label, WorkProgress& progress,
                                        const std::function<void()>& work) {
    progressLabels.push_back(label);
    if (cancelProgress) {
        progress.cancelled = true;
    }
    std::thread worker(work);
    if (duringProgress) {
        duringProgress();
    }
    worker.join();
    return !progress.Cancelled();
}

void RecordingPlatform::CopyText(const QString& text) {
    copiedTexts.push_back(text);
}

QRect RecordingPlatform::WorkArea(const QWidget*) const {
    return workArea;
}

int RecordingPlatform::FireTimers() {
    // A callback may stop or destroy timers, so fire from a snapshot and skip
    // the ones that went away meanwhile.
    const std::vector<Timer*> snapshot = timers_;
    int fired = 0;
    for (Timer* timer : snapshot) {
        if (std::find(timers_.begin(), timers_.end(), timer) != timers_.end() &&
            timer->IsActive()) {
            timer->Fire();
            ++fired;
        }
    }
    return fired;
}

int RecordingPlatform::ActiveTimerCount() const {
    return static_cast<int>(
        std::count_if(timers_.begin(), timers_.end(), [](Timer* t) { return t->IsActive(); }));
}

} // namespace quorvane

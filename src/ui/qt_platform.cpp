#include "ui/qt_platform.h"

#include "data/program_inputs.h"
#include "ui/text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScreen>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace quorvane {
namespace {

class QtTimer final : public PlatformTimer {
public:
    explicit QtTimer(std::function<void()> onTimeout) {
        QObject::connect(&timer_, &QTimer::timeout, std::move(onTimeout));
    }
    void Start(int intervalMs) override { timer_.start(intervalMs); }
    void Stop() override { timer_.stop(); }
    bool IsActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

QString WindowTitle() {
    return QApplication::applicationName();
}

} // namespace

QWidget* DialogAnchor(QWidget* parent) {
    for (QWidget* widget = parent; widget != nullptr; widget = widget->parentWidget()) {
        if (widget->isVisible()) {
            return widget->window();
        }
    }
    return nullptr;
}

void QtPlatform::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, WindowTitle(), text, QMessageBox::Ok,
                    DialogAnchor(parent));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

bool QtPlatform::AskYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, WindowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    DialogAnchor(parent));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPlatform::BrowseFolder(QWidget* parent, const QString& title,
                                                const QString& initialFolder) {
    const QString folder = QFileDialog::getExistingDirectory(
        DialogAnchor(parent), title, initialFolder, QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder;
}

std::optional<QString> QtPlatform::SaveFileName(QWidget* parent, const SaveFileRequest& request) {
    QFileDialog dialog(DialogAnchor(parent), request.title, QString(), request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The question is asked below in Japanese instead of Qt's own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.defaultName);
    while (dialog.exec() == QDialog::Accepted) {
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty()) {
            return std::nullopt;
        }
        const QString& file = files.front();
        if (!QFileInfo::exists(file) ||
            AskYesNo(parent, QStringLiteral("%1 は既に存在します。\n上書きしますか?")
                                 .arg(QFileInfo(file).fileName()))) {
            return file;
        }
    }
    return std::nullopt;
}

std::unique_ptr<QPrinter> QtPlatform::ChoosePrinter(QWidget* parent, const PrintRequest& request) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(request.documentName);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        // Without an installed printer the page goes to a PDF file of the user's choice.
        SaveFileRequest save;
        save.title = QStringLiteral("PDFファイルに印刷");
        save.defaultName = request.documentName + QStringLiteral(".pdf");
        save.filter = QStringLiteral("PDFファイル (*.pdf)");
        save.defaultSuffix = QStringLiteral("pdf");
        const std::optional<QString> file = ChooseExportFile(*this, parent, save);
        if (!file) {
            return nullptr;
        }
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(*file);
        return printer;
    }
    QPrintDialog dialog(printer.get(), DialogAnchor(parent));
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    options.setFlag(QAbstractPrintDialog::PrintSelection, false);
    options.setFlag(QAbstractPrintDialog::PrintPageRange, false);
    options.setFlag(QAbstractPrintDialog::PrintCurrentPage, false);
    options.setFlag(QAbstractPrintDialog::PrintToFile, request.allowPrintToFile);
    dialog.setOptions(options);
    if (request.singlePageOnly) {
        dialog.setMinMax(1, 1);
        printer->setFromTo(1, 1);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    if (const QString file = printer->outputFileName();
        !file.isEmpty() && IsProtectedInput(file.toStdString())) {
        ShowMessage(parent, ToQString(kTargetIsInputMessage));
        return nullptr;
    }
    return printer;
}

int QtPlatform::RunModal(QDialog& dialog) {
    return dialog.exec();
}

void QtPlatform::PushWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPlatform::PopWaitCursor() {
    QApplication::restoreOverrideCursor();
}

void QtPlatform::Pause(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

std::unique_ptr<PlatformTimer> QtPlatform::CreateTimer(std::function<void()> onTimeout) {
    return std::make_unique<QtTimer>(std::move(onTimeout));
}

int QtPlatform::PopupMenu(QWidget* parent, QPoint screenPosition, const QStringList& items) {
    QMenu menu(parent);
    for (const QString& item : items) {
        menu.addAction(item);
    }
    const QAction* chosen = menu.exec(screenPosition);
    return chosen != nullptr ? static_cast<int>(menu.actions().indexOf(chosen)) : -1;
}

void QtPlatform::CopyImage(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image);
}

bool QtPlatform::RunWithProgress(QWidget* parent, const QString& label, WorkProgress& progress,
                                 const std::function<void()>& work) {
    QProgressDialog dialog(label, QStringLiteral("キャンセル"), 0, 0, DialogAnchor(parent));
    dialog.setObjectName(QStringLiteral("progress"));
    dialog.setWindowTitle(QStringLiteral("計算中"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(200);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work();
        finished = true;
    });
    while (!finished) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 30);
        if (dialog.wasCanceled()) {
            progress.cancelled = true;
        }
        dialog.setMaximum(progress.total);
        dialog.setValue(std::min(progress.done.load(), progress.total.load()));
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    worker.join();
    return !progress.Cancelled();
}

void QtPlatform::CopyText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QRect QtPlatform::WorkArea(const QWidget* widget) const {
    const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    if (screen == nullptr) {
        screen = QApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
}

} // namespace quorvane

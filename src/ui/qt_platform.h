#pragma once

#include "ui/platform.h"

namespace quorvane {

// The window a dialog for `parent` is centred on: the nearest shown window among its
// ancestors, or none, when the box is centred on the screen. A viewer that reports a
// failure while it is still opening is not shown yet, and a box centred on it would
// stand in the screen's corner.
QWidget* DialogAnchor(QWidget* parent);

// The real dialogs of Qt.
class QtPlatform final : public Platform {
public:
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
};

} // namespace quorvane

#pragma once

#include <QDialog>
#include <QImage>

class QAction;

namespace quorvane {

class CAppData;
class CHoverBitmapButton;
class ViewerFactory;

// The first and last window of the program: title, version, the three
// database buttons, the data-folder settings and the exit button.
class CDlgMainMenu : public QDialog {
    Q_OBJECT
public:
    CDlgMainMenu(CAppData& appData, ViewerFactory& viewers, QWidget* parent = nullptr);
    ~CDlgMainMenu() override;

    // The window's client size, fitted to its pictures.
    static QSize ClientSize() { return {1004, 566}; }

    void OnHourly();
    void OnMonthly();
    void OnColorMap();
    void OnYield();
    void OnNationalMap();
    void OnDataSetting();
    void OnAbout();

    // "バージョン情報 HORIX(&A)..." (also in the window's context menu).
    QAction* AboutAction() const { return aboutAction_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class Database { Hourly, Monthly };

    void OpenDatabaseViewer(Database database);
    // Runs the data-folder dialog and stores both folders on OK; false on cancel.
    bool RunDataSetting();
    CHoverBitmapButton* AddButton(const char* id, const QString& text, int normalId, int hoverId,
                                  QPoint at);

    CAppData& appData_;
    ViewerFactory& viewers_;
    QImage title_;
    QImage footer_;
    QImage panels_[3];
    QAction* aboutAction_;
};

} // namespace quorvane

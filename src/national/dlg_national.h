#pragma once

#include "national/national_layout.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <map>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace quorvane {

class AppSession;

// The map of the window: a picture drawn once per composition and the markers over
// it, redrawn as the pointer moves.
class NationalPane final : public QWidget {
    Q_OBJECT
public:
    explicit NationalPane(QWidget* parent);

    void Show(const NationalLayout& layout, const QImage& picture);
    void SetCurrent(std::optional<std::size_t> site);
    std::optional<std::size_t> Hovered() const { return hovered_; }
    std::optional<std::size_t> Current() const { return current_; }
    // The whole picture (no hover), as the page and the files show it.
    void PaintPicture(QPainter& p) const;

signals:
    void SiteClicked(std::size_t site);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    NationalLayout layout_;
    QImage picture_;
    QImage base_; // at the device pixel ratio
    std::optional<std::size_t> hovered_;
    std::optional<std::size_t> current_;
};

// "全国マップ": every site of the catalogue on one map, coloured by a quantity
// computed from the standard years, with its ranking. Values are computed off the
// interface thread, once per quantity and parameters for the session.
class CDlgNational : public QDialog {
    Q_OBJECT
public:
    // `openViewer(true)` opens the hourly viewer on the current site, false the
    // monthly one.
    CDlgNational(AppSession& session, std::function<void(bool hourly)> openViewer,
                 QWidget* parent = nullptr);
    ~CDlgNational() override;

    const NationalRequest& Request() const { return shown_.request; }
    const NationalMap& Shown() const { return shown_; }
    const NationalLayout& Layout() const { return layout_; }
    NationalPane& Pane() const { return *pane_; }
    int Block() const;

    // The first map, once the window stands: its progress box then appears over it
    // rather than alone on the desktop.
    void ComputeFirstMap();
    void PrintMap();
    void SaveCsv();
    void SaveGeoJson();

private:
    QWidget* BuildControls();
    QWidget* BuildRanking();
    NationalRequest RequestOfControls() const;
    void ShowRequestInControls(const NationalRequest& request);
    // Computes (or takes from the session's cache) the map the controls ask for;
    // a cancelled computation puts the controls back to the map shown.
    void Recompute();
    void Compose();
    void FillRanking();
    void ChooseSite(std::size_t site);
    // The session's site among the shown sites.
    std::optional<std::size_t> CurrentSite() const;
    void SelectRankingRow(std::optional<std::size_t> site);
    void SaveText(const std::string& name, const std::string& text, bool json);

    AppSession& session_;
    std::function<void(bool)> openViewer_;
    std::map<std::string, NationalMap> cache_;
    NationalMap shown_;
    NationalLayout layout_;
    QImage picture_;
    int pictureBlock_ = -1;

    NationalPane* pane_ = nullptr;
    QComboBox* quantity_ = nullptr;
    QSpinBox* tilt_ = nullptr;
    QSpinBox* azimuth_ = nullptr;
    QComboBox* variant_ = nullptr;
    QComboBox* month_ = nullptr;
    QComboBox* method_ = nullptr;
    QComboBox* block_ = nullptr;
    QTableWidget* ranking_ = nullptr;
    QLabel* status_ = nullptr;
    bool quiet_ = false; // controls are being set, not changed by the user
    bool computedOnce_ = false;
};

} // namespace quorvane

#include "colormap/dlg_color_map.h"

#include "colormap/colormap_painter.h"
#include "ui/app_style.h"
#include "ui/hover_bitmap_button.h"
#include "ui/image.h"
#include "ui/platform.h"
#include "ui/print_setup.h"
#include "ui/viewer_controls.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <array>

namespace quorvane {

namespace {

constexpr std::array<const char*, kColorMapPeriodCount> kPeriodIds{
    "1005", "1006", "1050", "1051", "1007", "1053", "1054",
    "1055", "1008", "1009", "1010", "1011", "1012"};

const QString kPicturesMissing = QStringLiteral("日射マップ画像が読み込めません。");
const QString kDragPrompt = QStringLiteral("マウスドラッグで地図を移動できます。");

// The map pane 1078: hands its mouse and its painting to the dialog.
class PaneWidget final : public QWidget {
public:
    PaneWidget(CDlgColorMap& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        setObjectName(QStringLiteral("1078"));
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        owner_.PanePaint(p);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            owner_.PanePress(event->position().toPoint());
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        owner_.PaneMove(event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            owner_.PaneRelease(event->position().toPoint());
        }
    }
    void wheelEvent(QWheelEvent* event) override { owner_.Wheel(event->angleDelta().y()); }

private:
    CDlgColorMap& owner_;
};

} // namespace

CDlgColorMap::CDlgColorMap(std::string mapFolder, QWidget* parent)
    : QDialog(parent), mapFolder_(std::move(mapFolder)) {
    setObjectName(QStringLiteral("CDlgColorMap"));
    setWindowTitle(QStringLiteral("日射量マップ"));
    UseDialogBackground(*this);
    if (!LoadPicture(0, 0)) {
        CurrentPlatform().ShowMessage(parent, kPicturesMissing);
        return;
    }
    opened_ = true;
    view_ = WholeColorMap(picture_.width(), picture_.height());
    const QRect work = CurrentPlatform().WorkArea(parent);
    const ColorMapDialogGeometry geometry = ComputeColorMapDialog(
        {work.left(), work.top(), work.left() + work.width(), work.top() + work.height()},
        picture_.width(), picture_.height());
    BuildControls(geometry);
    setFixedSize(geometry.dialog.Width(), geometry.dialog.Height());
    move(geometry.dialog.left, geometry.dialog.top);
    logo_ = LoadPngResourceForDisplay(294);
    SetZoomButtons(true, false);
}

void CDlgColorMap::BuildControls(const ColorMapDialogGeometry& geometry) {
    pane_ = new PaneWidget(*this, this);
    pane_->setAccessibleName(ColorMapTitle(kind_, period_));
    const PixelRect& pane = geometry.pane;
    pane_->setGeometry(pane.left, pane.top, pane.Width(), pane.Height());
    prompt_ = new QLabel(this);
    prompt_->setObjectName(QStringLiteral("1048"));
    prompt_->setGeometry(geometry.prompt.left, geometry.prompt.top, geometry.prompt.Width(),
                         geometry.prompt.Height());

    auto* column = new QWidget(this);
    column->setGeometry(8, 8, 158, std::max(200, pane.Height() - 40));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    kinds_ = new QButtonGroup(this);
    auto* kindBox = new QGroupBox(QStringLiteral("日射量の種類"), column);
    auto* kindLayout = new QVBoxLayout(kindBox);
    for (int kind = 0; kind < kColorMapKindCount; ++kind) {
        const QByteArray id = QByteArray::number(1002 + kind);
        kindLayout->addWidget(
            ViewerRadio(id.constData(),
                        QString::fromUtf8(ColorMapKindName(kind).data(),
                                          static_cast<qsizetype>(ColorMapKindName(kind).size())),
                        kinds_, kind, kindBox));
    }
    layout->addWidget(kindBox);

    periods_ = new QButtonGroup(this);
    auto* periodBox = new QGroupBox(QStringLiteral("期間"), column);
    auto* periodLayout = new QVBoxLayout(periodBox);
    periodLayout->setSpacing(1);
    for (int period = 0; period < kColorMapPeriodCount; ++period) {
        periodLayout->addWidget(ViewerRadio(kPeriodIds[static_cast<std::size_t>(period)],
                                            QString::fromStdString(ColorMapPeriodName(period)),
                                            periods_, period, periodBox));
    }
    layout->addWidget(periodBox);

    auto* zoomRow = new QHBoxLayout;
    plus_ = ViewerButton("1081", QStringLiteral("+"), 352, 353, column);
    minus_ = ViewerButton("1079", QStringLiteral("-"), 354, 355, column);
    zoomRow->addWidget(plus_);
    zoomRow->addWidget(minus_);
    layout->addLayout(zoomRow);
    whole_ = ViewerButton("1080", QStringLiteral("全体表示"), 356, 357, column);
    auto* print = ViewerButton("1082", QStringLiteral("印刷"), 358, 359, column);
    auto* close = ViewerButton("1", QStringLiteral("閉じる"), 350, 351, column);
    close->setDefault(true);
    for (QPushButton* button : std::initializer_list<QPushButton*>{whole_, print, close}) {
        layout->addWidget(button, 0, Qt::AlignHCenter);
    }
    layout->addStretch();

    kinds_->button(0)->setChecked(true);
    periods_->button(0)->setChecked(true);
    connect(kinds_, &QButtonGroup::idClicked, this, &CDlgColorMap::ChooseKind);
    connect(periods_, &QButtonGroup::idClicked, this, &CDlgColorMap::ChoosePeriod);
    connect(plus_, &QPushButton::clicked, this, &CDlgColorMap::ZoomIn);
    connect(minus_, &QPushButton::clicked, this, &CDlgColorMap::ZoomOut);
    connect(whole_, &QPushButton::clicked, this, &CDlgColorMap::ShowWhole);
    connect(print, &QPushButton::clicked, this, &CDlgColorMap::Print);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

QString CDlgColorMap::Prompt() const {
    return prompt_ != nullptr ? prompt_->text() : QString();
}

bool CDlgColorMap::LoadPicture(int kind, int period) {
    QImage picture =
        LoadPngFile(QString::fromStdString(ColorMapPicturePath(mapFolder_, kind, period)));
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
        return false;
    }
    const bool sameSize = picture.size() == picture_.size();
    picture_ = std::move(picture);
    kind_ = kind;
    period_ = period;
    if (pane_ != nullptr) {
        pane_->setAccessibleName(ColorMapTitle(kind_, period_));
    }
    if (!sameSize) {
        // The view is kept across pictures of one size; another size starts whole.
        view_ = WholeColorMap(picture_.width(), picture_.height());
        if (plus_ != nullptr) {
            SetZoomButtons(true, false);
        }
    }
    zoomStale_ = true;
    return true;
}

void CDlgColorMap::ChoosePicture(int kind, int period) {
    if (!LoadPicture(kind, period)) {
        CurrentPlatform().ShowMessage(this, kPicturesMissing);
        // The radio buttons go back to the picture that is shown.
        kinds_->button(kind_)->setChecked(true);
        periods_->button(period_)->setChecked(true);
        return;
    }
    pane_->update();
}

void CDlgColorMap::ChooseKind(int kind) {
    ChoosePicture(kind, period_);
}

void CDlgColorMap::ChoosePeriod(int period) {
    ChoosePicture(kind_, period);
}

PixelRect CDlgColorMap::PaneRect() const {
    return {0, 0, pane_->width(), pane_->height()};
}

void CDlgColorMap::SetZoomButtons(bool canZoomIn, bool canZoomOut) {
    plus_->setEnabled(canZoomIn);
    minus_->setEnabled(canZoomOut);
    whole_->setEnabled(canZoomOut);
    prompt_->setText(canZoomOut ? kDragPrompt : QString());
}

void CDlgColorMap::ZoomIn() {
    const ColorMapZoom zoom =
        ZoomColorMapIn(view_, picture_.width(), picture_.height(), pane_->width());
    view_ = zoom.view;
    SetZoomButtons(zoom.canZoomIn, true);
    zoomStale_ = true;
    pane_->update();
}

void CDlgColorMap::ZoomOut() {
    const ColorMapZoom zoom = ZoomColorMapOut(view_, picture_.width(), picture_.height());
    view_ = zoom.view;
    SetZoomButtons(true, zoom.canZoomOut);
    zoomStale_ = true;
    pane_->update();
}

void CDlgColorMap::ShowWhole() {
    view_ = WholeColorMap(picture_.width(), picture_.height());
    SetZoomButtons(true, false);
    zoomStale_ = true;
    pane_->update();
}

void CDlgColorMap::Wheel(int delta) {
    if (delta >= 0) {
        ZoomIn();
    } else {
        ZoomOut();
    }
    if (Zoomed()) {
        pane_->setCursor(Qt::OpenHandCursor);
    } else {
        pane_->unsetCursor();
        prompt_->clear();
    }
}

// Mouse

void CDlgColorMap::PanePress(QPoint at) {
    dragging_ = true;
    pressAt_ = at;
    pressView_ = view_;
    if (Zoomed()) {
        pane_->setCursor(Qt::ClosedHandCursor);
    }
}

void CDlgColorMap::PaneMove(QPoint at) {
    if (!dragging_) {
        UpdateHoverCursor(at);
        return;
    }
    const PixelRect area = MapArea();
    view_ = PanColorMap(pressView_, pressAt_.x(), pressAt_.y(), at.x(), at.y(), area.Width(),
                        area.Height(), picture_.width(), picture_.height());
    pane_->update();
}

void CDlgColorMap::PaneRelease(QPoint at) {
    dragging_ = false;
    UpdateHoverCursor(at);
}

void CDlgColorMap::UpdateHoverCursor(QPoint at) {
    if (pane_->rect().contains(at) && Zoomed()) {
        pane_->setCursor(Qt::OpenHandCursor);
    } else {
        pane_->unsetCursor();
    }
}

// Painting

void CDlgColorMap::RebuildZoomBuffer() {
    const PixelRect area = MapArea();
    zoom_ =
        ComputeZoomBuffer(view_, picture_.width(), picture_.height(), area.Width(), area.Height());
    zoomBuffer_ = BuildZoomBuffer(picture_, zoom_, pane_->devicePixelRatioF());
    zoomStale_ = false;
}

void CDlgColorMap::PanePaint(QPainter& p) {
    if (zoomStale_ || zoomBuffer_.isNull()) {
        RebuildZoomBuffer();
    }
    // A drag reuses the buffer: only the view's origin within it moves.
    const PixelRect area = MapArea();
    ZoomBufferGeometry shown =
        ComputeZoomBuffer(view_, picture_.width(), picture_.height(), area.Width(), area.Height());
    shown.width = zoom_.width;
    shown.height = zoom_.height;
    PaintColorMapPane(p, {PaneRect(), ColorMapTitle(kind_, period_), &zoomBuffer_, shown});
}

void CDlgColorMap::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (pane_ != nullptr) {
        QPainter p(this);
        DrawImageNatural(p, logo_, 20, pane_->geometry().bottom() + 1 - 24);
    }
}

// Printing

void CDlgColorMap::Print() {
    PrintRequest request;
    request.documentName = QStringLiteral("Quorvane");
    request.singlePageOnly = true;
    request.allowPrintToFile = false;
    std::unique_ptr<QPrinter> printer = CurrentPlatform().ChoosePrinter(this, request);
    if (printer == nullptr) {
        return;
    }
    WaitCursor wait;
    SetUpA4Printer(*printer, QStringLiteral("Quorvane"), PageOrientation::Portrait);
    QPainter p;
    if (!p.begin(printer.get())) {
        ReportPrint(this, PrintStatus::NotStarted, false);
        return;
    }
    const QRect page = printer->pageLayout().fullRectPixels(printer->resolution());
    const ColorMapPage content{
        ComputeColorMapPrint(page.width(), page.height(), pane_->width(), pane_->height()),
        ColorMapTitle(kind_, period_), &picture_, view_};
    PaintColorMapPage(p, content);
    ReportPrint(this, p.end() ? PrintStatus::Printed : PrintStatus::Incomplete, false);
}

} // namespace quorvane

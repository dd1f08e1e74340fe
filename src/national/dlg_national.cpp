#include "national/dlg_national.h"

#include "data/app_session.h"
#include "data/atomic_file.h"
#include "graph/graph_image.h"
#include "graph/graph_print.h"
#include "map/map_pictures.h"
#include "national/national_painter.h"
#include "ui/app_style.h"
#include "ui/image.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/viewer_controls.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace quorvane {

namespace {

// A table item that sorts by a number rather than by its text.
class NumberItem final : public QTableWidgetItem {
public:
    NumberItem(const QString& text, double number) : QTableWidgetItem(text), number_(number) {}
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* numeric = dynamic_cast<const NumberItem*>(&other);
        return numeric != nullptr ? number_ < numeric->number_ : QTableWidgetItem::operator<(other);
    }

private:
    double number_;
};

QPushButton* Button(const char* id, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setAutoDefault(false);
    return button;
}

QSpinBox* AngleSpin(const char* id, const QString& name, int low, int high, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(id));
    spin->setAccessibleName(name);
    spin->setRange(low, high);
    spin->setSuffix(QStringLiteral(" 度"));
    spin->setKeyboardTracking(false);
    return spin;
}

} // namespace

// The pane

NationalPane::NationalPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("nationalMap"));
    setAccessibleName(QStringLiteral("全国マップ"));
    setFixedSize(kNationalWidth, kNationalHeight);
    setMouseTracking(true);
}

void NationalPane::Show(const NationalLayout& layout, const QImage& picture) {
    layout_ = layout;
    picture_ = picture;
    hovered_.reset();
    const qreal ratio = devicePixelRatioF();
    base_ = QImage((QSizeF(kNationalWidth, kNationalHeight) * ratio).toSize(),
                   QImage::Format_ARGB32_Premultiplied);
    base_.setDevicePixelRatio(ratio);
    QPainter p(&base_);
    PaintNationalBase(p, layout_, picture_);
    setAccessibleDescription(ToQString(layout_.title.text));
    update();
}

void NationalPane::SetCurrent(std::optional<std::size_t> site) {
    current_ = site;
    update();
}

void NationalPane::PaintPicture(QPainter& p) const {
    PaintNationalBase(p, layout_, picture_);
    PaintNationalMarkers(p, layout_, std::nullopt, current_);
}

void NationalPane::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!base_.isNull()) {
        p.drawImage(QPointF(0, 0), base_);
    }
    PaintNationalMarkers(p, layout_, hovered_, current_);
}

void NationalPane::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const std::optional<std::size_t> marker = MarkerAt(layout_, at.x(), at.y());
    if (marker != hovered_) {
        hovered_ = marker;
        update();
    }
    if (marker) {
        QToolTip::showText(event->globalPosition().toPoint(),
                           ToQString(layout_.tooltips[*marker].text), this);
    } else {
        QToolTip::hideText();
    }
}

void NationalPane::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (const auto marker = MarkerAt(layout_, at.x(), at.y())) {
            emit SiteClicked(layout_.markers[*marker].site);
        }
    }
}

void NationalPane::leaveEvent(QEvent*) {
    hovered_.reset();
    update();
}

void NationalPane::contextMenuEvent(QContextMenuEvent* event) {
    RunGraphContextMenu(this, event->globalPos(), kNationalWidth, kNationalHeight,
                        [this](QPainter& p) { PaintPicture(p); });
}

// The window

CDlgNational::CDlgNational(AppSession& session, std::function<void(bool)> openViewer,
                           QWidget* parent)
    : QDialog(parent), session_(session), openViewer_(std::move(openViewer)) {
    setObjectName(QStringLiteral("CDlgNational"));
    setWindowTitle(QStringLiteral("全国マップ"));
    UseDialogBackground(*this);
    auto* root = new QHBoxLayout(this);
    pane_ = new NationalPane(this);
    root->addWidget(pane_, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildControls());
    right->addWidget(BuildRanking(), 1);
    root->addLayout(right);
    connect(pane_, &NationalPane::SiteClicked, this, &CDlgNational::ChooseSite);
    KeepOpenOnEnter(*this);
    shown_.request.tiltDeg = 30;
    ShowRequestInControls(shown_.request);
}

void CDlgNational::ComputeFirstMap() {
    if (!computedOnce_) {
        computedOnce_ = true;
        Recompute();
    }
}

CDlgNational::~CDlgNational() = default;

QWidget* CDlgNational::BuildControls() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    quantity_ = ViewerCombo("nationalQuantity", QStringLiteral("表示する量"), box);
    for (int q = 0; q < kNationalQuantityCount; ++q) {
        quantity_->addItem(ToQString(QuantityLabel(static_cast<NationalQuantity>(q))));
    }
    tilt_ = AngleSpin("nationalTilt", QStringLiteral("傾斜角"), 0, 90, box);
    azimuth_ = AngleSpin("nationalAzimuth", QStringLiteral("方位角"), 0, 359, box);
    azimuth_->setWrapping(true);
    variant_ = ViewerCombo("nationalVariant", QStringLiteral("標準年"), box);
    for (int v = 0; v < kYearVariantCount; ++v) {
        variant_->addItem(ToQString(YearVariantLabel(v)));
    }
    month_ = ViewerMonthList(box);
    month_->setObjectName(QStringLiteral("nationalMonth"));
    method_ = ViewerCombo("nationalMethod", QStringLiteral("計算方法"), box);
    method_->addItems({QStringLiteral("時別計算"), QStringLiteral("月別計算")});
    block_ = ViewerCombo("nationalBlock", QStringLiteral("表示範囲"), box);
    block_->addItem(QStringLiteral("全国"));
    for (int b = 1; b < kBlockCount; ++b) {
        block_->addItem(ToQString(session_.MapInfos()[static_cast<std::size_t>(b)].name));
    }
    form->addRow(QStringLiteral("表示する量"), quantity_);
    form->addRow(QStringLiteral("傾斜角"), tilt_);
    form->addRow(QStringLiteral("方位角（真南0°・時計回り）"), azimuth_);
    form->addRow(QStringLiteral("標準年"), variant_);
    form->addRow(QStringLiteral("月"), month_);
    form->addRow(QStringLiteral("計算方法"), method_);
    form->addRow(QStringLiteral("表示範囲"), block_);
    status_ = new QLabel(box);
    status_->setObjectName(QStringLiteral("nationalStatus"));
    status_->setWordWrap(true);
    form->addRow(status_);
    for (QComboBox* combo : {quantity_, variant_, month_, method_}) {
        connect(combo, &QComboBox::currentIndexChanged, this, &CDlgNational::Recompute);
    }
    for (QSpinBox* spin : {tilt_, azimuth_}) {
        connect(spin, &QSpinBox::valueChanged, this, &CDlgNational::Recompute);
    }
    connect(block_, &QComboBox::currentIndexChanged, this, [this] {
        Compose();
        FillRanking();
    });
    return box;
}

QWidget* CDlgNational::BuildRanking() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    ranking_ = new QTableWidget(0, 4, box);
    ranking_->setObjectName(QStringLiteral("nationalRanking"));
    ranking_->setAccessibleName(QStringLiteral("順位"));
    ranking_->setHorizontalHeaderLabels({QStringLiteral("順位"), QStringLiteral("地点"),
                                         QStringLiteral("エリア"), QStringLiteral("値")});
    ranking_->verticalHeader()->hide();
    ranking_->verticalHeader()->setDefaultSectionSize(20);
    ranking_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ranking_->setSelectionBehavior(QAbstractItemView::SelectRows);
    ranking_->setSelectionMode(QAbstractItemView::SingleSelection);
    ranking_->horizontalHeader()->setStretchLastSection(true);
    ranking_->setMinimumWidth(420);
    column->addWidget(ranking_, 1);
    connect(ranking_, &QTableWidget::cellClicked, this, [this](int row) {
        const QVariant site = ranking_->item(row, 0)->data(Qt::UserRole);
        ChooseSite(site.value<qulonglong>());
    });
    auto* viewers = new QHBoxLayout;
    auto* hourly = Button("nationalHourly", QStringLiteral("HORIXで表示"), box);
    auto* monthly = Button("nationalMonthly", QStringLiteral("KALVERAで表示"), box);
    viewers->addWidget(hourly);
    viewers->addWidget(monthly);
    column->addLayout(viewers);
    auto* outputs = new QHBoxLayout;
    auto* print = Button("nationalPrint", QStringLiteral("印刷"), box);
    auto* csv = Button("nationalCsv", QStringLiteral("CSVで保存"), box);
    auto* geojson = Button("nationalGeoJson", QStringLiteral("GeoJSONで保存"), box);
    auto* close = Button("1", QStringLiteral("閉じる"), box);
    for (QPushButton* button : {print, csv, geojson, close}) {
        outputs->addWidget(button);
    }
    column->addLayout(outputs);
    connect(hourly, &QPushButton::clicked, this, [this] { openViewer_(true); });
    connect(monthly, &QPushButton::clicked, this, [this] { openViewer_(false); });
    connect(print, &QPushButton::clicked, this, &CDlgNational::PrintMap);
    connect(csv, &QPushButton::clicked, this, &CDlgNational::SaveCsv);
    connect(geojson, &QPushButton::clicked, this, &CDlgNational::SaveGeoJson);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return box;
}

int CDlgNational::Block() const {
    return std::max(0, block_->currentIndex());
}

NationalRequest CDlgNational::RequestOfControls() const {
    NationalRequest request;
    request.quantity = static_cast<NationalQuantity>(std::max(0, quantity_->currentIndex()));
    request.tiltDeg = tilt_->value();
    request.azimuthDeg = azimuth_->value();
    request.variant = static_cast<YearVariant>(std::max(0, variant_->currentIndex()));
    request.month = month_->currentIndex() + 1;
    request.method = static_cast<YieldMethod>(std::max(0, method_->currentIndex()));
    return request;
}

void CDlgNational::ShowRequestInControls(const NationalRequest& request) {
    quiet_ = true;
    quantity_->setCurrentIndex(static_cast<int>(request.quantity));
    tilt_->setValue(request.tiltDeg);
    azimuth_->setValue(request.azimuthDeg);
    variant_->setCurrentIndex(static_cast<int>(request.variant));
    month_->setCurrentIndex(request.month - 1);
    method_->setCurrentIndex(static_cast<int>(request.method));
    const NationalQuantity q = request.quantity;
    const bool plane = q != NationalQuantity::OptimumTilt;
    tilt_->setEnabled(plane);
    azimuth_->setEnabled(plane);
    variant_->setEnabled(q == NationalQuantity::Poa ||
                         ((q == NationalQuantity::Yield || q == NationalQuantity::Pr) &&
                          request.method == YieldMethod::Hourly));
    month_->setEnabled(q == NationalQuantity::Monthly);
    method_->setEnabled(q == NationalQuantity::Yield || q == NationalQuantity::Pr);
    quiet_ = false;
}

void CDlgNational::Recompute() {
    if (quiet_) {
        return;
    }
    const NationalRequest request = RequestOfControls();
    auto cached = cache_.find(request.Key());
    if (cached == cache_.end()) {
        const YieldSources sources{session_.MapFolder(), session_.HourlyFolder(),
                                   session_.MonthlyFolder()};
        const std::vector<CAmedasPoint> sites = session_.Sites();
        const MapInfoTable& areas = session_.MapInfos();
        WorkProgress progress;
        NationalMap computed;
        const bool complete = CurrentPlatform().RunWithProgress(
            this,
            QStringLiteral("全地点の%1を計算しています...")
                .arg(ToQString(QuantityLabel(request.quantity))),
            progress, [&] {
                computed =
                    ComputeNationalMap(sources, sites, areas, request, progress, WorkerThreads());
            });
        if (!complete || !computed.complete) {
            ShowRequestInControls(shown_.request); // the map shown stays what they name
            return;
        }
        cached = cache_.emplace(request.Key(), std::move(computed)).first;
    }
    shown_ = cached->second;
    ShowRequestInControls(shown_.request);
    Compose();
    FillRanking();
}

void CDlgNational::Compose() {
    const int block = Block();
    if (block != pictureBlock_) {
        picture_ = LoadPictureFile(ToQString(MapPicturePath(session_.MapFolder(), block)));
        pictureBlock_ = block;
    }
    const CMapInfo& place = session_.MapInfos()[static_cast<std::size_t>(block)];
    layout_ = ComposeNationalLayout(shown_, block, place.bounds, block == 0 ? "全国" : place.name);
    pane_->Show(layout_, picture_);
    pane_->SetCurrent(CurrentSite());
    std::size_t missing = 0;
    for (const SiteValue& site : shown_.sites) {
        missing += site.value ? 0 : 1;
    }
    QString text = missing == 0 ? QStringLiteral("%1地点").arg(shown_.sites.size())
                                : QStringLiteral("%1地点（うち%2地点はデータを読み込めません）")
                                      .arg(shown_.sites.size())
                                      .arg(missing);
    if (block != 0) {
        text = QStringLiteral("%1の%2地点を順位付け（CSV・GeoJSONは全国の")
                   .arg(ToQString(place.name))
                   .arg(layout_.markers.size()) +
               text + QStringLiteral("）");
    }
    status_->setText(text);
}

void CDlgNational::FillRanking() {
    ranking_->setSortingEnabled(false);
    // A block ranks the sites on its map.
    std::vector<std::size_t> order = RankingOrder(shown_);
    if (Block() != 0) {
        std::vector<bool> onMap(shown_.sites.size(), false);
        for (const NationalMarker& marker : layout_.markers) {
            onMap[marker.site] = true;
        }
        std::erase_if(order, [&onMap](std::size_t site) { return !onMap[site]; });
    }
    ranking_->setRowCount(static_cast<int>(order.size()));
    for (std::size_t row = 0; row < order.size(); ++row) {
        const SiteValue& site = shown_.sites[order[row]];
        const int r = static_cast<int>(row);
        auto* rank = new NumberItem(QString::number(r + 1), r + 1);
        rank->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(order[row]));
        ranking_->setItem(r, 0, rank);
        ranking_->setItem(r, 1, new QTableWidgetItem(ToQString(site.name)));
        ranking_->setItem(r, 2, new QTableWidgetItem(ToQString(site.areaName)));
        ranking_->setItem(
            r, 3,
            new NumberItem(ToQString(FormatQuantity(shown_.request.quantity, *site.value)),
                           *site.value));
    }
    ranking_->setSortingEnabled(true);
    ranking_->sortItems(0, Qt::AscendingOrder);
    ranking_->resizeColumnsToContents();
    SelectRankingRow(CurrentSite()); // the rows moved: the highlight follows the site
}

std::optional<std::size_t> CDlgNational::CurrentSite() const {
    for (std::size_t i = 0; i < shown_.sites.size(); ++i) {
        if (shown_.sites[i].siteNumber == session_.Selection().siteNumber) {
            return i;
        }
    }
    return std::nullopt;
}

void CDlgNational::SelectRankingRow(std::optional<std::size_t> site) {
    ranking_->clearSelection();
    for (int row = 0; site && row < ranking_->rowCount(); ++row) {
        if (ranking_->item(row, 0)->data(Qt::UserRole).value<qulonglong>() == *site) {
            ranking_->selectRow(row);
            ranking_->scrollToItem(ranking_->item(row, 0));
        }
    }
}

void CDlgNational::ChooseSite(std::size_t site) {
    if (site >= shown_.sites.size()) {
        return;
    }
    AppSelection& selection = session_.Selection();
    selection.siteNumber = shown_.sites[site].siteNumber;
    selection.areaCode = shown_.sites[site].areaCode;
    pane_->SetCurrent(site);
    SelectRankingRow(site);
}

void CDlgNational::PrintMap() {
    PrintRequest request;
    request.documentName = QStringLiteral("全国マップ");
    request.singlePageOnly = true;
    std::unique_ptr<QPrinter> printer = CurrentPlatform().ChoosePrinter(this, request);
    if (!printer) {
        return;
    }
    PrintStatus status = PrintStatus::NotStarted;
    {
        WaitCursor wait;
        status = PrintGraphPage(*printer, [this](QPainter& p, int pageWidth, int pageHeight) {
            const PrintGeometry geometry =
                ComputePrintGeometry(pageWidth, pageHeight, kNationalWidth, kNationalHeight);
            const double scale = static_cast<double>(geometry.graph.Width()) / kNationalWidth;
            p.translate(geometry.graph.left, geometry.graph.top);
            p.scale(scale, scale);
            pane_->PaintPicture(p);
        });
    }
    ReportPrint(this, status, false);
}

void CDlgNational::SaveText(const std::string& name, const std::string& text, bool json) {
    const std::optional<QString> path =
        ChooseExportFile(CurrentPlatform(), this,
                         ExportFileRequest(name, json ? FileFilter::GeoJson : FileFilter::Csv));
    if (!path) {
        return;
    }
    WaitCursor wait;
    const WriteStatus status = WriteAtomically(path->toStdString(), text);
    if (status != WriteStatus::Completed) {
        CurrentPlatform().ShowMessage(this, ToQString(WriteStatusMessage(status)));
    }
}

void CDlgNational::SaveCsv() {
    SaveText(std::string("national_") + QuantityName(shown_.request.quantity) + ".csv",
             NationalCsv(shown_), false);
}

void CDlgNational::SaveGeoJson() {
    SaveText(std::string("national_") + QuantityName(shown_.request.quantity) + ".geojson",
             NationalGeoJson(shown_), true);
}

} // namespace quorvane

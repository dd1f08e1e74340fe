#include "map/dlg_map.h"

#include "data/app_session.h"
#include "map/dlg_kensaku.h"
#include "map/find_site_panel.h"
#include "map/map_pictures.h"
#include "map/mesh_layer.h"
#include "ui/app_style.h"
#include "ui/hover_bitmap_button.h"
#include "ui/image.h"
#include "ui/my_list_box.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace quorvane {

namespace {

constexpr int kPaneLeft = 10;
constexpr int kPaneTop = 40;
constexpr int kColumnLeft = kPaneLeft + kMapPaneWidthPx + 14;
constexpr int kListTop = kPaneTop + 18;
constexpr int kListWidth = 160;
constexpr int kWideListWidth = 240;
constexpr int kListHeight = 300;
constexpr int kBalloonMs = 500;
constexpr int kSlideTickMs = 1;

CHoverBitmapButton* MakeButton(const char* id, const QString& text, int normal, int hover,
                               QWidget* parent) {
    auto* button = new CHoverBitmapButton(parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setText(text);
    button->LoadBitmaps(normal, hover);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeField(const char* id, const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(id));
    edit->setAccessibleName(name);
    edit->setReadOnly(true);
    return edit;
}

QLabel* MakeLabel(const char* id, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(id));
    return label;
}

// Refills a list only when its lines changed, so that a click or double-click on
// it is not lost to a refill it caused itself.
void FillList(CMyListBox& list, const std::vector<ListLine>& lines, int current) {
    bool same = list.count() == static_cast<int>(lines.size());
    for (int i = 0; same && i < list.count(); ++i) {
        same = list.item(i)->text() == ToQString(lines[static_cast<std::size_t>(i)].text);
    }
    if (!same) {
        list.clear();
        for (const ListLine& line : lines) {
            list.addItem(ToQString(line.text));
        }
    }
    if (list.ChosenLine() != current) {
        list.setCurrentRow(current);
    }
}

QPoint Local(const QMouseEvent* event) {
    return event->position().toPoint();
}

} // namespace

// Pane

MapPane::MapPane(CDlgMap& dialog) : QWidget(&dialog), dialog_(dialog) {
    setObjectName(QStringLiteral("1000"));
    // The pane takes the first focus, so the arrow keys do not start in a list.
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(kMapPaneWidthPx, kMapPaneHeightPx);
    setMouseTracking(true);
}

void MapPane::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), dialog_.PaneImage());
}

void MapPane::mouseMoveEvent(QMouseEvent* event) {
    dialog_.PaneMouseMove(Local(event));
}

void MapPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dialog_.PaneMousePress(Local(event));
    }
}

void MapPane::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dialog_.PaneMouseRelease(Local(event));
    }
}

void MapPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dialog_.PaneDoubleClick(Local(event));
    }
}

void MapPane::leaveEvent(QEvent* event) {
    dialog_.PaneLeave();
    QWidget::leaveEvent(event);
}

// Dialog

CDlgMap::CDlgMap(AppSession& appData, const AreaOutlineTable& outlines, QWidget* parent)
    : QDialog(parent), appData_(appData),
      model_(MapCatalogue{appData.MapInfos(), appData.Sites(), outlines, appData.MapFolder()}),
      styles_(MapStyles::Make()), pictures_(MapPictures::LoadMarkersAndArrows()),
      pane_(new MapPane(*this)), areaList_(new CMyListBox(this)), siteList_(new CMyListBox(this)),
      areaLabel_(MakeLabel("1054", QStringLiteral("エリア"), this)),
      siteLabel_(MakeLabel("1055", QStringLiteral("地点"), this)),
      title_(MakeLabel("1075", QString(), this)), prompt_(MakeLabel("1048", QString(), this)),
      latitude_(MakeField("1013", QStringLiteral("マウス位置の緯度"), this)),
      longitude_(MakeField("1015", QStringLiteral("マウス位置の経度"), this)),
      mouseMesh_(MakeField("1011", QStringLiteral("マウス位置の３次メッシュ"), this)),
      selectedMesh_(MakeField("1041", QStringLiteral("選択した３次メッシュ"), this)),
      sheetName_(MakeField("1012", QStringLiteral("地形図の図名"), this)),
      meshButton_(MakeButton("1040", QStringLiteral("1Kmメッシュ地図へ"), 300, 301, this)),
      areaButton_(MakeButton("1037", QStringLiteral("エリア別地図へ"), 302, 303, this)),
      backButton_(MakeButton("1033", QStringLiteral("全国地図へ戻る"), 304, 305, this)),
      addressButton_(MakeButton("1038", QStringLiteral("住所検索"), 308, 309, this)),
      facilityButton_(MakeButton("1039", QStringLiteral("施設・地名検索"), 310, 311, this)),
      okButton_(MakeButton("1", QStringLiteral("この地点のグラフを表示"), 312, 313, this)),
      cancelButton_(MakeButton("2", QStringLiteral("キャンセル"), 316, 317, this)),
      finder_(new FindSitePanel(appData, this)) {
    setObjectName(QStringLiteral("CDlgMap"));
    setWindowTitle(QStringLiteral("地点選択"));
    UseDialogBackground(*this);
    setFixedSize(kColumnLeft + 2 * kListWidth + 8 + 12, kPaneTop + kMapPaneHeightPx + 40);

    areaList_->setObjectName(QStringLiteral("1031"));
    siteList_->setObjectName(QStringLiteral("1032"));
    areaList_->setAccessibleName(QStringLiteral("エリア"));
    siteList_->setAccessibleName(QStringLiteral("地点"));
    title_->setFont(CreatePixelFont(GothicFace(), FontStyle::Regular, 19));
    title_->setGeometry(kPaneLeft, 8, kMapPaneWidthPx, 28);
    pane_->move(kPaneLeft, kPaneTop);
    finder_->Field()->setGeometry(kColumnLeft, 10, 2 * kListWidth + 8, 24);
    finder_->Results()->setGeometry(kColumnLeft, kPaneTop, 2 * kListWidth + 8,
                                    kListTop + kListHeight - kPaneTop);
    prompt_->setGeometry(kPaneLeft, kPaneTop + kMapPaneHeightPx + 8, kMapPaneWidthPx, 20);

    int y = kListTop + kListHeight + 14;
    for (CHoverBitmapButton* button :
         {backButton_, areaButton_, meshButton_, addressButton_, facilityButton_}) {
        button->move(kColumnLeft, y);
        y += button == meshButton_ ? 40 : 30;
    }
    auto* info = new QGroupBox(QStringLiteral("マウス位置"), this);
    info->setObjectName(QStringLiteral("1045"));
    info->setGeometry(kColumnLeft + 160, kListTop + kListHeight + 8, 166, 74);
    MakeLabel("1046", QStringLiteral("緯度："), info)->setGeometry(8, 20, 40, 20);
    MakeLabel("1047", QStringLiteral("経度："), info)->setGeometry(8, 46, 40, 20);
    latitude_->setParent(info);
    longitude_->setParent(info);
    latitude_->setGeometry(48, 20, 110, 20);
    longitude_->setGeometry(48, 46, 110, 20);
    // Kept for tools and tests; the program shows them nowhere.
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             mouseMesh_, selectedMesh_, sheetName_,
             MakeLabel("1043", QStringLiteral("マウス位置の３次メッシュ："), this),
             MakeLabel("1042", QStringLiteral("選択した３次メッシュ："), this),
             MakeLabel("1044", QStringLiteral("地形図の図名："), this)}) {
        hidden->hide();
    }
    okButton_->move(kColumnLeft, height() - 10 - okButton_->height() - 36);
    cancelButton_->move(kColumnLeft + 208, okButton_->y());

    connect(backButton_, &QPushButton::clicked, this, &CDlgMap::GoBack);
    connect(areaButton_, &QPushButton::clicked, this, &CDlgMap::GoToAreaMap);
    connect(meshButton_, &QPushButton::clicked, this, &CDlgMap::ToggleMeshPicking);
    connect(addressButton_, &QPushButton::clicked, this, &CDlgMap::AddressSearch);
    connect(facilityButton_, &QPushButton::clicked, this, &CDlgMap::FacilitySearch);
    connect(okButton_, &QPushButton::clicked, this, &CDlgMap::AcceptSelection);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(finder_, &FindSitePanel::Chosen, this, &CDlgMap::ChooseFound);
    connect(finder_, &FindSitePanel::ResultsShownChanged, this, [this] { SyncControls(); });
    connect(areaList_, &CMyListBox::LineChosen, this, [this](int row) {
        if (!syncingLists_) {
            Apply(model_.SelectAreaLine(row));
        }
    });
    connect(siteList_, &CMyListBox::LineChosen, this, [this](int row) {
        if (!syncingLists_) {
            Apply(model_.SelectSiteLine(row));
        }
    });
    connect(areaList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        Apply(model_.DoubleClickAreaLine(areaList_->row(item)));
    });
    connect(siteList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        Apply(model_.DoubleClickSiteLine(siteList_->row(item)));
    });

    Platform& platform = CurrentPlatform();
    balloonTimer_ = platform.CreateTimer([this] {
        balloonTimer_->Stop();
        model_.SetBalloon(false);
        RedrawOverlay();
    });
    slideTimer_ = platform.CreateTimer([this] { SlideTick(); });
    pane_->setFocus();
    Open();
}

void CDlgMap::showEvent(QShowEvent* event) {
    const QRect work = CurrentPlatform().WorkArea(this);
    move(work.center() - QPoint(width() / 2, height() / 2));
    pane_->setFocus();
    QDialog::showEvent(event);
}

CDlgMap::~CDlgMap() = default;

void CDlgMap::Open() {
    const AppSelection& selection = appData_.Selection();
    model_.Open(selection.siteNumber, selection.areaCode);
    if (selection.siteNumber < 0) {
        model_.SetBalloon(true);
        balloonTimer_->Start(kBalloonMs);
    }
    RefreshFromModel();
}

void CDlgMap::SetPrintMode(bool printMode) {
    model_.SetPrintMode(printMode);
    okButton_->LoadBitmaps(printMode ? 314 : 312, printMode ? 315 : 313);
    okButton_->setText(printMode ? QStringLiteral("この地点を印刷対象にする")
                                 : QStringLiteral("この地点のグラフを表示"));
    if (printMode) {
        model_.SetBalloon(true);
        balloonTimer_->Start(kBalloonMs);
    }
    RedrawOverlay();
}

// Drawing

void CDlgMap::LoadPicture() {
    const std::string& folder = appData_.MapFolder();
    const std::string path = model_.Level() == MapLevel::Mesh
                                 ? SheetPicturePath(folder, model_.Sheet())
                                 : MapPicturePath(folder, model_.Record());
    pictures_.map = LoadPictureFile(ToQString(path));
}

void CDlgMap::RedrawBase() {
    // At the screen's pixel ratio: the lines, markers and labels stay sharp; the map
    // picture, raster by nature, is scaled smoothly.
    const qreal ratio = pane_->devicePixelRatioF();
    QImage base(qRound(kMapPaneWidthPx * ratio), qRound(kMapPaneHeightPx * ratio),
                QImage::Format_ARGB32_Premultiplied);
    base.setDevicePixelRatio(ratio);
    {
        QPainter p(&base);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        if (model_.Sliding()) {
            PaintSlidingBase(p, model_, base_, pictures_.map, styles_);
        } else {
            PaintMapBase(p, model_, pictures_, styles_);
        }
    }
    if (!model_.Sliding()) {
        base_ = base;
    }
    composed_ = base;
    QPainter p(&composed_);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (!model_.Sliding()) {
        PaintMapOverlay(p, model_, pictures_, styles_);
    }
    p.end();
    pane_->update();
}

void CDlgMap::RedrawOverlay() {
    if (model_.Sliding() || base_.isNull()) {
        return;
    }
    composed_ = base_;
    QPainter p(&composed_);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    PaintMapOverlay(p, model_, pictures_, styles_);
    p.end();
    pane_->update();
}

// Controls

void CDlgMap::SyncControls() {
    const MapControls c = model_.Controls();
    title_->setText(ToQString(c.title));
    prompt_->setText(ToQString(c.prompt));
    pane_->setAccessibleName(ToQString(c.paneName));
    const CAmedasPoint* site = appData_.SiteAt(model_.SelectedSite());
    pane_->setAccessibleDescription(
        site == nullptr ? ToQString(c.prompt)
                        : ToQString(c.prompt) +
                              QStringLiteral("（選択中の地点：%1）").arg(ToQString(site->name)));
    backButton_->setEnabled(c.backEnabled);
    if (c.backToNational) {
        backButton_->LoadBitmaps(304, 305);
        backButton_->setText(QStringLiteral("全国地図へ戻る"));
    } else {
        backButton_->LoadBitmaps(306, 307);
        backButton_->setText(QStringLiteral("ブロック地図へ戻る"));
    }
    areaButton_->setEnabled(c.areaMapEnabled);
    meshButton_->setEnabled(c.meshEnabled);
    okButton_->setEnabled(c.okEnabled);
    areaList_->setEnabled(c.areaListEnabled);
    siteList_->setEnabled(c.siteListEnabled);
    if (!c.areaListShown && areaList_->hasFocus()) {
        pane_->setFocus(); // a hidden list keeps no focus
    }
    // The search field's matches stand where the lists are.
    const bool finding = finder_->ResultsShown();
    areaList_->setVisible(c.areaListShown && !finding);
    areaLabel_->setVisible(c.areaListShown && !finding);
    siteList_->setVisible(!finding);
    siteLabel_->setVisible(!finding);
    areaLabel_->setGeometry(kColumnLeft, kPaneTop, kListWidth, 16);
    areaList_->setGeometry(kColumnLeft, kListTop, kListWidth, kListHeight);
    if (c.areaListShown) {
        siteLabel_->setGeometry(kColumnLeft + kListWidth + 8, kPaneTop, kListWidth, 16);
        siteList_->setGeometry(kColumnLeft + kListWidth + 8, kListTop, kListWidth, kListHeight);
    } else {
        siteLabel_->setGeometry(kColumnLeft, kPaneTop, kWideListWidth, 16);
        siteList_->setGeometry(kColumnLeft, kListTop, kWideListWidth, kListHeight);
    }
    selectedMesh_->setText(model_.SelectedMesh() > 0 ? QString::number(model_.SelectedMesh())
                                                     : QString());
}

void CDlgMap::SyncLists() {
    syncingLists_ = true;
    FillList(*areaList_, model_.AreaLines(), model_.SelectedAreaLine());
    FillList(*siteList_, model_.SiteLines(), model_.SelectedSiteLine());
    syncingLists_ = false;
}

void CDlgMap::ShowMouseInformation(QPoint at) {
    const auto info = model_.MouseInformation(at.x(), at.y());
    if (!info) {
        return;
    }
    latitude_->setText(ToQString(FormatDMS(info->latDeg)));
    longitude_->setText(ToQString(FormatDMS(info->lonDeg)));
    mouseMesh_->setText(QString::number(info->mesh3));
    if (model_.Level() != MapLevel::National) {
        sheetName_->setText(ToQString(LookupSheetName(info->lonDeg, info->latDeg)));
    }
}

// Actions

void CDlgMap::Apply(const MapCommand& command) {
    if (command.action == MapAction::None) {
        return;
    }
    if (command.waitMs > 0) {
        WaitCursor wait;
        CurrentPlatform().Pause(command.waitMs);
    }
    switch (command.action) {
    case MapAction::None:
        return;
    case MapAction::Redraw:
        break;
    case MapAction::OpenNational:
        OpenNational();
        return;
    case MapAction::OpenBlock:
        OpenBlock(command.target);
        return;
    case MapAction::OpenArea:
        OpenArea(command.target);
        return;
    case MapAction::OpenSheet:
        OpenSheet(command.target);
        return;
    case MapAction::Slide:
        StartSlide(static_cast<ArrowDirection>(command.target));
        return;
    case MapAction::Accept:
        AcceptSelection();
        return;
    }
    SyncControls();
    SyncLists();
    RedrawBase();
}

void CDlgMap::OpenNational() {
    model_.OpenNational();
    RefreshFromModel();
}

void CDlgMap::OpenBlock(int block) {
    model_.OpenBlock(block);
    RefreshFromModel();
}

void CDlgMap::OpenArea(int area) {
    model_.OpenArea(area);
    RefreshFromModel();
}

void CDlgMap::OpenSheet(int sheet) {
    WaitCursor wait;
    model_.OpenSheet(sheet);
    RefreshFromModel();
}

void CDlgMap::RefreshFromModel() {
    LoadPicture();
    SyncControls();
    SyncLists();
    RedrawBase();
}

bool CDlgMap::StartSlide(ArrowDirection direction) {
    if (!model_.StartSlide(direction)) {
        return false;
    }
    LoadPicture(); // base_ keeps the old sheet's image while it slides out
    slideTimer_->Start(kSlideTickMs);
    return true;
}

void CDlgMap::SlideTick() {
    if (model_.SlideStep()) {
        RedrawBase();
        return;
    }
    slideTimer_->Stop();
    RefreshFromModel();
}

void CDlgMap::PaneMouseMove(QPoint at) {
    if (acceptedSite_ != kNone) {
        return;
    }
    model_.MouseMove(at.x(), at.y());
    ShowMouseInformation(at);
    if (model_.Level() == MapLevel::Mesh) {
        const int arrow = model_.HoveredArrow();
        static const QString kTips[] = {QStringLiteral("左の図へ"), QStringLiteral("右の図へ"),
                                        QStringLiteral("下の図へ"), QStringLiteral("上の図へ")};
        pane_->setToolTip(arrow >= 0 ? kTips[arrow] : QString());
    }
    RedrawOverlay();
}

void CDlgMap::PaneMousePress(QPoint at) {
    if (acceptedSite_ != kNone) {
        return;
    }
    model_.MouseDown(at.x(), at.y());
    RedrawOverlay();
}

void CDlgMap::PaneMouseRelease(QPoint at) {
    if (acceptedSite_ == kNone) {
        Apply(model_.MouseUp(at.x(), at.y()));
    }
}

void CDlgMap::PaneDoubleClick(QPoint at) {
    if (acceptedSite_ == kNone) {
        Apply(model_.DoubleClick(at.x(), at.y()));
    }
}

void CDlgMap::PaneLeave() {
    if (acceptedSite_ != kNone) {
        return;
    }
    model_.MouseLeave();
    pane_->setToolTip(QString());
    RedrawOverlay();
}

void CDlgMap::GoBack() {
    Apply(model_.Back());
}

void CDlgMap::GoToAreaMap() {
    Apply(model_.AreaMap());
}

void CDlgMap::ToggleMeshPicking() {
    model_.ToggleSheetPicking();
    SyncControls();
    RedrawOverlay();
}

void CDlgMap::RunSearch(QDialog& search, const SearchResult& result) {
    if (CurrentPlatform().RunModal(search) != QDialog::Accepted) {
        return;
    }
    if (!model_.OpenSearchResult(result.name, result.lonDeg, result.latDeg)) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("検索箇所が不明です。"));
        return;
    }
    RefreshFromModel();
}

void CDlgMap::AddressSearch() {
    CDlgKensaku1 search(appData_.MapFolder(), this);
    RunSearch(search, search.Result());
}

void CDlgMap::FacilitySearch() {
    CDlgKensaku2 search(appData_.MapFolder(), this);
    RunSearch(search, search.Result());
}

void CDlgMap::ChooseFound(const FoundPlace& found) {
    if (acceptedSite_ != kNone || model_.Sliding()) {
        return;
    }
    if (found.IsSite()) {
        if (!model_.SelectFoundSite(found.siteIndex)) {
            CurrentPlatform().ShowMessage(this,
                                          QStringLiteral("この地点は地図上に表示できません。"));
            return;
        }
    } else {
        WaitCursor wait;
        if (!model_.OpenSearchResult(FoundPlaceCallout(found), found.lonDeg, found.latDeg)) {
            CurrentPlatform().ShowMessage(this, QStringLiteral("検索箇所が不明です。"));
            return;
        }
    }
    model_.SetBalloon(false);
    RefreshFromModel();
}

void CDlgMap::AcceptSelection() {
    if (acceptedSite_ == kNone && model_.CanAccept()) {
        acceptedSite_ = model_.SelectedSite();
        accept();
    }
}

std::optional<int> MapSitePicker::PickSite(QWidget* parent, bool printMode) {
    CDlgMap dialog(appData_, outlines_, parent);
    dialog.SetPrintMode(printMode);
    if (CurrentPlatform().RunModal(dialog) != QDialog::Accepted || dialog.SelectedSite() < 0) {
        return std::nullopt;
    }
    return dialog.SelectedSite();
}

} // namespace quorvane

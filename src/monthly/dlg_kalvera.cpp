#include "monthly/dlg_kalvera.h"

#include "data/app_session.h"
#include "graph/graph_image.h"
#include "monthly/dlg_kalvera_table.h"
#include "monthly/monthly_graph_painter.h"
#include "monthly/monthly_print.h"
#include "ui/app_style.h"
#include "ui/dlg_digit_input.h"
#include "ui/hover_bitmap_button.h"
#include "ui/image.h"
#include "ui/message_box_reporter.h"
#include "ui/platform.h"
#include "ui/site_lists.h"
#include "ui/site_picker.h"
#include "ui/text.h"
#include "ui/viewer_controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

namespace quorvane {

namespace {

constexpr int kGraphWidth = 840;
constexpr int kGraphHeight = 560;
constexpr int kSelectorWidth = 240;
constexpr int kSelectorHeight = 212;
constexpr int kTiltStep = 10;
constexpr int kAzimuthStep = 15;
constexpr int kFixedAzimuthTilt = 30;

bool HasOwnAngles(MonthlyAngleMode mode) {
    return mode == MonthlyAngleMode::FixedTilt || mode == MonthlyAngleMode::FixedAzimuth ||
           mode == MonthlyAngleMode::Orientation;
}

} // namespace

int MonthlyDefaultTilt(bool found, double latitudeDeg) {
    return found ? static_cast<int>((latitudeDeg + 5.0) / 10.0) * 10 : 30;
}

int SnapMonthlyTilt(int value) {
    const int clamped = std::clamp(value, 0, 90);
    return kTiltStep * static_cast<int>(static_cast<double>(clamped) / kTiltStep + 0.5);
}

int SnapMonthlyAzimuth(int value, int storedAzimuth) {
    const int clamped = std::clamp(value, -180, 180);
    const int magnitude =
        kAzimuthStep *
        static_cast<int>(static_cast<double>(std::abs(clamped)) / kAzimuthStep + 0.5);
    int result = clamped >= 0 ? magnitude : -magnitude;
    if (storedAzimuth < 0) {
        result = -result; // the edit shows a magnitude: the east/west side stays
    }
    return result;
}

CDlgKalvera::CDlgKalvera(AppSession& session, SitePicker& sites, QWidget* parent)
    : QDialog(parent), session_(session), sites_(sites),
      record_(std::make_unique<MonthlyRecord>()) {
    setObjectName(QStringLiteral("CDlgKalvera"));
    setWindowTitle(QStringLiteral("KALVERA-11"));
    UseDialogBackground(*this);
    BuildControls();

    AppSelection& selection = session_.Selection();
    if (selection.siteNumber < 0) {
        const std::optional<int> picked = sites_.PickSite(this, false);
        const CAmedasPoint* site = picked ? session_.SiteAt(*picked) : nullptr;
        if (site == nullptr) {
            endedAtStart_ = true;
        } else {
            selection.siteNumber = site->siteNumber;
            selection.areaCode = site->areaCode;
        }
    }
    canvas_.ConstructMonthly(1);
    canvas_.SetGraphRect({0, 0, kGraphWidth, kGraphHeight});
    selector_.Init(this);
    selector_.SetSteps(kTiltStep, kAzimuthStep);
    logo_ = LoadPngResourceForDisplay(292);
    navPictures_ = LoadNavPictures();

    monthList_->blockSignals(true);
    for (int m = 1; m <= 12; ++m) {
        monthList_->addItem(QString::asprintf("%2d月", m));
    }
    monthList_->setCurrentIndex(std::clamp(selection.month, 1, 12) - 1);
    monthList_->blockSignals(false);
    FillAreaList();
    FillSiteList();
    if (!endedAtStart_ && selection.siteNumber >= 0) {
        Load();
    }
    ResetAngles();
    RebuildLegend();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

CDlgKalvera::~CDlgKalvera() = default;

void CDlgKalvera::BuildControls() {
    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(10);

    auto* leftColumn = new QWidget(this);
    leftColumn->setFixedWidth(kSelectorWidth + 4);
    auto* left = new QVBoxLayout(leftColumn);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(3);
    root->addWidget(leftColumn);

    auto* displayBox = new QGroupBox(QStringLiteral("表示データ指定"), this);
    displayGroup_ = new QButtonGroup(this);
    auto* displayLayout = new QHBoxLayout(displayBox);
    displayLayout->addWidget(
        ViewerRadio("1059", QStringLiteral("月指定"), displayGroup_, 0, displayBox));
    displayLayout->addWidget(
        ViewerRadio("1060", QStringLiteral("角度指定"), displayGroup_, 1, displayBox));
    displayLayout->addWidget(
        ViewerRadio("1067", QStringLiteral("年変動"), displayGroup_, 2, displayBox));
    left->addWidget(displayBox);

    auto* modeBox = new QGroupBox(QStringLiteral("角度指定"), this);
    modeGroup_ = new QButtonGroup(this);
    auto* modeGrid = new QGridLayout(modeBox);
    modeGrid->setVerticalSpacing(2);
    tilt0Edit_ = ViewerAngleEdit("1014", QStringLiteral("傾斜角（傾斜角指定）"), modeBox);
    azimuth1Edit_ = ViewerAngleEdit("1016", QStringLiteral("方位角（方位角指定）"), modeBox);
    tilt2Edit_ = ViewerAngleEdit("1018", QStringLiteral("傾斜角（任意の指定）"), modeBox);
    azimuth2Edit_ = ViewerAngleEdit("1024", QStringLiteral("方位角（任意の指定）"), modeBox);
    tilt0Spin_ = new UpDown("1015", QStringLiteral("傾斜角（傾斜角指定）"), modeBox);
    azimuth1Spin_ = new UpDown("1017", QStringLiteral("方位角（方位角指定）"), modeBox);
    tilt2Spin_ = new UpDown("1019", QStringLiteral("傾斜角（任意の指定）"), modeBox);
    azimuth2Spin_ = new UpDown("1025", QStringLiteral("方位角（任意の指定）"), modeBox);
    tiltLabel_ = new QLabel(QStringLiteral("傾斜角"), modeBox);
    tiltLabel_->setObjectName(QStringLiteral("1064"));
    azimuthLabel_ = new QLabel(QStringLiteral("方位角"), modeBox);
    azimuthLabel_->setObjectName(QStringLiteral("1065"));
    auto unit = [modeBox] { return new QLabel(QStringLiteral("度"), modeBox); };
    auto radio = [this, modeBox](const char* id, const char* text, int value) {
        return ViewerRadio(id, QString::fromUtf8(text), modeGroup_, value, modeBox);
    };
    modeGrid->addWidget(radio("1056", "傾斜角指定", 0), 0, 0, 1, 2);
    modeGrid->addWidget(tilt0Edit_, 0, 2);
    modeGrid->addWidget(tilt0Spin_, 0, 3);
    modeGrid->addWidget(unit(), 0, 4);
    modeGrid->addWidget(radio("1057", "方位角指定", 1), 1, 0, 1, 2);
    modeGrid->addWidget(azimuth1Edit_, 1, 2);
    modeGrid->addWidget(azimuth1Spin_, 1, 3);
    modeGrid->addWidget(unit(), 1, 4);
    modeGrid->addWidget(radio("1058", "任意の指定", 2), 2, 0, 1, 2);
    modeGrid->addWidget(tiltLabel_, 3, 1);
    modeGrid->addWidget(tilt2Edit_, 3, 2);
    modeGrid->addWidget(tilt2Spin_, 3, 3);
    modeGrid->addWidget(unit(), 3, 4);
    modeGrid->addWidget(azimuthLabel_, 4, 1);
    modeGrid->addWidget(azimuth2Edit_, 4, 2);
    modeGrid->addWidget(azimuth2Spin_, 4, 3);
    modeGrid->addWidget(unit(), 4, 4);
    modeGrid->addWidget(radio("1061", "最適傾斜角", 3), 5, 0, 1, 5);
    modeGrid->addWidget(radio("1062", "各月の最適傾斜角における日射量", 4), 6, 0, 1, 5);
    modeGrid->addWidget(radio("1063", "年間最適傾斜角における日射量", 5), 7, 0, 1, 5);
    left->addWidget(modeBox);

    selectorFrame_ = new ViewerFrame(*this, ViewerFrameOwner::Frame::Selector, "1020",
                                     QSize(kSelectorWidth, kSelectorHeight), this);
    left->addWidget(selectorFrame_);
    auto* print = ViewerButton("1070", QStringLiteral("表示中のグラフを印刷"), 235, 236, this);
    auto* table = ViewerButton("1066", QStringLiteral("データ一覧表を表示"), 239, 240, this);
    connect(print, &QPushButton::clicked, this, &CDlgKalvera::PrintGraph);
    connect(table, &QPushButton::clicked, this, &CDlgKalvera::ShowTable);
    left->addWidget(print, 0, Qt::AlignHCenter);
    left->addWidget(table, 0, Qt::AlignHCenter);
    left->addStretch();
    left->addSpacing(60); // the logo's place, drawn 70 pixels above the bottom

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    root->addLayout(right);

    auto* siteRow = new QHBoxLayout;
    areaList_ = ViewerCombo("1087", QStringLiteral("エリア名"), this);
    siteList_ = ViewerCombo("1088", QStringLiteral("地点名"), this);
    monthList_ = ViewerCombo("1085", QStringLiteral("月"), this);
    areaList_->setMinimumWidth(180);
    siteList_->setMinimumWidth(140);
    siteRow->addWidget(new QLabel(QStringLiteral("エリア名"), this));
    siteRow->addWidget(areaList_);
    siteRow->addWidget(new QLabel(QStringLiteral("地点名"), this));
    siteRow->addWidget(siteList_);
    auto* mapButton = ViewerButton("1030", QStringLiteral("地図から選択する"), 233, 234, this);
    siteRow->addWidget(mapButton);
    siteRow->addSpacing(16);
    siteRow->addWidget(monthList_);
    siteRow->addStretch();
    right->addLayout(siteRow);

    graphFrame_ = new ViewerFrame(*this, ViewerFrameOwner::Frame::Graph, "1012",
                                  QSize(kGraphWidth, kGraphHeight), this);
    right->addWidget(graphFrame_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* other = ViewerButton("2", QStringLiteral("HORIXを表示"), 231, 232, this);
    auto* menu = ViewerButton("1", QStringLiteral("メニュー画面に戻る"), 227, 228, this);
    menu->setDefault(true);
    buttons->addWidget(other);
    buttons->addWidget(menu);
    right->addLayout(buttons);

    displayGroup_->button(0)->setChecked(true);
    modeGroup_->button(0)->setChecked(true);
    for (QLineEdit* edit : {tilt0Edit_, azimuth1Edit_, tilt2Edit_, azimuth2Edit_}) {
        edit->installEventFilter(this);
    }
    connect(displayGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseDisplay(static_cast<MonthlyDisplay>(id)); });
    connect(modeGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseAngleMode(static_cast<MonthlyAngleMode>(id)); });
    connect(areaList_, &QComboBox::activated, this, &CDlgKalvera::ChooseArea);
    connect(siteList_, &QComboBox::activated, this, &CDlgKalvera::ChooseSite);
    connect(monthList_, &QComboBox::activated, this, &CDlgKalvera::ChooseMonth);
    connect(mapButton, &QPushButton::clicked, this, &CDlgKalvera::PickOnMap);
    connect(tilt0Spin_, &UpDown::stepped, this,
            [this](int step) { StepTilt(MonthlyAngleMode::FixedTilt, step); });
    connect(azimuth1Spin_, &UpDown::stepped, this,
            [this](int step) { StepAzimuth(MonthlyAngleMode::FixedAzimuth, step); });
    connect(tilt2Spin_, &UpDown::stepped, this,
            [this](int step) { StepTilt(MonthlyAngleMode::Orientation, step); });
    connect(azimuth2Spin_, &UpDown::stepped, this,
            [this](int step) { StepAzimuth(MonthlyAngleMode::Orientation, step); });
    connect(other, &QPushButton::clicked, this, &QDialog::reject);
    connect(menu, &QPushButton::clicked, this, &QDialog::accept);
}

// State

int CDlgKalvera::Tilt(MonthlyAngleMode mode) const {
    return mode == MonthlyAngleMode::Orientation ? tilt2_ : tilt0_;
}

int CDlgKalvera::StoredAzimuth(MonthlyAngleMode mode) const {
    return mode == MonthlyAngleMode::Orientation ? azimuth2_ : azimuth1_;
}

MonthlyGraphInput CDlgKalvera::GraphInput(int scale, bool print) const {
    MonthlyGraphInput in;
    const AppSelection& selection = session_.Selection();
    in.record = record_.get();
    in.loaded = loaded_;
    if (const CAmedasPoint* site = session_.SiteAt(session_.FindSiteIndex(selection.siteNumber))) {
        in.siteFound = true;
        in.siteName = site->name;
    }
    in.display = display_;
    in.angleMode = mode_;
    in.tiltDeg = graphTilt_;
    in.azimuthDeg = graphAzimuth_;
    in.month = std::clamp(selection.month, 1, 12);
    in.scale = scale;
    in.print = print;
    return in;
}

DataKind CDlgKalvera::ShownDataKind() const {
    return display_ == MonthlyDisplay::Orientation && HasOwnAngles(mode_) ? DataKind::Slope
                                                                          : DataKind::Horizontal;
}

HourlyAngleMode CDlgKalvera::SlopeAngleMode() const {
    switch (mode_) {
    case MonthlyAngleMode::FixedAzimuth:
        return HourlyAngleMode::FixedAzimuth;
    case MonthlyAngleMode::Orientation:
        return HourlyAngleMode::Orientation;
    default:
        return HourlyAngleMode::FixedTilt;
    }
}

void CDlgKalvera::Load() {
    WaitCursor wait;
    MessageBoxReporter reporter(this);
    loaded_ = LoadMonthlyData(session_.MonthlyFolder(), session_.Selection().siteNumber, *record_,
                              reporter) == LoadStatus::Ok;
}

void CDlgKalvera::ResetAngles() {
    const MonthlyGraphInput in = GraphInput();
    const CAmedasPoint* site =
        session_.SiteAt(session_.FindSiteIndex(session_.Selection().siteNumber));
    const bool placed = in.siteFound && site != nullptr && site->positionValid;
    const int tilt = MonthlyDefaultTilt(placed, placed ? site->latitudeDeg : 0.0);
    tilt0_ = tilt2_ = tilt;
    azimuth1_ = azimuth2_ = 0;
    graphAzimuth_ = 0;
    graphTilt_ = display_ == MonthlyDisplay::Orientation ? tilt : 0;
    selector_.SyncFromViewer();
}

void CDlgKalvera::SetGraphAnglesFromMode() {
    if (display_ != MonthlyDisplay::Orientation) {
        graphTilt_ = graphAzimuth_ = 0;
        return;
    }
    switch (mode_) {
    case MonthlyAngleMode::FixedTilt:
        graphTilt_ = tilt0_;
        graphAzimuth_ = 0;
        break;
    case MonthlyAngleMode::FixedAzimuth:
        graphTilt_ = kFixedAzimuthTilt;
        graphAzimuth_ = azimuth1_;
        break;
    case MonthlyAngleMode::Orientation:
        graphTilt_ = tilt2_;
        graphAzimuth_ = azimuth2_;
        break;
    default:
        graphTilt_ = kFixedAzimuthTilt;
        graphAzimuth_ = 0;
        break;
    }
}

void CDlgKalvera::FillAreaList() {
    quorvane::FillAreaList(session_, *areaList_, areaItems_);
}

void CDlgKalvera::FillSiteList() {
    quorvane::FillSiteList(session_, *siteList_, siteItems_);
}

void CDlgKalvera::RebuildLegend() {
    canvas_.Legend() =
        BuildMonthlyLegend(GraphInput(), canvas_.LocalRect(), MonthlySeriesArgb(canvas_.Styles()),
                           VariationArgb(canvas_.Styles()));
    canvas_.SetNavButtons(display_ == MonthlyDisplay::Month ? NavButtons::Months
                                                            : NavButtons::Disabled);
    canvas_.PlaceNavButtons();
}

void CDlgKalvera::UpdateEnabling() {
    const bool orientation = display_ == MonthlyDisplay::Orientation;
    monthList_->setEnabled(display_ == MonthlyDisplay::Month);
    for (QAbstractButton* radio : modeGroup_->buttons()) {
        radio->setEnabled(orientation);
    }
    const bool m0 = orientation && mode_ == MonthlyAngleMode::FixedTilt;
    const bool m1 = orientation && mode_ == MonthlyAngleMode::FixedAzimuth;
    const bool m2 = orientation && mode_ == MonthlyAngleMode::Orientation;
    tilt0Edit_->setEnabled(m0);
    tilt0Spin_->setEnabled(m0);
    azimuth1Edit_->setEnabled(m1);
    azimuth1Spin_->setEnabled(m1);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             tilt2Edit_, tilt2Spin_, azimuth2Edit_, azimuth2Spin_, tiltLabel_, azimuthLabel_}) {
        widget->setEnabled(m2);
    }
}

void CDlgKalvera::RefreshControls() {
    displayGroup_->button(ToIndex(display_))->setChecked(true);
    modeGroup_->button(ToIndex(mode_))->setChecked(true);
    tilt0Edit_->setText(QString::number(tilt0_));
    azimuth1Edit_->setText(QString::number(std::abs(azimuth1_)));
    tilt2Edit_->setText(QString::number(tilt2_));
    azimuth2Edit_->setText(QString::number(std::abs(azimuth2_)));
    monthList_->setCurrentIndex(std::clamp(session_.Selection().month, 1, 12) - 1);
    UpdateEnabling();
}

// Handlers

void CDlgKalvera::ChooseDisplay(MonthlyDisplay display) {
    display_ = display;
    ChooseAngleMode(mode_);
}

void CDlgKalvera::ChooseAngleMode(MonthlyAngleMode mode) {
    mode_ = mode;
    SetGraphAnglesFromMode();
    selector_.SyncFromViewer();
    RebuildLegend();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgKalvera::ReloadSite() {
    Load();
    ResetAngles();
    RebuildLegend();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgKalvera::ChooseArea(int item) {
    if (item < 0 || item >= static_cast<int>(areaItems_.size())) {
        return;
    }
    AppSelection& selection = session_.Selection();
    selection.areaCode = areaItems_[static_cast<std::size_t>(item)];
    selection.siteNumber = -1;
    FillSiteList();
    ReloadSite();
}

void CDlgKalvera::ChooseSite(int item) {
    if (item < 0 || item >= static_cast<int>(siteItems_.size())) {
        return;
    }
    session_.Selection().siteNumber =
        session_.SiteAt(siteItems_[static_cast<std::size_t>(item)])->siteNumber;
    ReloadSite();
}

void CDlgKalvera::PickOnMap() {
    const std::optional<int> picked = sites_.PickSite(this, false);
    const CAmedasPoint* site = picked ? session_.SiteAt(*picked) : nullptr;
    if (site == nullptr) {
        return;
    }
    AppSelection& selection = session_.Selection();
    selection.siteNumber = site->siteNumber;
    selection.areaCode = site->areaCode;
    FillAreaList();
    FillSiteList();
    ReloadSite();
}

void CDlgKalvera::ChooseMonth(int item) {
    AppSelection& selection = session_.Selection();
    selection.month = std::clamp(item + 1, 1, 12);
    selection.day = 1;
    Redraw(kRedrawGraph);
}

void CDlgKalvera::StepMonth(bool next) {
    AppSelection& selection = session_.Selection();
    const int month = std::clamp(selection.month, 1, 12);
    ChooseMonth(next ? month % 12 : (month + 10) % 12);
    RefreshControls();
}

void CDlgKalvera::EnterTilt(MonthlyAngleMode mode, int value) {
    const int tilt = SnapMonthlyTilt(value);
    (mode == MonthlyAngleMode::Orientation ? tilt2_ : tilt0_) = tilt;
    graphTilt_ = tilt;
    selector_.SyncFromViewer();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgKalvera::EnterAzimuth(MonthlyAngleMode mode, int value) {
    int& stored = mode == MonthlyAngleMode::Orientation ? azimuth2_ : azimuth1_;
    stored = SnapMonthlyAzimuth(value, stored);
    graphAzimuth_ = stored;
    selector_.SyncFromViewer();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgKalvera::StepTilt(MonthlyAngleMode mode, int step) {
    if (step == 0 || display_ != MonthlyDisplay::Orientation || mode != mode_) {
        return;
    }
    int& tilt = mode == MonthlyAngleMode::Orientation ? tilt2_ : tilt0_;
    if ((step > 0 && tilt >= 90) || (step < 0 && tilt <= 0)) {
        return;
    }
    tilt += step > 0 ? kTiltStep : -kTiltStep;
    graphTilt_ = tilt;
    selector_.SyncFromViewer();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgKalvera::StepAzimuth(MonthlyAngleMode mode, int step) {
    if (step == 0 || display_ != MonthlyDisplay::Orientation || mode != mode_) {
        return;
    }
    int& stored = mode == MonthlyAngleMode::Orientation ? azimuth2_ : azimuth1_;
    int magnitude = std::abs(stored);
    if ((step > 0 && magnitude > 180 - kAzimuthStep) || (step < 0 && magnitude < kAzimuthStep)) {
        return;
    }
    magnitude += step > 0 ? kAzimuthStep : -kAzimuthStep;
    stored = stored < 0 ? -magnitude : magnitude;
    graphAzimuth_ = stored;
    selector_.SyncFromViewer();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

bool CDlgKalvera::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn) {
        return QDialog::eventFilter(watched, event);
    }
    struct Edit {
        QLineEdit* edit;
        MonthlyAngleMode mode;
        bool tilt;
    };
    for (const Edit& e : {Edit{tilt0Edit_, MonthlyAngleMode::FixedTilt, true},
                          Edit{azimuth1Edit_, MonthlyAngleMode::FixedAzimuth, false},
                          Edit{tilt2Edit_, MonthlyAngleMode::Orientation, true},
                          Edit{azimuth2Edit_, MonthlyAngleMode::Orientation, false}}) {
        if (watched != e.edit) {
            continue;
        }
        graphFrame_->setFocus();
        CDlgDigitInput input(this);
        input.SetPosition(e.edit->mapToGlobal(QPoint(-2, -5)));
        input.SetValue(e.tilt ? Tilt(e.mode) : std::abs(StoredAzimuth(e.mode)));
        if (CurrentPlatform().RunModal(input) == QDialog::Accepted) {
            e.tilt ? EnterTilt(e.mode, input.Value()) : EnterAzimuth(e.mode, input.Value());
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Drawing

void CDlgKalvera::Redraw(int flags) {
    if (flags & kRedrawSelector) {
        selector_.Redraw({0, 0, kSelectorWidth, kSelectorHeight},
                         selectorFrame_->devicePixelRatioF());
        DescribeSelector(*selectorFrame_, graphTilt_, std::abs(graphAzimuth_));
        if (display_ == MonthlyDisplay::Orientation) {
            CopyPickerToState();
        }
        selectorFrame_->update();
    }
    if (flags & kRedrawGraph) {
        DrawGraph();
    }
    if (flags & (kRedrawHover | kRedrawPresent)) {
        graphFrame_->update();
        selectorFrame_->update();
    }
}

void CDlgKalvera::CopyPickerToState() {
    switch (mode_) {
    case MonthlyAngleMode::FixedTilt:
        tilt0_ = graphTilt_;
        break;
    case MonthlyAngleMode::FixedAzimuth:
        azimuth1_ = graphAzimuth_;
        break;
    case MonthlyAngleMode::Orientation:
        tilt2_ = graphTilt_;
        azimuth2_ = graphAzimuth_;
        break;
    default:
        return;
    }
    RefreshControls();
}

void CDlgKalvera::DrawGraph() {
    if (!canvas_.BackBufferValid() ||
        canvas_.BackBuffer().devicePixelRatio() != graphFrame_->devicePixelRatioF()) {
        canvas_.CreateBackBuffer(graphFrame_->devicePixelRatioF());
    }
    const MonthlyGraphInput in = GraphInput();
    // The legend names the angles drawn, whichever control changed them.
    std::vector<CHanreiObj> legend =
        BuildMonthlyLegend(in, canvas_.LocalRect(), MonthlySeriesArgb(canvas_.Styles()),
                           VariationArgb(canvas_.Styles()));
    CarryLegendVisibility(canvas_.Legend(), legend);
    canvas_.Legend() = std::move(legend);
    scene_ = ComputeMonthlyScene(in, canvas_.LocalRect(), canvas_.Legend());
    DescribeGraph(*graphFrame_, scene_.title, scene_.info);
    const GraphRect graph = canvas_.LocalRect();
    canvas_.SetLegendToggleRect(scene_.toggleShown ? GraphRect{graph.right - 76, graph.bottom - 50,
                                                               graph.right - 20, graph.bottom - 35}
                                                   : GraphRect{});
    canvas_.Tooltips() = scene_.tooltips;
    QPainter p(&canvas_.BackBuffer());
    CGraphCanvas::PrepareSurface(p);
    PaintMonthlyGraph(p, scene_, canvas_.Layout(), canvas_.Styles());
    if (display_ == MonthlyDisplay::Month) {
        RenderNavButtons(p, canvas_.Layout(), -1, navPictures_, canvas_.Styles());
    }
    p.end();
    graphFrame_->update();
}

void CDlgKalvera::showEvent(QShowEvent* event) {
    const QRect work = CurrentPlatform().WorkArea(this);
    move(work.center() - QPoint(width() / 2, height() / 2));
    graphFrame_->setFocus();
    QDialog::showEvent(event);
}

void CDlgKalvera::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    DrawImageNatural(p, logo_, 40, height() - 70);
}

// Printing

void CDlgKalvera::PrintGraph() {
    if (!loaded_) {
        return;
    }
    PrintRequest request;
    request.documentName = QStringLiteral("HORIX");
    request.singlePageOnly = true;
    if (std::unique_ptr<QPrinter> printer = CurrentPlatform().ChoosePrinter(this, request)) {
        WaitCursor wait;
        if (!PrintMonthlyGraph(*printer, GraphInput(), kGraphWidth, kGraphHeight,
                               canvas_.Legend())) {
            CurrentPlatform().ShowMessage(this, QStringLiteral("印刷を開始できません。"));
        }
    }
    // The screen's legend shows every entry again after printing.
    RebuildLegend();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgKalvera::ShowTable() {
    CDlgKalveraTable table(session_, sites_, this);
    CurrentPlatform().RunModal(table);
}

// Pictures of the graph

void CDlgKalvera::PaintGraphPicture(QPainter& p) const {
    GraphLayout layout = canvas_.Layout();
    layout.toggle = {};
    PaintMonthlyGraph(p, scene_, layout, canvas_.Styles());
}

void CDlgKalvera::GraphContextMenu(QPoint screenPosition) {
    RunGraphContextMenu(this, screenPosition, kGraphWidth, kGraphHeight,
                        [this](QPainter& p) { PaintGraphPicture(p); });
}

// Mouse

void CDlgKalvera::FramePaint(Frame frame, QPainter& p) {
    if (frame == Frame::Selector) {
        selector_.Present(p, {0, 0, kSelectorWidth, kSelectorHeight});
        return;
    }
    canvas_.Present(p);
    if (pressedItem_ == kHitLegendToggle) {
        canvas_.PresentWithTogglePressed(p);
    } else if (pressedItem_ >= 0 &&
               canvas_.HitTest(lastMouse_.x(), lastMouse_.y()) == pressedItem_) {
        canvas_.RedrawLegendEntry(p, pressedItem_, true);
    }
    if (hoveredNav_ >= 0 && display_ == MonthlyDisplay::Month) {
        canvas_.DrawNavButtons(p, hoveredNav_);
    }
}

void CDlgKalvera::FramePress(Frame frame, QPoint at) {
    if (frame == Frame::Selector) {
        if (display_ == MonthlyDisplay::Orientation) {
            selector_.OnMouseDown(at.x(), at.y());
        }
        return;
    }
    lastMouse_ = at;
    pressedItem_ = canvas_.HitTest(at.x(), at.y());
    graphFrame_->update();
}

void CDlgKalvera::FrameMove(Frame frame, QPoint at) {
    if (frame == Frame::Selector) {
        if (display_ == MonthlyDisplay::Orientation) {
            selector_.OnMouseMove(at.x(), at.y());
        }
        return;
    }
    lastMouse_ = at;
    const int hit = canvas_.HitTest(at.x(), at.y());
    hoveredNav_ = hit == kHitPrevious ? 0 : (hit == kHitNext ? 1 : -1);
    const int tip = FindTooltipAt(canvas_.Tooltips(), at.x(), at.y());
    if (tip >= 0) {
        QToolTip::showText(graphFrame_->mapToGlobal(at),
                           ToQString(canvas_.Tooltips()[static_cast<std::size_t>(tip)].text),
                           graphFrame_);
    } else {
        QToolTip::hideText();
    }
    Redraw(kRedrawHover);
}

void CDlgKalvera::FrameRelease(Frame frame, QPoint at) {
    if (frame == Frame::Graph) {
        lastMouse_ = at;
        const int hit = canvas_.HitTest(at.x(), at.y());
        const int pressed = pressedItem_;
        pressedItem_ = kHitNothing;
        if (hit != kHitNothing && hit == pressed) {
            if (hit == kHitPrevious || hit == kHitNext) {
                if (display_ == MonthlyDisplay::Month) {
                    StepMonth(hit == kHitNext);
                }
            } else if (hit != kHitWindLegend) {
                canvas_.ToggleLegendEntry(hit);
                Redraw(kRedrawGraph);
            }
        }
        graphFrame_->update();
    }
    selector_.EndDrag();
}

void CDlgKalvera::FrameLeft(Frame frame) {
    if (frame == Frame::Graph) {
        hoveredNav_ = -1;
        graphFrame_->update();
    }
}

void CDlgKalvera::FrameContextMenu(Frame frame, QPoint screenPosition) {
    if (frame == Frame::Graph) {
        GraphContextMenu(screenPosition);
    }
}

} // namespace quorvane

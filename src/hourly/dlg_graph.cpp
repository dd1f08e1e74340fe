#include "hourly/dlg_graph.h"

#include "data/app_session.h"
#include "graph/dlg_wind_hanrei.h"
#include "graph/graph_image.h"
#include "graph/viewer_frame.h"
#include "hourly/dlg_file_save.h"
#include "hourly/export.h"
#include "hourly/graph_print.h"
#include "hourly/hourly_graph_painter.h"
#include "solar/calendar.h"
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
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvane {

namespace {

// Wider than 1.5 : 1 the printed graph could not fill 94 % of an A4 landscape page.
constexpr int kGraphWidth = 840;
constexpr int kGraphHeight = 560;
constexpr int kSelectorWidth = 240;
constexpr int kSelectorHeight = 212;
constexpr int kAngleModeOneTilt = 30;

// The default tilt of a site: its latitude rounded, 30 when it is not in the catalogue.
int DefaultTilt(const SitePosition& site) {
    return site.found ? static_cast<int>(site.latitudeDeg + 0.5) : 30;
}

NavButtons NavOf(HourlyView view) {
    switch (view) {
    case HourlyView::Month:
        return NavButtons::Months;
    case HourlyView::IrradiationRanking:
    case HourlyView::SunshineRanking:
        return NavButtons::Disabled;
    default:
        return NavButtons::Days;
    }
}

} // namespace

// Controls

// Dialog

CDlgGraph::CDlgGraph(AppSession& appData, SitePicker& sites, QWidget* parent)
    : QDialog(parent), appData_(appData), sites_(sites), set_(std::make_unique<HourlyDataSet>()) {
    setObjectName(QStringLiteral("CDlgGraph"));
    setWindowTitle(QStringLiteral("HORIX-11"));
    UseDialogBackground(*this);
    BuildControls();

    AppSelection& selection = appData_.Selection();
    if (selection.siteNumber < 0) {
        const std::optional<int> picked = sites_.PickSite(this, false);
        const CAmedasPoint* site = picked ? appData_.SiteAt(*picked) : nullptr;
        if (site == nullptr) {
            endedAtStart_ = true;
        } else {
            selection.siteNumber = site->siteNumber;
            selection.areaCode = site->areaCode;
        }
    }
    canvas_.Construct(1);
    canvas_.SetGraphRect({0, 0, kGraphWidth, kGraphHeight});
    selector_.Init(this);
    logo_ = LoadPngResourceForDisplay(292);
    navPictures_ = LoadNavPictures();

    monthList_->blockSignals(true);
    for (int m = 1; m <= 12; ++m) {
        monthList_->addItem(QString::asprintf("%2d月", m));
    }
    monthList_->setCurrentIndex(std::clamp(selection.month, 1, 12) - 1);
    monthList_->blockSignals(false);
    FillDayList();
    FillAreaList();
    FillSiteList();
    variantGroup_->button(ToIndex(selection.yearVariant))->setChecked(true);
    if (!endedAtStart_ && selection.siteNumber >= 0) {
        Reload();
    }
    ResetAngles();
    RebuildLegend();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

CDlgGraph::~CDlgGraph() = default;

void CDlgGraph::BuildControls() {
    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(10);

    auto* leftColumn = new QWidget(this);
    leftColumn->setFixedWidth(kSelectorWidth + 4);
    auto* left = new QVBoxLayout(leftColumn);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(3);
    root->addWidget(leftColumn);

    auto* kindBox = new QGroupBox(QStringLiteral("表示データ指定"), this);
    kindGroup_ = new QButtonGroup(this);
    auto* kindLayout = new QVBoxLayout(kindBox);
    kindLayout->addWidget(
        ViewerRadio("1059", QStringLiteral("水平面データ"), kindGroup_, 0, kindBox));
    kindLayout->addWidget(
        ViewerRadio("1060", QStringLiteral("斜面日射量データ"), kindGroup_, 1, kindBox));
    left->addWidget(kindBox);

    auto* variantBox = new QGroupBox(QStringLiteral("表示要素"), this);
    variantGroup_ = new QButtonGroup(this);
    auto* variantLayout = new QHBoxLayout(variantBox);
    variantLayout->addWidget(
        ViewerRadio("1053", QStringLiteral("平均年"), variantGroup_, 0, variantBox));
    variantLayout->addWidget(
        ViewerRadio("1054", QStringLiteral("多照年"), variantGroup_, 1, variantBox));
    variantLayout->addWidget(
        ViewerRadio("1055", QStringLiteral("寡照年"), variantGroup_, 2, variantBox));
    left->addWidget(variantBox);

    auto* modeBox = new QGroupBox(QStringLiteral("日射量データの表示種類"), this);
    modeGroup_ = new QButtonGroup(this);
    auto* modeGrid = new QGridLayout(modeBox);
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
    modeGrid->addWidget(ViewerRadio("1056", QStringLiteral("傾斜角指定"), modeGroup_, 0, modeBox),
                        0, 0);
    modeGrid->addWidget(tilt0Edit_, 0, 2);
    modeGrid->addWidget(tilt0Spin_, 0, 3);
    modeGrid->addWidget(unit(), 0, 4);
    modeGrid->addWidget(ViewerRadio("1057", QStringLiteral("方位角指定"), modeGroup_, 1, modeBox),
                        1, 0);
    modeGrid->addWidget(azimuth1Edit_, 1, 2);
    modeGrid->addWidget(azimuth1Spin_, 1, 3);
    modeGrid->addWidget(unit(), 1, 4);
    modeGrid->addWidget(ViewerRadio("1058", QStringLiteral("任意の指定"), modeGroup_, 2, modeBox),
                        2, 0);
    modeGrid->addWidget(tiltLabel_, 3, 1);
    modeGrid->addWidget(tilt2Edit_, 3, 2);
    modeGrid->addWidget(tilt2Spin_, 3, 3);
    modeGrid->addWidget(unit(), 3, 4);
    modeGrid->addWidget(azimuthLabel_, 4, 1);
    modeGrid->addWidget(azimuth2Edit_, 4, 2);
    modeGrid->addWidget(azimuth2Spin_, 4, 3);
    modeGrid->addWidget(unit(), 4, 4);
    left->addWidget(modeBox);

    selectorFrame_ = new ViewerFrame(*this, ViewerFrameOwner::Frame::Selector, "1020",
                                     QSize(kSelectorWidth, kSelectorHeight), this);
    left->addWidget(selectorFrame_);
    auto* print = ViewerButton("1070", QStringLiteral("表示中のグラフを印刷"), 235, 236, this);
    auto* save = ViewerButton("1071", QStringLiteral("表示中のデータを保存"), 237, 238, this);
    auto* saveYear = ViewerButton("1072", QStringLiteral("１年分のデータを保存"), 253, 254, this);
    for (QWidget* button : {static_cast<QWidget*>(print), static_cast<QWidget*>(save),
                            static_cast<QWidget*>(saveYear)}) {
        left->addWidget(button, 0, Qt::AlignHCenter);
    }
    connect(print, &QPushButton::clicked, this, &CDlgGraph::PrintGraph);
    connect(save, &QPushButton::clicked, this, [this] { SaveData(ExportKindOfView(view_)); });
    connect(saveYear, &QPushButton::clicked, this, [this] { SaveData(ExportKind::WholeYear); });
    left->addStretch();
    left->addSpacing(60); // the logo's place, drawn 70 pixels above the bottom

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    root->addLayout(right);

    auto* siteRow = new QHBoxLayout;
    areaList_ = ViewerCombo("1087", QStringLiteral("エリア名"), this);
    siteList_ = ViewerCombo("1088", QStringLiteral("地点名"), this);
    areaList_->setMinimumWidth(180);
    siteList_->setMinimumWidth(140);
    siteRow->addWidget(new QLabel(QStringLiteral("エリア名"), this));
    siteRow->addWidget(areaList_);
    siteRow->addWidget(new QLabel(QStringLiteral("地点名"), this));
    siteRow->addWidget(siteList_);
    auto* mapButton = ViewerButton("1030", QStringLiteral("地図から選択する"), 233, 234, this);
    siteRow->addWidget(mapButton);
    siteRow->addStretch();
    right->addLayout(siteRow);

    auto* viewRow = new QHBoxLayout;
    viewGroup_ = new QButtonGroup(this);
    viewRow->addWidget(ViewerRadio("1026", QStringLiteral("日別"), viewGroup_, 0, this));
    viewRow->addWidget(ViewerRadio("1010", QStringLiteral("月別"), viewGroup_, 1, this));
    viewRow->addWidget(ViewerRadio("1011", QStringLiteral("10日間"), viewGroup_, 2, this));
    monthList_ = ViewerCombo("1085", QStringLiteral("月"), this);
    dayList_ = ViewerCombo("1086", QStringLiteral("日"), this);
    viewRow->addWidget(monthList_);
    viewRow->addWidget(dayList_);
    viewRow->addSpacing(12);
    viewRow->addWidget(
        ViewerRadio("1013", QStringLiteral("日積算日射量ランキング"), viewGroup_, 3, this));
    irradiationRanking_ = ViewerCombo("1009", QStringLiteral("日積算日射量ランキング"), this);
    irradiationRanking_->setMinimumWidth(170);
    viewRow->addWidget(irradiationRanking_);
    viewRow->addWidget(
        ViewerRadio("1027", QStringLiteral("日照時間ランキング"), viewGroup_, 4, this));
    sunshineRanking_ = ViewerCombo("1022", QStringLiteral("日照時間ランキング"), this);
    sunshineRanking_->setMinimumWidth(150);
    viewRow->addWidget(sunshineRanking_);
    viewRow->addStretch();
    right->addLayout(viewRow);

    graphFrame_ = new ViewerFrame(*this, ViewerFrameOwner::Frame::Graph, "1012",
                                  QSize(kGraphWidth, kGraphHeight), this);
    right->addWidget(graphFrame_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* other = ViewerButton("2", QStringLiteral("KALVERAを表示"), 229, 230, this);
    auto* menu = ViewerButton("1", QStringLiteral("メニュー画面に戻る"), 227, 228, this);
    menu->setDefault(true);
    buttons->addWidget(other);
    buttons->addWidget(menu);
    right->addLayout(buttons);

    kindGroup_->button(0)->setChecked(true);
    modeGroup_->button(0)->setChecked(true);
    viewGroup_->button(0)->setChecked(true);
    for (QLineEdit* edit : {tilt0Edit_, azimuth1Edit_, tilt2Edit_, azimuth2Edit_}) {
        edit->installEventFilter(this);
    }
    connect(kindGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseDataKind(static_cast<DataKind>(id)); });
    connect(modeGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseAngleMode(static_cast<HourlyAngleMode>(id)); });
    connect(variantGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseVariant(static_cast<YearVariant>(id)); });
    connect(viewGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseView(static_cast<HourlyView>(id)); });
    connect(areaList_, &QComboBox::activated, this, &CDlgGraph::ChooseArea);
    connect(siteList_, &QComboBox::activated, this, &CDlgGraph::ChooseSite);
    connect(monthList_, &QComboBox::activated, this, &CDlgGraph::ChooseMonth);
    connect(dayList_, &QComboBox::activated, this, &CDlgGraph::ChooseDay);
    connect(irradiationRanking_, &QComboBox::activated, this,
            [this](int item) { ChooseRanking(false, item); });
    connect(sunshineRanking_, &QComboBox::activated, this,
            [this](int item) { ChooseRanking(true, item); });
    connect(mapButton, &QPushButton::clicked, this, &CDlgGraph::PickOnMap);
    connect(tilt0Spin_, &UpDown::stepped, this,
            [this](int step) { StepAngle(HourlyAngleMode::FixedTilt, true, step); });
    connect(azimuth1Spin_, &UpDown::stepped, this,
            [this](int step) { StepAngle(HourlyAngleMode::FixedAzimuth, false, step); });
    connect(tilt2Spin_, &UpDown::stepped, this,
            [this](int step) { StepAngle(HourlyAngleMode::Orientation, true, step); });
    connect(azimuth2Spin_, &UpDown::stepped, this,
            [this](int step) { StepAngle(HourlyAngleMode::Orientation, false, step); });
    connect(other, &QPushButton::clicked, this, &QDialog::reject);
    connect(menu, &QPushButton::clicked, this, &QDialog::accept);
}

// State

int& CDlgGraph::AngleField(HourlyAngleMode mode, bool tilt) {
    switch (mode) {
    case HourlyAngleMode::FixedTilt:
        return tilt0_;
    case HourlyAngleMode::FixedAzimuth:
        return azimuth1_;
    case HourlyAngleMode::Orientation:
        break;
    }
    return tilt ? tilt2_ : azimuth2_;
}

int CDlgGraph::TiltField(HourlyAngleMode mode) const {
    return mode == HourlyAngleMode::Orientation ? tilt2_ : tilt0_;
}

int CDlgGraph::AzimuthField(HourlyAngleMode mode) const {
    return mode == HourlyAngleMode::Orientation ? azimuth2_ : azimuth1_;
}

HourlyGraphInput CDlgGraph::GraphInput(int scale, bool print) const {
    HourlyGraphInput in;
    const AppSelection& selection = appData_.Selection();
    in.set = set_.get();
    in.loaded = loaded_;
    const int index = appData_.FindSiteIndex(selection.siteNumber);
    if (const CAmedasPoint* site = appData_.SiteAt(index)) {
        in.site = {site->positionValid, site->longitudeDeg, site->latitudeDeg, site->elevationM};
        in.siteName = site->name;
    }
    in.dataKind = kind_;
    in.view = view_;
    in.angleMode = mode_;
    in.tiltDeg = graphTilt_;
    in.azimuthDeg = graphAzimuth_;
    in.month = selection.month;
    in.day = selection.day;
    in.variant = selection.yearVariant;
    in.scale = scale;
    in.print = print;
    return in;
}

void CDlgGraph::Reload() {
    WaitCursor wait;
    const AppSelection& selection = appData_.Selection();
    MessageBoxReporter reporter(this);
    loaded_ =
        LoadHourlyData(*set_, selection.yearVariant, selection.siteNumber, appData_.HourlyFolder(),
                       appData_.MapFolder(), reporter) == LoadStatus::Ok;
    RebuildRankings();
    RefreshControls();
}

void CDlgGraph::ResetAngles() {
    const HourlyGraphInput in = GraphInput();
    tilt0_ = tilt2_ = DefaultTilt(in.site);
    azimuth1_ = azimuth2_ = 0;
    graphTilt_ = kind_ == DataKind::Slope ? DefaultTilt(in.site) : 0;
    graphAzimuth_ = 0;
    if (kind_ == DataKind::Slope) {
        SetGraphAnglesFromMode();
    }
    selector_.SyncFromViewer();
}

void CDlgGraph::SetGraphAnglesFromMode() {
    if (kind_ == DataKind::Horizontal) {
        graphTilt_ = graphAzimuth_ = 0;
        return;
    }
    switch (mode_) {
    case HourlyAngleMode::FixedTilt:
        graphTilt_ = tilt0_;
        graphAzimuth_ = 0;
        break;
    case HourlyAngleMode::FixedAzimuth:
        graphTilt_ = kAngleModeOneTilt;
        graphAzimuth_ = azimuth1_;
        break;
    case HourlyAngleMode::Orientation:
        graphTilt_ = tilt2_;
        graphAzimuth_ = azimuth2_;
        break;
    }
}

void CDlgGraph::RebuildRankings() {
    BuildRankings(*set_, appData_.Selection().month, rankings_);
    for (auto [list, texts] : {std::pair{irradiationRanking_, &rankings_.irradiationTexts},
                               std::pair{sunshineRanking_, &rankings_.sunshineTexts}}) {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const std::string& text : *texts) {
            list->addItem(ToQString(text));
        }
        list->setCurrentIndex(list->count() > 0 ? 0 : -1); // rank 1
    }
    RankingDayToCurrent();
}

void CDlgGraph::RankingDayToCurrent() {
    AppSelection& selection = appData_.Selection();
    if (view_ == HourlyView::IrradiationRanking || view_ == HourlyView::SunshineRanking) {
        const bool sunshine = view_ == HourlyView::SunshineRanking;
        const DayRanking& ranking = sunshine ? rankings_.sunshine : rankings_.irradiation;
        QComboBox* list = sunshine ? sunshineRanking_ : irradiationRanking_;
        const int item = std::max(0, list->currentIndex());
        if (item < ranking.count) {
            selection.day = ranking.days[item];
        }
    }
}

void CDlgGraph::FillDayList() {
    const AppSelection& selection = appData_.Selection();
    dayList_->blockSignals(true);
    dayList_->clear();
    const int days = appData_.DaysInMonth(selection.month);
    for (int d = 1; d <= days; ++d) {
        dayList_->addItem(QString::asprintf("%2d日", d));
    }
    dayList_->setCurrentIndex(selection.day - 1);
    dayList_->blockSignals(false);
}

void CDlgGraph::FillAreaList() {
    quorvane::FillAreaList(appData_, *areaList_, areaItems_);
}

void CDlgGraph::FillSiteList() {
    quorvane::FillSiteList(appData_, *siteList_, siteItems_);
}

void CDlgGraph::RebuildLegend() {
    const HourlyGraphInput in = GraphInput();
    canvas_.Legend() =
        BuildHourlyLegend(in, canvas_.LocalRect(), HorizontalSeriesArgb(canvas_.Styles()),
                          SlopeSeriesArgb(canvas_.Styles()));
    canvas_.SetDataKind(kind_);
    canvas_.PlaceLegendButtons();
    canvas_.SetNavButtons(NavOf(view_));
    canvas_.PlaceNavButtons();
}

void CDlgGraph::UpdateAngleEnabling() {
    const bool slope = kind_ == DataKind::Slope;
    for (QAbstractButton* radio : modeGroup_->buttons()) {
        radio->setEnabled(slope);
    }
    const bool m0 = slope && mode_ == HourlyAngleMode::FixedTilt;
    const bool m1 = slope && mode_ == HourlyAngleMode::FixedAzimuth;
    const bool m2 = slope && mode_ == HourlyAngleMode::Orientation;
    tilt0Edit_->setEnabled(m0);
    tilt0Spin_->setEnabled(m0);
    azimuth1Edit_->setEnabled(m1);
    azimuth1Spin_->setEnabled(m1);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             tilt2Edit_, tilt2Spin_, azimuth2Edit_, azimuth2Spin_, tiltLabel_, azimuthLabel_}) {
        widget->setEnabled(m2);
    }
}

void CDlgGraph::RefreshControls() {
    refreshing_ = true;
    const AppSelection& selection = appData_.Selection();
    kindGroup_->button(ToIndex(kind_))->setChecked(true);
    modeGroup_->button(ToIndex(mode_))->setChecked(true);
    viewGroup_->button(ToIndex(view_))->setChecked(true);
    variantGroup_->button(ToIndex(selection.yearVariant))->setChecked(true);
    tilt0Edit_->setText(QString::number(tilt0_));
    azimuth1Edit_->setText(QString::number(azimuth1_));
    tilt2Edit_->setText(QString::number(tilt2_));
    azimuth2Edit_->setText(QString::number(azimuth2_));
    UpdateAngleEnabling();
    monthList_->setCurrentIndex(selection.month - 1);
    dayList_->setCurrentIndex(selection.day - 1);
    monthList_->setEnabled(true);
    dayList_->setEnabled(view_ == HourlyView::Day || view_ == HourlyView::TenDays);
    irradiationRanking_->setEnabled(view_ == HourlyView::IrradiationRanking);
    sunshineRanking_->setEnabled(view_ == HourlyView::SunshineRanking);
    refreshing_ = false;
}

// Handlers

void CDlgGraph::ChooseDataKind(DataKind kind) {
    kind_ = kind;
    SetGraphAnglesFromMode();
    selector_.SyncFromViewer();
    RebuildLegend();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgGraph::ChooseAngleMode(HourlyAngleMode mode) {
    mode_ = mode;
    ChooseDataKind(kind_);
}

void CDlgGraph::ChooseVariant(YearVariant variant) {
    appData_.Selection().yearVariant = variant;
    Reload();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgGraph::ChooseView(HourlyView view) {
    view_ = view;
    AppSelection& selection = appData_.Selection();
    canvas_.SetNavButtons(NavOf(view));
    canvas_.PlaceNavButtons();
    if (view == HourlyView::Day || view == HourlyView::TenDays) {
        selection.day = std::max(0, dayList_->currentIndex()) + 1;
    }
    RankingDayToCurrent();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgGraph::ChooseArea(int item) {
    if (item < 0 || item >= static_cast<int>(areaItems_.size())) {
        return;
    }
    AppSelection& selection = appData_.Selection();
    selection.areaCode = areaItems_[static_cast<std::size_t>(item)];
    selection.siteNumber = -1;
    FillSiteList();
    Reload();
    ResetAngles();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgGraph::ChooseSite(int item) {
    if (item < 0 || item >= static_cast<int>(siteItems_.size())) {
        return;
    }
    appData_.Selection().siteNumber =
        appData_.SiteAt(siteItems_[static_cast<std::size_t>(item)])->siteNumber;
    Reload();
    ResetAngles();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgGraph::PickOnMap() {
    const std::optional<int> picked = sites_.PickSite(this, false);
    const CAmedasPoint* site = picked ? appData_.SiteAt(*picked) : nullptr;
    if (site == nullptr) {
        return;
    }
    AppSelection& selection = appData_.Selection();
    selection.siteNumber = site->siteNumber;
    selection.areaCode = site->areaCode;
    FillAreaList();
    FillSiteList();
    Reload();
    ResetAngles();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgGraph::ChooseMonth(int item) {
    AppSelection& selection = appData_.Selection();
    selection.month = std::clamp(item + 1, 1, 12);
    selection.day = std::min(selection.day, appData_.DaysInMonth(selection.month));
    FillDayList();
    RebuildRankings();
    RefreshControls();
    Redraw(kRedrawGraph);
}

void CDlgGraph::ChooseDay(int item) {
    appData_.Selection().day = item + 1;
    Redraw(kRedrawGraph);
}

void CDlgGraph::ChooseRanking(bool sunshine, int item) {
    const DayRanking& ranking = sunshine ? rankings_.sunshine : rankings_.irradiation;
    if (item >= 0 && item < ranking.count) {
        appData_.Selection().day = ranking.days[item];
    }
    RefreshControls(); // the day list shows the ranked day for the day views
    Redraw(kRedrawGraph);
}

void CDlgGraph::EnterAngle(HourlyAngleMode mode, bool tilt, int value) {
    const int stored = tilt ? std::clamp(value, 0, 90) : std::clamp(value, 0, 359);
    AngleField(mode, tilt) = stored;
    (tilt ? graphTilt_ : graphAzimuth_) = stored;
    selector_.SyncFromViewer();
    RefreshControls();
    Redraw(kRedrawSelector | kRedrawGraph);
}

void CDlgGraph::StepAngle(HourlyAngleMode mode, bool tilt, int step) {
    if (step == 0 || kind_ != DataKind::Slope || mode != mode_) {
        return;
    }
    int& field = AngleField(mode, tilt);
    const int high = tilt ? 90 : 359;
    if ((step > 0 && field >= high) || (step < 0 && field <= 0)) {
        return; // the up-downs stop at their ends; they never wrap
    }
    EnterAngle(mode, tilt, field + (step > 0 ? 1 : -1));
}

void CDlgGraph::Navigate(bool next) {
    AppSelection& selection = appData_.Selection();
    const int oldMonth = selection.month;
    if (view_ == HourlyView::Month) {
        selection.month = next ? selection.month % 12 + 1 : (selection.month + 10) % 12 + 1;
        selection.day = std::min(selection.day, appData_.DaysInMonth(selection.month));
    } else if (view_ == HourlyView::Day || view_ == HourlyView::TenDays) {
        int day = DayOfYear(selection.month, selection.day) + (next ? 1 : -1);
        day = day < 1 ? kHourlyDays : (day > kHourlyDays ? 1 : day);
        const MonthDay md = MonthDayOfYear(day);
        selection.month = md.month;
        selection.day = md.day;
    } else {
        return;
    }
    FillDayList();
    if (selection.month != oldMonth) {
        RebuildRankings();
    }
    RefreshControls();
    Redraw(kRedrawGraph);
}

bool CDlgGraph::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn) {
        return QDialog::eventFilter(watched, event);
    }
    struct Edit {
        QLineEdit* edit;
        HourlyAngleMode mode;
        bool tilt;
    };
    for (const Edit& e : {Edit{tilt0Edit_, HourlyAngleMode::FixedTilt, true},
                          Edit{azimuth1Edit_, HourlyAngleMode::FixedAzimuth, false},
                          Edit{tilt2Edit_, HourlyAngleMode::Orientation, true},
                          Edit{azimuth2Edit_, HourlyAngleMode::Orientation, false}}) {
        if (watched != e.edit) {
            continue;
        }
        graphFrame_->setFocus();
        CDlgDigitInput input(this);
        input.SetPosition(e.edit->mapToGlobal(QPoint(-2, -5)));
        input.SetValue(AngleField(e.mode, e.tilt));
        if (CurrentPlatform().RunModal(input) == QDialog::Accepted) {
            EnterAngle(e.mode, e.tilt, input.Value());
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Saving

void CDlgGraph::SaveData(ExportKind kind) {
    if (!loaded_) {
        return;
    }
    const AppSelection& selection = appData_.Selection();
    HourlyExportRequest request;
    request.exportKind = kind;
    request.yearVariant = selection.yearVariant;
    request.siteNumber = selection.siteNumber;
    request.month = selection.month;
    request.day = selection.day;
    request.dataKind = kind_;
    Platform& platform = CurrentPlatform();
    if (kind_ == DataKind::Horizontal) {
        CDlgFileSaveH options(kind, this);
        if (platform.RunModal(options) != QDialog::Accepted) {
            return;
        }
        if (const std::optional<WeatherFormat> weather = options.Weather()) {
            SaveWeatherFile(*weather);
            return;
        }
        request.format = options.Format();
    } else {
        CDlgFileSaveS options(kind, mode_, graphTilt_, graphAzimuth_, this);
        if (platform.RunModal(options) != QDialog::Accepted) {
            return;
        }
        request.format = options.Format();
        request.slopeOptions = {mode_, graphTilt_, graphAzimuth_, options.StepDeg()};
    }
    const bool csv = request.format == ExportFormat::Csv;
    SaveFileRequest file;
    file.title = QStringLiteral("表示データの保存");
    file.defaultName = ToQString(DefaultExportFileName(request));
    file.filter = csv ? QStringLiteral("csvﾌｧｲﾙ (*.csv)") : QStringLiteral("txtﾌｧｲﾙ (*.txt)");
    file.defaultSuffix = csv ? QStringLiteral("csv") : QStringLiteral("txt");
    const std::optional<QString> path = ChooseExportFile(platform, this, file);
    if (!path) {
        return;
    }
    HourlyExportStatus status;
    {
        WaitCursor wait; // a whole year of slope lines takes a moment
        status = ExportHourlyData(*set_, request, GraphInput().site, path->toStdString());
    }
    platform.ShowMessage(this, ToQString(ExportStatusMessage(status)));
}

void CDlgGraph::SaveWeatherFile(WeatherFormat format) {
    Platform& platform = CurrentPlatform();
    const AppSelection& selection = appData_.Selection();
    const CAmedasPoint* site = appData_.SiteAt(appData_.FindSiteIndex(selection.siteNumber));
    if (site == nullptr) {
        // The file needs the site's position, which only the catalogue has.
        platform.ShowMessage(
            this, QStringLiteral(
                      "地点一覧にこの地点がないため、気象データファイルを出力できませんでした。"));
        return;
    }
    if (!site->positionValid) {
        platform.ShowMessage(
            this,
            QStringLiteral(
                "地点の緯度経度が正しくないため、気象データファイルを出力できませんでした。"));
        return;
    }
    const bool epw = format == WeatherFormat::Epw;
    SaveFileRequest file;
    file.title = QStringLiteral("表示データの保存");
    file.defaultName =
        ToQString(DefaultWeatherFileName(format, selection.siteNumber, selection.yearVariant));
    file.filter = epw ? QStringLiteral("epwﾌｧｲﾙ (*.epw)") : QStringLiteral("csvﾌｧｲﾙ (*.csv)");
    file.defaultSuffix = epw ? QStringLiteral("epw") : QStringLiteral("csv");
    const std::optional<QString> path = ChooseExportFile(platform, this, file);
    if (!path) {
        return;
    }
    WeatherWriteStatus status;
    {
        WaitCursor wait;
        status = WriteWeatherFile(path->toStdString(), format, BuildWeatherYear(*set_, *site),
                                  *site, selection.yearVariant);
    }
    const HourlyExportStatus shown =
        status == WeatherWriteStatus::Completed       ? HourlyExportStatus::Completed
        : status == WeatherWriteStatus::CannotCreate  ? HourlyExportStatus::CannotCreate
        : status == WeatherWriteStatus::TargetIsInput ? HourlyExportStatus::TargetIsInput
                                                      : HourlyExportStatus::WriteFailed;
    platform.ShowMessage(this, ToQString(ExportStatusMessage(shown)));
}

// Printing

void CDlgGraph::PrintGraph() {
    if (!loaded_) {
        return;
    }
    PrintRequest request;
    request.documentName = QStringLiteral("HORIX");
    request.singlePageOnly = true;
    if (std::unique_ptr<QPrinter> printer = CurrentPlatform().ChoosePrinter(this, request)) {
        WaitCursor wait;
        PrintHourlyGraph(*printer, GraphInput(), kGraphWidth, kGraphHeight, canvas_.Legend());
    }
    // The screen's legend shows every entry again after printing.
    RebuildLegend();
    Redraw(kRedrawSelector | kRedrawGraph);
}

// Pictures of the graph

void CDlgGraph::PaintGraphPicture(QPainter& p) const {
    GraphLayout layout = canvas_.Layout();
    layout.toggle = layout.windButton = {};
    PaintHourlyGraph(p, scene_, layout, canvas_.Styles());
}

void CDlgGraph::GraphContextMenu(QPoint screenPosition) {
    RunGraphContextMenu(this, screenPosition, kGraphWidth, kGraphHeight,
                        [this](QPainter& p) { PaintGraphPicture(p); });
}

// Drawing

void CDlgGraph::Redraw(int flags) {
    if (flags & kRedrawSelector) {
        DrawSelector();
        if (kind_ == DataKind::Slope) {
            CopyAnglesToEdits();
        }
    }
    if (flags & kRedrawGraph) {
        DrawGraph();
    }
    if (flags & (kRedrawHover | kRedrawPresent)) {
        graphFrame_->update();
        selectorFrame_->update();
    }
}

void CDlgGraph::CopyAnglesToEdits() {
    switch (mode_) {
    case HourlyAngleMode::FixedTilt:
        tilt0_ = graphTilt_;
        break;
    case HourlyAngleMode::FixedAzimuth:
        azimuth1_ = graphAzimuth_;
        break;
    case HourlyAngleMode::Orientation:
        tilt2_ = graphTilt_;
        azimuth2_ = graphAzimuth_;
        break;
    }
    if (!refreshing_) {
        RefreshControls();
    }
}

void CDlgGraph::DrawSelector() {
    selector_.Redraw({0, 0, kSelectorWidth, kSelectorHeight}, selectorFrame_->devicePixelRatioF());
    DescribeSelector(*selectorFrame_, graphTilt_, graphAzimuth_);
    selectorFrame_->update();
}

void CDlgGraph::DrawGraph() {
    if (!canvas_.BackBufferValid() ||
        canvas_.BackBuffer().devicePixelRatio() != graphFrame_->devicePixelRatioF()) {
        canvas_.CreateBackBuffer(graphFrame_->devicePixelRatioF());
    }
    const HourlyGraphInput in = GraphInput();
    // The legend names the angles drawn, whichever control changed them.
    std::vector<CHanreiObj> legend =
        BuildHourlyLegend(in, canvas_.LocalRect(), HorizontalSeriesArgb(canvas_.Styles()),
                          SlopeSeriesArgb(canvas_.Styles()));
    CarryLegendVisibility(canvas_.Legend(), legend);
    canvas_.Legend() = std::move(legend);
    scene_ = ComputeHourlyScene(in, canvas_.LocalRect(), canvas_.Legend());
    DescribeGraph(*graphFrame_, scene_.title, scene_.info);
    canvas_.Tooltips() = scene_.tooltips;
    QPainter p(&canvas_.BackBuffer());
    CGraphCanvas::PrepareSurface(p);
    PaintHourlyGraph(p, scene_, canvas_.Layout(), canvas_.Styles(), {&navPictures_, -1});
    p.end();
    graphFrame_->update();
}

void CDlgGraph::PaintGraphFrame(QPainter& p) {
    canvas_.Present(p);
    if (pressedItem_ == kHitLegendToggle) {
        canvas_.PresentWithTogglePressed(p);
    } else if (pressedItem_ == kHitWindLegend) {
        canvas_.RedrawWindLegendButton(p);
    } else if (pressedItem_ >= 0 &&
               canvas_.HitTest(lastMouse_.x(), lastMouse_.y()) == pressedItem_) {
        canvas_.RedrawLegendEntry(p, pressedItem_, true);
    }
    if (hoveredNav_ >= 0) {
        canvas_.DrawNavButtons(p, hoveredNav_);
    }
}

void CDlgGraph::PaintSelectorFrame(QPainter& p) {
    selector_.Present(p, {0, 0, kSelectorWidth, kSelectorHeight});
}

void CDlgGraph::showEvent(QShowEvent* event) {
    const QRect work = CurrentPlatform().WorkArea(this);
    move(work.center() - QPoint(width() / 2, height() / 2));
    graphFrame_->setFocus();
    QDialog::showEvent(event);
}

void CDlgGraph::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    DrawImageNatural(p, logo_, 40, height() - 70);
}

// Mouse

void CDlgGraph::FramePaint(Frame frame, QPainter& p) {
    frame == Frame::Graph ? PaintGraphFrame(p) : PaintSelectorFrame(p);
}

void CDlgGraph::FramePress(Frame frame, QPoint at) {
    frame == Frame::Graph ? GraphMousePress(at) : SelectorMousePress(at);
}

void CDlgGraph::FrameMove(Frame frame, QPoint at) {
    frame == Frame::Graph ? GraphMouseMove(at) : SelectorMouseMove(at);
}

void CDlgGraph::FrameRelease(Frame frame, QPoint at) {
    frame == Frame::Graph ? GraphMouseRelease(at) : SelectorMouseRelease(at);
}

void CDlgGraph::FrameLeft(Frame frame) {
    if (frame == Frame::Graph) {
        GraphMouseLeft();
    }
}

void CDlgGraph::FrameContextMenu(Frame frame, QPoint screenPosition) {
    if (frame == Frame::Graph) {
        GraphContextMenu(screenPosition);
    }
}

void CDlgGraph::GraphMousePress(QPoint at) {
    lastMouse_ = at;
    pressedItem_ = canvas_.HitTest(at.x(), at.y());
    graphFrame_->update();
}

void CDlgGraph::GraphMouseMove(QPoint at) {
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

void CDlgGraph::GraphMouseRelease(QPoint at) {
    lastMouse_ = at;
    const int hit = canvas_.HitTest(at.x(), at.y());
    const int pressed = pressedItem_;
    pressedItem_ = kHitNothing;
    if (hit != kHitNothing && hit == pressed) {
        if (hit == kHitWindLegend) {
            if (kind_ == DataKind::Horizontal) {
                CDlgWindHanrei legend(this);
                CurrentPlatform().RunModal(legend);
            }
        } else if (hit == kHitPrevious || hit == kHitNext) {
            Navigate(hit == kHitNext);
        } else {
            canvas_.ToggleLegendEntry(hit);
            Redraw(kRedrawGraph);
        }
    }
    selector_.EndDrag();
    graphFrame_->update();
}

void CDlgGraph::GraphMouseLeft() {
    hoveredNav_ = -1;
    graphFrame_->update();
}

void CDlgGraph::SelectorMousePress(QPoint at) {
    if (kind_ == DataKind::Slope) {
        selector_.OnMouseDown(at.x(), at.y());
    }
}

void CDlgGraph::SelectorMouseMove(QPoint at) {
    if (kind_ == DataKind::Slope) {
        selector_.OnMouseMove(at.x(), at.y());
    }
}

void CDlgGraph::SelectorMouseRelease(QPoint) {
    selector_.EndDrag();
}

} // namespace quorvane

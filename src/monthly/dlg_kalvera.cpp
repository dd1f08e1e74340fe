#include "monthly/dlg_kalvera.h"

#include "data/app_session.h"
#include "monthly/dlg_kalvera_table.h"
#include "monthly/monthly_graph_painter.h"
#include "monthly/monthly_print.h"
#include "ui/message_box_reporter.h"
#include "ui/platform.h"
#include "ui/viewer_controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinter>
#include <QRadioButton>
#include <algorithm>
#include <cstdlib>

namespace quorvane {

namespace {

constexpr int kGraphWidth = 840;
constexpr int kGraphHeight = 560;

// What the edits show: the azimuths' magnitudes.
Orientation ShownInEdits(Orientation orientation) {
    orientation.fixedAzimuthDeg = std::abs(orientation.fixedAzimuthDeg);
    orientation.plane.azimuthDeg = std::abs(orientation.plane.azimuthDeg);
    return orientation;
}

} // namespace

CDlgKalvera::CDlgKalvera(AppSession& session, SitePicker& sites, QWidget* parent)
    : ViewerShell(session, sites, "CDlgKalvera", QStringLiteral("KALVERA-11"), true, parent),
      record_(std::make_unique<MonthlyRecord>()) {
    BuildControls();
    siteRow_->Refill();
    SiteChanged();
}

CDlgKalvera::~CDlgKalvera() = default;

std::optional<PlaneAngles> CDlgKalvera::ShownPlane() const {
    if (state_.display != MonthlyDisplay::Orientation) {
        return std::nullopt;
    }
    const PlaneAngles angles = state_.GraphAngles();
    return PlaneAngles{angles.tiltDeg, (angles.azimuthDeg + 360) % 360};
}

void CDlgKalvera::BuildControls() {
    auto* displayBox = new QGroupBox(QStringLiteral("表示データ指定"), this);
    displayGroup_ = new QButtonGroup(this);
    auto* displayLayout = new QHBoxLayout(displayBox);
    displayLayout->addWidget(
        ViewerRadio("1059", QStringLiteral("月指定"), displayGroup_, 0, displayBox));
    displayLayout->addWidget(
        ViewerRadio("1060", QStringLiteral("角度指定"), displayGroup_, 1, displayBox));
    displayLayout->addWidget(
        ViewerRadio("1067", QStringLiteral("年変動"), displayGroup_, 2, displayBox));
    AddLeft(displayBox);
    QGroupBox* modeBox = AddAngleBox(QStringLiteral("角度指定"), modeGroup_);
    struct Extra {
        const char* id;
        const char16_t* text;
        MonthlyAngleMode mode;
    };
    for (const Extra& extra :
         {Extra{"1061", u"最適傾斜角", MonthlyAngleMode::OptimumTilt},
          Extra{"1062", u"各月の最適傾斜角における日射量", MonthlyAngleMode::MonthlyOptimum},
          Extra{"1063", u"年間最適傾斜角における日射量", MonthlyAngleMode::AnnualOptimum}}) {
        angles_->Grid().addWidget(ViewerRadio(extra.id, QString::fromUtf16(extra.text), modeGroup_,
                                              ToIndex(extra.mode), modeBox),
                                  ToIndex(extra.mode) + 2, 0, 1, 5);
    }
    AddSelectorAndButtons(
        {{{"1070", QStringLiteral("表示中のグラフを印刷"), 235, 236}, [this] { PrintGraph(); }},
         {{"1066", QStringLiteral("データ一覧表を表示"), 239, 240}, [this] { ShowTable(); }}});
    monthList_ = ViewerMonthList(this);
    SiteRowLayout().addSpacing(16);
    SiteRowLayout().addWidget(monthList_);
    AddGraphAndEndButtons(ViewerButtonSpec{"2", QStringLiteral("HORIXを表示"), 231, 232});

    connect(displayGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseDisplay(static_cast<MonthlyDisplay>(id)); });
    connect(modeGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseAngleMode(static_cast<MonthlyAngleMode>(id)); });
    connect(monthList_, &QComboBox::activated, this, &CDlgKalvera::ChooseMonth);
    connect(siteRow_, &SiteRow::SiteChanged, this, &CDlgKalvera::SiteChanged);
    connect(angles_, &AngleControls::Entered, this, &CDlgKalvera::SetField);
    connect(angles_, &AngleControls::Stepped, this, [this](AngleField field, int step) {
        const std::optional<HourlyAngleMode> mode = state_.PickerMode();
        if (mode && FieldBelongsTo(field, *mode)) {
            if (const std::optional<int> value =
                    StepMonthlyAngle(field, state_.orientation.Get(field), step)) {
                state_.orientation.Set(field, *value);
                Refresh(RedrawPart::Both);
            }
        }
    });
    connect(selector_, &SelectorPane::Picked, this, [this](PlaneAngles picked) {
        if (const std::optional<HourlyAngleMode> mode = state_.PickerMode()) {
            state_.orientation = WithPickedAngles(state_.orientation, *mode, picked);
            Refresh(RedrawPart::Both);
        }
    });
    connect(graph_, &GraphPane::LegendClicked, this, [this](GraphHit hit) {
        state_.hidden = ToggleHidden(state_.hidden, Canvas().Legend().size(), hit);
        Refresh(RedrawPart::Graph);
    });
    connect(graph_, &GraphPane::NavigateClicked, this, &CDlgKalvera::StepMonth);
}

// State

int CDlgKalvera::Tilt(MonthlyAngleMode mode) const {
    return mode == MonthlyAngleMode::Orientation ? state_.orientation.plane.tiltDeg
                                                 : state_.orientation.fixedTiltDeg;
}

int CDlgKalvera::StoredAzimuth(MonthlyAngleMode mode) const {
    return mode == MonthlyAngleMode::Orientation ? state_.orientation.plane.azimuthDeg
                                                 : state_.orientation.fixedAzimuthDeg;
}

MonthlyGraphInput CDlgKalvera::GraphInput(int scale, bool print) const {
    MonthlyGraphInput in;
    const AppSelection& selection = session_.Selection();
    in.record = record_.get();
    in.loaded = loaded_;
    const CAmedasPoint* site = session_.SiteAt(session_.FindSiteIndex(selection.siteNumber));
    in.siteFound = site != nullptr;
    in.siteName = site != nullptr ? site->name : std::string();
    in.display = state_.display;
    in.angleMode = state_.mode;
    in.tiltDeg = GraphTilt();
    in.azimuthDeg = GraphAzimuth();
    in.month = std::clamp(selection.month, 1, 12);
    in.scale = scale;
    in.print = print;
    return in;
}

void CDlgKalvera::Load() {
    WaitCursor wait;
    MessageBoxReporter reporter(this);
    loaded_ = LoadMonthlyData(session_.MonthlyFolder(), session_.Selection().siteNumber, *record_,
                              reporter) == LoadStatus::Ok;
}

void CDlgKalvera::SiteChanged() {
    if (!endedAtStart_ && session_.Selection().siteNumber >= 0) {
        Load();
    }
    const CAmedasPoint* site =
        session_.SiteAt(session_.FindSiteIndex(session_.Selection().siteNumber));
    const bool placed = site != nullptr && site->positionValid;
    state_.orientation =
        Orientation::Default(MonthlyDefaultTilt(placed, placed ? site->latitudeDeg : 0.0));
    state_.hidden.clear();
    Refresh(RedrawPart::Both);
}

void CDlgKalvera::Refresh(RedrawPart parts) {
    displayGroup_->button(ToIndex(state_.display))->setChecked(true);
    modeGroup_->button(ToIndex(state_.mode))->setChecked(true);
    monthList_->setCurrentIndex(std::clamp(session_.Selection().month, 1, 12) - 1);
    monthList_->setEnabled(state_.display == MonthlyDisplay::Month);
    const std::optional<HourlyAngleMode> pickerMode = state_.PickerMode();
    angles_->Show(ShownInEdits(state_.orientation), pickerMode,
                  state_.display == MonthlyDisplay::Orientation);
    if (Includes(parts, RedrawPart::Selector)) {
        selector_->Show(SelectorViewOf(state_.GraphAngles(), pickerMode, true));
    }
    if (Includes(parts, RedrawPart::Graph)) {
        DrawGraph();
    }
}

void CDlgKalvera::DrawGraph() {
    MonthlyGraph composed =
        ComposeMonthlyGraph(GraphInput(), {kGraphWidth, kGraphHeight, {}}, state_.hidden);
    scene_ = std::move(composed.scene);
    graph_->Show(
        std::move(composed.layout),
        [this](QPainter& p, const GraphLayout& layout, const NavPictures* nav) {
            PaintMonthlyGraph(p, scene_, layout, Canvas().Styles(), nav);
        },
        scene_.title, scene_.info);
}

// Handlers

void CDlgKalvera::ChooseDisplay(MonthlyDisplay display) {
    state_.display = display;
    ChooseAngleMode(state_.mode);
}

void CDlgKalvera::ChooseAngleMode(MonthlyAngleMode mode) {
    state_.mode = mode;
    state_.hidden.clear(); // another legend
    Refresh(RedrawPart::Both);
}

void CDlgKalvera::ChooseMonth(int item) {
    AppSelection& selection = session_.Selection();
    selection.month = std::clamp(item + 1, 1, 12);
    selection.day = 1;
    Refresh(RedrawPart::Graph);
}

void CDlgKalvera::StepMonth(bool next) {
    if (state_.display == MonthlyDisplay::Month) {
        const int month = std::clamp(session_.Selection().month, 1, 12);
        ChooseMonth(next ? month % 12 : (month + 10) % 12);
    }
}

void CDlgKalvera::SetField(AngleField field, int value) {
    state_.orientation.Set(field, SnapMonthlyAngle(field, value, state_.orientation.Get(field)));
    Refresh(RedrawPart::Both);
}

void CDlgKalvera::EnterTilt(MonthlyAngleMode mode, int value) {
    SetField(mode == MonthlyAngleMode::Orientation ? AngleField::PlaneTilt : AngleField::FixedTilt,
             value);
}

void CDlgKalvera::EnterAzimuth(MonthlyAngleMode mode, int value) {
    SetField(mode == MonthlyAngleMode::Orientation ? AngleField::PlaneAzimuth
                                                   : AngleField::FixedAzimuth,
             value);
}

// Printing and the table

void CDlgKalvera::PrintGraph() {
    PrintThrough([this](QPrinter& printer) {
        return PrintMonthlyGraph(printer, GraphInput(), kGraphWidth, kGraphHeight, state_.hidden);
    });
}

void CDlgKalvera::ShowEveryLegendEntry() {
    state_.hidden.clear();
    Refresh(RedrawPart::Both);
}

void CDlgKalvera::ShowTable() {
    CDlgKalveraTable table(session_, sites_, this);
    CurrentPlatform().RunModal(table);
}

} // namespace quorvane

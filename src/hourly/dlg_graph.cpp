#include "hourly/dlg_graph.h"

#include "data/app_session.h"
#include "graph/dlg_wind_hanrei.h"
#include "hourly/dlg_file_save.h"
#include "hourly/export.h"
#include "hourly/graph_print.h"
#include "hourly/hourly_graph_painter.h"
#include "solar/calendar.h"
#include "ui/message_box_reporter.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/viewer_controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvane {

namespace {

constexpr int kGraphWidth = 840;
constexpr int kGraphHeight = 560;

// The edit field of an angle mode's tilt or azimuth.
AngleField FieldOf(HourlyAngleMode mode, bool tilt) {
    switch (mode) {
    case HourlyAngleMode::FixedTilt:
        return AngleField::FixedTilt;
    case HourlyAngleMode::FixedAzimuth:
        return AngleField::FixedAzimuth;
    case HourlyAngleMode::Orientation:
        break;
    }
    return tilt ? AngleField::PlaneTilt : AngleField::PlaneAzimuth;
}

QGroupBox* RadioBox(const QString& title, QButtonGroup*& group, QWidget* parent,
                    std::initializer_list<std::pair<const char*, const char16_t*>> radios,
                    bool vertical) {
    auto* box = new QGroupBox(title, parent);
    group = new QButtonGroup(parent);
    QBoxLayout* layout = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(box))
                                  : static_cast<QBoxLayout*>(new QHBoxLayout(box));
    int id = 0;
    for (const auto& [name, text] : radios) {
        layout->addWidget(ViewerRadio(name, QString::fromUtf16(text), group, id++, box));
    }
    group->button(0)->setChecked(true);
    return box;
}

} // namespace

CDlgGraph::CDlgGraph(AppSession& session, SitePicker& sites, QWidget* parent)
    : ViewerShell(session, sites, "CDlgGraph", QStringLiteral("HORIX-11"), false, parent),
      set_(std::make_unique<HourlyDataSet>()) {
    BuildControls();
    const AppSelection& selection = session_.Selection();
    monthList_->setCurrentIndex(std::clamp(selection.month, 1, 12) - 1);
    FillDayList();
    siteRow_->Refill();
    if (!endedAtStart_ && selection.siteNumber >= 0) {
        Reload();
    }
    ResetAngles();
    Refresh(RedrawPart::Both);
}

CDlgGraph::~CDlgGraph() = default;

std::optional<PlaneAngles> CDlgGraph::ShownPlane() const {
    if (state_.kind != DataKind::Slope) {
        return std::nullopt;
    }
    return state_.GraphAngles();
}

void CDlgGraph::BuildControls() {
    AddLeft(RadioBox(QStringLiteral("表示データ指定"), kindGroup_, this,
                     {{"1059", u"水平面データ"}, {"1060", u"斜面日射量データ"}}, true));
    AddLeft(RadioBox(QStringLiteral("表示要素"), variantGroup_, this,
                     {{"1053", u"平均年"}, {"1054", u"多照年"}, {"1055", u"寡照年"}}, false));
    AddAngleBox(QStringLiteral("日射量データの表示種類"), modeGroup_);
    modeGroup_->button(0)->setChecked(true);
    AddSelectorAndButtons(
        {{{"1070", QStringLiteral("表示中のグラフを印刷"), 235, 236}, [this] { PrintGraph(); }},
         {{"1071", QStringLiteral("表示中のデータを保存"), 237, 238},
          [this] { SaveData(ExportKindOfView(state_.view)); }},
         {{"1072", QStringLiteral("１年分のデータを保存"), 253, 254},
          [this] { SaveData(ExportKind::WholeYear); }}});
    AddRight(BuildViewRow());
    AddGraphAndEndButtons(ViewerButtonSpec{"2", QStringLiteral("KALVERAを表示"), 229, 230});

    connect(kindGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseDataKind(static_cast<DataKind>(id)); });
    connect(modeGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseAngleMode(static_cast<HourlyAngleMode>(id)); });
    connect(variantGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseVariant(static_cast<YearVariant>(id)); });
    connect(siteRow_, &SiteRow::SiteChanged, this, &CDlgGraph::SiteChanged);
    connect(angles_, &AngleControls::Entered, this, &CDlgGraph::SetField);
    connect(angles_, &AngleControls::Stepped, this, [this](AngleField field, int step) {
        if (state_.kind == DataKind::Slope && FieldBelongsTo(field, state_.mode)) {
            if (const std::optional<int> value =
                    StepHourlyAngle(field, state_.orientation.Get(field), step)) {
                SetField(field, *value);
            }
        }
    });
    connect(selector_, &SelectorPane::Picked, this, [this](PlaneAngles picked) {
        state_.orientation = WithPickedAngles(state_.orientation, state_.mode, picked);
        Refresh(RedrawPart::Both);
    });
    connect(graph_, &GraphPane::LegendClicked, this, &CDlgGraph::LegendClicked);
    connect(graph_, &GraphPane::WindLegendClicked, this, &CDlgGraph::ShowWindLegend);
    connect(graph_, &GraphPane::NavigateClicked, this, &CDlgGraph::Navigate);
}

QLayout* CDlgGraph::BuildViewRow() {
    auto* row = new QHBoxLayout;
    viewGroup_ = new QButtonGroup(this);
    row->addWidget(ViewerRadio("1026", QStringLiteral("日別"), viewGroup_, 0, this));
    row->addWidget(ViewerRadio("1010", QStringLiteral("月別"), viewGroup_, 1, this));
    row->addWidget(ViewerRadio("1011", QStringLiteral("10日間"), viewGroup_, 2, this));
    monthList_ = ViewerMonthList(this);
    dayList_ = ViewerCombo("1086", QStringLiteral("日"), this);
    row->addWidget(monthList_);
    row->addWidget(dayList_);
    row->addSpacing(12);
    row->addWidget(
        ViewerRadio("1013", QStringLiteral("日積算日射量ランキング"), viewGroup_, 3, this));
    irradiationRanking_ = ViewerCombo("1009", QStringLiteral("日積算日射量ランキング"), this);
    irradiationRanking_->setMinimumWidth(170);
    row->addWidget(irradiationRanking_);
    row->addWidget(ViewerRadio("1027", QStringLiteral("日照時間ランキング"), viewGroup_, 4, this));
    sunshineRanking_ = ViewerCombo("1022", QStringLiteral("日照時間ランキング"), this);
    sunshineRanking_->setMinimumWidth(150);
    row->addWidget(sunshineRanking_);
    row->addStretch();
    viewGroup_->button(0)->setChecked(true);
    connect(viewGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseView(static_cast<HourlyView>(id)); });
    connect(monthList_, &QComboBox::activated, this, &CDlgGraph::ChooseMonth);
    connect(dayList_, &QComboBox::activated, this, &CDlgGraph::ChooseDay);
    connect(irradiationRanking_, &QComboBox::activated, this,
            [this](int item) { ChooseRanking(false, item); });
    connect(sunshineRanking_, &QComboBox::activated, this,
            [this](int item) { ChooseRanking(true, item); });
    return row;
}

// State

int CDlgGraph::TiltField(HourlyAngleMode mode) const {
    return state_.orientation.Get(FieldOf(mode, true));
}

int CDlgGraph::AzimuthField(HourlyAngleMode mode) const {
    return state_.orientation.Get(FieldOf(mode, false));
}

HourlyGraphInput CDlgGraph::GraphInput(int scale, bool print) const {
    HourlyGraphInput in;
    const AppSelection& selection = session_.Selection();
    in.set = set_.get();
    in.loaded = loaded_;
    if (const CAmedasPoint* site = session_.SiteAt(session_.FindSiteIndex(selection.siteNumber))) {
        in.site = {site->positionValid, site->longitudeDeg, site->latitudeDeg, site->elevationM};
        in.siteName = site->name;
    }
    in.dataKind = state_.kind;
    in.view = state_.view;
    in.angleMode = state_.mode;
    in.tiltDeg = GraphTilt();
    in.azimuthDeg = GraphAzimuth();
    in.month = selection.month;
    in.day = selection.day;
    in.variant = selection.yearVariant;
    in.scale = scale;
    in.print = print;
    return in;
}

void CDlgGraph::Reload() {
    WaitCursor wait;
    const AppSelection& selection = session_.Selection();
    MessageBoxReporter reporter(this);
    loaded_ =
        LoadHourlyData(*set_, selection.yearVariant, selection.siteNumber, session_.HourlyFolder(),
                       session_.MapFolder(), reporter) == LoadStatus::Ok;
    RebuildRankings();
}

void CDlgGraph::ResetAngles() {
    state_.orientation = Orientation::Default(HourlyDefaultTilt(GraphInput().site));
}

void CDlgGraph::RebuildRankings() {
    BuildRankings(*set_, session_.Selection().month, rankings_);
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
    if (!state_.Ranking()) {
        return;
    }
    const bool sunshine = state_.view == HourlyView::SunshineRanking;
    const DayRanking& ranking = sunshine ? rankings_.sunshine : rankings_.irradiation;
    const int item =
        std::max(0, (sunshine ? sunshineRanking_ : irradiationRanking_)->currentIndex());
    if (item < ranking.count) {
        session_.Selection().day = ranking.days[item];
    }
}

void CDlgGraph::FillDayList() {
    const AppSelection& selection = session_.Selection();
    const QSignalBlocker quiet(dayList_);
    dayList_->clear();
    for (int d = 1; d <= session_.DaysInMonth(selection.month); ++d) {
        dayList_->addItem(QString::asprintf("%2d日", d));
    }
    dayList_->setCurrentIndex(selection.day - 1);
}

void CDlgGraph::RefreshControls() {
    const AppSelection& selection = session_.Selection();
    kindGroup_->button(ToIndex(state_.kind))->setChecked(true);
    modeGroup_->button(ToIndex(state_.mode))->setChecked(true);
    viewGroup_->button(ToIndex(state_.view))->setChecked(true);
    variantGroup_->button(ToIndex(selection.yearVariant))->setChecked(true);
    const bool slope = state_.kind == DataKind::Slope;
    angles_->Show(state_.orientation, slope ? std::optional(state_.mode) : std::nullopt, slope);
    monthList_->setCurrentIndex(selection.month - 1);
    dayList_->setCurrentIndex(selection.day - 1);
    dayList_->setEnabled(state_.view == HourlyView::Day || state_.view == HourlyView::TenDays);
    irradiationRanking_->setEnabled(state_.view == HourlyView::IrradiationRanking);
    sunshineRanking_->setEnabled(state_.view == HourlyView::SunshineRanking);
}

void CDlgGraph::Refresh(RedrawPart parts) {
    RefreshControls();
    if (Includes(parts, RedrawPart::Selector)) {
        const bool slope = state_.kind == DataKind::Slope;
        selector_->Show(SelectorViewOf(state_.GraphAngles(),
                                       slope ? std::optional(state_.mode) : std::nullopt, false));
    }
    if (Includes(parts, RedrawPart::Graph)) {
        DrawGraph();
    }
}

void CDlgGraph::DrawGraph() {
    HourlyGraph composed = ComposeHourlyGraph(
        GraphInput(), ScreenGraphFrame(kGraphWidth, kGraphHeight), state_.hidden);
    scene_ = std::move(composed.scene);
    graph_->Show(
        std::move(composed.layout),
        [this](QPainter& p, const GraphLayout& layout, const NavPictures* nav) {
            PaintHourlyGraph(p, scene_, layout, Canvas().Styles(), {nav, -1});
        },
        scene_.title, scene_.info);
}

// Handlers

void CDlgGraph::ChooseDataKind(DataKind kind) {
    state_.kind = kind;
    state_.hidden.clear(); // another legend
    Refresh(RedrawPart::Both);
}

void CDlgGraph::ChooseAngleMode(HourlyAngleMode mode) {
    state_.mode = mode;
    ChooseDataKind(state_.kind);
}

void CDlgGraph::ChooseVariant(YearVariant variant) {
    session_.Selection().yearVariant = variant;
    Reload();
    Refresh(RedrawPart::Both);
}

void CDlgGraph::ChooseView(HourlyView view) {
    state_.view = view;
    if (view == HourlyView::Day || view == HourlyView::TenDays) {
        session_.Selection().day = std::max(0, dayList_->currentIndex()) + 1;
    }
    RankingDayToCurrent();
    Refresh(RedrawPart::Both);
}

void CDlgGraph::SiteChanged() {
    Reload();
    ResetAngles();
    Refresh(RedrawPart::Both);
}

void CDlgGraph::ChooseMonth(int item) {
    AppSelection& selection = session_.Selection();
    selection.month = std::clamp(item + 1, 1, 12);
    selection.day = std::min(selection.day, session_.DaysInMonth(selection.month));
    FillDayList();
    RebuildRankings();
    Refresh(RedrawPart::Graph);
}

void CDlgGraph::ChooseDay(int item) {
    session_.Selection().day = item + 1;
    Refresh(RedrawPart::Graph);
}

void CDlgGraph::ChooseRanking(bool sunshine, int item) {
    const DayRanking& ranking = sunshine ? rankings_.sunshine : rankings_.irradiation;
    if (item >= 0 && item < ranking.count) {
        session_.Selection().day = ranking.days[item];
    }
    Refresh(RedrawPart::Graph); // the day list shows the ranked day for the day views
}

void CDlgGraph::SetField(AngleField field, int value) {
    state_.orientation.Set(field, ClampHourlyAngle(field, value));
    Refresh(RedrawPart::Both);
}

void CDlgGraph::EnterAngle(HourlyAngleMode mode, bool tilt, int value) {
    SetField(FieldOf(mode, tilt), value);
}

void CDlgGraph::StepAngle(HourlyAngleMode mode, bool tilt, int step) {
    emit angles_->Stepped(FieldOf(mode, tilt), step);
}

void CDlgGraph::Navigate(bool next) {
    AppSelection& selection = session_.Selection();
    const int oldMonth = selection.month;
    if (state_.view == HourlyView::Month) {
        selection.month = next ? selection.month % 12 + 1 : (selection.month + 10) % 12 + 1;
        selection.day = std::min(selection.day, session_.DaysInMonth(selection.month));
    } else if (state_.view == HourlyView::Day || state_.view == HourlyView::TenDays) {
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
    Refresh(RedrawPart::Graph);
}

void CDlgGraph::LegendClicked(GraphHit hit) {
    state_.hidden = ToggleHidden(state_.hidden, Canvas().Legend().size(), hit);
    Refresh(RedrawPart::Graph);
}

void CDlgGraph::ShowWindLegend() {
    if (state_.kind == DataKind::Horizontal) {
        CDlgWindHanrei legend(this);
        CurrentPlatform().RunModal(legend);
    }
}

// Saving

void CDlgGraph::SaveData(ExportKind kind) {
    if (!loaded_) {
        return;
    }
    const AppSelection& selection = session_.Selection();
    HourlyExportRequest request;
    request.exportKind = kind;
    request.yearVariant = selection.yearVariant;
    request.siteNumber = selection.siteNumber;
    request.month = selection.month;
    request.day = selection.day;
    request.dataKind = state_.kind;
    Platform& platform = CurrentPlatform();
    if (state_.kind == DataKind::Horizontal) {
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
        CDlgFileSaveS options(kind, state_.mode, GraphTilt(), GraphAzimuth(), this);
        if (platform.RunModal(options) != QDialog::Accepted) {
            return;
        }
        request.format = options.Format();
        request.slopeOptions = {state_.mode, GraphTilt(), GraphAzimuth(), options.StepDeg()};
    }
    const std::optional<QString> path = ChooseExportFile(
        platform, this,
        ExportFileRequest(DefaultExportFileName(request),
                          request.format == ExportFormat::Csv ? FileFilter::Csv : FileFilter::Txt));
    if (!path) {
        return;
    }
    WriteStatus status;
    {
        WaitCursor wait; // a whole year of slope lines takes a moment
        status = ExportHourlyData(*set_, request, GraphInput().site, path->toStdString());
    }
    platform.ShowMessage(this, ToQString(WriteStatusMessage(status)));
}

void CDlgGraph::SaveWeatherFile(WeatherFormat format) {
    Platform& platform = CurrentPlatform();
    const AppSelection& selection = session_.Selection();
    const CAmedasPoint* site = session_.SiteAt(session_.FindSiteIndex(selection.siteNumber));
    if (site == nullptr || !site->positionValid) {
        // The file needs the site's position, which only the catalogue has.
        platform.ShowMessage(
            this, ToQString(WriteStatusMessage(site == nullptr ? WriteStatus::SiteMissing
                                                               : WriteStatus::NoPosition)));
        return;
    }
    const std::optional<QString> path = ChooseExportFile(
        platform, this,
        ExportFileRequest(
            DefaultWeatherFileName(format, selection.siteNumber, selection.yearVariant),
            format == WeatherFormat::Epw ? FileFilter::Epw : FileFilter::Csv));
    if (!path) {
        return;
    }
    WriteStatus status;
    {
        WaitCursor wait;
        status = WriteWeatherFile(path->toStdString(), format, BuildWeatherYear(*set_, *site),
                                  *site, selection.yearVariant);
    }
    platform.ShowMessage(this, ToQString(WriteStatusMessage(status)));
}

// Printing

void CDlgGraph::PrintGraph() {
    PrintThrough([this](QPrinter& printer) {
        return PrintHourlyGraph(printer, GraphInput(), kGraphWidth, kGraphHeight, state_.hidden);
    });
}

void CDlgGraph::ShowEveryLegendEntry() {
    state_.hidden.clear();
    Refresh(RedrawPart::Both);
}

} // namespace quorvane

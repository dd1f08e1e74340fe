#include "yield/dlg_yield.h"

#include "data/app_session.h"
#include "data/atomic_file.h"
#include "graph/graph_print.h"
#include "hourly/hourly_view.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/viewer_controls.h"
#include "yield/yield_chart_painter.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>

namespace quorvane {

namespace {

constexpr QSize kChartSize(840, 500);

int ToIndex(HourlyAngleMode mode) {
    return static_cast<int>(mode);
}

const CAmedasPoint* CurrentSite(const AppSession& session) {
    return session.SiteAt(session.FindSiteIndex(session.Selection().siteNumber));
}

} // namespace

// One number of the array: its control, label, unit and range.
struct CDlgYield::Parameter {
    const char* id;
    const char16_t* label;
    const char16_t* unit;
    double low;
    double high;
    int decimals;
    double* value;
};

CDlgYield::CDlgYield(AppSession& session, SitePicker& sites, std::optional<PlaneAngles> plane,
                     const YieldArrays& arrays, QWidget* parent)
    : ViewerShell(session, sites, "CDlgYield", QStringLiteral("発電量試算"), false, parent,
                  kChartSize) {
    const CAmedasPoint* site = CurrentSite(session_);
    state_ = YieldViewOn(
        plane.value_or(PlaneAngles{
            HourlyDefaultTilt(site != nullptr ? SitePositionOf(*site) : SitePosition{}), 0}),
        arrays);
    printDocumentName_ = QStringLiteral("発電量試算");
    BuildControls();
    ConnectControls();
    KeepOpenOnEnter(*this);
    siteRow_->Refill();
    SiteChanged();
}

CDlgYield::~CDlgYield() = default;

void CDlgYield::BuildControls() {
    AddAngleBox(QStringLiteral("傾斜角・方位角"), modeGroup_);
    AddSelectorAndButtons(
        {{{"1070", QStringLiteral("表示中のグラフを印刷"), 235, 236}, [this] { PrintChart(); }},
         {{"yieldCsv", QStringLiteral("結果をCSVで保存"), 366, 367}, [this] { SaveCsv(); }},
         {{"yieldBest", QStringLiteral("最適な向きを探す"), 368, 369},
          [this] { FindBestOrientation(); }}});
    AddRight(BuildParameterRow());
    AddGraphAndEndButtons(std::nullopt);
    Graph().SetMenuItems({{QStringLiteral("結果をCSVで保存..."), [this] { SaveCsv(); }}});
}

QLayout* CDlgYield::BuildParameterRow() {
    const std::vector<Parameter> hourly{
        {"yieldRating", u"定格出力", u"kW", 0.01, 100000.0, 2, &state_.hourly.ratingKw},
        {"yieldGamma", u"温度係数 γ", u"%/K", -2.0, 0.5, 2, &state_.hourly.gammaPctPerK},
        {"yieldU0", u"熱損失係数 U0", u"W/㎡K", 1.0, 100.0, 2, &state_.hourly.u0},
        {"yieldU1", u"熱損失係数 U1", u"W・s/m³K", 0.0, 50.0, 2, &state_.hourly.u1},
        {"yieldLosses", u"損失", u"%", 0.0, 100.0, 1, &state_.hourly.lossesPct},
        {"yieldInverter", u"インバータ効率", u"%", 1.0, 100.0, 1, &state_.hourly.inverterPct},
        {"yieldDcAc", u"DC/AC比", u"", 0.5, 3.0, 2, &state_.hourly.dcAcRatio}};
    const std::vector<Parameter> monthly{
        {"yieldAlpha", u"温度係数 α", u"%/K", -2.0, 0.5, 2, &state_.monthly.alphaPctPerK},
        {"yieldKhd", u"年変動補正 K_HD", u"", 0.01, 1.0, 3, &state_.monthly.kHd},
        {"yieldKpd", u"経時変化補正 K_PD", u"", 0.01, 1.0, 3, &state_.monthly.kPd},
        {"yieldKpa", u"アレイ回路補正 K_PA", u"", 0.01, 1.0, 3, &state_.monthly.kPa},
        {"yieldKpm", u"負荷整合補正 K_PM", u"", 0.01, 1.0, 3, &state_.monthly.kPm},
        {"yieldEta", u"インバータ効率 η_INO", u"", 0.01, 1.0, 3, &state_.monthly.etaIno}};
    auto* row = new QHBoxLayout;
    row->addWidget(ParameterBox(QStringLiteral("時別計算（HORIX-11 の標準年）"), hourly));
    QWidget* monthlyBox = ParameterBox(QStringLiteral("月別計算（KALVERA-11・設計係数）"), monthly);
    auto* grid = static_cast<QGridLayout*>(monthlyBox->layout());
    mounting_ = ViewerCombo("yieldMounting", QStringLiteral("設置形態"), monthlyBox);
    for (int m = 0; m < kMountingCount; ++m) {
        mounting_->addItem(ToQString(MountingLabel(static_cast<Mounting>(m))));
    }
    const int at = static_cast<int>(monthly.size());
    grid->addWidget(new QLabel(QStringLiteral("設置形態"), monthlyBox), at % 4, (at / 4) * 3);
    grid->addWidget(mounting_, at % 4, (at / 4) * 3 + 1, 1, 2);
    row->addWidget(monthlyBox);
    return row;
}

// A box of labelled spin boxes, four rows to a column.
QWidget* CDlgYield::ParameterBox(const QString& title, const std::vector<Parameter>& parameters) {
    auto* box = new QGroupBox(title, this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    int index = 0;
    for (const Parameter& parameter : parameters) {
        const QString label = QString::fromUtf16(parameter.label);
        auto* spin = new QDoubleSpinBox(box);
        spin->setObjectName(QString::fromLatin1(parameter.id));
        spin->setAccessibleName(label);
        spin->setRange(parameter.low, parameter.high);
        spin->setDecimals(parameter.decimals);
        spin->setSingleStep(parameter.decimals >= 3 ? 0.01 : 0.1);
        spin->setValue(*parameter.value);
        spin->setSuffix(parameter.unit[0] != 0
                            ? QStringLiteral(" ") + QString::fromUtf16(parameter.unit)
                            : QString());
        spin->setKeyboardTracking(false);
        // A value outside the range cannot be typed; the tip says why.
        spin->setToolTip(QStringLiteral("%1～%2%3")
                             .arg(spin->textFromValue(parameter.low))
                             .arg(spin->textFromValue(parameter.high))
                             .arg(spin->suffix()));
        const int row = index % 4;
        const int column = (index / 4) * 3;
        grid->addWidget(new QLabel(label, box), row, column);
        grid->addWidget(spin, row, column + 1, 1, 2);
        fields_.emplace_back(spin, parameter.value);
        ++index;
    }
    return box;
}

void CDlgYield::ConnectControls() {
    connect(modeGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        state_.mode = static_cast<HourlyAngleMode>(id);
        Refresh(RedrawPart::Both);
    });
    connect(siteRow_, &SiteRow::SiteChanged, this, &CDlgYield::SiteChanged);
    connect(angles_, &AngleControls::Entered, this, &CDlgYield::SetField);
    connect(angles_, &AngleControls::Stepped, this, [this](AngleField field, int step) {
        if (FieldBelongsTo(field, state_.mode)) {
            SetField(field, StepYieldAngle(field, state_.orientation.Get(field), step));
        }
    });
    connect(selector_, &SelectorPane::Picked, this, [this](PlaneAngles picked) {
        state_.orientation = WithPickedAngles(state_.orientation, state_.mode, picked);
        Refresh(RedrawPart::Both);
    });
    for (const auto& [spin, value] : fields_) {
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] {
            ReadParameters();
            Refresh(RedrawPart::Graph);
        });
    }
    connect(mounting_, &QComboBox::currentIndexChanged, this, [this] {
        ReadParameters();
        Refresh(RedrawPart::Graph);
    });
}

void CDlgYield::ReadParameters() {
    for (const auto& [spin, value] : fields_) {
        *value = spin->value();
    }
    state_.monthly.mounting = static_cast<Mounting>(std::max(0, mounting_->currentIndex()));
    state_.monthly.ratingKw = state_.hourly.ratingKw;
}

void CDlgYield::SiteChanged() {
    const CAmedasPoint* site = CurrentSite(session_);
    data_ = {};
    if (!endedAtStart_ && site != nullptr) {
        WaitCursor wait;
        CollectingReporter reporter;
        data_ = LoadYieldSiteData(
            {session_.MapFolder(), session_.HourlyFolder(), session_.MonthlyFolder()}, *site,
            reporter);
        if (!reporter.messages.empty()) {
            CurrentPlatform().ShowMessage(this, ToQString(reporter.messages.front()));
        }
    }
    loaded_ = site != nullptr;
    Refresh(RedrawPart::Both);
}

void CDlgYield::SetField(AngleField field, int value) {
    state_.orientation.Set(field, YieldAngle(field, value));
    Refresh(RedrawPart::Both);
}

void CDlgYield::Refresh(RedrawPart parts) {
    modeGroup_->button(ToIndex(state_.mode))->setChecked(true);
    angles_->Show(state_.orientation, state_.mode, true);
    if (Includes(parts, RedrawPart::Selector)) {
        selector_->Show(SelectorViewOf(state_.Plane(), state_.mode, false));
    }
    if (Includes(parts, RedrawPart::Graph)) {
        ShowChart();
    }
}

void CDlgYield::ShowChart() {
    comparison_ = CompareYields(data_, state_.Plane(), state_.hourly, state_.monthly);
    chart_ = ComposeYieldChart(comparison_, kChartSize.width(), kChartSize.height());
    GraphLayout layout = MakeGraphLayout(kChartSize.width(), kChartSize.height(), 1);
    layout.nav = NavButtons::Disabled;
    layout.tooltips = chart_.tooltips;
    Graph().Show(
        std::move(layout),
        [this](QPainter& p, const GraphLayout&, const NavPictures*) { PaintYieldChart(p, chart_); },
        chart_.title.text, {chart_.subtitle});
}

void CDlgYield::PrintChart() {
    PrintThrough([this](QPrinter& printer) {
        return PrintGraphPage(printer, [this](QPainter& p, int pageWidth, int pageHeight) {
            // The chart and a footer below it, as the viewers print at scale 2.
            const int footer = 40;
            const PrintGeometry geometry = ComputePrintGeometry(
                pageWidth, pageHeight, kChartSize.width(), kChartSize.height() + footer);
            const double scale = static_cast<double>(geometry.graph.Width()) / kChartSize.width();
            p.save();
            p.translate(geometry.graph.left, geometry.graph.top);
            p.scale(scale, scale);
            PaintYieldChart(p, chart_);
            PaintPrintFooter(p, kChartSize.height(), 2, Canvas().Styles());
            p.restore();
        });
    });
}

void CDlgYield::SaveCsv() {
    if (!loaded_) {
        return;
    }
    const std::optional<QString> path = ChooseExportFile(
        CurrentPlatform(), this,
        ExportFileRequest("yield" + std::to_string(session_.Selection().siteNumber) + ".csv",
                          FileFilter::Csv));
    if (!path) {
        return;
    }
    WaitCursor wait;
    const WriteStatus status =
        WriteAtomically(path->toStdString(), YieldComparisonCsv(comparison_));
    if (status != WriteStatus::Completed) {
        CurrentPlatform().ShowMessage(this, ToQString(WriteStatusMessage(status)));
    }
}

void CDlgYield::FindBestOrientation() {
    // Clicks queued before the progress box shows must not start a second scan.
    if (!data_.years[0] || scanning_) {
        return;
    }
    scanning_ = true;
    WorkProgress progress;
    OrientationScan scan;
    const bool complete = CurrentPlatform().RunWithProgress(
        this,
        QStringLiteral(
            "平均年の時別計算で、傾斜角0～90度、東から西まで（方位角270～359度・0～90度）"
            "の向きを調べています..."),
        progress, [&] {
            scan = ScanOrientations(*data_.years[0], state_.hourly, progress, WorkerThreads());
        });
    scanning_ = false;
    if (!complete || !scan.complete) {
        return;
    }
    state_.mode = HourlyAngleMode::Orientation;
    state_.orientation.plane = {scan.best.tiltDeg, ShownAzimuth(scan.best.azimuthDeg)};
    Refresh(RedrawPart::Both);
    CurrentPlatform().ShowMessage(
        this,
        QStringLiteral("最も発電量の多い向き：傾斜角%1度・方位角%2度（平均年の年間発電量 %3 kWh）")
            .arg(scan.best.tiltDeg)
            .arg(ShownAzimuth(scan.best.azimuthDeg))
            .arg(scan.best.annualKwh, 0, 'f', 1));
}

} // namespace quorvane

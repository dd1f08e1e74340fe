#include "graph/viewer_shell.h"

#include "data/app_session.h"
#include "graph/graph_image.h"
#include "ui/app_style.h"
#include "ui/dlg_digit_input.h"
#include "ui/hover_bitmap_button.h"
#include "ui/image.h"
#include "ui/platform.h"
#include "ui/site_lists.h"
#include "ui/site_picker.h"
#include "ui/text.h"
#include "ui/viewer_controls.h"

#include <QButtonGroup>
#include <QCloseEvent>
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
#include <cstdlib>

namespace quorvane {

namespace {

constexpr int kSelectorWidth = 240;
constexpr int kSelectorHeight = 212;

constexpr std::array<AngleField, 4> kFields{AngleField::FixedTilt, AngleField::FixedAzimuth,
                                            AngleField::PlaneTilt, AngleField::PlaneAzimuth};

int NavOfHit(GraphHit hit) {
    return hit.kind == HitKind::Previous ? 0 : (hit.kind == HitKind::Next ? 1 : -1);
}

} // namespace

// The graph frame

GraphPane::GraphPane(QSize size, bool monthly, QWidget* parent)
    : QObject(parent), canvas_(monthly),
      frame_(new ViewerFrame(*this, "1012", size, true, parent)) {
    canvas_.SetGraphRect({0, 0, size.width(), size.height()});
}

void GraphPane::Show(GraphLayout layout, LayoutPainter paint, const std::string& title,
                     const std::vector<GraphText>& info) {
    paint_ = std::move(paint);
    canvas_.Show(std::move(layout), frame_->devicePixelRatioF(),
                 [this](QPainter& p) { paint_(p, canvas_.Layout(), &canvas_.Pictures()); });
    DescribeGraph(*frame_, title, info);
    frame_->update();
}

void GraphPane::PaintPicture(QPainter& p) const {
    GraphLayout picture = canvas_.Layout();
    picture.toggle = picture.windButton = {};
    if (paint_) {
        paint_(p, picture, nullptr);
    }
}

void GraphPane::FramePaint(QPainter& p) {
    const bool onPressed = canvas_.HitTest(lastMouse_.x(), lastMouse_.y()) == pressed_;
    canvas_.Present(p, pressed_, onPressed, hoveredNav_);
}

void GraphPane::FramePress(QPoint at) {
    lastMouse_ = at;
    pressed_ = canvas_.HitTest(at.x(), at.y());
    frame_->update();
}

void GraphPane::FrameMove(QPoint at) {
    lastMouse_ = at;
    hoveredNav_ = NavOfHit(canvas_.HitTest(at.x(), at.y()));
    const int tip = FindTooltipAt(canvas_.Tooltips(), at.x(), at.y());
    if (tip >= 0) {
        QToolTip::showText(frame_->mapToGlobal(at),
                           ToQString(canvas_.Tooltips()[static_cast<std::size_t>(tip)].text),
                           frame_);
    } else {
        QToolTip::hideText();
    }
    frame_->update();
}

void GraphPane::FrameRelease(QPoint at) {
    lastMouse_ = at;
    const GraphHit hit = canvas_.HitTest(at.x(), at.y());
    const GraphHit pressed = pressed_;
    pressed_ = {};
    frame_->update();
    if (hit.kind == HitKind::Nothing || !(hit == pressed)) {
        return;
    }
    switch (hit.kind) {
    case HitKind::WindLegend:
        emit WindLegendClicked();
        break;
    case HitKind::Previous:
    case HitKind::Next:
        emit NavigateClicked(hit.kind == HitKind::Next);
        break;
    default:
        emit LegendClicked(hit);
        break;
    }
}

void GraphPane::FrameLeft() {
    hoveredNav_ = -1;
    frame_->update();
}

void GraphPane::FrameContextMenu(QPoint screenPosition) {
    QStringList extra;
    for (const GraphMenuItem& item : menuItems_) {
        extra << item.text;
    }
    const int chosen = RunGraphContextMenu(
        frame_, screenPosition, frame_->width(), frame_->height(),
        [this](QPainter& p) { PaintPicture(p); }, extra);
    if (chosen >= 0 && chosen < static_cast<int>(menuItems_.size())) {
        menuItems_[static_cast<std::size_t>(chosen)].run();
    }
}

// The picker frame

SelectorPane::SelectorPane(QWidget* parent)
    : QObject(parent), frame_(new ViewerFrame(*this, "1020", QSize(kSelectorWidth, kSelectorHeight),
                                              false, parent)) {}

void SelectorPane::Show(const SelectorView& view) {
    selector_.Show(view);
    selector_.Redraw({0, 0, kSelectorWidth, kSelectorHeight}, frame_->devicePixelRatioF());
    DescribeSelector(*frame_, view.angles.tiltDeg,
                     view.monthly ? std::abs(view.angles.azimuthDeg) : view.angles.azimuthDeg);
    frame_->update();
}

void SelectorPane::FramePaint(QPainter& p) {
    selector_.Present(p, {0, 0, kSelectorWidth, kSelectorHeight});
}

void SelectorPane::FramePress(QPoint at) {
    selector_.OnMouseDown(at.x(), at.y());
}

void SelectorPane::FrameMove(QPoint at) {
    if (const std::optional<PlaneAngles> picked = selector_.OnMouseMove(at.x(), at.y())) {
        emit Picked(*picked);
    }
}

void SelectorPane::FrameRelease(QPoint) {
    selector_.EndDrag();
}

// The angle box

AngleControls::AngleControls(QGroupBox& box, QButtonGroup& modes, QWidget& focusTarget)
    : QObject(&box), box_(box), modes_(modes), focusTarget_(focusTarget),
      grid_(new QGridLayout(&box)) {
    grid_->setVerticalSpacing(2);
    struct Row {
        const char* edit;
        const char* upDown;
        const char16_t* name;
        int row;
    };
    static constexpr Row kRows[] = {{"1014", "1015", u"傾斜角（傾斜角指定）", 0},
                                    {"1016", "1017", u"方位角（方位角指定）", 1},
                                    {"1018", "1019", u"傾斜角（任意の指定）", 3},
                                    {"1024", "1025", u"方位角（任意の指定）", 4}};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const Row& row = kRows[i];
        const QString name = QString::fromUtf16(row.name);
        edits_[i] = ViewerAngleEdit(row.edit, name, &box);
        upDowns_[i] = new UpDown(row.upDown, name, &box);
        edits_[i]->installEventFilter(this);
        grid_->addWidget(edits_[i], row.row, 2);
        grid_->addWidget(upDowns_[i], row.row, 3);
        grid_->addWidget(new QLabel(QStringLiteral("度"), &box), row.row, 4);
        const AngleField field = kFields[i];
        connect(upDowns_[i], &UpDown::stepped, this,
                [this, field](int step) { emit Stepped(field, step); });
    }
    static constexpr std::pair<const char*, const char16_t*> kRadios[] = {
        {"1056", u"傾斜角指定"}, {"1057", u"方位角指定"}, {"1058", u"任意の指定"}};
    for (int mode = 0; mode < 3; ++mode) {
        grid_->addWidget(ViewerRadio(kRadios[mode].first, QString::fromUtf16(kRadios[mode].second),
                                     &modes, mode, &box),
                         mode, 0, 1, 2);
    }
    auto* tilt = new QLabel(QStringLiteral("傾斜角"), &box);
    tilt->setObjectName(QStringLiteral("1064"));
    auto* azimuth = new QLabel(QStringLiteral("方位角"), &box);
    azimuth->setObjectName(QStringLiteral("1065"));
    grid_->addWidget(tilt, 3, 1);
    grid_->addWidget(azimuth, 4, 1);
    planeLabels_ = {tilt, azimuth};
}

void AngleControls::Show(const Orientation& shown, std::optional<HourlyAngleMode> active,
                         bool radiosEnabled) {
    shown_ = shown;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const bool enabled = active.has_value() && FieldBelongsTo(kFields[i], *active);
        edits_[i]->setText(QString::number(shown.Get(kFields[i])));
        edits_[i]->setEnabled(enabled);
        upDowns_[i]->setEnabled(enabled);
    }
    for (QWidget* label : planeLabels_) {
        label->setEnabled(active == HourlyAngleMode::Orientation);
    }
    for (QAbstractButton* radio : modes_.buttons()) {
        radio->setEnabled(radiosEnabled);
    }
}

bool AngleControls::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn) {
        return QObject::eventFilter(watched, event);
    }
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        if (watched != edits_[i]) {
            continue;
        }
        // The edit gives the focus away at once, so that it can be entered again.
        focusTarget_.setFocus();
        CDlgDigitInput input(box_.window());
        input.SetPosition(edits_[i]->mapToGlobal(QPoint(-2, -5)));
        input.SetValue(shown_.Get(kFields[i]));
        if (CurrentPlatform().RunModal(input) == QDialog::Accepted) {
            emit Entered(kFields[i], input.Value());
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// The site row

SiteRow::SiteRow(AppSession& session, SitePicker& sites, QWidget& dialog, QHBoxLayout& row)
    : QObject(&dialog), session_(session), sites_(sites), dialog_(dialog),
      areas_(ViewerCombo("1087", QStringLiteral("エリア名"), &dialog)),
      siteList_(ViewerCombo("1088", QStringLiteral("地点名"), &dialog)) {
    areas_->setMinimumWidth(180);
    siteList_->setMinimumWidth(140);
    row.addWidget(new QLabel(QStringLiteral("エリア名"), &dialog));
    row.addWidget(areas_);
    row.addWidget(new QLabel(QStringLiteral("地点名"), &dialog));
    row.addWidget(siteList_);
    auto* map = ViewerButton("1030", QStringLiteral("地図から選択する"), 233, 234, &dialog);
    row.addWidget(map);
    connect(areas_, &QComboBox::activated, this, &SiteRow::ChooseArea);
    connect(siteList_, &QComboBox::activated, this, &SiteRow::ChooseSite);
    connect(map, &QPushButton::clicked, this, &SiteRow::PickOnMap);
}

void SiteRow::Refill() {
    FillAreaList(session_, *areas_, areaItems_);
    FillSiteList(session_, *siteList_, siteItems_);
}

bool SiteRow::PickAtStart(AppSession& session, SitePicker& sites, QWidget* dialog) {
    AppSelection& selection = session.Selection();
    if (selection.siteNumber >= 0) {
        return true;
    }
    const std::optional<int> picked = sites.PickSite(dialog, false);
    const CAmedasPoint* site = picked ? session.SiteAt(*picked) : nullptr;
    if (site == nullptr) {
        return false;
    }
    selection.siteNumber = site->siteNumber;
    selection.areaCode = site->areaCode;
    return true;
}

void SiteRow::ChooseArea(int item) {
    if (item < 0 || item >= static_cast<int>(areaItems_.size())) {
        return;
    }
    AppSelection& selection = session_.Selection();
    selection.areaCode = areaItems_[static_cast<std::size_t>(item)];
    selection.siteNumber = -1;
    FillSiteList(session_, *siteList_, siteItems_);
    emit SiteChanged();
}

void SiteRow::ChooseSite(int item) {
    if (item < 0 || item >= static_cast<int>(siteItems_.size())) {
        return;
    }
    session_.Selection().siteNumber =
        session_.SiteAt(siteItems_[static_cast<std::size_t>(item)])->siteNumber;
    emit SiteChanged();
}

void SiteRow::PickOnMap() {
    const std::optional<int> picked = sites_.PickSite(&dialog_, false);
    const CAmedasPoint* site = picked ? session_.SiteAt(*picked) : nullptr;
    if (site == nullptr) {
        return;
    }
    AppSelection& selection = session_.Selection();
    selection.siteNumber = site->siteNumber;
    selection.areaCode = site->areaCode;
    Refill();
    emit SiteChanged();
}

// The dialog

ViewerShell::ViewerShell(AppSession& session, SitePicker& sites, const char* name,
                         const QString& title, bool monthly, QWidget* parent, QSize graphSize)
    : QDialog(parent), session_(session), sites_(sites),
      graph_(new GraphPane(graphSize, monthly, this)), selector_(new SelectorPane(this)),
      logo_(LoadPngResourceForDisplay(292)) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(title);
    UseDialogBackground(*this);
    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(10);
    auto* leftColumn = new QWidget(this);
    leftColumn->setFixedWidth(kSelectorWidth + 4);
    left_ = new QVBoxLayout(leftColumn);
    left_->setContentsMargins(0, 0, 0, 0);
    left_->setSpacing(3);
    root->addWidget(leftColumn);
    right_ = new QVBoxLayout;
    right_->setSpacing(6);
    root->addLayout(right_);
    siteRowLayout_ = new QHBoxLayout;
    right_->addLayout(siteRowLayout_);
    siteRow_ = new SiteRow(session_, sites_, *this, *siteRowLayout_);
    endedAtStart_ = !SiteRow::PickAtStart(session_, sites_, this);
}

void ViewerShell::AddLeft(QWidget* box) const {
    left_->addWidget(box);
}

QGroupBox* ViewerShell::AddAngleBox(const QString& title, QButtonGroup*& modes) {
    auto* box = new QGroupBox(title, this);
    modes = new QButtonGroup(this);
    angles_ = new AngleControls(*box, *modes, *graph_->Frame());
    left_->addWidget(box);
    return box;
}

void ViewerShell::AddSelectorAndButtons(
    const std::vector<std::pair<ViewerButtonSpec, std::function<void()>>>& buttons) {
    left_->addWidget(selector_->Frame());
    for (const auto& [spec, run] : buttons) {
        auto* button = ViewerButton(spec.id, spec.text, spec.normal, spec.hover, this);
        connect(button, &QPushButton::clicked, this, run);
        left_->addWidget(button, 0, Qt::AlignHCenter);
    }
    left_->addStretch();
    left_->addSpacing(60); // the logo's place, drawn 70 pixels above the bottom
}

void ViewerShell::AddRight(QLayout* row) const {
    right_->addLayout(row);
}

void ViewerShell::AddGraphAndEndButtons(const std::optional<ViewerButtonSpec>& otherViewer) {
    siteRowLayout_->addStretch();
    right_->addWidget(graph_->Frame());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    if (otherViewer) {
        auto* other = ViewerButton(otherViewer->id, otherViewer->text, otherViewer->normal,
                                   otherViewer->hover, this);
        buttons->addWidget(other);
        connect(other, &QPushButton::clicked, this, &QDialog::reject);
    }
    auto* end = otherViewer
                    ? ViewerButton("1", QStringLiteral("メニュー画面に戻る"), 227, 228, this)
                    : ViewerButton("1", QStringLiteral("閉じる"), 370, 371, this);
    end->setDefault(true);
    buttons->addWidget(end);
    right_->addLayout(buttons);
    connect(end, &QPushButton::clicked, this, &QDialog::accept);
}

void ViewerShell::PrintThrough(const std::function<PrintStatus(QPrinter&)>& print) {
    if (!loaded_) {
        return;
    }
    PrintRequest request;
    request.documentName = printDocumentName_;
    request.singlePageOnly = true;
    if (std::unique_ptr<QPrinter> printer = CurrentPlatform().ChoosePrinter(this, request)) {
        PrintStatus status = PrintStatus::NotStarted;
        {
            WaitCursor wait;
            status = print(*printer);
        }
        ReportPrint(this, status, false);
    }
    ShowEveryLegendEntry();
}

void ViewerShell::showEvent(QShowEvent* event) {
    const QRect work = CurrentPlatform().WorkArea(this);
    move(work.center() - QPoint(width() / 2, height() / 2));
    graph_->Frame()->setFocus();
    QDialog::showEvent(event);
}

void ViewerShell::FollowSessionSite() {
    siteRow_->Refill();
    emit siteRow_->SiteChanged();
}

void ViewerShell::closeEvent(QCloseEvent* event) {
    event->accept();
    accept();
}

void ViewerShell::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    DrawImageNatural(p, logo_, 40, height() - 70);
}

} // namespace quorvane

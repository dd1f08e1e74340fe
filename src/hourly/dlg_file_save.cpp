#include "hourly/dlg_file_save.h"

#include "ui/app_style.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvane {

namespace {

const QColor kDarkBlue(0, 0, 192);
const QColor kGreyedText(96, 96, 96);

void StyleOptions(QDialog& dialog, const char* name, const QString& title) {
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setWindowTitle(title);
    dialog.setAutoFillBackground(true);
    QPalette colours = dialog.palette();
    colours.setColor(QPalette::Window, QColor(240, 240, 240));
    dialog.setPalette(colours);
    dialog.setFont(AppStyle::Get().SharedFont());
}

QLabel* Label(const char* id, const QString& text, QWidget* parent, QColor colour = Qt::black) {
    auto* label = new QLabel(text, parent);
    if (id != nullptr) {
        label->setObjectName(QString::fromLatin1(id));
    }
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}

QRadioButton* Radio(const char* id, const QString& text, QButtonGroup* group, int value,
                    QWidget* parent) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QString::fromLatin1(id));
    group->addButton(radio, value);
    return radio;
}

// "CSV形式" and "TXT形式" with their explanations; CSV chosen.
QButtonGroup* AddFormatChoice(QDialog& dialog, QVBoxLayout& layout, const char* promptId) {
    layout.addWidget(Label(promptId, QStringLiteral("出力ファイルの形式を選択してください。"),
                           &dialog, kDarkBlue));
    auto* group = new QButtonGroup(&dialog);
    layout.addWidget(Radio("1003", QStringLiteral("CSV形式"), group, 0, &dialog));
    layout.addWidget(
        Label(nullptr, QStringLiteral("　　カンマ区切りのデータを出力します。"), &dialog));
    layout.addWidget(Radio("1005", QStringLiteral("TXT形式"), group, 1, &dialog));
    layout.addWidget(
        Label(nullptr, QStringLiteral("　　固定長のテキスト形式のデータを出力します。"), &dialog));
    group->button(0)->setChecked(true);
    return group;
}

void AddButtons(QDialog& dialog, QVBoxLayout& layout) {
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), &dialog);
    cancel->setObjectName(QStringLiteral("2"));
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout.addSpacing(8);
    layout.addLayout(row);
}

QString SlopeMessage(ExportKind kind, HourlyAngleMode mode, int tilt, int azimuth) {
    const bool year = kind == ExportKind::WholeYear;
    switch (mode) {
    case HourlyAngleMode::FixedTilt:
        return (year ? QStringLiteral("傾斜角%1度の１年分のデータを出力します。")
                     : QStringLiteral("傾斜角%1度のデータを出力します。"))
            .arg(tilt);
    case HourlyAngleMode::FixedAzimuth:
        return (year ? QStringLiteral("方位角%1度の１年分のデータを出力します。")
                     : QStringLiteral("方位角%1度のデータを出力します。"))
            .arg(azimuth);
    case HourlyAngleMode::Orientation:
        break;
    }
    return (year ? QStringLiteral("傾斜角%1度、方位角%2度の１年分のデータを出力します。")
                 : QStringLiteral("傾斜角%1度、方位角%2度のデータを出力します。"))
        .arg(tilt)
        .arg(azimuth);
}

} // namespace

CDlgFileSaveH::CDlgFileSaveH(ExportKind kind, QWidget* parent) : QDialog(parent) {
    StyleOptions(*this, "CDlgFileSaveH", QStringLiteral("水平面データの保存"));
    auto* layout = new QVBoxLayout(this);
    message_ =
        Label("1074",
              kind == ExportKind::WholeYear ? QStringLiteral("１年分の水平面データを出力します。")
                                            : QStringLiteral("表示中の水平面データを出力します。"),
              this);
    layout->addWidget(message_);
    layout->addSpacing(6);
    format_ = AddFormatChoice(*this, *layout, "1049");
    if (kind == ExportKind::WholeYear) {
        const auto weather = [&](const char* id, const QString& text, int value,
                                 const QString& line) {
            layout->addWidget(Radio(id, text, format_, value, this));
            layout->addWidget(Label(nullptr, line, this));
        };
        weather("1006", QStringLiteral("EPW形式（EnergyPlus）"), 2,
                QStringLiteral("　　EnergyPlus などの気象データファイルを出力します。"));
        weather(
            "1007", QStringLiteral("SAM CSV形式"), 3,
            QStringLiteral("　　System Advisor Model（SAM）の気象データファイルを出力します。"));
        weather("1008", QStringLiteral("TMY3形式"), 4,
                QStringLiteral("　　TMY3 形式の気象データファイル（CSV）を出力します。"));
    }
    AddButtons(*this, *layout);
}

ExportFormat CDlgFileSaveH::Format() const {
    return format_->checkedId() == 1 ? ExportFormat::Txt : ExportFormat::Csv;
}

std::optional<WeatherFormat> CDlgFileSaveH::Weather() const {
    switch (format_->checkedId()) {
    case 2:
        return WeatherFormat::Epw;
    case 3:
        return WeatherFormat::Sam;
    case 4:
        return WeatherFormat::Tmy3;
    default:
        return std::nullopt;
    }
}

QString CDlgFileSaveH::Message() const {
    return message_->text();
}

CDlgFileSaveS::CDlgFileSaveS(ExportKind kind, HourlyAngleMode mode, int tiltDeg, int azimuthDeg,
                             QWidget* parent)
    : QDialog(parent), mode_(mode) {
    StyleOptions(*this, "CDlgFileSaveS", QStringLiteral("斜面日射量データの保存"));
    auto* layout = new QVBoxLayout(this);
    message_ = Label("1074", SlopeMessage(kind, mode, tiltDeg, azimuthDeg), this);
    layout->addWidget(message_);
    layout->addSpacing(6);
    const bool orientation = mode == HourlyAngleMode::Orientation;
    unitPrompt_ = Label("1049",
                        mode == HourlyAngleMode::FixedAzimuth
                            ? QStringLiteral("傾斜角の出力単位を選択してください。")
                            : QStringLiteral("方位角の出力単位を選択してください。"),
                        this, orientation ? kGreyedText : kDarkBlue);
    layout->addWidget(unitPrompt_);
    unit_ = new QButtonGroup(this);
    auto* units = new QHBoxLayout;
    units->addWidget(Radio("1090", QStringLiteral("１度単位"), unit_, 0, this));
    units->addWidget(Radio("1091", QStringLiteral("５度単位"), unit_, 1, this));
    units->addStretch();
    layout->addLayout(units);
    unit_->button(0)->setChecked(true);
    for (QAbstractButton* radio : unit_->buttons()) {
        radio->setEnabled(!orientation);
    }
    layout->addSpacing(6);
    format_ = AddFormatChoice(*this, *layout, "1050");
    AddButtons(*this, *layout);
}

ExportFormat CDlgFileSaveS::Format() const {
    return format_->checkedId() == 1 ? ExportFormat::Txt : ExportFormat::Csv;
}

int CDlgFileSaveS::StepDeg() const {
    return mode_ != HourlyAngleMode::Orientation && unit_->checkedId() == 1 ? 5 : 1;
}

QString CDlgFileSaveS::Message() const {
    return message_->text();
}

QString CDlgFileSaveS::UnitPrompt() const {
    return unitPrompt_->text();
}

bool CDlgFileSaveS::UnitChoosable() const {
    return unit_->button(0)->isEnabled();
}

} // namespace quorvane

#include "ui/dlg_digit_input.h"

#include "ui/platform.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <limits>

namespace quorvane {

std::optional<int> ParseDigitInput(const QString& text) {
    for (const QChar c : text) {
        if (!(c >= u'0' && c <= u'9') && c != u'-') {
            return std::nullopt;
        }
    }
    qsizetype i = 0;
    const bool negative = text.startsWith(u'-');
    if (negative) {
        ++i;
    }
    // Accumulated as a negative number so that the int minimum fits.
    long long value = 0;
    for (; i < text.size() && text[i].isDigit(); ++i) {
        value = value * 10 - (text[i].unicode() - u'0');
        if (value < std::numeric_limits<int>::min()) {
            return std::nullopt;
        }
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<int>(value);
}

CDlgDigitInput::CDlgDigitInput(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), edit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("CDlgDigitInput"));
    edit_->setObjectName(QStringLiteral("1010"));
    edit_->setAccessibleName(QStringLiteral("数値"));
    edit_->setFixedWidth(64);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(edit_);
    layout->addWidget(ok);
    layout->addWidget(cancel);
}

void CDlgDigitInput::showEvent(QShowEvent* event) {
    move(position_);
    edit_->setText(QString::number(value_));
    edit_->selectAll();
    edit_->setFocus();
    QDialog::showEvent(event);
}

void CDlgDigitInput::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Without a title bar the pop-up needs its own edge.
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CDlgDigitInput::accept() {
    const std::optional<int> value = ParseDigitInput(edit_->text());
    if (!value) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("数値を入力してください"));
        return;
    }
    value_ = *value;
    QDialog::accept();
}

} // namespace quorvane

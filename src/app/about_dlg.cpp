#include "app/about_dlg.h"

#include "app/version.h"
#include "ui/image.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvane {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFont(CreatePointFont(ProportionalGothicFace(), FontStyle::Regular, 10));

    auto* icon = new QLabel(this);
    icon->setPixmap(QGuiApplication::windowIcon().pixmap(48, 48));
    icon->setFixedSize(52, 52);
    const ProgramVersion version = CurrentVersion();
    auto* line = new QLabel(
        QStringLiteral("HORIX, Version %1.%2").arg(version.major).arg(version.minor), this);
    line->setObjectName(QStringLiteral("version"));
    auto* product = new QLabel(QStringLiteral("Quorvane　日射量データベース閲覧システム"), this);
    QPalette muted = product->palette();
    muted.setColor(QPalette::WindowText, QColor(0x55, 0x66, 0x80));
    product->setPalette(muted);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    ok->setMinimumWidth(80);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(line);
    texts->addWidget(product);
    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    top->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addLayout(top);
    setFixedSize(sizeHint());
}

} // namespace quorvane

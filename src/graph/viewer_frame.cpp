#include "graph/viewer_frame.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvane {

void DescribeGraph(QWidget& frame, const std::string& title, const std::vector<GraphText>& info) {
    QStringList lines;
    for (const GraphText& line : info) {
        lines << QString::fromStdString(line.text);
    }
    frame.setAccessibleName(QString::fromStdString(title));
    frame.setAccessibleDescription(lines.join(QStringLiteral("、")));
}

void DescribeSelector(QWidget& frame, int tiltDeg, int azimuthDeg) {
    frame.setAccessibleName(QStringLiteral("傾斜角・方位角の指定"));
    frame.setAccessibleDescription(
        QStringLiteral("傾斜角%1度 方位角%2度").arg(tiltDeg).arg(azimuthDeg));
}

UpDown::UpDown(const char* id, const QString& name, QWidget* parent) : QWidget(parent) {
    const QString identifier = QString::fromLatin1(id);
    setObjectName(identifier);
    setAccessibleName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int step : {+1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setObjectName(identifier +
                             (step > 0 ? QStringLiteral("-up") : QStringLiteral("-down")));
        arrow->setAccessibleName(
            name + (step > 0 ? QStringLiteral("を増やす") : QStringLiteral("を減らす")));
        arrow->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setFixedSize(16, 11);
        arrow->setAutoRepeat(true);
        connect(arrow, &QToolButton::clicked, this, [this, step] { emit stepped(step); });
        layout->addWidget(arrow);
    }
}

ViewerFrame::ViewerFrame(ViewerFrameOwner& owner, const char* id, QSize size, bool takesFocus,
                         QWidget* parent)
    : QWidget(parent), owner_(owner) {
    setObjectName(QString::fromLatin1(id));
    setMouseTracking(true);
    setFixedSize(size);
    if (takesFocus) {
        setFocusPolicy(Qt::StrongFocus); // the angle edits hand their focus here
    }
}

void ViewerFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    owner_.FramePaint(p);
}

void ViewerFrame::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        owner_.FramePress(event->position().toPoint());
    }
}

void ViewerFrame::mouseMoveEvent(QMouseEvent* event) {
    owner_.FrameMove(event->position().toPoint());
}

void ViewerFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        owner_.FrameRelease(event->position().toPoint());
    }
}

void ViewerFrame::leaveEvent(QEvent*) {
    owner_.FrameLeft();
}

void ViewerFrame::contextMenuEvent(QContextMenuEvent* event) {
    owner_.FrameContextMenu(event->globalPos());
}

} // namespace quorvane

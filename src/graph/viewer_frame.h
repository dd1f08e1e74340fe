#pragma once

#include "graph/graph_layout.h"

#include <QPoint>
#include <QWidget>
#include <string>
#include <vector>

class QPainter;

namespace quorvane {

// What a viewer draws again: the picker, the graph, or both.
enum class RedrawPart { Selector = 0x1, Graph = 0x10, Both = 0x11 };
constexpr bool Includes(RedrawPart parts, RedrawPart part) {
    return (static_cast<int>(parts) & static_cast<int>(part)) != 0;
}

// An up-down control without a buddy: two arrows that report +1 and -1.
class UpDown : public QWidget {
    Q_OBJECT
public:
    // `name` says what the arrows change ("傾斜角（傾斜角指定）").
    UpDown(const char* id, const QString& name, QWidget* parent);
signals:
    void stepped(int step);
};

// What handles a frame's painting and mouse.
class ViewerFrameOwner {
public:
    virtual ~ViewerFrameOwner() = default;
    virtual void FramePaint(QPainter& p) = 0;
    virtual void FramePress(QPoint at) = 0;
    virtual void FrameMove(QPoint at) = 0;
    virtual void FrameRelease(QPoint at) = 0;
    virtual void FrameLeft() {}
    virtual void FrameContextMenu(QPoint) {}
};

// The graph frame 1012 or the picker frame 1020 of a viewer: it paints its owner's
// back buffer and hands it the mouse in frame coordinates.
class ViewerFrame : public QWidget {
    Q_OBJECT
public:
    ViewerFrame(ViewerFrameOwner& owner, const char* id, QSize size, bool takesFocus,
                QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    ViewerFrameOwner& owner_;
};

// What a screen reader says of a graph frame: the graph's title, and its information
// lines (site, date, year) as the description.
void DescribeGraph(QWidget& frame, const std::string& title, const std::vector<GraphText>& info);
// What it says of a picker frame: the orientation it shows.
void DescribeSelector(QWidget& frame, int tiltDeg, int azimuthDeg);

} // namespace quorvane

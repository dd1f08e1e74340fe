#pragma once

#include "graph/graph_layout.h"

#include <QPoint>
#include <QWidget>
#include <string>
#include <vector>

class QPainter;

namespace quorvane {

// What a viewer's redraw request renders: the picker, the graph, the hover test,
// or only the back buffers again.
inline constexpr int kRedrawSelector = 0x1;
inline constexpr int kRedrawGraph = 0x10;
inline constexpr int kRedrawHover = 0x100;
inline constexpr int kRedrawPresent = 0x1000;

// An up-down control without a buddy: two arrows that report +1 and -1.
class UpDown : public QWidget {
    Q_OBJECT
public:
    // `name` says what the arrows change ("傾斜角（傾斜角指定）").
    UpDown(const char* id, const QString& name, QWidget* parent);
signals:
    void stepped(int step);
};

// What a screen reader says of a graph frame: the graph's title, and its information
// lines (site, date, year) as the description.
void DescribeGraph(QWidget& frame, const std::string& title, const std::vector<GraphText>& info);
// What it says of a picker frame: the orientation it shows.
void DescribeSelector(QWidget& frame, int tiltDeg, int azimuthDeg);

// What a viewer does with its graph frame and its picker frame.
class ViewerFrameOwner {
public:
    enum class Frame { Graph, Selector };
    virtual ~ViewerFrameOwner() = default;
    virtual void FramePaint(Frame frame, QPainter& p) = 0;
    virtual void FramePress(Frame frame, QPoint at) = 0;
    virtual void FrameMove(Frame frame, QPoint at) = 0;
    virtual void FrameRelease(Frame frame, QPoint at) = 0;
    virtual void FrameLeft(Frame frame) = 0;
    virtual void FrameContextMenu(Frame frame, QPoint screenPosition) = 0;
};

// The graph frame 1012 or the picker frame 1020 of a viewer: it paints the owner's
// back buffer and hands it the mouse in frame coordinates.
class ViewerFrame : public QWidget {
    Q_OBJECT
public:
    ViewerFrame(ViewerFrameOwner& owner, ViewerFrameOwner::Frame frame, const char* id, QSize size,
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
    ViewerFrameOwner::Frame frame_;
};

} // namespace quorvane

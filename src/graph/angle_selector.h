#pragma once

#include "graph/angle_selector_model.h"
#include "graph/graph_rect.h"

#include <QImage>

class QPainter;

namespace quorvane {

// The tilt/azimuth picker beside the graph: a perspective drawing of the panel on
// the ground with a compass, a tilt slider and an azimuth slider. Mouse
// coordinates are those of the selector rectangle (its top-left corner is 0, 0).
class CAngleSelector {
public:
    void Init(AngleSelectorOwner* owner);
    void Release();

    void CreateBackBuffer(double devicePixelRatio = 1.0);
    bool BackBufferValid() const { return m_backBufferValid; }
    const QImage& BackBuffer() const { return m_backBuffer; }

    // Draws the picture into the back buffer, made anew at `devicePixelRatio` when the
    // size or the ratio changed.
    void Redraw(const GraphRect& rect, double devicePixelRatio);
    // Redraws at the back buffer's ratio (the window's for a first one) and copies it
    // to the window.
    void Render(QPainter& window, const GraphRect& rect);
    // Copies the back buffer as it is.
    void Present(QPainter& window, const GraphRect& rect);
    // The picture for a selector of the given size, on any surface.
    void Draw(QPainter& p, int widthPx, int heightPx) const;

    void SyncFromViewer() { m_model.SyncFromViewer(); }
    void SetSteps(int tiltStep, int azimuthStep) { m_model.SetSteps(tiltStep, azimuthStep); }
    void OnMouseDown(int x, int y) { m_model.OnMouseDown(x, y); }
    void OnMouseMove(int x, int y) { m_model.OnMouseMove(x, y); }
    void EndDrag() { m_model.EndDrag(); }
    int DragState() const { return m_model.DragStateValue(); }

    const AngleSelectorModel& Model() const { return m_model; }
    const GraphRect& Rect() const { return m_rect; }

private:
    void DrawSliders(QPainter& p) const;

    AngleSelectorModel m_model;
    QImage m_backBuffer;
    bool m_backBufferValid = false;
    GraphRect m_rect;
};

} // namespace quorvane

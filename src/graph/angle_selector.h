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
    // Shows the viewer's plane and which sliders move.
    void Show(const SelectorView& view) { model_.Show(view); }
    void Release();

    void CreateBackBuffer(double devicePixelRatio = 1.0);
    bool BackBufferValid() const { return backBufferValid_; }
    const QImage& BackBuffer() const { return backBuffer_; }

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

    void OnMouseDown(int x, int y) { model_.OnMouseDown(x, y); }
    // The plane a drag moved to, or nothing.
    std::optional<PlaneAngles> OnMouseMove(int x, int y) { return model_.OnMouseMove(x, y); }
    void EndDrag() { model_.EndDrag(); }

    const AngleSelectorModel& Model() const { return model_; }
    const GraphRect& Rect() const { return rect_; }

private:
    void DrawSliders(QPainter& p) const;

    AngleSelectorModel model_;
    QImage backBuffer_;
    bool backBufferValid_ = false;
    GraphRect rect_;
};

} // namespace quorvane

#pragma once

#include "graph/graph_draw.h"
#include "graph/graph_layout.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class QPainter;

namespace quorvane {

// Pens, brushes, palettes and fonts of one output scale.
struct CanvasStyles {
    int scale = 1;
    double penWidth = 1.0;

    QBrush backgroundBrush{Qt::white};
    QPen blackPen;
    QPen greyPen;
    QPen halfGreyPen;
    QPen bluePen;
    QBrush blackBrush;
    QBrush darkGreyBrush;
    QBrush blueBrush;
    QBrush whiteBrush;
    QBrush paleYellowBrush;
    QBrush highlightBrush;

    // Nine series colours in three rows; an invalid colour draws nothing.
    std::array<QColor, 9> seriesRow1;
    std::array<QColor, 9> seriesRow2;
    std::array<QColor, 9> seriesRow3;
    std::array<QPen, 9> seriesPens; // from row 3
    std::array<QBrush, 9> seriesBrushes;

    std::array<QColor, 14> palette;
    std::array<QColor, 14> paletteLight;
    std::array<QPen, 14> palettePens;
    std::array<QBrush, 14> paletteBrushes;

    QFont font8;
    QFont font10;
    QFont font11Bold;
    QFont font16Bold;

    // The monthly graphs' series (ConstructMonthly).
    bool monthly = false;
    std::array<QPen, 13> monthlyThinPens;
    std::array<QPen, 13> monthlySecondPens;
    std::array<QBrush, 13> monthlyBrushes;
    QPen averagePen, maximumPen, minimumPen;
    QBrush averageBrush, maximumBrush, minimumBrush;
    QBrush loadErrorBrush;

    static CanvasStyles Make(int scale, bool monthly);

    MarkerStyle HorizontalMarker(int element, bool tenDay = false) const;
    MarkerStyle SlopeMarker(int series, bool tenDay = false) const;
    MarkerStyle MonthlyMarker(int kind) const;
};

using GraphStyles = CanvasStyles;

// Pixel size of a font given in points at 96 dots per inch, times the scale.
int FontPixelSize(double points, int scale);
QFont GothicFont(double points, bool bold, int scale);

QPoint ToQPoint(GraphPoint point);
// A core ARGB colour; 0 is no colour.
QColor ArgbColour(std::uint32_t argb);

// Painting of a graph layout onto any device (widget back buffer, printed page,
// image or vector file), in graph-area coordinates.
void RenderLegendCheckBox(QPainter& p, const CHanreiObj& entry, bool highlighted,
                          const GraphStyles& styles);
void RenderLegendEntry(QPainter& p, const CHanreiObj& entry, bool highlighted,
                       const GraphStyles& styles);
void RenderLegendToggle(QPainter& p, const GraphLayout& layout, bool pressed,
                        const GraphStyles& styles);
void RenderWindLegendButton(QPainter& p, const GraphLayout& layout, bool pressed,
                            const GraphStyles& styles);
// The extent of a text in the font of the nav labels and the wind legend button, on
// the painter's device (or the screen without one).
TextExtent ButtonTextExtent(QPainter* p, const QString& text, const GraphStyles& styles);
// The six navigation pictures 174..179: previous, previous hovered, previous
// disabled, next, next hovered, next disabled.
using NavPictures = std::array<QImage, 6>;
NavPictures LoadNavPictures();
// The buttons in their state; `hovered` 0 previous, 1 next, else none. Disabled
// buttons are drawn at their slots.
void RenderNavButtons(QPainter& p, const GraphLayout& layout, int hovered,
                      const NavPictures& pictures, const GraphStyles& styles);
void RenderLoadError(QPainter& p, const GraphRect& graph, const GraphStyles& styles);

// The controls every graph shares: the legend entries and, at screen scale, the
// all-on/all-off toggle and the wind legend button. The navigation buttons are
// drawn by RenderNavButtons, since only the screen shows them.
void Render(QPainter& p, const GraphLayout& layout, const GraphStyles& styles);

// The extent of the wind legend button's text on the screen, for composing a graph
// shown there (or printed as a plain copy).
TextExtent ScreenWindButtonText();
// The frame of a screen graph of the given size.
GraphFrame ScreenGraphFrame(int width, int height);

// The graph area of a viewer: the graph last shown in it (its composed layout, kept
// for hit tests and for drawing the pressed and hovered buttons over it) and the back
// buffer it was drawn into at the screen's pixel ratio. Coordinates are those of the
// graph area (its top-left corner is 0, 0) except for the calls that take a window
// painter.
class CGraphCanvas {
public:
    explicit CGraphCanvas(bool monthly = false);

    void SetGraphRect(const GraphRect& windowRect);
    const GraphRect& GraphRectInWindow() const { return graphRect_; }
    GraphRect LocalRect() const { return {0, 0, graphRect_.Width(), graphRect_.Height()}; }
    const GraphStyles& Styles() const { return styles_; }
    const NavPictures& Pictures() const { return navPictures_; }

    // Shows a composed graph: keeps its layout and has `paint` draw it into the back
    // buffer, made anew when the pixel ratio changed.
    void Show(GraphLayout layout, double devicePixelRatio,
              const std::function<void(QPainter&)>& paint);

    const GraphLayout& Layout() const { return layout_; }
    const std::vector<CHanreiObj>& Legend() const { return layout_.legend; }
    const std::vector<tagGraphToolTip>& Tooltips() const { return layout_.tooltips; }
    const GraphRect& LegendToggleRect() const { return layout_.toggle; }
    const GraphRect& WindLegendButtonRect() const { return layout_.windButton; }
    const GraphRect& PreviousButtonRect() const { return layout_.previous; }
    const GraphRect& NextButtonRect() const { return layout_.next; }
    GraphHit HitTest(int x, int y) const { return quorvane::HitTest(layout_, x, y); }
    bool AnyLegendEntryHidden() const { return quorvane::AnyLegendEntryHidden(layout_.legend); }

    bool BackBufferValid() const { return !backBuffer_.isNull(); }
    const QImage& BackBuffer() const { return backBuffer_; }
    static void PrepareSurface(QPainter& p);

    // The back buffer on the window, with what the mouse does drawn over it: the
    // pressed button or entry (entries only while the pointer is still over them) and
    // the hovered navigation button with its label.
    void Present(QPainter& window, GraphHit pressed = {}, bool pointerOnPressed = false,
                 int hoveredNav = -1) const;

private:
    QImage backBuffer_;
    GraphRect graphRect_;
    GraphLayout layout_;
    GraphStyles styles_;
    NavPictures navPictures_;
};

} // namespace quorvane

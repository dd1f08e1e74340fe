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

// The graph area both viewers draw into: its layout value, styles, back buffer and
// navigation pictures. Coordinates are those of the graph area (its top-left corner
// is 0, 0) except for the calls that take a window painter.
class CGraphCanvas {
public:
    CGraphCanvas();

    void Construct(int scale = 1);
    void ConstructMonthly(int scale = 1);
    void Destroy();
    bool IsMonthly() const { return m_styles.monthly; }

    void SetGraphRect(const GraphRect& windowRect);
    const GraphRect& GraphRectInWindow() const { return m_graphRect; }
    GraphRect LocalRect() const { return m_layout.graph; }

    int OutputScale() const { return m_styles.scale; }
    double PenWidth() const { return m_styles.penWidth; }
    const GraphStyles& Styles() const { return m_styles; }

    GraphLayout& Layout() { return m_layout; }
    const GraphLayout& Layout() const { return m_layout; }
    void SetDataKind(DataKind kind) { m_layout.dataKind = kind; }
    void SetNavButtons(NavButtons nav) { m_layout.nav = nav; }

    // Back buffer of the graph area, made on the first draw.
    bool BackBufferValid() const { return m_backBufferValid; }
    void CreateBackBuffer(double devicePixelRatio = 1.0);
    QImage& BackBuffer() { return m_backBuffer; }
    const QImage& BackBuffer() const { return m_backBuffer; }
    static void PrepareSurface(QPainter& p);

    void Present(QPainter& window) const;
    void PresentWithTogglePressed(QPainter& window) const;

    AxisRecord& Axis(int index) { return m_layout.axes[static_cast<std::size_t>(index)]; }
    const AxisRecord& Axis(int index) const {
        return m_layout.axes[static_cast<std::size_t>(index)];
    }
    void SetupHourlyAxes(const GraphRect& graph, const GraphRect& plot);
    void SetupDailyAxes(const GraphRect& graph, const GraphRect& plot);
    void SetupSlopeHourlyAxis(const GraphRect& plot);
    void SetupSlopeDailyAxis(const GraphRect& plot);

    std::vector<tagGraphToolTip>& Tooltips() { return m_layout.tooltips; }
    const std::vector<tagGraphToolTip>& Tooltips() const { return m_layout.tooltips; }
    std::vector<CHanreiObj>& Legend() { return m_layout.legend; }
    const std::vector<CHanreiObj>& Legend() const { return m_layout.legend; }

    // Legend toggle and wind legend button; empty rectangles are never hit.
    void PlaceLegendButtons();
    void SetLegendToggleRect(const GraphRect& rect) { m_layout.toggle = rect; }
    const GraphRect& LegendToggleRect() const { return m_layout.toggle; }
    const GraphRect& WindLegendButtonRect() const { return m_layout.windButton; }

    int HitTest(int x, int y) const { return HitCode(m_layout, x, y); }
    void ToggleLegendEntry(int code) { quorvane::ToggleLegendEntry(m_layout.legend, code); }
    bool AnyLegendEntryHidden() const { return quorvane::AnyLegendEntryHidden(m_layout.legend); }
    QString LegendToggleText() const;

    void DrawLegendToggle(QPainter& p, bool pressed) const;
    void DrawLegendEntries(QPainter& p) const;
    void RedrawLegendEntry(QPainter& window, int index, bool highlighted) const;

    void PlaceNavButtons() { quorvane::PlaceNavButtons(m_layout); }
    const GraphRect& PreviousButtonRect() const { return m_layout.previous; }
    const GraphRect& NextButtonRect() const { return m_layout.next; }
    // The label box shown above a hovered button, empty when none is hovered.
    GraphRect NavLabelBox(QPainter& p, int hovered) const;
    void DrawNavButtonPictures(QPainter& p, int hovered) const;
    void DrawNavButtons(QPainter& window, int hovered) const;

    void DrawWindLegendButton(QPainter& p, bool pressed) const;
    void RedrawWindLegendButton(QPainter& window) const;

    void DrawLoadError(QPainter& p) const;

private:
    // Presents the back buffer, then runs `draw` with the painter at the graph origin.
    template <class Draw>
    void OnWindow(QPainter& window, bool present, Draw&& draw) const;

    QImage m_backBuffer;
    bool m_backBufferValid = false;
    GraphRect m_graphRect;
    GraphLayout m_layout;
    GraphStyles m_styles;
    NavPictures m_navPictures;
};

} // namespace quorvane

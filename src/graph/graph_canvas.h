#pragma once

#include "graph/graph_draw.h"
#include "graph/graph_rect.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QString>
#include <array>
#include <vector>

class QPainter;

namespace quorvane {

// What the canvas asks of the viewer that embeds it.
class GraphCanvasOwner {
public:
    virtual ~GraphCanvasOwner() = default;
    virtual int ViewMode() const = 0; // hourly 0 day, 1 month, 2 ten days, 3 and 4 rankings
    virtual int DataKind() const = 0; // 0 horizontal, 1 slope
};

// One hover area of a graph.
struct tagGraphToolTip {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    QString text;
    int kind = 0;

    GraphRect Rect() const { return {left, top, right, bottom}; }
};

// The hover area of a drawn point: 5 pixels on every side of it.
tagGraphToolTip PointTooltip(int x, int y, const QString& text, int kind = 0);

class TooltipArray {
public:
    void SetSize(int size);
    int Add(const tagGraphToolTip& tip);
    const tagGraphToolTip* At(int index) const;
    int Size() const { return static_cast<int>(m_tips.size()); }
    void RemoveAll() { m_tips.clear(); }
    // The area under the point; later areas lie on top. -1 when none.
    int FindAt(int x, int y) const;

private:
    std::vector<tagGraphToolTip> m_tips;
};

// One clickable legend entry.
struct CHanreiObj {
    static constexpr int kUnplaced = -9999;

    GraphRect frame{kUnplaced, kUnplaced, kUnplaced, kUnplaced};
    GraphRect checkBox{kUnplaced, kUnplaced, kUnplaced, kUnplaced};
    int visible = 1;
    QString label;
    QPoint labelPos;
    QPen outlinePen{QColor::fromRgba(0xffb9d8ac)};
    QPen secondPen{QColor::fromRgba(0xff6a8160)};
    QBrush hoverBrush{QColor::fromRgba(0xffd7f6ca)};
    QBrush normalBrush{Qt::white};
    QPen checkPen{Qt::black, 2.0};
    QBrush textBrush{Qt::black};

    // Sample of the series, placed by the viewer's legend layout.
    bool hasSample = false;
    QPoint sampleStart;
    QPoint sampleEnd;
    QPen samplePen;
    MarkerStyle marker;
    QPoint markerPos;
};

// Places an entry whose row starts at (x0, y0): a 12 x 12 box, a 28-long sample
// line 4 to the right of the box at its mid-height, the marker at the line's middle,
// the text 1 pixel after the line. The click frame reaches 6 pixels per character
// beyond the line; at print scale the entry is not clickable.
void LayoutLegendEntry(CHanreiObj& entry, int x0, int y0, int scale);

class LegendArray {
public:
    void SetSize(int size);
    void RemoveAll() { m_entries.clear(); }
    int Add(const CHanreiObj& entry);
    CHanreiObj* At(int index);
    const CHanreiObj* At(int index) const;
    int Size() const { return static_cast<int>(m_entries.size()); }

private:
    std::vector<CHanreiObj> m_entries;
};

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

// Pixel size of a font given in points at 96 dots per inch, times the scale.
int FontPixelSize(double points, int scale);
QFont GothicFont(double points, bool bold, int scale);

// Axis records by the series index they serve; the slope graphs use kAxisSlope.
enum AxisIndex {
    kAxisGlobal = 0,
    kAxisDirect = 1,
    kAxisDiffuse = 2,
    kAxisSunshine = 3,
    kAxisTemperature = 4,
    kAxisSlope = 5,
    kAxisSpare = 6,
    kAxisPrecipitation = 7,
    kAxisSnow = 8,
    kAxisCount = 9
};

inline constexpr int kHitLegendToggle = 99;
inline constexpr int kHitWindLegend = 98;
inline constexpr int kHitPrevious = 91;
inline constexpr int kHitNext = 92;
inline constexpr int kHitNothing = -1;

// The graph area both viewers draw into: back buffer, styles, axis records,
// legend, tooltips and buttons. Coordinates are those of the graph area (its
// top-left corner is 0, 0) except for the calls that take a window painter.
class CGraphCanvas {
public:
    CGraphCanvas();

    void SetOwner(const GraphCanvasOwner* owner) { m_owner = owner; }

    void Construct(int scale = 1);
    void ConstructMonthly(int scale = 1);
    void Destroy();
    bool IsMonthly() const { return m_styles.monthly; }

    void SetGraphRect(const GraphRect& windowRect);
    const GraphRect& GraphRectInWindow() const { return m_graphRect; }
    GraphRect LocalRect() const { return {0, 0, m_graphRect.Width(), m_graphRect.Height()}; }

    int OutputScale() const { return m_styles.scale; }
    double PenWidth() const { return m_styles.penWidth; }
    const CanvasStyles& Styles() const { return m_styles; }

    // Back buffer of the graph area, made on the first draw.
    bool BackBufferValid() const { return m_backBufferValid; }
    void CreateBackBuffer(double devicePixelRatio = 1.0);
    QImage& BackBuffer() { return m_backBuffer; }
    const QImage& BackBuffer() const { return m_backBuffer; }
    static void PrepareSurface(QPainter& p);

    void Present(QPainter& window) const;
    void PresentWithTogglePressed(QPainter& window) const;

    AxisRecord& Axis(int index) { return m_axes[static_cast<std::size_t>(index)]; }
    const AxisRecord& Axis(int index) const { return m_axes[static_cast<std::size_t>(index)]; }
    void SetupHourlyAxes(const GraphRect& graph, const GraphRect& plot);
    void SetupDailyAxes(const GraphRect& graph, const GraphRect& plot);
    void SetupSlopeHourlyAxis(const GraphRect& graph, const GraphRect& plot);
    void SetupSlopeDailyAxis(const GraphRect& graph, const GraphRect& plot);

    void SetCaptions(const QString& first, const QString& second);
    const QString& Caption1() const { return m_caption1; }
    const QString& Caption2() const { return m_caption2; }

    TooltipArray& Tooltips() { return m_tooltips; }
    const TooltipArray& Tooltips() const { return m_tooltips; }
    LegendArray& Legend() { return m_legend; }
    const LegendArray& Legend() const { return m_legend; }

    // Legend toggle and wind legend button; empty rectangles are never hit.
    void PlaceLegendButtons();
    void SetLegendToggleRect(const GraphRect& rect) { m_toggleRect = rect; }
    void SetWindLegendButtonRect(const GraphRect& rect) { m_windButtonRect = rect; }
    const GraphRect& LegendToggleRect() const { return m_toggleRect; }
    const GraphRect& WindLegendButtonRect() const { return m_windButtonRect; }

    int HitTest(int x, int y) const;
    void ToggleLegendEntry(int index);
    bool AnyLegendEntryHidden() const;
    QString LegendToggleText() const;

    void DrawLegendToggle(QPainter& p, bool pressed) const;
    void DrawLegendEntry(QPainter& p, int index, bool highlighted) const;
    void DrawLegendEntries(QPainter& p) const;
    void RedrawLegendEntry(QPainter& window, int index, bool highlighted) const;

    void PlaceNavButtons();
    void ClearNavButtons();
    const GraphRect& PreviousButtonRect() const { return m_previousRect; }
    const GraphRect& NextButtonRect() const { return m_nextRect; }
    // The buttons' places whether or not they can be pressed.
    GraphRect PreviousButtonSlot() const;
    GraphRect NextButtonSlot() const;
    static QString NavLabel(int hovered, int view);
    // The label box shown above a hovered button, empty when none is hovered.
    GraphRect NavLabelBox(QPainter& p, int hovered, int view) const;
    void DrawNavButtonPictures(QPainter& p, int hovered, int view) const;
    void DrawNavButtons(QPainter& window, int hovered, int view) const;

    void DrawWindLegendButton(QPainter& p, bool pressed) const;
    void RedrawWindLegendButton(QPainter& window) const;

    void DrawLoadError(QPainter& p) const;
    void DrawLoadError(QPainter& p, const GraphRect& graph) const;

private:
    int OwnerView() const { return m_owner != nullptr ? m_owner->ViewMode() : 0; }
    int OwnerDataKind() const { return m_owner != nullptr ? m_owner->DataKind() : 0; }
    void DrawCheckBox(QPainter& p, const CHanreiObj& entry, bool highlighted) const;

    const GraphCanvasOwner* m_owner = nullptr;
    QImage m_backBuffer;
    bool m_backBufferValid = false;
    GraphRect m_graphRect;
    TooltipArray m_tooltips;
    LegendArray m_legend;
    GraphRect m_windButtonRect;
    GraphRect m_toggleRect;
    GraphRect m_previousRect;
    GraphRect m_nextRect;
    CanvasStyles m_styles;
    std::array<AxisRecord, kAxisCount> m_axes;
    QString m_caption1;
    QString m_caption2;
    std::array<QImage, 6> m_navPictures; // bitmaps 174..179
};

} // namespace quorvane

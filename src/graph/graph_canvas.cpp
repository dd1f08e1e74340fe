#include "graph/graph_canvas.h"

#include "graph/graph_palette.h"
#include "ui/image.h"
#include "ui/text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

// Resources of a static library are registered by hand.
static void RegisterGraphResources() {
    Q_INIT_RESOURCE(graph);
}

static void InitGraphResources() {
    static const bool registered = [] {
        RegisterGraphResources();
        return true;
    }();
    (void)registered;
}

namespace quorvane {
namespace {

QColor Argb(unsigned int argb) {
    return QColor::fromRgba(argb);
}

QPen PenOf(const QColor& colour, double width) {
    if (!colour.isValid()) {
        return QPen(Qt::NoPen);
    }
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QBrush BrushOf(const QColor& colour) {
    return colour.isValid() ? QBrush(colour) : QBrush(Qt::NoBrush);
}

template <std::size_t N>
std::array<QColor, N> Colours(const std::array<std::uint32_t, N>& argb) {
    std::array<QColor, N> out;
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = argb[i] == kNoColour ? QColor() : Argb(argb[i]);
    }
    return out;
}

const QColor kHiddenText = QColor::fromRgba(0xff808080);

} // namespace

// Styles

int FontPixelSize(double points, int scale) {
    return std::max(1, static_cast<int>(points * 96.0 / 72.0 * scale + 0.5));
}

QFont GothicFont(double points, bool bold, int scale) {
    return CreatePixelFont(GothicFace(), bold ? FontStyle::Bold : FontStyle::Regular,
                           FontPixelSize(points, scale));
}

CanvasStyles CanvasStyles::Make(int scale, bool monthly) {
    CanvasStyles st;
    st.scale = std::max(1, scale);
    st.penWidth = st.scale < 2 ? 1.0 : 2.0;
    const double w = st.penWidth;

    st.backgroundBrush = QBrush(Qt::white);
    st.blackPen = PenOf(Qt::black, w);
    st.greyPen = PenOf(Argb(0xff808080), w);
    st.halfGreyPen = PenOf(Argb(0x80808080), w);
    st.bluePen = PenOf(Argb(0xff0080c0), w);
    st.blackBrush = QBrush(Qt::black);
    st.darkGreyBrush = QBrush(Argb(0xff2e2e2e));
    st.blueBrush = QBrush(Argb(0xff0080c0));
    st.whiteBrush = QBrush(Qt::white);
    st.paleYellowBrush = QBrush(Argb(0xffffffd0));
    st.highlightBrush = QBrush(Argb(0xdeffda5b));

    st.seriesRow1 = Colours(kSeriesRow1);
    st.seriesRow2 = Colours(kSeriesRow2);
    st.seriesRow3 = Colours(kSeriesRow3);
    for (std::size_t i = 0; i < st.seriesRow3.size(); ++i) {
        st.seriesPens[i] = PenOf(st.seriesRow3[i], w);
        st.seriesBrushes[i] = BrushOf(st.seriesRow3[i]);
    }
    st.palette = Colours(kPalette);
    st.paletteLight = Colours(kPaletteLight);
    for (std::size_t i = 0; i < st.palette.size(); ++i) {
        st.palettePens[i] = PenOf(st.palette[i], w);
        st.paletteBrushes[i] = BrushOf(st.palette[i]);
    }

    st.font8 = GothicFont(8, false, st.scale);
    st.font10 = GothicFont(10, false, st.scale);
    st.font11Bold = GothicFont(11, true, st.scale);
    st.font16Bold = GothicFont(16, true, st.scale);
    st.loadErrorBrush = st.highlightBrush;

    st.monthly = monthly;
    if (monthly) {
        for (std::size_t i = 0; i < st.monthlyThinPens.size(); ++i) {
            st.monthlyThinPens[i] = PenOf(st.palette[i], w);
            st.monthlySecondPens[i] = PenOf(st.palette[i], 2 * w);
            st.monthlyBrushes[i] = BrushOf(st.palette[i]);
        }
        st.averagePen = PenOf(Argb(kAverageArgb), w);
        st.maximumPen = PenOf(Argb(kMaximumArgb), w);
        st.minimumPen = PenOf(Argb(kMinimumArgb), w);
        st.averageBrush = QBrush(Argb(kAverageArgb));
        st.maximumBrush = QBrush(Argb(kMaximumArgb));
        st.minimumBrush = QBrush(Argb(kMinimumArgb));
    }
    return st;
}

namespace {

MarkerStyle MarkerOf(MarkerKind kind, const QPen& pen, const QBrush& brush, int scale,
                     bool tenDay) {
    MarkerStyle style;
    style.kind = kind;
    style.pen = pen;
    style.brush = brush;
    style.unit = MarkerUnit(scale);
    style.scale = scale;
    style.tenDay = tenDay;
    return style;
}

} // namespace

MarkerStyle CanvasStyles::HorizontalMarker(int element, bool tenDay) const {
    if (element < 0 || element >= kHorizontalMarkerKinds) {
        return {};
    }
    const auto i = static_cast<std::size_t>(element);
    // The wind series has no colour of its own: its barb is black.
    const bool coloured = seriesRow3[i].isValid();
    return MarkerOf(HorizontalMarkerKind(element), coloured ? seriesPens[i] : blackPen,
                    coloured ? seriesBrushes[i] : blackBrush, scale, tenDay);
}

MarkerStyle CanvasStyles::SlopeMarker(int series, bool tenDay) const {
    if (series < 0 || series >= kSlopeMarkerKinds) {
        return {};
    }
    const auto i = static_cast<std::size_t>(series);
    return MarkerOf(SlopeMarkerKind(series), palettePens[i], paletteBrushes[i], scale, tenDay);
}

MarkerStyle CanvasStyles::MonthlyMarker(int kind) const {
    const MarkerKind shape = MonthlyMarkerKind(kind);
    if (kind >= 0 && kind < 13) {
        const auto i = static_cast<std::size_t>(kind);
        return MarkerOf(shape, monthly ? monthlyThinPens[i] : palettePens[i],
                        monthly ? monthlyBrushes[i] : paletteBrushes[i], scale, false);
    }
    switch (kind) {
    case kMonthlyAverageMarker:
        return MarkerOf(shape, averagePen, averageBrush, scale, false);
    case kMonthlyMaximumMarker:
        return MarkerOf(shape, maximumPen, maximumBrush, scale, false);
    case kMonthlyMinimumMarker:
        return MarkerOf(shape, minimumPen, minimumBrush, scale, false);
    default:
        return {};
    }
}

QPoint ToQPoint(GraphPoint point) {
    return {point.x, point.y};
}

QColor ArgbColour(std::uint32_t argb) {
    return argb == 0 ? QColor() : QColor::fromRgba(argb);
}

// Rendering

namespace {

const QPen kEntryOutlinePen{QColor::fromRgba(0xffb9d8ac)};
const QPen kEntrySecondPen{QColor::fromRgba(0xff6a8160)};
const QColor kEntryHoverColour = QColor::fromRgba(0xffd7f6ca);

} // namespace

void RenderLegendCheckBox(QPainter& p, const CHanreiObj& entry, bool highlighted,
                          const GraphStyles& styles) {
    const GraphRect& box = entry.checkBox;
    if (box.left == CHanreiObj::kUnplaced) {
        return;
    }
    const int s = styles.scale;
    const QRectF inner(box.left + 1, box.top + 1, box.Width() - 2, box.Height() - 2);
    p.save();
    p.setPen(kEntryOutlinePen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(kEntrySecondPen);
    p.setBrush(highlighted ? QBrush(kEntryHoverColour) : QBrush(Qt::white));
    p.drawRect(inner.adjusted(0.5, 0.5, -0.5, -0.5));
    if (entry.visible != 0) {
        QPen check(Qt::black, 2.0 * styles.penWidth);
        check.setCapStyle(Qt::RoundCap);
        check.setJoinStyle(Qt::RoundJoin);
        p.setPen(check);
        const QPointF a(box.left + 2 * s, box.top + 4 * s);
        const QPointF b(box.left + 5 * s, box.top + 10 * s);
        const QPointF c(box.left + 10 * s, box.top);
        p.drawLine(a, b);
        p.drawLine(b, c);
    }
    p.restore();
}

void RenderLegendEntry(QPainter& p, const CHanreiObj& entry, bool highlighted,
                       const GraphStyles& styles) {
    if (entry.checkBox.left == CHanreiObj::kUnplaced) {
        return;
    }
    RenderLegendCheckBox(p, entry, highlighted, styles);
    p.save();
    // A hidden series keeps its sample, faded, so the user still sees what it was.
    p.setOpacity(entry.visible != 0 ? 1.0 : 0.35);
    if (entry.hasSample) {
        QPen pen(ArgbColour(entry.sampleArgb), styles.penWidth * entry.sampleWidth);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(entry.sampleArgb == 0 ? QPen(Qt::NoPen) : pen);
        p.drawLine(ToQPoint(entry.sampleStart), ToQPoint(entry.sampleEnd));
    }
    if (entry.marker != MarkerKind::None) {
        const QColor colour =
            entry.markerArgb == 0 ? QColor(Qt::black) : ArgbColour(entry.markerArgb);
        MarkerStyle marker;
        marker.kind = entry.marker;
        marker.pen = QPen(colour, styles.penWidth);
        marker.pen.setJoinStyle(Qt::RoundJoin);
        marker.brush = QBrush(colour);
        marker.unit = MarkerUnit(styles.scale);
        marker.scale = styles.scale;
        marker.tenDay = entry.tenDayMarker;
        DrawMarker(p, marker, ToQPoint(entry.markerPos));
    }
    p.restore();
    const QColor textColour = entry.visible != 0 ? QColor(Qt::black) : kHiddenText;
    DrawTextAt(p, ToQString(entry.label), QPointF(entry.labelPos.x, entry.labelPos.y),
               QBrush(textColour), styles.font8);
}

void RenderLegendToggle(QPainter& p, const GraphLayout& layout, bool pressed,
                        const GraphStyles& styles) {
    if (layout.toggle.IsEmpty()) {
        return;
    }
    const int d = pressed ? 1 : 0;
    const QRectF box = ToQRectF(layout.toggle.Translated(d, d));
    const QString text = ToQString(LegendToggleText(layout.legend));
    p.save();
    p.setPen(styles.greyPen);
    p.setBrush(pressed ? styles.highlightBrush : styles.paleYellowBrush);
    p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    QFont font = styles.font8;
    font.setUnderline(true);
    const QSizeF size = GraphTextSize(p, text, font);
    DrawTextAt(p, text, QPointF(box.center().x(), box.center().y() - size.height() / 2),
               QBrush(styles.bluePen.color()), font, TextAlign::Center);
    p.restore();
}

void RenderWindLegendButton(QPainter& p, const GraphLayout& layout, bool pressed,
                            const GraphStyles& styles) {
    if (layout.dataKind != DataKind::Horizontal || layout.windButton.IsEmpty()) {
        return;
    }
    const int d = pressed ? 1 : 0;
    const GraphRect button = layout.windButton.Translated(d, d);
    p.save();
    p.fillRect(ToQRectF(button.Inflated(2)), styles.blueBrush);
    p.fillRect(ToQRectF(button), pressed ? styles.paleYellowBrush : styles.whiteBrush);
    DrawTextAt(p, ToQString(kWindLegendButtonText), QPointF(button.left + 1, button.top + 2),
               QBrush(styles.bluePen.color()), styles.font8);
    p.setPen(styles.bluePen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(button).adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

TextExtent ButtonTextExtent(QPainter* p, const QString& text, const GraphStyles& styles) {
    const QFontMetricsF metrics =
        p != nullptr ? QFontMetricsF(styles.font8, p->device()) : QFontMetricsF(styles.font8);
    return {static_cast<int>(metrics.horizontalAdvance(text) + 0.999),
            static_cast<int>(metrics.height() + 0.999)};
}

NavPictures LoadNavPictures() {
    InitGraphResources();
    NavPictures pictures;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        pictures[i] = LoadBitmapResource(174 + static_cast<int>(i));
    }
    return pictures;
}

void RenderNavButtons(QPainter& p, const GraphLayout& layout, int hovered,
                      const NavPictures& pictures, const GraphStyles& styles) {
    if (layout.nav == NavButtons::Disabled) {
        const GraphRect previous = PreviousButtonSlot(layout.graph);
        const GraphRect next = NextButtonSlot(layout.graph);
        p.drawImage(QPoint(previous.left, previous.top), pictures[2]);
        p.drawImage(QPoint(next.left, next.top), pictures[5]);
        return;
    }
    if (!layout.previous.IsEmpty()) {
        p.drawImage(QPoint(layout.previous.left, layout.previous.top),
                    pictures[hovered == 0 ? 1 : 0]);
    }
    if (!layout.next.IsEmpty()) {
        p.drawImage(QPoint(layout.next.left, layout.next.top), pictures[hovered == 1 ? 4 : 3]);
    }
    const QString label = ToQString(NavLabel(hovered, layout.nav));
    const GraphRect box = NavLabelBox(layout, hovered, ButtonTextExtent(&p, label, styles));
    if (box.IsEmpty()) {
        return;
    }
    p.save();
    p.setPen(styles.blackPen);
    p.setBrush(styles.paleYellowBrush);
    p.drawRect(ToQRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    DrawTextAt(p, label, QPointF(box.left + 2, box.top + 2), QBrush(Qt::black), styles.font8);
    p.restore();
}

void RenderLoadError(QPainter& p, const GraphRect& graph, const GraphStyles& styles) {
    const QString text = QStringLiteral("データの読み込みに失敗しました。");
    const QSizeF size = GraphTextSize(p, text, styles.font16Bold);
    const double width = size.width() + 12;
    const double height = size.height() + 16;
    const double left = (graph.left + graph.right - width) / 2;
    const double top = (graph.top + graph.bottom - height) / 2;
    p.save();
    p.setPen(styles.blackPen);
    p.setBrush(styles.loadErrorBrush);
    p.drawRect(QRectF(left, top, width, height));
    DrawTextAt(p, text, QPointF(left + 6, top + 8), QBrush(Qt::black), styles.font16Bold);
    p.restore();
}

void Render(QPainter& p, const GraphLayout& layout, const GraphStyles& styles) {
    for (const CHanreiObj& entry : layout.legend) {
        RenderLegendEntry(p, entry, false, styles);
    }
    if (styles.scale < 2) {
        RenderLegendToggle(p, layout, false, styles);
        RenderWindLegendButton(p, layout, false, styles);
    }
}

// Canvas

TextExtent ScreenWindButtonText() {
    static const TextExtent extent =
        ButtonTextExtent(nullptr, ToQString(kWindLegendButtonText), GraphStyles::Make(1, false));
    return extent;
}

GraphFrame ScreenGraphFrame(int width, int height) {
    return {width, height, ScreenWindButtonText()};
}

CGraphCanvas::CGraphCanvas(bool monthly)
    : styles_(GraphStyles::Make(1, monthly)), navPictures_(LoadNavPictures()) {}

void CGraphCanvas::SetGraphRect(const GraphRect& windowRect) {
    if (windowRect.Width() != graphRect_.Width() || windowRect.Height() != graphRect_.Height()) {
        backBuffer_ = QImage();
    }
    graphRect_ = windowRect;
}

void CGraphCanvas::Show(GraphLayout layout, double devicePixelRatio,
                        const std::function<void(QPainter&)>& paint) {
    layout_ = std::move(layout);
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    if (backBuffer_.isNull() || backBuffer_.devicePixelRatio() != ratio) {
        backBuffer_ = QImage(std::max(1, static_cast<int>(graphRect_.Width() * ratio + 0.5)),
                             std::max(1, static_cast<int>(graphRect_.Height() * ratio + 0.5)),
                             QImage::Format_ARGB32_Premultiplied);
        backBuffer_.setDevicePixelRatio(ratio);
    }
    backBuffer_.fill(Qt::white);
    QPainter p(&backBuffer_);
    PrepareSurface(p);
    paint(p);
}

void CGraphCanvas::PrepareSurface(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

void CGraphCanvas::Present(QPainter& window, GraphHit pressed, bool pointerOnPressed,
                           int hoveredNav) const {
    if (backBuffer_.isNull()) {
        return;
    }
    window.drawImage(QPointF(graphRect_.left, graphRect_.top), backBuffer_);
    window.save();
    window.translate(graphRect_.left, graphRect_.top);
    PrepareSurface(window);
    switch (pressed.kind) {
    case HitKind::LegendToggle:
        RenderLegendToggle(window, layout_, true, styles_);
        break;
    case HitKind::WindLegend:
        RenderWindLegendButton(window, layout_, true, styles_);
        break;
    case HitKind::LegendEntry:
        if (pointerOnPressed && pressed.legendIndex >= 0 &&
            pressed.legendIndex < static_cast<int>(layout_.legend.size())) {
            RenderLegendCheckBox(window,
                                 layout_.legend[static_cast<std::size_t>(pressed.legendIndex)],
                                 true, styles_);
        }
        break;
    default:
        break;
    }
    if (hoveredNav >= 0) {
        RenderNavButtons(window, layout_, hoveredNav, navPictures_, styles_);
    }
    window.restore();
}

} // namespace quorvane

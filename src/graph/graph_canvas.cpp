#include "graph/graph_canvas.h"

#include "ui/image.h"

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

constexpr unsigned int kNone = 0; // series entry without a colour

constexpr std::array<unsigned int, 9> kSeriesRow1 = {0xffff3300, 0xffefa724, 0xff7c298b,
                                                     0xffef7510, 0xff66cc00, kNone,
                                                     kNone,      0xff3399ff, 0xffa4b0ee};
constexpr std::array<unsigned int, 9> kSeriesRow2 = {0xffffb8a6, 0xffffeeac, 0xffe6bfec,
                                                     0xfff7af8c, 0xffcdf5c5, kNone,
                                                     0xffcecece, 0xffd9f2fb, 0xffe6eeeb};
constexpr std::array<unsigned int, 9> kSeriesRow3 = {0xffff3300, 0xffe89b0f, 0xff7c298b,
                                                     0xffed5c18, 0xff66cc00, kNone,
                                                     kNone,      0xff79d8f7, 0xff898ebc};
constexpr std::array<unsigned int, 14> kPalette = {
    0xff29b5e2, 0xff0b92d9, 0xff165ad3, 0xff2121cd, 0xffa502b3, 0xffed02b3, 0xffff0300,
    0xffff9d00, 0xffdcc53f, 0xffa7ac00, 0xffaee82b, 0xff62d911, 0xff53a21a, 0xff404040};
constexpr std::array<unsigned int, 14> kPaletteLight = {
    0xffbce8f5, 0xff99cbf4, 0xff6998ef, 0xff6464e6, 0xffc886f9, 0xfffeadea, 0xffff6a6a,
    0xffffc562, 0xffdcc53f, 0xffc0c514, 0xffc8efa7, 0xff8cf149, 0xff52c561, 0xffcccccc};

template <std::size_t N>
std::array<QColor, N> Colours(const std::array<unsigned int, N>& argb) {
    std::array<QColor, N> out;
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = argb[i] == kNone ? QColor() : Argb(argb[i]);
    }
    return out;
}

const QColor kHiddenText = QColor::fromRgba(0xff808080);

} // namespace

// Tooltips and legend

tagGraphToolTip PointTooltip(int x, int y, const QString& text, int kind) {
    return {x - 5, y - 5, x + 5, y + 5, text, kind};
}

void TooltipArray::SetSize(int size) {
    m_tips.resize(static_cast<std::size_t>(std::max(0, size)));
}

int TooltipArray::Add(const tagGraphToolTip& tip) {
    m_tips.push_back(tip);
    return Size() - 1;
}

const tagGraphToolTip* TooltipArray::At(int index) const {
    if (index < 0 || index >= Size()) {
        return nullptr;
    }
    return &m_tips[static_cast<std::size_t>(index)];
}

int TooltipArray::FindAt(int x, int y) const {
    for (int i = Size() - 1; i >= 0; --i) {
        if (m_tips[static_cast<std::size_t>(i)].Rect().Contains(x, y)) {
            return i;
        }
    }
    return -1;
}

void LegendArray::SetSize(int size) {
    m_entries.resize(static_cast<std::size_t>(std::max(0, size)));
}

int LegendArray::Add(const CHanreiObj& entry) {
    m_entries.push_back(entry);
    return Size() - 1;
}

CHanreiObj* LegendArray::At(int index) {
    if (index < 0 || index >= Size()) {
        return nullptr;
    }
    return &m_entries[static_cast<std::size_t>(index)];
}

const CHanreiObj* LegendArray::At(int index) const {
    return const_cast<LegendArray*>(this)->At(index);
}

void LayoutLegendEntry(CHanreiObj& entry, int x0, int y0, int s) {
    entry.checkBox = {x0, y0, x0 + 12 * s, y0 + 12 * s};
    entry.sampleStart = QPoint(x0 + 16 * s, y0 + 6 * s);
    entry.sampleEnd = QPoint(x0 + 44 * s, y0 + 6 * s);
    entry.markerPos = QPoint(x0 + 30 * s, y0 + 6 * s);
    entry.labelPos = QPoint(entry.sampleEnd.x() + 1, y0);
    if (s >= 2) {
        entry.frame = {};
    } else {
        entry.frame = {x0 - 2, y0 - 3,
                       entry.labelPos.x() + 6 * static_cast<int>(entry.label.size()),
                       y0 + 12 * s + 3};
    }
}

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
        st.averagePen = PenOf(Argb(0xff3eae3e), w);
        st.maximumPen = PenOf(Argb(0xffff6262), w);
        st.minimumPen = PenOf(Argb(0xff29b5e2), w);
        st.averageBrush = QBrush(Argb(0xff3eae3e));
        st.maximumBrush = QBrush(Argb(0xffff6262));
        st.minimumBrush = QBrush(Argb(0xff29b5e2));
    }
    return st;
}

MarkerStyle CanvasStyles::HorizontalMarker(int element, bool tenDay) const {
    MarkerStyle style;
    if (element < 0 || element >= kHorizontalMarkerKinds) {
        return style;
    }
    style.set = MarkerSet::Horizontal;
    style.kind = element;
    const auto i = static_cast<std::size_t>(element);
    // The wind series has no colour of its own: its barb is black.
    style.pen = seriesRow3[i].isValid() ? seriesPens[i] : blackPen;
    style.brush = seriesRow3[i].isValid() ? seriesBrushes[i] : blackBrush;
    style.unit = MarkerUnit(scale);
    style.scale = scale;
    style.tenDay = tenDay;
    return style;
}

MarkerStyle CanvasStyles::SlopeMarker(int series, bool tenDay) const {
    MarkerStyle style;
    if (series < 0 || series >= kSlopeMarkerKinds) {
        return style;
    }
    style.set = MarkerSet::Slope;
    style.kind = series;
    style.pen = palettePens[static_cast<std::size_t>(series)];
    style.brush = paletteBrushes[static_cast<std::size_t>(series)];
    style.unit = MarkerUnit(scale);
    style.scale = scale;
    style.tenDay = tenDay;
    return style;
}

MarkerStyle CanvasStyles::MonthlyMarker(int kind) const {
    MarkerStyle style;
    style.set = MarkerSet::Monthly;
    style.kind = kind;
    style.unit = MarkerUnit(scale);
    style.scale = scale;
    if (kind >= 0 && kind < 13) {
        const auto i = static_cast<std::size_t>(kind);
        style.pen = monthly ? monthlyThinPens[i] : palettePens[i];
        style.brush = monthly ? monthlyBrushes[i] : paletteBrushes[i];
    } else if (kind == kMonthlyAverageMarker) {
        style.pen = averagePen;
        style.brush = averageBrush;
    } else if (kind == kMonthlyMaximumMarker) {
        style.pen = maximumPen;
        style.brush = maximumBrush;
    } else if (kind == kMonthlyMinimumMarker) {
        style.pen = minimumPen;
        style.brush = minimumBrush;
    } else {
        style.set = MarkerSet::None;
    }
    return style;
}

// Canvas

CGraphCanvas::CGraphCanvas() {
    m_styles = CanvasStyles::Make(1, false);
}

void CGraphCanvas::Construct(int scale) {
    m_styles = CanvasStyles::Make(scale, false);
    InitGraphResources();
    for (std::size_t i = 0; i < m_navPictures.size(); ++i) {
        m_navPictures[i] = LoadBitmapResource(174 + static_cast<int>(i));
    }
}

void CGraphCanvas::ConstructMonthly(int scale) {
    Construct(scale);
    m_styles = CanvasStyles::Make(scale, true);
}

void CGraphCanvas::Destroy() {
    m_backBuffer = QImage();
    m_backBufferValid = false;
    m_tooltips.RemoveAll();
    m_legend.RemoveAll();
    for (QImage& picture : m_navPictures) {
        picture = QImage();
    }
}

void CGraphCanvas::SetGraphRect(const GraphRect& windowRect) {
    if (windowRect.Width() != m_graphRect.Width() || windowRect.Height() != m_graphRect.Height()) {
        m_backBufferValid = false;
    }
    m_graphRect = windowRect;
}

void CGraphCanvas::CreateBackBuffer(double devicePixelRatio) {
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int width = std::max(1, static_cast<int>(m_graphRect.Width() * ratio + 0.5));
    const int height = std::max(1, static_cast<int>(m_graphRect.Height() * ratio + 0.5));
    m_backBuffer = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    m_backBuffer.setDevicePixelRatio(ratio);
    m_backBuffer.fill(Qt::white);
    m_backBufferValid = true;
}

void CGraphCanvas::PrepareSurface(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

void CGraphCanvas::Present(QPainter& window) const {
    if (!m_backBufferValid) {
        return;
    }
    window.drawImage(QPointF(m_graphRect.left, m_graphRect.top), m_backBuffer);
}

void CGraphCanvas::PresentWithTogglePressed(QPainter& window) const {
    Present(window);
    window.save();
    window.translate(m_graphRect.left, m_graphRect.top);
    PrepareSurface(window);
    DrawLegendToggle(window, true);
    window.restore();
}

// Axes

namespace {

AxisRecord MakeAxis(double minimum, double maximum, double range, double minor, double major,
                    const QString& name, const QString& unit, int scale) {
    AxisRecord axis;
    axis.minimum = minimum;
    axis.maximum = maximum;
    axis.range = range;
    axis.minorStep = minor;
    axis.majorStep = major;
    axis.name = name;
    axis.unit = unit;
    axis.nameDx = 2 * scale;
    axis.nameDy = -26 * scale;
    axis.unitDx = 4 * scale;
    axis.unitDy = -14 * scale;
    return axis;
}

struct AxisScales {
    double irradianceMax, irradianceMinor, irradianceMajor;
    double sunshineMax, sunshineStep;
    double precipitationMax, precipitationMinor, precipitationMajor;
};

constexpr AxisScales kHourlyScales{3.5, 0.1, 0.5, 1.0, 0.5, 80, 5, 10};
constexpr AxisScales kDailyScales{35, 1, 5, 15, 7.5, 300, 20, 100};

std::array<AxisRecord, kAxisCount> HorizontalAxes(const AxisScales& sc, const GraphRect& graph,
                                                  const GraphRect& plot, int s) {
    const int plotHeight = plot.Height();
    std::array<AxisRecord, kAxisCount> axes;
    const QString irradianceName = QStringLiteral("日射量");
    const QString irradianceUnit = QStringLiteral("(MJ/㎡)");
    for (int i = kAxisGlobal; i <= kAxisDiffuse; ++i) {
        AxisRecord& a = axes[static_cast<std::size_t>(i)];
        a = MakeAxis(0, sc.irradianceMax, sc.irradianceMax, sc.irradianceMinor, sc.irradianceMajor,
                     irradianceName, irradianceUnit, s);
        a.axisX = plot.left - 1;
        a.basePx = plotHeight;
        a.lengthPx = plotHeight - 120 * s;
        a.decimalLabels = true;
    }
    AxisRecord& sunshine = axes[kAxisSunshine];
    sunshine = MakeAxis(0, sc.sunshineMax, sc.sunshineMax, sc.sunshineStep, sc.sunshineStep,
                        QStringLiteral("日照時間"), QString(), s);
    sunshine.axisX = plot.left - 1;
    sunshine.basePx = 80 * s;
    sunshine.lengthPx = 80 * s - 1;
    sunshine.decimalLabels = true;

    AxisRecord& temperature = axes[kAxisTemperature];
    temperature = MakeAxis(-30, 40, 70, 1, 5, QStringLiteral("気温"), QStringLiteral("(℃)"), s);
    temperature.axisX = graph.left + 30 * s;
    temperature.basePx = plotHeight;
    temperature.lengthPx = plotHeight - 80 * s;

    AxisRecord& precipitation = axes[kAxisPrecipitation];
    precipitation =
        MakeAxis(0, sc.precipitationMax, -sc.precipitationMax, sc.precipitationMinor,
                 sc.precipitationMajor, QStringLiteral("降水量"), QStringLiteral("(mm)"), s);
    precipitation.axisX = plot.right + 1;
    precipitation.rightSide = 1;
    precipitation.basePx = 80 * s;
    precipitation.lengthPx = 120 * s;

    AxisRecord& snow = axes[kAxisSnow];
    snow = MakeAxis(0, 120, 120, 10, 50, QStringLiteral("積雪深"), QStringLiteral("(cm)"), s);
    snow.axisX = plot.right + 1;
    snow.rightSide = 1;
    snow.basePx = plotHeight - 1;
    snow.lengthPx = 100 * s;
    snow.gridAtLastMajor = true;
    return axes;
}

AxisRecord SlopeAxis(double maximum, double minor, double major, const GraphRect& plot, int s) {
    AxisRecord axis = MakeAxis(0, maximum, maximum, minor, major, QStringLiteral("日射量"),
                               QStringLiteral("(MJ/㎡)"), s);
    axis.axisX = plot.left - 1;
    axis.basePx = plot.Height();
    axis.lengthPx = plot.Height();
    axis.decimalLabels = true;
    return axis;
}

} // namespace

void CGraphCanvas::SetupHourlyAxes(const GraphRect& graph, const GraphRect& plot) {
    const AxisRecord slope = m_axes[kAxisSlope];
    m_axes = HorizontalAxes(kHourlyScales, graph, plot, m_styles.scale);
    m_axes[kAxisSlope] = slope;
}

void CGraphCanvas::SetupDailyAxes(const GraphRect& graph, const GraphRect& plot) {
    const AxisRecord slope = m_axes[kAxisSlope];
    m_axes = HorizontalAxes(kDailyScales, graph, plot, m_styles.scale);
    m_axes[kAxisSlope] = slope;
}

void CGraphCanvas::SetupSlopeHourlyAxis(const GraphRect& /*graph*/, const GraphRect& plot) {
    m_axes[kAxisSlope] = SlopeAxis(4.0, 0.1, 0.5, plot, m_styles.scale);
}

void CGraphCanvas::SetupSlopeDailyAxis(const GraphRect& /*graph*/, const GraphRect& plot) {
    m_axes[kAxisSlope] = SlopeAxis(40, 1, 5, plot, m_styles.scale);
}

void CGraphCanvas::SetCaptions(const QString& first, const QString& second) {
    m_caption1 = first;
    m_caption2 = second;
}

// Legend and buttons

void CGraphCanvas::PlaceLegendButtons() {
    const GraphRect local = LocalRect();
    m_toggleRect = {local.right - 76, local.bottom - 50, local.right - 20, local.bottom - 35};
    const QFontMetricsF metrics(m_styles.font8);
    const int textWidth = static_cast<int>(
        metrics.horizontalAdvance(QStringLiteral("風向・風速の凡例を表示")) + 0.999);
    const int textHeight = static_cast<int>(metrics.height() + 0.999);
    // Left of the next-button slot and above the legend box's top edge.
    const int right = NextButtonSlot().left - 10;
    m_windButtonRect = {right - (textWidth + 4), local.bottom - 78, right,
                        local.bottom - 78 + textHeight + 4};
}

int CGraphCanvas::HitTest(int x, int y) const {
    if (m_toggleRect.Contains(x, y)) {
        return kHitLegendToggle;
    }
    // The wind legend button is shown only with horizontal data.
    if (OwnerDataKind() == 0 && m_windButtonRect.Contains(x, y)) {
        return kHitWindLegend;
    }
    if (m_previousRect.Contains(x, y)) {
        return kHitPrevious;
    }
    if (m_nextRect.Contains(x, y)) {
        return kHitNext;
    }
    for (int i = m_legend.Size() - 1; i >= 0; --i) {
        if (m_legend.At(i)->frame.Contains(x, y)) {
            return i;
        }
    }
    return kHitNothing;
}

bool CGraphCanvas::AnyLegendEntryHidden() const {
    for (int i = 0; i < m_legend.Size(); ++i) {
        if (m_legend.At(i)->visible == 0) {
            return true;
        }
    }
    return false;
}

void CGraphCanvas::ToggleLegendEntry(int index) {
    if (index == kHitLegendToggle) {
        const int visible = AnyLegendEntryHidden() ? 1 : 0;
        for (int i = 0; i < m_legend.Size(); ++i) {
            m_legend.At(i)->visible = visible;
        }
        return;
    }
    if (CHanreiObj* entry = m_legend.At(index)) {
        entry->visible = entry->visible != 0 ? 0 : 1;
    }
}

QString CGraphCanvas::LegendToggleText() const {
    return AnyLegendEntryHidden() ? QStringLiteral("すべてON") : QStringLiteral("すべてOFF");
}

void CGraphCanvas::DrawLegendToggle(QPainter& p, bool pressed) const {
    if (m_toggleRect.IsEmpty()) {
        return;
    }
    const int d = pressed ? 1 : 0;
    const QRectF box = ToQRectF(m_toggleRect.Translated(d, d));
    p.save();
    p.setPen(m_styles.greyPen);
    p.setBrush(pressed ? m_styles.highlightBrush : m_styles.paleYellowBrush);
    p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    QFont font = m_styles.font8;
    font.setUnderline(true);
    const QSizeF size = GraphTextSize(p, LegendToggleText(), font);
    DrawTextAt(p, LegendToggleText(),
               QPointF(box.center().x(), box.center().y() - size.height() / 2),
               QBrush(m_styles.bluePen.color()), font, TextAlign::Center);
    p.restore();
}

void CGraphCanvas::DrawCheckBox(QPainter& p, const CHanreiObj& entry, bool highlighted) const {
    const GraphRect& box = entry.checkBox;
    if (box.left == CHanreiObj::kUnplaced) {
        return;
    }
    const int s = m_styles.scale;
    const QRectF inner(box.left + 1, box.top + 1, box.Width() - 2, box.Height() - 2);
    p.save();
    p.setPen(entry.outlinePen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(entry.secondPen);
    p.setBrush(highlighted ? entry.hoverBrush : entry.normalBrush);
    p.drawRect(inner.adjusted(0.5, 0.5, -0.5, -0.5));
    if (entry.visible != 0) {
        QPen check = entry.checkPen;
        check.setWidthF(check.widthF() * m_styles.penWidth);
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

void CGraphCanvas::DrawLegendEntry(QPainter& p, int index, bool highlighted) const {
    const CHanreiObj* entry = m_legend.At(index);
    if (entry == nullptr || entry->checkBox.left == CHanreiObj::kUnplaced) {
        return;
    }
    DrawCheckBox(p, *entry, highlighted);
    p.save();
    // A hidden series keeps its sample, faded, so the user still sees what it was.
    p.setOpacity(entry->visible != 0 ? 1.0 : 0.35);
    if (entry->hasSample) {
        p.setPen(entry->samplePen);
        p.drawLine(entry->sampleStart, entry->sampleEnd);
    }
    DrawMarker(p, entry->marker, entry->markerPos);
    p.restore();
    const QColor textColour = entry->visible != 0 ? entry->textBrush.color() : kHiddenText;
    DrawTextAt(p, entry->label, QPointF(entry->labelPos.x(), entry->labelPos.y()),
               QBrush(textColour), m_styles.font8);
}

void CGraphCanvas::DrawLegendEntries(QPainter& p) const {
    for (int i = 0; i < m_legend.Size(); ++i) {
        DrawLegendEntry(p, i, false);
    }
}

void CGraphCanvas::RedrawLegendEntry(QPainter& window, int index, bool highlighted) const {
    const CHanreiObj* entry = m_legend.At(index);
    if (entry == nullptr) {
        return;
    }
    window.save();
    window.translate(m_graphRect.left, m_graphRect.top);
    PrepareSurface(window);
    DrawCheckBox(window, *entry, highlighted);
    window.restore();
}

GraphRect CGraphCanvas::PreviousButtonSlot() const {
    const GraphRect local = LocalRect();
    return {34, local.bottom - 102, 65, local.bottom - 71};
}

GraphRect CGraphCanvas::NextButtonSlot() const {
    const GraphRect local = LocalRect();
    return {local.right - 35, local.bottom - 102, local.right - 4, local.bottom - 71};
}

void CGraphCanvas::PlaceNavButtons() {
    const int view = OwnerView();
    if (view == 3 || view == 4) {
        ClearNavButtons();
        return;
    }
    m_previousRect = PreviousButtonSlot();
    m_nextRect = NextButtonSlot();
}

void CGraphCanvas::ClearNavButtons() {
    m_previousRect = {};
    m_nextRect = {};
}

QString CGraphCanvas::NavLabel(int hovered, int view) {
    if (hovered != 0 && hovered != 1) {
        return {};
    }
    if (view == 1) {
        return hovered == 0 ? QStringLiteral("前の月") : QStringLiteral("次の月");
    }
    return hovered == 0 ? QStringLiteral("前の日") : QStringLiteral("次の日");
}

GraphRect CGraphCanvas::NavLabelBox(QPainter& p, int hovered, int view) const {
    const GraphRect& button = hovered == 0 ? m_previousRect : m_nextRect;
    if ((hovered != 0 && hovered != 1) || button.IsEmpty()) {
        return {};
    }
    const QSizeF text = GraphTextSize(p, NavLabel(hovered, view), m_styles.font8);
    const int width = static_cast<int>(text.width() + 0.999) + 4;
    const int height = static_cast<int>(text.height() + 0.999) + 4;
    const int centreX = (button.left + button.right) / 2;
    const int centreY = (button.top + button.bottom) / 2;
    const int left = centreX - width / 2 - 8;
    const int top = centreY - 32;
    return {left, top, left + width, top + height};
}

void CGraphCanvas::DrawNavButtonPictures(QPainter& p, int hovered, int view) const {
    if (view == 3 || view == 4) {
        p.drawImage(QPoint(PreviousButtonSlot().left, PreviousButtonSlot().top), m_navPictures[2]);
        p.drawImage(QPoint(NextButtonSlot().left, NextButtonSlot().top), m_navPictures[5]);
        return;
    }
    if (!m_previousRect.IsEmpty()) {
        p.drawImage(QPoint(m_previousRect.left, m_previousRect.top),
                    m_navPictures[hovered == 0 ? 1 : 0]);
    }
    if (!m_nextRect.IsEmpty()) {
        p.drawImage(QPoint(m_nextRect.left, m_nextRect.top), m_navPictures[hovered == 1 ? 4 : 3]);
    }
    const GraphRect box = NavLabelBox(p, hovered, view);
    if (box.IsEmpty()) {
        return;
    }
    p.save();
    p.setPen(m_styles.blackPen);
    p.setBrush(m_styles.paleYellowBrush);
    p.drawRect(ToQRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    DrawTextAt(p, NavLabel(hovered, view), QPointF(box.left + 2, box.top + 2), QBrush(Qt::black),
               m_styles.font8);
    p.restore();
}

void CGraphCanvas::DrawNavButtons(QPainter& window, int hovered, int view) const {
    Present(window);
    window.save();
    window.translate(m_graphRect.left, m_graphRect.top);
    PrepareSurface(window);
    DrawNavButtonPictures(window, hovered, view);
    window.restore();
}

void CGraphCanvas::DrawWindLegendButton(QPainter& p, bool pressed) const {
    if (OwnerDataKind() != 0 || m_windButtonRect.IsEmpty()) {
        return;
    }
    const int d = pressed ? 1 : 0;
    const GraphRect button = m_windButtonRect.Translated(d, d);
    p.save();
    p.fillRect(ToQRectF(button.Inflated(2)), m_styles.blueBrush);
    p.fillRect(ToQRectF(button), pressed ? m_styles.paleYellowBrush : m_styles.whiteBrush);
    DrawTextAt(p, QStringLiteral("風向・風速の凡例を表示"),
               QPointF(button.left + 1, button.top + 2), QBrush(m_styles.bluePen.color()),
               m_styles.font8);
    p.setPen(m_styles.bluePen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(button).adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

void CGraphCanvas::RedrawWindLegendButton(QPainter& window) const {
    Present(window);
    window.save();
    window.translate(m_graphRect.left, m_graphRect.top);
    PrepareSurface(window);
    DrawWindLegendButton(window, true);
    window.restore();
}

void CGraphCanvas::DrawLoadError(QPainter& p) const {
    DrawLoadError(p, LocalRect());
}

void CGraphCanvas::DrawLoadError(QPainter& p, const GraphRect& graph) const {
    const QString text = QStringLiteral("データの読み込みに失敗しました。");
    const QSizeF size = GraphTextSize(p, text, m_styles.font16Bold);
    const double width = size.width() + 12;
    const double height = size.height() + 16;
    const double left = (graph.left + graph.right - width) / 2;
    const double top = (graph.top + graph.bottom - height) / 2;
    p.save();
    p.setPen(m_styles.blackPen);
    p.setBrush(m_styles.loadErrorBrush);
    p.drawRect(QRectF(left, top, width, height));
    DrawTextAt(p, text, QPointF(left + 6, top + 8), QBrush(Qt::black), m_styles.font16Bold);
    p.restore();
}

} // namespace quorvane

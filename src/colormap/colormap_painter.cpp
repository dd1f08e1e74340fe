#include "colormap/colormap_painter.h"

#include "ui/image.h"
#include "ui/text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace quorvane {

namespace {

QRect ToQRect(const PixelRect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}

QFont TitleFont() {
    return CreatePointFont(GothicFace(), FontStyle::Regular, 11);
}

QFont TextFont() {
    return CreatePointFont(GothicFace(), FontStyle::Regular, 10);
}

const QImage& LogoPicture() {
    static const QImage logo = LoadPngResource(295);
    return logo;
}

// The title centred over `area`, its top one text height below the area's top.
void DrawTitle(QPainter& p, const QString& title, const PixelRect& area) {
    const QFont font = TitleFont();
    const qreal height = QFontMetricsF(font, p.device()).height();
    DrawTextAt(p, title, QPointF((area.left + area.right) / 2.0, area.top + height),
               QBrush(Qt::black), font, TextAlign::Center);
}

} // namespace

QImage BuildZoomBuffer(const QImage& picture, const ZoomBufferGeometry& geometry,
                       qreal devicePixelRatio) {
    if (picture.isNull() || geometry.width <= 0 || geometry.height <= 0) {
        return {};
    }
    const QSize device(qRound(geometry.width * devicePixelRatio),
                       qRound(geometry.height * devicePixelRatio));
    QImage buffer = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    buffer.setDevicePixelRatio(devicePixelRatio);
    return buffer;
}

QString ColorMapTitle(int kind, int period) {
    return QStringLiteral("%1 %2").arg(ToQString(ColorMapKindName(kind)),
                                       ToQString(ColorMapPeriodName(period)));
}

void PaintColorMapPane(QPainter& p, const ColorMapPane& pane) {
    p.save();
    p.fillRect(ToQRect(pane.pane), Qt::white);
    DrawTitle(p, pane.title, pane.pane);
    const PixelRect area = ColorMapArea(pane.pane);
    if (pane.zoomBuffer != nullptr && !pane.zoomBuffer->isNull()) {
        const qreal ratio = pane.zoomBuffer->devicePixelRatio();
        const QRectF source(pane.zoom.sourceX * ratio, pane.zoom.sourceY * ratio,
                            area.Width() * ratio, area.Height() * ratio);
        p.drawImage(QRectF(ToQRect(area)), *pane.zoomBuffer, source);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(area.left, area.top, area.Width() - 1, area.Height() - 1));
    p.drawRect(
        QRectF(pane.pane.left, pane.pane.top, pane.pane.Width() - 1, pane.pane.Height() - 1));
    p.restore();
}

ColorMapPageLayout LayOutColorMapPage(const ColorMapPage& page, const QPaintDevice& device) {
    const ColorMapPrintGeometry& g = page.geometry;
    const int s = g.scale;
    ColorMapPageLayout layout;
    const QFontMetricsF titleMetrics(TitleFont(), &device);
    const QSizeF title(titleMetrics.horizontalAdvance(page.title), titleMetrics.height());
    // Clear of the map frame's two-pixel pen by a pixel of the page's scale.
    const double lowest = g.mapArea.top - 1 - s - title.height();
    const double top = std::min(g.printed.top + title.height(), lowest);
    layout.title =
        QRectF(QPointF((g.printed.left + g.printed.right - title.width()) / 2, top), title);

    const QFontMetricsF textMetrics(TextFont(), &device);
    const QSizeF logo = LogoPicture().deviceIndependentSize();
    const double factor =
        logo.isEmpty() ? 0.0 : std::max(s * 0.5, 2.5 * textMetrics.height() / logo.height());
    layout.logo = QRectF(QPointF(g.mapArea.left, g.mapArea.bottom + 20 * s), logo * factor);
    const QSizeF text(textMetrics.horizontalAdvance(QStringLiteral("Quorvane")),
                      textMetrics.height());
    const double textLeft =
        std::max<double>(g.mapArea.left + 120 * s, layout.logo.right() + 10 * s);
    const double textTop =
        std::max<double>(g.mapArea.bottom + 30 * s, layout.logo.center().y() - text.height() / 2);
    layout.text = QRectF(QPointF(textLeft, textTop), text);
    return layout;
}

void PaintColorMapPage(QPainter& p, const ColorMapPage& page) {
    const ColorMapPrintGeometry& g = page.geometry;
    const ColorMapPageLayout layout = LayOutColorMapPage(page, *p.device());
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.fillRect(ToQRect(g.printed), Qt::white);
    DrawTextAt(p, page.title, layout.title.topLeft(), QBrush(Qt::black), TitleFont());
    if (page.picture != nullptr && !page.picture->isNull()) {
        const ColorMapView& v = page.view;
        p.drawImage(QRectF(ToQRect(g.mapArea)), *page.picture,
                    QRectF(v.x0, v.y0, v.Width(), v.Height()));
    }
    p.setPen(QPen(QColor::fromRgba(0xff202020), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRect(g.mapArea));
    p.drawImage(layout.logo, LogoPicture());
    DrawTextAt(p, QStringLiteral("Quorvane"), layout.text.topLeft(), QBrush(Qt::black), TextFont());
    p.restore();
}

} // namespace quorvane

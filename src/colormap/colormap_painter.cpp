#include "colormap/colormap_painter.h"

#include "ui/image.h"
#include "ui/text.h"

#include <QPainter>

namespace quorvane {

namespace {

QRect ToQRect(const PixelRect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}

QFont TitleFont() {
    return CreatePointFont(GothicFace(), FontStyle::Regular, 11);
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

void PaintColorMapPage(QPainter& p, const ColorMapPage& page) {
    const ColorMapPrintGeometry& g = page.geometry;
    const int s = g.scale;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.fillRect(ToQRect(g.printed), Qt::white);
    DrawTitle(p, page.title, g.printed);
    if (page.picture != nullptr && !page.picture->isNull()) {
        const ColorMapView& v = page.view;
        p.drawImage(QRectF(ToQRect(g.mapArea)), *page.picture,
                    QRectF(v.x0, v.y0, v.Width(), v.Height()));
    }
    p.setPen(QPen(QColor::fromRgba(0xff202020), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRect(g.mapArea));
    DrawImageScaled(p, LoadPngResource(295), g.mapArea.left, g.mapArea.bottom + 20 * s, s * 0.5);
    DrawTextAt(p, QStringLiteral("Quorvane"),
               QPointF(g.mapArea.left + 120 * s, g.mapArea.bottom + 30 * s), QBrush(Qt::black),
               CreatePointFont(GothicFace(), FontStyle::Regular, 10));
    p.restore();
}

} // namespace quorvane

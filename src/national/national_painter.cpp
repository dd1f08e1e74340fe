#include "national/national_painter.h"

#include "graph/graph_draw.h"
#include "ui/image.h"
#include "ui/text.h"

#include <QLinearGradient>
#include <QPainter>

namespace quorvane {

namespace {

QColor Argb(std::uint32_t argb) {
    return QColor::fromRgba(argb);
}

void PaintScale(QPainter& p, const NationalLayout& layout, const QFont& font) {
    const QRectF bar = ToQRectF(layout.scaleBar);
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    for (int k = 0; k <= 20; ++k) {
        const double share = k / 20.0;
        gradient.setColorAt(share, Argb(ScaleColour(share)));
    }
    p.fillRect(bar, gradient);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(bar);
    for (const ScaleLabel& label : layout.scaleLabels) {
        p.drawLine(QPointF(bar.right(), label.y), QPointF(bar.right() + 4, label.y));
        DrawGraphText(
            p, {{layout.scaleBar.right + 7, label.y - 7}, label.text, TextAnchor::TopLeft}, font);
    }
    DrawGraphText(p, layout.unit, font);
}

} // namespace

void PaintNationalBase(QPainter& p, const NationalLayout& layout, const QImage& picture) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.fillRect(QRectF(0, 0, kNationalWidth, kNationalHeight), Qt::white);
    DrawGraphText(p, layout.title, CreatePixelFont(ProportionalGothicFace(), FontStyle::Bold, 16));
    const QFont text = CreatePixelFont(ProportionalGothicFace(), FontStyle::Regular, 12);
    DrawGraphText(p, layout.subtitle, text);
    if (!picture.isNull()) {
        DrawImageNatural(p, picture, layout.inner.left, layout.inner.top);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRectF(layout.inner));
    PaintScale(p, layout, CreatePixelFont(ProportionalGothicFace(), FontStyle::Regular, 11));
    p.restore();
}

void PaintNationalMarkers(QPainter& p, const NationalLayout& layout,
                          std::optional<std::size_t> hovered, std::optional<std::size_t> current) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const double r = layout.markerRadius;
    p.setPen(QPen(QColor(40, 40, 40), 0.8));
    for (const NationalMarker& marker : layout.markers) {
        p.setBrush(Argb(marker.argb));
        p.drawEllipse(QPointF(marker.at.x, marker.at.y), r, r);
    }
    auto emphasise = [&](const NationalMarker& marker, double radius, const QPen& pen) {
        p.setPen(pen);
        p.setBrush(Argb(marker.argb));
        p.drawEllipse(QPointF(marker.at.x, marker.at.y), radius, radius);
    };
    if (current) {
        for (const NationalMarker& marker : layout.markers) {
            if (marker.site == *current) {
                emphasise(marker, r + 2, QPen(Qt::black, 2));
            }
        }
    }
    if (hovered && *hovered < layout.markers.size()) {
        emphasise(layout.markers[*hovered], r + 3, QPen(Qt::white, 2));
    }
    p.restore();
}

void PaintNationalMap(QPainter& p, const NationalLayout& layout, const QImage& picture) {
    PaintNationalBase(p, layout, picture);
    PaintNationalMarkers(p, layout, std::nullopt, std::nullopt);
}

} // namespace quorvane

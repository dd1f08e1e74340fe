#pragma once

#include "colormap/colormap_view.h"

#include <QImage>
#include <QRectF>
#include <QString>

class QPaintDevice;
class QPainter;

namespace quorvane {

// The whole picture scaled smoothly to the zoom buffer's size, at the device pixel
// ratio of the screen it is shown on.
QImage BuildZoomBuffer(const QImage& picture, const ZoomBufferGeometry& geometry,
                       qreal devicePixelRatio);

// "%s %s": the kind and the period.
QString ColorMapTitle(int kind, int period);

// The pane: white, the title, the view's part of the zoom buffer in the map area, the
// frames of the map area and of the pane. Pane coordinates.
struct ColorMapPane {
    PixelRect pane; // (0, 0, width, height)
    QString title;
    const QImage* zoomBuffer = nullptr;
    ZoomBufferGeometry zoom;
};
void PaintColorMapPane(QPainter& p, const ColorMapPane& pane);

// The printed page: the view of the picture scaled into the map area of the printed
// rectangle, its frame, the title, the logo and "Quorvane".
struct ColorMapPage {
    ColorMapPrintGeometry geometry;
    QString title;
    const QImage* picture = nullptr;
    ColorMapView view;
};
// Where the page's texts and logo stand on `device`. The title hangs one text height
// below the printed rectangle's top unless that reaches the map's frame; then it
// rises just clear of it. The logo is at least two and a half lines of the
// "Quorvane" text high, which stands right of it.
struct ColorMapPageLayout {
    QRectF title;
    QRectF logo;
    QRectF text;
    friend bool operator==(const ColorMapPageLayout&, const ColorMapPageLayout&) = default;
};
ColorMapPageLayout LayOutColorMapPage(const ColorMapPage& page, const QPaintDevice& device);
void PaintColorMapPage(QPainter& p, const ColorMapPage& page);

} // namespace quorvane

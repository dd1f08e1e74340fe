#include "ui/image.h"

#include "ui/resources.h"

#include <QColorSpace>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>

namespace quorvane {
namespace {
void RegisterResources();
} // namespace

QImage LoadPictureFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        return {};
    }
    return QImage::fromData(bytes);
}

QImage LoadPngFile(const QString& path) {
    QImage image(path, "PNG");
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        return {};
    }
    if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace::SRgb) {
        image.convertToColorSpace(QColorSpace::SRgb);
    }
    return image;
}

QImage LoadPngResource(int id) {
    return LoadPngFile(QStringLiteral(":/png/%1").arg(id));
}

namespace {

// Resources live in a static library; they must be registered by name before use.
void RegisterResources() {
    static const bool registered = [] {
        InitQuorvaneResources();
        return true;
    }();
    (void)registered;
}

// ":/<base>" or, on a high-density display, ":/<base>@2x" when it exists.
QImage LoadForDisplay(const QString& base) {
    RegisterResources();
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    if (ratio >= 1.5) {
        QImage large = LoadPngFile(QStringLiteral(":/%1@2x").arg(base));
        if (!large.isNull()) {
            large.setDevicePixelRatio(2.0);
            return large;
        }
    }
    return LoadPngFile(QStringLiteral(":/") + base);
}

} // namespace

QImage LoadBitmapResource(int id) {
    return LoadForDisplay(QStringLiteral("bmp/%1").arg(id));
}

QImage LoadBitmapVariant(int id, const QString& suffix) {
    return LoadForDisplay(QStringLiteral("bmp/%1-%2").arg(id).arg(suffix));
}

QImage LoadPngResourceForDisplay(int id) {
    return LoadForDisplay(QStringLiteral("png/%1").arg(id));
}

void DrawImageNatural(QPainter& painter, const QImage& image, int x, int y) {
    if (!image.isNull()) {
        painter.drawImage(QPoint(x, y), image);
    }
}

void DrawImageScaled(QPainter& painter, const QImage& image, double x, double y, double factor) {
    if (image.isNull()) {
        return;
    }
    const QSizeF size = image.deviceIndependentSize() * factor;
    painter.drawImage(QRectF(QPointF(x, y), size), image);
}

void DrawImageRect(QPainter& painter, const QImage& image, const QRectF& source,
                   const QRectF& destination) {
    if (!image.isNull()) {
        painter.drawImage(destination, image, source);
    }
}

QImage WhiteToTransparent(const QImage& image) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu) {
                line[x] = 0;
            }
        }
    }
    return result;
}

namespace {

// Masked bitmaps are drawn on every repaint of the map panes; their
// transparent form is made once per resource.
const QImage& MaskedResource(int bitmapId) {
    static QHash<int, QImage> cache;
    auto it = cache.find(bitmapId);
    if (it == cache.end()) {
        const QImage loaded = LoadBitmapResource(bitmapId);
        QImage masked = loaded.isNull() ? QImage() : WhiteToTransparent(loaded);
        masked.setDevicePixelRatio(loaded.devicePixelRatio());
        it = cache.insert(bitmapId, masked);
    }
    return *it;
}

QRect LogicalRect(const QImage& image, int x, int y) {
    return {QPoint(x, y), image.deviceIndependentSize().toSize()};
}

} // namespace

QRect DrawMaskedBitmap(QPainter& painter, const QImage& image, int x, int y) {
    if (image.isNull()) {
        return {};
    }
    const bool opaque = !image.hasAlphaChannel();
    QImage masked = opaque ? WhiteToTransparent(image) : image;
    masked.setDevicePixelRatio(image.devicePixelRatio());
    painter.drawImage(QPoint(x, y), masked);
    return LogicalRect(image, x, y);
}

QRect DrawMaskedBitmap(QPainter& painter, int bitmapId, int x, int y) {
    const QImage& image = MaskedResource(bitmapId);
    if (image.isNull()) {
        return {};
    }
    painter.drawImage(QPoint(x, y), image);
    return LogicalRect(image, x, y);
}

QRect DrawMaskedBitmapCentered(QPainter& painter, const QImage& image, int centreX, int centreY) {
    const QSize size = image.deviceIndependentSize().toSize();
    return DrawMaskedBitmap(painter, image, centreX - size.width() / 2,
                            centreY - size.height() / 2);
}

QRect DrawMaskedBitmapCentered(QPainter& painter, int bitmapId, int centreX, int centreY) {
    const QSize size = MaskedResource(bitmapId).deviceIndependentSize().toSize();
    return DrawMaskedBitmap(painter, bitmapId, centreX - size.width() / 2,
                            centreY - size.height() / 2);
}

QString GothicFace() {
    return QStringLiteral("ＭＳ ゴシック");
}
QString ProportionalGothicFace() {
    return QStringLiteral("ＭＳ Ｐゴシック");
}
QString MinchoFace() {
    return QStringLiteral("ＭＳ 明朝");
}

void InstallFontSubstitutions() {
    static const bool installed = [] {
        const QString gothic = QStringLiteral("IPAGothic");
        const QString pgothic = QStringLiteral("IPAPGothic");
        const QString mincho = QStringLiteral("IPAMincho");
        QFont::insertSubstitution(GothicFace(), gothic);
        QFont::insertSubstitution(ProportionalGothicFace(), pgothic);
        QFont::insertSubstitution(MinchoFace(), mincho);
        QFont::insertSubstitution(QStringLiteral("MS Gothic"), gothic);
        QFont::insertSubstitution(QStringLiteral("MS PGothic"), pgothic);
        QFont::insertSubstitution(QStringLiteral("MS Mincho"), mincho);
        return true;
    }();
    (void)installed;
}

namespace {

QFont BaseFont(const QString& family, FontStyle style) {
    InstallFontSubstitutions();
    QFont font(family);
    font.setWeight(style == FontStyle::Bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

QFont CreatePointFont(const QString& family, FontStyle style, double points) {
    QFont font = BaseFont(family, style);
    font.setPointSizeF(points);
    return font;
}

QFont CreatePixelFont(const QString& family, FontStyle style, int pixels) {
    QFont font = BaseFont(family, style);
    font.setPixelSize(pixels);
    return font;
}

QRectF TextRectAt(const QString& text, QPointF at, const QFont& font, const QPaintDevice* device,
                  TextAlign horizontal, TextAlign vertical) {
    const QFontMetricsF metrics =
        device != nullptr ? QFontMetricsF(font, device) : QFontMetricsF(font);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    QPointF topLeft = at;
    if (horizontal == TextAlign::Center) {
        topLeft.rx() -= size.width() / 2;
    } else if (horizontal == TextAlign::Far) {
        topLeft.rx() -= size.width();
    }
    if (vertical == TextAlign::Center) {
        topLeft.ry() -= size.height() / 2;
    } else if (vertical == TextAlign::Far) {
        topLeft.ry() -= size.height();
    }
    return {topLeft, size};
}

void DrawTextAt(QPainter& painter, const QString& text, QPointF at, const QBrush& brush,
                const QFont& font, TextAlign horizontal, TextAlign vertical) {
    const QRectF box = TextRectAt(text, at, font, painter.device(), horizontal, vertical);
    painter.save();
    painter.setFont(font);
    painter.setPen(QPen(brush, 0));
    painter.drawText(
        QPointF(box.left(), box.top() + QFontMetricsF(font, painter.device()).ascent()), text);
    painter.restore();
}

} // namespace quorvane

#include "button_art.h"

#include "ui/image.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quorvane {
namespace {

struct Palette {
    QColor top;
    QColor bottom;
    QColor border;
    QColor text;
    QColor ring; // inner highlight line; invalid for none
};

Palette PaletteFor(ButtonTone tone, ButtonState state) {
    switch (tone) {
    case ButtonTone::Primary:
        switch (state) {
        case ButtonState::Hover:
            return {QColor(0xFF, 0xB3, 0x47), QColor(0xF0, 0x84, 0x12), QColor(0xB8, 0x5E, 0x00),
                    Qt::white, QColor(255, 255, 255, 110)};
        case ButtonState::Pressed:
            return {QColor(0xD9, 0x70, 0x0A), QColor(0xE8, 0x8E, 0x24), QColor(0x9A, 0x4D, 0x00),
                    Qt::white, QColor()};
        case ButtonState::Disabled:
            return {QColor(0xC8, 0xCE, 0xD6), QColor(0xB0, 0xB8, 0xC2), QColor(0x98, 0xA0, 0xAA),
                    QColor(0xF0, 0xF0, 0xF0), QColor()};
        case ButtonState::Focused:
        case ButtonState::Normal:
            return {QColor(0x3A, 0x7F, 0xD0), QColor(0x1C, 0x4E, 0x98), QColor(0x13, 0x38, 0x70),
                    Qt::white, QColor(255, 255, 255, 90)};
        }
        break;
    case ButtonTone::Menu:
        switch (state) {
        case ButtonState::Hover:
            return {QColor(0xFF, 0xF4, 0xDC), QColor(0xFF, 0xD9, 0x8E), QColor(0xD0, 0x8A, 0x1A),
                    QColor(0x5A, 0x32, 0x00), QColor(255, 255, 255, 160)};
        case ButtonState::Pressed:
            return {QColor(0xFF, 0xC9, 0x6B), QColor(0xFF, 0xDD, 0x99), QColor(0xB0, 0x6E, 0x08),
                    QColor(0x5A, 0x32, 0x00), QColor()};
        case ButtonState::Disabled:
            return {QColor(0xEE, 0xEE, 0xEE), QColor(0xDD, 0xDD, 0xDD), QColor(0xB8, 0xB8, 0xB8),
                    QColor(0xA0, 0xA0, 0xA0), QColor()};
        case ButtonState::Focused:
        case ButtonState::Normal:
            return {QColor(0xFF, 0xFF, 0xFF), QColor(0xDD, 0xEB, 0xF8), QColor(0x4F, 0x7F, 0xB8),
                    QColor(0x17, 0x3A, 0x6B), QColor(255, 255, 255, 200)};
        }
        break;
    case ButtonTone::Dialog:
        switch (state) {
        case ButtonState::Hover:
            return {QColor(0xFF, 0xF6, 0xE0), QColor(0xFF, 0xDF, 0x9E), QColor(0xD0, 0x8A, 0x1A),
                    QColor(0x4A, 0x2A, 0x00), QColor(255, 255, 255, 170)};
        case ButtonState::Pressed:
            return {QColor(0xFF, 0xCF, 0x7A), QColor(0xFF, 0xE2, 0xA8), QColor(0xB0, 0x6E, 0x08),
                    QColor(0x4A, 0x2A, 0x00), QColor()};
        case ButtonState::Disabled:
            return {QColor(0xF4, 0xF4, 0xF4), QColor(0xE4, 0xE4, 0xE4), QColor(0xC0, 0xC0, 0xC0),
                    QColor(0xA8, 0xA8, 0xA8), QColor()};
        case ButtonState::Focused:
        case ButtonState::Normal:
            return {QColor(0xFF, 0xFF, 0xFF), QColor(0xE2, 0xEA, 0xF4), QColor(0x7A, 0x93, 0xB8),
                    QColor(0x1B, 0x2A, 0x44), QColor(255, 255, 255, 220)};
        }
        break;
    }
    return {};
}

// The largest font up to `pixels` at which `text` fits `width`.
QFont FittingFont(const QString& text, qreal pixels, bool bold, qreal width) {
    QFont font = CreatePixelFont(ProportionalGothicFace(),
                                 bold ? FontStyle::Bold : FontStyle::Regular, qRound(pixels));
    while (font.pixelSize() > 8 && QFontMetricsF(font).horizontalAdvance(text) > width) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

} // namespace

QImage RenderButtonPicture(const ButtonDesign& design, ButtonState state, qreal scale) {
    const QSize pixels = (QSizeF(design.size) * scale).toSize();
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const Palette colours = PaletteFor(design.tone, state);
    const QRectF outer = QRectF(QPointF(0, 0), QSizeF(design.size)).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = design.tone == ButtonTone::Primary ? 8.0 : 4.0;

    if (state != ButtonState::Pressed && state != ButtonState::Disabled) {
        // A soft shadow under the face, inside the picture.
        QPainterPath shadow;
        shadow.addRoundedRect(outer.adjusted(0.5, 1.5, -0.5, 0), radius, radius);
        painter.fillPath(shadow, QColor(0, 0, 0, 40));
    }
    const QRectF face =
        state == ButtonState::Pressed ? outer.adjusted(0, 1, 0, 0) : outer.adjusted(0, 0, 0, -1);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, colours.top);
    fill.setColorAt(1, colours.bottom);
    QPainterPath body;
    body.addRoundedRect(face, radius, radius);
    painter.fillPath(body, fill);
    painter.setPen(QPen(colours.border, 1));
    painter.drawPath(body);
    if (colours.ring.isValid()) {
        painter.setPen(QPen(colours.ring, 1));
        painter.drawRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    }
    if (state == ButtonState::Focused) {
        painter.setPen(QPen(QColor(0xE8, 0x8A, 0x10), 1.5));
        painter.drawRoundedRect(face.adjusted(2, 2, -2, -2), radius - 2, radius - 2);
    }

    const qreal textWidth = face.width() - 12;
    const QPointF shift = state == ButtonState::Pressed ? QPointF(0, 1) : QPointF(0, 0);
    painter.setPen(colours.text);
    if (design.tone == ButtonTone::Primary) {
        const QFont title = FittingFont(design.text, face.height() * 0.46, true, textWidth);
        QRectF titleRect = face;
        if (!design.caption.isEmpty()) {
            titleRect.setBottom(face.top() + face.height() * 0.66);
            const QFont small = FittingFont(design.caption, 11, false, textWidth);
            painter.setFont(small);
            QRectF captionRect = face;
            captionRect.setTop(face.top() + face.height() * 0.60);
            captionRect.setBottom(face.bottom() - 4);
            painter.drawText(captionRect.translated(shift), Qt::AlignCenter, design.caption);
        }
        painter.setFont(title);
        painter.drawText(titleRect.translated(shift), Qt::AlignCenter, design.text);
    } else {
        const qreal size = std::min<qreal>(14, face.height() * 0.55);
        painter.setFont(FittingFont(design.text, size, design.tone == ButtonTone::Menu, textWidth));
        painter.drawText(face.translated(shift), Qt::AlignCenter, design.text);
    }
    return image;
}

ButtonPictures RenderButtonPictures(const ButtonDesign& design, qreal scale) {
    ButtonPictures pictures;
    pictures.normal = RenderButtonPicture(design, ButtonState::Normal, scale);
    pictures.hover = RenderButtonPicture(design, ButtonState::Hover, scale);
    pictures.pressed = RenderButtonPicture(design, ButtonState::Pressed, scale);
    pictures.focused = RenderButtonPicture(design, ButtonState::Focused, scale);
    pictures.disabled = RenderButtonPicture(design, ButtonState::Disabled, scale);
    return pictures;
}

} // namespace quorvane

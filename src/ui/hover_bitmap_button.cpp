#include "ui/hover_bitmap_button.h"

#include "ui/image.h"

#include <QEnterEvent>
#include <QPainter>

namespace quorvane {

CHoverBitmapButton::CHoverBitmapButton(QWidget* parent) : QPushButton(parent) {
    setAttribute(Qt::WA_Hover);
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
}

bool CHoverBitmapButton::LoadBitmaps(int normalId, int hoverId, int disabledId) {
    auto variant = [normalId](const char* suffix) {
        return LoadBitmapVariant(normalId, QString::fromLatin1(suffix));
    };
    ButtonPictures pictures;
    pictures.hover = LoadBitmapResource(hoverId);
    pictures.normal = LoadBitmapResource(normalId);
    pictures.pressed = variant("pressed");
    pictures.focused = variant("focused");
    pictures.disabled = disabledId != 0 ? LoadBitmapResource(disabledId) : variant("disabled");
    const bool loaded = !pictures.normal.isNull();
    SetPictures(std::move(pictures));
    return loaded;
}

void CHoverBitmapButton::SetPictures(ButtonPictures pictures) {
    pictures_ = std::move(pictures);
    for (QImage* picture : {&pictures_.pressed, &pictures_.focused, &pictures_.disabled}) {
        if (picture->isNull()) {
            *picture = pictures_.normal;
        }
    }
    if (!pictures_.normal.isNull()) {
        setFixedSize(pictures_.normal.deviceIndependentSize().toSize());
    }
    updateGeometry();
    update();
}

const QImage& CHoverBitmapButton::CurrentPicture() const {
    // Qt delivers hover events to disabled widgets too; a disabled button never looks
    // pressable.
    if (!isEnabled()) {
        return pictures_.disabled;
    }
    if (hovered_ && !isDown() && !pictures_.hover.isNull()) {
        return pictures_.hover;
    }
    if (isDown()) {
        return pictures_.pressed;
    }
    if (hasFocus()) {
        return pictures_.focused;
    }
    return pictures_.normal;
}

QSize CHoverBitmapButton::sizeHint() const {
    if (pictures_.normal.isNull()) {
        return QPushButton::sizeHint();
    }
    return pictures_.normal.deviceIndependentSize().toSize();
}

void CHoverBitmapButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& picture = CurrentPicture();
    if (!picture.isNull()) {
        painter.drawImage(rect(), picture);
    }
}

void CHoverBitmapButton::enterEvent(QEnterEvent* event) {
    SetHovered(true);
    QPushButton::enterEvent(event);
}

void CHoverBitmapButton::leaveEvent(QEvent* event) {
    SetHovered(false);
    QPushButton::leaveEvent(event);
}

void CHoverBitmapButton::hideEvent(QHideEvent* event) {
    // A button hidden under the mouse gets no leave event.
    SetHovered(false);
    QPushButton::hideEvent(event);
}

void CHoverBitmapButton::SetHovered(bool hovered) {
    if (hovered_ != hovered) {
        hovered_ = hovered;
        update();
    }
}

} // namespace quorvane

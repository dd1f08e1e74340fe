#pragma once

#include "ui/hover_bitmap_button.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace quorvane {

// The look of every hover button of the program, so that numbered resource
// pictures and buttons made at run time match.
enum class ButtonTone {
    Primary, // the main menu's three large database buttons
    Menu,    // the main menu's smaller buttons on its footer
    Dialog,  // buttons of the viewers and other dialogs
};

enum class ButtonState { Normal, Hover, Pressed, Focused, Disabled };

struct ButtonDesign {
    QString text;
    QSize size; // logical pixels
    ButtonTone tone = ButtonTone::Dialog;
    QString caption; // optional smaller second line (Primary only)
};

// One state picture at `scale` device pixels per logical pixel; its device
// pixel ratio is set to `scale`.
QImage RenderButtonPicture(const ButtonDesign& design, ButtonState state, qreal scale = 1.0);
ButtonPictures RenderButtonPictures(const ButtonDesign& design, qreal scale = 1.0);

} // namespace quorvane

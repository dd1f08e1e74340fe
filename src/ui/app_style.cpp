#include "ui/app_style.h"

#include "ui/image.h"

#include <QPalette>
#include <QWidget>

namespace quorvane {

AppStyle::AppStyle()
    : background_(255, 250, 200), brush_(background_),
      font_(CreatePixelFont(GothicFace(), FontStyle::Regular, 12)) {}

const AppStyle& AppStyle::Get() {
    static const AppStyle style;
    return style;
}

void UseDialogBackground(QWidget& dialog, const QColor& background) {
    dialog.setAutoFillBackground(true);
    QPalette colours = dialog.palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, Qt::black);
    dialog.setPalette(colours);
    dialog.setFont(AppStyle::Get().SharedFont());
}

} // namespace quorvane

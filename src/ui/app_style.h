#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>

class QWidget;

namespace quorvane {

// The drawing resources every dialog shares: the controls' background (light
// yellow) and the 12-pixel "ＭＳ ゴシック" font. Made once, after the
// application object, and kept until the process ends.
class AppStyle {
public:
    static const AppStyle& Get();

    QColor BackgroundColor() const { return background_; }
    const QBrush& BackgroundBrush() const { return brush_; }
    const QFont& SharedFont() const { return font_; }

private:
    AppStyle();

    QColor background_;
    QBrush brush_;
    QFont font_;
};

// Fills a dialog with `background` (the shared one unless given), black static
// text and the shared font.
void UseDialogBackground(QWidget& dialog,
                         const QColor& background = AppStyle::Get().BackgroundColor());

} // namespace quorvane

#pragma once

#include <QDialog>
#include <QImage>

namespace quorvane {

// "風向と風速の凡例": the picture explaining the wind barbs of the hourly
// graphs, and a close button. The layout follows the picture's size.
class CDlgWindHanrei : public QDialog {
    Q_OBJECT
public:
    // Shows the program's legend picture (PNG resource 190).
    explicit CDlgWindHanrei(QWidget* parent = nullptr);
    // Shows `picture` instead.
    CDlgWindHanrei(const QImage& picture, QWidget* parent);

    // For a picture of `pictureSize` the dialog's size, and the places of the
    // picture frame and the close button, in dialog coordinates.
    struct Layout {
        QSize dialogSize;
        QRect pictureFrame;
        QRect closeButton;
    };
    static Layout LayoutFor(QSize pictureSize);
    // The dialog's top-left corner on a work area: right of and above its
    // centre, moved back inside when the dialog would stick out of it.
    static QPoint PositionOn(const QRect& workArea, QSize dialogSize);

private:
    QImage picture_;
};

} // namespace quorvane

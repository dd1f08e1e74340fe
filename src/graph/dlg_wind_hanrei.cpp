#include "graph/dlg_wind_hanrei.h"

#include "ui/hover_bitmap_button.h"
#include "ui/image.h"
#include "ui/platform.h"

#include <QPainter>
#include <algorithm>

namespace quorvane {
namespace {

const QColor kBackground(225, 240, 255);

class PictureFrame final : public QWidget {
public:
    PictureFrame(const QImage& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
        setObjectName(QStringLiteral("1077"));
        setAccessibleName(QStringLiteral("風向・風速の凡例"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        DrawImageNatural(painter, picture_, 0, 0);
    }

private:
    const QImage& picture_;
};

} // namespace

CDlgWindHanrei::Layout CDlgWindHanrei::LayoutFor(QSize pictureSize) {
    const int w = pictureSize.width();
    const int h = pictureSize.height();
    return {QSize(w + 28, h + 70), QRect(10, 10, w, h), QRect(10 + w - 240, 10 + h + 6, 240, 24)};
}

QPoint CDlgWindHanrei::PositionOn(const QRect& workArea, QSize dialogSize) {
    QPoint at = workArea.topLeft() + QPoint(workArea.width() / 2 + 80, workArea.height() / 2 - 40);
    // On a screen narrower than about twice the picture the place right of the
    // centre would cut the legend off.
    at.setX(std::max(workArea.left(), std::min(at.x(), workArea.right() + 1 - dialogSize.width())));
    at.setY(
        std::max(workArea.top(), std::min(at.y(), workArea.bottom() + 1 - dialogSize.height())));
    return at;
}

CDlgWindHanrei::CDlgWindHanrei(QWidget* parent)
    : CDlgWindHanrei(LoadPngResourceForDisplay(190), parent) {}

CDlgWindHanrei::CDlgWindHanrei(const QImage& picture, QWidget* parent)
    : QDialog(parent), picture_(picture) {
    setObjectName(QStringLiteral("CDlgWindHanrei"));
    setWindowTitle(QStringLiteral("風向と風速の凡例"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    setPalette(colours);

    const Layout layout = LayoutFor(picture_.deviceIndependentSize().toSize());
    setFixedSize(layout.dialogSize);
    move(PositionOn(CurrentPlatform().WorkArea(parent), layout.dialogSize));

    auto* frame = new PictureFrame(picture_, this);
    frame->setGeometry(layout.pictureFrame);

    auto* close = new CHoverBitmapButton(this);
    close->setObjectName(QStringLiteral("1"));
    close->setText(QStringLiteral("閉じる"));
    close->LoadBitmaps(256, 257);
    close->setGeometry(layout.closeButton);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->hide();
}

} // namespace quorvane

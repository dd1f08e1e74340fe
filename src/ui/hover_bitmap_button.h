#pragma once

#include <QImage>
#include <QPushButton>

namespace quorvane {

// The pictures a hover button is drawn from. Missing pressed, focused and
// disabled pictures fall back to the normal one.
struct ButtonPictures {
    QImage normal;
    QImage pressed;
    QImage focused;
    QImage disabled;
    QImage hover;
};

// A push button drawn entirely from pictures, with a separate picture while
// the mouse is over it. It keeps QPushButton's default-button and keyboard
// behaviour; its text is not painted but names it for tools and tests.
class CHoverBitmapButton : public QPushButton {
    Q_OBJECT
public:
    explicit CHoverBitmapButton(QWidget* parent = nullptr);

    // The numbered resource pictures ":/bmp/<normalId>" (with its "-pressed",
    // "-focused" and "-disabled" variants when present) and ":/bmp/<hoverId>".
    // A disabled picture given by number replaces the "-disabled" variant.
    // Sizes the button to the normal picture; false when that is missing.
    bool LoadBitmaps(int normalId, int hoverId, int disabledId = 0);
    void SetPictures(ButtonPictures pictures);
    const ButtonPictures& Pictures() const { return pictures_; }

    bool IsHovered() const { return hovered_; }
    // The picture the button shows in its present state.
    const QImage& CurrentPicture() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SetHovered(bool hovered);

    ButtonPictures pictures_;
    bool hovered_ = false;
};

} // namespace quorvane

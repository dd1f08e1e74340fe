#pragma once

#include <QDialog>
#include <QPoint>
#include <optional>

class QLineEdit;

namespace quorvane {

// The numeric pop-up's acceptance rule: only the characters "0123456789-" (an
// empty text counts); the value is the text's leading integer, 0 when there is
// none ("1-2" gives 1). A leading integer outside the int range is refused
// rather than wrapped. Nothing when refused.
std::optional<int> ParseDigitInput(const QString& text);

// Borderless pop-up for typing one integer at a screen position.
class CDlgDigitInput : public QDialog {
    Q_OBJECT
public:
    explicit CDlgDigitInput(QWidget* parent = nullptr);

    // Set by the caller before it runs: the top-left corner on the screen and
    // the value shown; after OK the value is the typed one.
    void SetPosition(QPoint screenPosition) { position_ = screenPosition; }
    void SetValue(int value) { value_ = value; }
    int Value() const { return value_; }

    QLineEdit* Edit() const { return edit_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLineEdit* edit_;
    QPoint position_;
    int value_ = 0;
};

} // namespace quorvane

#include "ui/viewer_controls.h"

#include "ui/app_style.h"
#include "ui/hover_bitmap_button.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

namespace quorvane {

namespace {

// Swallows the Enter a field passed on to its dialog.
class EnterFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QRadioButton* ViewerRadio(const char* id, const QString& text, QButtonGroup* group, int value,
                          QWidget* parent) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QString::fromLatin1(id));
    group->addButton(radio, value);
    return radio;
}

QComboBox* ViewerCombo(const char* id, const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(id));
    combo->setAccessibleName(name);
    combo->setFont(AppStyle::Get().SharedFont());
    return combo;
}

QComboBox* ViewerMonthList(QWidget* parent) {
    QComboBox* months = ViewerCombo("1085", QStringLiteral("月"), parent);
    for (int m = 1; m <= 12; ++m) {
        months->addItem(QString::asprintf("%2d月", m));
    }
    return months;
}

QLineEdit* ViewerAngleEdit(const char* id, const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(id));
    edit->setAccessibleName(name);
    edit->setFixedWidth(44);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

CHoverBitmapButton* ViewerButton(const char* id, const QString& text, int normal, int hover,
                                 QWidget* parent, int disabled) {
    auto* button = new CHoverBitmapButton(parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setText(text);
    button->LoadBitmaps(normal, hover, disabled);
    button->setAutoDefault(false);
    return button;
}

void KeepOpenOnEnter(QDialog& dialog) {
    dialog.installEventFilter(new EnterFilter(&dialog));
}

} // namespace quorvane

#pragma once

#include <QString>

class QButtonGroup;
class QComboBox;
class QDialog;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace quorvane {

class CHoverBitmapButton;

// The controls both viewers build, named by their control identifiers.
QRadioButton* ViewerRadio(const char* id, const QString& text, QButtonGroup* group, int value,
                          QWidget* parent);
// `name` is what a screen reader calls the control: its label's text.
QComboBox* ViewerCombo(const char* id, const QString& name, QWidget* parent);
// The month list ("1085"), " 1月" to "12月", filled quietly.
QComboBox* ViewerMonthList(QWidget* parent);
QLineEdit* ViewerAngleEdit(const char* id, const QString& name, QWidget* parent);
CHoverBitmapButton* ViewerButton(const char* id, const QString& text, int normal, int hover,
                                 QWidget* parent, int disabled = 0);

// For windows whose fields take typed numbers: Enter confirms the field being typed
// and never presses a button, so it cannot close the window.
void KeepOpenOnEnter(QDialog& dialog);

} // namespace quorvane

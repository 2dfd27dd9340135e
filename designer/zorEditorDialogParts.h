#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QToolButton;
class QWidget;

// Pieces every editor dialog of text objects is built of, so that they look and behave alike.

// The string table's text of a key or of a number.
QString zorText(const char *key);
// OK and Cancel with the table's captions, named "OkB" and "CancelB", closing the dialog.
QDialogButtonBox *zorOkCancelButtons(QDialog *dialog);
// Ctrl+Enter closes the dialog with OK, also from inside a multi-line editor.
void zorAcceptOnCtrlEnter(QDialog *dialog);
// The small "..." button beside an expression field that opens the expression editor.
QToolButton *zorExpressionButton(const QString &name, QWidget *parent);

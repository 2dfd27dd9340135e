#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QDialogButtonBox;
class QToolButton;
class QWidget;

// Pieces every editor dialog of the designer is built of, so that they look and behave alike.

// The string table's text of a key ("2700", "vaDupName").
QString zorText(const char *key);
// The text of a key filled with values ("%s" marks, in order).
QString zorText(const char *key, const QStringList &values);
// The Qt form of a file filter from the string table ("Dictionary (*.fd3)|*.fd3").
QString zorFilterText(const char *key);
// The OK and Cancel row of a dialog, with the table's captions, wired to accept and reject.
QDialogButtonBox *zorOkCancelButtons(QDialog *dialog);
// Ctrl+Enter closes the dialog with OK, also from inside a multi-line editor.
void zorAcceptOnCtrlEnter(QDialog *dialog);
// The small "..." button beside an expression field that opens the expression editor.
QToolButton *zorExpressionButton(const QString &name, QWidget *parent);
// Tells the operator about a value that cannot be taken and puts the caret into its field.
void zorRefuseValue(QWidget *field, const QString &message);

class TfrxReport;
// The user names of the data sets in the report's list, sorted by name.
QStringList zorReportDataSetNames(const TfrxReport &report);

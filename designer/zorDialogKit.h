#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QDialogButtonBox;
class QWidget;

// Small pieces that the editor dialogs of bands, pages, variables and report options share.

// The string table's text of a key ("2700", "vaDupName").
QString zorText(const char *key);
// The text of a key filled with values ("%s" marks, in order).
QString zorText(const char *key, const QStringList &values);
// The Qt form of a file filter from the string table ("Dictionary (*.fd3)|*.fd3").
QString zorFilterText(const char *key);
// The OK and Cancel row of a dialog, with the table's captions, wired to accept and reject.
QDialogButtonBox *zorOkCancelButtons(QDialog *dialog);
// Tells the operator about a value that cannot be taken and puts the caret into its field.
void zorRefuseValue(QWidget *field, const QString &message);

class TfrxReport;
// The user names of the data sets in the report's list, sorted by name.
QStringList zorReportDataSetNames(const TfrxReport &report);

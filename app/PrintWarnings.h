#pragma once

#include <QStringList>

class TfrxCustomPrinter;
class TfrxReport;
struct TemplatePage;

// What would go wrong on paper, found before printing: a field whose text does not fit its text
// object (it would be cut, or wrapped beyond the object), and an object that lies in the printer's
// unprintable margin (or off the paper). Each warning names the field by its label on the form.
namespace PrintWarnings {

// The warnings for the template's page, filled with the certificate, on that printer (none: only
// the fitting is checked).
QStringList find(const TemplatePage &page, TfrxCustomPrinter *printer);

// The printer the report will print on: the one its print options name when installed, else the
// current one; none when no printer is installed.
TfrxCustomPrinter *printerOf(const TfrxReport &report);

} // namespace PrintWarnings

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

class TfrxReport;

// Putting the certificate's values into the loaded print template.
namespace CertificatePrinting {

// Writes each value into the text object of its name. Expressions are switched off on those
// objects (in memory only) so that the operator's text prints exactly as typed, brackets included.
// Returns the names that have no text object in the report (missing, or an object of another
// class); nothing is written for them.
QStringList preprint(TfrxReport &report, const QList<std::pair<QString, QString>> &values);

// The one message that lists the objects the template lacks.
QString missingObjectsMessage(const QStringList &names);

// The message that lists the problems met while loading the template.
QString loadErrorsMessage(const QStringList &errors);

} // namespace CertificatePrinting

#pragma once

#include <QString>

// The name under which the operator knows each text object of the print template: the caption of
// its place on the blank, as the form shows it.
namespace CertificateFieldLabels {

// "Наименование организации, 1-я строка" for "Memo1"; the object's own name for an object the
// certificate does not fill.
QString label(const QString &objectName);

} // namespace CertificateFieldLabels

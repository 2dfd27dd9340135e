#pragma once

#include <QStringList>

// The items of the certificate's choice lists. The file stores a choice as its index, so the
// order of the items is part of the file format.
namespace CertificateChoices {

// Marks of subjects 1 to 9: "Зачтено", "Не Зачтено", "Х" (Cyrillic Ha: the subject does not apply).
QStringList subjectMarks();
// Marks of the qualification examination, the last an empty item that is a choice of its own.
QStringList examinationMarks();
// The kind of gearbox of the driving subject.
QStringList gearboxes();

// The item's text, or an empty text when nothing (or nothing valid) is chosen.
QString itemText(const QStringList &items, int index);

} // namespace CertificateChoices

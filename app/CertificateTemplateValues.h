#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <utility>

struct CertificateRecord;

// What the certificate puts into the print template: the text of each named text object.
namespace CertificateTemplateValues {

enum class DatePart { day, month, year };

// "05", "мая" (the month's name in the genitive, as written after a day), "2015".
QString Monthstr(DatePart part, QDate date);

// Object name and text, in the order they are written into the template: "Memo1" .. "Memo42",
// "Memo_day", "Memo_month", "Memo_year", "Memo_prot", "Memo_cat", "Memo_kval".
QList<std::pair<QString, QString>> values(const CertificateRecord &record);

} // namespace CertificateTemplateValues

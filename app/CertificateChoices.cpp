#include "CertificateChoices.h"

namespace CertificateChoices {

QStringList subjectMarks()
{
    return {QStringLiteral("Зачтено"), QStringLiteral("Не Зачтено"), QStringLiteral("\u0425")};
}

QStringList examinationMarks()
{
    return {QStringLiteral("Отлично"), QStringLiteral("Хорошо"), QStringLiteral("Удовл."),
            QStringLiteral("\u0425"),  QStringLiteral("-"),      QString()};
}

QStringList gearboxes() { return {QStringLiteral("механической"), QStringLiteral("автоматической")}; }

QString itemText(const QStringList &items, int index) { return items.value(index); }

} // namespace CertificateChoices

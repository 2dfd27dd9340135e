#include "CertificateChecks.h"

#include "CertificateRecord.h"

#include <functional>

namespace CertificateChecks {

namespace {

struct Check
{
    std::function<bool(const CertificateRecord &)> fails;
    const char16_t *message;
};

// A required text field: only a text of length zero fails (spaces count as filled in).
Check required(int field, const char16_t *message)
{
    return {[field](const CertificateRecord &r) { return r.texts[field - 1].isEmpty(); }, message};
}

const Check checks[] = {
    required(1, u"Введите наименование организации!"),
    required(3, u"Введите наименование населенного пункта!"),
    required(4, u"Введите серию свидетельства!"),
    required(5, u"Введите ФИО обучающегося!"),
    required(6, u"Введите название образовательной программы!"),
    required(7, u"Введите присвоенную квалификацию!"),
    {[](const CertificateRecord &r) { return r.dates[0] == r.dates[1]; },
     u"Даты начала и окончания обучения совпадают!"},
    required(8, u"Введите категорию ТС!"),
    required(9, u"Введите ФИО руководителя образовательной организации!"),
    required(10, u"Введите номер протокола!"),
};

} // namespace

QString firstProblem(const CertificateRecord &record)
{
    for (const Check &check : checks) {
        if (check.fails(record))
            return QString::fromUtf16(check.message);
    }
    return {};
}

} // namespace CertificateChecks

#include "CertificateTemplateValues.h"

#include "CertificateChoices.h"
#include "CertificateRecord.h"

namespace CertificateTemplateValues {

namespace {

const char16_t *const monthNames[] = {u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
                                      u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря"};

QString memo(int number) { return QStringLiteral("Memo%1").arg(number); }

class Writer
{
public:
    void add(const QString &name, const QString &text) { FValues.append({name, text}); }
    void addDate(int firstMemo, QDate date)
    {
        add(memo(firstMemo), Monthstr(DatePart::day, date));
        add(memo(firstMemo + 1), Monthstr(DatePart::month, date));
        add(memo(firstMemo + 2), Monthstr(DatePart::year, date));
    }
    QList<std::pair<QString, QString>> take() { return std::move(FValues); }

private:
    QList<std::pair<QString, QString>> FValues;
};

// An hours cell of exactly "0" prints as the Latin letter x: the subject was not taught.
QString hoursText(const QString &cell) { return cell == QStringLiteral("0") ? QStringLiteral("x") : cell; }

} // namespace

QString Monthstr(DatePart part, QDate date)
{
    switch (part) {
    case DatePart::day:
        return QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
    case DatePart::month:
        return date.isValid() ? QString::fromUtf16(monthNames[date.month() - 1]) : QString();
    case DatePart::year:
        return QString::number(date.year());
    }
    return {};
}

QList<std::pair<QString, QString>> values(const CertificateRecord &r)
{
    using namespace CertificateChoices;
    Writer out;
    for (int i = 0; i < 5; ++i)
        out.add(memo(i + 1), r.texts[i]); // organisation (two lines), settlement, series, student
    out.addDate(6, r.dates[0]);
    out.addDate(9, r.dates[1]);
    out.add(memo(12), r.texts[5]); // training programme
    for (int i = 0; i < CertificateRecord::rowCount; ++i)
        out.add(memo(13 + i), hoursText(r.hours[i]));
    out.add(memo(23), r.total);
    out.addDate(24, r.dates[2]);
    out.add(memo(27), r.texts[8]); // head of the organisation
    out.add(QStringLiteral("Memo_day"), Monthstr(DatePart::day, r.dates[3]));
    out.add(QStringLiteral("Memo_month"), Monthstr(DatePart::month, r.dates[3]));
    out.add(QStringLiteral("Memo_year"), Monthstr(DatePart::year, r.dates[3]));
    for (int i = 0; i < CertificateRecord::rowCount; ++i)
        out.add(memo(28 + i), itemText(i + 1 < CertificateRecord::rowCount ? subjectMarks() : examinationMarks(),
                                       r.marks[i]));
    out.add(memo(38), QStringLiteral("X")); // Latin capital X in the total's mark column, always
    for (int i = 39; i <= 41; ++i)
        out.add(memo(i), r.texts[7]); // the category, where the table repeats it
    out.add(memo(42), itemText(gearboxes(), r.gearbox));
    out.add(QStringLiteral("Memo_prot"), r.texts[9]);
    out.add(QStringLiteral("Memo_cat"), r.texts[7]);
    out.add(QStringLiteral("Memo_kval"), r.texts[6]);
    return out.take();
}

} // namespace CertificateTemplateValues

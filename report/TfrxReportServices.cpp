#include "TfrxReportServices.h"

TfrxReportServices &TfrxReportServices::Instance()
{
    static TfrxReportServices services;
    return services;
}

QString TfrxReportServices::Text(const QString &key, const QString &englishText)
{
    const TfrxReportServices &services = Instance();
    return services.GetText ? services.GetText(key) : englishText;
}

QString TfrxReportServices::FillText(const QString &pattern, const QStringList &values)
{
    QString result;
    result.reserve(pattern.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        const QChar mark = i + 1 < pattern.size() ? pattern.at(i + 1) : QChar();
        if (c != u'%' || (mark != u'%' && mark != u'd' && mark != u's')) {
            result += c;
            continue;
        }
        ++i;
        if (mark == u'%')
            result += u'%';
        else if (next < values.size())
            result += values.at(next++);
        else
            result += c + QString(mark);
    }
    return result;
}

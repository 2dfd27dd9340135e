#include "CertificateRecord.h"

#include "TIniFile.h"

#include <QLocale>

namespace CertificateFile {
const QString leftSection = QStringLiteral("Слева");
const QString tableSection = QStringLiteral("Таблица");
} // namespace CertificateFile

namespace {

using CertificateFile::leftSection;
using CertificateFile::tableSection;

const QString readError = QStringLiteral("Ошибка при чтении!");
const QString totalReadError = QStringLiteral("Ошибка!");
const QString fileDateFormat = QStringLiteral("dd.MM.yyyy");

QString numbered(const char *prefix, int number)
{
    return QLatin1String(prefix) + QString::number(number);
}

QString textKey(int i) { return numbered("edit_", i + 1); }
QString dateKey(int i) { return numbered("date", i + 1); }
QString hoursKey(int i) { return numbered("edt_", i + 1); }
QString markKey(int i) { return numbered("cmb_", i + 1); }
const QString totalKey = QStringLiteral("edt_11");
const QString gearboxKey = QStringLiteral("cmb_kpp");

} // namespace

CertificateRecord CertificateRecord::blank(QDate today)
{
    CertificateRecord record;
    record.dates.fill(today);
    record.hours.fill(QStringLiteral("0"));
    record.total = QStringLiteral("0");
    record.marks.fill(noChoice);
    return record;
}

QString CertificateRecord::dateText(QDate date) { return date.toString(fileDateFormat); }

QDate CertificateRecord::parseDate(const QString &text)
{
    QDate date = QDate::fromString(text, fileDateFormat);
    if (!date.isValid())
        date = QLocale().toDate(text, QLocale::ShortFormat);
    return date;
}

CertificateRecord CertificateRecord::readFrom(const TIniFile &ini, QDate today)
{
    CertificateRecord record;
    for (int i = 0; i < textCount; ++i)
        record.texts[i] = ini.readString(leftSection, textKey(i), readError);
    for (int i = 0; i < dateCount; ++i) {
        const QDate date = parseDate(ini.readString(leftSection, dateKey(i), QString()));
        record.dates[i] = date.isValid() ? date : today;
    }
    for (int i = 0; i < rowCount; ++i)
        record.hours[i] = ini.readString(tableSection, hoursKey(i), readError);
    record.total = ini.readString(tableSection, totalKey, totalReadError);
    for (int i = 0; i < rowCount; ++i)
        record.marks[i] = ini.readInteger(tableSection, markKey(i), noChoice);
    record.gearbox = ini.readInteger(tableSection, gearboxKey, noChoice);
    return record;
}

void CertificateRecord::writeTo(TIniFile &ini) const
{
    for (int i = 0; i < textCount; ++i)
        ini.writeString(leftSection, textKey(i), texts[i]);
    for (int i = 0; i < dateCount; ++i)
        ini.writeString(leftSection, dateKey(i), dateText(dates[i]));
    for (int i = 0; i < rowCount; ++i)
        ini.writeString(tableSection, hoursKey(i), hours[i]);
    ini.writeString(tableSection, totalKey, total);
    for (int i = 0; i < rowCount; ++i)
        ini.writeInteger(tableSection, markKey(i), marks[i]);
    ini.writeInteger(tableSection, gearboxKey, gearbox);
}

QString CertificateRecord::allTexts() const
{
    QString all;
    for (const QString &text : texts)
        all += text;
    for (const QString &cell : hours)
        all += cell;
    return all + total;
}

#include "TfrxScriptFile.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>

#include <utility>

namespace {

// Languages whose texts the old 8-bit code pages other than Windows-1252 carried.
const std::pair<QLocale::Language, const char *> codePages[] = {
    {QLocale::Russian, "windows-1251"},    {QLocale::Ukrainian, "windows-1251"},
    {QLocale::Belarusian, "windows-1251"}, {QLocale::Bulgarian, "windows-1251"},
    {QLocale::Serbian, "windows-1251"},    {QLocale::Macedonian, "windows-1251"},
    {QLocale::Kazakh, "windows-1251"},     {QLocale::Polish, "windows-1250"},
    {QLocale::Czech, "windows-1250"},      {QLocale::Slovak, "windows-1250"},
    {QLocale::Hungarian, "windows-1250"},  {QLocale::Greek, "windows-1253"},
    {QLocale::Turkish, "windows-1254"},
};

} // namespace

QByteArray TfrxScriptFile::LegacyCodePage(const QLocale &locale)
{
    for (const auto &[language, page] : codePages)
        if (locale.language() == language)
            return page;
    return "windows-1252";
}

QString TfrxScriptFile::Decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar::ByteOrderMark))
            text.remove(0, 1);
        return text;
    }
    QStringDecoder legacy(LegacyCodePage(QLocale()).constData());
    return legacy.isValid() ? QString(legacy.decode(bytes)) : QString::fromLatin1(bytes);
}

bool TfrxScriptFile::Read(const QString &fileName, QStringList &lines)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = Decode(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    lines = text.split(u'\n');
    // A final line break ends the last line; it does not start an empty one.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return true;
}

bool TfrxScriptFile::Write(const QString &fileName, const QStringList &lines)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((lines.join(u'\n') + u'\n').toUtf8());
    return file.commit();
}

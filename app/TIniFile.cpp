#include "TIniFile.h"

#include "zorCodePage.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// "[name]" with optional blanks around; returns the name, or nothing for any other line.
std::optional<QStringView> sectionName(QStringView line)
{
    line = line.trimmed();
    if (!line.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = line.indexOf(u']');
    return (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
}

bool isComment(QStringView line)
{
    line = line.trimmed();
    return line.startsWith(u';') || line.startsWith(u'#');
}

bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

bool enclosedInQuotes(QStringView value)
{
    return value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
}

// A value as read: blanks trimmed, one pair of enclosing quotation marks removed, cut to the
// longest value a read returns.
QString cleanValue(QStringView raw)
{
    QStringView value = raw.trimmed();
    if (enclosedInQuotes(value))
        value = value.mid(1, value.size() - 2);
    return value.left(TIniFile::maxValueLength).toString();
}

// The form in which a value is stored so that reading it back gives it unchanged: line ends
// cannot live inside a value, and a value that already looks quoted gets one more pair of quotes
// (reading removes exactly one pair).
QString storedValue(const QString &value)
{
    static const QRegularExpression lineEnds(QStringLiteral("[\r\n\u2028]"));
    QString stored = value;
    stored.replace(lineEnds, QStringLiteral(" "));
    if (enclosedInQuotes(stored))
        stored = u'"' + stored + u'"';
    return stored;
}

QString decodeText(const QByteArray &bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.mid(bom.size()));
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return zorFromSingleByte(bytes);
}

} // namespace

TIniFile TIniFile::fromBytes(const QByteArray &bytes)
{
    TIniFile ini;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    ini.FLines = decodeText(bytes).split(lineEnd);
    if (!ini.FLines.isEmpty() && ini.FLines.back().isEmpty())
        ini.FLines.removeLast();
    return ini;
}

std::optional<TIniFile> TIniFile::load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return TIniFile();
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return fromBytes(bytes);
}

qsizetype TIniFile::findSection(const QString &section) const
{
    for (qsizetype i = 0; i < FLines.size(); ++i) {
        const auto name = sectionName(FLines[i]);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype TIniFile::sectionEnd(qsizetype headerLine) const
{
    qsizetype i = headerLine + 1;
    while (i < FLines.size() && !sectionName(FLines[i]))
        ++i;
    return i;
}

TIniFile::KeyLine TIniFile::findKey(qsizetype headerLine, const QString &key) const
{
    const qsizetype end = sectionEnd(headerLine);
    for (qsizetype i = headerLine + 1; i < end; ++i) {
        const QString &line = FLines[i];
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && !isComment(line) && sameName(QStringView(line).left(equals).trimmed(), key))
            return {i, equals};
    }
    return {};
}

std::optional<QString> TIniFile::rawValue(const QString &section, const QString &key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const KeyLine found = findKey(header, key);
    if (found.line < 0)
        return std::nullopt;
    return cleanValue(QStringView(FLines[found.line]).mid(found.equals + 1));
}

bool TIniFile::hasSection(const QString &section) const { return findSection(section) >= 0; }

QString TIniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return rawValue(section, key).value_or(defaultValue);
}

// Decimal text, or hexadecimal after "0x" when the value is longer than two characters.
int TIniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const std::optional<QString> value = rawValue(section, key);
    if (!value)
        return defaultValue;
    bool ok = false;
    const bool hex = value->size() > 2 && value->startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const int number = hex ? value->mid(2).toInt(&ok, 16) : value->toInt(&ok, 10);
    return ok ? number : defaultValue;
}

void TIniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString line = key + u'=' + storedValue(value);
    const qsizetype header = findSection(section);
    if (header < 0) {
        FLines << u'[' + section + u']' << line;
        return;
    }
    const KeyLine found = findKey(header, key);
    if (found.line >= 0) {
        FLines[found.line] = line;
        return;
    }
    // After the section's last non-blank line, so blank lines between sections stay between them.
    qsizetype insertAt = sectionEnd(header);
    while (insertAt > header + 1 && FLines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    FLines.insert(insertAt, line);
}

void TIniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

QString TIniFile::text() const
{
    QString result;
    for (const QString &line : FLines)
        result += line + QLatin1String("\r\n");
    return result;
}

bool TIniFile::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = zorToSingleByte(text());
    // QSaveFile::commit can report success after a failed flush (a full disk) and then rename an
    // empty file over the old one; flushing first and cancelling on failure keeps the old file.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

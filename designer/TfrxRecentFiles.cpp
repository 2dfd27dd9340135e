#include "TfrxRecentFiles.h"

namespace {

constexpr QChar quote = u'"';
constexpr QChar comma = u',';

// The position just after the next comma at or after from; past the end when there is none.
qsizetype afterComma(const QString &text, qsizetype from)
{
    const qsizetype next = text.indexOf(comma, from);
    return next < 0 ? text.size() + 1 : next + 1;
}

// quoted -> '"' { character | '""' } '"'; pos is on the opening quote. Anything between the
// closing quote and the next comma is dropped; an unclosed quote runs to the end.
QString takeQuoted(const QString &text, qsizetype &pos)
{
    QString name;
    qsizetype i = pos + 1;
    for (; i < text.size(); ++i) {
        if (text[i] != quote) {
            name += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == quote) {
            name += quote;
            ++i;
        } else {
            break;
        }
    }
    pos = afterComma(text, i);
    return name;
}

// entry -> quoted | plain text up to the next comma, without surrounding spaces
QString takeEntry(const QString &text, qsizetype &pos)
{
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    if (pos < text.size() && text[pos] == quote)
        return takeQuoted(text, pos);
    const qsizetype start = pos;
    pos = afterComma(text, start);
    return text.mid(start, pos - 1 - start).trimmed();
}

} // namespace

void TfrxRecentFiles::Add(QStringList &names, const QString &name)
{
    // A report that failed to load or was reset has no file name; it is not a file to reopen.
    if (name.trimmed().isEmpty())
        return;
    names.removeAll(name);
    names.append(name);
    while (names.size() > Limit)
        names.removeFirst();
}

QString TfrxRecentFiles::Join(const QStringList &names)
{
    QStringList entries;
    entries.reserve(names.size());
    for (QString name : names)
        entries.append(quote + name.replace(quote, QStringLiteral("\"\"")) + quote);
    return entries.join(comma);
}

// list -> entry { ',' entry }; empty entries are dropped and repeats or an overlong list from a
// hand-edited store are brought back to the rules of Add.
QStringList TfrxRecentFiles::Split(const QString &text)
{
    QStringList names;
    qsizetype pos = 0;
    while (pos < text.size())
        Add(names, takeEntry(text, pos));
    return names;
}

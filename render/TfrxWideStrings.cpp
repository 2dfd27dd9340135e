#include "TfrxWideStrings.h"

namespace {
constexpr char16_t kLineSeparator = 0x2028;

bool isBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c.unicode() == kLineSeparator;
}
} // namespace

QString TfrxWideStrings::text() const
{
    QString result;
    qsizetype size = 0;
    for (const Line &line : FLines)
        size += line.Text.size() + 2;
    result.reserve(size);
    for (const Line &line : FLines) {
        result += line.Text;
        result += u"\r\n";
    }
    return result;
}

// A line ends at CR, LF or U+2028; CR LF is one break, and a U+2028 right after a CR or LF
// belongs to the same break. A break at the very end adds no empty line.
QStringList TfrxWideStrings::splitLines(const QString &text)
{
    QStringList result;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (!isBreak(c)) {
            ++i;
            continue;
        }
        result.append(text.mid(start, i - start));
        ++i;
        if (c == u'\r' && i < n && text.at(i) == u'\n')
            ++i;
        if (c != QChar(kLineSeparator) && i < n && text.at(i).unicode() == kLineSeparator)
            ++i;
        start = i;
    }
    if (start < n)
        result.append(text.mid(start));
    return result;
}

void TfrxWideStrings::setText(const QString &text)
{
    FLines.clear();
    const QStringList parts = splitLines(text);
    FLines.reserve(parts.size());
    for (const QString &part : parts)
        FLines.append({part, 0});
}

QStringList TfrxWideStrings::lines() const
{
    QStringList result;
    result.reserve(FLines.size());
    for (const Line &line : FLines)
        result.append(line.Text);
    return result;
}

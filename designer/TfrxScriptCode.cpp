#include "TfrxScriptCode.h"

#include "TfrxResources.h"

#include <QRegularExpression>

namespace {

// How often a word ("begin", "end") stands in a line as a whole word, or how often a mark ("{",
// "}") appears in it.
qsizetype CountToken(const QString &line, const QString &token)
{
    if (token.isEmpty())
        return 0;
    if (!token.at(0).isLetter())
        return line.count(token);
    const QRegularExpression word(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(token)),
                                  QRegularExpression::CaseInsensitiveOption);
    qsizetype count = 0;
    for (QRegularExpressionMatchIterator it = word.globalMatch(line); it.hasNext(); it.next())
        ++count;
    return count;
}

// The word of a block keyword: "end;" counts as "end".
QString Keyword(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("^\\w+"));
    const QRegularExpressionMatch match = word.match(text);
    return match.hasMatch() ? match.captured() : text;
}

} // namespace

TfrxScriptCode::TfrxScriptCode(const QString &language) : FLanguage(language)
{
    const QString description = zorResources().Get(language);
    FProc = Attribute(description, QStringLiteral("proc"));
    FBegin = Attribute(description, QStringLiteral("begin"));
    FEnd = Attribute(description, QStringLiteral("end"));
    FLastEnd = Attribute(description, QStringLiteral("lastend"));
    FOpenQuote = Attribute(description, QStringLiteral("openquote"));
    FCloseQuote = Attribute(description, QStringLiteral("closequote"));
}

QString TfrxScriptCode::Attribute(const QString &text, const QString &name)
{
    const QString start = name + QStringLiteral("=\"");
    for (qsizetype at = text.indexOf(start, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(start, at + 1, Qt::CaseInsensitive)) {
        if (at > 0 && text.at(at - 1) != QLatin1Char(' '))
            continue;
        const qsizetype value = at + start.size();
        const qsizetype end = text.indexOf(QLatin1Char('"'), value);
        return end < 0 ? text.mid(value) : text.mid(value, end - value);
    }
    return {};
}

QString TfrxScriptCode::EventParams(const QString &eventType) const
{
    return Attribute(zorResources().Get(eventType), FLanguage);
}

QList<bool> TfrxScriptCode::CommentedLines(const QStringList &script) const
{
    QList<bool> commented;
    commented.reserve(script.size());
    bool inside = false;
    for (const QString &line : script) {
        commented.append(inside);
        const bool opens = !FOpenQuote.isEmpty() && line.contains(FOpenQuote);
        const bool closes = !FCloseQuote.isEmpty() && line.contains(FCloseQuote);
        // Identical marks ("/\") toggle; a line with both different marks leaves the state.
        if (FOpenQuote == FCloseQuote)
            inside = opens ? !inside : inside;
        else if (opens != closes)
            inside = opens;
    }
    return commented;
}

QString TfrxScriptCode::AfterProcWord(const QString &line) const
{
    const QString text = line.trimmed();
    if (FProc.isEmpty() || !text.startsWith(FProc, Qt::CaseInsensitive) || text.size() == FProc.size() ||
        !text.at(FProc.size()).isSpace())
        return {};
    return text.mid(FProc.size()).trimmed();
}

QStringList TfrxScriptCode::HandlerNames(const QStringList &script, const QString &params) const
{
    const QList<bool> commented = CommentedLines(script);
    QStringList names;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QString rest = commented.at(i) ? QString() : AfterProcWord(script.at(i));
        const qsizetype open = rest.indexOf(QLatin1Char('('));
        if (open > 0 && rest.mid(open).compare(params, Qt::CaseInsensitive) == 0)
            names.append(rest.left(open).trimmed());
    }
    return names;
}

int TfrxScriptCode::Locate(const QStringList &script, const QString &name) const
{
    const QList<bool> commented = CommentedLines(script);
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QString rest = commented.at(i) ? QString() : AfterProcWord(script.at(i));
        const qsizetype open = rest.indexOf(QLatin1Char('('));
        if (open > 0 && rest.left(open).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

// The line of the main block's "begin": the last line holding the closing word outside comments,
// then upward, counting nested block words, the line where they balance.
int TfrxScriptCode::MainBlockLine(const QStringList &script, const QList<bool> &commented) const
{
    qsizetype last = script.size() - 1;
    while (last >= 0 && (commented.at(last) || !script.at(last).contains(FLastEnd, Qt::CaseInsensitive)))
        --last;
    const QString beginWord = Keyword(FBegin);
    const QString endWord = Keyword(FEnd);
    qsizetype depth = 0;
    for (qsizetype i = last; i >= 0; --i) {
        if (commented.at(i))
            continue;
        depth += CountToken(script.at(i), endWord);
        const qsizetype begins = CountToken(script.at(i), beginWord);
        depth -= begins;
        if (begins > 0 && depth <= 0)
            return int(i);
    }
    return -1;
}

int TfrxScriptCode::AddHandler(QStringList &script, const QString &name, const QString &params) const
{
    qsizetype at = script.size();
    if (!FLastEnd.isEmpty()) {
        at = MainBlockLine(script, CommentedLines(script));
        if (at < 0)
            return -1;
    }
    const QStringList handler{FProc + QLatin1Char(' ') + name + params, FBegin, QString(), FEnd, QString()};
    for (qsizetype i = 0; i < handler.size(); ++i)
        script.insert(at + i, handler.at(i));
    return int(at + 2);
}

QStringList TfrxScriptCode::EmptyProgram() const
{
    if (FLastEnd.isEmpty())
        return {};
    return {FBegin, QString(), FLastEnd};
}

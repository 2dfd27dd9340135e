#include "TfrxEditorText.h"

#include <algorithm>

TfrxEditorText::TfrxEditorText() : FLines{QString()} {}

void TfrxEditorText::SetLines(const QStringList &lines)
{
    FLines = lines.isEmpty() ? QStringList{QString()} : lines;
    const auto hasBreak = [](const QString &line) {
        return line.contains(u'\r') || line.contains(u'\n') || line.contains(QChar(0x2028));
    };
    if (std::any_of(FLines.cbegin(), FLines.cend(), hasBreak))
        FLines = SplitLines(FLines.join(u'\n'));
}

QStringList TfrxEditorText::SplitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n' && c != QChar(0x2028))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

TfrxTextPos TfrxEditorText::Insert(TfrxTextPos at, const QString &text)
{
    QString &line = FLines[at.line];
    if (line.size() < at.column)
        line.append(QString(at.column - line.size(), u' '));
    const QStringList pieces = SplitLines(text);
    if (pieces.size() == 1) {
        line.insert(at.column, text);
        return {at.line, at.column + int(text.size())};
    }
    const QString tail = line.mid(at.column);
    line = line.left(at.column) + pieces.first();
    for (qsizetype i = 1; i < pieces.size(); ++i)
        FLines.insert(at.line + i, pieces[i]);
    const int last = at.line + int(pieces.size()) - 1;
    FLines[last].append(tail);
    return {last, int(pieces.last().size())};
}

void TfrxEditorText::Remove(TfrxTextPos from, TfrxTextPos to)
{
    QString &first = FLines[from.line];
    const int toColumn = std::min(to.column, int(FLines[to.line].size()));
    if (from.line == to.line) {
        if (from.column < first.size())
            first.remove(from.column, toColumn - from.column);
        return;
    }
    if (first.size() < from.column)
        first.append(QString(from.column - first.size(), u' '));
    first = first.left(from.column) + FLines[to.line].mid(toColumn);
    FLines.remove(from.line + 1, to.line - from.line);
}

QString TfrxEditorText::Text(TfrxTextPos from, TfrxTextPos to) const
{
    from = Clamped(from);
    to = Clamped(to);
    if (from.line == to.line)
        return FLines[from.line].mid(from.column, to.column - from.column);
    QStringList parts{FLines[from.line].mid(from.column)};
    for (int line = from.line + 1; line < to.line; ++line)
        parts.append(FLines[line]);
    parts.append(FLines[to.line].left(to.column));
    return parts.join(QStringLiteral("\r\n"));
}

qsizetype TfrxEditorText::Offset(TfrxTextPos at) const
{
    at = Clamped(at);
    qsizetype offset = 0;
    for (int line = 0; line < at.line; ++line)
        offset += FLines[line].size() + 2;
    return offset + at.column;
}

TfrxTextPos TfrxEditorText::PosAtOffset(qsizetype offset) const
{
    for (int line = 0; line < Count(); ++line) {
        const qsizetype length = FLines[line].size();
        if (offset <= length || line == Count() - 1)
            return {line, int(std::clamp<qsizetype>(offset, 0, length))};
        offset -= length + 2;
        if (offset < 0) // inside the line break
            return {line, int(length)};
    }
    return End();
}

TfrxTextPos TfrxEditorText::Clamped(TfrxTextPos at) const
{
    const int line = std::clamp(at.line, 0, Count() - 1);
    return {line, std::clamp(at.column, 0, int(FLines[line].size()))};
}

int TfrxEditorText::Indentation(int line) const
{
    const QString &text = FLines[line];
    int spaces = 0;
    while (spaces < text.size() && text[spaces] == u' ')
        ++spaces;
    return spaces;
}

TfrxEditorText::Span TfrxEditorText::WordAt(TfrxTextPos at, bool allowEnding) const
{
    const QString &text = FLines[at.line];
    int start = at.column;
    int end = at.column;
    if (at.column < text.size() && IsWordChar(text[at.column]))
        ++end;
    else if (!allowEnding || at.column == 0 || at.column > text.size() || !IsWordChar(text[at.column - 1]))
        return {at.column, at.column};
    while (start > 0 && IsWordChar(text[start - 1]))
        --start;
    while (end < text.size() && IsWordChar(text[end]))
        ++end;
    return {start, end};
}

TfrxTextPos TfrxEditorText::PreviousWordStart(TfrxTextPos at) const
{
    if (at.column == 0)
        return at.line > 0 ? TfrxTextPos{at.line - 1, int(FLines[at.line - 1].size())} : at;
    const QString &text = FLines[at.line];
    int column = std::min(at.column, int(text.size()));
    while (column > 0 && !IsWordChar(text[column - 1]))
        --column;
    while (column > 0 && IsWordChar(text[column - 1]))
        --column;
    return {at.line, column};
}

TfrxTextPos TfrxEditorText::NextWordStart(TfrxTextPos at) const
{
    const QString &text = FLines[at.line];
    if (at.column >= text.size())
        return at.line + 1 < Count() ? TfrxTextPos{at.line + 1, 0} : TfrxTextPos{at.line, int(text.size())};
    int column = at.column;
    while (column < text.size() && IsWordChar(text[column]))
        ++column;
    while (column < text.size() && !IsWordChar(text[column]))
        ++column;
    return {at.line, column};
}

#pragma once

#include <QString>
#include <QStringList>

#include <compare>

// A place in the script editor's text: a line and a column, both from 0. The column may lie past
// the end of its line (the caret can stand there; typing pads the line with spaces). Places
// compare as (line, column) pairs.
struct TfrxTextPos
{
    int line = 0;
    int column = 0;

    auto operator<=>(const TfrxTextPos &) const = default;
};

// The text of the script editor: a list of lines that is never empty. It knows nothing of the
// caret or the screen; it inserts, removes and reads text between places.
class TfrxEditorText
{
public:
    TfrxEditorText();

    const QStringList &Lines() const { return FLines; }
    // Lines that contain line breaks are split; an empty list becomes one empty line.
    void SetLines(const QStringList &lines);
    int Count() const { return int(FLines.size()); }
    const QString &Line(int line) const { return FLines[line]; }
    void SetLine(int line, const QString &text) { FLines[line] = text; }

    // Inserts text (which may hold line breaks of any kind) at a place; a short line is first
    // padded with spaces up to it. Returns the place behind the inserted text.
    TfrxTextPos Insert(TfrxTextPos at, const QString &text);
    // Removes the text between two ordered places; the first may lie past the end of its line,
    // which pads that line, so that joining a line keeps the caret's column.
    void Remove(TfrxTextPos from, TfrxTextPos to);
    // The text between two ordered places, lines joined with CR LF.
    QString Text(TfrxTextPos from, TfrxTextPos to) const;
    QString JoinedText() const { return FLines.join(QStringLiteral("\r\n")); }

    // A place as an offset into the joined text (a column past the end counts as the end), and back.
    qsizetype Offset(TfrxTextPos at) const;
    TfrxTextPos PosAtOffset(qsizetype offset) const;
    // The place clamped to the text: an existing line, a column within it.
    TfrxTextPos Clamped(TfrxTextPos at) const;
    TfrxTextPos End() const { return {Count() - 1, int(FLines.last().size())}; }

    // The number of spaces that start the line, and whether it holds more than spaces.
    int Indentation(int line) const;
    bool HasText(int line) const { return Indentation(line) < FLines[line].size(); }

    // Words are runs of letters, digits and "_". The word around the column: the one that contains
    // the character at it, else (when allowEnding) the one that ends there. Empty when none.
    struct Span
    {
        int start = 0;
        int end = 0;
        bool IsEmpty() const { return start == end; }
    };
    Span WordAt(TfrxTextPos at, bool allowEnding) const;
    // Where Ctrl+Left and Ctrl+Right go from a place.
    TfrxTextPos PreviousWordStart(TfrxTextPos at) const;
    TfrxTextPos NextWordStart(TfrxTextPos at) const;

    static bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
    // Breaks at CR LF, CR, LF and U+2028.
    static QStringList SplitLines(const QString &text);

private:
    QStringList FLines;
};

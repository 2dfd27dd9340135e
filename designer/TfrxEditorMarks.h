#pragma once

#include <QMap>
#include <QSet>
#include <QString>

#include <array>
#include <functional>

// What the script editor keeps per line besides the text: bookmarks 0 to 9, breakpoints with
// their condition texts, the active (debugged) line and the lines the debugger found executable.
// All follow their lines when lines are inserted or removed above them. Line numbers are the
// editor's (from 1); -1 means none.
class TfrxEditorMarks
{
public:
    static constexpr int BookmarkCount = 10;

    TfrxEditorMarks();

    int Bookmark(int number) const { return FBookmarks[size_t(number)]; }
    void SetBookmark(int number, int line) { FBookmarks[size_t(number)] = line; }
    // The number of the bookmark on the line, or -1.
    int BookmarkAt(int line) const;

    void AddBreakPoint(int line, const QString &condition) { FBreakPoints.insert(line, condition); }
    void DeleteBreakPoint(int line) { FBreakPoints.remove(line); }
    bool IsBreakPoint(int line) const { return FBreakPoints.contains(line); }
    QString BreakPointCondition(int line) const { return FBreakPoints.value(line); }
    bool HasBreakPoints() const { return !FBreakPoints.isEmpty(); }
    void DeleteBreakPointsWithCondition(const QString &condition);

    int ActiveLine() const { return FActiveLine; }
    void SetActiveLine(int line) { FActiveLine = line; }

    void SetExecutable(int line, bool executable);
    bool IsExecutable(int line) const { return FExecutable.contains(line); }

    // count lines were inserted before line `at` (its text is now count lines lower).
    void LinesInserted(int at, int count);
    // The lines first .. first + count - 1 are gone; their marks with them.
    void LinesRemoved(int first, int count);

private:
    // Moves every mark to map(its line); -1 drops it.
    void Remap(const std::function<int(int)> &map);

    std::array<int, BookmarkCount> FBookmarks;
    QMap<int, QString> FBreakPoints;
    int FActiveLine = -1;
    QSet<int> FExecutable;
};

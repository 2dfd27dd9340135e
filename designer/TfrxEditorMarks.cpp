#include "TfrxEditorMarks.h"

namespace {

// A line number after a change of the line structure, -1 when its line is gone.
using LineMap = std::function<int(int)>;

template <typename Value> QMap<int, Value> remapped(const QMap<int, Value> &marks, const LineMap &map)
{
    QMap<int, Value> result;
    for (auto it = marks.cbegin(); it != marks.cend(); ++it)
        if (const int line = map(it.key()); line >= 0)
            result.insert(line, it.value());
    return result;
}

QSet<int> remapped(const QSet<int> &lines, const LineMap &map)
{
    QSet<int> result;
    for (int line : lines)
        if (const int moved = map(line); moved >= 0)
            result.insert(moved);
    return result;
}

} // namespace

TfrxEditorMarks::TfrxEditorMarks()
{
    FBookmarks.fill(-1);
}

int TfrxEditorMarks::BookmarkAt(int line) const
{
    for (int number = 0; number < BookmarkCount; ++number)
        if (FBookmarks[size_t(number)] == line)
            return number;
    return -1;
}

void TfrxEditorMarks::DeleteBreakPointsWithCondition(const QString &condition)
{
    for (auto it = FBreakPoints.begin(); it != FBreakPoints.end();)
        it = it.value() == condition ? FBreakPoints.erase(it) : std::next(it);
}

void TfrxEditorMarks::SetExecutable(int line, bool executable)
{
    if (executable)
        FExecutable.insert(line);
    else
        FExecutable.remove(line);
}

void TfrxEditorMarks::LinesInserted(int at, int count)
{
    Remap([at, count](int line) { return line >= at ? line + count : line; });
}

void TfrxEditorMarks::LinesRemoved(int first, int count)
{
    Remap([first, count](int line) {
        if (line < first)
            return line;
        return line < first + count ? -1 : line - count;
    });
}

void TfrxEditorMarks::Remap(const std::function<int(int)> &map)
{
    for (int &line : FBookmarks)
        if (line >= 0)
            line = map(line);
    if (FActiveLine >= 0)
        FActiveLine = map(FActiveLine);
    FBreakPoints = remapped(FBreakPoints, map);
    FExecutable = remapped(FExecutable, map);
}

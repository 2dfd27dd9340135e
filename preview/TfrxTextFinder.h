#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class TfrxCustomPreviewPages;

// One text output of a prepared page: a run of one formatting within one line of a text object,
// with its bounds in report pixels from the page's corner.
struct TfrxTextRun
{
    QString Text;
    QRectF Bounds;
};

// Finds text on prepared pages the way it is drawn: each page is drawn once onto a surface that
// records its text outputs, so a hit lies within one output and has the bounds it is drawn at.
class TfrxTextFinder
{
public:
    // The text outputs of a page in drawing order; none for a page out of range.
    static QList<TfrxTextRun> PageRuns(TfrxCustomPreviewPages &pages, int index);
    // The first run after `after` (an index into runs, -1 for the start) that contains the text,
    // comparing upper-cased texts unless case-sensitive; -1 when none does.
    static int Find(const QList<TfrxTextRun> &runs, const QString &text, bool caseSensitive, int after);
};

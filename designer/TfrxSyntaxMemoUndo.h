#pragma once

#include "TfrxEditorText.h"

#include <QStringList>

#include <deque>

// The script editor's undo history: whole snapshots of the text with the caret, the oldest dropped
// beyond MaxSteps. The lines are implicitly shared, so a snapshot of a long script costs one
// reference per line, and only the lines changed afterwards are copied.
class TfrxSyntaxMemoUndo
{
public:
    static constexpr int MaxSteps = 32;

    struct Step
    {
        TfrxTextPos caret;
        QStringList lines;
    };

    void Remember(TfrxTextPos caret, const QStringList &lines);
    bool IsEmpty() const { return FSteps.empty(); }
    int Count() const { return int(FSteps.size()); }
    // The last snapshot, removed from the history; the history must not be empty.
    Step Take();
    void Clear() { FSteps.clear(); }

private:
    std::deque<Step> FSteps;
};

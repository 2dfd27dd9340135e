#include "TfrxSyntaxMemoUndo.h"

void TfrxSyntaxMemoUndo::Remember(TfrxTextPos caret, const QStringList &lines)
{
    FSteps.push_back({caret, lines});
    if (FSteps.size() > MaxSteps)
        FSteps.pop_front();
}

TfrxSyntaxMemoUndo::Step TfrxSyntaxMemoUndo::Take()
{
    Step step = std::move(FSteps.back());
    FSteps.pop_back();
    return step;
}

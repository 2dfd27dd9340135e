#pragma once

#include <QString>

class TfrxCustomDesigner;
class TfrxSyntaxMemo;

// Find, Replace and Find Next of the designer: over the text objects of the page shown, or over
// the script when the code tab is shown. The search text, the replacement and the case option are
// kept for Find Next, with the position where the next step starts.
class TfrxDesignerSearch
{
public:
    TfrxDesignerSearch(TfrxCustomDesigner &designer, TfrxSyntaxMemo &memo);

    // Asks for the texts ("Find Text", with the replacement row for Replace) and runs the first
    // step; false when the operator cancelled.
    bool Start(bool replace);
    // The next step with the kept texts.
    void FindNext();
    // Whether a search was started, so that Find Next has something to go on with.
    bool Active() const { return FActive; }

private:
    enum Answer { Yes, No, Cancel, All };
    // One step: the next match, replaced as the operator answers; false when none was found.
    bool StepOnPage();
    bool StepInScript();
    // Asks before a replacement unless All was answered; false when the step must end.
    bool MayReplace();
    Answer AskReplace() const;
    void ShowNotFound() const;
    Qt::CaseSensitivity Case() const { return FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive; }

    TfrxCustomDesigner &FDesigner;
    TfrxSyntaxMemo &FMemo;
    QString FText;
    QString FReplaceWith;
    bool FCaseSensitive = false;
    bool FReplace = false;
    bool FReplaceAll = false;
    bool FActive = false;
    // Pages: the index in the designer's objects where the next step starts; the script: the
    // position in its text, from 1.
    int FPosition = 0;
};

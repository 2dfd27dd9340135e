#pragma once

#include "TfrxSwitchEditor.h"

// A report page: the page options, unless a subreport shows the page (its options are those of
// the page the subreport lies on).
class TfrxReportPageEditor : public TfrxComponentEditor
{
public:
    using TfrxComponentEditor::TfrxComponentEditor;

    bool Edit() override;
    bool HasEditor() const override;
};

// A subreport: Edit shows its page; the menu switches Print On Parent.
class TfrxSubreportEditor : public TfrxSwitchEditor
{
public:
    using TfrxSwitchEditor::TfrxSwitchEditor;

    // Changes nothing: the designer shows the page, where the operator goes on.
    bool Edit() override;
    bool HasEditor() const override;

protected:
    QList<TfrxMenuSwitch> Switches() const override;
};

#pragma once

#include "TfrxComponentEditor.h"
#include "TfrxMenuSwitch.h"

// A component editor whose context menu is a list of switches and separators. The check marks
// show the editor's object; a switch acts on the objects Targets() gives.
class TfrxSwitchEditor : public TfrxComponentEditor
{
public:
    using TfrxComponentEditor::TfrxComponentEditor;

    QList<TfrxMenuItem> GetMenuItems() const override;
    bool Execute(int tag, bool checked) override;

protected:
    // The rows of the menu in order; a switch the object does not offer is left out.
    virtual QList<TfrxMenuSwitch> Switches() const = 0;
    // The objects the switches act on: the editor's object unless an editor says otherwise.
    virtual QList<TfrxComponent *> Targets() const { return {Component()}; }
};

#pragma once

#include "TfrxSwitchEditor.h"

#include <span>

// The editors of views: every view's switches (shift, visible, printable), and those of text,
// line and picture objects before them. Their switches act on every selected object of their
// class.
class TfrxViewEditor : public TfrxSwitchEditor
{
public:
    using TfrxSwitchEditor::TfrxSwitchEditor;

protected:
    QList<TfrxMenuSwitch> Switches() const override { return ViewSwitches(); }
    QList<TfrxComponent *> Targets() const override;
    static QList<TfrxMenuSwitch> ViewSwitches();
};

// Text objects: the text editor, then the commands Display Format, Hyperlink and Clear Contents
// before the switches.
class TfrxCustomMemoEditor : public TfrxViewEditor
{
public:
    using TfrxViewEditor::TfrxViewEditor;

    bool Edit() override;
    bool HasEditor() const override { return true; }
    QList<TfrxMenuItem> GetMenuItems() const override;
    bool Execute(int tag, bool checked) override;

protected:
    QList<TfrxMenuSwitch> Switches() const override;

private:
    struct Command
    {
        const char *Key;
        int Tag;
        bool (TfrxCustomMemoEditor::*Run)();
    };
    static std::span<const Command> Commands();

    bool EditFormat();
    bool EditHyperlink();
    bool ClearContents();
};

// System text objects: their own dialog, the text object's menu.
class TfrxSysMemoEditor : public TfrxCustomMemoEditor
{
public:
    using TfrxCustomMemoEditor::TfrxCustomMemoEditor;

    bool Edit() override;
};

class TfrxLineEditor : public TfrxViewEditor
{
public:
    using TfrxViewEditor::TfrxViewEditor;

protected:
    QList<TfrxMenuSwitch> Switches() const override;
};

class TfrxPictureEditor : public TfrxViewEditor
{
public:
    using TfrxViewEditor::TfrxViewEditor;

    bool Edit() override;
    bool HasEditor() const override { return true; }

protected:
    QList<TfrxMenuSwitch> Switches() const override;
};

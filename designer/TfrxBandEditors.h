#pragma once

#include "TfrxSwitchEditor.h"

// The editors of bands. Their switches act on the band the menu is for only; the band items that
// most bands share are offered only while at most one object is selected, and each band class
// adds its own after them.
class TfrxBandEditor : public TfrxSwitchEditor
{
public:
    using TfrxSwitchEditor::TfrxSwitchEditor;

protected:
    QList<TfrxMenuSwitch> Switches() const override { return BandSwitches(); }
    QList<TfrxMenuSwitch> BandSwitches() const;
};

class TfrxDataBandEditor : public TfrxBandEditor
{
public:
    using TfrxBandEditor::TfrxBandEditor;

    bool Edit() override;
    bool HasEditor() const override { return true; }

protected:
    QList<TfrxMenuSwitch> Switches() const override;
};

class TfrxHeaderEditor : public TfrxBandEditor
{
public:
    using TfrxBandEditor::TfrxBandEditor;

protected:
    QList<TfrxMenuSwitch> Switches() const override;
};

class TfrxPageHeaderEditor : public TfrxBandEditor
{
public:
    using TfrxBandEditor::TfrxBandEditor;

protected:
    QList<TfrxMenuSwitch> Switches() const override;
};

// A page footer has none of the band items, only its own.
class TfrxPageFooterEditor : public TfrxSwitchEditor
{
public:
    using TfrxSwitchEditor::TfrxSwitchEditor;

protected:
    QList<TfrxMenuSwitch> Switches() const override;
};

// Group headers: checking Reset Page Numbers also starts a new page, since numbering can only
// start afresh on a page of the group's own.
class TfrxGroupHeaderEditor : public TfrxBandEditor
{
public:
    using TfrxBandEditor::TfrxBandEditor;

    bool Edit() override;
    bool HasEditor() const override { return true; }
    bool Execute(int tag, bool checked) override;

protected:
    QList<TfrxMenuSwitch> Switches() const override;
};

// A column header can only stretch.
class TfrxColumnHeaderEditor : public TfrxSwitchEditor
{
public:
    using TfrxSwitchEditor::TfrxSwitchEditor;

protected:
    QList<TfrxMenuSwitch> Switches() const override;
};

#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class TfrxComponent;
class TfrxCustomDesigner;
struct QMetaObject;

// One item of an object's context menu: a caption (a string-table key's text, "-" for a
// separator), a tag and whether it is checked.
struct TfrxMenuItem {
    QString Caption;
    int Tag = -1;
    bool Checkable = false;
    bool Checked = false;
};

// What double-click, Edit... and the context menu do to one kind of report object. The base
// editor has no dialog, no items and changes nothing.
class TfrxComponentEditor
{
public:
    TfrxComponentEditor(TfrxComponent *component, TfrxCustomDesigner &designer);
    virtual ~TfrxComponentEditor();

    // Opens the object's dialog; whether something changed.
    virtual bool Edit();
    virtual bool HasEditor() const;
    // The items of the object's context menu, in menu order.
    virtual QList<TfrxMenuItem> GetMenuItems() const;
    // Runs the item of the tag with the new check state; whether something changed.
    virtual bool Execute(int tag, bool checked);

protected:
    TfrxComponent *Component() const { return FComponent; }
    TfrxCustomDesigner &Designer() const { return FDesigner; }

private:
    TfrxComponent *FComponent;
    TfrxCustomDesigner &FDesigner;
};

// The process-wide registry of component editors by object class: an entry for exactly the
// object's class wins, otherwise the last registered entry for a class it descends from.
class TfrxComponentEditors
{
public:
    using Factory = std::function<std::unique_ptr<TfrxComponentEditor>(TfrxComponent *, TfrxCustomDesigner &)>;

    static TfrxComponentEditors &Instance();
    void Register(const QMetaObject *componentClass, Factory factory);
    // The editor for the object; the base editor when none is registered.
    std::unique_ptr<TfrxComponentEditor> GetComponentEditor(TfrxComponent *component,
                                                            TfrxCustomDesigner &designer) const;

private:
    struct Entry {
        const QMetaObject *ComponentClass;
        Factory Create;
    };
    QList<Entry> FEntries;
};

// Registers the editors of the standard report objects.
void zorRegisterComponentEditors();

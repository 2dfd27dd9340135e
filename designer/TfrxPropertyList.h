#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QObject;
class TfrxCustomDesigner;
class TfrxPropertyEditor;
class TfrxPropertyList;

// One row of the inspector: a property's editor and, for an expandable one, the list of its
// sub-properties, made when it is first asked for.
class TfrxPropertyItem
{
public:
    TfrxPropertyItem(std::unique_ptr<TfrxPropertyEditor> editor, const QString &typeName,
                     TfrxPropertyList *parent);
    ~TfrxPropertyItem();

    TfrxPropertyEditor *Editor() const { return FEditor.get(); }
    QString TypeName() const { return FTypeName; }
    // The sub-properties of an item whose editor has paSubProperties; none for the others.
    TfrxPropertyList *SubProperty();
    TfrxPropertyList *Parent() const { return FParent; }
    bool Expanded = false;

private:
    friend class TfrxPropertyList;
    std::unique_ptr<TfrxPropertyEditor> FEditor;
    QString FTypeName;
    TfrxPropertyList *FParent;
    std::unique_ptr<TfrxPropertyList> FSubProperty;
    bool FSubPropertyMade = false;
};

// The properties of the selected objects, sorted by name: for one object its published
// properties that an editor shows, for several only those that allow several objects and that
// every object has with the same type (and, for an expandable one, a sub-object of the same class).
class TfrxPropertyList
{
public:
    explicit TfrxPropertyList(TfrxPropertyItem *parent = nullptr);
    ~TfrxPropertyList();
    TfrxPropertyList(const TfrxPropertyList &) = delete;
    TfrxPropertyList &operator=(const TfrxPropertyList &) = delete;

    static std::unique_ptr<TfrxPropertyList>
    Build(TfrxCustomDesigner &designer, const QList<QObject *> &objects, TfrxPropertyItem *parent = nullptr);
    // Moves the script events into a list of their own (the Events tab).
    std::unique_ptr<TfrxPropertyList> TakeEvents();
    // Adds an editor made elsewhere (the members of a set).
    TfrxPropertyItem *Add(std::unique_ptr<TfrxPropertyEditor> editor, const QString &typeName);

    qsizetype Count() const { return FItems.size(); }
    TfrxPropertyItem *Items(qsizetype index) const { return FItems.at(index).get(); }
    // The item of a property name, without regard to case; none when absent.
    TfrxPropertyItem *Find(const QString &name) const;
    // The item this list expands; none for the top list.
    TfrxPropertyItem *Parent() const { return FParent; }

private:
    class Builder;
    friend class TfrxPropertyItem;
    std::vector<std::unique_ptr<TfrxPropertyItem>> FItems;
    TfrxPropertyItem *FParent;
};

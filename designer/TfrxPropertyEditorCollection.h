#pragma once

#include <QList>
#include <QString>

#include <memory>

struct QMetaObject;
class QObject;
class TfrxCustomDesigner;
class TfrxPropertyEditor;

// An editor class as the registry keeps it: the function that makes an editor of that class.
using TfrxPropertyEditorClass = std::unique_ptr<TfrxPropertyEditor> (*)(TfrxCustomDesigner &designer);

template <class Editor> std::unique_ptr<TfrxPropertyEditor> zorEditorClass(TfrxCustomDesigner &designer)
{
    return std::make_unique<Editor>(designer);
}

// One registration: an editor for a property type, for a property of a class (and its
// descendants) by name, or, with no editor class, a hidden property.
struct TfrxPropertyEditorItem
{
    QString PropertyType;
    const QMetaObject *ComponentClass = nullptr;
    QString PropertyName;
    TfrxPropertyEditorClass EditorClass = nullptr;
};

// The process-wide registry of property editors, searched from the last registration to the
// first so that a later one overrides an earlier one.
class TfrxPropertyEditorCollection
{
public:
    void Register(const QString &propertyType, const QMetaObject *componentClass,
                  TfrxPropertyEditorClass editorClass, const QString &propertyName = QString());
    // The editor of every script event property.
    void RegisterEventEditor(TfrxPropertyEditorClass editorClass);
    // Removes every registration of an editor class.
    void UnRegister(TfrxPropertyEditorClass editorClass);
    // The index of the registration that decides a property of component, or -1 when none does
    // and the editor follows the property's kind. An entry without editor class hides it.
    int GetPropertyEditor(const QString &propertyType, const QObject *component,
                          const QString &propertyName) const;

    qsizetype Count() const { return FItems.size(); }
    const TfrxPropertyEditorItem &Items(qsizetype index) const { return FItems.at(index); }
    int EventEditorIndex() const { return FEventEditor; }

private:
    QList<TfrxPropertyEditorItem> FItems;
    int FEventEditor = -1;
};

TfrxPropertyEditorCollection &zorPropertyEditors();

// Hides properties of a class and its descendants: names separated by ";".
void zorHideProperties(const QMetaObject *componentClass, const QString &names);

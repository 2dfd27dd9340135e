#include "TfrxPropertyEditorCollection.h"

#include "zorPropertyTypes.h"

#include <QObject>

namespace {

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The three ways an entry can decide a property: for its whole type, for its type and name,
// or for its name in a class the component descends from.
bool Matches(const TfrxPropertyEditorItem &item, const QString &type, const QMetaObject *componentClass,
             const QString &name)
{
    if (item.ComponentClass == nullptr) {
        if (!SameName(item.PropertyType, type))
            return false;
        return item.PropertyName.isEmpty() || SameName(item.PropertyName, name);
    }
    return componentClass != nullptr && componentClass->inherits(item.ComponentClass) &&
           SameName(item.PropertyName, name);
}

} // namespace

void TfrxPropertyEditorCollection::Register(const QString &propertyType, const QMetaObject *componentClass,
                                            TfrxPropertyEditorClass editorClass, const QString &propertyName)
{
    FItems.append({propertyType, componentClass, propertyName, editorClass});
}

void TfrxPropertyEditorCollection::RegisterEventEditor(TfrxPropertyEditorClass editorClass)
{
    FItems.append({QString(), nullptr, QString(), editorClass});
    FEventEditor = int(FItems.size() - 1);
}

void TfrxPropertyEditorCollection::UnRegister(TfrxPropertyEditorClass editorClass)
{
    for (qsizetype i = FItems.size() - 1; i >= 0; --i) {
        if (FItems.at(i).EditorClass != editorClass)
            continue;
        FItems.removeAt(i);
        if (FEventEditor == i)
            FEventEditor = -1;
        else if (FEventEditor > i)
            --FEventEditor;
    }
}

int TfrxPropertyEditorCollection::GetPropertyEditor(const QString &propertyType, const QObject *component,
                                                    const QString &propertyName) const
{
    if (zorIsEventType(propertyType))
        return FEventEditor;
    const QMetaObject *componentClass = component != nullptr ? component->metaObject() : nullptr;
    for (qsizetype i = FItems.size() - 1; i >= 0; --i) {
        if (i != FEventEditor && Matches(FItems.at(i), propertyType, componentClass, propertyName))
            return int(i);
    }
    return -1;
}

TfrxPropertyEditorCollection &zorPropertyEditors()
{
    static TfrxPropertyEditorCollection editors;
    return editors;
}

void zorHideProperties(const QMetaObject *componentClass, const QString &names)
{
    for (const QString &name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        zorPropertyEditors().Register(QString(), componentClass, nullptr, name.trimmed());
}

#include "TfrxPropertyList.h"

#include "TfrxProperties.h"
#include "TfrxPropertyEditor.h"
#include "TfrxPropertyEditorCollection.h"
#include "TfrxPropertyEditors.h"
#include "zorPropertyTypes.h"

#include <QHash>
#include <QObject>

#include <algorithm>

using Kind = TfrxProperties::Kind;

namespace {

// The editor a property gets when no registration decides it, by the kind of its value. Kinds
// missing here (variants, 64-bit integers, lists and pictures without an editor) are not shown.
struct KindEditor
{
    Kind PropertyKind;
    TfrxPropertyEditorClass EditorClass;
};
const KindEditor kindEditors[] = {
    {Kind::Integer, &zorEditorClass<TfrxIntegerProperty>},
    {Kind::Float, &zorEditorClass<TfrxFloatProperty>},
    {Kind::Boolean, &zorEditorClass<TfrxEnumProperty>},
    {Kind::Enumeration, &zorEditorClass<TfrxEnumProperty>},
    {Kind::Set, &zorEditorClass<TfrxSetProperty>},
    {Kind::Text, &zorEditorClass<TfrxStringProperty>},
    {Kind::Reference, &zorEditorClass<TfrxComponentProperty>},
    {Kind::Nested, &zorEditorClass<TfrxClassProperty>},
};

TfrxPropertyEditorClass KindEditorClass(const QMetaProperty &p)
{
    const int id = p.metaType().id();
    if (id == QMetaType::QChar)
        return &zorEditorClass<TfrxCharProperty>;
    // Dates are floats to the template format but have editors of their own.
    if (id == QMetaType::QDateTime || id == QMetaType::QDate || id == QMetaType::QTime)
        return nullptr;
    const Kind kind = TfrxProperties::KindOf(p);
    for (const KindEditor &k : kindEditors) {
        if (k.PropertyKind == kind)
            return k.EditorClass;
    }
    return nullptr;
}

// What the inspector decided about one property of a class.
struct ClassProperty
{
    int Index = -1;
    QString TypeName;
    Kind PropertyKind = Kind::Other;
    TfrxPropertyEditorClass EditorClass = nullptr; // none: not shown
};
struct ClassProperties
{
    QList<ClassProperty> Properties;
    QHash<QString, qsizetype> ShownByName;
};

bool SortsBefore(const std::unique_ptr<TfrxPropertyItem> &a, const std::unique_ptr<TfrxPropertyItem> &b)
{
    return a->Editor()->GetName().compare(b->Editor()->GetName(), Qt::CaseInsensitive) < 0;
}

} // namespace

// Decides once per class which properties are shown and by which editor, so that selecting
// hundreds of objects of a few classes costs little more than selecting one.
class TfrxPropertyList::Builder
{
public:
    explicit Builder(TfrxCustomDesigner &designer) : FDesigner(designer) {}

    const ClassProperties &PropertiesOf(const QObject *object)
    {
        const QMetaObject *mo = object->metaObject();
        auto it = FClasses.find(mo);
        if (it == FClasses.end())
            it = FClasses.insert(mo, Decide(object));
        return *it;
    }

    const ClassProperty *Find(const QObject *object, const QString &name)
    {
        const ClassProperties &properties = PropertiesOf(object);
        const auto it = properties.ShownByName.constFind(name);
        return it == properties.ShownByName.cend() ? nullptr : &properties.Properties.at(*it);
    }

    bool HasShownProperties(const QObject *object) { return !PropertiesOf(object).ShownByName.isEmpty(); }

    void AddOwn(TfrxPropertyList &list, QObject *object)
    {
        for (const ClassProperty &p : PropertiesOf(object).Properties) {
            if (p.EditorClass == nullptr)
                continue;
            const QMetaProperty property = object->metaObject()->property(p.Index);
            // A sub-object shown only through its own properties is left out when it has none.
            if (p.EditorClass == &zorEditorClass<TfrxClassProperty>) {
                const QObject *nested = TfrxProperties::NestedObject(object, property);
                if (nested == nullptr || !HasShownProperties(nested))
                    continue;
            }
            std::unique_ptr<TfrxPropertyEditor> editor = p.EditorClass(FDesigner);
            editor->AddTarget(object, property);
            list.Add(std::move(editor), p.TypeName);
        }
    }

    // Keeps what every other object shares and hands those objects to the kept editors.
    void Merge(TfrxPropertyList &list, const QList<QObject *> &objects)
    {
        std::erase_if(list.FItems, [&](const std::unique_ptr<TfrxPropertyItem> &item) {
            return !item->Editor()->GetAttributes().testFlag(paMultiSelect) ||
                   !std::all_of(objects.begin() + 1, objects.end(),
                                [&](const QObject *object) { return Shares(*item, object); });
        });
        for (qsizetype i = 1; i < objects.size(); ++i) {
            QObject *object = objects.at(i);
            for (const std::unique_ptr<TfrxPropertyItem> &item : list.FItems) {
                const ClassProperty *p = Find(object, item->Editor()->GetName());
                item->Editor()->AddTarget(object, object->metaObject()->property(p->Index));
            }
        }
    }

private:
    ClassProperties Decide(const QObject *object)
    {
        const QMetaObject *mo = object->metaObject();
        ClassProperties properties;
        for (int i = QObject::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i) {
            const QMetaProperty p = mo->property(i);
            ClassProperty decided{i, zorPropertyTypeName(p), TfrxProperties::KindOf(p), nullptr};
            if (p.isReadable())
                decided.EditorClass = EditorClassOf(object, p, decided.TypeName);
            if (decided.EditorClass != nullptr)
                properties.ShownByName.insert(QString::fromLatin1(p.name()), properties.Properties.size());
            properties.Properties.append(decided);
        }
        return properties;
    }

    static TfrxPropertyEditorClass EditorClassOf(const QObject *object, const QMetaProperty &p,
                                                 const QString &type)
    {
        const TfrxPropertyEditorCollection &editors = zorPropertyEditors();
        const int index = editors.GetPropertyEditor(type, object, QString::fromLatin1(p.name()));
        return index >= 0 ? editors.Items(index).EditorClass : KindEditorClass(p);
    }

    bool Shares(const TfrxPropertyItem &item, const QObject *object)
    {
        const ClassProperty *p = Find(object, item.Editor()->GetName());
        const QMetaProperty first = item.Editor()->Property();
        if (p == nullptr || p->TypeName != item.TypeName() ||
            p->PropertyKind != TfrxProperties::KindOf(first))
            return false;
        if (p->PropertyKind != Kind::Nested)
            return true;
        const QObject *mine = TfrxProperties::NestedObject(item.Editor()->Component(), first);
        const QObject *theirs = TfrxProperties::NestedObject(const_cast<QObject *>(object),
                                                             object->metaObject()->property(p->Index));
        return mine != nullptr && theirs != nullptr && mine->metaObject() == theirs->metaObject();
    }

    TfrxCustomDesigner &FDesigner;
    QHash<const QMetaObject *, ClassProperties> FClasses;
};

TfrxPropertyItem::TfrxPropertyItem(std::unique_ptr<TfrxPropertyEditor> editor, const QString &typeName,
                                   TfrxPropertyList *parent)
    : FEditor(std::move(editor)), FTypeName(typeName), FParent(parent)
{
}

TfrxPropertyItem::~TfrxPropertyItem() = default;

TfrxPropertyList *TfrxPropertyItem::SubProperty()
{
    if (!FSubPropertyMade && FEditor->GetAttributes().testFlag(paSubProperties)) {
        FSubProperty = FEditor->CreateSubProperties();
        if (FSubProperty != nullptr)
            FSubProperty->FParent = this;
        FSubPropertyMade = true;
    }
    return FSubProperty.get();
}

TfrxPropertyList::TfrxPropertyList(TfrxPropertyItem *parent) : FParent(parent) {}

TfrxPropertyList::~TfrxPropertyList() = default;

std::unique_ptr<TfrxPropertyList> TfrxPropertyList::Build(TfrxCustomDesigner &designer,
                                                          const QList<QObject *> &objects,
                                                          TfrxPropertyItem *parent)
{
    auto list = std::make_unique<TfrxPropertyList>(parent);
    if (objects.isEmpty() || objects.first() == nullptr)
        return list;
    Builder builder(designer);
    builder.AddOwn(*list, objects.first());
    std::stable_sort(list->FItems.begin(), list->FItems.end(), SortsBefore);
    if (objects.size() > 1)
        builder.Merge(*list, objects);
    return list;
}

std::unique_ptr<TfrxPropertyList> TfrxPropertyList::TakeEvents()
{
    auto events = std::make_unique<TfrxPropertyList>(FParent);
    auto firstProperty = std::stable_partition(
        FItems.begin(), FItems.end(), [](const auto &item) { return zorIsEventType(item->TypeName()); });
    for (auto it = FItems.begin(); it != firstProperty; ++it) {
        (*it)->FParent = events.get();
        events->FItems.push_back(std::move(*it));
    }
    FItems.erase(FItems.begin(), firstProperty);
    return events;
}

TfrxPropertyItem *TfrxPropertyList::Add(std::unique_ptr<TfrxPropertyEditor> editor, const QString &typeName)
{
    FItems.push_back(std::make_unique<TfrxPropertyItem>(std::move(editor), typeName, this));
    return FItems.back().get();
}

TfrxPropertyItem *TfrxPropertyList::Find(const QString &name) const
{
    for (const std::unique_ptr<TfrxPropertyItem> &item : FItems) {
        if (item->Editor()->GetName().compare(name, Qt::CaseInsensitive) == 0)
            return item.get();
    }
    return nullptr;
}

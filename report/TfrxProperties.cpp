#include "TfrxProperties.h"

#include "TfrxComponent.h"
#include "TfrxPersistent.h"
#include "TfrxPropertyTable.h"

#include <QMetaEnum>

#include <cstring>
#include <QStringList>

using Kind = TfrxProperties::Kind;

namespace {

// Sub-object paths deeper than this are not entered (guards against cyclic sub-objects).
constexpr int MaxNesting = 8;

bool IsQObjectPointer(const QMetaProperty &p)
{
    return p.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

bool IsComponentPointer(const QMetaProperty &p)
{
    const QMetaObject *mo = p.metaType().metaObject();
    return mo != nullptr && mo->inherits(&TfrxComponent::staticMetaObject);
}

void Collect(QObject *obj, const QString &prefix, int depth, bool nested, QList<TfrxProperties::Entry> &out)
{
    for (const TfrxPropertyTable::Property &property :
         TfrxPropertyTable::Of(obj->metaObject()).Properties()) {
        TfrxProperties::Entry e;
        e.Object = obj;
        e.Property = property.Meta;
        e.Path = prefix + property.Name;
        e.PropertyKind = property.PropertyKind;
        out.append(e);
        if (!nested || e.PropertyKind != Kind::Nested || depth >= MaxNesting)
            continue;
        if (QObject *sub = TfrxProperties::NestedObject(obj, e.Property))
            Collect(sub, e.Path + QLatin1Char('.'), depth + 1, nested, out);
    }
}

// Copies a number, Boolean, enumeration, set or text between two objects of one class through the
// class's read and write calls, without a QVariant for each.
bool CopyDirectly(const QObject *source, QObject *target, const TfrxPropertyTable::Property &property)
{
    const auto copy = [&](void *value) {
        int status = -1;
        int flags = 0;
        void *readArgs[] = {value, nullptr, &status};
        QMetaObject::metacall(const_cast<QObject *>(source), QMetaObject::ReadProperty, property.Index, readArgs);
        void *writeArgs[] = {value, nullptr, &status, &flags};
        QMetaObject::metacall(target, QMetaObject::WriteProperty, property.Index, writeArgs);
    };
    if (property.Plain) {
        alignas(8) unsigned char bytes[8] = {};
        copy(bytes);
        return true;
    }
    if (property.PropertyKind == Kind::Text && property.Meta.metaType() == QMetaType::fromType<QString>()) {
        QString text;
        copy(&text);
        return true;
    }
    return false;
}

} // namespace

QVariant TfrxProperties::ValueFromText(const QMetaProperty &p, const QString &text)
{
    bool ok = true;
    QVariant v;
    switch (KindOf(p)) {
    case Kind::Enumeration: {
        // By identifier, or by number as difference texts write them.
        int value = p.enumerator().keyToValue(text.toLatin1().constData(), &ok);
        if (!ok) {
            value = text.toInt(&ok);
            ok = ok && p.enumerator().valueToKey(value) != nullptr;
        }
        v = value;
        break;
    }
    case Kind::Set: {
        const int value = text.toInt(&ok);
        v = ok ? value : p.enumerator().keysToValue(text.toLatin1().constData(), &ok);
        break;
    }
    case Kind::Boolean:
        v = text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
        break;
    case Kind::Integer:
        v = text.toInt(&ok);
        break;
    case Kind::Int64:
        v = text.toLongLong(&ok);
        break;
    case Kind::Float:
        // Either decimal separator: templates hold the writer's locale form.
        v = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        break;
    default:
        v = text;
    }
    if (!ok)
        return {};
    // Enumerations and sets are returned as numbers; convert to the property's own type so that
    // callers may compare with what READ returns.
    if (p.isEnumType()) {
        QVariant typed(p.metaType(), nullptr);
        const int raw = v.toInt();
        std::memcpy(typed.data(), &raw, std::min<qsizetype>(sizeof raw, p.metaType().sizeOf()));
        return typed;
    }
    return v;
}

Kind TfrxProperties::KindOf(const QMetaProperty &p)
{
    if (p.isFlagType())
        return Kind::Set;
    if (p.isEnumType())
        return Kind::Enumeration;
    switch (p.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::QChar:
        return Kind::Integer;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Kind::Int64;
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::QDateTime:
        return Kind::Float;
    case QMetaType::Bool:
        return Kind::Boolean;
    case QMetaType::QString:
        return Kind::Text;
    case QMetaType::QVariant:
        return Kind::Variant;
    case QMetaType::QStringList:
        return Kind::StringList;
    default:
        break;
    }
    if (IsQObjectPointer(p))
        return IsComponentPointer(p) ? Kind::Reference : Kind::Nested;
    return Kind::Other;
}

QObject *TfrxProperties::NestedObject(QObject *obj, const QMetaProperty &p)
{
    if (!IsQObjectPointer(p))
        return nullptr;
    return p.read(obj).value<QObject *>();
}

QList<TfrxProperties::Entry> TfrxProperties::List(QObject *obj)
{
    QList<Entry> out;
    if (obj != nullptr)
        Collect(obj, QString(), 0, true, out);
    return out;
}

QList<TfrxProperties::Entry> TfrxProperties::Own(QObject *obj)
{
    QList<Entry> out;
    if (obj != nullptr)
        Collect(obj, QString(), 0, false, out);
    return out;
}

bool TfrxProperties::Find(QObject *obj, QStringView path, Entry &entry)
{
    QObject *holder = obj;
    qsizetype start = 0;
    for (int depth = 0; holder != nullptr && depth <= MaxNesting; ++depth) {
        const qsizetype dot = path.indexOf(QLatin1Char('.'), start);
        const QStringView name = dot < 0 ? path.mid(start) : path.mid(start, dot - start);
        const TfrxPropertyTable::Property *p = TfrxPropertyTable::Of(holder->metaObject()).Find(name);
        if (p == nullptr)
            return false;
        if (dot < 0) {
            entry.Object = holder;
            entry.Property = p->Meta;
            entry.Path = path.toString();
            entry.PropertyKind = p->PropertyKind;
            return true;
        }
        if (p->PropertyKind != Kind::Nested)
            return false;
        holder = NestedObject(holder, p->Meta);
        start = dot + 1;
    }
    return false;
}

QVariant TfrxProperties::Read(QObject *obj, QStringView path)
{
    Entry e;
    if (!Find(obj, path, e) || !e.Property.isReadable())
        return {};
    return e.Property.read(e.Object);
}

bool TfrxProperties::Write(QObject *obj, QStringView path, const QVariant &value)
{
    Entry e;
    if (!Find(obj, path, e) || !e.Property.isWritable())
        return false;
    QVariant v = value;
    if (value.metaType().id() == QMetaType::QString && e.PropertyKind != Kind::Text
        && e.PropertyKind != Kind::Variant) {
        v = ValueFromText(e.Property, value.toString());
        if (!v.isValid())
            return false;
    } else if (e.Property.isEnumType() && value.metaType() != e.Property.metaType()) {
        bool ok = false;
        const int raw = value.toInt(&ok);
        if (!ok)
            return false;
        v = ValueFromText(e.Property, QString::number(raw));
        if (e.PropertyKind == Kind::Enumeration && !e.Property.enumerator().valueToKey(raw))
            return false;
    }
    return e.Property.write(e.Object, v);
}

QVariant TfrxProperties::DefaultValue(const QObject *obj, const QMetaProperty &p)
{
    const TfrxPropertyTable::Property *property =
        TfrxPropertyTable::Of(obj->metaObject()).Find(QLatin1String(p.name()));
    return property != nullptr ? property->Default : QVariant();
}

bool TfrxProperties::IsStored(const QObject *obj, const QMetaProperty &p)
{
    if (!p.isStored())
        return false;
    const auto *persistent = qobject_cast<const TfrxPersistent *>(obj);
    return persistent == nullptr || persistent->IsPropertyStored(p.name());
}

void TfrxProperties::CopyValues(const QObject *source, QObject *target, const QList<QByteArray> &skip)
{
    const TfrxPropertyTable &sourceTable = TfrxPropertyTable::Of(source->metaObject());
    const bool sameClass = source->metaObject() == target->metaObject();
    for (const TfrxPropertyTable::Property &property :
         TfrxPropertyTable::Of(target->metaObject()).Properties()) {
        const QMetaProperty &p = property.Meta;
        const Kind kind = property.PropertyKind;
        if (!p.isWritable() || kind == Kind::Reference || (!skip.isEmpty() && skip.contains(p.name())))
            continue;
        if (sameClass && CopyDirectly(source, target, property))
            continue;
        const QMetaProperty from = sameClass ? p : [&] {
            const TfrxPropertyTable::Property *match = sourceTable.Find(property.Name);
            return match != nullptr ? match->Meta : QMetaProperty();
        }();
        if (!from.isValid())
            continue;
        const QVariant v = from.read(source);
        if (kind == Kind::Nested) {
            auto *held = qobject_cast<TfrxPersistent *>(v.value<QObject *>());
            auto *to = qobject_cast<TfrxPersistent *>(NestedObject(target, p));
            if (held != nullptr && to != nullptr)
                to->Assign(held);
            continue;
        }
        p.write(target, v);
    }
}

#include "TfrxPropertyTable.h"

#include <QMetaObject>
#include <QMutex>

#include <cstring>
#include <memory>
#include <unordered_map>

using Kind = TfrxProperties::Kind;

namespace {

char16_t Fold(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// FNV-1a over the ASCII-folded characters, so that "Left" and "left" meet in one slot.
template <typename Text> quint32 FoldedHash(Text name)
{
    quint32 h = 2166136261u;
    for (qsizetype i = 0; i < name.size(); ++i) {
        h ^= Fold(char16_t(name.at(i).unicode()));
        h *= 16777619u;
    }
    return h;
}

template <typename Text> bool SameFolded(QLatin1String a, Text b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (Fold(char16_t(a.at(i).unicode())) != Fold(char16_t(b.at(i).unicode())))
            return false;
    }
    return true;
}

QVariant DeclaredDefault(const QMetaObject *meta, const QMetaProperty &p)
{
    const QByteArray key = QByteArrayLiteral("Default.") + p.name();
    const int index = meta->indexOfClassInfo(key.constData());
    if (index < 0)
        return {};
    return TfrxProperties::ValueFromText(p, QString::fromLatin1(meta->classInfo(index).value()));
}

bool IsPlainKind(Kind kind, const QMetaProperty &p)
{
    switch (kind) {
    case Kind::Integer:
    case Kind::Int64:
    case Kind::Boolean:
    case Kind::Enumeration:
    case Kind::Set:
        return true;
    case Kind::Float:
        return p.metaType() == QMetaType::fromType<double>();
    default:
        return false;
    }
}

TfrxPropertyTable::Property MakeProperty(const QMetaObject *meta, int index)
{
    TfrxPropertyTable::Property property;
    property.Meta = meta->property(index);
    const QMetaProperty &p = property.Meta;
    property.PropertyKind = TfrxProperties::KindOf(p);
    property.Name = QLatin1String(p.name());
    property.Index = index;
    property.Default = DeclaredDefault(meta, p);
    property.Size = p.metaType().sizeOf();
    property.Plain = IsPlainKind(property.PropertyKind, p) && property.Size > 0 &&
                     property.Size <= qsizetype(sizeof property.DefaultBytes);
    if (property.Plain && property.Default.isValid()) {
        // A default that did not convert to the property's own type cannot be compared by bytes.
        if (property.Default.metaType() == p.metaType())
            std::memcpy(property.DefaultBytes, property.Default.constData(), size_t(property.Size));
        else
            property.Plain = false;
    }
    return property;
}

} // namespace

TfrxPropertyTable::TfrxPropertyTable(const QMetaObject *meta)
{
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        FProperties.push_back(MakeProperty(meta, i));
    // At most half full, so that probes stay short.
    size_t size = 8;
    while (size < FProperties.size() * 2)
        size *= 2;
    FSlots.assign(size, -1);
    for (size_t i = 0; i < FProperties.size(); ++i) {
        // A name declared twice (a subclass redeclaring a property) is found as its first entry.
        if (Find(FProperties[i].Name) != nullptr)
            continue;
        size_t slot = FoldedHash(FProperties[i].Name) & (size - 1);
        while (FSlots[slot] >= 0)
            slot = (slot + 1) & (size - 1);
        FSlots[slot] = int(i);
    }
}

const TfrxPropertyTable &TfrxPropertyTable::Of(const QMetaObject *meta)
{
    // Tables are never freed, so references handed out stay valid while other classes are added.
    static std::unordered_map<const QMetaObject *, std::unique_ptr<TfrxPropertyTable>> tables;
    static QMutex mutex;
    const QMutexLocker lock(&mutex);
    std::unique_ptr<TfrxPropertyTable> &table = tables[meta];
    if (table == nullptr)
        table.reset(new TfrxPropertyTable(meta));
    return *table;
}

template <typename Text> const TfrxPropertyTable::Property *TfrxPropertyTable::Lookup(Text name) const
{
    const size_t mask = FSlots.size() - 1;
    for (size_t slot = FoldedHash(name) & mask; FSlots[slot] >= 0; slot = (slot + 1) & mask) {
        const Property &property = FProperties[size_t(FSlots[slot])];
        if (SameFolded(property.Name, name))
            return &property;
    }
    return nullptr;
}

const TfrxPropertyTable::Property *TfrxPropertyTable::Find(QStringView name) const
{
    return Lookup(name);
}

const TfrxPropertyTable::Property *TfrxPropertyTable::Find(QLatin1String name) const
{
    return Lookup(name);
}

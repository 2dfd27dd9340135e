#pragma once

#include "TfrxProperties.h"

#include <QLatin1String>
#include <QMetaProperty>
#include <QVariant>

#include <vector>

// The published properties of one report class, worked out once per class: the meta-property,
// its kind, its declared default and a name lookup that ignores ASCII case. Reading or writing a
// property by name, the template reader, the writer and the prepared-pages store go through it
// instead of scanning the class's meta-object (whose property objects resolve enumerators by name
// each time they are made).
class TfrxPropertyTable
{
public:
    struct Property
    {
        QMetaProperty Meta;
        TfrxProperties::Kind PropertyKind = TfrxProperties::Kind::Other;
        QLatin1String Name;
        int Index = 0;    // in the class's whole property table
        QVariant Default; // none declared: invalid
        // A number, Boolean, enumeration or set of at most 8 bytes, read and written as plain
        // bytes without a QVariant; DefaultBytes holds its declared default.
        bool Plain = false;
        qsizetype Size = 0;
        alignas(8) unsigned char DefaultBytes[8] = {};
    };

    // The table of a class; made on first use and kept for the life of the process.
    static const TfrxPropertyTable &Of(const QMetaObject *meta);

    // Every property below QObject's, in table order, base classes first.
    const std::vector<Property> &Properties() const { return FProperties; }
    // The property of that name without regard to ASCII case; none when the class has none.
    const Property *Find(QStringView name) const;
    const Property *Find(QLatin1String name) const;

private:
    explicit TfrxPropertyTable(const QMetaObject *meta);
    template <typename Text> const Property *Lookup(Text name) const;

    std::vector<Property> FProperties;
    // Open addressing over FProperties by the case-folded hash of the name; -1 marks a free slot.
    std::vector<int> FSlots;
};

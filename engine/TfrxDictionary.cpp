#include "TfrxDictionary.h"

#include "TfrxComponent.h"

#include <algorithm>

void TfrxDictionary::Clear()
{
    FNames.clear();
    FOrder.clear();
    FLastNumber.clear();
}

void TfrxDictionary::Add(const QString &alias, const QString &sourceName, TfrxComponent *source)
{
    if (!FNames.contains(alias))
        FOrder.append(alias);
    FNames.insert(alias, Entry{sourceName, source});
}

// Unique alias: test base + i for i = 10000, 5000, 2500, ... while i > 1, stop at the first that
// exists, then count up to the first that does not. The count starts no lower than the number last
// given for the base: aliases come in creation order, so it is the same name, found without
// walking every earlier one (a page of many objects would take time growing with their square).
QString TfrxDictionary::CreateUniqueName(const QString &base) const
{
    int i = 10000;
    while (i > 1) {
        if (FNames.contains(base + QString::number(i)))
            break;
        i /= 2;
    }
    int &last = FLastNumber[base];
    i = std::max(i, last);
    while (FNames.contains(base + QString::number(i)))
        ++i;
    last = i;
    return base + QString::number(i);
}

TfrxComponent *TfrxDictionary::GetObject(const QString &alias) const
{
    const auto it = FNames.constFind(alias);
    return it == FNames.constEnd() ? nullptr : it->Source.data();
}

QString TfrxDictionary::GetSourceName(const QString &alias) const
{
    return FNames.value(alias).SourceName;
}

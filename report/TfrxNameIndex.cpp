#include "TfrxNameIndex.h"

#include "TfrxComponent.h"

namespace {

// Names are ASCII identifiers: folding ASCII letters is all the case rule there is.
QString Key(const QString &name)
{
    return name.toLower();
}

} // namespace

void TfrxNameIndex::Add(TfrxComponent *obj, const QString &name)
{
    if (!name.isEmpty())
        FNames[Key(name)].append(obj);
}

void TfrxNameIndex::Remove(TfrxComponent *obj, const QString &name)
{
    if (name.isEmpty())
        return;
    const QString key = Key(name);
    const auto it = FNames.find(key);
    if (it == FNames.end())
        return;
    Bearers &bearers = it.value();
    bearers.removeOne(obj);
    if (bearers.isEmpty()) {
        FNames.erase(it);
        Freed(key);
    }
}

// A name no longer borne: when it is a base with a number below that base's first free number,
// the search for a free number starts there again. A base may end in digits itself ("Field1" gives
// "Field12"), so every split of the trailing digits is a candidate.
void TfrxNameIndex::Freed(const QString &key)
{
    if (FFirstFree.isEmpty())
        return;
    qsizetype digits = key.size();
    while (digits > 0 && key.at(digits - 1).isDigit() && key.size() - digits < 18)
        --digits;
    for (qsizetype split = digits; split < key.size(); ++split) {
        if (key.at(split) == u'0')
            continue; // numbers are written without leading zeros
        const auto it = FFirstFree.find(key.left(split));
        const qint64 number = QStringView(key).mid(split).toLongLong();
        if (it != FFirstFree.end() && number < it.value())
            it.value() = number;
    }
}

void TfrxNameIndex::AddTree(TfrxComponent *root)
{
    Add(root, root->Name());
    for (TfrxComponent *child : root->Objects())
        AddTree(child);
}

void TfrxNameIndex::RemoveTree(TfrxComponent *root)
{
    Remove(root, root->Name());
    for (TfrxComponent *child : root->Objects())
        RemoveTree(child);
}

void TfrxNameIndex::Rename(TfrxComponent *obj, const QString &from, const QString &to)
{
    Remove(obj, from);
    Add(obj, to);
}

TfrxNameIndex::Bearers TfrxNameIndex::Find(const QString &name) const
{
    return FNames.value(Key(name));
}

bool TfrxNameIndex::TakenByOther(const QString &name, const TfrxComponent *self) const
{
    const auto it = FNames.constFind(Key(name));
    if (it == FNames.constEnd())
        return false;
    for (const TfrxComponent *bearer : it.value()) {
        if (bearer != self)
            return true;
    }
    return false;
}

QString TfrxNameIndex::UniqueName(const QString &base, const TfrxComponent *self)
{
    const QString key = Key(base);
    auto first = FFirstFree.find(key);
    if (first == FFirstFree.end())
        first = FFirstFree.insert(key, 1);
    qint64 n = first.value();
    while (TakenByOther(base + QString::number(n), self))
        ++n;
    // Every number below n is taken (n itself may be self's, which keeps it).
    first.value() = n;
    return base + QString::number(n);
}

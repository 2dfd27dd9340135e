#include "TfrxCollection.h"

#include "TfrxCollectionItem.h"

#include <QSet>

TfrxCollection::TfrxCollection(Factory factory, QObject *parent) : QObject(parent), FFactory(std::move(factory)) {}

TfrxCollection::~TfrxCollection()
{
    Clear();
}

TfrxCollectionItem *TfrxCollection::Add()
{
    TfrxCollectionItem *item = FFactory(this);
    item->setParent(this);
    QSet<QString> used;
    for (const TfrxCollectionItem *i : std::as_const(FItems))
        used.insert(i->Identity());
    const QString base = QString::fromLatin1(item->metaObject()->className());
    for (qint64 n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (!used.contains(candidate)) {
            item->SetInheritedName(candidate);
            break;
        }
    }
    FItems.append(item);
    return item;
}

void TfrxCollection::Delete(qsizetype index)
{
    if (index >= 0 && index < FItems.size())
        delete FItems.takeAt(index);
}

void TfrxCollection::Remove(TfrxCollectionItem *item)
{
    Delete(FItems.indexOf(item));
}

void TfrxCollection::Clear()
{
    qDeleteAll(std::exchange(FItems, {}));
}

TfrxCollectionItem *TfrxCollection::FindByName(const QString &name) const
{
    for (TfrxCollectionItem *item : FItems) {
        if (item->Identity() == name)
            return item;
    }
    return nullptr;
}

void TfrxCollection::Move(qsizetype from, qsizetype to)
{
    if (from >= 0 && from < FItems.size() && to >= 0 && to < FItems.size())
        FItems.move(from, to);
}

#include "TfrxCollectionItem.h"

#include "TfrxCollection.h"

TfrxCollectionItem::TfrxCollectionItem(QObject *parent) : TfrxPersistent(parent) {}

QString TfrxCollectionItem::Identity() const
{
    const QString name = ItemName();
    return name.isEmpty() ? FInheritedName : name;
}

TfrxCollection *TfrxCollectionItem::Collection() const
{
    return qobject_cast<TfrxCollection *>(parent());
}

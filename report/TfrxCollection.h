#pragma once

#include <QList>
#include <QObject>

#include <functional>

class TfrxCollectionItem;

// An owned, ordered list of collection items of one class.
class TfrxCollection : public QObject
{
    Q_OBJECT

public:
    using Factory = std::function<TfrxCollectionItem *(TfrxCollection *)>;
    explicit TfrxCollection(Factory factory, QObject *parent = nullptr);
    ~TfrxCollection() override;

    // Appends a new item; it receives as inherited name its class name followed by the smallest
    // positive number that no item of the collection has as identity.
    TfrxCollectionItem *Add();
    qsizetype Count() const { return FItems.size(); }
    TfrxCollectionItem *Item(qsizetype index) const { return FItems.value(index); }
    const QList<TfrxCollectionItem *> &Items() const { return FItems; }
    void Delete(qsizetype index);
    // Moves an item to another position, the others keeping their order.
    void Move(qsizetype from, qsizetype to);
    void Remove(TfrxCollectionItem *item);
    void Clear();
    // The first item whose identity equals name exactly.
    TfrxCollectionItem *FindByName(const QString &name) const;

private:
    Factory FFactory;
    QList<TfrxCollectionItem *> FItems;
};

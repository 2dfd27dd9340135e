#pragma once

#include "TfrxPersistent.h"

class TfrxCollection;

// An item of a report collection (variables, styles, data-set items, formats, highlights).
// InheritedName is its identity across template inheritance.
class TfrxCollectionItem : public TfrxPersistent
{
    Q_OBJECT

public:
    explicit TfrxCollectionItem(QObject *parent = nullptr);

    QString InheritedName() const { return FInheritedName; }
    void SetInheritedName(const QString &value) { FInheritedName = value; }
    // The item's own name; items without names return an empty text.
    virtual QString ItemName() const { return {}; }
    // Its Name when it has one, else its inherited name.
    QString Identity() const;
    TfrxCollection *Collection() const;

private:
    QString FInheritedName;
};

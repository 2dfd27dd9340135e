#pragma once

#include "TfrxCollectionItem.h"

#include <QVariant>

// A report variable: a name and a value. A text value without a line break is itself an
// expression, calculated when the variable is read during preparation.
class TfrxVariable : public TfrxCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QVariant Value READ Value WRITE SetValue)

public:
    explicit TfrxVariable(QObject *parent = nullptr);

    QString Name() const { return FName; }
    void SetName(const QString &value) { FName = value; }
    QVariant Value() const { return FValue; }
    void SetValue(const QVariant &value) { FValue = value; }
    QString ItemName() const override { return FName; }
    // A variable whose name begins with a space heads a category of the variables after it.
    bool IsCategory() const { return FName.startsWith(u' '); }

private:
    QString FName;
    QVariant FValue;
};

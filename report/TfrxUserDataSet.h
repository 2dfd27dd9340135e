#pragma once

#include "TfrxDataSet.h"

// A data set whose fields are a list of names and whose values come from host handlers.
class TfrxUserDataSet : public TfrxDataSet
{
    Q_OBJECT
    Q_PROPERTY(QStringList Fields READ Fields WRITE SetFields)

public:
    explicit TfrxUserDataSet(QObject *owner = nullptr);

    QStringList Fields() const { return FFields; }
    void SetFields(const QStringList &value) { FFields = value; }

    QStringList GetFieldList() const override { return FFields; }
    int FieldsCount() const override { return int(FFields.size()); }
    // Null, then whatever OnGetValue and OnNewGetValue make of it.
    QVariant GetValue(const QString &field) const override;
    QString GetDisplayText(const QString &field) const override;

    std::function<void(const QString &field, QVariant &value)> OnGetValue;
    std::function<void(TfrxDataSet *, const QString &field, QVariant &value)> OnNewGetValue;

private:
    QStringList FFields;
};

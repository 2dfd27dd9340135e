#pragma once

#include "TfrxDataSet.h"

// The base of data sets bound to database tables: a sorted field list without duplicates and
// field aliases as lines "alias=field name". Connections are the host's business.
class TfrxCustomDBDataSet : public TfrxDataSet
{
    Q_OBJECT
    Q_PROPERTY(QStringList FieldAliases READ FieldAliases WRITE SetFieldAliases)

public:
    explicit TfrxCustomDBDataSet(QObject *owner = nullptr);

    QStringList FieldAliases() const { return FFieldAliases; }
    void SetFieldAliases(const QStringList &value) { FFieldAliases = value; }
    void AddField(const QString &name);
    QStringList GetFieldList() const override { return FFields; }
    int FieldsCount() const override { return int(GetFieldList().size()); }

    // The alias of a field (lines "field name=alias"); the name itself when it has none.
    QString GetAlias(const QString &fieldName) const;
    // The field name of an alias; the text itself when no line has it.
    QString ConvertAlias(const QString &alias) const;

private:
    QStringList FFields;
    QStringList FFieldAliases;
};

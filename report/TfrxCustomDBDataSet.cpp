#include "TfrxCustomDBDataSet.h"

#include <algorithm>

TfrxCustomDBDataSet::TfrxCustomDBDataSet(QObject *owner) : TfrxDataSet(owner) {}

void TfrxCustomDBDataSet::AddField(const QString &name)
{
    const auto it = std::lower_bound(FFields.begin(), FFields.end(), name);
    if (it == FFields.end() || *it != name)
        FFields.insert(it, name);
}

// An alias line is "name=alias": the part before "=" is looked up, the part after is given.
QString TfrxCustomDBDataSet::GetAlias(const QString &fieldName) const
{
    for (const QString &line : FFieldAliases) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && line.left(eq).compare(fieldName, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
    }
    return fieldName;
}

QString TfrxCustomDBDataSet::ConvertAlias(const QString &alias) const
{
    for (const QString &line : FFieldAliases) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && line.mid(eq + 1) == alias)
            return line.left(eq);
    }
    return alias;
}

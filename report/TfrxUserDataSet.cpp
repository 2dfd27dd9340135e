#include "TfrxUserDataSet.h"

TfrxUserDataSet::TfrxUserDataSet(QObject *owner) : TfrxDataSet(owner) {}

QVariant TfrxUserDataSet::GetValue(const QString &field) const
{
    QVariant value = QVariant::fromValue(nullptr);
    if (OnGetValue)
        OnGetValue(field, value);
    if (OnNewGetValue)
        OnNewGetValue(const_cast<TfrxUserDataSet *>(this), field, value);
    return value;
}

QString TfrxUserDataSet::GetDisplayText(const QString &field) const
{
    const QVariant value = GetValue(field);
    return value.isNull() ? QString() : value.toString();
}

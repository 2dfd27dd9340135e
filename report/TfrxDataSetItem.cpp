#include "TfrxDataSetItem.h"

#include "TfrxDataSet.h"
#include "TfrxReport.h"

TfrxDataSetItem::TfrxDataSetItem(QObject *parent) : TfrxCollectionItem(parent) {}

TfrxDataSet *TfrxDataSetItem::DataSet() const
{
    return FDataSet;
}

void TfrxDataSetItem::SetDataSet(TfrxDataSet *value)
{
    FDataSet = value;
    FDataSetName = value != nullptr ? value->UserName() : QString();
}

QString TfrxDataSetItem::DataSetName() const
{
    return FDataSet != nullptr ? FDataSet->UserName() : FDataSetName;
}

void TfrxDataSetItem::SetDataSetName(const QString &value)
{
    FDataSetName = value;
    if (value.isEmpty()) {
        FDataSet = nullptr;
        return;
    }
    FDataSet = FReport != nullptr ? FReport->FindDataSet(nullptr, value) : nullptr;
}

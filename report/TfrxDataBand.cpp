#include "TfrxDataBand.h"

#include "TfrxUserDataSet.h"

using namespace zor;

TfrxDataBand::TfrxDataBand(QObject *owner) : TfrxBand(owner), FVirtualDataSet(new TfrxUserDataSet(nullptr))
{
    // The virtual data set is the band's own, outside the object tree.
    FVirtualDataSet->QObject::setParent(this);
    FVirtualDataSet->SetRangeEnd(reCount);
    FVirtualDataSet->SetRangeEndCount(1);
}

QString TfrxDataBand::GetDescription() const
{
    return QStringLiteral("Data band");
}

TfrxDataSet *TfrxDataBand::DataSet() const
{
    return FDataSet;
}

void TfrxDataBand::SetDataSet(TfrxDataSet *value)
{
    FDataSet = value;
    FDataSetName = value != nullptr ? value->UserName() : QString();
}

QString TfrxDataBand::DataSetName() const
{
    return FDataSet != nullptr ? FDataSet->UserName() : FDataSetName;
}

void TfrxDataBand::SetDataSetName(const QString &value)
{
    FDataSetName = value;
    FDataSet = FindDataSet(FDataSet, value);
}

int TfrxDataBand::RowCount() const
{
    return FVirtualDataSet->RangeEndCount();
}

void TfrxDataBand::SetRowCount(int value)
{
    FVirtualDataSet->SetRangeEndCount(value);
}

TfrxDataSet *TfrxDataBand::EffectiveDataSet() const
{
    return FDataSet != nullptr ? FDataSet.data() : FVirtualDataSet;
}

void TfrxDataBand::SetCurColumn(int value)
{
    if (value > FColumns)
        value = 1;
    FCurColumn = value;
    if (value == 1)
        MaxY = 0;
    SetLeft((FColumnWidth + FColumnGap) * (value - 1));
}

TfrxMasterData::TfrxMasterData(QObject *owner) : TfrxDataBand(owner) {}
TfrxDetailData::TfrxDetailData(QObject *owner) : TfrxDataBand(owner) {}
TfrxSubdetailData::TfrxSubdetailData(QObject *owner) : TfrxDataBand(owner) {}
TfrxDataBand4::TfrxDataBand4(QObject *owner) : TfrxDataBand(owner) {}
TfrxDataBand5::TfrxDataBand5(QObject *owner) : TfrxDataBand(owner) {}
TfrxDataBand6::TfrxDataBand6(QObject *owner) : TfrxDataBand(owner) {}

#include "TfrxReportDataSets.h"

#include "TfrxDataSet.h"
#include "TfrxDataSetItem.h"

TfrxReportDataSets::TfrxReportDataSets(TfrxReport *report, QObject *parent)
    : TfrxCollection(
        [report](TfrxCollection *) {
            auto *item = new TfrxDataSetItem;
            item->SetReport(report);
            return item;
        },
        parent),
      FReport(report)
{
}

TfrxDataSetItem *TfrxReportDataSets::Items(qsizetype index) const
{
    return static_cast<TfrxDataSetItem *>(Item(index));
}

void TfrxReportDataSets::Add(TfrxDataSet *dataSet)
{
    static_cast<TfrxDataSetItem *>(TfrxCollection::Add())->SetDataSet(dataSet);
}

void TfrxReportDataSets::Initialize()
{
    for (qsizetype i = 0; i < Count(); ++i) {
        if (TfrxDataSet *ds = Items(i)->DataSet()) {
            ds->SetReportRef(FReport);
            ds->Initialize();
        }
    }
}

void TfrxReportDataSets::Finalize()
{
    for (qsizetype i = 0; i < Count(); ++i) {
        if (TfrxDataSet *ds = Items(i)->DataSet())
            ds->Finalize();
    }
}

TfrxDataSetItem *TfrxReportDataSets::Find(TfrxDataSet *dataSet) const
{
    for (qsizetype i = 0; i < Count(); ++i) {
        if (Items(i)->DataSet() == dataSet)
            return Items(i);
    }
    return nullptr;
}

qsizetype TfrxReportDataSets::IndexOf(const QString &name) const
{
    for (qsizetype i = 0; i < Count(); ++i) {
        TfrxDataSet *ds = Items(i)->DataSet();
        if (ds != nullptr && ds->UserName().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

TfrxDataSet *TfrxReportDataSets::Find(const QString &name) const
{
    const qsizetype i = IndexOf(name);
    return i < 0 ? nullptr : Items(i)->DataSet();
}

void TfrxReportDataSets::Delete(const QString &name)
{
    TfrxCollection::Delete(IndexOf(name));
}

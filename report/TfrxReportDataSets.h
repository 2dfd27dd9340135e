#pragma once

#include "TfrxCollection.h"

class TfrxDataSet;
class TfrxDataSetItem;
class TfrxReport;

// The data sets a report uses, as a collection of data-set items.
class TfrxReportDataSets : public TfrxCollection
{
    Q_OBJECT

public:
    TfrxReportDataSets(TfrxReport *report, QObject *parent);

    TfrxDataSetItem *Items(qsizetype index) const;
    void Add(TfrxDataSet *dataSet);
    // Hands every listed data set to the report and initializes it before a preparation.
    void Initialize();
    void Finalize();
    TfrxDataSetItem *Find(TfrxDataSet *dataSet) const;
    // By user name, without regard to ASCII case.
    TfrxDataSet *Find(const QString &name) const;
    void Delete(const QString &name);

private:
    qsizetype IndexOf(const QString &name) const;
    TfrxReport *FReport;
};

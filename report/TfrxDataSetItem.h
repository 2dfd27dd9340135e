#pragma once

#include "TfrxCollectionItem.h"

#include "TfrxReport.h"

#include <QPointer>

class TfrxDataSet;


// An entry of a report's data-set list: the data set and its user name.
class TfrxDataSetItem : public TfrxCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(TfrxDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataSetName READ DataSetName WRITE SetDataSetName)
    Q_MOC_INCLUDE("TfrxDataSet.h")

public:
    explicit TfrxDataSetItem(QObject *parent = nullptr);

    TfrxDataSet *DataSet() const;
    void SetDataSet(TfrxDataSet *value);
    // The data set's user name when one is set.
    QString DataSetName() const;
    // Looks the data set up through the report; an empty text clears the reference.
    void SetDataSetName(const QString &value);
    void SetReport(TfrxReport *report) { FReport = report; }

private:
    QPointer<TfrxDataSet> FDataSet;
    QString FDataSetName;
    QPointer<TfrxReport> FReport;
};

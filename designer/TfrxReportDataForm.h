#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

class QListWidget;
class TfrxDataSet;
class TfrxReport;

// "Select Report Datasets": the data sets the report may use, each checked when the report's list
// holds it. OK makes the checked ones the report's data sets.
class TfrxReportDataForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxReportDataForm(TfrxReport &report, QWidget *parent = nullptr);

    void accept() override;

private:
    void FillDataSets();

    TfrxReport &FReport;
    QListWidget *DataSetsLB;
    // The data set of each row; one freed while the dialog is open is left out on OK.
    QList<QPointer<TfrxDataSet>> FDataSets;
};

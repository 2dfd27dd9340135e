#include "TfrxReportDataForm.h"

#include "TfrxDataSet.h"
#include "TfrxDataSetItem.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "zorDialogKit.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A data set that lives inside another report is that report's own business.
bool belongsElsewhere(const TfrxDataSet *dataSet, const TfrxReport &report)
{
    for (const QObject *o = dataSet->parent(); o != nullptr; o = o->parent())
        if (const auto *owner = qobject_cast<const TfrxReport *>(o))
            return owner != &report;
    return false;
}

// The data sets the report can reach, with those already in its list, sorted by user name.
QList<TfrxDataSet *> availableDataSets(const TfrxReport &report)
{
    QList<TfrxDataSet *> result;
    for (TfrxDataSet *dataSet : report.GetActiveDataSetList())
        if (!belongsElsewhere(dataSet, report))
            result.append(dataSet);
    for (qsizetype i = 0; i < report.DataSets()->Count(); ++i)
        if (TfrxDataSet *listed = report.DataSets()->Items(i)->DataSet();
            listed != nullptr && !result.contains(listed))
            result.append(listed);
    std::sort(result.begin(), result.end(), [](const TfrxDataSet *a, const TfrxDataSet *b) {
        return a->UserName().localeAwareCompare(b->UserName()) < 0;
    });
    return result;
}

} // namespace

TfrxReportDataForm::TfrxReportDataForm(TfrxReport &report, QWidget *parent)
    : QDialog(parent), FReport(report), DataSetsLB(new QListWidget(this))
{
    setObjectName(QStringLiteral("TfrxReportDataForm"));
    setWindowTitle(zorText("2800"));
    DataSetsLB->setObjectName(QStringLiteral("DataSetsLB"));
    FillDataSets();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DataSetsLB, 1);
    layout->addWidget(zorOkCancelButtons(this));
    resize(sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * 45, 0)));
}

void TfrxReportDataForm::FillDataSets()
{
    for (TfrxDataSet *dataSet : availableDataSets(FReport)) {
        auto *item = new QListWidgetItem(dataSet->UserName(), DataSetsLB);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(FReport.DataSets()->Find(dataSet) != nullptr ? Qt::Checked : Qt::Unchecked);
        FDataSets.append(dataSet);
    }
}

void TfrxReportDataForm::accept()
{
    TfrxReportDataSets *list = FReport.DataSets();
    list->Clear();
    for (int i = 0; i < DataSetsLB->count(); ++i) {
        const QListWidgetItem *item = DataSetsLB->item(i);
        // A data set freed while the dialog was open is left out.
        if (item->checkState() == Qt::Checked && FDataSets[i] != nullptr)
            list->Add(FDataSets[i]);
    }
    QDialog::accept();
}

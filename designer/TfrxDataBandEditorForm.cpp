#include "TfrxDataBandEditorForm.h"

#include "TfrxCustomDesigner.h"
#include "TfrxDataBand.h"
#include "TfrxExpressionEdit.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "zorDialogKit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

TfrxDataBandEditorForm::TfrxDataBandEditorForm(TfrxCustomDesigner &designer, TfrxDataBand &band,
                                               QWidget *parent)
    : QDialog(parent), FDesigner(designer), FBand(band), DataSetsLB(new QListWidget(this)),
      RecordsE(new QSpinBox(this)), FilterE(new TfrxExpressionEdit(designer, this))
{
    setObjectName(QStringLiteral("TfrxDataBandEditorForm"));
    setWindowTitle(zorText("3100"));
    DataSetsLB->setObjectName(QStringLiteral("DataSetsLB"));
    RecordsE->setObjectName(QStringLiteral("RecordsE"));
    RecordsE->setRange(0, std::numeric_limits<int>::max());
    RecordsE->setValue(band.RowCount());
    FilterE->setObjectName(QStringLiteral("FilterE"));
    FilterE->SetText(band.Filter());
    FillDataSets();

    auto *fields = new QFormLayout;
    fields->addRow(zorText("3101"), RecordsE);
    fields->addRow(zorText("3103"), FilterE);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(zorText("3102"), this));
    layout->addWidget(DataSetsLB, 1);
    layout->addLayout(fields);
    layout->addWidget(zorOkCancelButtons(this));
    resize(sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * 45, 0)));

    connect(DataSetsLB, &QListWidget::itemClicked, this, &TfrxDataBandEditorForm::DataSetChosen);
    connect(DataSetsLB, &QListWidget::itemDoubleClicked, this, &TfrxDataBandEditorForm::accept);
}

// "[not assigned]" and then the report's data sets sorted by name; the band's own is selected.
void TfrxDataBandEditorForm::FillDataSets()
{
    const QStringList names = zorReportDataSetNames(FDesigner.Report());
    DataSetsLB->addItem(zorText("dbNotAssigned"));
    DataSetsLB->addItems(names);
    DataSetsLB->setCurrentRow(0);
    const QString current = FBand.DataSetName();
    for (qsizetype i = 0; i < names.size() && !current.isEmpty(); ++i)
        if (names[i].compare(current, Qt::CaseInsensitive) == 0)
            DataSetsLB->setCurrentRow(int(i) + 1);
}

// A band bound to a data set runs once per record, so the fixed number of records goes back to 0.
void TfrxDataBandEditorForm::DataSetChosen()
{
    if (DataSetsLB->currentRow() > 0)
        RecordsE->setValue(0);
}

void TfrxDataBandEditorForm::accept()
{
    const int row = DataSetsLB->currentRow();
    TfrxDataSet *dataSet =
        row > 0 ? FDesigner.Report().DataSets()->Find(DataSetsLB->item(row)->text()) : nullptr;
    FBand.SetDataSet(dataSet);
    FBand.SetRowCount(RecordsE->value());
    FBand.SetFilter(FilterE->Text());
    QDialog::accept();
}

#include "TfrxGroupEditorForm.h"

#include "TfrxBands.h"
#include "TfrxCustomDesigner.h"
#include "TfrxDataSet.h"
#include "TfrxExpressionEdit.h"
#include "TfrxPropertyChecks.h"
#include "TfrxReport.h"
#include "zorDialogKit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const TfrxPropertyChecks::Field groupChecks[] = {
    {"KeepTogether", "3205"},
    {"StartNewPage", "3206"},
    {"DrillDown", "bvDrillDown"},
    {"ResetPageNumbers", "bvResetPageNo"},
};

} // namespace

TfrxGroupEditorForm::TfrxGroupEditorForm(TfrxCustomDesigner &designer, TfrxGroupHeader &band, QWidget *parent)
    : QDialog(parent), FDesigner(designer), FBand(band)
{
    setObjectName(QStringLiteral("TfrxGroupEditorForm"));
    setWindowTitle(zorText("3200"));
    auto *layout = new QHBoxLayout;
    layout->addWidget(BreakOnGroup(), 1);
    layout->addWidget(OptionsGroup());
    auto *main = new QVBoxLayout(this);
    main->addLayout(layout);
    main->addWidget(zorOkCancelButtons(this));
    ReadCondition(band.Condition());
    ShowChoice();
    connect(DataSetCB, &QComboBox::currentIndexChanged, this, &TfrxGroupEditorForm::FillFields);
    connect(DataFieldRB, &QRadioButton::toggled, this, &TfrxGroupEditorForm::ShowChoice);
}

TfrxGroupEditorForm::~TfrxGroupEditorForm() = default;

// "Data field" with a data set box and a field box, or "Expression" with its editor button.
QWidget *TfrxGroupEditorForm::BreakOnGroup()
{
    auto *box = new QGroupBox(zorText("3201"), this);
    DataFieldRB = new QRadioButton(zorText("3203"), box);
    DataFieldRB->setObjectName(QStringLiteral("DataFieldRB"));
    ExpressionRB = new QRadioButton(zorText("3204"), box);
    ExpressionRB->setObjectName(QStringLiteral("ExpressionRB"));
    DataSetCB = new QComboBox(box);
    DataSetCB->setObjectName(QStringLiteral("DataSetCB"));
    DataSetCB->addItems(zorReportDataSetNames(FDesigner.Report()));
    DataFieldCB = new QComboBox(box);
    DataFieldCB->setObjectName(QStringLiteral("DataFieldCB"));
    for (QComboBox *combo : {DataSetCB, DataFieldCB}) {
        combo->setMinimumContentsLength(14);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    ExpressionE = new TfrxExpressionEdit(FDesigner, box);
    ExpressionE->setObjectName(QStringLiteral("ExpressionE"));
    // Without data sets there is no field to break on.
    DataFieldRB->setEnabled(DataSetCB->count() > 0);

    auto *layout = new QGridLayout(box);
    layout->addWidget(DataFieldRB, 0, 0, 1, 2);
    layout->addWidget(DataSetCB, 1, 0);
    layout->addWidget(DataFieldCB, 1, 1);
    layout->addWidget(ExpressionRB, 2, 0, 1, 2);
    layout->addWidget(ExpressionE, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
    return box;
}

QWidget *TfrxGroupEditorForm::OptionsGroup()
{
    auto *box = new QGroupBox(zorText("3202"), this);
    auto *layout = new QVBoxLayout(box);
    FChecks = std::make_unique<TfrxPropertyChecks>(&FBand, groupChecks, box);
    OutlineCB = new QCheckBox(zorText("3207"), box);
    OutlineCB->setObjectName(QStringLiteral("OutlineCB"));
    OutlineCB->setChecked(!FBand.OutlineText().trimmed().isEmpty());
    const QList<QCheckBox *> &boxes = FChecks->Boxes();
    // In the order of the captions' numbers: keep together, new page, outline, then the rest.
    layout->addWidget(boxes[0]);
    layout->addWidget(boxes[1]);
    layout->addWidget(OutlineCB);
    for (qsizetype i = 2; i < boxes.size(); ++i)
        layout->addWidget(boxes[i]);
    layout->addStretch();
    return box;
}

// An empty condition starts on the first data set; a field reference (DataSet."Field") of a data
// set in the report's list shows as that data field; anything else is an expression.
void TfrxGroupEditorForm::ReadCondition(const QString &condition)
{
    TfrxDataSet *dataSet = nullptr;
    QString field;
    const bool isField = FDesigner.Report().GetDatasetAndField(condition, dataSet, field);
    if (isField)
        DataSetCB->setCurrentIndex(DataSetCB->findText(dataSet->UserName(), Qt::MatchFixedString));
    FillFields();
    if (isField)
        DataFieldCB->setCurrentIndex(DataFieldCB->findText(field, Qt::MatchFixedString));
    else
        ExpressionE->SetText(condition);
    const bool showField = DataFieldRB->isEnabled() && (isField || condition.isEmpty());
    (showField ? DataFieldRB : ExpressionRB)->setChecked(true);
}

void TfrxGroupEditorForm::FillFields()
{
    DataFieldCB->clear();
    if (const TfrxDataSet *dataSet = FDesigner.Report().GetDataset(DataSetCB->currentText()))
        DataFieldCB->addItems(dataSet->GetFieldList());
}

void TfrxGroupEditorForm::ShowChoice()
{
    const bool field = DataFieldRB->isChecked();
    DataSetCB->setEnabled(field);
    DataFieldCB->setEnabled(field);
    ExpressionE->setEnabled(!field);
}

QString TfrxGroupEditorForm::Condition() const
{
    if (!DataFieldRB->isChecked())
        return ExpressionE->Text();
    return DataSetCB->currentText() + QStringLiteral(".\"") + DataFieldCB->currentText() + u'"';
}

void TfrxGroupEditorForm::accept()
{
    const QString condition = Condition();
    FBand.SetCondition(condition);
    FChecks->Write(&FBand);
    FBand.SetOutlineText(OutlineCB->isChecked() ? condition : QString());
    QDialog::accept();
}

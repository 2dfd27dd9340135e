#include "TfrxSysMemoEditorForm.h"

#include "TfrxCustomDesigner.h"
#include "TfrxDataBand.h"
#include "TfrxDataSet.h"
#include "TfrxPage.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "zorDialogKit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The system variables offered, as the text they put into the object.
const QStringList variableTexts = {QStringLiteral("[DATE]"),
                                   QStringLiteral("[TIME]"),
                                   QStringLiteral("[PAGE#]"),
                                   QStringLiteral("[TOTALPAGES#]"),
                                   QStringLiteral("[PAGE#] of [TOTALPAGES#]"),
                                   QStringLiteral("[LINE#]")};
const QStringList functions = {QStringLiteral("SUM"), QStringLiteral("MIN"), QStringLiteral("MAX"),
                               QStringLiteral("AVG"), QStringLiteral("COUNT")};
const QString count = QStringLiteral("COUNT");

// The flag bits of an aggregate call.
constexpr int countInvisibleFlag = 1;
constexpr int runningTotalFlag = 2;

template <class T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1StringView(name));
    return widget;
}

} // namespace

TfrxSysMemoEditorForm::TfrxSysMemoEditorForm(TfrxCustomDesigner &designer, Mode mode, QWidget *parent)
    : QDialog(parent), FDesigner(designer)
{
    const bool full = mode == SystemText;
    setWindowTitle(zorText(full ? "3300" : "agAggregate"));
    FVariableChoice = named(new QRadioButton(zorText("3307"), this), "VariableRB");
    FAggregateChoice = named(new QRadioButton(zorText("3306"), this), "AggregateRB");
    FTextChoice = named(new QRadioButton(zorText("3309"), this), "TextRB");
    auto *choices = new QButtonGroup(this);
    for (QRadioButton *choice : {FVariableChoice, FAggregateChoice, FTextChoice})
        choices->addButton(choice);
    FVariable = named(new QComboBox(this), "VariableCB");
    FVariable->addItems(variableTexts);
    FFreeText = named(new QPlainTextEdit(this), "TextMemo");
    FFreeText->setMaximumHeight(FFreeText->fontMetrics().lineSpacing() * 4);

    auto *layout = new QVBoxLayout(this);
    auto *variableRow = new QHBoxLayout;
    variableRow->addWidget(FVariableChoice);
    variableRow->addWidget(FVariable, 1);
    layout->addLayout(variableRow);
    layout->addWidget(FAggregateChoice);
    layout->addWidget(AggregatePart());
    layout->addWidget(FTextChoice);
    layout->addWidget(FFreeText);
    layout->addStretch();
    layout->addWidget(zorOkCancelButtons(this));
    for (QWidget *w : std::initializer_list<QWidget *>{FVariableChoice, FVariable, FAggregateChoice,
                                                       FTextChoice, FFreeText})
        w->setVisible(full);
    if (!full)
        FAggregate->setTitle(QString());
    FAggregateChoice->setChecked(!full);
    FVariableChoice->setChecked(full);
    connect(choices, &QButtonGroup::buttonToggled, this, &TfrxSysMemoEditorForm::UpdateControls);
    UpdateControls();
}

QWidget *TfrxSysMemoEditorForm::AggregatePart()
{
    FAggregate = named(new QGroupBox(zorText("3306"), this), "AggregateGB");
    FFunction = named(new QComboBox(FAggregate), "FunctionCB");
    FFunction->addItems(functions);
    FBand = named(new QComboBox(FAggregate), "BandCB");
    FDataSet = named(new QComboBox(FAggregate), "DataSetCB");
    FField = named(new QComboBox(FAggregate), "DataFieldCB");
    FExpression = named(new QLineEdit(FAggregate), "ExpressionE");
    QToolButton *expressionButton = zorExpressionButton(QStringLiteral("ExpressionB"), FAggregate);
    FCountInvisible = named(new QCheckBox(zorText("3308"), FAggregate), "CountInvisibleCB");
    FRunningTotal = named(new QCheckBox(zorText("3310"), FAggregate), "RunningTotalCB");
    FSample = named(new QLabel(FAggregate), "SampleL");
    FSample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FSample->setFrameShape(QFrame::StyledPanel);

    auto *expressionRow = new QHBoxLayout;
    expressionRow->addWidget(FExpression, 1);
    expressionRow->addWidget(expressionButton);
    auto *form = new QFormLayout(FAggregate);
    form->addRow(zorText("3304"), FFunction);
    form->addRow(zorText("3301"), FBand);
    form->addRow(zorText("3302"), FDataSet);
    form->addRow(zorText("3303"), FField);
    form->addRow(zorText("3305"), expressionRow);
    form->addRow(FCountInvisible);
    form->addRow(FRunningTotal);
    form->addRow(FSample);

    FillBands();
    FillDataSets();
    connect(FBand, &QComboBox::currentIndexChanged, this, &TfrxSysMemoEditorForm::BandChosen);
    connect(FDataSet, &QComboBox::currentIndexChanged, this, &TfrxSysMemoEditorForm::DataSetChosen);
    connect(FField, &QComboBox::currentIndexChanged, this, [this] {
        FExpression->clear();
        UpdateControls();
    });
    connect(FFunction, &QComboBox::currentIndexChanged, this, &TfrxSysMemoEditorForm::UpdateControls);
    connect(FExpression, &QLineEdit::textChanged, this, &TfrxSysMemoEditorForm::UpdateControls);
    for (QCheckBox *box : {FCountInvisible, FRunningTotal})
        connect(box, &QCheckBox::toggled, this, &TfrxSysMemoEditorForm::UpdateControls);
    connect(expressionButton, &QToolButton::clicked, this, &TfrxSysMemoEditorForm::EditExpression);
    BandChosen();
    return FAggregate;
}

// The data bands of the page shown, after an empty entry for none.
void TfrxSysMemoEditorForm::FillBands()
{
    FBand->addItem(QString());
    if (const TfrxPage *page = FDesigner.Page())
        for (TfrxComponent *object : page->GetAllObjects())
            if (qobject_cast<TfrxDataBand *>(object) != nullptr)
                FBand->addItem(object->Name());
    FBand->setCurrentIndex(FBand->count() > 1 ? 1 : 0);
}

void TfrxSysMemoEditorForm::FillDataSets()
{
    FDataSet->addItem(QString());
    FDataSet->addItems(FDesigner.Report().GetDataSetList(false));
}

// A band bound to a data set of the report chooses that data set.
void TfrxSysMemoEditorForm::BandChosen()
{
    const auto *band = qobject_cast<TfrxDataBand *>(FDesigner.Report().FindObject(FBand->currentText()));
    TfrxDataSet *dataSet = band != nullptr ? band->DataSet() : nullptr;
    if (dataSet != nullptr && FDesigner.Report().DataSets()->Find(dataSet) != nullptr) {
        const int index = FDataSet->findText(FDesigner.Report().GetAlias(dataSet));
        if (index >= 0)
            FDataSet->setCurrentIndex(index);
    }
    UpdateControls();
}

void TfrxSysMemoEditorForm::DataSetChosen()
{
    const QSignalBlocker blocker(FField);
    FField->clear();
    if (const TfrxDataSet *dataSet = FDesigner.Report().GetDataset(FDataSet->currentText()))
        FField->addItems(dataSet->GetFieldList());
    FExpression->clear();
    UpdateControls();
}

void TfrxSysMemoEditorForm::EditExpression()
{
    const QString expression = FDesigner.InsertExpression(FExpression->text());
    if (!expression.isEmpty())
        FExpression->setText(expression);
}

int TfrxSysMemoEditorForm::Flags() const
{
    // The flags follow the band in the call, so they need one.
    if (FBand->currentText().isEmpty())
        return 0;
    return (FCountInvisible->isChecked() ? countInvisibleFlag : 0) |
           (FRunningTotal->isChecked() ? runningTotalFlag : 0);
}

// aggregate -> FUNCTION "(" [argument] ["," band] ["," flags] ")", where the argument is the
// expression or the data field, and COUNT has none.
QString TfrxSysMemoEditorForm::AggregateText() const
{
    QStringList parts;
    const QString function = FFunction->currentText();
    if (function != count) {
        QString argument = FExpression->text();
        if (argument.isEmpty() && !FDataSet->currentText().isEmpty() && !FField->currentText().isEmpty())
            argument = QStringLiteral("<%1.\"%2\">").arg(FDataSet->currentText(), FField->currentText());
        parts.append(argument);
        if (!FBand->currentText().isEmpty())
            parts.append(FBand->currentText());
    } else {
        parts.append(FBand->currentText());
    }
    if (Flags() != 0)
        parts.append(QString::number(Flags()));
    return function + u'(' + parts.join(u',') + u')';
}

void TfrxSysMemoEditorForm::SetText(const QString &text)
{
    QString shown = text;
    if (shown.endsWith(QLatin1StringView("\r\n")))
        shown.chop(2);
    else if (shown.endsWith(u'\n'))
        shown.chop(1);
    const bool variable = shown.isEmpty() || variableTexts.contains(shown);
    if (variable && !shown.isEmpty())
        FVariable->setCurrentIndex(int(variableTexts.indexOf(shown)));
    if (!variable)
        FFreeText->setPlainText(shown);
    (variable ? FVariableChoice : FTextChoice)->setChecked(true);
}

QString TfrxSysMemoEditorForm::Text() const
{
    if (FAggregateChoice->isChecked())
        return u'[' + AggregateText() + u']';
    if (FVariableChoice->isChecked())
        return FVariable->currentText();
    return FFreeText->toPlainText();
}

void TfrxSysMemoEditorForm::UpdateControls()
{
    FVariable->setEnabled(FVariableChoice->isChecked());
    FFreeText->setEnabled(FTextChoice->isChecked());
    FAggregate->setEnabled(FAggregateChoice->isChecked());
    const bool takesArgument = FFunction->currentText() != count;
    for (QWidget *w : std::initializer_list<QWidget *>{FDataSet, FField, FExpression})
        w->setEnabled(takesArgument);
    const bool band = !FBand->currentText().isEmpty();
    FCountInvisible->setEnabled(band);
    FRunningTotal->setEnabled(band);
    FSample->setText(u'[' + AggregateText() + u']');
}

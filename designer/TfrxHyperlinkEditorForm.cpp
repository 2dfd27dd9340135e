#include "TfrxHyperlinkEditorForm.h"

#include "TfrxCustomDesigner.h"
#include "TfrxHyperlink.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "zorDialogKit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace zor;

namespace {

// Each kind with its caption, the heading and the prompt of its value, and whether it names a
// detail report or a detail page.
struct KindEntry
{
    TfrxHyperlinkKind kind;
    const char *caption;
    const char *heading;
    const char *prompt;
    bool namesReport;
    bool namesPage;
};

const KindEntry kinds[] = {
    {hkURL, "6202", "6218", "6209", false, false},
    {hkPageNumber, "6203", "6219", "6210", false, false},
    {hkAnchor, "6204", "6220", "6211", false, false},
    {hkDetailReport, "6205", "6221", "6224", true, false},
    {hkDetailPage, "6206", "6222", "6224", false, true},
    {hkCustom, "6207", "6223", "6215", false, false},
};

template <class T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1StringView(name));
    return widget;
}

} // namespace

TfrxHyperlinkEditorForm::TfrxHyperlinkEditorForm(TfrxCustomDesigner &designer, const TfrxHyperlink &hyperlink,
                                                 QWidget *parent)
    : QDialog(parent), FDesigner(designer)
{
    setWindowTitle(zorText("6200"));
    auto *kindGroup = new QGroupBox(zorText("6201"), this);
    FKinds = named(new QListWidget(kindGroup), "KindLB");
    for (const KindEntry &entry : kinds)
        FKinds->addItem(zorText(entry.caption));
    FKinds->setMaximumWidth(FKinds->sizeHintForColumn(0) + 4 * FKinds->frameWidth() + 16);
    auto *kindLayout = new QVBoxLayout(kindGroup);
    kindLayout->addWidget(FKinds);

    auto *top = new QHBoxLayout;
    top->addWidget(kindGroup);
    top->addWidget(PropertiesPart(), 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(zorOkCancelButtons(this));

    const auto found = std::find_if(std::begin(kinds), std::end(kinds),
                                    [&hyperlink](const KindEntry &e) { return e.kind == hyperlink.Kind(); });
    FReport->setText(hyperlink.DetailReport());
    FPage->setCurrentText(hyperlink.DetailPage());
    FVariable->setText(hyperlink.ReportVariable());
    FValue->setText(hyperlink.Value());
    FExpression->setText(hyperlink.Expression());
    (hyperlink.Expression().isEmpty() ? FValueChoice : FExpressionChoice)->setChecked(true);
    connect(FKinds, &QListWidget::currentRowChanged, this, &TfrxHyperlinkEditorForm::KindChosen);
    FKinds->setCurrentRow(found == std::end(kinds) ? 0 : int(found - std::begin(kinds)));
}

QWidget *TfrxHyperlinkEditorForm::PropertiesPart()
{
    auto *group = new QGroupBox(zorText("6208"), this);
    FHeader = named(new QLabel(group), "HeadingL");
    QFont bold = FHeader->font();
    bold.setBold(true);
    FHeader->setFont(bold);
    FReportLabel = new QLabel(zorText("6212"), group);
    FReport = named(new QLineEdit(group), "ReportE");
    FPageLabel = new QLabel(zorText("6214"), group);
    FPage = named(new QComboBox(group), "PageCB");
    FPage->setEditable(true);
    for (const TfrxComponent *object : FDesigner.Report().Objects())
        if (qobject_cast<const TfrxReportPage *>(object) != nullptr)
            FPage->addItem(object->Name());
    FVariableLabel = new QLabel(zorText("6213"), group);
    FVariable = named(new QLineEdit(group), "VariableE");
    FValuePrompt = named(new QLabel(group), "PromptL");
    FValueChoice = named(new QRadioButton(zorText("6217"), group), "ValueRB");
    FValue = named(new QLineEdit(group), "ValueE");
    FExpressionChoice = named(new QRadioButton(zorText("6216"), group), "ExpressionRB");
    FExpression = named(new QLineEdit(group), "ExpressionE");
    QToolButton *expressionButton = zorExpressionButton(QStringLiteral("ExpressionB"), group);
    FExpressionButton = expressionButton;
    auto *choices = new QButtonGroup(group);
    choices->addButton(FValueChoice);
    choices->addButton(FExpressionChoice);

    auto *grid = new QGridLayout(group);
    grid->addWidget(FHeader, 0, 0, 1, 3);
    grid->addWidget(FReportLabel, 1, 0);
    grid->addWidget(FReport, 1, 1, 1, 2);
    grid->addWidget(FPageLabel, 2, 0);
    grid->addWidget(FPage, 2, 1, 1, 2);
    grid->addWidget(FVariableLabel, 3, 0);
    grid->addWidget(FVariable, 3, 1, 1, 2);
    grid->addWidget(FValuePrompt, 4, 0, 1, 3);
    grid->addWidget(FValueChoice, 5, 0);
    grid->addWidget(FValue, 5, 1, 1, 2);
    grid->addWidget(FExpressionChoice, 6, 0);
    grid->addWidget(FExpression, 6, 1);
    grid->addWidget(expressionButton, 6, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(7, 1);

    connect(choices, &QButtonGroup::buttonToggled, this, [this] {
        FValue->setEnabled(FValueChoice->isChecked());
        FExpression->setEnabled(FExpressionChoice->isChecked());
        FExpressionButton->setEnabled(FExpressionChoice->isChecked());
    });
    connect(expressionButton, &QToolButton::clicked, this, &TfrxHyperlinkEditorForm::EditExpression);
    return group;
}

void TfrxHyperlinkEditorForm::KindChosen()
{
    const KindEntry &entry = kinds[std::max(FKinds->currentRow(), 0)];
    FHeader->setText(zorText(entry.heading));
    FValuePrompt->setText(zorText(entry.prompt));
    FReportLabel->setVisible(entry.namesReport);
    FReport->setVisible(entry.namesReport);
    FPageLabel->setVisible(entry.namesPage);
    FPage->setVisible(entry.namesPage);
    FVariableLabel->setVisible(entry.namesReport || entry.namesPage);
    FVariable->setVisible(entry.namesReport || entry.namesPage);
}

void TfrxHyperlinkEditorForm::EditExpression()
{
    const QString expression = FDesigner.InsertExpression(FExpression->text());
    if (!expression.isEmpty())
        FExpression->setText(expression);
}

void TfrxHyperlinkEditorForm::Store(TfrxHyperlink &hyperlink) const
{
    const KindEntry &entry = kinds[std::max(FKinds->currentRow(), 0)];
    const bool byExpression = FExpressionChoice->isChecked();
    hyperlink.SetKind(entry.kind);
    hyperlink.SetValue(byExpression ? QString() : FValue->text());
    hyperlink.SetExpression(byExpression ? FExpression->text() : QString());
    hyperlink.SetDetailReport(entry.namesReport ? FReport->text() : QString());
    hyperlink.SetDetailPage(entry.namesPage ? FPage->currentText() : QString());
    hyperlink.SetReportVariable(entry.namesReport || entry.namesPage ? FVariable->text() : QString());
}

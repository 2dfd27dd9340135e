#include "TfrxEvaluateForm.h"

#include "zorDialogKit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

TfrxEvaluateForm::TfrxEvaluateForm(QWidget *parent, const QString &expression, Evaluator evaluate)
    : QDialog(parent), FEvaluate(std::move(evaluate)), FExpression(new QLineEdit(expression, this))
{
    setObjectName(QStringLiteral("TfrxEvaluateForm"));
    setWindowTitle(zorText(FEvaluate ? "5500" : "5903"));
    FExpression->setObjectName(QStringLiteral("ExpressionE"));
    FExpression->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    auto *layout = new QFormLayout(this);
    layout->addRow(zorText("5501"), FExpression);
    if (FEvaluate) {
        FResult = new QLineEdit(this);
        FResult->setObjectName(QStringLiteral("ResultE"));
        FResult->setReadOnly(true);
        layout->addRow(zorText("5502"), FResult);
    } else {
        layout->addRow(static_cast<QWidget *>(zorOkCancelButtons(this)));
    }
    connect(FExpression, &QLineEdit::returnPressed, this, &TfrxEvaluateForm::ExpressionEntered);
}

QString TfrxEvaluateForm::Expression() const
{
    return FExpression->text();
}

QString TfrxEvaluateForm::Result() const
{
    return FResult != nullptr ? FResult->text() : QString();
}

void TfrxEvaluateForm::ExpressionEntered()
{
    if (!FEvaluate) {
        accept();
        return;
    }
    FResult->setText(FEvaluate(FExpression->text()));
}

#include "TfrxExpressionEdit.h"

#include "TfrxCustomDesigner.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

TfrxExpressionEdit::TfrxExpressionEdit(TfrxCustomDesigner &designer, QWidget *parent)
    : QWidget(parent), FDesigner(designer), FEdit(new QLineEdit(this)), FButton(new QToolButton(this))
{
    FButton->setText(QStringLiteral("..."));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FEdit, 1);
    layout->addWidget(FButton);
    setFocusProxy(FEdit);
    connect(FButton, &QToolButton::clicked, this, &TfrxExpressionEdit::EditExpression);
}

QString TfrxExpressionEdit::Text() const
{
    return FEdit->text();
}

void TfrxExpressionEdit::SetText(const QString &text)
{
    FEdit->setText(text);
}

void TfrxExpressionEdit::EditExpression()
{
    const QString result = FDesigner.InsertExpression(FEdit->text());
    if (!result.isEmpty())
        FEdit->setText(result);
}

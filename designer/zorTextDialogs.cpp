// Entry points of the text editor family of dialogs: each opens its dialog modally over the
// designer window and changes the object only when the dialog is closed with OK.
#include "zorEditorDialogs.h"

#include "TfrxCustomDesigner.h"
#include "TfrxCustomMemoView.h"
#include "TfrxExprEditorForm.h"
#include "TfrxFormatEditorForm.h"
#include "TfrxHyperlink.h"
#include "TfrxHyperlinkEditorForm.h"
#include "TfrxMemoEditorForm.h"
#include "TfrxStringsEditorForm.h"
#include "TfrxSysMemoEditorForm.h"

bool zorEditMemo(TfrxCustomDesigner &designer, TfrxCustomMemoView *memo)
{
    TfrxMemoEditorForm form(designer, *memo, designer.DialogParent());
    return form.exec() == QDialog::Accepted;
}

bool zorEditDisplayFormat(TfrxCustomDesigner &designer, TfrxCustomMemoView *memo)
{
    TfrxFormatEditorForm form(*memo, designer.DialogParent());
    return form.exec() == QDialog::Accepted;
}

bool zorEditSysMemo(TfrxCustomDesigner &designer, TfrxCustomMemoView *memo)
{
    TfrxSysMemoEditorForm form(designer, TfrxSysMemoEditorForm::SystemText, designer.DialogParent());
    form.SetText(memo->Text());
    if (form.exec() != QDialog::Accepted)
        return false;
    memo->SetText(form.Text());
    return true;
}

QString zorEditAggregate(TfrxCustomDesigner &designer)
{
    TfrxSysMemoEditorForm form(designer, TfrxSysMemoEditorForm::AggregateOnly, designer.DialogParent());
    return form.exec() == QDialog::Accepted ? form.Text() : QString();
}

QString zorEditExpression(TfrxCustomDesigner &designer, const QString &text)
{
    TfrxExprEditorForm form(designer, designer.DialogParent());
    form.SetExpression(text);
    return form.exec() == QDialog::Accepted ? form.Expression() : QString();
}

bool zorEditHyperlink(TfrxCustomDesigner &designer, TfrxHyperlink *hyperlink)
{
    TfrxHyperlinkEditorForm form(designer, *hyperlink, designer.DialogParent());
    if (form.exec() != QDialog::Accepted)
        return false;
    form.Store(*hyperlink);
    return true;
}

bool zorEditLines(QWidget *parent, QStringList &lines)
{
    TfrxStringsEditorForm form(lines, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    lines = form.Lines();
    return true;
}

#include "TfrxDesignerSearch.h"

#include "TfrxCustomDesigner.h"
#include "TfrxCustomMemoView.h"
#include "TfrxSearchDialog.h"
#include "TfrxSyntaxMemo.h"
#include "zorDialogKit.h"

#include <QMessageBox>
#include <QPushButton>

TfrxDesignerSearch::TfrxDesignerSearch(TfrxCustomDesigner &designer, TfrxSyntaxMemo &memo)
    : FDesigner(designer), FMemo(memo)
{
}

bool TfrxDesignerSearch::Start(bool replace)
{
    const bool code = FDesigner.Page() == nullptr;
    TfrxSearchDialog dialog(FDesigner.DialogParent(), replace);
    dialog.SetFromTopEnabled(code);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    FText = dialog.Text();
    FReplaceWith = dialog.ReplaceText();
    FCaseSensitive = dialog.CaseSensitive();
    FReplace = replace;
    FActive = true;
    FPosition = code && !dialog.FromTop() ? FMemo.GetPlainPos() : 0;
    FindNext();
    return true;
}

void TfrxDesignerSearch::FindNext()
{
    if (!FActive || FText.isEmpty())
        return;
    FReplaceAll = false;
    const bool found = FDesigner.Page() == nullptr ? StepInScript() : StepOnPage();
    if (!found)
        ShowNotFound();
}

bool TfrxDesignerSearch::StepOnPage()
{
    bool found = false;
    QList<TfrxComponent *> &objects = FDesigner.Objects();
    for (; FPosition < objects.size(); ++FPosition) {
        auto *memo = qobject_cast<TfrxCustomMemoView *>(objects.at(FPosition));
        if (memo == nullptr || !memo->Text().contains(FText, Case()))
            continue;
        found = true;
        FDesigner.SelectedObjects() = {memo};
        FDesigner.SelectionChanged();
        if (!FReplace || !MayReplace()) {
            ++FPosition;
            return true;
        }
        memo->SetText(memo->Text().replace(FText, FReplaceWith, Case()));
        FDesigner.SetModified(true);
        if (!FReplaceAll) {
            ++FPosition;
            return true;
        }
    }
    return found;
}

bool TfrxDesignerSearch::StepInScript()
{
    bool found = false;
    while (FMemo.Find(FText, FCaseSensitive, FPosition)) {
        found = true;
        if (!FReplace || !MayReplace())
            return true;
        FMemo.SetSelText(FReplaceWith);
        // Behind the inserted text: a replacement that holds the search text is not found again.
        FPosition = FMemo.GetPlainPos();
        FDesigner.SetModified(true);
        if (!FReplaceAll)
            return true;
    }
    return found;
}

bool TfrxDesignerSearch::MayReplace()
{
    if (FReplaceAll)
        return true;
    switch (AskReplace()) {
    case Yes:
        return true;
    case All:
        FReplaceAll = true;
        return true;
    case No:
    case Cancel:
        break;
    }
    return false;
}

TfrxDesignerSearch::Answer TfrxDesignerSearch::AskReplace() const
{
    QMessageBox box(QMessageBox::Question, QString(), zorText("dsReplace", {FText}),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::YesToAll,
                    FDesigner.DialogParent());
    box.setObjectName(QStringLiteral("ReplaceQuestion"));
    box.button(QMessageBox::Cancel)->setText(zorText("2"));
    box.button(QMessageBox::YesToAll)->setText(zorText("3"));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::YesToAll:
        return All;
    default:
        return Cancel;
    }
}

void TfrxDesignerSearch::ShowNotFound() const
{
    QMessageBox box(QMessageBox::Information, QString(), zorText("dsTextNotFound", {FText}), QMessageBox::Ok,
                    FDesigner.DialogParent());
    box.setObjectName(QStringLiteral("NotFoundMessage"));
    box.button(QMessageBox::Ok)->setText(zorText("1"));
    box.exec();
}

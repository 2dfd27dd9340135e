#include "TfrxViewEditors.h"

#include "TfrxCollection.h"
#include "TfrxCollectionItem.h"
#include "TfrxCustomDesigner.h"
#include "TfrxCustomMemoView.h"
#include "TfrxHyperlink.h"
#include "TfrxLineView.h"
#include "TfrxPictureView.h"
#include "TfrxResources.h"
#include "zorEditorDialogs.h"

using namespace zor;

namespace {

// The selected objects of class T that may be modified.
template <class T> QList<T *> Modifiable(const QList<TfrxComponent *> &objects)
{
    QList<T *> result;
    for (TfrxComponent *object : objects) {
        auto *typed = qobject_cast<T *>(object);
        if (typed != nullptr && !object->Restrictions().testFlag(rfDontModify))
            result.append(typed);
    }
    return result;
}

void CopyFormats(const TfrxCustomMemoView &source, TfrxCustomMemoView &target)
{
    target.Formats()->Clear();
    for (const TfrxCollectionItem *format : source.Formats()->Items())
        target.Formats()->Add()->Assign(format);
}

TfrxMenuSwitch Separator()
{
    return {};
}

} // namespace

// ---- every view ----

QList<TfrxComponent *> TfrxViewEditor::Targets() const
{
    return Designer().SelectedObjects();
}

QList<TfrxMenuSwitch> TfrxViewEditor::ViewSwitches()
{
    return {
        zorModeSwitch<TfrxView>("mvShift", 51, &TfrxView::ShiftMode, &TfrxView::SetShiftMode, smAlways,
                                smDontShift),
        zorModeSwitch<TfrxView>("mvShiftOver", 52, &TfrxView::ShiftMode, &TfrxView::SetShiftMode,
                                smWhenOverlapped, smDontShift),
        zorFlagSwitch<TfrxView>("mvVisible", 53, &TfrxComponent::Visible, &TfrxComponent::SetVisible),
        zorFlagSwitch<TfrxView>("mvPrintable", 54, &TfrxView::Printable, &TfrxView::SetPrintable),
    };
}

// ---- text objects ----

bool TfrxCustomMemoEditor::Edit()
{
    return zorEditMemo(Designer(), qobject_cast<TfrxCustomMemoView *>(Component()));
}

std::span<const TfrxCustomMemoEditor::Command> TfrxCustomMemoEditor::Commands()
{
    static const Command commands[] = {
        {"mvFormat", 1, &TfrxCustomMemoEditor::EditFormat},
        {"mvHyperlink", 50, &TfrxCustomMemoEditor::EditHyperlink},
        {"mvClear", 2, &TfrxCustomMemoEditor::ClearContents},
    };
    return commands;
}

QList<TfrxMenuItem> TfrxCustomMemoEditor::GetMenuItems() const
{
    QList<TfrxMenuItem> items;
    for (const Command &command : Commands())
        items.append({zorResources().Get(QLatin1String(command.Key)), command.Tag});
    return items + TfrxViewEditor::GetMenuItems();
}

bool TfrxCustomMemoEditor::Execute(int tag, bool checked)
{
    for (const Command &command : Commands()) {
        if (command.Tag == tag)
            return (this->*command.Run)();
    }
    return TfrxViewEditor::Execute(tag, checked);
}

QList<TfrxMenuSwitch> TfrxCustomMemoEditor::Switches() const
{
    using Memo = TfrxCustomMemoView;
    return QList<TfrxMenuSwitch>{
               Separator(),
               zorFlagSwitch<Memo>("mvAutoWidth", 3, &Memo::AutoWidth, &Memo::SetAutoWidth),
               zorFlagSwitch<Memo>("mvWWrap", 4, &Memo::WordWrap, &Memo::SetWordWrap),
               zorFlagSwitch<Memo>("mvSuppress", 5, &Memo::SuppressRepeated, &Memo::SetSuppressRepeated),
               zorFlagSwitch<Memo>("mvHideZ", 6, &Memo::HideZeros, &Memo::SetHideZeros),
               zorFlagSwitch<Memo>("mvExpr", 7, &Memo::AllowExpressions, &Memo::SetAllowExpressions),
               zorFlagSwitch<Memo>("mvHTML", 8, &Memo::AllowHTMLTags, &Memo::SetAllowHTMLTags),
               Separator(),
               zorModeSwitch<Memo>("mvStretch", 40, &Memo::StretchMode, &Memo::SetStretchMode, smActualHeight,
                                   smDontStretch),
               zorModeSwitch<Memo>("mvStretchToMax", 41, &Memo::StretchMode, &Memo::SetStretchMode,
                                   smMaxHeight, smDontStretch),
           } +
           ViewSwitches();
}

// The formats come from the dialog on one text object and go to every selected one.
bool TfrxCustomMemoEditor::EditFormat()
{
    const QList<TfrxCustomMemoView *> memos = Modifiable<TfrxCustomMemoView>(Targets());
    auto *memo = qobject_cast<TfrxCustomMemoView *>(Component());
    if (!memos.contains(memo))
        memo = memos.value(0);
    if (memo == nullptr || !zorEditDisplayFormat(Designer(), memo))
        return false;
    for (TfrxCustomMemoView *other : memos) {
        if (other != memo)
            CopyFormats(*memo, *other);
    }
    return true;
}

// The hyperlink is edited on a copy, then given to every selected view.
bool TfrxCustomMemoEditor::EditHyperlink()
{
    const QList<TfrxView *> views = Modifiable<TfrxView>(Targets());
    const auto *memo = qobject_cast<TfrxView *>(Component());
    if (views.isEmpty() || memo == nullptr)
        return false;
    TfrxHyperlink hyperlink;
    hyperlink.Assign(memo->Hyperlink());
    if (!zorEditHyperlink(Designer(), &hyperlink))
        return false;
    for (TfrxView *view : views)
        view->Hyperlink()->Assign(&hyperlink);
    return true;
}

bool TfrxCustomMemoEditor::ClearContents()
{
    bool changed = false;
    for (TfrxCustomMemoView *memo : Modifiable<TfrxCustomMemoView>(Targets())) {
        if (memo->Memo().isEmpty())
            continue;
        memo->SetMemo({});
        changed = true;
    }
    return changed;
}

bool TfrxSysMemoEditor::Edit()
{
    return zorEditSysMemo(Designer(), qobject_cast<TfrxCustomMemoView *>(Component()));
}

// ---- lines and pictures ----

QList<TfrxMenuSwitch> TfrxLineEditor::Switches() const
{
    using Line = TfrxCustomLineView;
    return QList<TfrxMenuSwitch>{
               zorFlagSwitch<TfrxLineView>("lvDiagonal", 0, &Line::Diagonal, &Line::SetDiagonal),
               zorModeSwitch<Line>("mvStretch", 1, &Line::StretchMode, &Line::SetStretchMode, smMaxHeight,
                                   smDontStretch),
           } +
           ViewSwitches();
}

bool TfrxPictureEditor::Edit()
{
    return zorEditPicture(Designer(), qobject_cast<TfrxPictureView *>(Component()));
}

QList<TfrxMenuSwitch> TfrxPictureEditor::Switches() const
{
    using Picture = TfrxPictureView;
    return QList<TfrxMenuSwitch>{
               zorFlagSwitch<Picture>("pvAutoSize", 0, &Picture::AutoSize, &Picture::SetAutoSize),
               zorFlagSwitch<Picture>("mvStretch", 1, &Picture::Stretched, &Picture::SetStretched),
               zorFlagSwitch<Picture>("pvCenter", 2, &Picture::Center, &Picture::SetCenter),
               zorFlagSwitch<Picture>("pvAspect", 3, &Picture::KeepAspectRatio, &Picture::SetKeepAspectRatio),
               Separator(),
           } +
           ViewSwitches();
}

#include "TfrxHighlight.h"

#include "TfrxBrushFill.h"
#include "TfrxCustomFill.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"

using namespace zor;

TfrxHighlight::TfrxHighlight(QObject *parent)
    : TfrxCollectionItem(parent), FFont(new TfrxFont(this)), FFill(zorCreateFill(ftBrush, this)),
      FFrame(new TfrxFrame(this))
{
    FFont->SetName(QStringLiteral("Arial"));
    FFont->SetSize(10);
    FFont->SetColor(clRed);
}

void TfrxHighlight::SetFont(TfrxFont *value)
{
    if (value != nullptr)
        FFont->Assign(value);
}

int TfrxHighlight::Color() const
{
    const auto *brush = qobject_cast<const TfrxBrushFill *>(FFill);
    return brush != nullptr ? brush->BackColor() : clTransparent;
}

void TfrxHighlight::SetColor(int value)
{
    if (auto *brush = qobject_cast<TfrxBrushFill *>(FFill))
        brush->SetBackColor(value);
}

TfrxFillType TfrxHighlight::FillType() const
{
    return zorGetFillType(FFill);
}

void TfrxHighlight::SetFillType(TfrxFillType value)
{
    if (value == FillType())
        return;
    delete FFill;
    FFill = zorCreateFill(value, this);
}

void TfrxHighlight::SetFill(TfrxCustomFill *value)
{
    if (value == nullptr || value == FFill)
        return;
    SetFillType(zorGetFillType(value));
    FFill->Assign(value);
}

void TfrxHighlight::SetFrame(TfrxFrame *value)
{
    if (value != nullptr)
        FFrame->Assign(value);
}

void TfrxHighlight::Assign(const TfrxPersistent *source)
{
    const auto *h = qobject_cast<const TfrxHighlight *>(source);
    if (h == nullptr || h == this)
        return;
    FActive = h->FActive;
    FApplyFont = h->FApplyFont;
    FApplyFill = h->FApplyFill;
    FApplyFrame = h->FApplyFrame;
    FFont->Assign(h->FFont);
    FCondition = h->FCondition;
    SetFill(h->FFill);
    FFrame->Assign(h->FFrame);
    FVisible = h->FVisible;
}

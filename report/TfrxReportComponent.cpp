#include "TfrxReportComponent.h"

TfrxReportComponent::TfrxReportComponent(QObject *owner) : TfrxComponent(owner) {}

void TfrxReportComponent::BeforePrint()
{
    SetOriginalRect({Left(), Top(), Left() + Width(), Top() + Height()});
}

void TfrxReportComponent::AfterPrint()
{
    const TfrxRect r = OriginalRect();
    SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

QRectF TfrxReportComponent::GetRealBounds() const
{
    return QRectF(AbsLeft(), AbsTop(), Width(), Height());
}

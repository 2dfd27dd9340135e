#include "TfrxDialogComponent.h"

using namespace zor;

TfrxDialogComponent::TfrxDialogComponent(QObject *owner) : TfrxReportComponent(owner)
{
    SetComponentStyle(ComponentStyle() & ~TfrxComponentStyle(csPreviewVisible));
    SetWidth(28);
    SetHeight(28);
}

void TfrxDialogComponent::Draw(QPainter *, double, double, double, double) {}

#include "TfrxLineView.h"

TfrxLineView::TfrxLineView(QObject *owner) : TfrxCustomLineView(owner) {}

void TfrxLineView::DesignCreate(int flags)
{
    TfrxCustomLineView::DesignCreate(flags);
    SetDiagonal(flags != 0);
    SetArrowEnd(flags == 2 || flags == 4);
    SetArrowStart(flags == 3 || flags == 4);
}

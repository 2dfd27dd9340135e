#include "TfrxLineView.h"

TfrxLineView::TfrxLineView(QObject *owner) : TfrxCustomLineView(owner) {}

#include "TfrxMemoView.h"

TfrxMemoView::TfrxMemoView(QObject *owner) : TfrxCustomMemoView(owner) {}

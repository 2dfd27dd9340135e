#include "TfrxSysMemoView.h"

TfrxSysMemoView::TfrxSysMemoView(QObject *owner) : TfrxMemoView(owner) {}

QString TfrxSysMemoView::GetDescription() const
{
    return QStringLiteral("System text");
}

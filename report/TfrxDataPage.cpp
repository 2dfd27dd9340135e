#include "TfrxDataPage.h"

TfrxDataPage::TfrxDataPage(QObject *owner) : TfrxPage(owner)
{
    SetWidth(1000);
    SetHeight(1000);
}

QString TfrxDataPage::GetDescription() const
{
    return QStringLiteral("Data page");
}

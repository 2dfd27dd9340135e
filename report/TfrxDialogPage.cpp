#include "TfrxDialogPage.h"

using namespace zor;

TfrxDialogPage::TfrxDialogPage(QObject *owner) : TfrxPage(owner)
{
    SetComponentStyle(ComponentStyle() & ~TfrxComponentStyle(csPreviewVisible));
}

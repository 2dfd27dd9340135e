#include "TfrxPage.h"

TfrxPage::TfrxPage(QObject *owner) : TfrxComponent(owner) {}

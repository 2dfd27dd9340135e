#include "TfrxVariable.h"

TfrxVariable::TfrxVariable(QObject *parent) : TfrxCollectionItem(parent) {}

#include "TfrxFillGaps.h"

TfrxFillGaps::TfrxFillGaps(QObject *parent) : TfrxPersistent(parent) {}

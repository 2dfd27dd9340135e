#include "TfrxPersistent.h"

#include "TfrxProperties.h"

TfrxPersistent::TfrxPersistent(QObject *parent) : QObject(parent) {}

void TfrxPersistent::Assign(const TfrxPersistent *source)
{
    if (source != nullptr && source != this)
        TfrxProperties::CopyValues(source, this);
}

bool TfrxPersistent::IsPropertyStored(const char *) const
{
    return true;
}

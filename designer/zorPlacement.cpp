#include "zorPlacement.h"

#include "TfrxBand.h"
#include "TfrxView.h"

namespace zor {

bool IsPlaced(const TfrxComponent *object)
{
    return qobject_cast<const TfrxBand *>(object) != nullptr ||
           qobject_cast<const TfrxView *>(object) != nullptr;
}

bool ChangeCoordinate(TfrxComponent *object, const TfrxCoordinate &coordinate, double value)
{
    if (object->Restrictions().testFlag(coordinate.Guard) || !FloatDiff((object->*coordinate.Get)(), value))
        return false;
    (object->*coordinate.Set)(value);
    return true;
}

} // namespace zor

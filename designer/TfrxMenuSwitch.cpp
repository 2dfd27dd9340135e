#include "TfrxMenuSwitch.h"

#include "TfrxBand.h"

#include <algorithm>

bool TfrxMenuSwitch::Offered(const TfrxComponent *object) const
{
    if (IsSeparator() || object == nullptr || !object->metaObject()->inherits(Class))
        return false;
    const auto lacks = [object](const QMetaObject *cls) { return object->metaObject()->inherits(cls); };
    if (std::any_of(NotFor.begin(), NotFor.end(), lacks))
        return false;
    const auto *band = qobject_cast<const TfrxBand *>(object);
    return !(HorizontalOnly && band != nullptr && band->Vertical());
}

bool TfrxMenuSwitch::IsOn(const TfrxComponent *object) const
{
    return Offered(object) && Get(object) == On;
}

bool TfrxMenuSwitch::Apply(const QList<TfrxComponent *> &objects, bool checked) const
{
    const int value = checked ? On : Off;
    bool changed = false;
    for (TfrxComponent *object : objects) {
        if (!Offered(object) || object->Restrictions().testFlag(zor::rfDontModify) || Get(object) == value)
            continue;
        Set(object, value);
        changed = true;
    }
    return changed;
}

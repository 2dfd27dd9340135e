#pragma once

#include <QList>

#include <functional>
#include <type_traits>

struct QMetaObject;
class TfrxComponent;

// One check item of an object's context menu: a switch of one property of the objects of a class.
// Its check mark shows whether the property holds On; choosing it writes On when checked and Off
// when not.
struct TfrxMenuSwitch
{
    const char *Key = "-"; // string-table key of the caption; "-" for a separator
    int Tag = -1;
    const QMetaObject *Class = nullptr;
    std::function<int(const TfrxComponent *)> Get;
    std::function<void(TfrxComponent *, int)> Set;
    int On = 1;
    int Off = 0;
    // Classes of the family that lack the switch (a page header cannot split).
    QList<const QMetaObject *> NotFor;
    // A vertical band lacks the switch.
    bool HorizontalOnly = false;

    bool IsSeparator() const { return Tag < 0; }
    // Whether the object's menu offers the switch.
    bool Offered(const TfrxComponent *object) const;
    bool IsOn(const TfrxComponent *object) const;
    // Writes On (checked) or Off into every object that offers the switch and may be modified;
    // whether any value changed.
    bool Apply(const QList<TfrxComponent *> &objects, bool checked) const;
};

// A switch of a Boolean property of the objects of class C (declared in C or its base B).
template <class C, class B>
TfrxMenuSwitch zorFlagSwitch(const char *key, int tag, bool (B::*get)() const, void (B::*set)(bool),
                             QList<const QMetaObject *> notFor = {})
{
    static_assert(std::is_base_of_v<B, C>);
    return {key,
            tag,
            &C::staticMetaObject,
            [get](const TfrxComponent *c) { return int((static_cast<const C *>(c)->*get)()); },
            [set](TfrxComponent *c, int value) { (static_cast<C *>(c)->*set)(value != 0); },
            1,
            0,
            std::move(notFor)};
}

// A switch between two values of an enumerated property of the objects of class C.
template <class C, class B, class E>
TfrxMenuSwitch zorModeSwitch(const char *key, int tag, E (B::*get)() const, void (B::*set)(E), E on, E off)
{
    static_assert(std::is_base_of_v<B, C>);
    return {key,
            tag,
            &C::staticMetaObject,
            [get](const TfrxComponent *c) { return int((static_cast<const C *>(c)->*get)()); },
            [set](TfrxComponent *c, int value) { (static_cast<C *>(c)->*set)(E(value)); },
            int(on),
            int(off),
            {},
            false};
}

// The same switch, left out for vertical bands.
inline TfrxMenuSwitch zorHorizontalOnly(TfrxMenuSwitch item)
{
    item.HorizontalOnly = true;
    return item;
}

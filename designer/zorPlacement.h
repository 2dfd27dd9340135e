#pragma once

#include "TfrxComponent.h"

namespace zor {

// Bands and views: the objects the operator places on a page and that the designer's commands
// move, size and reorder. The page and the report, which the selection may also hold, are not.
bool IsPlaced(const TfrxComponent *object);

// One coordinate of an object, with the restriction that keeps the designer's commands from
// changing it.
struct TfrxCoordinate
{
    double (TfrxComponent::*Get)() const;
    void (TfrxComponent::*Set)(double);
    TfrxRestriction Guard;
};

inline constexpr TfrxCoordinate LeftCoordinate{&TfrxComponent::Left, &TfrxComponent::SetLeft, rfDontMove};
inline constexpr TfrxCoordinate TopCoordinate{&TfrxComponent::Top, &TfrxComponent::SetTop, rfDontMove};
inline constexpr TfrxCoordinate WidthCoordinate{&TfrxComponent::Width, &TfrxComponent::SetWidth, rfDontSize};
inline constexpr TfrxCoordinate HeightCoordinate{&TfrxComponent::Height, &TfrxComponent::SetHeight,
                                                 rfDontSize};

// Sets the coordinate unless the object is restricted from it. Returns whether the value changed
// (by more than the 0.0001 within which two coordinates are the same), so that a command that
// changes nothing records no undo step.
bool ChangeCoordinate(TfrxComponent *object, const TfrxCoordinate &coordinate, double value);

} // namespace zor

#include "TfrxNearestObject.h"

#include "TfrxHitTester.h"
#include "TfrxView.h"

#include <QLineF>

#include <limits>
#include <utility>

TfrxNearestObject::TfrxNearestObject(const TfrxComponent *from, QPoint direction)
    : FFrom(from), FDirection(direction)
{
}

bool TfrxNearestObject::IsCandidate(const TfrxComponent *candidate) const
{
    return candidate != FFrom && qobject_cast<const TfrxView *>(candidate) != nullptr &&
           Ahead(candidate) >= 0;
}

// The gap between the selected object's leading edge and the candidate's near edge.
double TfrxNearestObject::Ahead(const TfrxComponent *candidate) const
{
    const QRectF from = TfrxHitTester::Bounds(FFrom), to = TfrxHitTester::Bounds(candidate);
    if (FDirection.x() > 0)
        return to.left() - from.right();
    if (FDirection.x() < 0)
        return from.left() - to.right();
    if (FDirection.y() > 0)
        return to.top() - from.bottom();
    return from.top() - to.bottom();
}

bool TfrxNearestObject::InStrip(const TfrxComponent *candidate) const
{
    const QRectF from = TfrxHitTester::Bounds(FFrom), to = TfrxHitTester::Bounds(candidate);
    if (FDirection.x() != 0)
        return to.top() < from.bottom() && to.bottom() > from.top();
    return to.left() < from.right() && to.right() > from.left();
}

TfrxComponent *TfrxNearestObject::Find(const QList<TfrxComponent *> &candidates) const
{
    // Objects in the strip rank before all others: the first member of the key says which.
    std::pair<int, double> best{2, std::numeric_limits<double>::max()};
    TfrxComponent *found = nullptr;
    const QPointF centre = TfrxHitTester::Bounds(FFrom).center();
    for (TfrxComponent *candidate : candidates) {
        if (!IsCandidate(candidate))
            continue;
        const std::pair<int, double> key =
            InStrip(candidate)
                ? std::pair{0, Ahead(candidate)}
                : std::pair{1, QLineF(centre, TfrxHitTester::Bounds(candidate).center()).length()};
        if (key < best) {
            best = key;
            found = candidate;
        }
    }
    return found;
}

TfrxComponent *TfrxNearestObject::FindInStrip(const QList<TfrxComponent *> &candidates) const
{
    double best = std::numeric_limits<double>::max();
    TfrxComponent *found = nullptr;
    for (TfrxComponent *candidate : candidates) {
        if (IsCandidate(candidate) && InStrip(candidate) && Ahead(candidate) < best) {
            best = Ahead(candidate);
            found = candidate;
        }
    }
    return found;
}

void TfrxNearestObject::SlideTo(TfrxComponent *object, const TfrxComponent *other) const
{
    const QRectF to = TfrxHitTester::Bounds(other);
    const QRectF own = TfrxHitTester::Bounds(object);
    if (FDirection.x() > 0)
        object->SetLeft(object->Left() + to.left() - own.width() - own.left());
    else if (FDirection.x() < 0)
        object->SetLeft(object->Left() + to.right() - own.left());
    else if (FDirection.y() > 0)
        object->SetTop(object->Top() + to.top() - own.height() - own.top());
    else
        object->SetTop(object->Top() + to.bottom() - own.top());
}

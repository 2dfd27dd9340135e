#include "TfrxScaleOperation.h"

#include "TfrxComponent.h"

#include <algorithm>

namespace {

// Bounds without width (or height), such as those of straight lines, keep that size: there is
// no ratio to scale by.
double Ratio(double now, double before)
{
    return before == 0 ? 1 : now / before;
}

} // namespace

TfrxScaleOperation::TfrxScaleOperation(const QList<TfrxComponent *> &leaders, const QRectF &bounds)
    : FLeaders(leaders), FBounds(bounds), FCorner(bounds.bottomRight())
{
    for (TfrxComponent *object : leaders)
        FOriginal.insert(object,
                         QRectF(object->AbsLeft(), object->AbsTop(), object->Width(), object->Height()));
}

void TfrxScaleOperation::Edges(const QPointF &travel, QList<double> &xs, QList<double> &ys) const
{
    xs << FCorner.x() + travel.x();
    ys << FCorner.y() + travel.y();
}

void TfrxScaleOperation::Apply(const QPointF &travel)
{
    FCorner += travel;
    const QPointF corner(std::max(FCorner.x(), FBounds.left()), std::max(FCorner.y(), FBounds.top()));
    const double kx = Ratio(corner.x() - FBounds.left(), FBounds.width());
    const double ky = Ratio(corner.y() - FBounds.top(), FBounds.height());
    for (TfrxComponent *object : std::as_const(FLeaders)) {
        const QRectF r = FOriginal.value(object);
        const TfrxComponent *parent = object->Parent();
        const double absLeft = (r.left() - FBounds.left()) * kx + FBounds.left();
        const double absTop = (r.top() - FBounds.top()) * ky + FBounds.top();
        object->SetBounds(absLeft - (parent != nullptr ? parent->AbsLeft() : 0),
                          absTop - (parent != nullptr ? parent->AbsTop() : 0), r.width() * kx,
                          r.height() * ky);
    }
}

QList<TfrxComponent *> TfrxScaleOperation::Changing() const
{
    return WithContents(FLeaders);
}

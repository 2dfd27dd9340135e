#include "TfrxMoveOperation.h"

#include "TfrxBand.h"
#include "TfrxHitTester.h"

#include <algorithm>

using namespace zor;

namespace {

QPointF AllowedTravel(const TfrxComponent *object, const QPointF &travel)
{
    if (const auto *band = qobject_cast<const TfrxBand *>(object))
        return band->Vertical() ? QPointF(travel.x(), 0) : QPointF(0, travel.y());
    return travel;
}

// An object from the parent template belongs to its band: it may slide inside it only.
double KeptInBand(const TfrxComponent *object, double top)
{
    const auto *band = qobject_cast<const TfrxBand *>(object->Parent());
    if (!object->Ancestor() || band == nullptr)
        return top;
    return std::clamp(top, 0.0, std::max(0.0, band->Height() - object->Height()));
}

} // namespace

TfrxMoveOperation::TfrxMoveOperation(const QList<TfrxComponent *> &leaders) : FLeaders(leaders)
{
    for (TfrxComponent *object : leaders) {
        if (auto *view = qobject_cast<TfrxView *>(object)) {
            FAligns.insert(view, view->Align());
            view->SetAlign(baNone);
        }
    }
}

TfrxMoveOperation::~TfrxMoveOperation()
{
    RestoreAligns();
}

void TfrxMoveOperation::RestoreAligns()
{
    for (auto it = FAligns.cbegin(); it != FAligns.cend(); ++it)
        it.key()->SetAlign(it.value());
    FAligns.clear();
}

void TfrxMoveOperation::Edges(const QPointF &travel, QList<double> &xs, QList<double> &ys) const
{
    for (const TfrxComponent *object : FLeaders) {
        const QRectF r = TfrxHitTester::Bounds(object).translated(AllowedTravel(object, travel));
        xs << r.left() << r.right();
        ys << r.top() << r.bottom();
    }
}

void TfrxMoveOperation::Apply(const QPointF &travel)
{
    for (TfrxComponent *object : std::as_const(FLeaders)) {
        const QPointF d = AllowedTravel(object, travel);
        object->SetLeft(object->Left() + d.x());
        object->SetTop(KeptInBand(object, object->Top() + d.y()));
    }
}

void TfrxMoveOperation::Finish()
{
    RestoreAligns();
    for (TfrxComponent *object : std::as_const(FLeaders))
        RoundBounds(object);
}

QList<TfrxComponent *> TfrxMoveOperation::Changing() const
{
    return WithContents(FLeaders);
}

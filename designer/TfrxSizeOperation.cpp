#include "TfrxSizeOperation.h"

#include "TfrxBand.h"
#include "TfrxBandSizeOperation.h"
#include "TfrxHitTester.h"
#include "TfrxSizingHandles.h"

TfrxSizeOperation::TfrxSizeOperation(TfrxComponent *object, int handle) : FObject(object), FHandle(handle) {}

void TfrxSizeOperation::Edges(const QPointF &travel, QList<double> &xs, QList<double> &ys) const
{
    const QRectF r = TfrxSizingHandles::Dragged(
        QRectF(FObject->AbsLeft(), FObject->AbsTop(), FObject->Width(), FObject->Height()), FHandle, travel);
    const Qt::Edges edges = TfrxSizingHandles::Edges(FHandle);
    if (edges.testFlag(Qt::LeftEdge))
        xs << r.left();
    if (edges.testFlag(Qt::RightEdge))
        xs << r.right();
    if (edges.testFlag(Qt::TopEdge))
        ys << r.top();
    if (edges.testFlag(Qt::BottomEdge))
        ys << r.bottom();
}

void TfrxSizeOperation::Apply(const QPointF &travel)
{
    const QRectF before(FObject->Left(), FObject->Top(), FObject->Width(), FObject->Height());
    const double topBefore = FObject->Top();
    FHandle = TfrxSizingHandles::Drag(FObject, FHandle, travel);
    if (LeavesItsBand()) {
        FObject->SetBounds(before.x(), before.y(), before.width(), before.height());
        return;
    }
    // The band's objects stay where they stand on the page when its top edge moves.
    if (qobject_cast<TfrxBand *>(FObject) != nullptr) {
        const double shift = FObject->Top() - topBefore;
        for (TfrxComponent *child : FObject->Objects())
            child->SetTop(child->Top() - shift);
    }
}

bool TfrxSizeOperation::LeavesItsBand() const
{
    const auto *band = qobject_cast<const TfrxBand *>(FObject->Parent());
    if (!FObject->Ancestor() || band == nullptr)
        return false;
    const QRectF inside(0, 0, band->Width(), band->Height());
    const QRectF r =
        QRectF(FObject->Left(), FObject->Top(), FObject->Width(), FObject->Height()).normalized();
    return !inside.contains(r);
}

void TfrxSizeOperation::Finish()
{
    RoundBounds(FObject);
    if (auto *band = qobject_cast<TfrxBand *>(FObject))
        TfrxBandSizeOperation::GrowToContents(band);
}

QList<TfrxComponent *> TfrxSizeOperation::Changing() const
{
    return WithContents({FObject});
}

#include "TfrxBandSizeOperation.h"

#include "TfrxBand.h"
#include "TfrxHitTester.h"

#include <algorithm>

using namespace zor;

namespace {

bool FollowsBandSize(const TfrxComponent *object)
{
    const auto *view = qobject_cast<const TfrxView *>(object);
    return view != nullptr && (view->Align() == baBottom || view->Align() == baClient);
}

} // namespace

TfrxBandSizeOperation::TfrxBandSizeOperation(TfrxBand *band, std::function<void()> layOut)
    : FBand(band), FLayOut(std::move(layOut))
{
}

void TfrxBandSizeOperation::GrowToContents(TfrxBand *band)
{
    const bool vertical = band->Vertical();
    const auto start = [vertical](const TfrxComponent *o) { return vertical ? o->Left() : o->Top(); };
    const auto extent = [vertical](const TfrxComponent *o) { return vertical ? o->Width() : o->Height(); };
    double above = 0, end = 0;
    for (const TfrxComponent *object : band->Objects()) {
        if (FollowsBandSize(object))
            continue;
        above = std::min(above, start(object));
        end = std::max(end, start(object) + extent(object));
    }
    if (above < 0) {
        for (TfrxComponent *object : band->Objects())
            vertical ? object->SetLeft(object->Left() - above) : object->SetTop(object->Top() - above);
        end -= above;
    }
    if (extent(band) < end)
        vertical ? band->SetWidth(Round8(end)) : band->SetHeight(Round8(end));
}

void TfrxBandSizeOperation::Edges(const QPointF &travel, QList<double> &xs, QList<double> &ys) const
{
    const QRectF r = TfrxHitTester::Bounds(FBand);
    if (FBand->Vertical())
        xs << r.right() + travel.x();
    else
        ys << r.bottom() + travel.y();
}

void TfrxBandSizeOperation::Apply(const QPointF &travel)
{
    if (FBand->Vertical())
        FBand->SetWidth(FBand->Width() + travel.x());
    else
        FBand->SetHeight(FBand->Height() + travel.y());
    GrowToContents(FBand);
    FLayOut();
}

QList<TfrxComponent *> TfrxBandSizeOperation::Changing() const
{
    return WithContents({FBand});
}

#pragma once

#include "TfrxDragOperation.h"

#include <QHash>
#include <QRectF>

// Scales a group of selected objects by the bottom-right corner of their bounds: positions and
// sizes stretch with the bounds, from the bounds' top-left corner.
class TfrxScaleOperation : public TfrxDragOperation
{
public:
    TfrxScaleOperation(const QList<TfrxComponent *> &leaders, const QRectF &bounds);

    void Edges(const QPointF &travel, QList<double> &xs, QList<double> &ys) const override;
    void Apply(const QPointF &travel) override;
    QList<TfrxComponent *> Changing() const override;

private:
    QList<TfrxComponent *> FLeaders;
    QHash<TfrxComponent *, QRectF> FOriginal; // absolute, when the drag began
    QRectF FBounds;
    QPointF FCorner;
};

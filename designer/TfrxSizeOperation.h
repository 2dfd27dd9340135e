#pragma once

#include "TfrxDragOperation.h"

#include <QRectF>

// Sizes one object by one of its handles. The handle turns into its mirror image when the object
// is dragged inside out. Sizing a band from its top keeps its objects where they stand on the
// page, and the band never ends up smaller than they need. An object from the parent template is
// not sized out of its band.
class TfrxSizeOperation : public TfrxDragOperation
{
public:
    TfrxSizeOperation(TfrxComponent *object, int handle);

    int Handle() const { return FHandle; }
    void Edges(const QPointF &travel, QList<double> &xs, QList<double> &ys) const override;
    void Apply(const QPointF &travel) override;
    void Finish() override;
    QList<TfrxComponent *> Changing() const override;

private:
    bool LeavesItsBand() const;

    TfrxComponent *FObject;
    int FHandle;
};

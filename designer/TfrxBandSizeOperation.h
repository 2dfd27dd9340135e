#pragma once

#include "TfrxDragOperation.h"

#include <functional>

class TfrxBand;

// Sizes a band by its bottom edge (a vertical band by its right edge). The band never gets
// smaller than its objects need, and the page's bands are laid out again as it changes.
class TfrxBandSizeOperation : public TfrxDragOperation
{
public:
    TfrxBandSizeOperation(TfrxBand *band, std::function<void()> layOut);

    // Grows a band to hold its objects (except those aligned to its bottom or filling it, which
    // follow its size); objects above its top move down into it, with all the others.
    static void GrowToContents(TfrxBand *band);

    void Edges(const QPointF &travel, QList<double> &xs, QList<double> &ys) const override;
    void Apply(const QPointF &travel) override;
    QList<TfrxComponent *> Changing() const override;
    bool ChangesLayout() const override { return true; }

private:
    TfrxBand *FBand;
    std::function<void()> FLayOut;
};

#pragma once

#include "TfrxDragOperation.h"

#include "zorTypes.h"

#include <QHash>

class TfrxView;

// Moves the selected objects by the travel. An object inside a selected container rides with
// it; horizontal bands move only down and up, vertical bands only across; an object from the
// parent template stays inside its band. Views drop their alignment while they move, which would
// otherwise put them straight back, and get it again when the drag ends.
class TfrxMoveOperation : public TfrxDragOperation
{
public:
    // leaders: the selected objects none of whose containers is selected.
    explicit TfrxMoveOperation(const QList<TfrxComponent *> &leaders);
    ~TfrxMoveOperation() override;

    void Edges(const QPointF &travel, QList<double> &xs, QList<double> &ys) const override;
    void Apply(const QPointF &travel) override;
    void Finish() override;
    QList<TfrxComponent *> Changing() const override;

private:
    void RestoreAligns();

    QList<TfrxComponent *> FLeaders;
    QHash<TfrxView *, zor::TfrxAlign> FAligns;
};

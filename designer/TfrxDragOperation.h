#pragma once

#include <QList>
#include <QPointF>

class TfrxComponent;

// One drag of the mouse that changes objects: moving, sizing by a handle, sizing a band by its
// edge, scaling a group. The workspace snaps the mouse's travel to the grid, lets the guides pull
// the edges the drag moves, and hands the result to Apply.
class TfrxDragOperation
{
public:
    virtual ~TfrxDragOperation() = default;

    // The x and y positions of the edges the drag moves, where the travel would put them.
    virtual void Edges(const QPointF &travel, QList<double> &xs, QList<double> &ys) const = 0;
    virtual void Apply(const QPointF &travel) = 0;
    // Ends the drag: the changed objects' values are rounded to 8 decimals, so that a template
    // does not keep the leftovers of many small steps.
    virtual void Finish();
    // The objects whose look changes during the drag; the rest of the page may be drawn once.
    virtual QList<TfrxComponent *> Changing() const = 0;
    // Whether the drag moves the whole page's layout (then nothing can be drawn once).
    virtual bool ChangesLayout() const { return false; }

protected:
    static void RoundBounds(TfrxComponent *object);
    // The objects with everything they hold.
    static QList<TfrxComponent *> WithContents(const QList<TfrxComponent *> &objects);
};

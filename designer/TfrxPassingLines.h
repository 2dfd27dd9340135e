#pragma once

#include <QLineF>
#include <QList>
#include <QMultiHash>
#include <QRectF>

class TfrxComponent;

// The lines that show, while objects are dragged, where an edge of theirs lines up (within a
// thousandth of a pixel) with an edge of another view: each joins the two objects. The other
// views stand still during a drag, so their edges are indexed by place once, when it starts.
class TfrxPassingLines
{
public:
    TfrxPassingLines(const QList<TfrxComponent *> &moving, const QList<TfrxComponent *> &objects);

    QList<QLineF> Lines() const;

private:
    static qint64 Key(double at);
    // The other views with an x edge (across) or a y edge near one of the positions.
    QList<qsizetype> Near(bool across, double from, double to) const;

    QList<TfrxComponent *> FMoving;
    QList<QRectF> FOthers;
    QMultiHash<qint64, qsizetype> FAcross;
    QMultiHash<qint64, qsizetype> FDown;
};

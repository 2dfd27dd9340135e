#pragma once

#include <QList>
#include <QPoint>

class TfrxComponent;

// The object an arrow key leads to from a selected one. First choice are the objects in the
// strip the selected object sweeps in the arrow's direction, the closest ahead first; after them
// come the objects anywhere ahead, by their distance.
class TfrxNearestObject
{
public:
    // direction: one of (1, 0), (-1, 0), (0, 1), (0, -1).
    TfrxNearestObject(const TfrxComponent *from, QPoint direction);

    // The best of the candidates (views other than from), or none.
    TfrxComponent *Find(const QList<TfrxComponent *> &candidates) const;
    // The nearest candidate in the strip only, which a slide stops at; none when the way is free.
    TfrxComponent *FindInStrip(const QList<TfrxComponent *> &candidates) const;
    // Moves from edge to edge with the other object, on the side it was found.
    void SlideTo(TfrxComponent *object, const TfrxComponent *other) const;

private:
    // How far ahead a candidate lies (negative: behind) and whether it lies in the strip.
    double Ahead(const TfrxComponent *candidate) const;
    bool InStrip(const TfrxComponent *candidate) const;
    bool IsCandidate(const TfrxComponent *candidate) const;

    const TfrxComponent *FFrom;
    QPoint FDirection;
};

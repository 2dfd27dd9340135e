#pragma once

#include <QHash>
#include <QList>

#include <vector>

class TfrxComponent;

// Which objects of a band move when an object above them grows. Built once from the designed
// geometry; applied after the objects of one output have grown.
class TfrxShiftTree
{
public:
    // The objects of a band in their designed places; bandWidth sizes the root above them all.
    void Build(const QList<TfrxComponent *> &objects, double bandWidth);
    bool IsBuilt() const { return FBuilt; }
    // Moves the objects below grown ones; grown maps an object to how much it grew.
    void Apply(const QHash<TfrxComponent *, double> &grown) const;
    // The shift parents of an object (none for objects right under the band).
    QList<TfrxComponent *> ParentsOf(const TfrxComponent *obj) const;

private:
    struct Node {
        TfrxComponent *Object;
        std::vector<int> Parents; // indexes into FNodes; empty: directly under the band
    };
    std::vector<Node> FNodes; // in top order
    bool FBuilt = false;
};

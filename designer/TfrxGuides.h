#pragma once

#include <QLineF>
#include <QList>
#include <QPointF>
#include <Qt>

class TfrxComponent;
class TfrxPage;

// The guide lines of a page, which moved and sized edges snap to, and the passing lines that show
// where an edge being dragged lines up with an edge of another object. The page keeps the y
// positions of its horizontal guides in VGuides and the x positions of its vertical guides in
// HGuides, in report pixels from the margin corner.
class TfrxGuides
{
public:
    // Reads the page's guides; an entry that is not a number is left out. No guides for a page
    // other than a report page.
    explicit TfrxGuides(const TfrxPage *page);

    const QList<double> &Xs() const { return FXs; }
    const QList<double> &Ys() const { return FYs; }

    // The change of a travel that brings the nearest of the given edges (where the travel would
    // put them) onto a guide within reach; no change when none is that close.
    QPointF Pull(const QList<double> &xEdges, const QList<double> &yEdges, double reach) const;

    // Adds a guide to a report page: horizontal ones (dragged from the top ruler) at y, vertical
    // ones at x. Returns false on a page that keeps no guides.
    static bool Add(TfrxPage *page, Qt::Orientation orientation, double pos);
    static bool Clear(TfrxPage *page);

    // The passing lines between every edge of a moving object and an edge of another view that
    // lies at the same place (within 0.001 pixels), each from the one object to the other.
    static QList<QLineF> Passing(const QList<TfrxComponent *> &moving, const QList<TfrxComponent *> &objects);

private:
    QList<double> FXs;
    QList<double> FYs;
};

#pragma once

#include <QList>
#include <QPointF>
#include <Qt>

class TfrxPage;

// The guide lines of a page, which moved and sized edges snap to. The page keeps the y
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

private:
    QList<double> FXs;
    QList<double> FYs;
};

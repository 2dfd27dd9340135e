#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

class TfrxBand;
class TfrxComponent;

// Finds what lies under the mouse on a page: objects, band edges, and what a rubber band touches.
// Points are in report pixels; the tolerances are screen pixels, so they feel the same at any
// zoom.
class TfrxHitTester
{
public:
    TfrxHitTester(const QList<TfrxComponent *> &objects, double scale, double bandHeader);

    // The topmost band or view under the point (the last one of the list); none on bare paper.
    TfrxComponent *ObjectAt(const QPointF &point) const;
    bool Contains(const TfrxComponent *object, const QPointF &point) const;
    // The horizontal band whose bottom edge, or the vertical band whose right edge, is under the
    // point.
    TfrxBand *BandEdgeAt(const QPointF &point) const;
    // The views (no bands) that touch the rectangle; a diagonal line only when it crosses it.
    QList<TfrxComponent *> ViewsTouching(const QRectF &rect) const;

    // Bands and views: what the operator can select on a page.
    static bool IsPlaceable(const TfrxComponent *object);
    static bool IsDiagonalLine(const TfrxComponent *object);
    // The absolute rectangle of an object, with negative sizes turned round.
    static QRectF Bounds(const TfrxComponent *object);

private:
    bool LineContains(const TfrxComponent *line, const QPointF &point) const;

    const QList<TfrxComponent *> &FObjects;
    double FScale;
    double FBandHeader;
};

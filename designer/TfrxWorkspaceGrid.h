#pragma once

#include "TfrxDesignerWorkspace.h"

#include <QPointF>

#include <optional>

class QPainter;
class QRectF;

// The workspace's grid: its kind and steps, whether it is shown and whether moves snap to it.
// Moves snap by their travel: a travel shorter than a step is held back until it adds up to one,
// and a longer one is cut down to whole steps, so that an object moves in whole steps from where
// it stood.
class TfrxWorkspaceGrid
{
public:
    TfrxGridType Type = gt1cm;
    double X = 0.1 * 37.7953;
    double Y = 0.1 * 37.7953;
    bool Show = true;
    bool Align = true;
    bool LCD = false;
    bool DialogPage = false;

    // Takes the steps when both are positive finite numbers; a zero step would divide by zero.
    bool SetSteps(double x, double y);
    // Alt held inverts the snapping for the gesture.
    bool Snaps(Qt::KeyboardModifiers modifiers) const;
    // The part of a travel that is applied now; none while it is still held back.
    std::optional<QPointF> ApplicableTravel(const QPointF &travel, bool snap) const;
    // A point moved down to the grid line at or before it.
    QPointF Floor(const QPointF &point) const;
    // The extra room between the top bands and the rest: 40 pixels, 1 cm, 0.4 inch or a line.
    double ExtraBandGap() const;

    // Draws the grid over the paper; origin is where report point (0, 0) lies on the widget.
    void Paint(QPainter &painter, const QRectF &paper, const QPointF &origin, double scale) const;

private:
    void PaintDots(QPainter &painter, const QRectF &paper, const QPointF &origin, double scale) const;
    void PaintLines(QPainter &painter, const QRectF &paper, const QPointF &origin, double scale) const;
};

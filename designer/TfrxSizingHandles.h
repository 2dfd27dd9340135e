#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <Qt>

class TfrxComponent;

// The handles by which an object is sized, by number: 1 top-left, 2 bottom-right, 3 top-right,
// 4 bottom-left, 5 middle of the right edge, 6 of the left edge, 7 of the top edge, 8 of the
// bottom edge; a diagonal line has only its start (9) and end (10), a straight line its two ends
// (6 and 5 across, 7 and 8 down).
class TfrxSizingHandles
{
public:
    struct Handle
    {
        int Number;
        QPointF Point; // absolute, in report pixels
    };

    // All handles of the object, or only the corners (what several selected objects show).
    static QList<Handle> Of(const TfrxComponent *object, bool cornersOnly = false);
    // The handle under the point: within -2 to +3 screen pixels of it in both directions; 0 none.
    static int At(const TfrxComponent *object, const QPointF &point, double scale);
    // Whether the point grabs a handle point with the same tolerance.
    static bool Grabs(const QPointF &handle, const QPointF &point, double scale);
    // Moves the edges of the handle by the travel. When a width or height turns negative the
    // object is turned round and the mirrored handle is returned, so that the drag goes on
    // naturally; otherwise the same handle.
    static int Drag(TfrxComponent *object, int handle, const QPointF &travel);
    // A rectangle with the edges of the handle moved by the travel, not turned round.
    static QRectF Dragged(const QRectF &rect, int handle, const QPointF &travel);
    // The edges that the handle moves.
    static Qt::Edges Edges(int handle);
    static Qt::CursorShape Cursor(int handle);
};

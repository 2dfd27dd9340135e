#include "TfrxSizingHandles.h"

#include "TfrxCustomLineView.h"
#include "TfrxHitTester.h"

#include <array>

namespace {

// How each handle's travel moves the four values, and which handle it becomes when the object
// is turned round across (X) or down (Y).
struct HandleRule
{
    double Left, Top, Width, Height;
    int MirrorX, MirrorY;
    Qt::CursorShape Cursor;
};

const std::array<HandleRule, 11> rules = {{
    {0, 0, 0, 0, 0, 0, Qt::ArrowCursor},
    {1, 1, -1, -1, 3, 4, Qt::SizeFDiagCursor}, // 1 top-left
    {0, 0, 1, 1, 4, 3, Qt::SizeFDiagCursor},   // 2 bottom-right
    {0, 1, 1, -1, 1, 2, Qt::SizeBDiagCursor},  // 3 top-right
    {1, 0, -1, 1, 2, 1, Qt::SizeBDiagCursor},  // 4 bottom-left
    {0, 0, 1, 0, 6, 5, Qt::SizeHorCursor},     // 5 right edge
    {1, 0, -1, 0, 5, 6, Qt::SizeHorCursor},    // 6 left edge
    {0, 1, 0, -1, 7, 8, Qt::SizeVerCursor},    // 7 top edge
    {0, 0, 0, 1, 8, 7, Qt::SizeVerCursor},     // 8 bottom edge
    {1, 1, -1, -1, 9, 9, Qt::CrossCursor},     // 9 start of a diagonal line
    {0, 0, 1, 1, 10, 10, Qt::CrossCursor},     // 10 its end
}};

// Screen pixels before and after a handle point that grab it.
constexpr double grabBefore = 2;
constexpr double grabAfter = 3;

bool IsStraightLine(const TfrxComponent *object)
{
    const auto *line = qobject_cast<const TfrxCustomLineView *>(object);
    return line != nullptr && !line->Diagonal();
}

} // namespace

QList<TfrxSizingHandles::Handle> TfrxSizingHandles::Of(const TfrxComponent *object, bool cornersOnly)
{
    const double l = object->AbsLeft(), t = object->AbsTop();
    const double r = l + object->Width(), b = t + object->Height();
    if (TfrxHitTester::IsDiagonalLine(object))
        return {{9, {l, t}}, {10, {r, b}}};
    // A straight line runs down when it is at most as wide as high, as it draws itself.
    if (IsStraightLine(object))
        return object->Width() <= object->Height() ? QList<Handle>{{7, {l, t}}, {8, {l, b}}}
                                                   : QList<Handle>{{6, {l, t}}, {5, {r, t}}};
    QList<Handle> handles = {{1, {l, t}}, {2, {r, b}}, {3, {r, t}}, {4, {l, b}}};
    if (!cornersOnly) {
        const double mx = (l + r) / 2, my = (t + b) / 2;
        handles += {{5, {r, my}}, {6, {l, my}}, {7, {mx, t}}, {8, {mx, b}}};
    }
    return handles;
}

bool TfrxSizingHandles::Grabs(const QPointF &handle, const QPointF &point, double scale)
{
    const QPointF d = (point - handle) * scale;
    return d.x() >= -grabBefore && d.x() <= grabAfter && d.y() >= -grabBefore && d.y() <= grabAfter;
}

int TfrxSizingHandles::At(const TfrxComponent *object, const QPointF &point, double scale)
{
    for (const Handle &handle : Of(object)) {
        if (Grabs(handle.Point, point, scale))
            return handle.Number;
    }
    return 0;
}

int TfrxSizingHandles::Drag(TfrxComponent *object, int handle, const QPointF &travel)
{
    if (handle <= 0 || handle >= int(rules.size()))
        return handle;
    const QRectF dragged =
        Dragged(QRectF(object->Left(), object->Top(), object->Width(), object->Height()), handle, travel);
    double left = dragged.x(), top = dragged.y(), width = dragged.width(), height = dragged.height();
    // A diagonal line keeps its direction: its sizes may well be negative.
    if (!TfrxHitTester::IsDiagonalLine(object)) {
        if (width < 0) {
            left += width;
            width = -width;
            handle = rules[handle].MirrorX;
        }
        if (height < 0) {
            top += height;
            height = -height;
            handle = rules[handle].MirrorY;
        }
    }
    object->SetBounds(left, top, width, height);
    return handle;
}

QRectF TfrxSizingHandles::Dragged(const QRectF &rect, int handle, const QPointF &travel)
{
    if (handle <= 0 || handle >= int(rules.size()))
        return rect;
    const HandleRule &rule = rules[handle];
    return QRectF(rect.x() + rule.Left * travel.x(), rect.y() + rule.Top * travel.y(),
                  rect.width() + rule.Width * travel.x(), rect.height() + rule.Height * travel.y());
}

Qt::Edges TfrxSizingHandles::Edges(int handle)
{
    if (handle <= 0 || handle >= int(rules.size()))
        return {};
    const HandleRule &rule = rules[handle];
    Qt::Edges edges;
    edges.setFlag(Qt::LeftEdge, rule.Left != 0);
    edges.setFlag(Qt::TopEdge, rule.Top != 0);
    edges.setFlag(Qt::RightEdge, rule.Left == 0 && rule.Width != 0);
    edges.setFlag(Qt::BottomEdge, rule.Top == 0 && rule.Height != 0);
    return edges;
}

Qt::CursorShape TfrxSizingHandles::Cursor(int handle)
{
    return handle > 0 && handle < int(rules.size()) ? rules[handle].Cursor : Qt::ArrowCursor;
}

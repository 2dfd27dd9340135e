#include "TfrxHitTester.h"

#include "TfrxBand.h"
#include "TfrxCustomLineView.h"

#include <QLineF>

#include <cmath>

namespace {

// Screen pixels around an object of no width or height, and from a diagonal line, that still
// count as on it.
constexpr double thinTolerance = 4;
constexpr double lineTolerance = 5;
// Screen pixels from a band's bottom edge that grab the edge.
constexpr double bandEdgeTolerance = 2;

QLineF LineOf(const TfrxComponent *line)
{
    return QLineF(line->AbsLeft(), line->AbsTop(), line->AbsLeft() + line->Width(),
                  line->AbsTop() + line->Height());
}

double DistanceToLine(const QLineF &line, const QPointF &point)
{
    const double length = line.length();
    if (length == 0)
        return QLineF(line.p1(), point).length();
    const QPointF d = line.p2() - line.p1();
    return std::abs(d.x() * (line.p1().y() - point.y()) - d.y() * (line.p1().x() - point.x())) / length;
}

bool Crosses(const QLineF &line, const QRectF &rect)
{
    if (rect.contains(line.p1()) || rect.contains(line.p2()))
        return true;
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()},
                            {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()},
                            {rect.bottomLeft(), rect.topLeft()}};
    for (const QLineF &edge : edges) {
        if (line.intersects(edge) == QLineF::BoundedIntersection)
            return true;
    }
    return false;
}

// Unlike QRectF::intersects, a rectangle without width or height (a straight line) can overlap.
bool Overlap(const QRectF &a, const QRectF &b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

} // namespace

TfrxHitTester::TfrxHitTester(const QList<TfrxComponent *> &objects, double scale, double bandHeader)
    : FObjects(objects), FScale(scale), FBandHeader(bandHeader)
{
}

bool TfrxHitTester::IsPlaceable(const TfrxComponent *object)
{
    return qobject_cast<const TfrxBand *>(object) != nullptr ||
           qobject_cast<const TfrxView *>(object) != nullptr;
}

bool TfrxHitTester::IsDiagonalLine(const TfrxComponent *object)
{
    const auto *line = qobject_cast<const TfrxCustomLineView *>(object);
    return line != nullptr && line->Diagonal();
}

QRectF TfrxHitTester::Bounds(const TfrxComponent *object)
{
    return QRectF(object->AbsLeft(), object->AbsTop(), object->Width(), object->Height()).normalized();
}

TfrxComponent *TfrxHitTester::ObjectAt(const QPointF &point) const
{
    for (auto it = FObjects.crbegin(); it != FObjects.crend(); ++it) {
        if (IsPlaceable(*it) && Contains(*it, point))
            return *it;
    }
    return nullptr;
}

bool TfrxHitTester::Contains(const TfrxComponent *object, const QPointF &point) const
{
    if (IsDiagonalLine(object))
        return LineContains(object, point);
    QRectF r = Bounds(object);
    if (const auto *band = qobject_cast<const TfrxBand *>(object))
        band->Vertical() ? r.setLeft(r.left() - FBandHeader) : r.setTop(r.top() - FBandHeader);
    const double thin = thinTolerance / FScale;
    if (r.width() == 0)
        r.adjust(-thin, 0, thin, 0);
    if (r.height() == 0)
        r.adjust(0, -thin, 0, thin);
    return point.x() >= r.left() && point.x() <= r.right() && point.y() >= r.top() && point.y() <= r.bottom();
}

bool TfrxHitTester::LineContains(const TfrxComponent *line, const QPointF &point) const
{
    const double reach = lineTolerance / FScale;
    const QRectF around = Bounds(line).adjusted(-reach, -reach, reach, reach);
    return around.contains(point) && DistanceToLine(LineOf(line), point) < reach;
}

TfrxBand *TfrxHitTester::BandEdgeAt(const QPointF &point) const
{
    const double reach = bandEdgeTolerance / FScale;
    for (TfrxComponent *object : FObjects) {
        auto *band = qobject_cast<TfrxBand *>(object);
        if (band == nullptr)
            continue;
        const QRectF r = Bounds(band);
        const bool onEdge = band->Vertical() ? std::abs(point.x() - r.right()) <= reach &&
                                                   point.y() >= r.top() && point.y() <= r.bottom()
                                             : std::abs(point.y() - r.bottom()) <= reach &&
                                                   point.x() >= r.left() && point.x() <= r.right();
        if (onEdge)
            return band;
    }
    return nullptr;
}

QList<TfrxComponent *> TfrxHitTester::ViewsTouching(const QRectF &rect) const
{
    QList<TfrxComponent *> found;
    for (TfrxComponent *object : FObjects) {
        if (qobject_cast<TfrxView *>(object) == nullptr)
            continue;
        const bool touches =
            IsDiagonalLine(object) ? Crosses(LineOf(object), rect) : Overlap(Bounds(object), rect);
        if (touches)
            found.append(object);
    }
    return found;
}

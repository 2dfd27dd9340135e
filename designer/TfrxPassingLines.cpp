#include "TfrxPassingLines.h"

#include "TfrxHitTester.h"
#include "TfrxView.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

// Edges closer than this line up.
constexpr double sameEdge = 0.001;

// The lines along one axis between the edges of a and b that lie at the same place, spanning
// both objects across the other axis.
void AddLines(const QRectF &a, const QRectF &b, bool across, QList<QLineF> &lines)
{
    const double aEdges[] = {across ? a.left() : a.top(), across ? a.right() : a.bottom()};
    const double bEdges[] = {across ? b.left() : b.top(), across ? b.right() : b.bottom()};
    const double from = across ? std::min(a.top(), b.top()) : std::min(a.left(), b.left());
    const double to = across ? std::max(a.bottom(), b.bottom()) : std::max(a.right(), b.right());
    for (const double at : aEdges) {
        for (const double other : bEdges) {
            if (std::abs(at - other) < sameEdge)
                lines.append(across ? QLineF(at, from, at, to) : QLineF(from, at, to, at));
        }
    }
}

} // namespace

TfrxPassingLines::TfrxPassingLines(const QList<TfrxComponent *> &moving,
                                   const QList<TfrxComponent *> &objects)
{
    const QSet<TfrxComponent *> movingSet(moving.cbegin(), moving.cend());
    for (TfrxComponent *object : moving) {
        if (qobject_cast<const TfrxView *>(object) != nullptr)
            FMoving.append(object);
    }
    for (TfrxComponent *other : objects) {
        if (qobject_cast<const TfrxView *>(other) == nullptr || movingSet.contains(other))
            continue;
        const QRectF r = TfrxHitTester::Bounds(other);
        const qsizetype i = FOthers.size();
        FOthers.append(r);
        FAcross.insert(Key(r.left()), i);
        FAcross.insert(Key(r.right()), i);
        FDown.insert(Key(r.top()), i);
        FDown.insert(Key(r.bottom()), i);
    }
}

// Bounded, so that no coordinate however wild overflows the key.
qint64 TfrxPassingLines::Key(double at)
{
    const double steps = std::floor(at / sameEdge);
    return std::isfinite(steps) ? qint64(std::clamp(steps, -1e15, 1e15)) : 0;
}

QList<qsizetype> TfrxPassingLines::Near(bool across, double from, double to) const
{
    const QMultiHash<qint64, qsizetype> &edges = across ? FAcross : FDown;
    QSet<qsizetype> found;
    for (const double at : {from, to}) {
        for (qint64 key = Key(at) - 1; key <= Key(at) + 1; ++key) {
            for (auto it = edges.constFind(key); it != edges.cend() && it.key() == key; ++it)
                found.insert(it.value());
        }
    }
    QList<qsizetype> sorted(found.cbegin(), found.cend());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QList<QLineF> TfrxPassingLines::Lines() const
{
    QList<QLineF> lines;
    for (const TfrxComponent *object : FMoving) {
        const QRectF a = TfrxHitTester::Bounds(object);
        for (const qsizetype i : Near(true, a.left(), a.right()))
            AddLines(a, FOthers.at(i), true, lines);
        for (const qsizetype i : Near(false, a.top(), a.bottom()))
            AddLines(a, FOthers.at(i), false, lines);
    }
    return lines;
}

#include "TfrxGuides.h"

#include "TfrxHitTester.h"
#include "TfrxReportPage.h"
#include "TfrxView.h"
#include "TfrxXMLSerializer.h"

#include <QMultiHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace zor;

namespace {

// Edges closer than this line up.
constexpr double sameEdge = 0.001;

QList<double> Positions(const QStringList &texts)
{
    QList<double> positions;
    for (const QString &text : texts) {
        double value = 0;
        if (TfrxXMLSerializer::StrToFloat(text, value))
            positions.append(value);
    }
    return positions;
}

double PullOne(const QList<double> &edges, const QList<double> &guides, double reach)
{
    double best = std::numeric_limits<double>::infinity();
    for (const double edge : edges) {
        for (const double guide : guides) {
            if (std::abs(guide - edge) <= reach && std::abs(guide - edge) < std::abs(best))
                best = guide - edge;
        }
    }
    return std::isfinite(best) ? best : 0;
}

// The passing lines along one axis: between the edges of a and b that lie at the same place,
// spanning both objects across the other axis.
void AddPassing(const QRectF &a, const QRectF &b, bool vertical, QList<QLineF> &lines)
{
    const double aEdges[] = {vertical ? a.left() : a.top(), vertical ? a.right() : a.bottom()};
    const double bEdges[] = {vertical ? b.left() : b.top(), vertical ? b.right() : b.bottom()};
    const double from = vertical ? std::min(a.top(), b.top()) : std::min(a.left(), b.left());
    const double to = vertical ? std::max(a.bottom(), b.bottom()) : std::max(a.right(), b.right());
    for (const double at : aEdges) {
        for (const double other : bEdges) {
            if (std::abs(at - other) < sameEdge)
                lines.append(vertical ? QLineF(at, from, at, to) : QLineF(from, at, to, at));
        }
    }
}

// The objects' edges by where they lie, so that a dragged edge finds the ones at its place
// without looking at every object of a large page on every frame.
class EdgeIndex
{
public:
    explicit EdgeIndex(const QList<QRectF> &rects)
    {
        for (qsizetype i = 0; i < rects.size(); ++i) {
            const QRectF &r = rects.at(i);
            FAcross.insert(Key(r.left()), i);
            FAcross.insert(Key(r.right()), i);
            FDown.insert(Key(r.top()), i);
            FDown.insert(Key(r.bottom()), i);
        }
    }

    // The objects with an edge near one of the positions: x positions when across, else y.
    QSet<qsizetype> Near(bool across, std::initializer_list<double> positions) const
    {
        const QMultiHash<qint64, qsizetype> &edges = across ? FAcross : FDown;
        QSet<qsizetype> found;
        for (const double at : positions) {
            for (qint64 key = Key(at) - 1; key <= Key(at) + 1; ++key) {
                for (auto it = edges.constFind(key); it != edges.cend() && it.key() == key; ++it)
                    found.insert(it.value());
            }
        }
        return found;
    }

private:
    // Bounded, so that no coordinate however wild overflows the key.
    static qint64 Key(double at)
    {
        const double steps = std::floor(at / sameEdge);
        return std::isfinite(steps) ? qint64(std::clamp(steps, -1e15, 1e15)) : 0;
    }

    QMultiHash<qint64, qsizetype> FAcross;
    QMultiHash<qint64, qsizetype> FDown;
};

} // namespace

TfrxGuides::TfrxGuides(const TfrxPage *page)
{
    if (const auto *reportPage = qobject_cast<const TfrxReportPage *>(page)) {
        FXs = Positions(reportPage->HGuides());
        FYs = Positions(reportPage->VGuides());
    }
}

QPointF TfrxGuides::Pull(const QList<double> &xEdges, const QList<double> &yEdges, double reach) const
{
    return QPointF(PullOne(xEdges, FXs, reach), PullOne(yEdges, FYs, reach));
}

bool TfrxGuides::Add(TfrxPage *page, Qt::Orientation orientation, double pos)
{
    auto *reportPage = qobject_cast<TfrxReportPage *>(page);
    if (reportPage == nullptr || !std::isfinite(pos))
        return false;
    const QString text = FloatText(Round8(pos));
    if (orientation == Qt::Horizontal)
        reportPage->SetVGuides(reportPage->VGuides() << text);
    else
        reportPage->SetHGuides(reportPage->HGuides() << text);
    return true;
}

bool TfrxGuides::Clear(TfrxPage *page)
{
    auto *reportPage = qobject_cast<TfrxReportPage *>(page);
    if (reportPage == nullptr || (reportPage->HGuides().isEmpty() && reportPage->VGuides().isEmpty()))
        return false;
    reportPage->ClearGuides();
    return true;
}

QList<QLineF> TfrxGuides::Passing(const QList<TfrxComponent *> &moving, const QList<TfrxComponent *> &objects)
{
    const QSet<TfrxComponent *> movingSet(moving.cbegin(), moving.cend());
    QList<QRectF> others;
    for (TfrxComponent *other : objects) {
        if (qobject_cast<const TfrxView *>(other) != nullptr && !movingSet.contains(other))
            others.append(TfrxHitTester::Bounds(other));
    }
    const EdgeIndex index(others);
    QList<QLineF> lines;
    for (const TfrxComponent *object : moving) {
        if (qobject_cast<const TfrxView *>(object) == nullptr)
            continue;
        const QRectF a = TfrxHitTester::Bounds(object);
        for (const qsizetype i : index.Near(true, {a.left(), a.right()}))
            AddPassing(a, others.at(i), true, lines);
        for (const qsizetype i : index.Near(false, {a.top(), a.bottom()}))
            AddPassing(a, others.at(i), false, lines);
    }
    return lines;
}

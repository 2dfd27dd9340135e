#include "TfrxGuides.h"

#include "TfrxHitTester.h"
#include "TfrxReportPage.h"
#include "TfrxView.h"
#include "TfrxXMLSerializer.h"

#include <QSet>

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
    QList<QLineF> lines;
    for (const TfrxComponent *object : moving) {
        if (qobject_cast<const TfrxView *>(object) == nullptr)
            continue;
        const QRectF a = TfrxHitTester::Bounds(object);
        for (TfrxComponent *other : objects) {
            if (qobject_cast<const TfrxView *>(other) == nullptr || movingSet.contains(other))
                continue;
            const QRectF b = TfrxHitTester::Bounds(other);
            AddPassing(a, b, true, lines);
            AddPassing(a, b, false, lines);
        }
    }
    return lines;
}

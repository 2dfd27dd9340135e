#include "TfrxGuides.h"

#include "TfrxReportPage.h"
#include "TfrxXMLSerializer.h"

#include <cmath>
#include <limits>

using namespace zor;

namespace {

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

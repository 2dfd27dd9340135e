#include "TfrxWorkspaceGrid.h"

#include "zorTypes.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>

using namespace zor;

namespace {

// Dots closer than this on screen would grey the page over.
constexpr double minDotPitch = 2;

QColor Lighter(const QColor &color, int amount)
{
    return QColor(std::min(255, color.red() + amount), std::min(255, color.green() + amount),
                  std::min(255, color.blue() + amount));
}

// Grid coordinates of the first and last grid line within [from, to] on screen.
std::pair<qint64, qint64> LineRange(double from, double to, double origin, double pitch)
{
    return {qint64(std::ceil((from - origin) / pitch)), qint64(std::floor((to - origin) / pitch))};
}

} // namespace

bool TfrxWorkspaceGrid::SetSteps(double x, double y)
{
    if (!(x > 0 && y > 0 && std::isfinite(x) && std::isfinite(y)))
        return false;
    X = x;
    Y = y;
    return true;
}

bool TfrxWorkspaceGrid::Snaps(Qt::KeyboardModifiers modifiers) const
{
    return Align != modifiers.testFlag(Qt::AltModifier);
}

std::optional<QPointF> TfrxWorkspaceGrid::ApplicableTravel(const QPointF &travel, bool snap) const
{
    if (!snap)
        return travel.isNull() ? std::nullopt : std::optional<QPointF>(travel);
    if (std::abs(travel.x()) < X && std::abs(travel.y()) < Y)
        return std::nullopt;
    return QPointF(std::trunc(travel.x() / X) * X, std::trunc(travel.y() / Y) * Y);
}

QPointF TfrxWorkspaceGrid::Floor(const QPointF &point) const
{
    return QPointF(std::floor(point.x() / X) * X, std::floor(point.y() / Y) * Y);
}

double TfrxWorkspaceGrid::ExtraBandGap() const
{
    switch (Type) {
    case gt1pt:
        return 40;
    case gt1cm:
        return fr1cm;
    case gt1in:
        return 0.4 * fr1in;
    case gtChar:
        return fr1CharY;
    case gtDialog:
    case gtNone:
        break;
    }
    return 0;
}

void TfrxWorkspaceGrid::Paint(QPainter &painter, const QRectF &paper, const QPointF &origin,
                              double scale) const
{
    if (!Show || Type == gtNone)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (Type == gt1cm || Type == gt1in)
        PaintLines(painter, paper, origin, scale);
    else
        PaintDots(painter, paper, origin, scale);
    painter.restore();
}

void TfrxWorkspaceGrid::PaintDots(QPainter &painter, const QRectF &paper, const QPointF &origin,
                                  double scale) const
{
    const double dx = X * scale, dy = Y * scale;
    if (dx <= minDotPitch || dy <= minDotPitch)
        return;
    const auto [i0, i1] = LineRange(paper.left(), paper.right(), origin.x(), dx);
    const auto [j0, j1] = LineRange(paper.top(), paper.bottom(), origin.y(), dy);
    QPolygonF dots;
    dots.reserve(std::max<qint64>(0, (i1 - i0 + 1) * (j1 - j0 + 1)));
    for (qint64 j = j0; j <= j1; ++j)
        for (qint64 i = i0; i <= i1; ++i)
            dots.append(
                QPointF(std::floor(origin.x() + i * dx) + 0.5, std::floor(origin.y() + j * dy) + 0.5));
    painter.setPen(QPen(DialogPage ? QColor(Qt::black) : QColor(0xB8, 0xB8, 0xB8), 0));
    painter.drawPoints(dots);
}

// Lines every tenth of a centimetre or inch: whole units in the base colour, halves a little
// lighter; for inches the tenths too in the lighter colour, for centimetres no tenths at all.
void TfrxWorkspaceGrid::PaintLines(QPainter &painter, const QRectF &paper, const QPointF &origin,
                                   double scale) const
{
    const double pitch = (Type == gt1cm ? fr1cm : fr1in) / 10 * scale;
    const QColor base = LCD ? QColor(0xE2, 0xE2, 0xE2) : QColor(0xE8, 0xE8, 0xE8);
    const QColor light = Lighter(base, 16);
    const auto colourOf = [&](qint64 i) -> std::optional<QColor> {
        if (i % 10 == 0)
            return base;
        if (i % 5 == 0 || Type == gt1in)
            return light;
        return std::nullopt;
    };
    const auto draw = [&](double from, double to, double originAt, bool vertical) {
        const auto [i0, i1] = LineRange(from, to, originAt, pitch);
        for (qint64 i = i0; i <= i1; ++i) {
            const std::optional<QColor> colour = colourOf(i);
            if (!colour)
                continue;
            painter.setPen(QPen(*colour, 0));
            const double at = std::floor(originAt + i * pitch) + 0.5;
            if (vertical)
                painter.drawLine(QPointF(at, paper.top()), QPointF(at, paper.bottom()));
            else
                painter.drawLine(QPointF(paper.left(), at), QPointF(paper.right(), at));
        }
    };
    draw(paper.left(), paper.right(), origin.x(), true);
    draw(paper.top(), paper.bottom(), origin.y(), false);
}

#include "TfrxCustomLineView.h"

#include "TfrxFrame.h"
#include "zorDraw_p.h"

#include <QHash>
#include <QPainter>
#include <QtMath>

using namespace zor;

TfrxCustomLineView::TfrxCustomLineView(QObject *owner) : TfrxStretcheable(owner)
{
    SetComponentStyle(ComponentStyle() & ~TfrxComponentStyle(csDefaultDiff));
    SetColor(clTransparent);
}

void TfrxCustomLineView::Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    // A line that is not diagonal is made straight: vertical when it is at most as wide as high.
    if (!FDiagonal) {
        if (Width() <= Height()) {
            SetWidth(0);
            Frame()->SetTyp(ftLeft);
        } else {
            SetHeight(0);
            Frame()->SetTyp(ftTop);
        }
    }
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    if (!FDiagonal) {
        DrawFrame();
    } else if (Frame()->Color() != clTransparent && Frame()->Width() != 0) {
        zor::draw::Aliased guard(canvas);
        QPen pen(ToQColor(Frame()->Color()));
        pen.setWidth(1);
        static const QHash<int, QList<qreal>> patterns = {
            {fsDash, {18, 6}}, {fsDot, {3, 3}}, {fsDashDot, {9, 6, 3, 6}}, {fsDashDotDot, {9, 3, 3, 3, 3, 3}},
        };
        if (patterns.contains(Frame()->Style()))
            pen.setDashPattern(patterns.value(Frame()->Style()));
        canvas->setPen(pen);
        const int lines = zor::draw::Bounded(std::max(1, FFrameWidth));
        for (int k = 0; k < std::min(lines, 4096); ++k) {
            const int d = k - lines / 2;
            canvas->drawLine(FX + d, FY, FX1 + d, FY1);
        }
    }
    if (Frame()->Color() == clTransparent)
        return;
    if (FArrowStart)
        DrawArrow(QPointF(FX, FY), QPointF(FX1, FY1));
    if (FArrowEnd)
        DrawArrow(QPointF(FX1, FY1), QPointF(FX, FY));
}

// The head's tip is the end point; its base lies ArrowLength along the line towards the other
// end, its corners ArrowWidth either side. Nearly vertical lines get a vertical head.
void TfrxCustomLineView::DrawArrow(const QPointF &tip, const QPointF &other)
{
    const double len = FArrowLength * FScaleX, half = FArrowWidth * FScaleX;
    QPointF dir = other - tip;
    if (std::fabs(dir.x()) <= 8)
        dir = QPointF(0, dir.y() >= 0 ? 1 : -1);
    const double norm = std::hypot(dir.x(), dir.y());
    if (norm == 0)
        return;
    dir /= norm;
    const QPointF base = tip + dir * len;
    const QPointF across(-dir.y() * half, dir.x() * half);
    zor::draw::Aliased guard(FCanvas);
    const QColor color = ToQColor(Frame()->Color());
    if (FArrowSolid) {
        FCanvas->setPen(color);
        FCanvas->setBrush(color);
        const QPointF points[] = {tip, base + across, base - across};
        FCanvas->drawPolygon(points, 3);
    } else {
        QPen pen(color);
        pen.setWidth(std::max(1, Nearest(Frame()->Width() * FScaleX)));
        FCanvas->setPen(pen);
        FCanvas->drawLine(base + across, tip);
        FCanvas->drawLine(base - across, tip);
    }
}

#include "TfrxOverlayPainter.h"

#include "TfrxSizingHandles.h"
#include "TfrxWorkspacePainter.h"

#include <QPainter>

#include <cmath>

namespace {

const QColor handleEdge(0x1A, 0x4F, 0x9C);
const QColor groupHandle(0x00, 0x80, 0x80);
const QColor guideColor(0x00, 0x9A, 0xD8);
const QColor passingColor(0xE0, 0x3C, 0x8C);
const QColor rubberColor(0x2F, 0x6F, 0xD0);

QPointF OnWidget(const TfrxWorkspaceScene &scene, const QPointF &report)
{
    return scene.Origin + report * scene.Scale;
}

QRectF OnWidget(const TfrxWorkspaceScene &scene, const QRectF &report)
{
    return QRectF(OnWidget(scene, report.topLeft()), report.size() * scene.Scale);
}

void PaintHandle(QPainter &painter, const QPointF &at, int size, const QColor &fill)
{
    const QRectF square(std::floor(at.x()) - size / 2, std::floor(at.y()) - size / 2, size, size);
    painter.setPen(QPen(handleEdge, 0));
    painter.setBrush(fill);
    painter.drawRect(square);
}

} // namespace

int TfrxOverlayPainter::HandleSize(double scale)
{
    return scale < 0.7 ? 3 : scale <= 1.7 ? 5 : 7;
}

void TfrxOverlayPainter::Paint(QPainter &painter, const TfrxWorkspaceScene &scene, const TfrxOverlay &overlay)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintGuides(painter, scene, overlay);
    PaintFrames(painter, scene, overlay);
    PaintHandles(painter, scene, overlay);
    painter.restore();
}

void TfrxOverlayPainter::PaintGuides(QPainter &painter, const TfrxWorkspaceScene &scene,
                                     const TfrxOverlay &overlay)
{
    const QRectF paper = scene.Paper;
    painter.setPen(QPen(guideColor, 0));
    for (const double x : overlay.GuideXs) {
        const double at = std::floor(OnWidget(scene, QPointF(x, 0)).x()) + 0.5;
        painter.drawLine(QPointF(at, paper.top()), QPointF(at, paper.bottom()));
    }
    for (const double y : overlay.GuideYs) {
        const double at = std::floor(OnWidget(scene, QPointF(0, y)).y()) + 0.5;
        painter.drawLine(QPointF(paper.left(), at), QPointF(paper.right(), at));
    }
    if (overlay.DraggedGuide) {
        painter.setPen(QPen(guideColor, 0, Qt::DashLine));
        const auto [orientation, pos] = *overlay.DraggedGuide;
        if (orientation == Qt::Horizontal) {
            const double at = std::floor(OnWidget(scene, QPointF(0, pos)).y()) + 0.5;
            painter.drawLine(QPointF(paper.left(), at), QPointF(paper.right(), at));
        } else {
            const double at = std::floor(OnWidget(scene, QPointF(pos, 0)).x()) + 0.5;
            painter.drawLine(QPointF(at, paper.top()), QPointF(at, paper.bottom()));
        }
    }
    painter.setPen(QPen(passingColor, 0, Qt::DashLine));
    for (const QLineF &line : overlay.Passing)
        painter.drawLine(QLineF(OnWidget(scene, line.p1()), OnWidget(scene, line.p2())));
}

void TfrxOverlayPainter::PaintFrames(QPainter &painter, const TfrxWorkspaceScene &scene,
                                     const TfrxOverlay &overlay)
{
    if (overlay.RubberBand) {
        QColor fill = rubberColor;
        fill.setAlpha(40);
        painter.setPen(QPen(rubberColor, 0));
        painter.setBrush(fill);
        painter.drawRect(OnWidget(scene, overlay.RubberBand->normalized()));
    }
    if (overlay.InsertionFrame) {
        painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        const QRectF frame = OnWidget(scene, *overlay.InsertionFrame);
        if (overlay.InsertingLine)
            painter.drawLine(frame.topLeft(), frame.bottomRight());
        else
            painter.drawRect(frame.normalized());
    }
}

void TfrxOverlayPainter::PaintHandles(QPainter &painter, const TfrxWorkspaceScene &scene,
                                      const TfrxOverlay &overlay)
{
    const int size = HandleSize(scene.Scale);
    const bool single = overlay.Selected.size() == 1;
    for (const TfrxComponent *object : overlay.Selected) {
        for (const TfrxSizingHandles::Handle &handle : TfrxSizingHandles::Of(object, !single))
            PaintHandle(painter, OnWidget(scene, handle.Point), size, Qt::white);
    }
    if (overlay.GroupBounds)
        PaintHandle(painter, OnWidget(scene, overlay.GroupBounds->bottomRight()), size, groupHandle);
}

#pragma once

#include <QLineF>
#include <QList>
#include <QRectF>
#include <Qt>

#include <optional>

class QPainter;
class TfrxComponent;
struct TfrxWorkspaceScene;

// What the workspace draws over the page, in report pixels: the selection's handles, guides,
// the lines that show edges lining up, the rubber band and the frame of an object being inserted.
struct TfrxOverlay
{
    QList<TfrxComponent *> Selected;
    // The bounds of a selection of several objects, whose bottom-right corner scales them.
    std::optional<QRectF> GroupBounds;
    QList<double> GuideXs;
    QList<double> GuideYs;
    QList<QLineF> Passing;
    std::optional<QRectF> RubberBand;
    std::optional<QRectF> InsertionFrame;
    bool InsertingLine = false;
    std::optional<std::pair<Qt::Orientation, double>> DraggedGuide;
};

// Draws the overlay in colours that show on white paper, on the blank's picture and on a band's
// fill alike: white squares with a dark edge for the handles.
class TfrxOverlayPainter
{
public:
    static void Paint(QPainter &painter, const TfrxWorkspaceScene &scene, const TfrxOverlay &overlay);
    // The side of a handle square in screen pixels: larger when zoomed in.
    static int HandleSize(double scale);

private:
    static void PaintGuides(QPainter &painter, const TfrxWorkspaceScene &scene, const TfrxOverlay &overlay);
    static void PaintHandles(QPainter &painter, const TfrxWorkspaceScene &scene, const TfrxOverlay &overlay);
    static void PaintFrames(QPainter &painter, const TfrxWorkspaceScene &scene, const TfrxOverlay &overlay);
};

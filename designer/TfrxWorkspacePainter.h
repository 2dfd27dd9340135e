#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSet>

class QPainter;
class TfrxBand;
class TfrxComponent;
class TfrxPage;
class TfrxView;
class TfrxWorkspaceGrid;

// What the workspace shows of a page, in widget pixels.
struct TfrxWorkspaceScene
{
    TfrxPage *Page = nullptr;
    const QList<TfrxComponent *> *Objects = nullptr;
    double Scale = 1;
    QPointF Origin; // where report point (0, 0), the margin corner, lies
    QRectF Paper;
    QRectF Printable;
    const TfrxWorkspaceGrid *Grid = nullptr;
    QColor WorkspaceColor;
    double BandHeader = 0; // report pixels; 0 shows no captions
    QImage Backdrop;
    QRectF BackdropRect;
};

// Draws the page as the workspace shows it: the workspace around the paper, the paper with its
// margins, the blank's picture, the grid, the bands with their captions and the objects, each
// through its own Draw, so that the screen shows what prints. While objects are dragged the rest
// of the page is drawn once into a picture that every frame copies, and only the moving objects
// are drawn again.
class TfrxWorkspacePainter
{
public:
    void Paint(QPainter &painter, const QRect &clip, const TfrxWorkspaceScene &scene);
    // Draws from the picture of the page without the moving objects, making it first when it is
    // missing or does not cover the clip (visible: the part of the widget worth keeping).
    void PaintCached(QPainter &painter, const QRect &clip, const QRect &visible,
                     const TfrxWorkspaceScene &scene, const QList<TfrxComponent *> &moving);
    // Drops the picture: the page or its look changed.
    void Invalidate();

    // The colour of a band's caption strip and outline, by the band's kind.
    static QColor BandColor(const TfrxBand *band);

private:
    void PaintScene(QPainter &painter, const QRect &clip, const TfrxWorkspaceScene &scene,
                    const QSet<const TfrxComponent *> &left);
    void PaintObjects(QPainter &painter, const QRect &clip, const TfrxWorkspaceScene &scene,
                      const QList<TfrxComponent *> &objects, const QSet<const TfrxComponent *> &left) const;
    const QImage &ScaledBackdrop(const TfrxWorkspaceScene &scene);
    static void PaintPaper(QPainter &painter, const TfrxWorkspaceScene &scene);
    static void PaintMargins(QPainter &painter, const TfrxWorkspaceScene &scene);
    static void PaintBand(QPainter &painter, const TfrxWorkspaceScene &scene, TfrxBand *band);
    static void PaintView(QPainter &painter, const TfrxWorkspaceScene &scene, TfrxView *view);

    QImage FCache;
    QRect FCacheRect;
    bool FCacheValid = false;
    QImage FBackdropSource;
    QImage FBackdrop;
};

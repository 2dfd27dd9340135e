#include "TfrxShapeView.h"

#include "TfrxBrushFill.h"
#include "TfrxFrame.h"
#include "zorDraw_p.h"

#include <QHash>
#include <QPainter>

using namespace zor;

TfrxShapeView::TfrxShapeView(QObject *owner) : TfrxView(owner)
{
    SetComponentStyle(ComponentStyle() & ~TfrxComponentStyle(csDefaultDiff));
}

void TfrxShapeView::DrawShape(bool hatchPass)
{
    const QColor outline = ToQColor(Frame()->Color());
    if (outline.isValid()) {
        QPen pen(outline);
        pen.setWidth(std::max(1, zor::draw::Bounded(FFrameWidth)));
        static const QHash<int, Qt::PenStyle> styles = {
            {fsDash, Qt::DashLine}, {fsDot, Qt::DotLine}, {fsDashDot, Qt::DashDotLine},
            {fsDashDotDot, Qt::DashDotDotLine}, {fsAltDot, Qt::DotLine}, {fsSquare, Qt::DotLine},
        };
        pen.setStyle(styles.value(Frame()->Style(), Qt::SolidLine));
        FCanvas->setPen(pen);
    } else {
        FCanvas->setPen(Qt::NoPen);
    }
    const QColor inside = ToQColor(Color());
    if (hatchPass) {
        static const QHash<int, Qt::BrushStyle> hatches = {
            {bsHorizontal, Qt::HorPattern}, {bsVertical, Qt::VerPattern},   {bsFDiagonal, Qt::FDiagPattern},
            {bsBDiagonal, Qt::BDiagPattern}, {bsCross, Qt::CrossPattern}, {bsDiagCross, Qt::DiagCrossPattern},
        };
        FCanvas->setBrush(QBrush(outline.isValid() ? outline : QColor(Qt::black), hatches.value(BrushStyle())));
    } else {
        FCanvas->setBrush(inside.isValid() ? QBrush(inside) : QBrush(Qt::NoBrush));
    }
    const QRect box(QPoint(FX, FY), QPoint(FX1, FY1));
    const int e = FCurve == 0 ? std::min(FDX, FDY) / 4 : Nearest(FCurve * FScaleX * 10);
    switch (FShape) {
    case skRectangle:
        FCanvas->drawRect(box);
        break;
    case skRoundRectangle:
        FCanvas->drawRoundedRect(box, e / 2.0, e / 2.0);
        break;
    case skEllipse:
        FCanvas->drawEllipse(box);
        break;
    case skTriangle: {
        const QPoint pts[] = {{FX1, FY1}, {FX, FY1}, {FX + FDX / 2, FY}};
        FCanvas->drawPolygon(pts, 3);
        break;
    }
    case skDiamond: {
        const QPoint pts[] = {{FX + FDX / 2, FY}, {FX1, FY + FDY / 2}, {FX + FDX / 2, FY1}, {FX, FY + FDY / 2}};
        FCanvas->drawPolygon(pts, 4);
        break;
    }
    case skDiagonal1:
        FCanvas->drawLine(FX, FY1, FX1, FY);
        break;
    case skDiagonal2:
        FCanvas->drawLine(FX, FY, FX1, FY1);
        break;
    }
}

void TfrxShapeView::Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    zor::draw::Aliased guard(canvas);
    const bool hatched = BrushStyle() >= bsHorizontal;
    DrawShape(false);
    if (hatched)
        DrawShape(true);
    if (Frame()->Style() != fsDouble)
        return;
    // A double outline is the shape drawn again, shrunk by multiples of the frame width.
    const double w = Frame()->Width();
    struct Shrink { double Left, Top, Width, Height; };
    static const QHash<int, Shrink> shrinks = {
        {skRectangle, {2, 2, -4, -4}}, {skRoundRectangle, {2, 2, -4, -4}}, {skEllipse, {2, 2, -4, -4}},
        {skTriangle, {4, 4, -8, -6}},  {skDiamond, {3, 3, -6, -6}},        {skDiagonal1, {2, 0, 0, 0}},
        {skDiagonal2, {2, 0, 0, 0}},
    };
    const Shrink k = shrinks.value(FShape);
    const double l = Left(), t = Top(), wd = Width(), ht = Height();
    SetBounds(l + k.Left * w, t + k.Top * w, wd + k.Width * w, ht + k.Height * w);
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    DrawShape(false);
    SetBounds(l, t, wd, ht);
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
}

QString TfrxShapeView::Diff(const TfrxComponent *other) const
{
    QString s = TfrxView::Diff(other);
    const auto *o = qobject_cast<const TfrxShapeView *>(other);
    if (o != nullptr && FShape != o->FShape)
        s += QStringLiteral(" Shape=\"%1\"").arg(int(FShape));
    return s;
}

void TfrxShapeView::DesignCreate(int flags)
{
    TfrxView::DesignCreate(flags);
    if (flags >= skRectangle && flags <= skDiagonal2)
        SetShape(TfrxShapeKind(flags));
}

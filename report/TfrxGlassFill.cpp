#include "TfrxGlassFill.h"

#include "zorDraw_p.h"

#include <QPainter>

using namespace zor;
using zor::draw::FillRect;

TfrxGlassFill::TfrxGlassFill(QObject *parent) : TfrxCustomFill(parent) {}

QColor TfrxGlassFill::BlendColor() const
{
    const QColor c = ToQColor(FColor);
    if (!c.isValid())
        return c;
    const auto lift = [this](int v) { return std::clamp(v + Nearest((255 - v) * FBlend), 0, 255); };
    return QColor(lift(c.red()), lift(c.green()), lift(c.blue()));
}

void TfrxGlassFill::Draw(QPainter *canvas, int x1, int y1, int x2, int y2, double, double) const
{
    if (FColor == clTransparent)
        return;
    zor::draw::Aliased guard(canvas);
    FillRect(canvas, x1, y1, x2, y2, ToQColor(FColor));
    const QColor light = BlendColor();
    const int midX = x1 + (x2 - x1) / 2, midY = y1 + (y2 - y1) / 2;
    const QRect halves[] = {
        {QPoint(x1, y1), QPoint(midX - 1, y2 - 1)},    // foVertical: left half
        {QPoint(x1, y1), QPoint(x2 - 1, midY - 1)},    // foHorizontal: top half
        {QPoint(midX, y1), QPoint(x2 - 1, y2 - 1)},    // foVerticalMirror: right half
        {QPoint(x1, midY), QPoint(x2 - 1, y2 - 1)},    // foHorizontalMirror: bottom half
    };
    const QRect half = halves[std::clamp(int(FOrientation), 0, 3)];
    FillRect(canvas, half.left(), half.top(), half.right() + 1, half.bottom() + 1, light);
    if (!FHatch)
        return;
    const QColor hatch(std::max(0, light.red() - 6), std::max(0, light.green() - 6), std::max(0, light.blue() - 6));
    const QRect r = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)) & zor::draw::DeviceBounds(canvas);
    if (!r.isEmpty())
        canvas->fillRect(r, QBrush(hatch, Qt::BDiagPattern));
}

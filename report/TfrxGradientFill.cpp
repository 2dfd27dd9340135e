#include "TfrxGradientFill.h"

#include "zorDraw_p.h"

#include <QPainter>

using namespace zor;
using zor::draw::FillRect;

TfrxGradientFill::TfrxGradientFill(QObject *parent) : TfrxCustomFill(parent) {}

namespace {

int Channel(int color, int shift)
{
    return int((quint32(color) >> shift) & 0xFF);
}

int Blend(int start, int end, int k, int n)
{
    int out = 0;
    for (const int shift : {0, 8, 16})
        out |= std::clamp(Channel(start, shift) + MulDiv(k, Channel(end, shift) - Channel(start, shift), n), 0, 255)
            << shift;
    return out;
}

using Painter = void (*)(const TfrxGradientFill &, QPainter *, int, int, int, int);

void Horizontal(const TfrxGradientFill &f, QPainter *p, int x1, int y1, int w, int h)
{
    for (int k = 0; k < 256; ++k)
        FillRect(p, x1 + MulDiv(k, w, 256), y1, x1 + MulDiv(k + 1, w, 256), y1 + h, f.Step(k, 255));
}

void Vertical(const TfrxGradientFill &f, QPainter *p, int x1, int y1, int w, int h)
{
    for (int k = 0; k < 256; ++k)
        FillRect(p, x1, y1 + MulDiv(k, h, 256), x1 + w, y1 + MulDiv(k + 1, h, 256), f.Step(k, 255));
}

// 156 concentric ellipses, the first a quarter larger than the rectangle on every side, clipped
// to the rectangle.
void Elliptic(const TfrxGradientFill &f, QPainter *p, int x1, int y1, int w, int h)
{
    p->setClipRect(QRect(x1, y1, w, h), Qt::IntersectClip);
    p->setPen(Qt::NoPen);
    const double dx = (w / 4.0 + w / 2.0) / 155, dy = (h / 4.0 + h / 2.0) / 155;
    for (int k = 0; k < 156; ++k) {
        const double l = x1 - w / 4.0 + k * dx, t = y1 - h / 4.0 + k * dy;
        const double r = x1 + w + w / 4.0 - k * dx, b = y1 + h + h / 4.0 - k * dy;
        if (r <= l || b <= t)
            break;
        p->setBrush(f.Step(k, 155));
        p->drawEllipse(QRectF(l, t, r - l, b - t));
    }
}

void Rectangle(const TfrxGradientFill &f, QPainter *p, int x1, int y1, int w, int h)
{
    const double dx = w / 2.0 / 255, dy = h / 2.0 / 255;
    for (int k = 0; k < 256; ++k) {
        FillRect(p, Nearest(x1 + k * dx), Nearest(y1 + k * dy), Nearest(x1 + w - k * dx),
                 Nearest(y1 + h - k * dy), f.Step(k, 255));
    }
}

// Rows from the top and bottom edges towards the middle; a rectangle one pixel high has no
// middle and takes the start colour.
void VertCenter(const TfrxGradientFill &f, QPainter *p, int x1, int y1, int w, int h)
{
    const int half = h / 2;
    for (int k = 0; k <= half; ++k) {
        const QColor c = f.Step(k, half);
        FillRect(p, x1, y1 + k, x1 + w, y1 + k + 1, c);
        FillRect(p, x1, y1 + h - 1 - k, x1 + w, y1 + h - k, c);
    }
}

void HorizCenter(const TfrxGradientFill &f, QPainter *p, int x1, int y1, int w, int h)
{
    const int half = w / 2;
    for (int k = 0; k <= half; ++k) {
        const QColor c = f.Step(k, half);
        FillRect(p, x1 + k, y1, x1 + k + 1, y1 + h, c);
        FillRect(p, x1 + w - 1 - k, y1, x1 + w - k, y1 + h, c);
    }
}

}  // namespace

QColor TfrxGradientFill::Step(int k, int n) const
{
    return n == 0 ? ToQColor(FStartColor) : ToQColor(Blend(FStartColor, FEndColor, k, n));
}

int TfrxGradientFill::MidColor() const
{
    return Blend(FStartColor, FEndColor, 127, 255);
}

void TfrxGradientFill::Draw(QPainter *canvas, int x1, int y1, int x2, int y2, double, double) const
{
    static const Painter painters[] = {Horizontal, Vertical, Elliptic, Rectangle, VertCenter, HorizCenter};
    // Only the visible part is worth painting; a huge rectangle is cut to the device first.
    const QRect visible = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)) & zor::draw::DeviceBounds(canvas);
    if (visible.isEmpty())
        return;
    zor::draw::Aliased guard(canvas);
    canvas->setClipRect(visible, canvas->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    const int style = std::clamp(int(FGradientStyle), 0, 5);
    painters[style](*this, canvas, x1, y1, zor::draw::Bounded(x2 - x1), zor::draw::Bounded(y2 - y1));
}

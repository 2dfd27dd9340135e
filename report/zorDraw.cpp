#include "zorDraw_p.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace zor::draw {

namespace {
constexpr int MaxExtent = 1 << 16;
}

QRect DeviceBounds(QPainter *p)
{
    QRect bounds(0, 0, MaxExtent, MaxExtent);
    if (const QPaintDevice *dev = p->device())
        bounds = QRect(0, 0, dev->width(), dev->height());
    if (p->hasClipping())
        bounds &= p->clipBoundingRect().toAlignedRect();
    return bounds;
}

void FillRect(QPainter *p, int x1, int y1, int x2, int y2, const QColor &color)
{
    if (!color.isValid() || x2 <= x1 || y2 <= y1)
        return;
    const QRect r = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)) & DeviceBounds(p);
    if (!r.isEmpty())
        p->fillRect(r, color);
}

int Bounded(int value)
{
    return std::clamp(value, 0, MaxExtent);
}

Aliased::Aliased(QPainter *p) : FPainter(p)
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
}

Aliased::~Aliased()
{
    FPainter->restore();
}

}  // namespace zor::draw

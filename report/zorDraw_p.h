#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// Small drawing helpers shared by frames, fills and views. Coordinates are device pixels;
// rectangles are given by their first and past-the-end edges.
namespace zor::draw {

// The part of the device that can be painted: the clip rectangle, or the whole device.
QRect DeviceBounds(QPainter *p);
// Fills [x1, x2) x [y1, y2) clipped to the device; empty or inverted ranges draw nothing.
void FillRect(QPainter *p, int x1, int y1, int x2, int y2, const QColor &color);
// Keeps a count or width taken from a template within what a device can show.
int Bounded(int value);

// Saves the painter state and switches off anti-aliasing for the lifetime of the guard.
class Aliased
{
public:
    explicit Aliased(QPainter *p);
    ~Aliased();
    Aliased(const Aliased &) = delete;
    Aliased &operator=(const Aliased &) = delete;

private:
    QPainter *FPainter;
};

}  // namespace zor::draw

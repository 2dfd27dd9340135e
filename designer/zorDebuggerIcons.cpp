#include "zorDebuggerIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cstring>

namespace {

// Each picture is drawn on a 16-unit square; the painter is scaled for the larger size.
using Drawing = void (*)(QPainter &);

const QColor green(0x2E, 0x8B, 0x3A);
const QColor red(0xC6, 0x28, 0x28);
const QColor blue(0x1F, 0x5F, 0xB0);

void Triangle(QPainter &p, double left)
{
    QPainterPath path;
    path.moveTo(left, 3);
    path.lineTo(left + 9, 8);
    path.lineTo(left, 13);
    path.closeSubpath();
    p.fillPath(path, green);
}

void Run(QPainter &p)
{
    Triangle(p, 4);
}

void TraceInto(QPainter &p)
{
    p.setPen(QPen(blue, 1.6));
    p.drawLine(QPointF(3, 3), QPointF(3, 9));
    p.drawLine(QPointF(3, 9), QPointF(11, 9));
    QPainterPath head;
    head.moveTo(10, 6);
    head.lineTo(14, 9);
    head.lineTo(10, 12);
    head.closeSubpath();
    p.fillPath(head, blue);
    p.fillRect(QRectF(3, 12.5, 6, 1.5), Qt::darkGray);
}

void Terminate(QPainter &p)
{
    p.fillRect(QRectF(4, 4, 8, 8), red);
}

void Evaluate(QPainter &p)
{
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(blue);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("=?"));
}

void Breakpoint(QPainter &p)
{
    p.setPen(QPen(red.darker(130), 1));
    p.setBrush(red);
    p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
}

void RunToCursor(QPainter &p)
{
    Triangle(p, 2);
    p.fillRect(QRectF(12, 3, 1.6, 10), Qt::black);
}

void AddWatch(QPainter &p)
{
    p.fillRect(QRectF(7, 3, 2, 10), green);
    p.fillRect(QRectF(3, 7, 10, 2), green);
}

void EditWatch(QPainter &p)
{
    p.setPen(QPen(blue, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 12), QPointF(12, 4));
    p.setPen(QPen(Qt::darkGray, 1.5));
    p.drawLine(QPointF(3, 14), QPointF(13, 14));
}

void DeleteWatch(QPainter &p)
{
    p.setPen(QPen(red, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

const std::pair<const char *, Drawing> drawings[] = {
    {"addWatch", AddWatch}, {"editWatch", EditWatch},   {"deleteWatch", DeleteWatch},
    {"run", Run},           {"traceInto", TraceInto},   {"terminate", Terminate},
    {"evaluate", Evaluate}, {"breakpoint", Breakpoint}, {"runToCursor", RunToCursor},
};

QPixmap Picture(Drawing draw, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    return pixmap;
}

} // namespace

QIcon zorDebuggerIcon(const char *name)
{
    QIcon icon;
    if (name == nullptr)
        return icon;
    for (const auto &[key, draw] : drawings) {
        if (std::strcmp(key, name) == 0) {
            icon.addPixmap(Picture(draw, 16));
            icon.addPixmap(Picture(draw, 32));
        }
    }
    return icon;
}

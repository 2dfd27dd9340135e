#include "IconParts.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

QRectF cells(double left, double top, double right, double bottom)
{
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QPen stroke(QColor colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void outlined(Canvas &c, QRectF area, QColor line, const QBrush &fill, double radius, double width)
{
    c.p.setPen(stroke(line, width));
    c.p.setBrush(fill);
    // A pen is centred on its path: half its width in from the cells' edges puts it on whole pixels.
    const QRectF r = area.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    if (radius > 0)
        c.p.drawRoundedRect(r, radius, radius);
    else
        c.p.drawRect(r);
}

void dashed(Canvas &c, QRectF strip, double dash, double gap, QColor colour)
{
    const bool across = strip.width() >= strip.height();
    const double length = across ? strip.width() : strip.height();
    for (double d = 0; d < length; d += dash + gap) {
        const double piece = std::min(dash, length - d);
        c.p.fillRect(across ? QRectF(strip.left() + d, strip.top(), piece, strip.height())
                            : QRectF(strip.left(), strip.top() + d, strip.width(), piece),
                     colour);
    }
}

void dotted(Canvas &c, QRectF strip, QColor colour)
{
    const double dot = std::min(strip.width(), strip.height());
    dashed(c, strip, dot, dot, colour);
}

void dottedFrame(Canvas &c, QRectF area, QColor colour)
{
    dotted(c, cells(area.left(), area.top(), area.right(), area.top() + 1), colour);
    dotted(c, cells(area.left(), area.bottom() - 1, area.right(), area.bottom()), colour);
    dotted(c, cells(area.left(), area.top(), area.left() + 1, area.bottom()), colour);
    dotted(c, cells(area.right() - 1, area.top(), area.right(), area.bottom()), colour);
}

void sheet(Canvas &c, QRectF area, QColor fill)
{
    const QRectF r = area.adjusted(0.5, 0.5, -0.5, -0.5);
    const double fold = area.width() >= 9 ? 3 : 2;
    QPainterPath outline;
    outline.moveTo(r.topLeft());
    outline.lineTo(r.right() - fold, r.top());
    outline.lineTo(r.right(), r.top() + fold);
    outline.lineTo(r.bottomRight());
    outline.lineTo(r.bottomLeft());
    outline.closeSubpath();
    c.p.setPen(stroke(ink));
    c.p.setBrush(fill);
    c.p.drawPath(outline);
    c.p.setBrush(metal);
    c.p.drawPolygon(QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                               QPointF(r.right(), r.top() + fold)}));
}

void page(Canvas &c, QRectF area)
{
    sheet(c, area);
    const QRectF text = area.adjusted(2, 4, -2, -2);
    paragraph(c, text, Qt::AlignLeft | Qt::AlignTop, smallPrint(c), linesFitting(text, smallPrint(c)),
              inkSoft);
}

Ruling bodyText(const Canvas &c)
{
    return c.large() ? Ruling{1, 2.5} : Ruling{1, 3};
}

Ruling smallPrint(const Canvas &c)
{
    return {c.hair(), 3 * c.hair()};
}

int linesFitting(QRectF area, Ruling ruling)
{
    return int((area.height() - ruling.thick) / ruling.pitch) + 1;
}

void paragraph(Canvas &c, QRectF area, Qt::Alignment align, Ruling ruling, int count, QColor colour)
{
    static const double ragged[] = {1.0, 0.6, 0.85, 0.5};
    // Lengths in whole pairs of pixels, so that a centred line has as many on either side and stays sharp.
    const double step = 2 * c.hair();
    const double height = (count - 1) * ruling.pitch + ruling.thick;
    double y = area.top();
    if (align & Qt::AlignVCenter)
        y += std::round((area.height() - height) / 2 / c.hair()) * c.hair();
    else if (align & Qt::AlignBottom)
        y = area.bottom() - height;
    for (int i = 0; i < count; ++i, y += ruling.pitch) {
        const bool justified = align & Qt::AlignJustify;
        const double share = justified ? (i + 1 < count ? 1.0 : 0.6) : ragged[i % 4];
        const double width = std::round(area.width() * share / step) * step;
        double x = area.left();
        if (align & Qt::AlignHCenter)
            x += (area.width() - width) / 2;
        else if (align & Qt::AlignRight)
            x = area.right() - width;
        c.p.fillRect(QRectF(x, y, width, ruling.thick), colour);
    }
}

void letters(Canvas &c, const QString &text, QPointF anchor, double size, QColor colour, Face face,
             bool italic)
{
    // Set in pixels of the picture, with the font's hinting and the baseline on a pixel edge: scaled
    // text would lose the hinting, and small letters would blur.
    QFont font(face == Face::Serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(std::lround(size / c.hair())));
    font.setBold(true);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    const QRectF inked = QFontMetricsF(font).tightBoundingRect(text);
    c.p.save();
    c.p.scale(c.hair(), c.hair());
    c.p.setFont(font);
    c.p.setPen(colour);
    const QPointF at = anchor / c.hair();
    c.p.drawText(QPointF(std::round(at.x() - inked.center().x()), std::round(at.y())), text);
    c.p.restore();
}

void arrowHead(Canvas &c, QPointF tip, QPointF from, double length, double halfWidth, QColor colour)
{
    const QPointF d = tip - from;
    const QPointF along = d / std::hypot(d.x(), d.y());
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * length;
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(colour);
    c.p.drawPolygon(QPolygonF({tip, base + across * halfWidth, base - across * halfWidth}));
}

void arrow(Canvas &c, QPointF from, QPointF to, double width, QColor colour, int heads, double head)
{
    // The shaft stops inside the heads, so that it does not blunt their points.
    const QPointF d = to - from;
    const QPointF along = d / std::hypot(d.x(), d.y());
    const QPointF start = (heads & HeadAtStart) ? from + along * head / 2 : from;
    const QPointF end = (heads & HeadAtEnd) ? to - along * head / 2 : to;
    c.p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    c.p.drawLine(start, end);
    const double halfWidth = std::max(head * 0.7, width * 1.5);
    if (heads & HeadAtStart)
        arrowHead(c, from, to, head, halfWidth, colour);
    if (heads & HeadAtEnd)
        arrowHead(c, to, from, head, halfWidth, colour);
}

void transposed(Canvas &c, const Drawing &drawing)
{
    c.p.save();
    c.p.setTransform(QTransform(0, 1, 1, 0, 0, 0), true);
    drawing(c);
    c.p.restore();
}

void mirrored(Canvas &c, const Drawing &drawing)
{
    c.p.save();
    c.p.translate(16, 0);
    c.p.scale(-1, 1);
    drawing(c);
    c.p.restore();
}

void slantedTool(Canvas &c, QPointF tip, double angle, std::initializer_list<Piece> pieces)
{
    c.p.save();
    c.p.translate(tip);
    c.p.rotate(angle);
    c.p.setPen(QPen(ink, c.large() ? 0.75 : 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    double x = 0;
    for (const Piece &piece : pieces) {
        c.p.setBrush(piece.colour);
        const double a = piece.startWidth / 2;
        const double b = piece.endWidth / 2;
        const double end = x + piece.length;
        c.p.drawPolygon(QPolygonF({QPointF(x, -a), QPointF(end, -b), QPointF(end, b), QPointF(x, a)}));
        x = end;
    }
    c.p.restore();
}

void pencil(Canvas &c, QPointF tip, double length)
{
    slantedTool(c, tip, -45, {{3, 0, 3.5, paper}, {length - 5, 3.5, 3.5, yellow}, {2, 3.5, 3.5, warm}});
}

void editBadge(Canvas &c)
{
    pencil(c, QPointF(7.5, 14.5), 10);
}

void colourBar(Canvas &c, QColor colour)
{
    c.p.fillRect(cells(1, 13, 15, 16), colour);
}

void block(Canvas &c, QRectF area)
{
    outlined(c, area, accent, accentSoft);
}

void handle(Canvas &c, QPointF pixel)
{
    outlined(c, QRectF(pixel - QPointF(1, 1), QSizeF(3, 3)), ink, paper);
}

void plusBadge(Canvas &c)
{
    // A paper margin first, so that the plus stands clear of whatever it covers.
    for (const QRectF &arm : {cells(9, 11, 15, 13), cells(11, 9, 13, 15)})
        c.p.fillRect(arm.adjusted(-1, -1, 1, 1), paper);
    for (const QRectF &arm : {cells(9, 11, 15, 13), cells(11, 9, 13, 15)})
        c.p.fillRect(arm, accent);
}

void cross(Canvas &c, QRectF area, double width, QColor colour)
{
    c.p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    c.p.drawLine(area.topLeft(), area.bottomRight());
    c.p.drawLine(area.topRight(), area.bottomLeft());
}

void crossBadge(Canvas &c)
{
    const QRectF area = cells(10, 10, 14.5, 14.5);
    cross(c, area, 4, paper);
    cross(c, area, 2, warm);
}

void magnifier(Canvas &c, QPointF centre, double radius)
{
    const QPointF toHandle(M_SQRT1_2, M_SQRT1_2);
    c.p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    c.p.drawLine(centre + toHandle * (radius + 1), centre + toHandle * (radius + 4));
    c.p.setPen(QPen(ink, c.large() ? 1.25 : 1.5));
    c.p.setBrush(paper);
    c.p.drawEllipse(centre, radius, radius);
    if (c.large()) {
        // A glint on the glass, which only the large picture has room for.
        const double inner = radius - 1.5;
        c.p.setPen(QPen(accentSoft, 0.75, Qt::SolidLine, Qt::RoundCap));
        c.p.setBrush(Qt::NoBrush);
        c.p.drawArc(QRectF(centre - QPointF(inner, inner), QSizeF(2 * inner, 2 * inner)), 100 * 16, 70 * 16);
    }
}

// Draws the report designer's button pictures into PNG files and lists them in designer_icons.qrc, so
// that they are our own and need no drawing program. Each picture is drawn twice: at 16 pixels, and at
// 32 pixels as "<name>@2x.png" for scaled screens, drawn for that size (finer lines, more detail)
// rather than enlarged. Same family as the preview's pictures (../IconGenerator.cpp): ink, one accent
// blue, a warm red, soft paper. Build and run by hand when a picture changes:
//   cd resources/icons/designer
//   g++ -std=c++20 -fPIC *.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/designericons
//   QT_QPA_PLATFORM=offscreen /tmp/designericons .
#include "IconParts.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainterPath>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// ---- the standard toolbar ----

void openFolder(Canvas &c)
{
    c.p.setPen(stroke(ink));
    c.p.setBrush(yellow);
    c.p.drawPolygon(QPolygonF({QPointF(1.5, 2.5), QPointF(5.5, 2.5), QPointF(7.5, 4.5), QPointF(13.5, 4.5),
                               QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
    c.p.setBrush(yellowSoft);
    c.p.drawPolygon(
        QPolygonF({QPointF(1.5, 13.5), QPointF(4, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5)}));
}

void floppy(Canvas &c)
{
    outlined(c, cells(1, 1, 15, 15), ink, accent, 1.5);
    outlined(c, cells(4, 1, 12, 6), ink, paper);
    c.p.fillRect(cells(9, 2, 10.5, 5), ink);
    outlined(c, cells(3, 9, 13, 15), ink, paper);
    if (c.large())
        paragraph(c, cells(5, 11, 11, 13.5), Qt::AlignLeft | Qt::AlignTop, smallPrint(c), 2, inkSoft);
}

void dialogForm(Canvas &c)
{
    c.p.fillRect(cells(1, 2, 15, 14), paper);
    c.p.fillRect(cells(1, 2, 15, 5), accent);
    outlined(c, cells(1, 2, 15, 14), ink, Qt::NoBrush);
    outlined(c, cells(3, 6, 13, 9), inkSoft, paper);
    outlined(c, cells(8, 10, 13, 12), accent, accentSoft);
    plusBadge(c);
}

void pageSettings(Canvas &c)
{
    sheet(c, cells(2, 1, 14, 15));
    dottedFrame(c, cells(4, 4, 12, 13), accent);
}

void scissors(Canvas &c)
{
    c.p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
    c.p.drawLine(QPointF(5.5, 10.5), QPointF(11.5, 1.5));
    c.p.drawLine(QPointF(10.5, 10.5), QPointF(4.5, 1.5));
    c.p.setPen(QPen(accent, 1.25));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawEllipse(QPointF(4, 12.5), 2.3, 2.3);
    c.p.drawEllipse(QPointF(12, 12.5), 2.3, 2.3);
}

void clipboard(Canvas &c)
{
    outlined(c, cells(1, 2, 12, 15), ink, yellow, 1);
    outlined(c, cells(4, 1, 9, 4), ink, metal);
    page(c, cells(6, 6, 15, 16));
}

// A hooked arrow turning back to the left, as for taking a step back.
void hookedArrow(Canvas &c)
{
    const double width = 2;
    const double top = 5, bottom = 13;
    const double radius = (bottom - top) / 2;
    QPainterPath hook;
    hook.moveTo(4, top);
    hook.lineTo(9.5, top);
    hook.arcTo(QRectF(9.5 - radius, top, 2 * radius, 2 * radius), 90, -180);
    hook.lineTo(6, bottom);
    c.p.setPen(QPen(accent, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawPath(hook);
    arrowHead(c, QPointF(0.5, top), QPointF(5, top), 4.5, 3.5, accent);
}

void grouped(Canvas &c)
{
    block(c, cells(4, 4, 10, 10));
    block(c, cells(7, 7, 13, 13));
    for (const QPointF &corner : {QPointF(2, 2), QPointF(14, 2), QPointF(2, 14), QPointF(14, 14)})
        handle(c, corner);
}

// The group's objects apart again, each selected on its own.
void ungrouped(Canvas &c)
{
    for (const QRectF &area : {cells(2, 2, 8, 8), cells(9, 9, 15, 15)}) {
        block(c, area);
        handle(c, QPointF(area.right() - 1, area.top()));
        handle(c, QPointF(area.left(), area.bottom() - 1));
    }
}

// Three objects stacked; the highlighted middle one lies on top or underneath.
void stacked(Canvas &c, bool highlightOnTop)
{
    const auto highlighted = [&] { outlined(c, cells(4, 4, 12, 12), accent, accentSoft); };
    if (!highlightOnTop)
        highlighted();
    outlined(c, cells(1, 1, 9, 9), ink, paper);
    outlined(c, cells(7, 7, 15, 15), ink, paper);
    if (highlightOnTop)
        highlighted();
}

void selectAll(Canvas &c)
{
    dottedFrame(c, cells(1, 1, 15, 15), ink);
    block(c, cells(3, 3, 8, 8));
    block(c, cells(9, 5, 13, 9));
    block(c, cells(4, 10, 11, 13));
}

void gear(Canvas &c)
{
    const QPointF centre(8, 8);
    const int teeth = 8;
    QPainterPath wheel;
    for (int i = 0; i < teeth * 4; ++i) {
        // Four corners to a tooth, evenly spread: two on the root circle, then two on the tip circle.
        const double angle = (i - 0.5) * M_PI * 2 / (teeth * 4);
        const double radius = (i % 4 == 1 || i % 4 == 2) ? 7 : 5.2;
        const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
        if (i == 0)
            wheel.moveTo(point);
        else
            wheel.lineTo(point);
    }
    wheel.closeSubpath();
    wheel.addEllipse(centre, 2.2, 2.2);
    c.p.setPen(QPen(ink, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    c.p.setBrush(metal);
    c.p.drawPath(wheel);
}

// ---- the text toolbar ----

void underlined(Canvas &c)
{
    letters(c, QStringLiteral("U"), QPointF(8, 12), 14, ink);
    c.p.fillRect(cells(3, 13, 13, 14), ink);
}

void fontColour(Canvas &c)
{
    letters(c, QStringLiteral("A"), QPointF(8, 11), 13, ink);
    colourBar(c, warm);
}

void highlighter(Canvas &c)
{
    slantedTool(c, QPointF(3, 11.5), -45, {{2.5, 2, 4, yellow}, {7, 4.5, 4.5, paper}, {2.5, 4.5, 4.5, ink}});
    colourBar(c, yellow);
}

// A letter turned a quarter, running upwards as the arrow beside it shows. The letter is set upright
// and then turned as a picture, since turned text loses the font's hinting and blurs.
void rotation(Canvas &c)
{
    QImage upright(c.size, c.size, QImage::Format_ARGB32_Premultiplied);
    upright.fill(Qt::transparent);
    QPainter painter(&upright);
    painter.scale(1 / c.hair(), 1 / c.hair());
    Canvas letter{painter, c.size};
    letters(letter, QStringLiteral("A"), QPointF(8, 10), 12, ink);
    painter.end();
    c.p.save();
    c.p.translate(0, 16);
    c.p.rotate(-90);
    c.p.drawImage(QRectF(0, 0, 16, 16), upright);
    c.p.restore();
    arrow(c, QPointF(13, 15), QPointF(13, 1), 2, accent, HeadAtEnd, 4);
}

void textAlignment(Canvas &c, Qt::Alignment align)
{
    const QRectF area = cells(1, 2, 15, 14);
    paragraph(c, area, align | Qt::AlignVCenter, bodyText(c), linesFitting(area, bodyText(c)));
}

void verticalTextAlignment(Canvas &c, Qt::Alignment align)
{
    outlined(c, cells(1, 1, 15, 15), inkSoft, paper, 0, c.hair());
    paragraph(c, cells(3, 3, 13, 13), align | Qt::AlignHCenter, bodyText(c), 2);
}

// ---- the frame toolbar ----

enum Edges { TopEdge = 1, BottomEdge = 2, LeftEdge = 4, RightEdge = 8, AllEdges = 15 };

// A cell's four frame lines: those chosen solid, the others dotted. The sides are an odd number of
// pixels long so that a dot falls on every corner.
void frameLines(Canvas &c, int solid)
{
    const std::pair<Edges, QRectF> edges[] = {{TopEdge, cells(1, 1, 14, 2)},
                                              {BottomEdge, cells(1, 13, 14, 14)},
                                              {LeftEdge, cells(1, 1, 2, 14)},
                                              {RightEdge, cells(13, 1, 14, 14)}};
    for (const auto &[edge, strip] : edges)
        if (!(solid & edge))
            dotted(c, strip, inkSoft);
    for (const auto &[edge, strip] : edges)
        if (solid & edge)
            c.p.fillRect(strip, ink);
}

void frameEditor(Canvas &c)
{
    frameLines(c, AllEdges);
    editBadge(c);
}

void fillBucket(Canvas &c)
{
    // A pail of paint, some of it running down the outside.
    c.p.setPen(QPen(ink, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawArc(QRectF(4.5, 1.5, 7, 7), 0, 180 * 16);
    c.p.setBrush(paper);
    c.p.drawPolygon(
        QPolygonF({QPointF(3.5, 5.5), QPointF(12.5, 5.5), QPointF(11.5, 11.5), QPointF(4.5, 11.5)}));
    c.p.fillRect(cells(4, 6, 12, 8), accent);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(accent);
    c.p.drawEllipse(QPointF(13.8, 8.5), 1.2, 2);
    colourBar(c, accent);
}

void fillEditor(Canvas &c)
{
    QLinearGradient shade(QPointF(1, 1), QPointF(13, 13));
    shade.setColorAt(0, accent);
    shade.setColorAt(1, paper);
    outlined(c, cells(1, 1, 14, 14), ink, shade);
    editBadge(c);
}

void framePen(Canvas &c)
{
    pencil(c, QPointF(2.5, 11.5), 13);
    colourBar(c, warm);
}

void frameStyles(Canvas &c)
{
    c.p.fillRect(cells(1, 2, 15, 4), ink);
    dashed(c, cells(1, 7, 15, 9), 3, 1.5, ink);
    dotted(c, cells(1, 12, 15, 14), ink);
}

// ---- the alignment palette ----

// Lines of a grid in an area, centred there.
void mesh(Canvas &c, QRectF area, double pitch, double thick, QColor colour)
{
    const int count = int((area.width() - thick) / pitch) + 1;
    const double start =
        area.left() + std::floor((area.width() - (count - 1) * pitch - thick) / 2 / c.hair()) * c.hair();
    for (int i = 0; i < count; ++i) {
        const double at = start + i * pitch;
        c.p.fillRect(QRectF(at, start, thick, (count - 1) * pitch + thick), colour);
        c.p.fillRect(QRectF(start, at, (count - 1) * pitch + thick, thick), colour);
    }
}

void gridDots(Canvas &c)
{
    for (double x = 1; x < 16; x += 4)
        for (double y = 1; y < 16; y += 4)
            c.p.fillRect(QRectF(x, y, 1, 1), inkSoft);
}

void magnet(Canvas &c)
{
    gridDots(c);
    QPainterPath horseshoe;
    horseshoe.moveTo(4.5, 3);
    horseshoe.lineTo(4.5, 8.5);
    horseshoe.arcTo(QRectF(4.5, 5, 7, 7), 180, 180);
    horseshoe.lineTo(11.5, 3);
    c.p.setPen(QPen(warm, 3, Qt::SolidLine, Qt::FlatCap));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawPath(horseshoe);
    c.p.fillRect(cells(3, 2, 6, 5), metal);
    c.p.fillRect(cells(10, 2, 13, 5), metal);
}

void fitToGrid(Canvas &c)
{
    gridDots(c);
    block(c, cells(5, 5, 14, 14));
    for (const QPointF &corner : {QPointF(5, 5), QPointF(13, 5), QPointF(5, 13), QPointF(13, 13)})
        c.p.fillRect(QRectF(corner, QSizeF(1, 1)), warm);
}

// A guide line, against which objects line up.
void guide(Canvas &c, QRectF strip)
{
    c.p.fillRect(strip, warm);
}

enum Side { Start, Middle, End };

// Two objects one above the other with their left edges, centres or right edges on a guide;
// transposed, their tops, middles or bottoms.
void alignedEdges(Canvas &c, Side side)
{
    // Odd widths, so that the guide through the middle has as much of each object on either side.
    const double widths[] = {11, 5};
    const double rows[][2] = {{2, 7}, {9, 14}};
    const double guideAt[] = {1, 7, 14};
    for (int i = 0; i < 2; ++i) {
        const double w = widths[i];
        const double left = side == Start ? 2 : side == Middle ? 7.5 - w / 2 : 14 - w;
        block(c, cells(left, rows[i][0], left + w, rows[i][1]));
    }
    guide(c, cells(guideAt[side], 1, guideAt[side] + 1, 15));
}

void spacedEvenly(Canvas &c)
{
    block(c, cells(1, 4, 4, 10));
    block(c, cells(6, 2, 10, 10));
    block(c, cells(12, 5, 15, 10));
    arrow(c, QPointF(1, 13.5), QPointF(15, 13.5), 1, warm, BothHeads, 2.5);
}

// An object centred in its band, across or down, with arrows showing the equal room on both sides.
void centredInBand(Canvas &c, bool down)
{
    const QRectF band = down ? cells(0, 1, 16, 15) : cells(0, 3, 16, 13);
    c.p.fillRect(band, paper);
    c.p.fillRect(cells(0, band.top(), 16, band.top() + 1), ink);
    c.p.fillRect(cells(0, band.bottom() - 1, 16, band.bottom()), ink);
    const QRectF object = down ? cells(3, 6, 13, 10) : cells(6, 5, 10, 11);
    block(c, object);
    if (down) {
        arrow(c, QPointF(8, band.top() + 1), QPointF(8, object.top() - 0.5), 2, warm, HeadAtEnd, 2);
        arrow(c, QPointF(8, band.bottom() - 1), QPointF(8, object.bottom() + 0.5), 2, warm, HeadAtEnd, 2);
    } else {
        arrow(c, QPointF(0.5, 8), QPointF(object.left() - 0.5, 8), 2, warm, HeadAtEnd, 2);
        arrow(c, QPointF(15.5, 8), QPointF(object.right() + 0.5, 8), 2, warm, HeadAtEnd, 2);
    }
}

void sameWidth(Canvas &c)
{
    arrow(c, QPointF(3, 2.5), QPointF(13, 2.5), 1, warm, BothHeads, 2.5);
    block(c, cells(3, 6, 13, 10));
    block(c, cells(3, 11, 13, 15));
}

// ---- the object toolbar ----

void selectArrow(Canvas &c)
{
    c.p.setPen(QPen(paper, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    c.p.setBrush(ink);
    c.p.drawPolygon(QPolygonF({QPointF(3.5, 1.5), QPointF(3.5, 13.5), QPointF(6.5, 10.5), QPointF(8.5, 14.5),
                               QPointF(10.5, 13.5), QPointF(8.5, 9.5), QPointF(12.5, 9.5)}));
}

void openHand(Canvas &c)
{
    QPainterPath hand;
    const double fingerTops[] = {3.5, 1.5, 2.5, 4.5};
    for (int i = 0; i < 4; ++i) {
        QPainterPath finger;
        finger.addRoundedRect(QRectF(3.5 + 3 * i, fingerTops[i], i == 3 ? 2.5 : 3, 8), 1.4, 1.4);
        hand = hand.united(finger);
    }
    QPainterPath palm;
    palm.addRoundedRect(cells(3.5, 7, 14.5, 14.5), 3, 3);
    hand = hand.united(palm);
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-1.5, -5.5, 3, 6.5), 1.4, 1.4);
    hand = hand.united(QTransform().translate(4.5, 12.5).rotate(-40).map(thumb));
    c.p.setPen(QPen(ink, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    c.p.setBrush(paper);
    c.p.drawPath(hand.simplified());
    for (int i = 1; i < 4; ++i)
        c.p.drawLine(QPointF(3.5 + 3 * i, std::max(fingerTops[i - 1], fingerTops[i]) + 2),
                     QPointF(3.5 + 3 * i, 8.5));
}

void textCursor(Canvas &c)
{
    for (const QRectF &r : {cells(5, 2, 7, 3), cells(8, 2, 10, 3), cells(7, 3, 8, 13), cells(5, 13, 7, 14),
                            cells(8, 13, 10, 14)})
        c.p.fillRect(r, ink);
}

void formatBrush(Canvas &c)
{
    slantedTool(c, QPointF(2, 14), -45, {{4, 2, 4, accent}, {2, 4, 3.5, metal}, {7.5, 2, 2.5, yellow}});
}

// Bands stacked as on a report page, the one being inserted highlighted.
void bands(Canvas &c)
{
    outlined(c, cells(1, 1, 15, 5), ink, paper);
    outlined(c, cells(1, 6, 15, 10), accent, accentSoft);
    outlined(c, cells(1, 11, 15, 15), ink, paper);
}

// A text object: a frame with a letter in it.
void textObject(Canvas &c)
{
    outlined(c, cells(1, 1, 15, 15), ink, paper);
    letters(c, QStringLiteral("A"), QPointF(8, 12.5), 12, ink);
}

// A text object filled in by the system (page numbers, dates): a number sign in the frame, drawn
// stroke by stroke because the font's sign leans and blurs at this size.
void systemTextObject(Canvas &c)
{
    outlined(c, cells(1, 1, 15, 15), ink, paper);
    for (const QRectF &r : {cells(6, 4, 7, 12), cells(9, 4, 10, 12), cells(4, 6, 12, 7), cells(4, 9, 12, 10)})
        c.p.fillRect(r, accent);
}

void pictureObject(Canvas &c)
{
    outlined(c, cells(1, 2, 15, 14), ink, paper);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(accent);
    c.p.drawPolygon(
        QPolygonF({QPointF(2, 13), QPointF(6, 7), QPointF(9, 11), QPointF(11, 9), QPointF(14, 13)}));
    c.p.setBrush(yellow);
    c.p.drawEllipse(QPointF(11, 5.5), 1.6, 1.6);
}

void subreport(Canvas &c)
{
    sheet(c, cells(1, 1, 14, 15));
    sheet(c, cells(5, 6, 12, 14), accentSoft);
}

void drawingShapes(Canvas &c)
{
    c.p.setPen(stroke(ink));
    c.p.setBrush(yellow);
    c.p.drawEllipse(QPointF(10.5, 5.5), 4, 4);
    block(c, cells(1, 7, 9, 15));
    c.p.setPen(QPen(ink, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    c.p.setBrush(warm);
    c.p.drawPolygon(QPolygonF({QPointF(12, 8.5), QPointF(15.5, 14.5), QPointF(8.5, 14.5)}));
}

void otherObjects(Canvas &c)
{
    outlined(c, cells(1, 4, 15, 12), ink, paper, 2);
    for (double x : {4, 7, 10})
        c.p.fillRect(cells(x, 7, x + 2, 9), accent);
}

void lineObject(Canvas &c)
{
    c.p.fillRect(cells(3, 7, 13, 9), ink);
    for (double x : {1, 11})
        outlined(c, cells(x, 6, x + 4, 10), accent, paper);
}

// A diagonal line, with or without heads.
void diagonal(Canvas &c, int heads)
{
    arrow(c, QPointF(2.5, 13.5), QPointF(13.5, 2.5), 1.5, ink, heads, 5);
}

void shape(Canvas &c, const QPainterPath &outline)
{
    c.p.setPen(QPen(accent, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    c.p.setBrush(accentSoft);
    c.p.drawPath(outline);
}

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

void designerWindow(Canvas &c)
{
    sheet(c, cells(1, 1, 13, 15));
    c.p.fillRect(cells(3, 5, 10, 7), accent);
    paragraph(c, cells(3, 8, 10, 13), Qt::AlignLeft | Qt::AlignTop, smallPrint(c),
              linesFitting(cells(3, 8, 10, 13), smallPrint(c)), inkSoft);
    pencil(c, QPointF(8, 15), 11);
}

using Entry = std::pair<QString, Drawing>;

// Every picture by name, in the order of the designer's toolbars.
std::vector<Entry> drawings()
{
    const auto named = [](const char *name, Drawing drawing) {
        return Entry(QString::fromLatin1(name), drawing);
    };
    const auto align = [](Qt::Alignment a) { return [a](Canvas &c) { textAlignment(c, a); }; };
    const auto alignDown = [](Qt::Alignment a) { return [a](Canvas &c) { verticalTextAlignment(c, a); }; };
    const auto frame = [](int edges) { return [edges](Canvas &c) { frameLines(c, edges); }; };
    const auto edgesAcross = [](Side side) { return [side](Canvas &c) { alignedEdges(c, side); }; };
    const auto edgesDown = [](Side side) {
        return [side](Canvas &c) { transposed(c, [side](Canvas &t) { alignedEdges(t, side); }); };
    };
    const auto heads = [](int which) { return [which](Canvas &c) { diagonal(c, which); }; };
    const auto letter = [](const char *text, Face face, bool italic) {
        return
            [=](Canvas &c) { letters(c, QString::fromLatin1(text), QPointF(8, 14), 15, ink, face, italic); };
    };
    const auto withShape = [](QPainterPath outline) { return [outline](Canvas &c) { shape(c, outline); }; };
    QPainterPath rect, rounded, ellipse;
    rect.addRect(QRectF(1.5, 3.5, 13, 9));
    rounded.addRoundedRect(QRectF(1.5, 3.5, 13, 9), 3, 3);
    ellipse.addEllipse(QRectF(1.5, 3.5, 13, 9));
    return {
        named("new", [](Canvas &c) { sheet(c, cells(3, 1, 13, 15)); }),
        named("open", openFolder),
        named("save", floppy),
        named("preview",
              [](Canvas &c) {
                  page(c, cells(1, 1, 12, 15));
                  magnifier(c, QPointF(10, 9.5), 3.5);
              }),
        named("newPage",
              [](Canvas &c) {
                  sheet(c, cells(1, 1, 12, 15));
                  plusBadge(c);
              }),
        named("newDialog", dialogForm),
        named("deletePage",
              [](Canvas &c) {
                  sheet(c, cells(1, 1, 12, 15));
                  crossBadge(c);
              }),
        named("pageSettings", pageSettings),
        named("cut", scissors),
        named("copy",
              [](Canvas &c) {
                  page(c, cells(1, 1, 10, 12));
                  page(c, cells(6, 5, 15, 16));
              }),
        named("paste", clipboard),
        named("undo", hookedArrow),
        named("redo", [](Canvas &c) { mirrored(c, hookedArrow); }),
        named("group", grouped),
        named("ungroup", ungrouped),
        named("delete", [](Canvas &c) { cross(c, cells(3.5, 3.5, 12.5, 12.5), 2.5, warm); }),
        named("bringToFront", [](Canvas &c) { stacked(c, true); }),
        named("sendToBack", [](Canvas &c) { stacked(c, false); }),
        named("selectAll", selectAll),
        named("options", gear),

        named("bold", letter("B", Face::Sans, false)),
        named("italic", letter("I", Face::Serif, true)),
        named("underline", underlined),
        named("font",
              [](Canvas &c) {
                  letters(c, QStringLiteral("A"), QPointF(5.5, 14), 15, ink);
                  letters(c, QStringLiteral("a"), QPointF(12.5, 14), 10, accent);
              }),
        named("fontColor", fontColour),
        named("highlight", highlighter),
        named("rotation", rotation),
        named("textLeft", align(Qt::AlignLeft)),
        named("textCenter", align(Qt::AlignHCenter)),
        named("textRight", align(Qt::AlignRight)),
        named("textBlock", align(Qt::AlignJustify)),
        named("textTop", alignDown(Qt::AlignTop)),
        named("textMiddle", alignDown(Qt::AlignVCenter)),
        named("textBottom", alignDown(Qt::AlignBottom)),

        named("frameTop", frame(TopEdge)),
        named("frameBottom", frame(BottomEdge)),
        named("frameLeft", frame(LeftEdge)),
        named("frameRight", frame(RightEdge)),
        named("frameAll", frame(AllEdges)),
        named("frameNone", frame(0)),
        named("frameEditor", frameEditor),
        named("fillColor", fillBucket),
        named("fillEditor", fillEditor),
        named("frameColor", framePen),
        named("frameStyle", frameStyles),

        named("showGrid", [](Canvas &c) { mesh(c, cells(1, 1, 15, 15), 3, c.hair(), inkSoft); }),
        named("alignToGrid", magnet),
        named("fitToGrid", fitToGrid),
        named("alignLeft", edgesAcross(Start)),
        named("alignMiddle", edgesAcross(Middle)),
        named("alignRight", edgesAcross(End)),
        named("alignTop", edgesDown(Start)),
        named("alignCenter", edgesDown(Middle)),
        named("alignBottom", edgesDown(End)),
        named("spaceHorz", spacedEvenly),
        named("spaceVert", [](Canvas &c) { transposed(c, spacedEvenly); }),
        named("centerHorz", [](Canvas &c) { centredInBand(c, false); }),
        named("centerVert", [](Canvas &c) { centredInBand(c, true); }),
        named("sameWidth", sameWidth),
        named("sameHeight", [](Canvas &c) { transposed(c, sameWidth); }),

        named("selectTool", selectArrow),
        named("handTool", openHand),
        named("zoomTool", [](Canvas &c) { magnifier(c, QPointF(6.5, 6.5), 4.5); }),
        named("editTextTool", textCursor),
        named("copyFormatTool", formatBrush),
        named("insertBand", bands),
        named("obText", textObject),
        named("obPicture", pictureObject),
        named("obSubRep", subreport),
        named("obSysText", systemTextObject),
        named("obCatDraw", drawingShapes),
        named("obCatOther", otherObjects),
        named("obLine", lineObject),
        named("obDiagLine", heads(NoHead)),
        named("obArrowEnd", heads(HeadAtEnd)),
        named("obArrowStart", heads(HeadAtStart)),
        named("obArrowBoth", heads(BothHeads)),
        named("obRect", withShape(rect)),
        named("obRoundRect", withShape(rounded)),
        named("obEllipse", withShape(ellipse)),
        named("obTrian", withShape(polygonPath({QPointF(8, 1.5), QPointF(14.5, 14.5), QPointF(1.5, 14.5)}))),
        named("obDiamond",
              withShape(polygonPath({QPointF(8, 1), QPointF(15, 8), QPointF(8, 15), QPointF(1, 8)}))),

        named("designer", designerWindow),
    };
}

// How strongly a pixel is dark ink: opaque and dark gives 1; paper, the accent and the warm red
// count for little or nothing.
double darkness(const QColor &colour)
{
    const double luma = 0.3 * colour.red() + 0.59 * colour.green() + 0.11 * colour.blue();
    return colour.alphaF() * std::clamp((120 - luma) / 40, 0.0, 1.0);
}

// The darkest ink on a pixel or any of its eight neighbours.
double darkestAround(const QImage &picture, int x, int y)
{
    double darkest = 0;
    for (int ny = std::max(0, y - 1); ny <= std::min(picture.height() - 1, y + 1); ++ny)
        for (int nx = std::max(0, x - 1); nx <= std::min(picture.width() - 1, x + 1); ++nx)
            darkest = std::max(darkest, darkness(picture.pixelColor(nx, ny)));
    return darkest;
}

// Ink all but vanishes on a dark toolbar. A faint paper rim, one pixel wide, laid under the dark
// strokes keeps them legible there and is lost against a light toolbar.
QImage withRim(const QImage &picture)
{
    const double strength = 0.55;
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.size(), QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const double rim = darkestAround(source, x, y);
            const QColor over = source.pixelColor(x, y);
            const double under = strength * rim * (1 - over.alphaF());
            const double alpha = over.alphaF() + under;
            const auto mix = [&](double top, double bottom) {
                return alpha > 0 ? (top * over.alphaF() + bottom * under) / alpha : 0;
            };
            result.setPixelColor(x, y,
                                 QColor::fromRgbF(float(mix(over.redF(), paper.redF())),
                                                  float(mix(over.greenF(), paper.greenF())),
                                                  float(mix(over.blueF(), paper.blueF())), float(alpha)));
        }
    }
    return result;
}

QImage render(const Drawing &drawing, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / 16.0, size / 16.0);
    Canvas canvas{painter, size};
    drawing(canvas);
    painter.end();
    return withRim(image);
}

bool writeImage(const QString &path, const QImage &image)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

// The resource list the designer's build compiles in, in the order the pictures are drawn.
bool writeResourceList(const QString &path, const QStringList &files)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = "<RCC>\n  <qresource prefix=\"/designer/icons\">\n";
    for (const QString &name : files)
        text += "    <file>" + name.toUtf8() + "</file>\n";
    text += "  </qresource>\n</RCC>\n";
    file.write(text);
    return file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QStringList files;
    for (const auto &[name, drawing] : drawings()) {
        for (const auto &[size, suffix] : {std::pair(16, QString()), std::pair(32, QStringLiteral("@2x"))}) {
            const QString file = name + suffix + QStringLiteral(".png");
            if (!writeImage(folder + u'/' + file, render(drawing, size)))
                return 1;
            files << file;
        }
    }
    return writeResourceList(folder + QStringLiteral("/designer_icons.qrc"), files) ? 0 : 1;
}

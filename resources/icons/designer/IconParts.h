#pragma once

// The parts the designer's button pictures are made of: the family's colours, a canvas that draws
// both sizes from one grid, and the pieces several pictures share (a page, lines of text, a frame
// edge, an arrow, a pencil, a badge...). Used by DesignerIconGenerator.cpp.
#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>

#include <functional>
#include <initializer_list>

inline const QColor ink(0x37, 0x47, 0x4f);
inline const QColor accent(0x1e, 0x88, 0xe5);
inline const QColor paper(0xfa, 0xfa, 0xfa);
inline const QColor warm(0xe5, 0x39, 0x35);
inline const QColor yellow(0xff, 0xca, 0x28); // the preview's folder yellow
inline const QColor yellowSoft(0xff, 0xe0, 0x82);
inline const QColor inkSoft = ink.lighter(160);
inline const QColor metal = ink.lighter(200);
inline const QColor accentSoft = accent.lighter(170);

// A picture being drawn. The painter is scaled so that drawings use one 16-unit grid for both sizes:
// a whole grid unit is a pixel edge in the small picture and an even pixel edge in the large one, so
// a one-unit line on half units is sharp in both. hair() is one pixel of the picture being drawn,
// for details that only the large picture has room for.
struct Canvas
{
    QPainter &p;
    int size;

    bool large() const { return size > 16; }
    double hair() const { return 16.0 / size; }
};

using Drawing = std::function<void(Canvas &)>;

// A rectangle given by its edges on the grid.
QRectF cells(double left, double top, double right, double bottom);

QPen stroke(QColor colour, double width = 1);

// A rectangle whose outline lies inside the given cells, on whole pixels.
void outlined(Canvas &c, QRectF area, QColor line, const QBrush &fill, double radius = 0, double width = 1);

// A dashed strip of cells: dashes as long as `dash` with gaps of `gap`, along the strip's long side.
void dashed(Canvas &c, QRectF strip, double dash, double gap, QColor colour);

// A dotted strip: square dots as thick as the strip, a dot apart.
void dotted(Canvas &c, QRectF strip, QColor colour);

// A dotted outline one unit wide inside the given cells.
void dottedFrame(Canvas &c, QRectF area, QColor colour);

// A page with its top right corner folded over.
void sheet(Canvas &c, QRectF area, QColor fill = paper);

// A page with writing on it.
void page(Canvas &c, QRectF area);

// How the lines of a paragraph are ruled: their thickness and the distance from one to the next.
struct Ruling
{
    double thick;
    double pitch;
};

// Lines of text standing for words: bold enough to read as a paragraph on a button.
Ruling bodyText(const Canvas &c);

// The finest lines the picture can show, for writing on a page.
Ruling smallPrint(const Canvas &c);

int linesFitting(QRectF area, Ruling ruling);

// A paragraph of `count` lines in an area, set left, centred, right or justified, and at the top,
// middle or bottom.
void paragraph(Canvas &c, QRectF area, Qt::Alignment align, Ruling ruling, int count, QColor colour = ink);

enum class Face { Sans, Serif };

// Bold letters with their ink centred on anchor.x() and standing on the baseline anchor.y().
void letters(Canvas &c, const QString &text, QPointF anchor, double size, QColor colour,
             Face face = Face::Sans, bool italic = false);

// A filled arrowhead with its point at `tip`, coming from the direction of `from`.
void arrowHead(Canvas &c, QPointF tip, QPointF from, double length, double halfWidth, QColor colour);

enum Heads { NoHead = 0, HeadAtStart = 1, HeadAtEnd = 2, BothHeads = 3 };

// A straight arrow with heads of the given length at none, one or both of its ends.
void arrow(Canvas &c, QPointF from, QPointF to, double width, QColor colour, int heads, double head = 3);

// Draws with x and y swapped, which turns a drawing about things side by side into one about things
// one above the other, and keeps every line on its pixels.
void transposed(Canvas &c, const Drawing &drawing);

// Draws mirrored left to right.
void mirrored(Canvas &c, const Drawing &drawing);

// One piece of a tool held in the hand (a pencil's point, a brush's bristles, a handle), counted from
// the tip: its length, its width where it starts and where it ends.
struct Piece
{
    double length;
    double startWidth;
    double endWidth;
    QColor colour;
};

// A tool lying at an angle with its tip at `tip`, drawn piece by piece from the tip.
void slantedTool(Canvas &c, QPointF tip, double angle, std::initializer_list<Piece> pieces);

// A pencil pointing down and to the left.
void pencil(Canvas &c, QPointF tip, double length);

// The pencil in the bottom right corner of the editors' pictures.
void editBadge(Canvas &c);

// A strip at the bottom of the picture showing the colour a button applies.
void colourBar(Canvas &c, QColor colour);

// An object on the page as the layout commands show it.
void block(Canvas &c, QRectF area);

// A selection handle centred on the pixel at a corner.
void handle(Canvas &c, QPointF pixel);

// A plus in the bottom right corner, for adding.
void plusBadge(Canvas &c);

// A cross, for taking away.
void cross(Canvas &c, QRectF area, double width, QColor colour);

// A cross in the bottom right corner.
void crossBadge(Canvas &c);

void magnifier(Canvas &c, QPointF centre, double radius);

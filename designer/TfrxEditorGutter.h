#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QPalette;

// The look of the script editor's gutter: a quiet strip left of the text with a breakpoint dot,
// the arrow of the line being debugged, a bookmark tag with its number, and a small dot on lines
// that the debugger found executable. It also gives the tints of breakpoint and debugged lines.
class TfrxEditorGutter
{
public:
    static constexpr int Width = 30;

    struct LineMarks
    {
        int bookmark = -1;
        bool breakPoint = false;
        bool conditional = false; // the breakpoint has a condition
        bool active = false;
        bool executable = false;
    };

    explicit TfrxEditorGutter(const QPalette &palette);

    // The strip's background and its edge, over the whole height.
    void PaintStrip(QPainter &painter, const QRect &strip) const;
    // The marks of one line in its cell of the strip.
    void PaintMarks(QPainter &painter, const QRect &cell, const LineMarks &marks) const;
    // The background of a line's text; invalid when the line has no tint of its own.
    static QColor LineTint(const LineMarks &marks);

private:
    void PaintBreakPoint(QPainter &painter, const QRectF &dot, bool conditional) const;
    void PaintArrow(QPainter &painter, const QRectF &box) const;
    void PaintBookmark(QPainter &painter, const QRectF &tag, int number) const;

    QColor FBackground;
    QColor FEdge;
};

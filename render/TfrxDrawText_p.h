#pragma once
#include "TfrxDrawText.h"
#include "TfrxHTMLTagsList.h"

#include <QList>

#include <cmath>

class QPainter;

// A real taken to the nearest integer, halves to the even neighbour. Values beyond the integer
// range (a corrupt template's sizes) are held at its ends instead of overflowing.
inline int nearest(double x)
{
    if (!(x == x))
        return 0;
    const double r = std::nearbyint(x);
    if (r >= 2147483647.0)
        return 2147483647;
    if (r <= -2147483648.0)
        return -2147483647 - 1;
    return int(r);
}

// Where the first line starts on the device, how long a line is, the span the block is aligned
// in, and the direction of vertical alignment.
struct TfrxLineOrigin
{
    int X = 0;
    int Y = 0;
    int W = 0;
    int V = 0;
    double C = 1;
    double S = 0;
};

struct TfrxDrawTextPrivate
{
    TfrxTextFont FFont;
    int FFontSize = 10;
    int FMeasureHeight = 83; // em height of the measuring font, layout units
    TfrxHTMLTagsList FHTMLTags;
    double FCharSpacing = 0;
    double FLineSpacing = 0;
    double FParagraphGap = 0;
    int FOptions = 0;
    QRect FOriginalRect;
    QRect FScaledRect;
    double FPrintScale = 1;
    double FScaleX = 1;
    double FScaleY = 1;
    QString FPlainText;
    int FRotation = 0;
    bool FRTLReading = false;
    TfrxWideStrings FText;
    QList<bool> FHyphenated; // per wrapped line: ends in a hyphen that the layout added
    bool FWordBreak = false;
    bool FWordWrap = true;
    bool FWysiwyg = true;
    bool FUseDefaultCharset = false;
    bool FAllowTags = false;
    QList<qint64> FTempArray;

    // Widths of the characters of a line in the faces of their tags at `pixelSize`, each plus
    // `spacing` (a smaller tag size divides by 1.5), into FTempArray, cumulative on request.
    // Returns the sum.
    qint64 FillCharSpacingArray(const QString &line, const TfrxHTMLTags &tags, int pixelSize, int spacing,
                                bool cumulative);
    // The measured extent of a line, run by run in the styles of its tags.
    qint64 lineExtent(const QString &line, const TfrxHTMLTags &tags, int pixelSize) const;
    void WrapTextLine(const QString &line, qint64 firstLimit, qint64 limit);
    void addWrapped(const QString &text, const TfrxHTMLTags &tags, qsizetype from, qsizetype to, bool hyphen);
    int breakWord(const QString &text, qsizetype start, qsizetype overflow) const;
    double linePitch() const;
    int linesThatFit() const;

    // Drawing
    TfrxLineOrigin CalcRotatedCoords(int g) const;
    void DrawTextLine(QPainter *canvas, int index, int x, int y, int width, TfrxHAlign align, int devHeight,
                      bool printer, int dpiX);
    void drawRun(QPainter *canvas, int x, int y, const QString &text, const TfrxHTMLTag &tag, qsizetype from,
                 qsizetype to, int pixelSize, const QList<qint64> &widths);
};

// Gives n units to elements a..b, halving the range each time, so they land spread out.
void IncArray(QList<qint64> &array, qsizetype a, qsizetype b, int unit, qint64 n);

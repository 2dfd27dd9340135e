#include "TfrxFrame.h"

#include "TfrxFrameLine.h"
#include "zorDraw_p.h"

#include <QHash>
#include <QPainter>

#include <algorithm>

using namespace zor;
using zor::draw::Bounded;
using zor::draw::FillRect;

TfrxFrame::TfrxFrame(QObject *parent)
    : TfrxPersistent(parent),
      FLeftLine(new TfrxFrameLine(this)),
      FTopLine(new TfrxFrameLine(this)),
      FRightLine(new TfrxFrameLine(this)),
      FBottomLine(new TfrxFrameLine(this))
{
}

void TfrxFrame::SetColor(int value)
{
    FColor = value;
    for (TfrxFrameLine *line : {FLeftLine, FTopLine, FRightLine, FBottomLine})
        line->SetColor(value);
}

void TfrxFrame::SetStyle(TfrxFrameStyle value)
{
    FStyle = value;
    for (TfrxFrameLine *line : {FLeftLine, FTopLine, FRightLine, FBottomLine})
        line->SetStyle(value);
}

void TfrxFrame::SetWidth(double value)
{
    FWidth = value;
    for (TfrxFrameLine *line : {FLeftLine, FTopLine, FRightLine, FBottomLine})
        line->SetWidth(value);
}

void TfrxFrame::SetLeftLine(TfrxFrameLine *value)
{
    FLeftLine->Assign(value);
}

void TfrxFrame::SetTopLine(TfrxFrameLine *value)
{
    FTopLine->Assign(value);
}

void TfrxFrame::SetRightLine(TfrxFrameLine *value)
{
    FRightLine->Assign(value);
}

void TfrxFrame::SetBottomLine(TfrxFrameLine *value)
{
    FBottomLine->Assign(value);
}

void TfrxFrame::Assign(const TfrxPersistent *source)
{
    const auto *f = qobject_cast<const TfrxFrame *>(source);
    if (f == nullptr || f == this)
        return;
    FColor = f->FColor;
    FDropShadow = f->FDropShadow;
    FShadowColor = f->FShadowColor;
    FShadowWidth = f->FShadowWidth;
    FStyle = f->FStyle;
    FTyp = f->FTyp;
    FWidth = f->FWidth;
    FLeftLine->Assign(f->FLeftLine);
    FTopLine->Assign(f->FTopLine);
    FRightLine->Assign(f->FRightLine);
    FBottomLine->Assign(f->FBottomLine);
}

bool TfrxFrame::Equals(const TfrxFrame &o) const
{
    return FColor == o.FColor && FDropShadow == o.FDropShadow && FShadowColor == o.FShadowColor
        && FShadowWidth == o.FShadowWidth && FStyle == o.FStyle && FTyp == o.FTyp && FWidth == o.FWidth
        && FLeftLine->Equals(*o.FLeftLine) && FTopLine->Equals(*o.FTopLine)
        && FRightLine->Equals(*o.FRightLine) && FBottomLine->Equals(*o.FBottomLine);
}

bool TfrxFrame::IsPropertyStored(const char *name) const
{
    if (qstrcmp(name, "ShadowWidth") == 0)
        return FShadowWidth != 4;
    if (qstrcmp(name, "Width") == 0)
        return FWidth != 1;
    return true;
}

QString TfrxFrame::Diff(const TfrxFrame &o, const QString &prefix) const
{
    QString s;
    const auto attr = [&](const QString &name, const QString &value) {
        s += QLatin1Char(' ') + prefix + name + QStringLiteral("=\"") + value + QLatin1Char('"');
    };
    if (FColor != o.FColor)
        attr(QStringLiteral(".Color"), QString::number(FColor));
    if (FDropShadow != o.FDropShadow)
        attr(QStringLiteral(".DropShadow"), BoolText(FDropShadow));
    if (FShadowColor != o.FShadowColor)
        attr(QStringLiteral(".ShadowColor"), QString::number(FShadowColor));
    if (FShadowWidth != o.FShadowWidth)
        attr(QStringLiteral(".ShadowWidth"), FloatText(FShadowWidth));
    if (FStyle != o.FStyle)
        attr(QStringLiteral(".Style"), QString::number(FStyle));
    if (FTyp != o.FTyp)
        attr(QStringLiteral(".Typ"), QString::number(FTyp.toInt()));
    if (FWidth != o.FWidth)
        attr(QStringLiteral(".Width"), FloatText(FWidth));
    const std::pair<const char *, std::pair<TfrxFrameLine *, TfrxFrameLine *>> lines[] = {
        {".LeftLine", {FLeftLine, o.FLeftLine}},
        {".TopLine", {FTopLine, o.FTopLine}},
        {".RightLine", {FRightLine, o.FRightLine}},
        {".BottomLine", {FBottomLine, o.FBottomLine}},
    };
    for (const auto &[name, pair] : lines) {
        const QString lineName = QLatin1String(name);
        if (pair.first->Color() != pair.second->Color())
            attr(lineName + QStringLiteral(".Color"), QString::number(pair.first->Color()));
        if (pair.first->Style() != pair.second->Style())
            attr(lineName + QStringLiteral(".Style"), QString::number(pair.first->Style()));
        if (pair.first->Width() != pair.second->Width())
            attr(lineName + QStringLiteral(".Width"), FloatText(pair.first->Width()));
    }
    return s;
}

namespace {

// One side of a frame in device pixels: the edge it lies on, the run along it, which of its ends
// meet a drawn side, and on which side of the edge "outside" is.
struct Side {
    bool Vertical;
    int Edge;
    int From;
    int To;
    bool StartClosed;
    bool EndClosed;
    int Outward;  // -1 for left and top, +1 for right and bottom
    const TfrxFrameLine *Line;
    double Scale;
};

// Fills the pixels [across0, across1) x [along0, along1) of a side.
void Band(QPainter *p, const Side &s, int across0, int across1, int along0, int along1, const QColor &c)
{
    if (s.Vertical)
        FillRect(p, across0, along0, across1, along1, c);
    else
        FillRect(p, along0, across0, along1, across1, c);
}

// A solid line has square ends reaching half its width beyond each end point; an open end stops
// at the corner point.
void DrawSolid(QPainter *p, const Side &s, int w, const QColor &c)
{
    const int from = s.StartClosed ? s.From - w / 2 : s.From;
    const int to = s.EndClosed ? s.To + (w - w / 2) : s.To + 1;
    Band(p, s, s.Edge - w / 2, s.Edge - w / 2 + w, from, to, c);
}

// A double line: two lines of the line width, one width outside and one inside the edge. At a
// closed corner the outer line is extended and the inner one shortened by one width.
void DrawDouble(QPainter *p, const Side &s, int w, const QColor &c)
{
    for (const int dir : {s.Outward, -s.Outward}) {
        const int grow = dir == s.Outward ? w : -w;
        const int centre = s.Edge + dir * w;
        const int from = s.StartClosed ? s.From - grow - w / 2 : s.From;
        const int to = s.EndClosed ? s.To + grow + (w - w / 2) : s.To + 1;
        Band(p, s, centre - w / 2, centre - w / 2 + w, from, to, c);
    }
}

// Dashed styles: the platform's dash patterns with a one-pixel pen, w lines side by side.
void DrawDashed(QPainter *p, const Side &s, int w, const QColor &c, TfrxFrameStyle style)
{
    static const QHash<int, QList<qreal>> patterns = {
        {fsDash, {18, 6}},
        {fsDot, {3, 3}},
        {fsDashDot, {9, 6, 3, 6}},
        {fsDashDotDot, {9, 3, 3, 3, 3, 3}},
    };
    QPen pen(c);
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern(patterns.value(style));
    p->setPen(pen);
    const QRect bounds = zor::draw::DeviceBounds(p);
    const int lo = s.Vertical ? bounds.left() : bounds.top();
    const int hi = s.Vertical ? bounds.right() : bounds.bottom();
    for (int k = 0; k < w; ++k) {
        const int across = s.Edge - w / 2 + k;
        if (across < lo || across > hi)
            continue;
        if (s.Vertical)
            p->drawLine(across, s.From, across, s.To);
        else
            p->drawLine(s.From, across, s.To, across);
    }
}

// Dots drawn one by one along the visible part of the side: alternate pixels for thin lines,
// else round dots (fsAltDot) or squares (fsSquare) of the line's width with equal gaps.
void DrawDots(QPainter *p, const Side &s, int w, const QColor &c, TfrxFrameStyle style)
{
    const int size = std::max(1, w);
    const int step = 2 * size;
    const QRect bounds = zor::draw::DeviceBounds(p);
    const int lo = std::max(s.From, (s.Vertical ? bounds.top() : bounds.left()) - size);
    const int hi = std::min(s.To, (s.Vertical ? bounds.bottom() : bounds.right()) + size);
    if (hi < lo)
        return;
    const int first = s.From + (lo - s.From) / step * step;
    const bool round = style == fsAltDot && size > 1;
    p->setPen(Qt::NoPen);
    p->setBrush(c);
    for (int along = first; along <= hi; along += step) {
        const int across = s.Edge - size / 2;
        const QRect r = s.Vertical ? QRect(across, along, size, size) : QRect(along, across, size, size);
        if (round)
            p->drawEllipse(r);
        else
            Band(p, s, across, across + size, along, along + size, c);
    }
}

void DrawSide(QPainter *p, const Side &s)
{
    const QColor c = ToQColor(s.Line->Color());
    if (!c.isValid())
        return;
    const int w = std::max(1, Bounded(Nearest(s.Line->Width() * s.Scale)));
    switch (s.Line->Style()) {
    case fsSolid:
        return DrawSolid(p, s, w, c);
    case fsDouble:
        return DrawDouble(p, s, w, c);
    case fsAltDot:
    case fsSquare:
        return DrawDots(p, s, w, c, s.Line->Style());
    default:
        return DrawDashed(p, s, w, c, s.Line->Style());
    }
}

}  // namespace

void TfrxFrame::Draw(QPainter *canvas, int x, int y, int x1, int y1, double scaleX, double scaleY) const
{
    zor::draw::Aliased guard(canvas);
    if (FDropShadow) {
        const QColor shadow = ToQColor(FShadowColor);
        const int s = Bounded(Nearest(FShadowWidth * scaleX));
        const int s2 = Bounded(Nearest(FShadowWidth * scaleY));
        FillRect(canvas, x1, y + s, x1 + s, y1, shadow);
        FillRect(canvas, x + s2, y1, x1 + s2, y1 + s2, shadow);
    }
    if (FTyp == TfrxFrameTypes() || FColor == clTransparent || FWidth == 0)
        return;
    const bool left = FTyp.testFlag(ftLeft), right = FTyp.testFlag(ftRight);
    const bool top = FTyp.testFlag(ftTop), bottom = FTyp.testFlag(ftBottom);
    const Side sides[] = {
        {true, x, y, y1, top, bottom, -1, FLeftLine, scaleX},
        {true, x1, y, y1, top, bottom, +1, FRightLine, scaleX},
        {false, y, x, x1, left, right, -1, FTopLine, scaleY},
        {false, y1, x, x1, left, right, +1, FBottomLine, scaleY},
    };
    const bool drawn[] = {left, right, top, bottom};
    for (int i = 0; i < 4; ++i) {
        if (drawn[i])
            DrawSide(canvas, sides[i]);
    }
}

// Drawing of laid-out text on a screen, memory or printer surface.
#include "TfrxDrawText.h"

#include "TfrxDrawText_p.h"
#include "TfrxFontFace.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>

#include <cstdlib>
#include <numbers>

namespace {

constexpr double kLayoutScale = double(TfrxDrawText::FDefPPI) / TfrxDrawText::FScrPPI;

QColor toQColor(quint32 color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

int deviceDpi(int dpi)
{
    return dpi > 0 ? dpi : TfrxDrawText::FScrPPI;
}

bool isBlank(QChar c)
{
    return c == u' ' || c.unicode() == 0xA0;
}

// Spreads n units (n less than or equal to the elements) as evenly as the halving allows, or
// gives every element its share first when there are more units than elements.
void spread(QList<qint64> &array, qsizetype first, qsizetype last, qint64 excess)
{
    const qint64 count = last - first + 1;
    if (excess == 0 || count <= 0)
        return;
    const int sign = excess < 0 ? -1 : 1;
    qint64 units = excess < 0 ? -excess : excess;
    if (units >= count) {
        for (qsizetype k = first; k <= last; ++k)
            array[k] += units / count * sign;
        units %= count;
    }
    IncArray(array, first, last, sign, units);
}

} // namespace

void IncArray(QList<qint64> &array, qsizetype a, qsizetype b, int unit, qint64 n)
{
    if (n <= 0 || a > b)
        return;
    const qsizetype c = std::max<qsizetype>(1, (b - a + 1) / 2);
    if (n == 1) {
        array[a + c - 1] += unit;
        return;
    }
    IncArray(array, a, a + c - 1, unit, n / 2);
    IncArray(array, a + c, b, unit, n - n / 2);
}

// The start of the first line, the line length and the span of vertical alignment for the
// rotation, from the scaled rectangle and the block height g.
TfrxLineOrigin TfrxDrawTextPrivate::CalcRotatedCoords(int g) const
{
    const int L = FScaledRect.left();
    const int T = FScaledRect.top();
    const int R = L + FScaledRect.width();
    const int B = T + FScaledRect.height();
    const int r = FRotation;
    const double angle = r * std::numbers::pi / 180;
    const double S = std::abs(std::sin(angle));
    const double K = std::abs(std::cos(angle));
    TfrxLineOrigin o;
    if (r % 90 == 0) {
        o.C = std::round(std::cos(angle));
        o.S = std::round(std::sin(angle));
        switch (r) {
        case 0:
            o = {L, T, R - L, B - T, o.C, o.S};
            break;
        case 90:
            o = {L, B, B - T, R - L, o.C, o.S};
            break;
        case 180:
            o = {R, B, R - L, B - T, o.C, o.S};
            break;
        default:
            o = {R, T, B - T, R - L, o.C, o.S};
            break;
        }
        return o;
    }
    o.W = nearest((R - L - S * g) / K);
    if (r < 90) {
        o.X = L;
        o.Y = T + nearest(S * o.W);
        o.V = g + B - o.Y - nearest(K * g);
        o.C = 1;
    } else if (r < 180) {
        o.X = L + nearest(K * o.W);
        o.Y = B;
        o.V = g + B - T - nearest(K * g + S * o.W);
        o.C = -1;
    } else if (r < 270) {
        o.X = R;
        o.Y = B - nearest(S * o.W);
        o.V = g + o.Y - T - nearest(K * g);
        o.C = -1;
    } else {
        o.X = L + nearest(S * g);
        o.Y = T;
        o.V = g + B - T - nearest(S * o.W + K * g);
        o.C = 1;
    }
    o.S = 0;
    return o;
}

void TfrxDrawText::DrawText(QPainter *Canvas, TfrxHAlign HAlign, TfrxVAlign VAlign)
{
    const int n = d->FText.count();
    if (!Canvas || n == 0 || d->FHTMLTags.count() == 0)
        return;
    const bool printer = IsPrinter(Canvas);
    const int dpiX = deviceDpi(Canvas->device()->logicalDpiX());
    const int dpiY = deviceDpi(Canvas->device()->logicalDpiY());
    const int devHeight = printer ? nearest(dpiY * d->FFontSize * d->FPrintScale / 72)
                                  : nearest(d->FFontSize * d->FScaleY * 96 / 72);
    const int h600 = d->FMeasureHeight;
    const double ls = d->FLineSpacing;
    int g;
    if (printer) {
        const double dd = double(FDefPPI) / dpiY / d->FPrintScale;
        g = nearest((ls * d->FScaleY * dd * n + double(h600) * n) / dd);
    } else {
        g = nearest((ls * kLayoutScale * n + double(h600) * n) / kLayoutScale * d->FScaleY);
    }

    // Line advances; the excess of the layout's block height over the device's goes into the
    // gaps between lines (there are none in a one-line text).
    const qint64 a = qint64(devHeight) + nearest(ls * d->FScaleY);
    QList<qint64> advances(std::max(0, n - 1), a);
    if (d->FWysiwyg && n >= 2)
        spread(advances, 0, n - 2, g - n * a);

    TfrxLineOrigin o = d->CalcRotatedCoords(g);
    const int free = o.V - g;
    if (VAlign == vaBottom || VAlign == vaCenter) {
        const double shift = VAlign == vaBottom ? free : free / 2.0;
        o.Y += nearest(o.C * shift);
        o.X += nearest(o.S * shift);
    }

    const double angle = d->FRotation * std::numbers::pi / 180;
    Canvas->save();
    Canvas->setBackgroundMode(Qt::TransparentMode);
    if (d->FOptions & kClipOption)
        Canvas->setClipRect(d->FScaledRect, Qt::IntersectClip);
    int x = o.X;
    int y = o.Y;
    for (int i = 0; i < n; ++i) {
        const int flags = d->FText.object(i);
        const bool indent = (flags & 1) && (HAlign == haLeft || HAlign == haBlock);
        const int p = indent ? nearest(d->FParagraphGap * d->FScaleX) : 0;
        TfrxHAlign align = HAlign;
        if (HAlign == haBlock && (flags & 2))
            align = d->FRTLReading ? haRight : haLeft;
        d->DrawTextLine(Canvas, i, x + p, y, o.W - p, align, devHeight, printer, dpiX);
        if (i < n - 1) {
            y += nearest(double(advances.at(i)) * std::cos(angle));
            x += nearest(double(advances.at(i)) * std::sin(angle));
        }
    }
    Canvas->restore();
}

void TfrxDrawTextPrivate::DrawTextLine(QPainter *canvas, int index, int x, int y, int width, TfrxHAlign align,
                                       int devHeight, bool printer, int dpiX)
{
    const QString &text = FText.at(index);
    const TfrxHTMLTags &tags = FHTMLTags.at(index);
    const int count = int(text.size());
    if (count == 0 || tags.size() < count)
        return;
    const double angle = FRotation * std::numbers::pi / 180;
    const double cosr = std::cos(angle);
    const double sinr = std::sin(angle);

    const int layoutSpacing = nearest(FCharSpacing * kLayoutScale);
    const qint64 f = FillCharSpacingArray(text, tags, FMeasureHeight, layoutSpacing, false) - layoutSpacing;
    const int deviceSpacing = nearest(FCharSpacing * FScaleX);
    const qint64 m = FillCharSpacingArray(text, tags, devHeight, deviceSpacing, false) - deviceSpacing;
    QList<qint64> widths = FTempArray.first(count);

    qint64 v = printer ? nearest(double(f) * FPrintScale / (double(TfrxDrawText::FDefPPI) / dpiX))
                       : nearest(double(f) / kLayoutScale * FScaleX);
    if (!FWysiwyg)
        v = m;
    qint64 excess = v - m;
    const qint64 freeSpace = width - v;
    int blanks = 0;
    switch (align) {
    case haRight:
        x += nearest(double(freeSpace + 1) * cosr);
        y -= nearest(double(freeSpace + 1) * sinr);
        x -= 1;
        if ((FFont.Style & 3) && FRotation == 0)
            x -= 1;
        break;
    case haCenter:
        x += nearest(double(freeSpace) / 2.0 * cosr);
        y -= nearest(double(freeSpace) / 2.0 * sinr);
        break;
    case haBlock:
        for (QChar c : text)
            blanks += isBlank(c) ? 1 : 0;
        if (blanks > 0)
            excess = std::abs(qint64(width)) - m;
        break;
    case haLeft:
        break;
    }

    if (FWysiwyg && excess != 0) {
        if (align == haBlock && blanks > 0) {
            const int sign = excess < 0 ? -1 : 1;
            const qint64 each = std::abs(excess) / blanks;
            qint64 extra = std::abs(excess) % blanks;
            for (int k = 0; k < count; ++k) {
                if (!isBlank(text.at(k)))
                    continue;
                widths[k] += (each + (extra > 0 ? 1 : 0)) * sign;
                --extra;
            }
        } else {
            spread(widths, 0, count - 1, excess);
        }
    }

    // Runs of one formatting, each output at once with its characters' advances. Right-to-left
    // reading mirrors the line: its first run ends at the line's right end.
    const bool rtl = FOptions & TfrxDrawText::kRTLReadingOption;
    qint64 lineWidth = 0;
    for (qint64 w : widths)
        lineWidth += w;
    qint64 before = 0;
    int from = 0;
    while (from < count) {
        int to = from + 1;
        while (to < count && tags.at(to).Default)
            ++to;
        const TfrxHTMLTag &tag = tags.at(from);
        const int size = tag.Size == FFontSize ? devHeight
                         : printer             ? nearest(tag.Size * dpiX * FPrintScale / 72)
                                               : nearest(tag.Size * FScaleY * 96 / 72);
        const int e = nearest(tag.AddY * tag.Size * FScaleY);
        const QList<qint64> runWidths = widths.mid(from, to - from);
        qint64 w = 0;
        for (qint64 advance : runWidths)
            w += advance;
        const double offset = double(rtl ? lineWidth - before - w : before);
        drawRun(canvas, x + nearest(offset * cosr) + nearest(e * sinr),
                y - nearest(offset * sinr) + nearest(e * cosr), text, tag, from, to, size, runWidths);
        before += w;
        from = to;
    }
}

void TfrxDrawTextPrivate::drawRun(QPainter *canvas, int x, int y, const QString &text, const TfrxHTMLTag &tag,
                                  qsizetype from, qsizetype to, int pixelSize, const QList<qint64> &widths)
{
    const std::shared_ptr<TfrxFontFace> face = TfrxFontFace::get(FFont.Name, pixelSize, tag.Style);
    qint64 total = 0;
    for (qint64 w : widths)
        total += w;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(to - from);
    positions.reserve(to - from);
    qint64 pen = 0;
    for (qsizetype k = from; k < to; ++k) {
        const qint64 w = widths.at(k - from);
        const QChar c = text.at(k);
        if (!c.isLowSurrogate() || k == 0 || !text.at(k - 1).isHighSurrogate()) {
            const char32_t code = (c.isHighSurrogate() && k + 1 < text.size())
                                      ? QChar::surrogateToUcs4(c, text.at(k + 1))
                                      : char32_t(c.unicode());
            // Right-to-left reading places the first character at the right end of the run.
            const qint64 left = (FOptions & TfrxDrawText::kRTLReadingOption) ? total - pen - w : pen;
            glyphs.append(face->glyph(code));
            positions.append(QPointF(double(left), face->ascent()));
        }
        pen += w;
    }
    QGlyphRun run;
    run.setRawFont(face->raw());
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    canvas->save();
    const QColor color = toQColor(tag.Color);
    canvas->setPen(color);
    canvas->translate(x, y);
    if (FRotation != 0)
        canvas->rotate(-FRotation);
    canvas->drawGlyphRun(QPointF(0, 0), run);
    // Underline and strike-out are ruled here over the run's placed width (the glyph run's own
    // decorations would follow the font's advances instead).
    const QRawFont &raw = face->raw();
    const double thickness = std::max(1.0, raw.lineThickness());
    if (tag.Style & 4)
        canvas->fillRect(QRectF(0, face->ascent() + raw.underlinePosition(), double(total), thickness),
                         color);
    if (tag.Style & 8)
        canvas->fillRect(
            QRectF(0, face->ascent() - raw.xHeight() / 2 - thickness / 2, double(total), thickness), color);
    canvas->restore();
}

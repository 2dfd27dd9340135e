#include "TfrxDrawText.h"

#include "TfrxDrawText_p.h"
#include "TfrxFontFace.h"
#include "zorUnicodeUtils.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRecursiveMutex>

#include <algorithm>

namespace {

// Layout units per report pixel.
constexpr double kLayoutScale = double(TfrxDrawText::FDefPPI) / TfrxDrawText::FScrPPI;

QRecursiveMutex &layoutMutex()
{
    static QRecursiveMutex mutex;
    return mutex;
}

bool isWordEnd(QChar c)
{
    return QStringView(u" .,-;").contains(c);
}

// The largest font size of the platform, in points, and the largest gap, in report pixels.
constexpr int kMaxFontSize = 1638;
constexpr double kMaxGap = 100000;

int normalisedRotation(int rotation)
{
    const int r = rotation % 360;
    return r < 0 ? r + 360 : r;
}

} // namespace

TfrxDrawText::TfrxDrawText() : d(std::make_unique<TfrxDrawTextPrivate>()) {}

TfrxDrawText::~TfrxDrawText() = default;

TfrxDrawText &TfrxDrawText::Global()
{
    static TfrxDrawText instance;
    return instance;
}

void TfrxDrawText::Lock()
{
    layoutMutex().lock();
}

void TfrxDrawText::Unlock()
{
    layoutMutex().unlock();
}

bool TfrxDrawText::IsPrinter(const QPainter *Canvas)
{
    // Printers and PDF writers take their text size from their own resolution.
    const QPaintDevice *device = Canvas ? Canvas->device() : nullptr;
    if (!device)
        return false;
    const QPaintEngine *engine = Canvas->paintEngine();
    return device->devType() == QInternal::Printer || (engine && engine->type() == QPaintEngine::Pdf);
}

void TfrxDrawText::SetFont(const TfrxTextFont &font)
{
    d->FFont = font;
    d->FFontSize = std::clamp(font.Size, 1, kMaxFontSize);
    d->FMeasureHeight = nearest(font.Size * double(FDefPPI) / 72);
}

void TfrxDrawText::SetUseDefaultCharset(bool value)
{
    d->FUseDefaultCharset = value;
}

void TfrxDrawText::SetOptions(bool WordWrap, bool HTMLTags, int Rotation, bool Wysiwyg, bool Clipped,
                              bool WordBreak, bool RTLReading)
{
    d->FWordWrap = WordWrap;
    d->FAllowTags = HTMLTags;
    d->FRotation = normalisedRotation(Rotation);
    d->FWysiwyg = Wysiwyg;
    d->FWordBreak = WordBreak;
    d->FRTLReading = RTLReading;
    d->FOptions = (RTLReading ? kRTLReadingOption : 0) + (Clipped ? kClipOption : 0);
}

void TfrxDrawText::SetGaps(double ParagraphGap, double CharSpacing, double LineSpacing)
{
    // Gaps beyond any page (a corrupt template's) are held at a size that no sum can overflow.
    auto bounded = [](double gap) { return gap == gap ? std::clamp(gap, -kMaxGap, kMaxGap) : 0.0; };
    d->FParagraphGap = bounded(ParagraphGap);
    d->FCharSpacing = bounded(CharSpacing);
    d->FLineSpacing = bounded(LineSpacing);
}

void TfrxDrawText::SetDimensions(double ScaleX, double ScaleY, double PrintScale, const QRect &OriginalRect,
                                 const QRect &ScaledRect)
{
    d->FScaleX = ScaleX;
    d->FScaleY = ScaleY;
    d->FPrintScale = PrintScale;
    d->FOriginalRect = OriginalRect;
    d->FScaledRect = ScaledRect;
}

// The advance of character i of a line; the second half of a surrogate pair has none.
static int charAdvance(TfrxFontFace &face, const QString &line, qsizetype i)
{
    const QChar c = line.at(i);
    if (c.isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate())
        return face.advance(QChar::surrogateToUcs4(c, line.at(i + 1)));
    if (c.isLowSurrogate() && i > 0 && line.at(i - 1).isHighSurrogate())
        return 0;
    return face.advance(c.unicode());
}

template <typename Visit>
static void forEachAdvance(const QString &family, const QString &line, const TfrxHTMLTags &tags,
                           int pixelSize, Visit visit)
{
    std::shared_ptr<TfrxFontFace> face;
    int faceStyle = -1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const TfrxHTMLTag &tag = tags.at(i);
        if (!face || (tag.Style & 3) != faceStyle) {
            faceStyle = tag.Style & 3;
            face = TfrxFontFace::get(family, pixelSize, faceStyle);
        }
        visit(i, tag, charAdvance(*face, line, i));
    }
}

qint64 TfrxDrawTextPrivate::FillCharSpacingArray(const QString &line, const TfrxHTMLTags &tags, int pixelSize,
                                                 int spacing, bool cumulative)
{
    if (FTempArray.size() < line.size())
        FTempArray.resize(line.size());
    qint64 sum = 0;
    forEachAdvance(FFont.Name, line, tags, pixelSize, [&](qsizetype i, const TfrxHTMLTag &tag, int advance) {
        const qint64 width =
            tag.Small ? nearest((qint64(advance) + spacing) / 1.5) : qint64(advance) + spacing;
        sum += width;
        FTempArray[i] = cumulative ? sum : width;
    });
    return sum;
}

qint64 TfrxDrawTextPrivate::lineExtent(const QString &line, const TfrxHTMLTags &tags, int pixelSize) const
{
    qint64 sum = 0;
    forEachAdvance(FFont.Name, line, tags, pixelSize,
                   [&](qsizetype, const TfrxHTMLTag &, int advance) { sum += advance; });
    return sum;
}

void TfrxDrawTextPrivate::addWrapped(const QString &text, const TfrxHTMLTags &tags, qsizetype from,
                                     qsizetype to, bool hyphen)
{
    TfrxHTMLTags lineTags = tags.mid(from, to - from + 1);
    QString line = text.mid(from, to - from + 1);
    if (hyphen) {
        line += u'-';
        lineTags.append(lineTags.last());
    }
    FText.append(line, 0);
    FHTMLTags.append(lineTags);
    FHyphenated.append(hyphen);
}

// The word runs from `start` to the first of " .,-;" at or after the overflowing character; the
// result is how many of its characters go before the hyphen, 0 when it cannot be broken.
int TfrxDrawTextPrivate::breakWord(const QString &text, qsizetype start, qsizetype overflow) const
{
    const int fit = int(overflow - start);
    if (fit <= 0)
        return 0;
    qsizetype end = overflow;
    while (end < text.size() && !isWordEnd(text.at(end)))
        ++end;
    return zorBreakRussianWord(text.mid(start, end - start), fit);
}

// A paragraph is cut at blanks outside no-wrap spans; a word longer than a line is cut where it
// overflows, or hyphenated when Russian word breaking is on.
void TfrxDrawTextPrivate::WrapTextLine(const QString &line, qint64 firstLimit, qint64 limit)
{
    FHTMLTags.NewLine();
    const QString text = FHTMLTags.ExpandHTMLTags(line);
    FHTMLTags.SkipPosition(2);
    const TfrxHTMLTags tags = FHTMLTags.last();
    FHTMLTags.removeLast();

    const qsizetype n = text.size();
    if (n <= 1 || !FWordWrap) {
        addWrapped(text, tags, 0, n - 1, false);
        return;
    }
    const int spacing = nearest(FCharSpacing * kLayoutScale);
    if (FillCharSpacingArray(text, tags, FMeasureHeight, spacing, true) < firstLimit) {
        addWrapped(text, tags, 0, n - 1, false);
        return;
    }
    const QList<qint64> widths = FTempArray.first(n);
    qint64 lim = firstLimit;
    qsizetype s = 0;
    qsizetype b = 0;
    qint64 o = 0;
    qsizetype i = 0;
    while (i < n) {
        if (text.at(i) == u' ' && (!FAllowTags || !tags.at(i).DontWRAP))
            b = i;
        if (widths.at(i) - o <= lim) {
            ++i;
            continue;
        }
        if (b <= s) {
            const int prefix = (i > s && FWordBreak) ? breakWord(text, s, i) : 0;
            if (i == s)
                b = i;
            else if (prefix > 0)
                b = s + prefix - 1;
            else
                b = (text.at(i).isLowSurrogate() && i - 1 > s) ? i - 2 : i - 1; // keep a pair whole
            addWrapped(text, tags, s, b, prefix > 0);
        } else {
            const int prefix = FWordBreak ? breakWord(text, b + 1, i) : 0;
            if (prefix > 0) {
                addWrapped(text, tags, s, b + prefix, true);
                b += prefix;
            } else {
                addWrapped(text, tags, s, b - 1, false);
            }
        }
        o = widths.at(b);
        s = b + 1;
        i = b + 1;
        lim = limit;
    }
    if (s < n)
        addWrapped(text, tags, s, n - 1, false);
}

void TfrxDrawText::SetText(const TfrxWideStrings &Text)
{
    d->FText.clear();
    d->FHyphenated.clear();
    d->FPlainText.clear();
    d->FHTMLTags.FAllowTags = d->FAllowTags;
    d->FHTMLTags.SetDefaults(d->FFont.Color, d->FFontSize, d->FFont.Style);

    const int r = d->FRotation;
    const bool sideways = (r >= 90 && r <= 179) || (r >= 270 && r <= 359);
    const double width = sideways ? d->FOriginalRect.height() : d->FOriginalRect.width();
    const qint64 firstLimit = nearest((width - d->FParagraphGap) * kLayoutScale);
    const qint64 limit = nearest(width * kLayoutScale);

    for (int i = 0; i < Text.count(); ++i) {
        const QString line = Text.at(i).isEmpty() ? QStringLiteral(" ") : Text.at(i);
        d->FPlainText += line;
        d->FPlainText += u"\r\n";
        const int first = d->FText.count();
        d->WrapTextLine(line, firstLimit, limit);
        const int last = d->FText.count() - 1;
        if (last >= first) {
            d->FText.setObject(first, d->FText.object(first) | 1);
            d->FText.setObject(last, d->FText.object(last) | 2);
        }
    }
}

void TfrxDrawText::SetParaBreaks(bool FirstParaBreak, bool LastParaBreak)
{
    TfrxWideStrings &lines = d->FText;
    if (lines.isEmpty())
        return;
    if (FirstParaBreak)
        lines.setObject(0, lines.object(0) & ~1);
    if (LastParaBreak)
        lines.setObject(lines.count() - 1, lines.object(lines.count() - 1) & ~2);
}

double TfrxDrawText::TextHeight() const
{
    return d->FMeasureHeight / kLayoutScale;
}

double TfrxDrawText::LineHeight() const
{
    return TextHeight() + d->FLineSpacing;
}

// The pitch of lines for heights and splitting is never below one layout unit, so that a large
// negative line spacing can neither divide by zero nor give a negative height.
double TfrxDrawTextPrivate::linePitch() const
{
    return std::max(FMeasureHeight / kLayoutScale + FLineSpacing, 1 / kLayoutScale);
}

double TfrxDrawText::CalcHeight() const
{
    const int n = d->FText.count();
    if (n == 0)
        return 0;
    double height = d->linePitch() * n;
    if (d->FLineSpacing < 0)
        height -= d->FLineSpacing;
    return std::max(height, 0.0);
}

double TfrxDrawText::CalcWidth() const
{
    const int gap = nearest(d->FParagraphGap * kLayoutScale);
    qint64 widest = 0;
    for (int i = 0; i < d->FText.count(); ++i) {
        const QString &line = d->FText.at(i);
        qint64 width = d->lineExtent(line, d->FHTMLTags.at(i), d->FMeasureHeight);
        width += nearest(line.size() * d->FCharSpacing * kLayoutScale);
        if (d->FText.object(i) & 1)
            width += gap;
        widest = std::max(widest, width);
    }
    return double(widest) / kLayoutScale;
}

int TfrxDrawTextPrivate::linesThatFit() const
{
    const double height = FOriginalRect.height() + 1;
    return std::max(0, int(height / linePitch()));
}

double TfrxDrawText::UnusedSpace() const
{
    const int k = d->linesThatFit();
    if (k == 0)
        return 0;
    const double rest = d->FOriginalRect.height() + 1 - d->linePitch() * k;
    return rest == 0 ? 0.0001 : rest;
}

QString TfrxDrawText::GetOutBoundsText(bool &ParaBreak)
{
    const int n = d->FText.count();
    const int k = std::min(d->linesThatFit(), n);
    ParaBreak = false;
    if (k >= n)
        return QString();
    ParaBreak = k > 0 && !(d->FText.object(k - 1) & 2);
    const TfrxHTMLTag first = d->FHTMLTags.at(k).first();
    const qsizetype cut = std::clamp<qsizetype>(first.Position - 1, 0, d->FPlainText.size());
    QString out = d->FPlainText.mid(cut);
    if (ParaBreak && out.startsWith(u' '))
        out.remove(0, 1);
    d->FPlainText.truncate(cut);
    if (d->FWordBreak && k > 0 && d->FHyphenated.at(k - 1))
        d->FPlainText += u'-';
    if (d->FAllowTags) {
        // The rest starts in the formatting of its first character.
        static constexpr std::pair<int, const char16_t *> kStyleTags[] = {
            {1, u"<b>"}, {2, u"<i>"}, {4, u"<u>"}};
        for (const auto &[bit, tag] : kStyleTags) {
            if (first.Style & bit)
                out.prepend(QString::fromUtf16(tag));
        }
        const quint32 c = first.Color;
        const quint32 rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        out.prepend(QStringLiteral("<font color=\"#%1\">")
                        .arg(QString::number(rgb, 16).rightJustified(6, u'0').toUpper()));
    }
    while (d->FText.count() > k) {
        d->FText.removeAt(k);
        d->FHTMLTags.removeLast();
        d->FHyphenated.removeLast();
    }
    return out;
}

QString TfrxDrawText::GetInBoundsText() const
{
    return d->FPlainText;
}

QString TfrxDrawText::GetWrappedText() const
{
    return d->FText.text();
}

QString TfrxDrawText::DeleteTags(const QString &Text)
{
    TfrxHTMLTagsList scanner;
    scanner.FAllowTags = true;
    QString result;
    result.reserve(Text.size());
    qsizetype start = 0;
    auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n' || c.unicode() == 0x2028; };
    while (start <= Text.size()) {
        qsizetype end = start;
        while (end < Text.size() && !isBreak(Text.at(end)))
            ++end;
        if (end > start) {
            scanner.NewLine();
            result += scanner.ExpandHTMLTags(Text.mid(start, end - start), false);
        }
        if (end >= Text.size())
            break;
        result += Text.at(end);
        start = end + 1;
    }
    return result;
}

const TfrxWideStrings &TfrxDrawText::Lines() const
{
    return d->FText;
}

const TfrxHTMLTagsList &TfrxDrawText::Tags() const
{
    return d->FHTMLTags;
}

QString TfrxDrawText::PlainText() const
{
    return d->FPlainText;
}

int TfrxDrawText::Rotation() const
{
    return d->FRotation;
}

#include "TfrxHTMLTagsList.h"

#include <QLatin1StringView>

#include <array>
#include <cmath>

namespace {

int styleBit(QChar letter)
{
    switch (letter.toUpper().unicode()) {
    case u'B':
        return 1;
    case u'I':
        return 2;
    case u'U':
        return 4;
    default:
        return 0;
    }
}

int subscriptSize(int size)
{
    return int(std::nearbyint(size / 1.5));
}

struct NamedColor
{
    QLatin1StringView Name;
    quint32 Color;
};

constexpr std::array<NamedColor, 22> kColors{{
    {QLatin1StringView("clBlack"), 0x000000},      {QLatin1StringView("clMaroon"), 0x000080},
    {QLatin1StringView("clGreen"), 0x008000},      {QLatin1StringView("clOlive"), 0x008080},
    {QLatin1StringView("clNavy"), 0x800000},       {QLatin1StringView("clPurple"), 0x800080},
    {QLatin1StringView("clTeal"), 0x808000},       {QLatin1StringView("clGray"), 0x808080},
    {QLatin1StringView("clSilver"), 0xC0C0C0},     {QLatin1StringView("clRed"), 0x0000FF},
    {QLatin1StringView("clLime"), 0x00FF00},       {QLatin1StringView("clYellow"), 0x00FFFF},
    {QLatin1StringView("clBlue"), 0xFF0000},       {QLatin1StringView("clFuchsia"), 0xFF00FF},
    {QLatin1StringView("clAqua"), 0xFFFF00},       {QLatin1StringView("clLtGray"), 0xC0C0C0},
    {QLatin1StringView("clDkGray"), 0x808080},     {QLatin1StringView("clWhite"), 0xFFFFFF},
    {QLatin1StringView("clMoneyGreen"), 0xC0DCC0}, {QLatin1StringView("clSkyBlue"), 0xF0CAA6},
    {QLatin1StringView("clCream"), 0xF0FBFF},      {QLatin1StringView("clMedGray"), 0xA4A0A0},
}};

} // namespace

bool TfrxHTMLTagsList::colorByName(const QString &name, quint32 &color)
{
    for (const NamedColor &entry : kColors) {
        if (name.compare(entry.Name, Qt::CaseInsensitive) == 0) {
            color = entry.Color;
            return true;
        }
    }
    return false;
}

void TfrxHTMLTagsList::SetDefaults(quint32 color, int size, int style)
{
    FDefColor = color;
    FDefSize = size;
    FDefStyle = style;
    FColor = color;
    FSize = size;
    FStyle = style;
    FAddY = 0;
    FDontWRAP = false;
    FSubStyle = ssNormal;
    FPosition = 1;
    FLines.clear();
}

void TfrxHTMLTagsList::AddTag()
{
    TfrxHTMLTag tag;
    tag.Position = FPosition;
    tag.Size = FSize;
    tag.AddY = FAddY;
    tag.Style = FStyle;
    tag.Color = FColor;
    tag.DontWRAP = FDontWRAP;
    tag.SubType = FSubStyle;
    tag.Small = FSize != FDefSize;
    if (FAllowTags) {
        const TfrxHTMLTag *previous = nullptr;
        for (auto line = FLines.crbegin(); line != FLines.crend() && !previous; ++line) {
            if (!line->isEmpty())
                previous = &line->last();
        }
        TfrxHTMLTag initial;
        initial.Size = FDefSize;
        initial.Style = FDefStyle;
        initial.Color = FDefColor;
        tag.Default = tag.sameFormat(previous ? *previous : initial);
    }
    FLines.last().append(tag);
}

// The in-line tags, tested in this order at a "<": <b> <i> <u>; any five characters to ">"
// (<sub> <sup>); any six (</sub> </sup>); <nowrap>; <strike>; </b> </i> </u>; </strike>
// </nowrap> </font>; <font color=...>.
bool TfrxHTMLTagsList::applyTag(const QString &line, qsizetype at, qsizetype &length)
{
    const qsizetype n = line.size();
    auto ch = [&](qsizetype k) { return at + k < n ? line.at(at + k).toUpper() : QChar(); };
    auto reads = [&](qsizetype from, QLatin1StringView word) {
        return at + from + word.size() <= n &&
               QStringView(line).mid(at + from, word.size()).compare(word, Qt::CaseInsensitive) == 0;
    };
    auto setSub = [&](int size, int addY, TSubStyle sub) {
        FSize = size;
        FAddY = addY;
        FSubStyle = sub;
    };

    if (ch(2) == u'>') {
        const int bit = styleBit(ch(1));
        if (bit == 0)
            return false;
        FStyle |= bit;
        length = 3;
        return true;
    }
    if (ch(4) == u'>') {
        if (reads(1, QLatin1StringView("SUB>")))
            setSub(subscriptSize(FDefSize), 1, ssSubscript);
        else if (reads(1, QLatin1StringView("SUP>")))
            setSub(subscriptSize(FDefSize), 0, ssSuperscript);
        length = 5;
        return true;
    }
    if (ch(5) == u'>') {
        if (reads(1, QLatin1StringView("/SUB>")) || reads(1, QLatin1StringView("/SUP>")))
            setSub(FDefSize, 0, ssNormal);
        length = 6;
        return true;
    }
    if (ch(1) == u'N' && reads(1, QLatin1StringView("NOWRAP>"))) {
        FDontWRAP = true;
        length = 8;
        return true;
    }
    if (ch(1) == u'S' && reads(1, QLatin1StringView("STRIKE>"))) {
        FStyle |= 8;
        length = 8;
        return true;
    }
    if (ch(1) == u'/' && ch(3) == u'>') {
        const int bit = styleBit(ch(2));
        if (bit == 0)
            return false;
        FStyle &= ~bit;
        length = 4;
        return true;
    }
    if (ch(1) == u'/') {
        if (reads(2, QLatin1StringView("STRIKE>"))) {
            FStyle &= ~8;
            length = 9;
            return true;
        }
        if (reads(2, QLatin1StringView("NOWRAP>"))) {
            FDontWRAP = false;
            length = 9;
            return true;
        }
        if (reads(2, QLatin1StringView("FONT>"))) {
            FColor = FDefColor;
            length = 7;
            return true;
        }
    }
    if (reads(1, QLatin1StringView("FONT COLOR")))
        return applyFontColor(line, at, length);
    return false;
}

// <font color="#RRGGBB"> or <font color=Name> (looked up as clName). A value that is neither a
// hexadecimal colour nor a known name leaves "<" as an ordinary character.
bool TfrxHTMLTagsList::applyFontColor(const QString &line, qsizetype at, qsizetype &length)
{
    const qsizetype equals = line.indexOf(u'=', at + 11);
    if (equals < 0)
        return false;
    const qsizetype close = line.indexOf(u'>', equals);
    if (close < 0)
        return false;
    qsizetype start = equals + 1;
    while (start < close && line.at(start) == u' ')
        ++start;
    const QString value = line.mid(start, close - start);

    quint32 color = 0;
    bool found = false;
    if (value.size() > 3 && value.startsWith(u"\"#") && value.endsWith(u'"')) {
        const uint rgb = value.mid(2, value.size() - 3).toUInt(&found, 16);
        if (found)
            color = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    }
    if (!found)
        found = colorByName(QStringLiteral("cl") + value, color);
    if (!found)
        return false;
    FColor = color;
    length = close - at + 1;
    return true;
}

QString TfrxHTMLTagsList::ExpandHTMLTags(const QString &line, bool blankIfEmpty)
{
    QString result;
    result.reserve(line.size());
    qsizetype i = 0;
    while (i < line.size()) {
        qsizetype length = 0;
        if (FAllowTags && line.at(i) == u'<' && applyTag(line, i, length)) {
            FPosition += int(length);
            i += length;
            continue;
        }
        result += line.at(i);
        AddTag();
        ++FPosition;
        ++i;
    }
    if (result.isEmpty() && blankIfEmpty) {
        // Nothing of the line is left: it is drawn as one blank, which has no place in the source.
        result = QStringLiteral(" ");
        AddTag();
    }
    return result;
}

#include "TfsXMLItem.h"

#include <algorithm>

namespace {

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// Position of needle in hay comparing ASCII letters without regard to case, or -1. Only ASCII is
// folded, so positions never shift.
qsizetype indexOfAscii(QStringView hay, QStringView needle)
{
    const qsizetype last = hay.size() - needle.size();
    for (qsizetype i = 0; i <= last; ++i) {
        qsizetype k = 0;
        while (k < needle.size() && asciiLower(hay[i + k].unicode()) == asciiLower(needle[k].unicode()))
            ++k;
        if (k == needle.size())
            return i;
    }
    return -1;
}

bool sameName(const QString &a, const QString &b)
{
    return a.size() == b.size() && indexOfAscii(a, b) == 0;
}

// Decodes the reference starting at s[i] ('&'); returns the number of characters used, 0 when the
// text there is no well-formed reference.
qsizetype decodeReference(QStringView s, qsizetype i, QString &out)
{
    if (s.mid(i).startsWith(u"&quot;")) {
        out += u'"';
        return 6;
    }
    if (i + 1 >= s.size() || s[i + 1] != u'#')
        return 0;
    qsizetype k = i + 2;
    char32_t code = 0;
    while (k < s.size() && s[k].isDigit() && s[k].unicode() < 128) {
        code = code * 10 + char32_t(s[k].unicode() - u'0');
        if (code > 0x10FFFF)
            return 0;
        ++k;
    }
    if (k == i + 2 || k >= s.size() || s[k] != u';' || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    out += QString::fromUcs4(&code, 1);
    return k + 1 - i;
}

} // namespace

TfsXMLItem::TfsXMLItem(QString name, QString text) : FName(std::move(name)), FText(std::move(text)) {}

TfsXMLItem::~TfsXMLItem() = default;

TfsXMLItem *TfsXMLItem::Add(const QString &name, const QString &text)
{
    AddItem(std::make_unique<TfsXMLItem>(name, text));
    return FItems.back().get();
}

void TfsXMLItem::AddItem(std::unique_ptr<TfsXMLItem> item)
{
    item->FParent = this;
    FItems.push_back(std::move(item));
}

void TfsXMLItem::Clear()
{
    FItems.clear();
}

void TfsXMLItem::Assign(const TfsXMLItem &source)
{
    FName = source.FName;
    FText = source.FText;
    FItems.clear();
    for (const auto &child : source.FItems)
        Add()->Assign(*child);
}

int TfsXMLItem::Find(const QString &name) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (sameName(FItems[i]->FName, name))
            return int(i);
    return -1;
}

TfsXMLItem *TfsXMLItem::FindItem(const QString &name)
{
    const int i = Find(name);
    return i >= 0 ? Item(i) : Add(name);
}

QString TfsXMLItem::Prop(const QString &name) const
{
    const QString hay = u' ' + FText;
    const QString needle = u' ' + name + QStringLiteral("=\"");
    const qsizetype at = indexOfAscii(hay, needle);
    if (at < 0)
        return {};
    const qsizetype from = at + needle.size();
    qsizetype to = hay.indexOf(u'"', from);
    if (to < 0)
        to = hay.size();
    return XMLToStr(hay.mid(from, to - from));
}

void TfsXMLItem::SetProp(const QString &name, const QString &value)
{
    const QString escaped = StrToXML(value);
    const QString hay = u' ' + FText;
    const QString needle = u' ' + name + QStringLiteral("=\"");
    const qsizetype at = indexOfAscii(hay, needle);
    if (at < 0) {
        FText += u' ' + name + QStringLiteral("=\"") + escaped + u'"';
        return;
    }
    // Positions in hay are one ahead of positions in FText.
    const qsizetype from = at + needle.size() - 1;
    qsizetype to = FText.indexOf(u'"', from);
    if (to < 0)
        to = FText.size();
    FText.replace(from, to - from, escaped);
}

QString TfsXMLItem::StrToXML(const QString &s)
{
    const auto needsEscape = [](QChar c) {
        const char16_t u = c.unicode();
        return u < 32 || u == u'&' || u == u'"' || u == u'<' || u == u'>';
    };
    if (std::none_of(s.begin(), s.end(), needsEscape))
        return s;
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u < 32 || u == u'&' || u == u'"' || u == u'<' || u == u'>')
            out += QStringLiteral("&#") + QString::number(u) + u';';
        else
            out += c;
    }
    return out;
}

QString TfsXMLItem::XMLToStr(const QString &s)
{
    if (!s.contains(u'&'))
        return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        if (s[i] == u'&') {
            if (const qsizetype used = decodeReference(s, i, out)) {
                i += used;
                continue;
            }
        }
        out += s[i++];
    }
    return out;
}

#include "zorXML.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QVariant>

#include <algorithm>
#include <charconv>
#include <iterator>

namespace {

constexpr qsizetype kShortValue = 32;

bool needsEscape(char16_t c)
{
    return c == 0 || c == '\n' || c == '\r' || c == '"' || c == '&' || c == '<' || c == '>';
}

void appendReference(QString &out, char16_t code)
{
    out += u"&#";
    out += QString::number(code);
    out += u';';
}

// Would zorXMLToStr read a reference starting at the '&' at `pos`?
bool ampersandStartsReference(QStringView s, qsizetype pos)
{
    const QStringView rest = s.mid(pos + 1);
    return rest.startsWith(u'#') || rest.startsWith(u"quot;") || rest.startsWith(u"amp;") ||
           rest.startsWith(u"lt;") || rest.startsWith(u"gt;");
}

// short value: a bare '&' is kept unless it would be read back as a reference
QString shortStrToXML(const QString &s)
{
    QString out;
    out.reserve(s.size() + 16);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s.at(i).unicode();
        if (c == '&' && !ampersandStartsReference(s, i))
            out += QChar(c);
        else if (needsEscape(c))
            appendReference(out, c);
        else
            out += QChar(c);
    }
    return out;
}

// long value: every '&' is escaped and NUL becomes a space
QString longStrToXML(const QString &s)
{
    QString out;
    out.reserve(s.size() + s.size() / 8 + 16);
    for (QChar ch : s) {
        const char16_t c = ch.unicode();
        if (c == 0)
            out += u' ';
        else if (needsEscape(c))
            appendReference(out, c);
        else
            out += ch;
    }
    return out;
}

bool hasEscapable(const QString &s)
{
    for (QChar c : s)
        if (needsEscape(c.unicode()))
            return true;
    return false;
}

// "&#" digits ";" -> the character of that code. Returns the length consumed, or 0 when the
// reference is malformed (no semicolon, no digits, a non-digit, a surrogate, beyond U+10FFFF).
qsizetype decodeNumeric(QStringView s, qsizetype amp, char32_t &code)
{
    qsizetype i = amp + 2;
    if (i >= s.size() || s.at(i) == u';')
        return 0;
    char32_t value = 0;
    for (; i < s.size() && s.at(i) != u';'; ++i) {
        const char16_t c = s.at(i).unicode();
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
        if (value > 0x10FFFF)
            return 0;
    }
    if (i >= s.size() || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    code = value;
    return i + 1 - amp;
}

struct NamedReference
{
    QStringView name; // the characters after '&'
    char16_t character;
};

constexpr NamedReference kNamedReferences[] = {
    {u"quot;", '"'}, {u"amp;", '&'}, {u"lt;", '<'}, {u"gt;", '>'}};

} // namespace

QString zorStrToXML(const QString &s)
{
    if (!hasEscapable(s))
        return s;
    return s.size() < kShortValue ? shortStrToXML(s) : longStrToXML(s);
}

QString zorXMLToStr(const QString &s)
{
    const qsizetype firstAmp = s.indexOf(u'&');
    if (firstAmp < 0)
        return s;
    QString out;
    out.reserve(s.size());
    out.append(QStringView(s).left(firstAmp));
    const QStringView v(s);
    qsizetype i = firstAmp;
    while (i < v.size()) {
        const QChar c = v.at(i);
        // the last character never starts a reference
        if (c != u'&' || i + 1 >= v.size()) {
            out += c;
            ++i;
            continue;
        }
        if (v.at(i + 1) == u'#') {
            char32_t code = 0;
            if (const qsizetype used = i + 3 < v.size() ? decodeNumeric(v, i, code) : 0) {
                out += QStringView(QChar::fromUcs4(code));
                i += used;
                continue;
            }
        } else {
            const QStringView rest = v.mid(i + 1);
            const auto named = std::find_if(std::begin(kNamedReferences), std::end(kNamedReferences),
                                            [&](const NamedReference &r) { return rest.startsWith(r.name); });
            if (named != std::end(kNamedReferences)) {
                out += QChar(named->character);
                i += 1 + named->name.size();
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

QString zorFloatToStr(double value)
{
    const QString separator = QLocale().decimalPoint();
    return zorFloatToStr(value, separator.isEmpty() ? QChar(u'.') : separator.front());
}

QString zorFloatToStr(double value, QChar decimalPoint)
{
    // The C library's %.15g form ("3.78", "1e+20"), written without the cost of a general
    // formatter: templates and undo snapshots write thousands of these.
    char buffer[32];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (decimalPoint != u'.')
        text.replace(u'.', decimalPoint);
    return text;
}

QString zorValueToXML(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QString::number(v.toLongLong());
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QString::number(v.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return zorFloatToStr(v.toDouble());
    case QMetaType::QDate:
        return QLocale().toString(v.toDate(), QLocale::ShortFormat);
    case QMetaType::QDateTime:
        return QLocale().toString(v.toDateTime().date(), QLocale::ShortFormat);
    case QMetaType::QString:
        return zorStrToXML(v.toString());
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return QString();
    }
}

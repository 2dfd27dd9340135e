// Strings, with 1-based positions; nothing reads or writes outside the text.
#include "TfsRuntimeError.h"
#include "fsFunctions_p.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {

QString text(const TfsValue &v)
{
    return v.ToString();
}

// The characters of s from position from (1-based) for count characters, clipped to the text.
QString copy(const QString &s, int64_t from, int64_t count)
{
    from = std::max<int64_t>(from, 1);
    if (count <= 0 || from > s.size())
        return {};
    return s.mid(qsizetype(from - 1), qsizetype(std::min<int64_t>(count, s.size() - from + 1)));
}

TfsValue length(std::span<TfsValue> a)
{
    if (a[0].kind() == TfsValue::Array)
        return TfsValue(a[0].ArrayHigh() - a[0].ArrayLow() + 1);
    return TfsValue(int(text(a[0]).size()));
}

TfsValue deleteStr(std::span<TfsValue> a)
{
    QString s = text(a[0]);
    const int64_t from = a[1].ToInt64(), count = a[2].ToInt64();
    if (from >= 1 && from <= s.size() && count > 0)
        s.remove(qsizetype(from - 1), qsizetype(std::min<int64_t>(count, s.size() - from + 1)));
    a[0] = TfsValue(s);
    return TfsValue::MakeNull();
}

TfsValue insert(std::span<TfsValue> a)
{
    QString s2 = text(a[1]);
    const int64_t pos = std::clamp<int64_t>(a[2].ToInt64(), 1, s2.size() + 1);
    s2.insert(qsizetype(pos - 1), text(a[0]));
    a[1] = TfsValue(s2);
    return TfsValue::MakeNull();
}

TfsValue trim(std::span<TfsValue> a)
{
    const QString s = text(a[0]);
    qsizetype from = 0, to = s.size();
    while (from < to && s[from].unicode() <= u' ')
        ++from;
    while (to > from && s[to - 1].unicode() <= u' ')
        --to;
    return TfsValue(s.mid(from, to - from));
}

// Lower case, then upper case for the first character and each one after a space.
TfsValue nameCase(std::span<TfsValue> a)
{
    const QLocale locale;
    QString s = locale.toLower(text(a[0]));
    for (qsizetype i = 0; i < s.size(); ++i)
        if (i == 0 || s[i - 1] == u' ')
            s.replace(i, 1, locale.toUpper(QString(s[i])));
    return TfsValue(s);
}

TfsValue compareText(std::span<TfsValue> a)
{
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const int r = collator.compare(text(a[0]), text(a[1]));
    return TfsValue(r < 0 ? -1 : r > 0 ? 1 : 0);
}

TfsValue chr(std::span<TfsValue> a)
{
    const int64_t code = a[0].ToInt64();
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        throw TfsRuntimeError(QStringLiteral("Invalid character code: %1").arg(code),
                              QStringLiteral("ERangeError"));
    const char32_t c = char32_t(code);
    return TfsValue(QString::fromUcs4(&c, 1));
}

// The code of the first character; an empty text has none and gives 0.
TfsValue ord(std::span<TfsValue> a)
{
    const QString s = text(a[0]);
    if (s.isEmpty())
        return TfsValue(0);
    if (s.size() > 1 && s[0].isHighSurrogate() && s[1].isLowSurrogate())
        return TfsValue(int(QChar::surrogateToUcs4(s[0], s[1])));
    return TfsValue(int(s[0].unicode()));
}

// A text is cut or extended with U+0000; any other value must be an array, which gets L elements.
TfsValue setLength(std::span<TfsValue> a)
{
    const int64_t l = a[1].ToInt64();
    if (a[0].kind() == TfsValue::String || a[0].kind() == TfsValue::Null || a[0].IsEmpty()) {
        TfsValue::CheckStringLength(l);
        QString s = text(a[0]);
        s.resize(qsizetype(std::max<int64_t>(l, 0)), QChar(0));
        a[0] = TfsValue(s);
        return TfsValue::MakeNull();
    }
    if (a[0].kind() != TfsValue::Array)
        throw TfsRuntimeError(QStringLiteral("Array type required"));
    if (l < 0)
        throw TfsRuntimeError(QStringLiteral("Invalid array length: %1").arg(l),
                              QStringLiteral("ERangeError"));
    TfsValue::CheckArrayLength(l);
    TfsValue resized = TfsValue::MakeArray(0, int(l) - 1);
    const int low = a[0].ArrayLow();
    for (int i = 0; i < int(l) && low + i <= a[0].ArrayHigh(); ++i)
        resized.ArrayRef(i) = a[0].ArrayAt(low + i);
    a[0] = resized;
    return TfsValue::MakeNull();
}

constexpr TfsFunctionEntry kFunctions[] = {
    {u"function Length(s: Variant): Integer", u"ctString", length},
    {u"function Copy(s: String; from, count: Integer): String", u"ctString",
     [](std::span<TfsValue> a) { return TfsValue(copy(text(a[0]), a[1].ToInt64(), a[2].ToInt64())); }},
    {u"function Pos(substr, s: String): Integer", u"ctString",
     [](std::span<TfsValue> a) {
         const QString sub = text(a[0]);
         return TfsValue(sub.isEmpty() ? 0 : int(text(a[1]).indexOf(sub) + 1));
     }},
    {u"procedure Delete(var s: String; from, count: Integer)", u"ctString", deleteStr},
    {u"procedure DeleteStr(var s: String; from, count: Integer)", u"ctString", deleteStr},
    {u"procedure Insert(s: String; var s2: String; pos: Integer)", u"ctString", insert},
    {u"function Uppercase(s: String): String", u"ctString",
     [](std::span<TfsValue> a) { return TfsValue(QLocale().toUpper(text(a[0]))); }},
    {u"function Lowercase(s: String): String", u"ctString",
     [](std::span<TfsValue> a) { return TfsValue(QLocale().toLower(text(a[0]))); }},
    {u"function Trim(s: String): String", u"ctString", trim},
    {u"function NameCase(s: String): String", u"ctString", nameCase},
    {u"function CompareText(s, s1: String): Integer", u"ctString", compareText},
    {u"function Chr(i: Integer): Char", u"ctString", chr},
    {u"function Ord(ch: Char): Integer", u"ctString", ord},
    {u"procedure SetLength(var S: Variant; L: Integer)", u"ctString", setLength},
};

} // namespace

std::span<const TfsFunctionEntry> fsStringFunctions()
{
    return kFunctions;
}

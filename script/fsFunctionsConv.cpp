// Conversions between numbers, dates, Booleans and their texts in the user's locale.
#include "TfsRuntimeError.h"
#include "fsFunctions_p.h"

#include <QLocale>

#include <cmath>

namespace {

QString text(const TfsValue &v)
{
    return v.ToString();
}

// The general float text: up to 15 significant digits, the locale's decimal separator, and an
// exponent written as E followed by its sign only when negative (1E20, 1E-5).
QString floatText(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    QString s = QString::number(v, 'g', 15);
    const qsizetype e = s.indexOf(u'e');
    if (e >= 0) {
        const int exponent = s.mid(e + 1).toInt();
        s = s.left(e) + u'E' + QString::number(exponent);
    }
    return s.replace(u'.', QLocale().decimalPoint());
}

// A decimal integer, or hexadecimal after "$" or "0x"; false for anything else.
bool parseInteger(const QString &s, int64_t &out)
{
    QString t = s.trimmed();
    bool negative = false;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        negative = t[0] == u'-';
        t = t.mid(1);
    }
    bool ok = false;
    qulonglong magnitude = 0;
    if (t.startsWith(u'$'))
        magnitude = t.mid(1).toULongLong(&ok, 16);
    else if (t.startsWith(u"0x", Qt::CaseInsensitive))
        magnitude = t.mid(2).toULongLong(&ok, 16);
    else if (!t.isEmpty() && t[0].isDigit())
        magnitude = t.toULongLong(&ok, 10);
    if (!ok || magnitude > (negative ? 9223372036854775808ull : 9223372036854775807ull))
        return false;
    out = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return true;
}

TfsValue strToInt(std::span<TfsValue> a)
{
    int64_t v = 0;
    if (!parseInteger(text(a[0]), v) || v < INT32_MIN || v > INT32_MAX)
        fsConvertError(text(a[0]), "integer value");
    return TfsValue(int(v));
}

TfsValue strToInt64(std::span<TfsValue> a)
{
    int64_t v = 0;
    if (!parseInteger(text(a[0]), v))
        fsConvertError(text(a[0]), "integer value");
    return TfsValue(v);
}

TfsValue strToFloat(std::span<TfsValue> a)
{
    bool ok = false;
    const double v = QLocale().toDouble(text(a[0]).trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        fsConvertError(text(a[0]), "floating point value");
    return TfsValue(v);
}

QDate parseDate(const QString &s)
{
    const QLocale locale;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QDate d = locale.toDate(s.trimmed(), format);
    // A four-digit year is accepted where the short format has two.
    if (!d.isValid() && !format.contains(QLatin1String("yyyy")))
        d = locale.toDate(s.trimmed(), QString(format).replace(QLatin1String("yy"), QLatin1String("yyyy")));
    return d;
}

QTime parseTime(const QString &s)
{
    const QLocale locale;
    for (const QString &format : {fsLongTimeFormat(), locale.timeFormat(QLocale::ShortFormat),
                                  QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")}) {
        const QTime t = locale.toTime(s.trimmed(), format);
        if (t.isValid())
            return t;
    }
    return {};
}

TfsValue strToDate(std::span<TfsValue> a)
{
    const QDate d = parseDate(text(a[0]));
    if (!d.isValid())
        fsConvertError(text(a[0]), "date");
    return TfsValue::MakeDateTime(fsDaysOf(d));
}

TfsValue strToTime(std::span<TfsValue> a)
{
    const QTime t = parseTime(text(a[0]));
    if (!t.isValid())
        fsConvertError(text(a[0]), "time");
    return TfsValue::MakeDateTime(t.msecsSinceStartOfDay() / 86400000.0);
}

TfsValue strToDateTime(std::span<TfsValue> a)
{
    const QString s = text(a[0]).trimmed();
    const qsizetype space = s.indexOf(u' ');
    const QDate d = parseDate(space < 0 ? s : s.left(space));
    const QTime t = space < 0 ? QTime(0, 0) : parseTime(s.mid(space + 1));
    if (!d.isValid() || !t.isValid())
        fsConvertError(text(a[0]), "date and time");
    return TfsValue::MakeDateTime(fsDaysOf(d, t));
}

TfsValue strToBool(std::span<TfsValue> a)
{
    try {
        return TfsValue(TfsValue(text(a[0]).trimmed()).ToBool());
    } catch (const TfsRuntimeError &) {
        fsConvertError(text(a[0]), "boolean value");
    }
}

TfsValue dateToStr(std::span<TfsValue> a)
{
    return TfsValue(QLocale().toString(fsDateTimeOf(a[0].ToDouble()).date(), QLocale::ShortFormat));
}

TfsValue timeToStr(std::span<TfsValue> a)
{
    return TfsValue(QLocale().toString(fsDateTimeOf(a[0].ToDouble()).time(), fsLongTimeFormat()));
}

// The time is left out at midnight.
TfsValue dateTimeToStr(std::span<TfsValue> a)
{
    const QDateTime dt = fsDateTimeOf(a[0].ToDouble());
    const QLocale locale;
    QString s = locale.toString(dt.date(), QLocale::ShortFormat);
    if (dt.time() != QTime(0, 0))
        s += u' ' + locale.toString(dt.time(), fsLongTimeFormat());
    return TfsValue(s);
}

constexpr TfsFunctionEntry kFunctions[] = {
    {u"function IntToStr(i: Integer): String", u"ctConv",
     [](std::span<TfsValue> a) { return TfsValue(QString::number(a[0].ToInt64())); }},
    {u"function FloatToStr(e: Extended): String", u"ctConv",
     [](std::span<TfsValue> a) { return TfsValue(floatText(a[0].ToDouble())); }},
    {u"function DateToStr(e: Extended): String", u"ctConv", dateToStr},
    {u"function TimeToStr(e: Extended): String", u"ctConv", timeToStr},
    {u"function DateTimeToStr(e: Extended): String", u"ctConv", dateTimeToStr},
    {u"function BoolToStr(B: Boolean): string;", u"ctConv",
     [](std::span<TfsValue> a) { return TfsValue(a[0].ToBool() ? QStringLiteral("-1") : QStringLiteral("0")); }},
    {u"function VarToStr(v: Variant): String", u"ctConv",
     [](std::span<TfsValue> a) { return TfsValue(a[0].ToString()); }},
    {u"function StrToInt(s: String): Integer", u"ctConv", strToInt},
    {u"function StrToInt64(s: String): Int64", u"ctConv", strToInt64},
    {u"function StrToFloat(s: String): Extended", u"ctConv", strToFloat},
    {u"function StrToDate(s: String): Extended", u"ctConv", strToDate},
    {u"function StrToTime(s: String): Extended", u"ctConv", strToTime},
    {u"function StrToDateTime(s: String): Extended", u"ctConv", strToDateTime},
    {u"function StrToBool(const S: string): Boolean;", u"ctConv", strToBool},
};

} // namespace

void fsConvertError(const QString &text, const char *what)
{
    throw TfsRuntimeError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)),
                          QStringLiteral("EConvertError"));
}

std::span<const TfsFunctionEntry> fsConvFunctions()
{
    return kFunctions;
}

TfsValue fsStrToInt(std::span<TfsValue> args)
{
    return strToInt(args);
}

TfsValue fsStrToFloat(std::span<TfsValue> args)
{
    return strToFloat(args);
}

TfsValue fsStrToDate(std::span<TfsValue> args)
{
    return strToDate(args);
}

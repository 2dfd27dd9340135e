#include "TfsFormat.h"

#include "TfsRuntimeError.h"
#include "fsFunctions_p.h"

#include <QLocale>

#include <cmath>

namespace {

[[noreturn]] void formatError(const QString &format)
{
    throw TfsRuntimeError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format),
                          QStringLiteral("EConvertError"));
}

// The decimal digits of |v|: v = 0.d1d2d3... * 10^exponent, from the shortest text that reads back
// as v, so that rounding sees the decimal a person wrote (2.675 rounds to 2.68).
struct Digits
{
    QString digits;
    int exponent = 0;
};

Digits digitsOf(double v)
{
    Digits d;
    if (v == 0)
        return {QStringLiteral("0"), 1};
    const QString s = QString::number(std::fabs(v), 'e', QLocale::FloatingPointShortest);
    const qsizetype e = s.indexOf(u'e');
    d.digits = s.left(e).remove(u'.');
    d.exponent = s.mid(e + 1).toInt() + 1;
    return d;
}

// Keeps the first keep digits, rounding the rest half away from zero.
void roundDigits(Digits &d, int keep)
{
    if (keep >= d.digits.size())
        return;
    if (keep < 0) {
        d = {QStringLiteral("0"), 1};
        return;
    }
    const bool up = d.digits[keep] >= u'5';
    d.digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        for (; i >= 0 && d.digits[i] == u'9'; --i)
            d.digits[i] = u'0';
        if (i < 0) {
            d.digits.prepend(u'1');
            ++d.exponent;
        } else {
            d.digits[i] = QChar(d.digits[i].unicode() + 1);
        }
    }
    if (d.digits.isEmpty())
        d = {QStringLiteral("0"), 1};
}

QString groupThousands(const QString &integral)
{
    const QString sep = QLocale().groupSeparator();
    QString out;
    for (qsizetype i = 0; i < integral.size(); ++i) {
        if (i > 0 && (integral.size() - i) % 3 == 0)
            out += sep;
        out += integral[i];
    }
    return out;
}

// Fixed text split at the point: integral digits (at least "0") and exactly decimals digits.
void fixedParts(double value, int decimals, QString &integral, QString &fraction, bool &negative)
{
    Digits d = digitsOf(value);
    roundDigits(d, d.exponent + decimals);
    QString all = d.digits;
    int exponent = d.exponent;
    if (exponent <= 0) {
        all.prepend(QString(-exponent, u'0'));
        exponent = 0;
    }
    all = all.leftJustified(exponent + decimals, u'0');
    integral = all.left(exponent);
    fraction = all.mid(exponent, decimals);
    while (integral.size() > 1 && integral[0] == u'0')
        integral.remove(0, 1);
    if (integral.isEmpty())
        integral = QStringLiteral("0");
    negative = value < 0 && (integral != u"0" || fraction.count(u'0') != fraction.size());
}

QString scientific(double value, int precision)
{
    if (value == 0)
        precision = std::max(precision, 1);
    Digits d = digitsOf(value);
    roundDigits(d, precision);
    const QString digits = d.digits.leftJustified(precision, u'0');
    const int exponent = value == 0 ? 0 : d.exponent - 1;
    QString s = value < 0 ? QStringLiteral("-") : QString();
    s += digits.left(1);
    if (precision > 1)
        s += QLocale().decimalPoint() + digits.mid(1);
    s += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    s += QString::number(std::abs(exponent)).rightJustified(3, u'0');
    return s;
}

QString general(double value, int precision)
{
    QString s = QString::number(value, 'g', precision);
    const qsizetype e = s.indexOf(u'e');
    if (e >= 0)
        s = s.left(e) + u'E' + QString::number(s.mid(e + 1).toInt());
    return s.replace(u'.', QLocale().decimalPoint());
}

QString fixedText(double value, int decimals, bool thousands)
{
    QString integral, fraction;
    bool negative = false;
    fixedParts(value, decimals, integral, fraction, negative);
    QString s = negative ? QStringLiteral("-") : QString();
    s += thousands ? groupThousands(integral) : integral;
    if (decimals > 0)
        s += QLocale().decimalPoint() + fraction;
    return s;
}

double floatArg(const TfsValue &v, const QString &format)
{
    if (!v.IsNumeric())
        formatError(format);
    const double d = v.ToDouble();
    if (!std::isfinite(d))
        formatError(format);
    return d;
}

struct Specifier
{
    bool left = false;
    int width = -1;
    int precision = -1;
    QChar type;
};

// One specifier's text for its argument.
QString specifierText(const Specifier &specifier, const TfsValue &arg, const QString &format)
{
    const char16_t t = specifier.type.toLower().unicode();
    switch (t) {
    case u'd':
    case u'u':
    case u'x': {
        if (!arg.IsIntegral())
            formatError(format);
        const int64_t v = arg.ToInt64();
        QString digits = t == u'x' ? QString::number(quint64(v), 16).toUpper()
                         : t == u'u' ? QString::number(quint64(v) & (arg.kind() == TfsValue::Int ? 0xFFFFFFFFull : ~0ull))
                                     : QString::number(v < 0 ? -(v + 1) + 1ull : quint64(v));
        if (t == u'x' && arg.kind() == TfsValue::Int)
            digits = QString::number(quint32(v), 16).toUpper();
        if (specifier.precision > digits.size())
            digits = digits.rightJustified(specifier.precision, u'0');
        return (t == u'd' && v < 0 ? QStringLiteral("-") : QString()) + digits;
    }
    case u'e':
        return scientific(floatArg(arg, format), specifier.precision < 0 ? 15 : std::max(specifier.precision, 1));
    case u'f':
        return fixedText(floatArg(arg, format), specifier.precision < 0 ? 2 : specifier.precision, false);
    case u'g':
        return general(floatArg(arg, format), specifier.precision < 0 ? 15 : std::max(specifier.precision, 1));
    case u'n':
        return fixedText(floatArg(arg, format), specifier.precision < 0 ? 2 : specifier.precision, true);
    case u'm': {
        const double v = floatArg(arg, format);
        const QLocale locale;
        const QString number = fixedText(v, specifier.precision < 0 ? 2 : specifier.precision, true);
        const bool negative = number.startsWith(u'-');
        const QString magnitude = negative ? number.mid(1) : number;
        const QString symbol = locale.currencySymbol();
        const QString positive = locale.toCurrencyString(1.0).startsWith(symbol)
                                     ? symbol + magnitude
                                     : magnitude + QChar(0x00A0) + symbol;
        return negative ? u'-' + positive : positive;
    }
    case u'p':
        return QString::number(quint64(arg.ToInt64()) & 0xFFFFFFFFull, 16).toUpper().rightJustified(8, u'0');
    case u's': {
        if (arg.kind() == TfsValue::Array)
            formatError(format);
        const QString s = arg.ToString();
        return specifier.precision >= 0 ? s.left(specifier.precision) : s;
    }
    default:
        formatError(format);
    }
}

int number(const QString &format, qsizetype &i, int limit)
{
    int v = 0;
    const qsizetype start = i;
    while (i < format.size() && format[i].isDigit()) {
        v = v * 10 + format[i].digitValue();
        if (v > limit)
            formatError(format);
        ++i;
    }
    return i == start ? -1 : v;
}

} // namespace

QString TfsFormat::Fixed(double value, int decimals)
{
    QString integral, fraction;
    bool negative = false;
    fixedParts(value, decimals, integral, fraction, negative);
    return (negative ? QStringLiteral("-") : QString()) + integral +
           (decimals > 0 ? u'.' + fraction : QString());
}

QString TfsFormat::Format(const QString &format, std::span<const TfsValue> args)
{
    QString out;
    size_t next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out += format[i];
            continue;
        }
        if (++i >= format.size())
            formatError(format);
        if (format[i] == u'%') {
            out += u'%';
            continue;
        }
        Specifier specifier;
        int n = number(format, i, 255);
        if (n >= 0 && i < format.size() && format[i] == u':') {
            next = size_t(n);
            ++i;
            n = -1;
        }
        if (n < 0 && i < format.size() && format[i] == u'-') {
            specifier.left = true;
            ++i;
        }
        specifier.width = n >= 0 ? n : number(format, i, 255);
        if (i < format.size() && format[i] == u'.') {
            ++i;
            specifier.precision = number(format, i, 255);
            if (specifier.precision < 0)
                formatError(format);
        }
        if (i >= format.size() || next >= args.size())
            formatError(format);
        specifier.type = format[i];
        const QString text = specifierText(specifier, args[next++], format);
        out += specifier.left ? text.leftJustified(specifier.width) : text.rightJustified(specifier.width);
    }
    return out;
}

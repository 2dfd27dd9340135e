// Formatting: the specifier language of Format, number and date pictures and edit masks.
#include "TfsFormat.h"
#include "TfsRuntimeError.h"
#include "fsFunctions_p.h"

#include <QLocale>

#include <cmath>
#include <vector>

namespace {

// Splits at sep outside quotes.
QStringList splitSections(const QString &picture, QChar sep)
{
    QStringList parts{QString()};
    QChar quote;
    for (const QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == sep) {
            parts.append(QString());
            continue;
        }
        parts.last() += c;
    }
    return parts;
}

// What one section of a number picture asks for.
struct NumberPicture
{
    // The section in order: digit places, the decimal point and literal text between them.
    struct Token
    {
        enum Kind { Digit, Point, Literal } kind;
        QString text;
    };
    std::vector<Token> tokens;
    QString prefix, suffix; // literal text before the first placeholder and after it
    bool hasDigits = false;
    int intZeros = 0;       // integral digits always shown
    int intPlaces = 0;      // integral placeholders
    int minDecimals = 0, maxDecimals = 0;
    bool thousands = false;
    bool exponent = false, exponentSign = false; // E+ (sign always) or E- (only when negative)
    int exponentDigits = 0;
};

// section -> {quoted | 0 | # | . | , | (E|e)(+|-){0} | literal}
NumberPicture parsePicture(const QString &section)
{
    NumberPicture p;
    bool point = false, zeroSeen = false;
    const auto addLiteral = [&p](const QString &text) {
        (p.hasDigits ? p.suffix : p.prefix) += text;
        p.tokens.push_back({NumberPicture::Token::Literal, text});
    };
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype end = section.indexOf(c, i + 1);
            addLiteral(section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1));
            i = end < 0 ? section.size() : end;
        } else if (c == u'0' || c == u'#') {
            p.hasDigits = true;
            p.suffix.clear(); // literals between places are placed among the digits
            p.tokens.push_back({NumberPicture::Token::Digit, {}});
            if (point) {
                ++p.maxDecimals;
                if (c == u'0')
                    p.minDecimals = p.maxDecimals;
            } else {
                ++p.intPlaces;
                zeroSeen = zeroSeen || c == u'0';
                p.intZeros += zeroSeen ? 1 : 0;
            }
        } else if (c == u'.' && !point) {
            point = true;
            p.tokens.push_back({NumberPicture::Token::Point, {}});
        } else if (c == u',') {
            p.thousands = true;
        } else if ((c == u'E' || c == u'e') && i + 1 < section.size() &&
                   (section[i + 1] == u'+' || section[i + 1] == u'-') && p.hasDigits) {
            p.exponent = true;
            p.exponentSign = section[i + 1] == u'+';
            for (i += 2; i < section.size() && section[i] == u'0'; ++i)
                ++p.exponentDigits;
            --i;
        } else {
            addLiteral(QString(c));
        }
    }
    return p;
}

QString trimFraction(QString fraction, int minDecimals)
{
    while (fraction.size() > minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    return fraction;
}

// The digits of |value| in exponent form: mantissa with the picture's places, then E and the exponent.
QString exponentNumber(const NumberPicture &p, double value)
{
    const int places = std::max(p.intPlaces, 1);
    int exponent = 0;
    double mantissa = std::fabs(value);
    if (mantissa != 0) {
        exponent = int(std::floor(std::log10(mantissa))) - places + 1;
        mantissa /= std::pow(10.0, exponent);
    }
    QString fixed = TfsFormat::Fixed(mantissa, p.maxDecimals);
    if (fixed.section(u'.', 0, 0).size() > places) { // rounding reached the next power of ten
        ++exponent;
        fixed = TfsFormat::Fixed(mantissa / 10, p.maxDecimals);
    }
    const QString fraction = trimFraction(fixed.section(u'.', 1), p.minDecimals);
    QString s = p.prefix + fixed.section(u'.', 0, 0) +
                (fraction.isEmpty() ? QString() : QLocale().decimalPoint() + fraction) + u'E';
    if (exponent < 0)
        s += u'-';
    else if (p.exponentSign)
        s += u'+';
    return s + QString::number(std::abs(exponent)).rightJustified(p.exponentDigits, u'0') + p.suffix;
}

// The digits of |value| laid into the picture's places, with its literals where they stand; the first
// place also takes the integral digits that the picture has no places for.
QString placedNumber(const NumberPicture &p, const QString &integral, const QString &fraction)
{
    const QLocale locale;
    const qsizetype len = integral.size();
    QString out;
    const auto digit = [&](qsizetype i) {
        out += integral[i];
        if (p.thousands && i < len - 1 && (len - 1 - i) % 3 == 0)
            out += locale.groupSeparator();
    };
    const qsizetype offset = len - p.intPlaces;
    int intPlace = 0, fracPlace = 0;
    bool afterPoint = false, integralDone = p.intPlaces > 0;
    for (const NumberPicture::Token &t : p.tokens) {
        if (t.kind == NumberPicture::Token::Literal) {
            out += t.text;
        } else if (t.kind == NumberPicture::Token::Point) {
            for (qsizetype i = 0; !integralDone && i < len; ++i)
                digit(i);
            integralDone = afterPoint = true;
            if (!fraction.isEmpty())
                out += locale.decimalPoint();
        } else if (afterPoint) {
            if (fracPlace < fraction.size())
                out += fraction[fracPlace];
            ++fracPlace;
        } else {
            for (qsizetype i = intPlace == 0 ? 0 : intPlace + offset; i <= intPlace + offset; ++i)
                if (i >= 0)
                    digit(i);
            ++intPlace;
        }
    }
    for (qsizetype i = 0; !integralDone && i < len; ++i)
        digit(i);
    return out;
}

// Whether |value| shows as nothing but zeros under the picture.
bool roundsToZero(const NumberPicture &p, double value)
{
    if (p.exponent || value == 0)
        return value == 0;
    const QString fixed = TfsFormat::Fixed(std::fabs(value), p.maxDecimals);
    return fixed.count(u'0') + fixed.count(u'.') == fixed.size();
}

QString formatFloat(const QString &picture, double value)
{
    if (!std::isfinite(value))
        throw TfsRuntimeError(QStringLiteral("Invalid floating point operation"), QStringLiteral("EInvalidOp"));
    if (picture.isEmpty())
        return QString::number(value, 'g', 15).replace(u'.', QLocale().decimalPoint());
    const QStringList sections = splitSections(picture, u';');
    bool sign = value < 0;
    NumberPicture p = parsePicture(sign && sections.size() > 1 && !sections[1].isEmpty() ? sections[1] : sections[0]);
    if (sign && sections.size() > 1 && !sections[1].isEmpty())
        sign = false; // the negative section shows the sign its own way
    if (sections.size() > 2 && !sections[2].isEmpty() && roundsToZero(p, value)) {
        p = parsePicture(sections[2]);
        value = 0;
    }
    if (!p.hasDigits)
        return p.prefix;
    if (roundsToZero(p, value))
        sign = false;
    if (p.exponent)
        return (sign ? QStringLiteral("-") : QString()) + exponentNumber(p, value);
    const QString fixed = TfsFormat::Fixed(std::fabs(value), p.maxDecimals);
    QString integral = fixed.section(u'.', 0, 0);
    if (integral == u"0")
        integral.clear();
    integral = integral.rightJustified(p.intZeros, u'0');
    const QString fraction = trimFraction(fixed.section(u'.', 1), p.minDecimals);
    return (sign ? QStringLiteral("-") : QString()) + placedNumber(p, integral, fraction);
}

int run(const QString &s, qsizetype i)
{
    int n = 1;
    while (i + n < s.size() && s[i + n].toLower() == s[i].toLower())
        ++n;
    return n;
}

QString dateSeparator()
{
    for (const QChar c : QLocale().dateFormat(QLocale::ShortFormat))
        if (!c.isLetter())
            return QString(c);
    return QStringLiteral("/");
}

QString formatDateTime(const QString &picture, double days)
{
    const QDateTime dt = fsDateTimeOf(days);
    const QDate date = dt.date();
    const QTime time = dt.time();
    const QLocale locale;
    // Month names inside a date with a day take the form that goes with a day (Russian genitive).
    const bool withDay = picture.contains(u'd', Qt::CaseInsensitive);
    const bool twelveHour = picture.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
                            picture.contains(QLatin1String("a/p"), Qt::CaseInsensitive) ||
                            picture.contains(QLatin1String("ampm"), Qt::CaseInsensitive);
    const int hour = twelveHour ? (time.hour() % 12 == 0 ? 12 : time.hour() % 12) : time.hour();
    const auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i];
        const char16_t l = c.toLower().unicode();
        const int n = run(picture, i);
        const QStringView rest = QStringView(picture).mid(i);
        if (c == u'\'' || c == u'"') {
            const qsizetype end = picture.indexOf(c, i + 1);
            out += picture.mid(i + 1, (end < 0 ? picture.size() : end) - i - 1);
            i = end < 0 ? picture.size() : end + 1;
            continue;
        }
        if (rest.startsWith(u"am/pm", Qt::CaseInsensitive) || rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
            const bool am = time.hour() < 12;
            const bool longForm = rest.startsWith(u"am/pm", Qt::CaseInsensitive);
            QString mark = longForm ? (am ? QStringLiteral("am") : QStringLiteral("pm"))
                                    : (am ? QStringLiteral("a") : QStringLiteral("p"));
            if (c.isUpper())
                mark = mark.toUpper();
            out += mark;
            i += longForm ? 5 : 3;
            continue;
        }
        if (rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
            out += time.hour() < 12 ? locale.amText() : locale.pmText();
            i += 4;
            continue;
        }
        int used = n;
        switch (l) {
        case u'd': {
            used = std::min(n, 6);
            const QString names[] = {QString::number(date.day()), two(date.day()),
                                     locale.dayName(date.dayOfWeek(), QLocale::ShortFormat),
                                     locale.dayName(date.dayOfWeek(), QLocale::LongFormat),
                                     locale.toString(date, QLocale::ShortFormat),
                                     locale.toString(date, QLocale::LongFormat)};
            out += names[used - 1];
            break;
        }
        case u'm':
            if (afterHour && n <= 2) {
                out += n == 1 ? QString::number(time.minute()) : two(time.minute());
            } else {
                used = std::min(n, 4);
                const auto form = used == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
                const QString name = withDay ? locale.monthName(date.month(), form)
                                             : locale.standaloneMonthName(date.month(), form);
                const QString names[] = {QString::number(date.month()), two(date.month()), name, name};
                out += names[used - 1];
            }
            break;
        case u'y':
            used = n <= 2 ? n : std::min(n, 4);
            out += n <= 2 ? two(date.year() % 100) : QString::number(date.year()).rightJustified(4, u'0');
            break;
        case u'h':
            used = std::min(n, 2);
            out += used == 1 ? QString::number(hour) : two(hour);
            break;
        case u'n':
            used = std::min(n, 2);
            out += used == 1 ? QString::number(time.minute()) : two(time.minute());
            break;
        case u's':
            used = std::min(n, 2);
            out += used == 1 ? QString::number(time.second()) : two(time.second());
            break;
        case u'z':
            used = n >= 3 ? 3 : 1;
            out += used == 1 ? QString::number(time.msec()) : QString::number(time.msec()).rightJustified(3, u'0');
            break;
        case u't':
            used = std::min(n, 2);
            out += locale.toString(time, used == 1 ? locale.timeFormat(QLocale::ShortFormat) : fsLongTimeFormat());
            break;
        case u'c':
            used = 1;
            out += locale.toString(date, QLocale::ShortFormat);
            if (time != QTime(0, 0))
                out += u' ' + locale.toString(time, fsLongTimeFormat());
            break;
        case u'/':
            used = 1;
            out += dateSeparator();
            break;
        default:
            used = 1;
            out += c;
        }
        if (c.isLetter())
            afterHour = l == u'h';
        i += used;
    }
    return out;
}

bool isPlaceholder(QChar c)
{
    return QStringView(u"09#LlAaCc").contains(c);
}

QString formatMaskText(const QString &editMask, const QString &value)
{
    QString mask = editMask;
    bool saveLiterals = true;
    QChar blank = u' ';
    // Trailing fields: ";save-literals;blank".
    const auto field = [&mask]() -> QString {
        const qsizetype semi = mask.lastIndexOf(u';');
        if (semi < 0 || (semi > 0 && mask[semi - 1] == u'\\') || mask.size() - semi != 2)
            return {};
        const QString f = mask.mid(semi + 1);
        mask.truncate(semi);
        return f;
    };
    QString last = field();
    QString previous = last.isEmpty() ? QString() : field();
    if (previous.isEmpty() && !last.isEmpty() && (last == u"0" || last == u"1")) {
        previous = last;
        last.clear();
    }
    if (!last.isEmpty())
        blank = last[0];
    if (!previous.isEmpty())
        saveLiterals = previous != u"0";
    enum { None, Upper, Lower } caseMode = None;
    QString out;
    qsizetype v = 0;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == u'>' || c == u'<') {
            if (c == u'<' && i + 1 < mask.size() && mask[i + 1] == u'>') {
                caseMode = None;
                ++i;
            } else {
                caseMode = c == u'>' ? Upper : Lower;
            }
            continue;
        }
        if (c == u'!')
            continue;
        if (isPlaceholder(c)) {
            QChar ch = v < value.size() ? value[v++] : blank;
            if (caseMode == Upper)
                ch = ch.toUpper();
            else if (caseMode == Lower)
                ch = ch.toLower();
            out += ch;
            continue;
        }
        const QChar literal = c == u'\\' && i + 1 < mask.size() ? mask[++i] : c;
        out += literal == u'_' && c != u'\\' ? blank : literal;
        if (saveLiterals && v < value.size() && value[v] == literal)
            ++v;
    }
    return out;
}

TfsValue format(std::span<TfsValue> a)
{
    if (a[1].kind() != TfsValue::Array)
        return TfsValue(TfsFormat::Format(a[0].ToString(), {&a[1], 1}));
    std::vector<TfsValue> args;
    for (int i = a[1].ArrayLow(); i <= a[1].ArrayHigh(); ++i)
        args.push_back(a[1].ArrayAt(i));
    return TfsValue(TfsFormat::Format(a[0].ToString(), args));
}

constexpr TfsFunctionEntry kFunctions[] = {
    {u"function Format(Fmt: String; Args: array): String", u"ctFormat", format},
    {u"function FormatFloat(Fmt: String; Value: Extended): String", u"ctFormat",
     [](std::span<TfsValue> a) { return TfsValue(TfsFormat::FormatFloat(a[0].ToString(), a[1].ToDouble())); }},
    {u"function FormatDateTime(Fmt: String; DateTime: TDateTime): String", u"ctFormat",
     [](std::span<TfsValue> a) { return TfsValue(TfsFormat::FormatDateTime(a[0].ToString(), a[1].ToDouble())); }},
    {u"function FormatMaskText(EditMask: string; Value: string): string", u"ctFormat",
     [](std::span<TfsValue> a) { return TfsValue(TfsFormat::FormatMaskText(a[0].ToString(), a[1].ToString())); }},
};

} // namespace

QString TfsFormat::FormatFloat(const QString &picture, double value)
{
    return formatFloat(picture, value);
}

QString TfsFormat::FormatDateTime(const QString &picture, double days)
{
    return formatDateTime(picture, days);
}

QString TfsFormat::FormatMaskText(const QString &mask, const QString &value)
{
    return formatMaskText(mask, value);
}

std::span<const TfsFunctionEntry> fsFormatFunctions()
{
    return kFunctions;
}

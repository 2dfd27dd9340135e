#include "zorFormat.h"

#include "zorTypes.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <functional>

namespace zor {

namespace {

constexpr int kMaxWidth = 255;
const QDate kDayZero(1899, 12, 30);

QString ShortDate(const QDate &date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

QString LongTime(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString ShortTime(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

std::optional<double> ParseFloat(const QString &text)
{
    bool ok = false;
    const QString t = text.trimmed();
    double v = QLocale().toDouble(t, &ok);
    if (!ok)
        v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

QString VariantText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return BoolText(value.toBool());
    case QMetaType::Double:
    case QMetaType::Float:
        return FloatText(value.toDouble());
    case QMetaType::QDate:
        return ShortDate(value.toDate());
    case QMetaType::QTime:
        return LongTime(value.toTime());
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.time() == QTime(0, 0) ? ShortDate(dt.date())
                                        : ShortDate(dt.date()) + QLatin1Char(' ') + LongTime(dt.time());
    }
    default:
        return value.toString();
    }
}

std::optional<double> VariantToFloat(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float: {
        const double v = value.toDouble();
        return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
    }
    case QMetaType::QString:
        return ParseFloat(value.toString());
    default:
        return std::nullopt;
    }
}

std::optional<qint64> VariantToInteger(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::QString: {
        bool ok = false;
        const qint64 v = value.toString().trimmed().toLongLong(&ok);
        if (ok)
            return v;
        break;
    }
    default:
        break;
    }
    // A float is rounded to the nearest integer, halves to the even neighbour.
    const std::optional<double> f = VariantToFloat(value);
    if (!f || std::fabs(*f) >= 9.2e18)
        return std::nullopt;
    return qint64(std::nearbyint(*f));
}

std::optional<QDateTime> VariantToDateTime(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return QDateTime(kDayZero, value.toTime());
    case QMetaType::QString: {
        const QString t = value.toString().trimmed();
        const QLocale loc;
        for (const QDateTime &dt : {loc.toDateTime(t, QLocale::ShortFormat),
                                    QDateTime(loc.toDate(t, QLocale::ShortFormat), QTime(0, 0)),
                                    QDateTime::fromString(t, Qt::ISODate)}) {
            if (dt.isValid())
                return dt;
        }
        return std::nullopt;
    }
    default: {
        const std::optional<double> days = VariantToFloat(value);
        if (!days || std::fabs(*days) > 3e6)
            return std::nullopt;
        const double whole = std::floor(*days);
        const qint64 ms = qint64(std::nearbyint((*days - whole) * 86400000.0));
        return QDateTime(kDayZero.addDays(qint64(whole)), QTime(0, 0)).addMSecs(ms);
    }
    }
}

// ---- the checked printf-like formatter ----

namespace {

struct Specifier
{
    bool Left = false;
    int Width = -1;
    int Precision = -1;
};

using Converter = std::function<std::optional<QString>(const QVariant &, const Specifier &)>;

QString Digits(quint64 magnitude, int base, int minDigits)
{
    QString s = QString::number(magnitude, base).toUpper();
    if (minDigits > s.size())
        s.prepend(QString(minDigits - s.size(), QLatin1Char('0')));
    return s;
}

std::optional<QString> ConvertSigned(const QVariant &v, const Specifier &specifier)
{
    const std::optional<qint64> i = VariantToInteger(v);
    if (!i)
        return std::nullopt;
    const quint64 magnitude = *i < 0 ? quint64(0) - quint64(*i) : quint64(*i);
    return (*i < 0 ? QStringLiteral("-") : QString()) + Digits(magnitude, 10, specifier.Precision);
}

std::optional<QString> ConvertUnsigned(const QVariant &v, const Specifier &specifier, int base)
{
    const std::optional<qint64> i = VariantToInteger(v);
    if (!i || *i < 0)
        return std::nullopt;
    return Digits(quint64(*i), base, specifier.Precision);
}

std::optional<QString> ConvertFloat(const QVariant &v, const Specifier &specifier, char kind)
{
    const std::optional<double> f = VariantToFloat(v);
    if (!f)
        return std::nullopt;
    const QLocale loc;
    switch (kind) {
    case 'e': {
        const int digits = specifier.Precision < 0 ? 15 : std::max(1, specifier.Precision);
        QString s = QString::number(*f, 'e', digits - 1).toUpper();
        // Three exponent digits with their sign, the locale's decimal separator.
        const qsizetype e = s.indexOf(QLatin1Char('E'));
        QString exponent = s.mid(e + 2);
        exponent = exponent.rightJustified(3, QLatin1Char('0'));
        s = s.left(e + 2) + exponent;
        return s.replace(QLatin1Char('.'), loc.decimalPoint());
    }
    case 'g': {
        const int digits = specifier.Precision < 0 ? 15 : std::max(1, specifier.Precision);
        QString s = QString::number(*f, 'g', digits).toUpper();
        return s.replace(QLatin1Char('.'), loc.decimalPoint());
    }
    case 'n':
        return loc.toString(*f, 'f', specifier.Precision < 0 ? 2 : specifier.Precision);
    case 'm':
        return loc.toCurrencyString(*f, QString(), specifier.Precision < 0 ? 2 : specifier.Precision);
    default: {
        QLocale plain = loc;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return plain.toString(*f, 'f', specifier.Precision < 0 ? 2 : specifier.Precision);
    }
    }
}

const QHash<QChar, Converter> &Converters()
{
    using namespace std::placeholders;
    static const QHash<QChar, Converter> table = {
        {QLatin1Char('d'), ConvertSigned},
        {QLatin1Char('u'), std::bind(ConvertUnsigned, _1, _2, 10)},
        {QLatin1Char('x'), std::bind(ConvertUnsigned, _1, _2, 16)},
        {QLatin1Char('e'), std::bind(ConvertFloat, _1, _2, 'e')},
        {QLatin1Char('f'), std::bind(ConvertFloat, _1, _2, 'f')},
        {QLatin1Char('g'), std::bind(ConvertFloat, _1, _2, 'g')},
        {QLatin1Char('n'), std::bind(ConvertFloat, _1, _2, 'n')},
        {QLatin1Char('m'), std::bind(ConvertFloat, _1, _2, 'm')},
    };
    return table;
}

// A run of decimal digits at i, at most kMaxWidth; -1 when there are none, -2 when too large.
int ReadNumber(const QString &s, qsizetype &i)
{
    int n = -1;
    while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128) {
        n = (n < 0 ? 0 : n) * 10 + (s.at(i).unicode() - '0');
        if (n > kMaxWidth)
            return -2;
        ++i;
    }
    return n;
}

} // namespace

std::optional<QString> FormatValue(const QString &format, const QVariant &value)
{
    QString out;
    bool used = false;
    qsizetype i = 0;
    const qsizetype n = format.size();
    while (i < n) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%')) {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < n && format.at(i + 1) == QLatin1Char('%')) {
            out += c;
            i += 2;
            continue;
        }
        if (used)
            return std::nullopt;
        used = true;
        ++i;
        Specifier specifier;
        if (i < n && format.at(i) == QLatin1Char('-')) {
            specifier.Left = true;
            ++i;
        }
        specifier.Width = ReadNumber(format, i);
        if (specifier.Width == -2)
            return std::nullopt;
        if (i < n && format.at(i) == QLatin1Char('.')) {
            ++i;
            const int precision = ReadNumber(format, i);
            if (precision == -2)
                return std::nullopt;
            specifier.Precision = std::max(0, precision);
        }
        if (i >= n)
            return std::nullopt;
        const auto it = Converters().constFind(format.at(i).toLower());
        if (it == Converters().constEnd())
            return std::nullopt;
        ++i;
        const std::optional<QString> body = (*it)(value, specifier);
        if (!body)
            return std::nullopt;
        out += specifier.Left ? body->leftJustified(specifier.Width) : body->rightJustified(specifier.Width);
    }
    if (!used)
        return std::nullopt;
    return out;
}

// ---- number pictures ----

namespace {

struct PictureToken
{
    enum Kind { Zero, Hash, Point, Literal } Type;
    QString Text;
};

struct Picture
{
    QList<PictureToken> Tokens;
    bool Thousands = false;
    int IntPlaces = 0; // digit places before the point
    int MinInt = 0;    // of them, from the first 0 on
    int MinFrac = 0;   // places after the point up to the last 0
    int MaxFrac = 0;   // all places after the point
};

// The sections of a picture, split at ";" outside quotes.
QStringList Sections(const QString &picture)
{
    QStringList out{QString()};
    QChar quote;
    for (const QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            out.append(QString());
            continue;
        }
        out.last() += c;
    }
    return out;
}

Picture ParsePicture(const QString &section)
{
    Picture p;
    bool afterPoint = false;
    bool seenZero = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = section.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            p.Tokens.append(PictureToken{PictureToken::Literal, section.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            const bool zero = c == QLatin1Char('0');
            p.Tokens.append(PictureToken{zero ? PictureToken::Zero : PictureToken::Hash, {}});
            if (afterPoint) {
                ++p.MaxFrac;
                if (zero)
                    p.MinFrac = p.MaxFrac;
            } else {
                ++p.IntPlaces;
                seenZero = seenZero || zero;
                if (seenZero)
                    ++p.MinInt;
            }
        } else if (c == QLatin1Char('.') && !afterPoint) {
            afterPoint = true;
            p.Tokens.append(PictureToken{PictureToken::Point, {}});
        } else if (c == QLatin1Char(',')) {
            p.Thousands = true;
        } else {
            p.Tokens.append(PictureToken{PictureToken::Literal, QString(c)});
        }
    }
    return p;
}

QString ApplyPicture(const Picture &p, double magnitude, bool negative)
{
    const QLocale loc;
    QString fixed = QString::number(magnitude, 'f', p.MaxFrac);
    const qsizetype dot = fixed.indexOf(QLatin1Char('.'));
    QString intDigits = dot < 0 ? fixed : fixed.left(dot);
    QString fracDigits = dot < 0 ? QString() : fixed.mid(dot + 1);
    while (fracDigits.size() > p.MinFrac && fracDigits.endsWith(QLatin1Char('0')))
        fracDigits.chop(1);
    if (intDigits == QLatin1String("0"))
        intDigits.clear();
    if (intDigits.size() < p.MinInt)
        intDigits.prepend(QString(p.MinInt - intDigits.size(), QLatin1Char('0')));
    const auto nonZero = [](const QString &digits) {
        return std::any_of(digits.cbegin(), digits.cend(), [](QChar c) { return c != QLatin1Char('0'); });
    };
    const bool allZero = !nonZero(intDigits) && !nonZero(fracDigits);

    QString out = negative && !allZero ? QStringLiteral("-") : QString();
    const qsizetype len = intDigits.size();
    const auto emitDigit = [&](qsizetype idx) {
        out += intDigits.at(idx);
        if (p.Thousands && idx < len - 1 && (len - 1 - idx) % 3 == 0)
            out += loc.groupSeparator();
    };
    const auto emitAllInt = [&] {
        for (qsizetype idx = 0; idx < len; ++idx)
            emitDigit(idx);
    };
    const qsizetype offset = len - p.IntPlaces;
    int intPlace = 0, fracPlace = 0;
    bool afterPoint = false, intDone = p.IntPlaces > 0;
    for (const PictureToken &t : p.Tokens) {
        switch (t.Type) {
        case PictureToken::Literal:
            out += t.Text;
            break;
        case PictureToken::Point:
            if (!intDone) {
                emitAllInt();
                intDone = true;
            }
            afterPoint = true;
            if (!fracDigits.isEmpty())
                out += loc.decimalPoint();
            break;
        case PictureToken::Zero:
        case PictureToken::Hash:
            if (afterPoint) {
                if (fracPlace < fracDigits.size())
                    out += fracDigits.at(fracPlace);
                ++fracPlace;
                break;
            }
            // The first place also takes the digits that the picture has no places for.
            for (qsizetype idx = intPlace == 0 ? 0 : intPlace + offset; idx <= intPlace + offset; ++idx) {
                if (idx >= 0)
                    emitDigit(idx);
            }
            ++intPlace;
            break;
        }
    }
    if (!intDone)
        emitAllInt();
    return out;
}

} // namespace

QString FormatFloat(const QString &picture, double value)
{
    if (picture.isEmpty() || !std::isfinite(value))
        return VariantText(value);
    const QStringList sections = Sections(picture);
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    QString section = sections.at(0);
    bool sign = negative;
    if (negative && sections.size() > 1 && !sections.at(1).isEmpty()) {
        section = sections.at(1);
        sign = false;
    }
    const Picture p = ParsePicture(section);
    // The zero section is used when the value rounds to zero under the picture.
    if (sections.size() > 2 && !sections.at(2).isEmpty() &&
        QString::number(magnitude, 'f', p.MaxFrac).toDouble() == 0)
        return ApplyPicture(ParsePicture(sections.at(2)), 0, false);
    return ApplyPicture(p, magnitude, sign);
}

// ---- date and time pictures ----

namespace {

struct DateContext
{
    QDateTime Value;
    bool TwelveHour = false;
    bool LastWasHour = false;
};

QString TwoDigits(int v)
{
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

QChar DateSeparator()
{
    const QString f = QLocale().dateFormat(QLocale::ShortFormat);
    for (const QChar c : f) {
        if (!c.isLetter())
            return c;
    }
    return QLatin1Char('.');
}

int Hour(const DateContext &ctx)
{
    const int h = ctx.Value.time().hour();
    if (!ctx.TwelveHour)
        return h;
    return h % 12 == 0 ? 12 : h % 12;
}

// The text of a run of one picture letter.
QString LetterRun(QChar letter, int count, DateContext &ctx)
{
    const QLocale loc;
    const QDate d = ctx.Value.date();
    const QTime t = ctx.Value.time();
    const bool hour = ctx.LastWasHour;
    ctx.LastWasHour = false;
    switch (letter.toLower().unicode()) {
    case 'd': {
        static const std::function<QString(const QLocale &, const QDate &)> days[] = {
            [](const QLocale &, const QDate &x) { return QString::number(x.day()); },
            [](const QLocale &, const QDate &x) { return TwoDigits(x.day()); },
            [](const QLocale &l, const QDate &x) { return l.dayName(x.dayOfWeek(), QLocale::ShortFormat); },
            [](const QLocale &l, const QDate &x) { return l.dayName(x.dayOfWeek(), QLocale::LongFormat); },
            [](const QLocale &l, const QDate &x) { return l.toString(x, QLocale::ShortFormat); },
            [](const QLocale &l, const QDate &x) { return l.toString(x, QLocale::LongFormat); },
        };
        return days[std::min(count, 6) - 1](loc, d);
    }
    case 'm':
        if (hour && count <= 2)
            return count == 1 ? QString::number(t.minute()) : TwoDigits(t.minute());
        if (count == 1)
            return QString::number(d.month());
        if (count == 2)
            return TwoDigits(d.month());
        return loc.standaloneMonthName(d.month(), count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
    case 'y':
        return count <= 2 ? TwoDigits(d.year() % 100)
                          : QString::number(d.year()).rightJustified(4, QLatin1Char('0'));
    case 'h':
        ctx.LastWasHour = true;
        return count == 1 ? QString::number(Hour(ctx)) : TwoDigits(Hour(ctx));
    case 'n':
        return count == 1 ? QString::number(t.minute()) : TwoDigits(t.minute());
    case 's':
        return count == 1 ? QString::number(t.second()) : TwoDigits(t.second());
    case 'z':
        return count < 3 ? QString::number(t.msec())
                         : QString::number(t.msec()).rightJustified(3, QLatin1Char('0'));
    case 't':
        return count == 1 ? ShortTime(t) : LongTime(t);
    case 'c':
        return t == QTime(0, 0) ? ShortDate(d) : ShortDate(d) + QLatin1Char(' ') + LongTime(t);
    default:
        return QString(count, letter);
    }
}

const QString kAmPm = QStringLiteral("am/pm");
const QString kAP = QStringLiteral("a/p");

} // namespace

QString FormatDateTime(const QString &picture, const QDateTime &value)
{
    DateContext ctx;
    ctx.Value = value;
    ctx.TwelveHour =
        picture.contains(kAmPm, Qt::CaseInsensitive) || picture.contains(kAP, Qt::CaseInsensitive);
    const bool pm = value.time().hour() >= 12;
    QString out;
    const qsizetype n = picture.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = picture.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = picture.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? n : end;
            out += picture.mid(i + 1, stop - i - 1);
            i = stop + 1;
        } else if (QStringView(picture).mid(i).startsWith(kAmPm, Qt::CaseInsensitive)) {
            out += pm ? QStringLiteral("pm") : QStringLiteral("am");
            i += kAmPm.size();
        } else if (QStringView(picture).mid(i).startsWith(kAP, Qt::CaseInsensitive)) {
            out += pm ? QLatin1Char('p') : QLatin1Char('a');
            i += kAP.size();
        } else if (c == QLatin1Char('/')) {
            out += DateSeparator();
            ++i;
        } else if (QStringLiteral("dmyhnsztcDMYHNSZTC").contains(c)) {
            qsizetype j = i;
            while (j < n && picture.at(j).toLower() == c.toLower())
                ++j;
            out += LetterRun(c, int(std::min<qsizetype>(j - i, 255)), ctx);
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace zor

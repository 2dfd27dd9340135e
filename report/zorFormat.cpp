#include "zorFormat.h"

#include "TfsFormat.h"
#include "TfsRuntimeError.h"
#include "TfsVariant.h"
#include "zorTypes.h"

#include <QLocale>

#include <cmath>

namespace zor {

namespace {

const QDate kDayZero(1899, 12, 30);

QString ShortDate(const QDate &date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

QString LongTime(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
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

// ---- formats, pictures and masks: one implementation, shared with scripts ----

namespace {

// The type letter of a format's only specifier, or none when the format has not exactly one.
std::optional<QChar> OnlySpecifier(const QString &format)
{
    std::optional<QChar> type;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format.at(i) != QLatin1Char('%'))
            continue;
        if (i + 1 < format.size() && format.at(i + 1) == QLatin1Char('%')) {
            ++i;
            continue;
        }
        if (type)
            return std::nullopt;
        qsizetype j = i + 1;
        while (j < format.size() && QStringLiteral("-.0123456789").contains(format.at(j)))
            ++j;
        if (j == format.size())
            return std::nullopt;
        type = format.at(j).toLower();
        i = j;
    }
    return type;
}

// The value as the argument the specifier takes: an integer for d, u and x, a float for the others.
std::optional<TfsValue> SpecifierArgument(QChar type, const QVariant &value)
{
    if (QStringLiteral("dux").contains(type)) {
        const std::optional<qint64> v = VariantToInteger(value);
        if (!v || (type == QLatin1Char('u') && *v < 0))
            return std::nullopt;
        return TfsValue(int64_t(*v));
    }
    if (QStringLiteral("efgnm").contains(type)) {
        const std::optional<double> v = VariantToFloat(value);
        if (!v || !std::isfinite(*v))
            return std::nullopt;
        return TfsValue(*v);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> FormatValue(const QString &format, const QVariant &value)
{
    const std::optional<QChar> type = OnlySpecifier(format);
    const std::optional<TfsValue> arg = type ? SpecifierArgument(*type, value) : std::nullopt;
    if (!arg)
        return std::nullopt;
    try {
        return TfsFormat::Format(format, std::span<const TfsValue>(&*arg, 1));
    } catch (const TfsRuntimeError &) {
        return std::nullopt;
    }
}

QString FormatFloat(const QString &picture, double value)
{
    if (picture.isEmpty() || !std::isfinite(value))
        return VariantText(value);
    return TfsFormat::FormatFloat(picture, value);
}

QString FormatDateTime(const QString &picture, const QDateTime &value)
{
    return TfsFormat::FormatDateTime(picture, fsVariantToValue(value).ToDouble());
}

} // namespace zor

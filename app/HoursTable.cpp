#include "HoursTable.h"

#include <cmath>

namespace HoursTable {

namespace {

QLocale plainNumbers(QLocale locale)
{
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

// Rounds to one decimal, halves away from zero, deciding on the decimal digits the number shows
// (so that 1,15 goes up although its binary value lies just below the half).
double roundToTenths(double value)
{
    const double tenths = QString::number(value * 10, 'g', 15).toDouble();
    return std::round(tenths) / 10;
}

} // namespace

std::optional<double> parse(const QString &text, const QLocale &locale)
{
    bool ok = false;
    const double value = plainNumbers(locale).toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatShort(double value, const QLocale &locale)
{
    double rounded = roundToTenths(value);
    if (rounded == 0)
        rounded = 0; // no "-0"
    const bool whole = std::fmod(rounded, 1.0) == 0;
    return plainNumbers(locale).toString(rounded, 'f', whole ? 0 : 1);
}

QString formatGeneral(double value, const QLocale &locale)
{
    return plainNumbers(locale).toString(value, 'g', 15);
}

QString conversionError(const QString &text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

Outcome sum(const Cells &cells, const QLocale &locale)
{
    Outcome outcome;
    for (const QString &cell : cells) {
        const std::optional<double> value = parse(cell, locale);
        if (!value)
            return {false, cell, 0};
        outcome.sum += *value;
    }
    return outcome;
}

Outcome normalise(Cells &cells, const QLocale &locale)
{
    for (QString &cell : cells) {
        if (cell.isEmpty())
            cell = QStringLiteral("0");
        const std::optional<double> value = parse(cell, locale);
        if (!value)
            return {false, cell, 0};
        cell = formatShort(*value, locale);
    }
    return sum(cells, locale);
}

} // namespace HoursTable

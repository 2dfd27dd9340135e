#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

// Display formatting of values in the user's locale: the text form of a value, and the display
// formats of text objects, which use the same formatter and pictures as scripts (TfsFormat) after
// converting the value to what the format takes.
namespace zor {

// The plain text form of a value: empty for null, "True"/"False", numbers with the user's
// decimal separator, dates in the short date form (with the long time when it is not midnight).
QString VariantText(const QVariant &value);

// Conversions of a value for a format; none when the value does not convert.
std::optional<double> VariantToFloat(const QVariant &value);
std::optional<qint64> VariantToInteger(const QVariant &value);
// Date-time values, dates, times, day numbers counted from 30 December 1899, and texts in the
// short date (and time) form or ISO form.
std::optional<QDateTime> VariantToDateTime(const QVariant &value);

// format -> literal text, "%%", and exactly one specifier %[-][width][.prec]type with type d, u, x
// (an integer) or e, f, g, n, m (a float); width and precision at most 255. None for any other
// format or a value the specifier cannot take.
std::optional<QString> FormatValue(const QString &format, const QVariant &value);

// picture -> positive[;negative[;zero]] sections of 0 (digit), # (optional digit), . (decimal
// point), , (thousand grouping) and literal text (quoted with ' or " or any other character).
// An empty picture, and a value that is no finite number, give the plain text form.
QString FormatFloat(const QString &picture, double value);

// picture -> the date and time letters d..dddddd, m..mmmm (minutes after h), yy, yyyy, h, hh, n,
// nn, s, ss, z, zzz, t, tt, c, am/pm, a/p, / and : separators and quoted literal text.
QString FormatDateTime(const QString &picture, const QDateTime &value);

} // namespace zor

#pragma once

#include <QLocale>
#include <QString>

#include <array>
#include <optional>

// The hours column of the certificate: ten cells of decimal numbers in the user's locale and
// their total.
namespace HoursTable {

constexpr int rowCount = 10;
using Cells = std::array<QString, rowCount>;

// A finite number in the locale's form (decimal comma under Russian), or nothing.
std::optional<double> parse(const QString &text, const QLocale &locale = QLocale());
// The pattern "0.#": at most one decimal, halves rounded away from zero, no decimal part when the
// number rounds to a whole one.
QString formatShort(double value, const QLocale &locale = QLocale());
// The shortest general form, up to 15 significant digits.
QString formatGeneral(double value, const QLocale &locale = QLocale());

// The message for a cell whose text is not a number.
QString conversionError(const QString &text);

struct Outcome
{
    bool ok = true;
    QString failedText; // the text of the first cell that is not a number
    double sum = 0;
};

// Sum of the ten cells in row order.
Outcome sum(const Cells &cells, const QLocale &locale = QLocale());

// Rewrites every cell in the "0.#" form (an empty cell becomes "0") and computes the total. Stops
// at the first cell that is not a number: the cells before it stay rewritten.
Outcome normalise(Cells &cells, const QLocale &locale = QLocale());

} // namespace HoursTable

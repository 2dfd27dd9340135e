#pragma once

#include "TfsValue.h"

#include <QDateTime>
#include <QString>

#include <span>

// One built-in function: its declaration text, its category and the routine that computes it.
struct TfsFunctionEntry
{
    const char16_t *syntax;
    const char16_t *category;
    TfsValue (*call)(std::span<TfsValue> args);
};

// The built-in functions by category, one table per file.
std::span<const TfsFunctionEntry> fsConvFunctions();
std::span<const TfsFunctionEntry> fsFormatFunctions();
std::span<const TfsFunctionEntry> fsDateFunctions();
std::span<const TfsFunctionEntry> fsStringFunctions();
std::span<const TfsFunctionEntry> fsMathFunctions();
std::span<const TfsFunctionEntry> fsOtherFunctions();

// The conversions that ValidInt, ValidFloat and ValidDate try.
TfsValue fsStrToInt(std::span<TfsValue> args);
TfsValue fsStrToFloat(std::span<TfsValue> args);
TfsValue fsStrToDate(std::span<TfsValue> args);

// Date-time values count days from 1899-12-30; the fraction is the time of day. Values outside
// 0001-01-01 .. 9999-12-31, NaN and infinity are run-time errors.
QDateTime fsDateTimeOf(double days);
double fsDaysOf(const QDate &date, const QTime &time = QTime(0, 0));
// The locale's long time format without a time-zone field.
QString fsLongTimeFormat();
// A conversion failure: "'text' is not a valid <what>".
[[noreturn]] void fsConvertError(const QString &text, const char *what);

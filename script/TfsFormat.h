#pragma once

#include "TfsValue.h"

#include <QString>

#include <span>

// Text formatting of script values in the user's locale. Nothing here hands a format to the C
// library: every format is parsed and checked here, and a bad one is a run-time error.
namespace TfsFormat {

// format -> {literal | "%%" | '%' [index ':'] ['-'] [width] ['.' prec] type}, type one of d u e f g n m
// p s x; width and precision at most 255. A missing or mismatched argument is a run-time error.
QString Format(const QString &format, std::span<const TfsValue> args);

// value rounded to decimals places, exact decimal halves away from zero, as plain digits with "."
// ("-" before a negative value that is not zero after rounding).
QString Fixed(double value, int decimals);

// picture -> positive[;negative[;zero]] sections of 0, #, ".", ",", E+ / E- exponents and literals.
QString FormatFloat(const QString &picture, double value);

// picture -> d..dddddd, m..mmmm (minutes after h), yy, yyyy, h, hh, n, nn, s, ss, z, zzz, t, tt, c,
// am/pm, a/p, "/" and ":" and quoted literals.
QString FormatDateTime(const QString &picture, double days);

// mask -> characters [";" save-literals [";" blank]]: 0 9 # L l A a C c placeholders, > < <> case,
// \ literal, everything else literal.
QString FormatMaskText(const QString &mask, const QString &value);

} // namespace TfsFormat

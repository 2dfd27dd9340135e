#pragma once

#include <QString>

class QVariant;

// Escapes a value for an attribute of the library's XML dialect. Values under 32 characters
// keep a bare '&' unless what follows it would read back as a reference; longer values escape
// every '&' and turn NUL into a space.
QString zorStrToXML(const QString &s);

// Undoes the escaping of an attribute value: decimal references "&#N;" and the named references
// "&quot;", "&amp;", "&lt;", "&gt;". A malformed numeric reference stays as it is.
QString zorXMLToStr(const QString &s);

// The attribute text of a value in the compact object form of prepared pages.
QString zorValueToXML(const QVariant &v);

// A float as the library writes it: up to 15 significant digits, fixed notation from 1e-5 to
// below 1e15, trailing zeros dropped, with the decimal separator of the user's locale.
QString zorFloatToStr(double value);
// The same with the decimal separator given, for writers of many numbers.
QString zorFloatToStr(double value, QChar decimalPoint);

#include "zorDesignerUnits.h"

#include "zorTypes.h"

#include <QLocale>

#include <cmath>

namespace zor {

namespace {

constexpr double pixelsPerInch = 96;
constexpr double mmPerInch = 25.4;

} // namespace

double PixelsToUnits(double pixels, TfrxDesignerUnits units, bool vertical)
{
    switch (units) {
    case duCM:
        return pixels / pixelsPerInch * 2.54;
    case duInches:
        return pixels / pixelsPerInch;
    case duPixels:
        return pixels;
    case duChars:
        return std::nearbyint(pixels / (vertical ? CharHeight : CharWidth));
    }
    return pixels;
}

double UnitsToPixels(double value, TfrxDesignerUnits units, bool vertical)
{
    switch (units) {
    case duCM:
        return value / 2.54 * pixelsPerInch;
    case duInches:
        return value * pixelsPerInch;
    case duPixels:
        return value;
    case duChars:
        return value * (vertical ? CharHeight : CharWidth);
    }
    return value;
}

double MmToUnits(double mm, TfrxDesignerUnits units, bool vertical)
{
    switch (units) {
    case duCM:
        return mm / 10;
    case duInches:
        return mm / mmPerInch;
    case duPixels:
        return mm * pixelsPerInch / mmPerInch;
    case duChars:
        return mm * pixelsPerInch / mmPerInch / (vertical ? CharHeight : CharWidth);
    }
    return mm;
}

double UnitsToMm(double value, TfrxDesignerUnits units, bool vertical)
{
    switch (units) {
    case duCM:
        return value * 10;
    case duInches:
        return value * mmPerInch;
    case duPixels:
        return value * mmPerInch / pixelsPerInch;
    case duChars:
        return value * (vertical ? CharHeight : CharWidth) * mmPerInch / pixelsPerInch;
    }
    return value;
}

QString UnitsText(double value)
{
    if (std::abs(value - std::nearbyint(value)) < 1e-9)
        return QLocale().toString(qint64(std::nearbyint(value)));
    return QLocale().toString(value, 'f', 2);
}

double DefaultObjectWidth(TfrxDesignerUnits units)
{
    switch (units) {
    case duCM:
        return 2.5 * fr1cm;
    case duInches:
        return fr1in;
    case duPixels:
        return 80;
    case duChars:
        return 10 * CharWidth;
    }
    return 80;
}

double DefaultObjectHeight(TfrxDesignerUnits units)
{
    switch (units) {
    case duCM:
        return 0.5 * fr1cm;
    case duInches:
        return 0.2 * fr1in;
    case duPixels:
        return 16;
    case duChars:
        return CharHeight;
    }
    return 16;
}

double BandHeight(TfrxDesignerUnits units)
{
    switch (units) {
    case duCM:
        return 0.6 * fr1cm;
    case duInches:
        return 0.3 * fr1in;
    case duPixels:
        return 20;
    case duChars:
        return CharHeight;
    }
    return 20;
}

} // namespace zor

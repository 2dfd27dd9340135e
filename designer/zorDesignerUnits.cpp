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

namespace {

// The sizes the designer gives new things in each unit: a new object 2.5 x 0.5 cm, 1 x 0.2 inch,
// 80 x 16 pixels or 10 x 1 characters; a new band 0.6 cm, 0.3 inch, 20 pixels or one line.
struct NewSizes {
    double ObjectWidth;
    double ObjectHeight;
    double BandHeight;
};
const NewSizes newSizes[] = {
    {2.5 * fr1cm, 0.5 * fr1cm, 0.6 * fr1cm},        // duCM
    {double(fr1in), 0.2 * fr1in, 0.3 * fr1in},      // duInches
    {80, 16, 20},                                   // duPixels
    {10 * CharWidth, CharHeight, CharHeight},       // duChars
};

const NewSizes &SizesOf(TfrxDesignerUnits units)
{
    return newSizes[units >= duCM && units <= duChars ? units : duPixels];
}

} // namespace

double DefaultObjectWidth(TfrxDesignerUnits units)
{
    return SizesOf(units).ObjectWidth;
}

double DefaultObjectHeight(TfrxDesignerUnits units)
{
    return SizesOf(units).ObjectHeight;
}

double BandHeight(TfrxDesignerUnits units)
{
    return SizesOf(units).BandHeight;
}

} // namespace zor

#pragma once

#include <QString>

// The units in which the designer shows coordinates: its status bar, rulers and editors.
enum TfrxDesignerUnits { duCM, duInches, duPixels, duChars };

namespace zor {

// One character cell of a dot-matrix page, in report pixels.
constexpr double CharWidth = 9.6;
constexpr double CharHeight = 17;

// Report pixels (96 per inch) shown in units; vertical selects the character height.
double PixelsToUnits(double pixels, TfrxDesignerUnits units, bool vertical = false);
double UnitsToPixels(double value, TfrxDesignerUnits units, bool vertical = false);
// Millimetres (paper sizes and margins) shown in units, and back.
double MmToUnits(double mm, TfrxDesignerUnits units, bool vertical = false);
double UnitsToMm(double value, TfrxDesignerUnits units, bool vertical = false);
// A whole number as such, anything else with two decimals in the user's locale.
QString UnitsText(double value);
// The designer's default size of a new object in report pixels: 2.5 x 0.5 cm, 1 x 0.2 inch,
// 80 x 16 pixels or 10 x 1 characters.
double DefaultObjectWidth(TfrxDesignerUnits units);
double DefaultObjectHeight(TfrxDesignerUnits units);
// The height of a new band: 0.6 cm, 0.3 inch, 20 pixels or one character line.
double BandHeight(TfrxDesignerUnits units);

} // namespace zor

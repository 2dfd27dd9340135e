#include "TfrxLengthEdit.h"

#include "TfrxXMLSerializer.h"

TfrxLengthEdit::TfrxLengthEdit(TfrxDesignerUnits units, bool vertical, QWidget *parent)
    : QLineEdit(parent), FUnits(units), FVertical(vertical)
{
}

void TfrxLengthEdit::SetMillimetres(double mm)
{
    FMillimetres = mm;
    FShown = zor::UnitsText(zor::MmToUnits(mm, FUnits, FVertical));
    setText(FShown);
}

std::optional<double> TfrxLengthEdit::Millimetres() const
{
    if (text() == FShown)
        return FMillimetres;
    // The locale's group separator is a no-break space, which the float reader does not skip.
    QString typed = text();
    typed.removeIf([](QChar c) { return c.isSpace(); });
    double value = 0;
    if (!TfrxXMLSerializer::StrToFloat(typed, value) || value < 0)
        return std::nullopt;
    return zor::UnitsToMm(value, FUnits, FVertical);
}

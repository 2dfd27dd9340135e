#pragma once

#include "TfrxPropertyEditors.h"

class QFont;
class TfrxFont;

// A font: its own properties below it, and the font dialog behind "...", whose choice goes to
// every selected object.
class TfrxFontProperty : public TfrxClassProperty
{
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    bool Edit() override;

    // The font as the dialog shows it (points, styles) and the dialog's choice written back
    // into a font, which keeps its colour and charset.
};

// A font's name, chosen from the installed fonts.
class TfrxFontNameProperty : public TfrxStringProperty
{
public:
    using TfrxStringProperty::TfrxStringProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    void GetValues() override;
};

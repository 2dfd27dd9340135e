#include "TfrxFontProperty.h"

#include "TfrxCustomDesigner.h"
#include "TfrxFont.h"
#include "zorFontDialog.h"

#include <QFontDatabase>

TfrxPropertyAttributes TfrxFontProperty::GetAttributes() const
{
    return paDialog | paMultiSelect | paSubProperties | paReadOnly;
}

bool TfrxFontProperty::Edit()
{
    const auto *current = qobject_cast<const TfrxFont *>(GetObjectValue());
    if (current == nullptr)
        return false;
    TfrxFont font;
    font.Assign(current);
    if (!zorChooseFont(font, Designer().DialogParent()))
        return false;
    SetVariantValue(QVariant::fromValue(&font));
    return false;
}

TfrxPropertyAttributes TfrxFontNameProperty::GetAttributes() const
{
    return paValueList | paSortList | paMultiSelect;
}

void TfrxFontNameProperty::GetValues()
{
    Values = QFontDatabase::families();
}

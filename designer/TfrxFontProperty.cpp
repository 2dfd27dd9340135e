#include "TfrxFontProperty.h"

#include "TfrxCustomDesigner.h"
#include "TfrxFont.h"

#include <QFontDatabase>
#include <QFontDialog>

TfrxPropertyAttributes TfrxFontProperty::GetAttributes() const
{
    return paDialog | paMultiSelect | paSubProperties | paReadOnly;
}

QFont TfrxFontProperty::ToDialogFont(const TfrxFont &font)
{
    QFont shown(font.Name());
    shown.setPointSize(std::max(1, font.Size()));
    shown.setBold(font.Style().testFlag(zor::fsBold));
    shown.setItalic(font.Style().testFlag(zor::fsItalic));
    shown.setUnderline(font.Style().testFlag(zor::fsUnderline));
    shown.setStrikeOut(font.Style().testFlag(zor::fsStrikeOut));
    return shown;
}

void TfrxFontProperty::FromDialogFont(const QFont &chosen, TfrxFont &font)
{
    zor::TFontStyles style;
    style.setFlag(zor::fsBold, chosen.bold());
    style.setFlag(zor::fsItalic, chosen.italic());
    style.setFlag(zor::fsUnderline, chosen.underline());
    style.setFlag(zor::fsStrikeOut, chosen.strikeOut());
    font.SetName(chosen.family());
    font.SetSize(chosen.pointSize());
    font.SetStyle(style);
}

bool TfrxFontProperty::Edit()
{
    const auto *current = qobject_cast<const TfrxFont *>(GetObjectValue());
    if (current == nullptr)
        return false;
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, ToDialogFont(*current), Designer().DialogParent());
    if (!accepted)
        return false;
    TfrxFont font;
    font.Assign(current);
    FromDialogFont(chosen, font);
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

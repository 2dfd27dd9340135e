#include "zorFontDialog.h"

#include "TfrxFont.h"

#include <QFontDialog>

#include <algorithm>

QFont zorDialogFont(const TfrxFont &font)
{
    QFont shown(font.Name());
    shown.setPointSize(std::max(1, font.Size()));
    shown.setBold(font.Style().testFlag(zor::fsBold));
    shown.setItalic(font.Style().testFlag(zor::fsItalic));
    shown.setUnderline(font.Style().testFlag(zor::fsUnderline));
    shown.setStrikeOut(font.Style().testFlag(zor::fsStrikeOut));
    return shown;
}

void zorAssignDialogFont(const QFont &chosen, TfrxFont &font)
{
    zor::TFontStyles style;
    style.setFlag(zor::fsBold, chosen.bold());
    style.setFlag(zor::fsItalic, chosen.italic());
    style.setFlag(zor::fsUnderline, chosen.underline());
    style.setFlag(zor::fsStrikeOut, chosen.strikeOut());
    font.SetName(chosen.family());
    // A font given in pixels has no point size; the old size stays then.
    if (chosen.pointSize() > 0)
        font.SetSize(chosen.pointSize());
    font.SetStyle(style);
}

bool zorChooseFont(TfrxFont &font, QWidget *parent, const QString &title)
{
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, zorDialogFont(font), parent, title);
    if (accepted)
        zorAssignDialogFont(chosen, font);
    return accepted;
}

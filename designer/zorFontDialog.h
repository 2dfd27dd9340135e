#pragma once

#include <QFont>
#include <QString>

class QWidget;
class TfrxFont;

// The font dialog knows a font by family, points and four style flags. A report font's colour and
// character set are not the dialog's business and stay as they are.
QFont zorDialogFont(const TfrxFont &font);
void zorAssignDialogFont(const QFont &chosen, TfrxFont &font);
// Opens the font dialog on the font; on OK writes the choice into it and returns true.
bool zorChooseFont(TfrxFont &font, QWidget *parent, const QString &title = QString());

#pragma once

#include <QToolButton>

// A toolbar button that applies a colour: pressing it gives the colour last chosen, its menu
// offers the standard colours, no colour, and the colour dialog. The chosen colour shows as a bar
// under the button's picture.
class TfrxColorButton : public QToolButton
{
    Q_OBJECT

public:
    TfrxColorButton(const QIcon &icon, const QString &hint, int color, QWidget *parent = nullptr);

    // The colour as the library stores it (0x00BBGGRR, clTransparent for none).
    int Color() const { return FColor; }
    void SetColor(int color);

signals:
    void ColorChosen(int color);

private:
    void Choose(int color);
    void ChooseOther();
    void UpdateIcon();

    QIcon FBaseIcon;
    int FColor;
};

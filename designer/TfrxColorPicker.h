#pragma once

#include <QToolButton>

// A dialog's colour field: a swatch of the colour (crossed out for none), with a menu of the
// standard colours, "No color" where the field allows it, and the colour dialog. Colours are the
// library's values (0x00BBGGRR, clTransparent for none).
class TfrxColorPicker : public QToolButton
{
    Q_OBJECT

public:
    TfrxColorPicker(int color, bool allowNone, QWidget *parent = nullptr);

    int Color() const { return FColor; }
    void SetColor(int color);

signals:
    // The operator chose a colour (not sent by SetColor).
    void ColorChosen(int color);

protected:
    void changeEvent(QEvent *event) override;

private:
    void Choose(int color);
    void ChooseOther();
    void UpdateSwatch();

    int FColor;
};

#pragma once

#include <QColor>
#include <QToolButton>

// A button that shows a colour as a swatch and, when pressed, lets the operator choose another
// in the colour dialog, titled with the swatch's caption. An invalid colour stands for the system
// window colour and is shown as it.
class TfrxColorSwatch : public QToolButton
{
    Q_OBJECT

public:
    TfrxColorSwatch(const QColor &color, const QString &caption, QWidget *parent = nullptr);

    QColor Color() const { return FColor; }
    void SetColor(const QColor &color);

private:
    void choose();
    void paintSwatch();

    QColor FColor;
    QString FCaption;
};

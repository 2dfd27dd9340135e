#pragma once

#include "TfrxIdentProperty.h"

#include <QColor>

// A colour by its name or number, drawn with a swatch of the colour; a double click opens the
// colour dialog. System colours keep their stored numbers and are drawn in the palette's colour.
class TfrxColorProperty : public TfrxIdentProperty
{
public:
    using TfrxIdentProperty::TfrxIdentProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    bool Edit() override;
    void OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool selected) override;
    void OnDrawItem(QPainter &painter, const QRect &rect) override;
    int GetExtraLBSize() const override;

    // The colour a stored value shows on screen; invalid for no colour.
    static QColor ScreenColor(int value);
    // The stored value of a colour name; false when there is no such name.
    static bool ValueOfName(const QString &name, int &value);

protected:
    std::span<const TfrxIdent> Idents() const override;
    QString NumberText(int value) const override;

private:
    void DrawSwatch(QPainter &painter, const QRect &rect, int value, const QString &text) const;
};

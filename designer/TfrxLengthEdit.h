#pragma once

#include "zorDesignerUnits.h"

#include <QLineEdit>

#include <optional>

// A length kept in millimetres and shown in the designer's units. Either decimal separator is
// read. A text the operator left as it was shown gives back the exact value it was set to, so
// rounding for display never changes a page that is only looked at.
class TfrxLengthEdit : public QLineEdit
{
    Q_OBJECT

public:
    // vertical: a height, which a character grid measures in character lines.
    TfrxLengthEdit(TfrxDesignerUnits units, bool vertical, QWidget *parent = nullptr);

    void SetMillimetres(double mm);
    // The length typed, in millimetres; none when the text is not a finite number of 0 or more.
    std::optional<double> Millimetres() const;

private:
    TfrxDesignerUnits FUnits;
    bool FVertical;
    double FMillimetres = 0;
    QString FShown;
};

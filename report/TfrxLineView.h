#pragma once

#include "TfrxCustomLineView.h"

// The line object of templates and the designer's palette.
class TfrxLineView : public TfrxCustomLineView
{
    Q_OBJECT

public:
    explicit TfrxLineView(QObject *owner = nullptr);

    // The palette's variants: 0 a straight line, 1 a diagonal, 2 a diagonal with an arrow at the
    // end, 3 at the start, 4 at both ends.
    void DesignCreate(int flags) override;
};

#pragma once

#include "TfrxCustomLineView.h"

// The line object of templates and the designer's palette.
class TfrxLineView : public TfrxCustomLineView
{
    Q_OBJECT

public:
    explicit TfrxLineView(QObject *owner = nullptr);
};

#pragma once

#include "TfrxPage.h"

// A page of dialog controls shown before preparation. This program's templates hold none; the
// class exists so that templates using it can be read. Objects on it are positioned relative to
// the dialog itself.
class TfrxDialogPage : public TfrxPage
{
    Q_OBJECT
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)

public:
    explicit TfrxDialogPage(QObject *owner = nullptr);
};

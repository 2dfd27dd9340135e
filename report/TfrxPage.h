#pragma once

#include "TfrxComponent.h"

// The common base of printable pages, the data page and dialog pages.
class TfrxPage : public TfrxComponent
{
    Q_OBJECT
    Q_PROPERTY(TfrxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_CLASSINFO("Default.Visible", "True")
    Q_MOC_INCLUDE("TfrxFont.h")

public:
    explicit TfrxPage(QObject *owner = nullptr);
};

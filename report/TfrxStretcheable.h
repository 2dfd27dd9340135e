#pragma once

#include "TfrxView.h"

// A view that the band layout may stretch and split across pages.
class TfrxStretcheable : public TfrxView
{
    Q_OBJECT

public:
    explicit TfrxStretcheable(QObject *owner = nullptr);

    zor::TfrxStretchMode StretchMode() const { return FStretchMode; }
    void SetStretchMode(zor::TfrxStretchMode value) { FStretchMode = value; }

    // The height the content needs, in report units.
    virtual double CalcHeight() { return Height(); }
    // Outputs the part that fits; returns the height still to draw.
    virtual double DrawPart() { return 0; }
    virtual void InitPart() {}
    virtual bool HasNextDataPart() const { return false; }

private:
    zor::TfrxStretchMode FStretchMode = zor::smDontStretch;
};

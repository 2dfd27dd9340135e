#pragma once

#include "TfrxCustomFill.h"

// A colour with a lighter half and an optional hatch, for a glass-like look.
class TfrxGlassFill : public TfrxCustomFill
{
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(double Blend READ Blend WRITE SetBlend)
    Q_PROPERTY(bool Hatch READ Hatch WRITE SetHatch)
    Q_PROPERTY(zor::TfrxFillOrientation Orientation READ Orientation WRITE SetOrientation)
    // A glass fill read without a colour is white, while a new one starts grey.
    Q_CLASSINFO("Default.Color", "16777215")
    Q_CLASSINFO("Default.Hatch", "False")
    Q_CLASSINFO("Default.Orientation", "foHorizontal")

public:
    explicit TfrxGlassFill(QObject *parent = nullptr);

    int Color() const { return FColor; }
    void SetColor(int value) { FColor = value; }
    double Blend() const { return FBlend; }
    void SetBlend(double value) { FBlend = value; }
    bool Hatch() const { return FHatch; }
    void SetHatch(bool value) { FHatch = value; }
    zor::TfrxFillOrientation Orientation() const { return FOrientation; }
    void SetOrientation(zor::TfrxFillOrientation value) { FOrientation = value; }

    void Draw(QPainter *canvas, int x1, int y1, int x2, int y2, double scaleX, double scaleY) const override;
    zor::TfrxFillType FillType() const override { return zor::ftGlass; }
    // Each channel moved towards white by Blend.
    QColor BlendColor() const;

private:
    int FColor = zor::clGray;
    double FBlend = 0.5;
    bool FHatch = false;
    zor::TfrxFillOrientation FOrientation = zor::foHorizontal;
};

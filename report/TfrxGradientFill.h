#pragma once

#include "TfrxCustomFill.h"

// A colour gradient from StartColor to EndColor in one of six layouts.
class TfrxGradientFill : public TfrxCustomFill
{
    Q_OBJECT
    Q_PROPERTY(int StartColor READ StartColor WRITE SetStartColor)
    Q_PROPERTY(int EndColor READ EndColor WRITE SetEndColor)
    Q_PROPERTY(zor::TfrxGradientStyle GradientStyle READ GradientStyle WRITE SetGradientStyle)
    Q_CLASSINFO("Default.StartColor", "16777215")
    Q_CLASSINFO("Default.EndColor", "0")
    Q_CLASSINFO("Default.GradientStyle", "gsHorizontal")

public:
    explicit TfrxGradientFill(QObject *parent = nullptr);

    int StartColor() const { return FStartColor; }
    void SetStartColor(int value) { FStartColor = value; }
    int EndColor() const { return FEndColor; }
    void SetEndColor(int value) { FEndColor = value; }
    zor::TfrxGradientStyle GradientStyle() const { return FGradientStyle; }
    void SetGradientStyle(zor::TfrxGradientStyle value) { FGradientStyle = value; }

    void Draw(QPainter *canvas, int x1, int y1, int x2, int y2, double scaleX, double scaleY) const override;
    zor::TfrxFillType FillType() const override { return zor::ftGradient; }
    // Step k of n from the start to the end colour, per channel.
    QColor Step(int k, int n) const;
    // The colour a view reports for a gradient: 127/255 of the way.
    int MidColor() const;

private:
    int FStartColor = zor::clWhite;
    int FEndColor = zor::clBlack;
    zor::TfrxGradientStyle FGradientStyle = zor::gsHorizontal;
};

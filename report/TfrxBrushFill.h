#pragma once

#include "TfrxCustomFill.h"

// A solid background colour and an optional hatch in the fore colour.
class TfrxBrushFill : public TfrxCustomFill
{
    Q_OBJECT
    Q_PROPERTY(int BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(int ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(zor::TBrushStyle Style READ Style WRITE SetStyle)
    Q_CLASSINFO("Default.BackColor", "536870911")
    Q_CLASSINFO("Default.ForeColor", "0")
    Q_CLASSINFO("Default.Style", "bsSolid")

public:
    explicit TfrxBrushFill(QObject *parent = nullptr);

    int BackColor() const { return FBackColor; }
    void SetBackColor(int value) { FBackColor = value; }
    int ForeColor() const { return FForeColor; }
    void SetForeColor(int value) { FForeColor = value; }
    zor::TBrushStyle Style() const { return FStyle; }
    void SetStyle(zor::TBrushStyle value) { FStyle = value; }

    void Draw(QPainter *canvas, int x1, int y1, int x2, int y2, double scaleX, double scaleY) const override;
    zor::TfrxFillType FillType() const override { return zor::ftBrush; }

private:
    int FBackColor = zor::clTransparent;
    int FForeColor = zor::clBlack;
    zor::TBrushStyle FStyle = zor::bsSolid;
};

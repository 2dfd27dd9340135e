#pragma once

#include "TfrxView.h"

// A rectangle, rounded rectangle, ellipse, triangle, diamond or diagonal.
class TfrxShapeView : public TfrxView
{
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor STORED false)
    Q_PROPERTY(int Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(int Curve READ Curve WRITE SetCurve)
    Q_PROPERTY(zor::TfrxFillType FillType READ FillType WRITE SetFillType)
    Q_PROPERTY(TfrxCustomFill *Fill READ Fill WRITE SetFill)
    Q_PROPERTY(TfrxFrame *Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(zor::TfrxShapeKind Shape READ Shape WRITE SetShape)
    Q_PROPERTY(QString TagStr READ TagStr WRITE SetTagStr)
    Q_PROPERTY(QString URL READ URL WRITE SetURL STORED false)
    Q_CLASSINFO("Default.Curve", "0")
    Q_CLASSINFO("Default.Shape", "skRectangle")
    Q_MOC_INCLUDE("TfrxFrame.h")
    Q_MOC_INCLUDE("TfrxCustomFill.h")

public:
    explicit TfrxShapeView(QObject *owner = nullptr);

    int Curve() const { return FCurve; }
    void SetCurve(int value) { FCurve = value; }
    zor::TfrxShapeKind Shape() const { return FShape; }
    void SetShape(zor::TfrxShapeKind value) { FShape = value; }

    void Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
    QString Diff(const TfrxComponent *other) const override;
    // The palette's variants are the shape kinds in their order.
    void DesignCreate(int flags) override;

private:
    void DrawShape(bool hatchPass);

    int FCurve = 0;
    zor::TfrxShapeKind FShape = zor::skRectangle;
};

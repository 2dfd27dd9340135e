#pragma once

#include "TfrxPersistent.h"
#include "zorTypes.h"

class QPainter;
class TfrxFrameLine;

// The frame around a view: which sides are drawn, one line per side, and the drop shadow.
// Setting the frame's colour, style or width sets all four lines; a line may then differ.
class TfrxFrame : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(bool DropShadow READ DropShadow WRITE SetDropShadow)
    Q_PROPERTY(int ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(double ShadowWidth READ ShadowWidth WRITE SetShadowWidth)
    Q_PROPERTY(zor::TfrxFrameStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(zor::TfrxFrameTypes Typ READ Typ WRITE SetTyp)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(TfrxFrameLine *LeftLine READ LeftLine WRITE SetLeftLine)
    Q_PROPERTY(TfrxFrameLine *TopLine READ TopLine WRITE SetTopLine)
    Q_PROPERTY(TfrxFrameLine *RightLine READ RightLine WRITE SetRightLine)
    Q_PROPERTY(TfrxFrameLine *BottomLine READ BottomLine WRITE SetBottomLine)
    Q_CLASSINFO("Default.Color", "0")
    Q_CLASSINFO("Default.DropShadow", "False")
    Q_CLASSINFO("Default.ShadowColor", "0")
    Q_CLASSINFO("Default.Style", "fsSolid")
    Q_CLASSINFO("Default.Typ", "0")
    Q_MOC_INCLUDE("TfrxFrameLine.h")

public:
    explicit TfrxFrame(QObject *parent = nullptr);

    int Color() const { return FColor; }
    void SetColor(int value);
    bool DropShadow() const { return FDropShadow; }
    void SetDropShadow(bool value) { FDropShadow = value; }
    int ShadowColor() const { return FShadowColor; }
    void SetShadowColor(int value) { FShadowColor = value; }
    double ShadowWidth() const { return FShadowWidth; }
    void SetShadowWidth(double value) { FShadowWidth = value; }
    zor::TfrxFrameStyle Style() const { return FStyle; }
    void SetStyle(zor::TfrxFrameStyle value);
    zor::TfrxFrameTypes Typ() const { return FTyp; }
    void SetTyp(zor::TfrxFrameTypes value) { FTyp = value; }
    double Width() const { return FWidth; }
    void SetWidth(double value);

    TfrxFrameLine *LeftLine() const { return FLeftLine; }
    TfrxFrameLine *TopLine() const { return FTopLine; }
    TfrxFrameLine *RightLine() const { return FRightLine; }
    TfrxFrameLine *BottomLine() const { return FBottomLine; }
    void SetLeftLine(TfrxFrameLine *value);
    void SetTopLine(TfrxFrameLine *value);
    void SetRightLine(TfrxFrameLine *value);
    void SetBottomLine(TfrxFrameLine *value);

    void Assign(const TfrxPersistent *source) override;
    bool Equals(const TfrxFrame &other) const;
    bool IsPropertyStored(const char *name) const override;
    // The difference attributes against another frame, each with the given prefix ("Frame").
    QString Diff(const TfrxFrame &other, const QString &prefix) const;

    // Draws the shadow and the sides around the device rectangle (x, y)-(x1, y1).
    void Draw(QPainter *canvas, int x, int y, int x1, int y1, double scaleX, double scaleY) const;

private:
    int FColor = zor::clBlack;
    bool FDropShadow = false;
    int FShadowColor = zor::clBlack;
    double FShadowWidth = 4;
    zor::TfrxFrameStyle FStyle = zor::fsSolid;
    zor::TfrxFrameTypes FTyp;
    double FWidth = 1;
    TfrxFrameLine *FLeftLine;
    TfrxFrameLine *FTopLine;
    TfrxFrameLine *FRightLine;
    TfrxFrameLine *FBottomLine;
};

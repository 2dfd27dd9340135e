#pragma once

#include "TfrxCollectionItem.h"
#include "zorTypes.h"

class TfrxFont;
class TfrxFrame;

// A named set of colour, font and frame that text objects refer to by name.
class TfrxStyleItem : public TfrxCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TfrxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(TfrxFrame *Frame READ Frame WRITE SetFrame)
    Q_MOC_INCLUDE("TfrxFont.h")
    Q_MOC_INCLUDE("TfrxFrame.h")

public:
    explicit TfrxStyleItem(QObject *parent = nullptr);

    QString Name() const { return FName; }
    // Raises "Duplicate name" when another item of the collection has the name (any case).
    void SetName(const QString &value);
    int Color() const { return FColor; }
    void SetColor(int value) { FColor = value; }
    TfrxFont *Font() const { return FFont; }
    void SetFont(TfrxFont *value);
    TfrxFrame *Frame() const { return FFrame; }
    void SetFrame(TfrxFrame *value);

    QString ItemName() const override { return FName; }
    void Assign(const TfrxPersistent *source) override;
    // Names the item "Style" and the smallest positive number no item of its collection bears.
    void CreateUniqueName();

private:
    QString FName;
    int FColor = zor::clTransparent;
    TfrxFont *FFont;
    TfrxFrame *FFrame;
};

#pragma once

#include "TfrxCollectionItem.h"
#include "zorTypes.h"

class TfrxFont;
class TfrxFrame;
class TfrxCustomFill;

// A conditional appearance of a text object: when its condition calculates to true for an
// output, the text object takes its font, fill, frame (each as chosen) and visibility.
class TfrxHighlight : public TfrxCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive STORED false)
    Q_PROPERTY(bool ApplyFont READ ApplyFont WRITE SetApplyFont)
    Q_PROPERTY(bool ApplyFill READ ApplyFill WRITE SetApplyFill)
    Q_PROPERTY(bool ApplyFrame READ ApplyFrame WRITE SetApplyFrame)
    Q_PROPERTY(TfrxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(int Color READ Color WRITE SetColor STORED false)
    Q_PROPERTY(QString Condition READ Condition WRITE SetCondition)
    Q_PROPERTY(zor::TfrxFillType FillType READ FillType WRITE SetFillType)
    Q_PROPERTY(TfrxCustomFill *Fill READ Fill WRITE SetFill)
    Q_PROPERTY(TfrxFrame *Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_CLASSINFO("Default.Active", "False")
    Q_CLASSINFO("Default.ApplyFont", "True")
    Q_CLASSINFO("Default.ApplyFill", "True")
    Q_CLASSINFO("Default.ApplyFrame", "False")
    Q_CLASSINFO("Default.FillType", "ftBrush")
    Q_CLASSINFO("Default.Visible", "True")
    Q_MOC_INCLUDE("TfrxFont.h")
    Q_MOC_INCLUDE("TfrxFrame.h")
    Q_MOC_INCLUDE("TfrxCustomFill.h")

public:
    explicit TfrxHighlight(QObject *parent = nullptr);

    bool Active() const { return FActive; }
    void SetActive(bool value) { FActive = value; }
    bool ApplyFont() const { return FApplyFont; }
    void SetApplyFont(bool value) { FApplyFont = value; }
    bool ApplyFill() const { return FApplyFill; }
    void SetApplyFill(bool value) { FApplyFill = value; }
    bool ApplyFrame() const { return FApplyFrame; }
    void SetApplyFrame(bool value) { FApplyFrame = value; }
    TfrxFont *Font() const { return FFont; }
    void SetFont(TfrxFont *value);
    // The brush fill's background colour; clTransparent for other fills.
    int Color() const;
    void SetColor(int value);
    QString Condition() const { return FCondition; }
    void SetCondition(const QString &value) { FCondition = value; }
    zor::TfrxFillType FillType() const;
    void SetFillType(zor::TfrxFillType value);
    TfrxCustomFill *Fill() const { return FFill; }
    void SetFill(TfrxCustomFill *value);
    TfrxFrame *Frame() const { return FFrame; }
    void SetFrame(TfrxFrame *value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }

    void Assign(const TfrxPersistent *source) override;

private:
    bool FActive = false;
    bool FApplyFont = true;
    bool FApplyFill = true;
    bool FApplyFrame = false;
    TfrxFont *FFont;
    QString FCondition;
    TfrxCustomFill *FFill;
    TfrxFrame *FFrame;
    bool FVisible = true;
};

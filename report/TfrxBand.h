#pragma once

#include "TfrxReportComponent.h"
#include "TfrxView.h"

#include <QPointer>

class TfrxChild;
class TfrxCustomFill;
class TfrxFillGaps;

// A horizontal strip of a page that the engine repeats or places at fixed points of the output.
// The properties every band kind may publish live here; each band class publishes its own list.
class TfrxBand : public TfrxReportComponent
{
    Q_OBJECT
    Q_PROPERTY(zor::TfrxFillType FillType READ FillType WRITE SetFillType)
    Q_PROPERTY(TfrxCustomFill *Fill READ Fill WRITE SetFill)
    Q_PROPERTY(TfrxFillGaps *FillGap READ FillGap WRITE SetFillGap)
    Q_PROPERTY(TfrxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(zor::TfrxRestrictions Restrictions READ Restrictions WRITE SetRestrictions)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(bool Vertical READ Vertical WRITE SetVertical)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(QString OnAfterCalcHeight READ OnAfterCalcHeight WRITE SetOnAfterCalcHeight)
    Q_PROPERTY(QString OnAfterPrint READ OnAfterPrint WRITE SetOnAfterPrint)
    Q_PROPERTY(QString OnBeforePrint READ OnBeforePrint WRITE SetOnBeforePrint)
    Q_CLASSINFO("Default.FillType", "ftBrush")
    Q_CLASSINFO("Default.ParentFont", "True")
    Q_CLASSINFO("Default.Restrictions", "0")
    Q_CLASSINFO("Default.Vertical", "False")
    Q_CLASSINFO("Default.Visible", "True")
    Q_CLASSINFO("Default.AllowSplit", "False")
    Q_CLASSINFO("Default.KeepChild", "False")
    Q_CLASSINFO("Default.PrintChildIfInvisible", "False")
    Q_CLASSINFO("Default.StartNewPage", "False")
    Q_CLASSINFO("Default.Stretched", "False")
    Q_CLASSINFO("Default.ReprintOnNewPage", "False")
    Q_CLASSINFO("Default.KeepTogether", "False")
    Q_CLASSINFO("Default.ResetPageNumbers", "False")
    Q_MOC_INCLUDE("TfrxCustomFill.h")
    Q_MOC_INCLUDE("TfrxFillGaps.h")
    Q_MOC_INCLUDE("TfrxFont.h")

public:
    explicit TfrxBand(QObject *owner = nullptr);

    // The class name without "Tfrx" and "Band": "MasterData", "PageHeader", "Data".
    QString GetBandName() const;
    // The index of the band's kind in the fixed list of band classes; -1 for none.
    int BandNumber() const;
    QString GetDescription() const override;

    zor::TfrxFillType FillType() const;
    void SetFillType(zor::TfrxFillType value);
    TfrxCustomFill *Fill() const { return FFill; }
    void SetFill(TfrxCustomFill *value);
    TfrxFillGaps *FillGap() const { return FFillGap; }
    void SetFillGap(TfrxFillGaps *value);
    // Makes (once) the text object that draws the fill under the band's objects; none for a
    // null band or a plain empty brush. Needs a registered text object class.
    TfrxView *CreateFillMemo();
    TfrxView *FillMemo() const { return FFillMemo; }

    TfrxChild *Child() const;
    // Raises "Circular child reference is not allowed" when the chain of children from value
    // reaches this band (or value is this band).
    void SetChild(TfrxChild *value);

    bool AllowSplit() const { return FAllowSplit; }
    void SetAllowSplit(bool value) { FAllowSplit = value; }
    bool KeepChild() const { return FKeepChild; }
    void SetKeepChild(bool value) { FKeepChild = value; }
    bool KeepTogether() const { return FKeepTogether; }
    void SetKeepTogether(bool value) { FKeepTogether = value; }
    QString OutlineText() const { return FOutlineText; }
    void SetOutlineText(const QString &value) { FOutlineText = value; }
    bool PrintChildIfInvisible() const { return FPrintChildIfInvisible; }
    void SetPrintChildIfInvisible(bool value) { FPrintChildIfInvisible = value; }
    bool ReprintOnNewPage() const { return FReprintOnNewPage; }
    void SetReprintOnNewPage(bool value) { FReprintOnNewPage = value; }
    bool ResetPageNumbers() const { return FResetPageNumbers; }
    void SetResetPageNumbers(bool value) { FResetPageNumbers = value; }
    bool StartNewPage() const { return FStartNewPage; }
    void SetStartNewPage(bool value) { FStartNewPage = value; }
    bool Stretched() const { return FStretched; }
    void SetStretched(bool value) { FStretched = value; }
    bool Vertical() const { return FVertical; }
    void SetVertical(bool value) { FVertical = value; }
    QString OnAfterCalcHeight() const { return FOnAfterCalcHeight; }
    void SetOnAfterCalcHeight(const QString &value) { FOnAfterCalcHeight = value; }

    // Record counters and links the engine sets while preparing.
    int LineN = 0;
    int LineThrough = 0;
    int OriginalObjectsCount = -1;
    bool HasVBands = false;
    double StretchedHeight = 0;
    QPointer<TfrxBand> Header, Footer, Group;
    QList<TfrxBand *> SubBands;

    // Draws the fill while designing; in output the fill comes from the fill text object.
    void Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;

private:
    TfrxCustomFill *FFill;
    TfrxFillGaps *FFillGap;
    QPointer<TfrxView> FFillMemo;
    QPointer<TfrxChild> FChild;
    bool FAllowSplit = false;
    bool FKeepChild = false;
    bool FKeepTogether = false;
    QString FOutlineText;
    bool FPrintChildIfInvisible = false;
    bool FReprintOnNewPage = false;
    bool FResetPageNumbers = false;
    bool FStartNewPage = false;
    bool FStretched = false;
    bool FVertical = false;
    QString FOnAfterCalcHeight;
};

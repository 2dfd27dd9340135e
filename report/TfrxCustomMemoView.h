#pragma once

#include "TfrxStretcheable.h"
#include "zorTextAlign.h"

#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <memory>

class TfrxCollection;
class TfrxCustomFill;
class TfrxDrawText;
class TfrxFont;
class TfrxFormat;
class TfrxFrame;
class TfrxHighlight;
class TfrxStyleItem;
class TfrxWideStrings;
struct TfrxTextFont;

// The text object: lines of text whose bracketed expressions the report expands at every output,
// formatted by display formats, changed by conditional highlights, and laid out and drawn by the
// text layout engine inside the rectangle less the gaps and the frame.
class TfrxCustomMemoView : public TfrxStretcheable
{
    Q_OBJECT

public:
    explicit TfrxCustomMemoView(QObject *owner = nullptr);
    ~TfrxCustomMemoView() override;

    // The text: its lines, and the text form with CR LF after every line.
    QStringList Memo() const { return FMemo; }
    void SetMemo(const QStringList &value) { FMemo = value; }
    QString Text() const;
    void SetText(const QString &value);
    // The text form in the 8-bit code page of the font's charset (the default charset stands for
    // the system code page, Windows-1251); characters the code page lacks become its substitute.
    QByteArray AnsiText() const;
    void SetAnsiText(const QByteArray &value);

    bool AllowExpressions() const { return FAllowExpressions; }
    void SetAllowExpressions(bool value) { FAllowExpressions = value; }
    bool AllowHTMLTags() const { return FAllowHTMLTags; }
    void SetAllowHTMLTags(bool value) { FAllowHTMLTags = value; }
    bool AutoWidth() const { return FAutoWidth; }
    void SetAutoWidth(bool value) { FAutoWidth = value; }
    double CharSpacing() const { return FCharSpacing; }
    void SetCharSpacing(double value) { FCharSpacing = value; }
    bool Clipped() const { return FClipped; }
    void SetClipped(bool value) { FClipped = value; }
    QString ExpressionDelimiters() const { return FExpressionDelimiters; }
    void SetExpressionDelimiters(const QString &value) { FExpressionDelimiters = value; }
    TfrxCustomMemoView *FlowTo() const { return FFlowTo; }
    void SetFlowTo(TfrxCustomMemoView *value);
    bool FirstParaBreak() const { return FFirstParaBreak; }
    void SetFirstParaBreak(bool value) { FFirstParaBreak = value; }
    bool LastParaBreak() const { return FLastParaBreak; }
    void SetLastParaBreak(bool value) { FLastParaBreak = value; }
    double GapX() const { return FGapX; }
    void SetGapX(double value) { FGapX = value; }
    double GapY() const { return FGapY; }
    void SetGapY(double value) { FGapY = value; }
    TfrxHAlign HAlign() const { return FHAlign; }
    void SetHAlign(TfrxHAlign value) { FHAlign = value; }
    bool HideZeros() const { return FHideZeros; }
    void SetHideZeros(bool value) { FHideZeros = value; }
    double LineSpacing() const { return FLineSpacing; }
    void SetLineSpacing(double value) { FLineSpacing = value; }
    double ParagraphGap() const { return FParagraphGap; }
    void SetParagraphGap(double value) { FParagraphGap = value; }
    QString PartMemo() const { return FPartMemo; }
    // Degrees; stored as the remainder of 360 with the sign of the value.
    int Rotation() const { return FRotation; }
    void SetRotation(int value) { FRotation = value % 360; }
    bool RTLReading() const { return FRTLReading; }
    void SetRTLReading(bool value) { FRTLReading = value; }
    QString Style() const { return FStyle; }
    // Applies the report's style of that name at once; an unknown name changes nothing else.
    void SetStyle(const QString &value);
    bool SuppressRepeated() const { return FSuppressRepeated; }
    void SetSuppressRepeated(bool value) { FSuppressRepeated = value; }
    QString TempMemo() const { return FTempMemo; }
    bool Underlines() const { return FUnderlines; }
    void SetUnderlines(bool value) { FUnderlines = value; }
    TfrxVAlign VAlign() const { return FVAlign; }
    void SetVAlign(TfrxVAlign value) { FVAlign = value; }
    QVariant Value() const { return FValue; }
    void SetValue(const QVariant &value) { FValue = value; }
    bool WordBreak() const { return FWordBreak; }
    void SetWordBreak(bool value) { FWordBreak = value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value) { FWordWrap = value; }
    bool Wysiwyg() const { return FWysiwyg; }
    void SetWysiwyg(bool value) { FWysiwyg = value; }
    bool UseDefaultCharset() const { return FUseDefaultCharset; }
    void SetUseDefaultCharset(bool value) { FUseDefaultCharset = value; }
    bool HighlightActivated() const { return FHighlightActivated; }
    QVariant LastValue() const { return FLastValue; }
    int TotalPages() const { return FTotalPages; }
    void SetTotalPages(int value) { FTotalPages = value; }
    int CopyNo() const { return FCopyNo; }
    void SetCopyNo(int value) { FCopyNo = value; }
    QRect TextRect() const { return FTextRect; }
    double PrintScale() const { return FPrintScale; }
    void SetPrintScale(double value) { FPrintScale = value; }

    // Display formats, one per expression in order, and conditional highlights.
    TfrxCollection *Formats() const { return FFormats; }
    TfrxCollection *Highlights() const { return FHighlights; }
    // The first format / highlight, created when the collection is empty.
    TfrxFormat *DisplayFormat() const;
    void SetDisplayFormat(TfrxFormat *value);
    TfrxHighlight *Highlight() const;
    void SetHighlight(TfrxHighlight *value);

    // The output cycle.
    void BeforePrint() override;
    void GetData() override;
    void AfterPrint() override;
    // Forgets the previous output of SuppressRepeated.
    void ResetSuppress() { FLastValue = QString(); }

    // Measuring and splitting, in report units.
    double CalcHeight() override;
    double CalcWidth();
    void InitPart() override;
    double DrawPart() override;
    // Vertical and horizontal space taken by gaps, frame and shadow.
    double AdjustCalcHeight() const;
    double AdjustCalcWidth() const;

    void Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
    void BeginDraw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;

    // A value as text under a format (the first format when none is given).
    QString FormatData(const QVariant &value, const TfrxFormat *format = nullptr) const;
    // Calculates an expression (with an optional in-line format after " #") and formats it.
    QString CalcAndFormat(const QString &expression, const TfrxFormat *format);
    // The text as the layout engine wraps it when wrapWords, else without the in-line tags.
    QString WrapText(bool wrapWords);
    // Replaces the page-total and copy-name placeholders left by the expansion.
    void ExtractMacros();
    QString GetComponentText() const override;

    void ApplyStyle(const TfrxStyleItem *style);
    void ApplyHighlight(const TfrxHighlight *highlight);
    void ApplyPreviewHighlight();

    QString Diff(const TfrxComponent *other) const override;
    QString GetDescription() const override;
    bool IsPropertyStored(const char *name) const override;
    void Assign(const TfrxPersistent *source) override;
    // The nested elements written for two or more formats or highlights ("Formats",
    // "Highlights"), and the collection a nested element of that name is read into (none for any
    // other name).
    QStringList NestedPropertiesToWrite() const;
    TfrxCollection *NestedCollection(const QString &name) const;

    // The text rectangle of the device rectangle (x, y)-(x1, y1) at the given scale.
    QRect CalcTextRect(int x, int y, int x1, int y1, double scaleX, double scaleY) const;

protected:
    void DrawContent() override;
    bool DiffSkipsWidth() const override { return FAutoWidth; }

private:
    TfrxDrawText &Engine() const;
    TfrxTextFont TextFont() const;
    // Font, options and gaps of this object into the engine.
    void PrepareEngine(TfrxDrawText &engine) const;
    // The text lines for the engine.
    TfrxWideStrings Lines() const;
    int NormalRotation() const { return ((FRotation % 360) + 360) % 360; }
    // The width the text needs in report units, insets included.
    double MeasureWidth();
    // That width applied, keeping the right edge or centre as aligned.
    void ApplyAutoWidth();
    void ExpandExpressions();
    void ApplyHighlights();
    void SaveAppearance();
    void RestoreAppearance();
    void DrawUnderlines(const TfrxDrawText &engine);
    QString DesignFieldText() const;

    QStringList FMemo;
    bool FAllowExpressions = true;
    bool FAllowHTMLTags = false;
    bool FAutoWidth = false;
    double FCharSpacing = 0;
    bool FClipped = true;
    TfrxCollection *FFormats;
    QString FExpressionDelimiters = QStringLiteral("[,]");
    QPointer<TfrxCustomMemoView> FFlowTo;
    bool FFirstParaBreak = false;
    bool FLastParaBreak = false;
    double FGapX = 2;
    double FGapY = 1;
    TfrxHAlign FHAlign = haLeft;
    bool FHideZeros = false;
    TfrxCollection *FHighlights;
    double FLineSpacing = 2;
    double FParagraphGap = 0;
    QString FPartMemo;
    int FRotation = 0;
    bool FRTLReading = false;
    QString FStyle;
    bool FSuppressRepeated = false;
    QString FTempMemo;
    bool FUnderlines = false;
    TfrxVAlign FVAlign = vaTop;
    QVariant FValue;
    bool FWordBreak = false;
    bool FWordWrap = true;
    bool FWysiwyg = true;
    bool FUseDefaultCharset = false;
    bool FHighlightActivated = false;
    std::unique_ptr<TfrxCustomFill> FTempFill;
    std::unique_ptr<TfrxFont> FTempFont;
    std::unique_ptr<TfrxFrame> FTempFrame;
    bool FTempVisible = true;
    bool FTempParentFont = true;
    QVariant FLastValue;
    int FTotalPages = 0;
    int FCopyNo = 0;
    QRect FTextRect;
    QRect FUnscaledRect;
    double FPrintScale = 1;
};

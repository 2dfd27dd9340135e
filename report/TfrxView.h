#pragma once

#include "TfrxReportComponent.h"

#include <QPointer>

class TfrxFrame;
class TfrxCustomFill;
class TfrxHyperlink;
class TfrxDataSet;

// An object that occupies a rectangle on a band or page and draws itself: background, then its
// content, then its frame. Text, line, shape and picture objects derive from it; a subclass
// publishes Frame, FillType, Fill, Cursor, TagStr, URL, DataSet, DataSetName, DataField and
// Color as it needs them and draws its content in DrawContent.
class TfrxView : public TfrxReportComponent
{
    Q_OBJECT
    Q_PROPERTY(zor::TfrxAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool Printable READ Printable WRITE SetPrintable STORED false)
    Q_PROPERTY(zor::TfrxShiftMode ShiftMode READ ShiftMode WRITE SetShiftMode)
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(zor::TfrxRestrictions Restrictions READ Restrictions WRITE SetRestrictions)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(QString OnAfterData READ OnAfterData WRITE SetOnAfterData)
    Q_PROPERTY(QString OnAfterPrint READ OnAfterPrint WRITE SetOnAfterPrint)
    Q_PROPERTY(QString OnBeforePrint READ OnBeforePrint WRITE SetOnBeforePrint)
    Q_PROPERTY(QString OnMouseEnter READ OnMouseEnter WRITE SetOnMouseEnter)
    Q_PROPERTY(QString OnMouseLeave READ OnMouseLeave WRITE SetOnMouseLeave)
    Q_PROPERTY(QString OnMouseDown READ OnMouseDown WRITE SetOnMouseDown)
    Q_PROPERTY(QString OnMouseMove READ OnMouseMove WRITE SetOnMouseMove)
    Q_PROPERTY(QString OnMouseUp READ OnMouseUp WRITE SetOnMouseUp)
    Q_PROPERTY(QString OnPreviewClick READ OnPreviewClick WRITE SetOnPreviewClick)
    Q_PROPERTY(QString OnPreviewDblClick READ OnPreviewDblClick WRITE SetOnPreviewDblClick)
    Q_PROPERTY(TfrxHyperlink *Hyperlink READ Hyperlink WRITE SetHyperlink)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(zor::TfrxVisibilityTypes Visibility READ Visibility WRITE SetVisibility)
    Q_CLASSINFO("Default.Align", "baNone")
    Q_CLASSINFO("Default.ShiftMode", "smAlways")
    Q_CLASSINFO("Default.GroupIndex", "0")
    Q_CLASSINFO("Default.Restrictions", "0")
    Q_CLASSINFO("Default.Visible", "True")
    Q_CLASSINFO("Default.ShowHint", "False")
    Q_CLASSINFO("Default.Visibility", "7")
    Q_CLASSINFO("Default.FillType", "ftBrush")
    Q_CLASSINFO("Default.Cursor", "0")
    Q_MOC_INCLUDE("TfrxHyperlink.h")

public:
    explicit TfrxView(QObject *owner = nullptr);

    zor::TfrxAlign Align() const { return FAlign; }
    void SetAlign(zor::TfrxAlign value) { FAlign = value; }
    bool Printable() const { return FVisibility.testFlag(zor::vsPrint); }
    void SetPrintable(bool value) { FVisibility.setFlag(zor::vsPrint, value); }
    zor::TfrxShiftMode ShiftMode() const { return FShiftMode; }
    void SetShiftMode(zor::TfrxShiftMode value) { FShiftMode = value; }
    int Cursor() const { return FCursor; }
    void SetCursor(int value) { FCursor = value; }
    QString TagStr() const { return FTagStr; }
    void SetTagStr(const QString &value) { FTagStr = value; }
    QString Hint() const { return FHint; }
    void SetHint(const QString &value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) { FShowHint = value; }
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool value) { FPlainText = value; }
    zor::TfrxVisibilityTypes Visibility() const { return FVisibility; }
    void SetVisibility(zor::TfrxVisibilityTypes value) { FVisibility = value; }

    QString OnMouseEnter() const { return FOnMouseEnter; }
    void SetOnMouseEnter(const QString &value) { FOnMouseEnter = value; }
    QString OnMouseLeave() const { return FOnMouseLeave; }
    void SetOnMouseLeave(const QString &value) { FOnMouseLeave = value; }
    QString OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(const QString &value) { FOnMouseDown = value; }
    QString OnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(const QString &value) { FOnMouseMove = value; }
    QString OnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseUp(const QString &value) { FOnMouseUp = value; }

    TfrxFrame *Frame() const { return FFrame; }
    void SetFrame(TfrxFrame *value);
    TfrxHyperlink *Hyperlink() const { return FHyperlink; }
    void SetHyperlink(TfrxHyperlink *value);
    // Changing the type replaces the fill by a new one with its defaults.
    zor::TfrxFillType FillType() const;
    void SetFillType(zor::TfrxFillType value);
    TfrxCustomFill *Fill() const { return FFill; }
    // Takes the type of the given fill and copies it.
    void SetFill(TfrxCustomFill *value);
    // The brush fill's colour, the mid colour of a gradient, else clTransparent.
    int Color() const;
    void SetColor(int value);
    zor::TBrushStyle BrushStyle() const;
    void SetBrushStyle(zor::TBrushStyle value);
    // "@n" a page-number link, "#name" an anchor, anything else a URL.
    QString URL() const;
    void SetURL(const QString &value);

    // Binding to a data field.
    QString DataField() const { return FDataField; }
    void SetDataField(const QString &value) { FDataField = value; }
    TfrxDataSet *DataSet() const;
    void SetDataSet(TfrxDataSet *value);
    QString DataSetName() const;
    void SetDataSetName(const QString &value);
    bool IsDataField() const;

    void Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
    // Computes the device rectangle for the given scale and offset.
    virtual void BeginDraw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY);
    void DrawBackground();
    void DrawFrame();
    void BeforePrint() override;
    void GetData() override;
    void AfterPrint() override;
    QString Diff(const TfrxComponent *other) const override;

    // Replaces every bracketed expression of text by its value as the report calculates it.
    QString ExpandVariables(const QString &text) const;

    // Mouse events from the preview, in device pixels relative to the object; each returns
    // whether the preview must redraw. The base view does nothing.
    virtual bool DoMouseMove(int /*x*/, int /*y*/) { return false; }
    virtual bool DoMouseUp(int /*x*/, int /*y*/, Qt::MouseButton, Qt::KeyboardModifiers) { return false; }
    virtual bool DoMouseClick(int /*x*/, int /*y*/, Qt::MouseButton, Qt::KeyboardModifiers) { return false; }
    virtual bool DoMouseEnter(TfrxView * /*previous*/) { return false; }
    virtual bool DoMouseLeave(TfrxView * /*next*/) { return false; }

    // The device rectangle and scale of the current drawing.
    QRect DeviceRect() const { return QRect(FX, FY, FDX, FDY); }

protected:
    // The object's own content, between background and frame.
    virtual void DrawContent() {}

    int FX = 0, FY = 0, FX1 = 0, FY1 = 0, FDX = 0, FDY = 0;
    int FFrameWidth = 0;
    double FScaleX = 1, FScaleY = 1, FOffsetX = 0, FOffsetY = 0;
    QPainter *FCanvas = nullptr;

private:
    zor::TfrxAlign FAlign = zor::baNone;
    zor::TfrxShiftMode FShiftMode = zor::smAlways;
    int FCursor = 0;
    QString FTagStr;
    QString FHint;
    bool FShowHint = false;
    bool FPlainText = false;
    zor::TfrxVisibilityTypes FVisibility = zor::vsPreview | zor::vsExport | zor::vsPrint;
    QString FOnMouseEnter, FOnMouseLeave, FOnMouseDown, FOnMouseMove, FOnMouseUp;
    TfrxFrame *FFrame;
    TfrxHyperlink *FHyperlink;
    TfrxCustomFill *FFill;
    QString FDataField;
    QPointer<TfrxDataSet> FDataSet;
    QString FDataSetName;
    QString FSavedTagStr;
    QString FSavedHyperlinkValue;
};

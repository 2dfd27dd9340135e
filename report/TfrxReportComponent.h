#pragma once

#include "TfrxComponent.h"

#include <QRectF>

class QPainter;

// A printable report object: events by script procedure name, bounds saved and restored around
// each output, and the drawing entry point.
class TfrxReportComponent : public TfrxComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Description READ Description WRITE SetDescription)

public:
    explicit TfrxReportComponent(QObject *owner = nullptr);

    // Draws the object with ScaleX/ScaleY device pixels per report unit, the page origin at
    // device position (OffsetX, OffsetY).
    virtual void Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY) = 0;
    // Saves the bounds; AfterPrint restores them.
    virtual void BeforePrint();
    virtual void GetData() {}
    virtual void AfterPrint();
    virtual QString GetComponentText() const { return {}; }
    // The absolute bounds in report units.
    virtual QRectF GetRealBounds() const;

    QString OnAfterData() const { return FOnAfterData; }
    void SetOnAfterData(const QString &value) { FOnAfterData = value; }
    QString OnAfterPrint() const { return FOnAfterPrint; }
    void SetOnAfterPrint(const QString &value) { FOnAfterPrint = value; }
    QString OnBeforePrint() const { return FOnBeforePrint; }
    void SetOnBeforePrint(const QString &value) { FOnBeforePrint = value; }
    QString OnPreviewClick() const { return FOnPreviewClick; }
    void SetOnPreviewClick(const QString &value) { FOnPreviewClick = value; }
    QString OnPreviewDblClick() const { return FOnPreviewDblClick; }
    void SetOnPreviewDblClick(const QString &value) { FOnPreviewDblClick = value; }

    zor::TfrxPrintOnTypes PrintOn() const { return FPrintOn; }
    void SetPrintOn(zor::TfrxPrintOnTypes value) { FPrintOn = value; }
    int ShiftAmount() const { return FShiftAmount; }
    void SetShiftAmount(int value) { FShiftAmount = value; }
    // Objects that move when this one grows (filled by the band layout; not owned).
    QList<TfrxComponent *> &ShiftChildren() { return FShiftChildren; }

private:
    QString FOnAfterData;
    QString FOnAfterPrint;
    QString FOnBeforePrint;
    QString FOnPreviewClick;
    QString FOnPreviewDblClick;
    zor::TfrxPrintOnTypes FPrintOn;
    int FShiftAmount = 0;
    QList<TfrxComponent *> FShiftChildren;
};

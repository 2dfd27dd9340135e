#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QVariant>

#include <functional>

class TfrxBand;
class TfrxCustomPreviewPages;
class TfrxDialogPage;
class TfrxReport;
struct QMetaObject;

// The preparation engine of a report, which turns the template into prepared pages. The engine
// lives in the engine library; the report drives it through this interface, and scripts reach
// the band operations below through the host bindings.
class TfrxCustomEngine
{
public:
    TfrxCustomEngine(TfrxReport *report, TfrxCustomPreviewPages *previewPages)
        : FReport(report), FPreviewPages(previewPages) {}
    virtual ~TfrxCustomEngine() = default;
    TfrxCustomEngine(const TfrxCustomEngine &) = delete;
    TfrxCustomEngine &operator=(const TfrxCustomEngine &) = delete;

    TfrxReport *Report() const { return FReport; }
    TfrxCustomPreviewPages *PreviewPages() const { return FPreviewPages; }

    // Prepares the report's template into the prepared pages; false when preparation failed or
    // was stopped (the reasons are in the report's error list).
    virtual bool Run() = 0;
    bool Running() const { return FRunning; }
    bool FinalPass() const { return FFinalPass; }
    // The moment preparation started: the system variables "Date" and "Time".
    QDateTime StartDateTime() const { return FStartDateTime; }
    int TotalPages() const { return FTotalPages; }
    // The system variables that depend on the run ("PAGE", "PAGE#", "TOTALPAGES", "TOTALPAGES#",
    // "LINE", "LINE#"; the name in upper case); an invalid value for any other.
    virtual QVariant SystemVariable(const QString &upperName) const = 0;

    // Operations scripts call while the report is prepared.
    virtual double GetPageHeight() const = 0;
    virtual void EndPage() = 0;
    virtual void BreakAllKeep() = 0;
    virtual void NewColumn() = 0;
    virtual void NewPage() = 0;
    // Outputs the band and its child chain at the current position.
    virtual void ShowBand(TfrxBand *band) = 0;
    // Outputs the first band of that class on the current page.
    virtual void ShowBand(const QMetaObject *bandClass) = 0;
    virtual double HeaderHeight() const = 0;
    virtual double FooterHeight() const = 0;
    virtual double FreeSpace() const = 0;
    // A total written in the template (SUM, AVG, MIN, MAX, COUNT), as seen from the band being
    // output; an invalid value for a total the template does not hold.
    virtual QVariant GetAggregateValue(const QString &name, const QString &expression, TfrxBand *band,
                                       int flags) = 0;
    // Finds the band by name in the report and shows it.
    void ShowBandByName(const QString &name);
    // Sets the report's terminated flag; preparation stops at its next test.
    void StopReport();
    bool GetDoublePass() const;

    // Shows a dialog page modally before preparation and returns its modal result (2 cancels the
    // run). Without a handler, dialog pages are passed over.
    using TfrxRunDialogHandler = std::function<int(TfrxDialogPage &)>;
    void SetOnRunDialog(TfrxRunDialogHandler handler) { FOnRunDialog = std::move(handler); }

    // Drill-down groups show their records only while expanded; a group starts as its header's
    // ExpandDrillDown says. The groups toggled from that (by their drill name, which the prepared
    // group header carries) stay toggled between preparations until the state is cleared.
    void ToggleDrillDown(const QString &drillName);
    bool DrillExpanded(const QString &drillName, bool expandByDefault) const;
    void ClearDrillState() { FDrillState.clear(); }

    // Position of the next band relative to the printable area, in report units.
    double CurX() const { return FCurX; }
    void SetCurX(double value) { FCurX = value; }
    double CurY() const { return FCurY; }
    void SetCurY(double value) { FCurY = value; }
    int CurColumn() const { return FCurColumn; }
    int CurLine() const { return FCurLine; }
    int CurLineThrough() const { return FCurLineThrough; }
    double PageWidth() const { return FPageWidth; }
    double PageHeight() const { return FPageHeight; }

protected:
    TfrxReport *FReport;
    TfrxCustomPreviewPages *FPreviewPages;
    bool FRunning = false;
    bool FFinalPass = true;
    QDateTime FStartDateTime;
    int FTotalPages = 0;
    int FCurColumn = 1;
    int FCurVColumn = 0;
    int FCurLine = 0;
    int FCurLineThrough = 0;
    double FCurX = 0;
    double FCurY = 0;
    double FPageWidth = 0;
    double FPageHeight = 0;
    TfrxRunDialogHandler FOnRunDialog;
    QSet<QString> FDrillState;
};

#pragma once

#include <QDateTime>
#include <QVariant>

class TfrxCustomPreviewPages;
class TfrxReport;

// The preparation engine of a report, which turns the template into prepared pages. The engine
// lives in the engine library; the report drives it through this interface.
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

protected:
    TfrxReport *FReport;
    TfrxCustomPreviewPages *FPreviewPages;
    bool FRunning = false;
    bool FFinalPass = true;
    QDateTime FStartDateTime;
    int FTotalPages = 0;
};

#pragma once

#include <memory>

class QImage;
class QRectF;

class TfrxCustomPreviewPages;
class TfrxReport;

// One print of a report's prepared pages by its print options: the printer they name, the print
// dialog when asked for, the page range, odd/even, order, copies and collation, the paper of each
// page, and the split, join and scale arrangements. The options are restored afterwards, so what
// the dialog chose lasts for this print only.
class TfrxPrintRun
{
public:
    TfrxPrintRun(TfrxReport &report, TfrxCustomPreviewPages &pages);
    ~TfrxPrintRun();
    TfrxPrintRun(const TfrxPrintRun &) = delete;
    TfrxPrintRun &operator=(const TfrxPrintRun &) = delete;

    // The page the preview shows (from 1), printed by the dialog's "Current page".
    void SetCurrentPage(int pageNo);
    // A picture drawn under every printed page (the blank, on a test print on plain paper),
    // placed in millimetres from the paper's corner.
    void SetBackdrop(const QImage &picture, const QRectF &rectMm);
    // False when nothing was printed: no printer, the dialog cancelled, a bad range, a failed or
    // cancelled job. Failures are shown through the printing error handler.
    bool Print();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

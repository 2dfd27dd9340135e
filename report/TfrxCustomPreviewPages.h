#pragma once

#include <QPointer>
#include <QSize>
#include <QString>

class QIODevice;
class QPainter;
class QPointF;
class TfrxCustomEngine;
class TfrxReport;
class TfrxReportPage;
class TfrxView;

// The store of a report's prepared pages, through which the engine, the preview and printing
// meet. The store itself lives in the engine library; the object model and the windows above it
// know it through this interface.
class TfrxCustomPreviewPages
{
public:
    explicit TfrxCustomPreviewPages(TfrxReport *report) : FReport(report) {}
    virtual ~TfrxCustomPreviewPages() = default;
    TfrxCustomPreviewPages(const TfrxCustomPreviewPages &) = delete;
    TfrxCustomPreviewPages &operator=(const TfrxCustomPreviewPages &) = delete;

    TfrxReport *Report() const { return FReport; }
    TfrxCustomEngine *Engine() const { return FEngine; }
    void SetEngine(TfrxCustomEngine *engine) { FEngine = engine; }

    // Reader side.
    virtual int GetCount() const = 0;
    // The page rebuilt into an object tree, owned by the store's page cache; none out of range.
    virtual TfrxReportPage *GetPage(int index) = 0;
    // Width and height in report pixels, rounded; (0, 0) out of range.
    virtual QSize GetPageSize(int index) = 0;
    // Draws a page at a scale (device pixels per report pixel) and an offset in device pixels.
    virtual void DrawPage(int index, QPainter *canvas, double scaleX, double scaleY, double offsetX,
                          double offsetY) = 0;

    // The topmost view of a page under a point in report units from the paper's top-left corner
    // (the margins of the page included); none when no view is there. The view belongs to the
    // page cache and is remembered as the view under the mouse until its page leaves the cache.
    virtual TfrxView *ObjectOver(int pageIndex, const QPointF &point);
    // The view the last ObjectOver found; none once its page left the cache.
    TfrxView *LastObjectOver() const;
    // Appends the prepared pages of another report as whole pages, with its anchors and outline
    // moved to the pages they now have. A store that keeps no pages of its own ignores it.
    virtual void AddFrom(TfrxReport *report);
    // Replaces a stored page with the whole tree of a page (a rebuilt page changed after
    // preparation), so that the change outlives the page cache and is saved. A store whose pages
    // are its live objects ignores it.
    virtual void ModifyPage(int index, TfrxReportPage *page);

    // Files of prepared reports (".zi3").
    virtual void Clear() = 0;
    virtual void SaveToStream(QIODevice *stream) = 0;
    virtual void LoadFromStream(QIODevice *stream, bool allowPartialLoading = false) = 0;
    // Writes through a temporary file renamed over the target; false when nothing was replaced.
    virtual bool SaveToFile(const QString &fileName) = 0;
    // Whether the file exists; a missing one raises TfrxError when exceptionIfNotFound.
    virtual bool LoadFromFile(const QString &fileName, bool exceptionIfNotFound = false) = 0;

    // Prints the pages by the report's print options through the printing library; false when
    // nothing was printed (no printer, the dialog cancelled, no printing library linked).
    virtual bool Print();

    // The page being written or drawn; -1 when the store is empty.
    int CurPage() const { return FCurPage; }
    void SetCurPage(int index) { FCurPage = index; }

protected:
    TfrxReport *FReport;
    TfrxCustomEngine *FEngine = nullptr;
    int FCurPage = -1;
    // Guarded: the view belongs to a cached page, which may be dropped at any time.
    QPointer<TfrxView> FLastObjectOver;
};

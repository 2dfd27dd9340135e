#include "zorPdfExport.h"

#include "TfrxCustomPreviewPages.h"
#include "TfrxError.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "zorSafeFile.h"

#include <QPageLayout>
#include <QPainter>
#include <QScopeGuard>
#include <QPdfWriter>

namespace {

constexpr int pdfResolution = 1200;

QPageLayout layoutOf(const TfrxReportPage *page)
{
    QSizeF size(210, 297);
    if (page != nullptr && page->PaperWidth() > 0 && page->PaperHeight() > 0)
        size = QSizeF(page->PaperWidth(), page->PaperHeight());
    // The page's width and height are already those of its orientation.
    return QPageLayout(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF());
}

bool writePages(TfrxReport &report, TfrxCustomPreviewPages &pages, QIODevice &device, QString &error)
{
    QPdfWriter writer(&device);
    writer.setResolution(pdfResolution);
    writer.setCreator(QStringLiteral("zor report library"));
    writer.setTitle(report.ReportOptions()->Name.isEmpty() ? report.FileName() : report.ReportOptions()->Name);
    writer.setPageLayout(layoutOf(pages.GetPage(0)));
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = QStringLiteral("Cannot write the PDF file");
        return false;
    }
    const double scale = double(pdfResolution) / 96;
    for (int i = 0, count = pages.GetCount(); i < count; ++i) {
        if (i > 0) {
            writer.setPageLayout(layoutOf(pages.GetPage(i)));
            writer.newPage();
        }
        pages.SetCurPage(i);
        pages.DrawPage(i, &painter, scale, scale, 0, 0);
    }
    return painter.end();
}

} // namespace

bool zorExportPdf(TfrxReport &report, const QString &fileName, QString &error)
{
    TfrxCustomPreviewPages *pages = report.PreviewPages();
    if (pages == nullptr) {
        error = QStringLiteral("Report preparation is not available in this program");
        return false;
    }
    if (pages->GetCount() == 0 && !report.PrepareReport()) {
        error = report.Errors().join(QStringLiteral("\n"));
        return false;
    }
    if (pages->GetCount() == 0) {
        error = QStringLiteral("The report has no pages");
        return false;
    }
    // One pass over the pages: each is rebuilt, drawn and let go, instead of filling the cache
    // with pages the export never reads again.
    const int pagesInCache = report.PreviewOptions()->PagesInCache;
    report.PreviewOptions()->PagesInCache = 1;
    const auto restoreCache = qScopeGuard([&] { report.PreviewOptions()->PagesInCache = pagesInCache; });
    QString failure;
    const bool written = zorWriteFileSafely(
        fileName,
        [&](QIODevice &device) {
            try {
                return writePages(report, *pages, device, failure);
            } catch (const TfrxError &raised) {
                failure = raised.Message();
                return false;
            }
        },
        &error);
    // The export's own reason says more than the file's when the drawing failed.
    if (!written && !failure.isEmpty())
        error = failure;
    return written;
}

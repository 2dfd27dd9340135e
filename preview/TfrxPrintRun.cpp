#include "TfrxPrintRun.h"

#include "TfrxCustomPreviewPages.h"
#include "TfrxCustomPrinter.h"
#include "TfrxError.h"
#include "TfrxPreviewPages.h"
#include "TfrxPrintDialog.h"
#include "TfrxPrinters.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "zorPrintLayout.h"
#include "zorPrinterTexts.h"

#include <QImage>
#include <QPainter>
#include <QScopeGuard>
#include <QSet>

#include <cmath>
#include <functional>
#include <optional>

using namespace zor;

namespace {

constexpr double mmPerInch = 25.4;

// What a printer that cannot take the job is told as.
QString notValid() { return QStringLiteral("Printer selected is not valid"); }

// A page without a size is printed as an A4 page.
QSizeF pageSizeMm(const TfrxReportPage &page)
{
    if (page.PaperWidth() <= 0 || page.PaperHeight() <= 0)
        return {210, 297};
    return {page.PaperWidth(), page.PaperHeight()};
}

// The printer settings a page asks for; a change between pages makes the printer switch.
struct PaperState
{
    int paper = 0;
    long width = 0;
    long height = 0;
    int bin = 0;
    TPrinterOrientation orientation = poPortrait;
    TfrxDuplexMode duplex = dmNone;

    bool operator==(const PaperState &) const = default;
};

} // namespace

struct TfrxPrintRun::Private
{
    TfrxReport &report;
    TfrxCustomPreviewPages &pages;
    TfrxPrintOptions &options;
    TfrxCustomPrinter *printer = nullptr;
    int currentPage = 1;
    QImage backdrop;
    QRectF backdropMm;

    // One run.
    QStringList pageList;
    bool started = false;
    std::optional<PaperState> last;
    QSet<int> usedBins;
    int duplexPages = 0;
    TfrxDuplexMode lastDuplex = dmNone;
    int copyNo = 0;
    QSizeF sheet; // mm, for the split, join and scale arrangements
    int sheetPaper = 0;

    Private(TfrxReport &r, TfrxCustomPreviewPages &p) : report(r), pages(p), options(*r.PrintOptions()) {}

    bool run();
    bool chooseInDialog();
    void setSheet();
    bool printCopies();
    bool printSet(int copies);
    bool printNormal(int copies);
    bool printSplit(int copies);
    bool printJoin(int copies);
    bool printBlankSheet();
    // Visits the pages of the run in printing order (reversed by the options), leaving out those
    // the range excludes; false as soon as the run is cancelled or a visit fails.
    bool forEachPage(const std::function<bool(int index, const TfrxReportPage &page)> &visit);

    int visitCount() const { return pageList.isEmpty() ? pages.GetCount() : int(pageList.size()); }
    int visitIndex(int i) const { return pageList.isEmpty() ? i : pageList.at(i).toInt() - 1; }
    bool skipped(int index) const;
    int sourceOf(const TfrxReportPage &page);
    TfrxDuplexMode duplexOf(const TfrxReportPage &page);
    bool beginPage();
    void drawPage(int index, double scaleX, double scaleY, double offsetX, double offsetY, double printScale);
    bool pageDone(int index);
    bool fail(const QString &message);
};

TfrxPrintRun::TfrxPrintRun(TfrxReport &report, TfrxCustomPreviewPages &pages)
    : d(std::make_unique<Private>(report, pages))
{
}

TfrxPrintRun::~TfrxPrintRun() = default;

void TfrxPrintRun::SetCurrentPage(int pageNo) { d->currentPage = pageNo; }

void TfrxPrintRun::SetBackdrop(const QImage &picture, const QRectF &rectMm)
{
    d->backdrop = picture;
    d->backdropMm = rectMm;
}

bool TfrxPrintRun::Print()
{
    TfrxPrinters *printers = zorPrinters();
    if (!printers->HasPhysicalPrinters()) {
        zorReportPrinterError(zorPrinterText("clNoPrinters"));
        return false;
    }
    // What the dialog and the run change lasts for this print only.
    TfrxPrintOptions saved;
    saved.Assign(&d->options);
    struct Restore
    {
        TfrxPrintOptions &options;
        TfrxPrintOptions &saved;
        TfrxCustomPrinter *&printer;
        ~Restore()
        {
            options.Assign(&saved);
            if (printer != nullptr) {
                if (printer->Printing())
                    printer->Abort();
                printer->setFileName(QString());
            }
        }
    } restore{d->options, saved, d->printer};

    if (const int index = printers->IndexOf(d->options.Printer); index >= 0)
        printers->setPrinterIndex(index);
    if (d->options.ShowDialog && !d->chooseInDialog())
        return false;
    // From here on every run, also a failed one, ends with the host's after-print handler.
    const auto afterPrint = qScopeGuard([this] {
        if (const auto &handler = d->report.OnAfterPrintReport())
            handler(d->report);
    });
    d->printer = printers->Printer();
    if (!d->printer->Initialized()) {
        zorReportPrinterError(notValid());
        return false;
    }
    d->printer->setFileName(d->options.PrnOutFileName);
    if (d->options.PrintMode != pmDefault)
        d->setSheet();
    if (const auto &handler = d->report.OnPrintReport())
        handler(d->report);
    try {
        d->report.DoNotifyEvent(&d->report, d->report.property("OnReportPrint").toString(),
                                !d->report.EngineOptions()->DestroyForms);
    } catch (const std::exception &error) {
        zorReportPrinterError(QString::fromUtf8(error.what()));
        return false;
    }
    if (!zorParsePageNumbers(d->options.PageNumbers, d->pageList, d->pages.GetCount())) {
        zorReportPrinterError(
            zorFillText(QStringLiteral("\"%s\" is not a valid page range"), {d->options.PageNumbers}));
        return false;
    }
    // A range that names no page of the report prints nothing, never all pages.
    if (d->pageList.isEmpty() && !d->options.PageNumbers.trimmed().isEmpty())
        return false;
    return d->run();
}

bool TfrxPrintRun::Private::chooseInDialog()
{
    TfrxPrintDialog dialog(report, int(options.Duplex), currentPage);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options.Duplex = TfrxDuplexMode(dialog.DuplexMode());
    return true;
}

// The sheet of the split, join and scale arrangements, in portrait. A sheet the printer does not
// have (or none chosen) is the printer's current paper.
void TfrxPrintRun::Private::setSheet()
{
    int paper = options.PrintOnSheet;
    double width = printer->PaperWidth();
    double height = printer->PaperHeight();
    if (paper == 0 || paper == TfrxCustomPrinter::customPaper || printer->PaperIndex(paper) < 0) {
        paper = printer->Paper();
        if (width > height)
            std::swap(width, height);
    }
    printer->SetViewParams(paper, width, height, poPortrait);
    sheetPaper = paper;
    sheet = QSizeF(printer->PaperWidth(), printer->PaperHeight());
}

bool TfrxPrintRun::Private::run()
{
    // The copy and the scale of the printed pages are the store's only while printing.
    auto *store = dynamic_cast<TfrxPreviewPages *>(&pages);
    const int copyBefore = store != nullptr ? store->CopyNo() : 0;
    const auto restore = qScopeGuard([store, copyBefore] {
        if (store != nullptr) {
            store->SetCopyNo(copyBefore);
            store->SetPrintScale(1);
        }
    });
    printer->setTitle(report.ReportOptions()->Name.isEmpty() ? report.FileName() : report.ReportOptions()->Name);
    report.SetTerminated(false);
    report.InternalOnProgressStart(TfrxReport::ptPrinting);
    bool ok = false;
    try {
        ok = printCopies();
    } catch (const TfrxError &error) {
        ok = fail(error.Message());
    } catch (const std::exception &error) {
        ok = fail(QString::fromLocal8Bit(error.what()));
    }
    if (ok && started)
        ok = printer->EndDoc() || fail(notValid());
    else if (printer->Printing())
        printer->Abort();
    report.InternalOnProgressStop(TfrxReport::ptPrinting);
    return ok && started;
}

bool TfrxPrintRun::Private::printCopies()
{
    const int copies = std::max(1, options.Copies);
    if (!options.Collate) {
        copyNo = 1;
        return printSet(copies);
    }
    for (int copy = 1; copy <= copies; ++copy) {
        copyNo = copy;
        usedBins.clear();
        if (!printSet(1))
            return false;
        if (duplexPages % 2 == 1 && copy < copies && !printBlankSheet())
            return false;
        if (report.Terminated())
            break;
    }
    return true;
}

bool TfrxPrintRun::Private::printSet(int copies)
{
    using Arrangement = bool (Private::*)(int);
    static const Arrangement arrangements[] = {&Private::printNormal, &Private::printSplit, &Private::printJoin,
                                               &Private::printNormal};
    return (this->*arrangements[options.PrintMode])(copies);
}

bool TfrxPrintRun::Private::skipped(int index) const
{
    if (index < 0 || index >= pages.GetCount())
        return true;
    const bool odd = (index + 1) % 2 == 1;
    return (options.PrintPages == ppOdd && !odd) || (options.PrintPages == ppEven && odd);
}

// The first page fed from a source takes the page's Bin, the pages after it BinOtherPages.
int TfrxPrintRun::Private::sourceOf(const TfrxReportPage &page)
{
    if (usedBins.contains(page.Bin()))
        return page.BinOtherPages();
    usedBins.insert(page.Bin());
    return page.Bin();
}

TfrxDuplexMode TfrxPrintRun::Private::duplexOf(const TfrxReportPage &page)
{
    const TfrxDuplexMode duplex = options.Duplex != dmNone ? options.Duplex : page.Duplex();
    if (duplex != lastDuplex)
        duplexPages = 0;
    lastDuplex = duplex;
    if (duplex == dmVertical || duplex == dmHorizontal)
        ++duplexPages;
    return duplex;
}

bool TfrxPrintRun::Private::beginPage()
{
    if (!started) {
        if (!printer->BeginDoc())
            return fail(notValid());
        started = true;
    }
    return printer->BeginPage() || fail(notValid());
}

// Text objects show the copy being printed and take the scale of a scaled page.
void TfrxPrintRun::Private::drawPage(int index, double scaleX, double scaleY, double offsetX, double offsetY,
                                     double printScale)
{
    if (auto *store = dynamic_cast<TfrxPreviewPages *>(&pages)) {
        store->SetCopyNo(copyNo);
        store->SetPrintScale(printScale);
    }
    pages.SetCurPage(index);
    if (const auto &handler = report.OnPrintPage())
        handler(pages.GetPage(index), copyNo);
    // The offsets are the paper's corner on the device; the backdrop lies under the page.
    if (!backdrop.isNull())
        printer->Canvas()->drawImage(QRectF(offsetX + backdropMm.left() * fr01cm * scaleX,
                                            offsetY + backdropMm.top() * fr01cm * scaleY,
                                            backdropMm.width() * fr01cm * scaleX,
                                            backdropMm.height() * fr01cm * scaleY),
                                     backdrop);
    pages.DrawPage(index, printer->Canvas(), scaleX, scaleY, offsetX, offsetY);
}

bool TfrxPrintRun::Private::pageDone(int index)
{
    report.InternalOnProgress(TfrxReport::ptPrinting, index + 1);
    printer->EndPage();
    return true;
}

bool TfrxPrintRun::Private::fail(const QString &message)
{
    if (printer != nullptr && printer->Printing())
        printer->Abort();
    zorReportPrinterError(message);
    return false;
}

bool TfrxPrintRun::Private::printBlankSheet() { return beginPage() && pageDone(-1); }

bool TfrxPrintRun::Private::forEachPage(const std::function<bool(int index, const TfrxReportPage &page)> &visit)
{
    const int count = visitCount();
    for (int k = 0; k < count; ++k) {
        const int index = visitIndex(options.Reverse ? count - 1 - k : k);
        if (skipped(index))
            continue;
        if (report.Terminated()) {
            printer->Abort();
            return false;
        }
        const TfrxReportPage *page = pages.GetPage(index);
        if (page != nullptr && !visit(index, *page))
            return false;
    }
    return true;
}

bool TfrxPrintRun::Private::printNormal(int copies)
{
    const bool scaled = options.PrintMode == pmScale;
    const QPointF dpi = printer->DPI();
    return forEachPage([&](int index, const TfrxReportPage &page) {
        const QSizeF size = pageSizeMm(page);
        const PaperState state{scaled ? sheetPaper : page.PaperSize(),
                               std::lround(size.width()),
                               std::lround(size.height()),
                               sourceOf(page),
                               page.Orientation(),
                               duplexOf(page)};
        const bool changed = !last || (scaled ? (state.bin != last->bin || state.orientation != last->orientation ||
                                                 state.duplex != last->duplex)
                                              : !(state == *last));
        if (changed && scaled) {
            printer->SetPrintParams(sheetPaper, sheet.width(), sheet.height(), state.orientation, state.bin,
                                    state.duplex, copies);
            sheet = QSizeF(printer->PaperWidth(), printer->PaperHeight());
        } else if (changed) {
            printer->SetPrintParams(page.PaperSize(), page.PaperWidth(), page.PaperHeight(), page.Orientation(),
                                    state.bin, state.duplex, copies);
        }
        last = state;
        if (!beginPage())
            return false;
        double e = 1;
        double f = 1;
        if (scaled && page.PaperWidth() > 0 && page.PaperHeight() > 0) {
            e = sheet.width() / page.PaperWidth();
            f = sheet.height() / page.PaperHeight();
        }
        const QPoint offset = printer->PhysicalOffset();
        drawPage(index, e * dpi.x() / 96, f * dpi.y() / 96, -offset.x(), -offset.y(), std::min(e, f));
        return pageDone(index);
    });
}

bool TfrxPrintRun::Private::printSplit(int copies)
{
    const QPointF dpi = printer->DPI();
    const double splicing = options.SplicingLine;
    std::optional<TPrinterOrientation> lastOrientation;
    return forEachPage([&](int index, const TfrxReportPage &page) {
        const QSizeF size = pageSizeMm(page);
        TfrxSheetCount parts = zorSplitPage(size, sheet);
        // Directions with more than one sheet overlap by the splicing line and lose the unprintable
        // margins of the other direction's edges.
        const double acrossLoss = splicing + (parts.turned ? printer->LeftMargin() + printer->RightMargin()
                                                            : printer->TopMargin() + printer->BottomMargin());
        const double downLoss = splicing + (parts.turned ? printer->TopMargin() + printer->BottomMargin()
                                                          : printer->LeftMargin() + printer->RightMargin());
        const QSizeF reduced(sheet.width() - (parts.across > 1 ? acrossLoss : 0),
                             sheet.height() - (parts.down > 1 ? downLoss : 0));
        if (reduced.width() > 0 && reduced.height() > 0)
            parts = zorSplitPage(size, reduced);
        const TPrinterOrientation orientation = parts.turned ? poLandscape : poPortrait;
        const int bin = index == 0 ? page.Bin() : page.BinOtherPages();
        if (!lastOrientation || *lastOrientation != orientation)
            printer->SetPrintParams(sheetPaper, sheet.width(), sheet.height(), orientation, bin,
                                    duplexOf(page), copies);
        lastOrientation = orientation;
        // The printable part of the sheet, less the overlap, is what each sheet moves on by.
        const double stepX = (printer->PaperWidth() - printer->LeftMargin() - printer->RightMargin() - splicing) *
                             dpi.x() / mmPerInch;
        const double stepY = (printer->PaperHeight() - printer->TopMargin() - printer->BottomMargin() - splicing) *
                             dpi.y() / mmPerInch;
        const QPoint offset = printer->PhysicalOffset();
        const QRectF printable(0, 0, (printer->PaperWidth() - printer->LeftMargin() - printer->RightMargin()) *
                                         dpi.x() / mmPerInch,
                               (printer->PaperHeight() - printer->TopMargin() - printer->BottomMargin()) * dpi.y() /
                                   mmPerInch);
        for (int row = 0; row < parts.down; ++row) {
            for (int column = 0; column < parts.across; ++column) {
                if (!beginPage())
                    return false;
                printer->Canvas()->setClipRect(printable);
                drawPage(index, dpi.x() / 96, dpi.y() / 96, -offset.x() - column * stepX, -offset.y() - row * stepY,
                         1);
                printer->Canvas()->setClipping(false);
                pageDone(index);
            }
        }
        return true;
    });
}

bool TfrxPrintRun::Private::printJoin(int /*copies*/)
{
    const int count = visitCount();
    QList<int> indexes;
    for (int k = 0; k < count; ++k)
        if (const int index = visitIndex(k); index >= 0 && index < pages.GetCount())
            indexes << index;
    if (indexes.isEmpty())
        return true;
    const TfrxReportPage *first = pages.GetPage(indexes.front());
    if (first == nullptr)
        return true;
    const QSizeF cellMm = pageSizeMm(*first);
    const TfrxSheetCount cells = zorJoinPages(cellMm, sheet);
    printer->SetPrintParams(sheetPaper, sheet.width(), sheet.height(), cells.turned ? poLandscape : poPortrait,
                            first->Bin(), duplexOf(*first), 1);
    const QPointF dpi = printer->DPI();
    const QPoint offset = printer->PhysicalOffset();
    const QSizeF cell(cellMm.width() * dpi.x() / mmPerInch, cellMm.height() * dpi.y() / mmPerInch);
    // Uncollated copies repeat each page in the cells; collated ones repeat the whole set.
    const int repeats = options.Collate ? 1 : std::max(1, options.Copies);
    const int collatedCopy = copyNo;
    QList<std::pair<int, int>> placements; // page index, copy number
    for (int index : indexes)
        for (int copy = 1; copy <= repeats; ++copy)
            placements.append({index, options.Collate ? collatedCopy : copy});
    const int perSheet = cells.across * cells.down;
    for (qsizetype at = 0; at < placements.size(); at += perSheet) {
        if (report.Terminated()) {
            printer->Abort();
            return false;
        }
        if (!beginPage())
            return false;
        for (int cellNo = 0; cellNo < perSheet && at + cellNo < placements.size(); ++cellNo) {
            const auto [index, copy] = placements.at(at + cellNo);
            copyNo = copy;
            const double x = -offset.x() + (cellNo % cells.across) * cell.width();
            const double y = -offset.y() + (cellNo / cells.across) * cell.height();
            drawPage(index, dpi.x() / 96, dpi.y() / 96, x, y, 1);
        }
        pageDone(placements.at(at).first);
    }
    copyNo = collatedCopy;
    return true;
}

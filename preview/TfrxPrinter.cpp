#include "TfrxPrinter.h"

#include "TfrxPrinterCalibration.h"
#include "zorPrinterTexts.h"

#include <QApplication>
#include <QFile>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

#include <cmath>

namespace {

constexpr double mmPerInch = 25.4;
constexpr int maxPaperNameLength = 64;

// Millimetres of a device length, rounded to whole millimetres (halves to even).
double wholeMillimetres(double pixels, double dpi) { return std::nearbyint(pixels / dpi * mmPerInch); }

QPageLayout::Orientation qtOrientation(zor::TPrinterOrientation orientation)
{
    return orientation == zor::poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Platform duplex codes: 1 simplex, 2 vertical (long edge), 3 horizontal (short edge).
int duplexCode(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto:
        return 2;
    case QPrinter::DuplexShortSide:
        return 3;
    default:
        return 1;
    }
}

QPrinter::DuplexMode qtDuplex(int code)
{
    static const QPrinter::DuplexMode modes[] = {QPrinter::DuplexNone, QPrinter::DuplexLongSide,
                                                 QPrinter::DuplexShortSide};
    return code >= 1 && code <= 3 ? modes[code - 1] : QPrinter::DuplexNone;
}

} // namespace

struct TfrxPrinter::Job
{
    QPainter painter;
    int pages = 0;
    QPageLayout layout; // the paper of the spooler job being written
    QPoint origin; // the printable area's corner, in device pixels from the paper's corner
    // This printer's correction, read when the job starts so that a change applies to the next job.
    QTransform calibration;
    // A raw job goes to the spooler, or to the output file when one is set.
    int rawJobId = 0;
    std::unique_ptr<QFile> rawFile;
};

TfrxPrinter::TfrxPrinter(const QString &name, const QString &port) : TfrxCustomPrinter(name, port) {}

TfrxPrinter::~TfrxPrinter()
{
    if (FJob)
        Abort();
}

QPrinter *TfrxPrinter::device() const { return FDevice.get(); }

QPoint TfrxPrinter::PhysicalOffset() const
{
    if (!FDevice)
        return {};
    QPageLayout printable = FDevice->pageLayout();
    printable.setMargins(printable.minimumMargins());
    return printable.paintRectPixels(FDevice->resolution()).topLeft();
}

QPainter *TfrxPrinter::Canvas() const { return FJob && FJob->painter.isActive() ? &FJob->painter : nullptr; }

void TfrxPrinter::Init()
{
    if (FInitialized)
        return;
    const QPrinterInfo info = QPrinterInfo::printerInfo(FName);
    if (info.isNull())
        return;
    FDevice = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    FDevice->setFullPage(true);
    if (!FDevice->isValid() || !UpdateDeviceCaps()) {
        FDevice.reset();
        return;
    }
    const int paper = FDevice->pageLayout().pageSize().windowsId();
    FDefPaper = paper > 0 ? paper : customPaper;
    FDefBin = int(FDevice->paperSource()) + 1;
    FDefDuplex = duplexCode(FDevice->duplex());
    FDefOrientation =
        FDevice->pageLayout().orientation() == QPageLayout::Portrait ? zor::poPortrait : zor::poLandscape;
    FDefPaperWidth = FPaperWidth;
    FDefPaperHeight = FPaperHeight;
    FPaper = FDefPaper;
    FOrientation = FDefOrientation;
    readLists();
    FBin = none;
    FDuplex = none;
    FInitialized = true;
}

void TfrxPrinter::readLists()
{
    resetLists();
    for (const QPageSize &size : QPrinterInfo(*FDevice).supportedPageSizes()) {
        const int number = size.windowsId();
        if (number > 0 && number != customPaper && PaperIndex(number) < 0)
            FPapers.append({size.name().left(maxPaperNameLength), number});
    }
    // Qt Print Support does not list a printer's paper sources on this platform: the printer's
    // own choice ("Default") is the one offered.
}

// Resolution, paper size and unprintable margins of the current paper, in whole millimetres.
bool TfrxPrinter::UpdateDeviceCaps()
{
    const int dpi = FDevice->resolution();
    if (dpi == 0) {
        zorReportPrinterError(QStringLiteral("Printer selected is not valid"));
        return false;
    }
    FDPI = QPointF(dpi, dpi);
    QPageLayout printable = FDevice->pageLayout();
    printable.setMargins(printable.minimumMargins());
    const QRect paper = printable.fullRectPixels(dpi);
    const QRect area = printable.paintRectPixels(dpi);
    FPaperHeight = wholeMillimetres(paper.height(), dpi);
    FPaperWidth = wholeMillimetres(paper.width(), dpi);
    FLeftMargin = wholeMillimetres(area.left(), dpi);
    FTopMargin = wholeMillimetres(area.top(), dpi);
    FRightMargin = FPaperWidth - wholeMillimetres(area.width(), dpi) - FLeftMargin;
    FBottomMargin = FPaperHeight - wholeMillimetres(area.height(), dpi) - FTopMargin;
    return true;
}

void TfrxPrinter::SetViewParams(int paperSize, double paperWidth, double paperHeight,
                                zor::TPrinterOrientation orientation)
{
    if (!FInitialized)
        return;
    const bool custom = paperSize == customPaper;
    const QPageSize::PageSizeId id = QPageSize::id(custom ? 9 : paperSize);
    const QPageLayout before = FDevice->pageLayout();
    if (id == QPageSize::Custom || !FDevice->setPageSize(QPageSize(id)) ||
        !FDevice->setPageOrientation(qtOrientation(orientation)) || !UpdateDeviceCaps()) {
        FDevice->setPageLayout(before);
        return;
    }
    if (custom) {
        // A custom size is shown on A4's margins and resolution.
        FPaperWidth = paperWidth;
        FPaperHeight = paperHeight;
    }
    FPaper = paperSize;
    FOrientation = orientation;
}

void TfrxPrinter::SetPrintParams(int paperSize, double paperWidth, double paperHeight,
                                 zor::TPrinterOrientation orientation, int bin, int duplex, int copies)
{
    if (!FInitialized)
        return;
    QPageSize size;
    if (paperSize == customPaper) {
        // The platform keeps a custom paper in portrait terms: in landscape the page's width is
        // the paper's length.
        const bool landscape = orientation == zor::poLandscape;
        const double length = std::nearbyint(10 * (landscape ? paperWidth : paperHeight)) / 10;
        const double width = std::nearbyint(10 * (landscape ? paperHeight : paperWidth)) / 10;
        size = QPageSize(QSizeF(width, length), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    } else {
        size = QPageSize(QPageSize::id(paperSize));
    }
    const QPageLayout before = FDevice->pageLayout();
    if (!size.isValid() || !FDevice->setPageSize(size) || !FDevice->setPageOrientation(qtOrientation(orientation))) {
        FDevice->setPageLayout(before);
        return;
    }
    FDevice->setCopyCount(std::max(1, copies));
    const int source = bin == defaultBin ? (FBin != none ? FBin : FDefBin) : bin;
    if (source >= 1)
        FDevice->setPaperSource(QPrinter::PaperSource(source - 1));
    // The report's mode (0 default, 1 vertical, 2 horizontal, 3 simplex) as a platform code;
    // a mode chosen in the printer's own dialog wins.
    int code = duplex == 0 ? FDefDuplex : duplex + 1;
    if (FDuplex != none)
        code = FDuplex;
    else if (code == 4)
        code = 1;
    FDevice->setDuplex(qtDuplex(code));
    if (!UpdateDeviceCaps()) {
        FDevice->setPageLayout(before);
        return;
    }
    FPaper = paperSize;
    FOrientation = orientation;
}

bool TfrxPrinter::BeginDoc()
{
    if (!FInitialized || FJob)
        return false;
    FDevice->setDocName(FTitle.isEmpty() ? QStringLiteral("Quillora Document") : FTitle);
    FDevice->setOutputFileName(FFileName);
    FJob = std::make_unique<Job>();
    FJob->calibration = TfrxPrinterCalibration::Load(FName).DeviceTransform(FDPI);
    if (!FJob->painter.begin(FDevice.get())) {
        FJob.reset();
        return false;
    }
    FPrinting = true;
    return true;
}

bool TfrxPrinter::BeginPage()
{
    if (!FJob || !FJob->painter.isActive())
        return false;
    if (FJob->pages > 0 && !nextSheet())
        return false;
    if (++FJob->pages == 1)
        FJob->layout = FDevice->pageLayout();
    // Drawing starts at the printable area's corner, as on devices that cannot reach the paper's
    // edge; callers shift by the unprintable margins to measure from the paper's edge. The
    // printer's correction applies to the paper's coordinates, so it comes outermost.
    FJob->origin = PhysicalOffset();
    FJob->painter.setTransform(FJob->calibration);
    FJob->painter.translate(FJob->origin);
    return true;
}

void TfrxPrinter::EndPage() {}

// The spooler prints a job on one paper, so a page on another paper starts a job of its own.
bool TfrxPrinter::nextSheet()
{
    const QPageLayout layout = FDevice->pageLayout();
    if (layout.isEquivalentTo(FJob->layout) && layout.orientation() == FJob->layout.orientation())
        return FDevice->newPage();
    // The spooler is told the job's paper when the job ends: end it on its own paper.
    FDevice->setPageLayout(FJob->layout);
    const bool ended = FJob->painter.end();
    FDevice->setPageLayout(layout);
    FJob->layout = layout;
    return ended && FJob->painter.begin(FDevice.get());
}

bool TfrxPrinter::EndDoc()
{
    if (!FJob)
        return true;
    const bool ended = !FJob->painter.isActive() || FJob->painter.end();
    FJob.reset();
    FPrinting = false;
    ResetJobChoices();
    return ended;
}

void TfrxPrinter::Abort()
{
    if (FJob && FJob->painter.isActive())
        FDevice->abort();
    if (FJob && FJob->rawJobId > 0)
        cupsCancelJob(FName.toUtf8().constData(), FJob->rawJobId);
    EndDoc();
}

// Choices made in the printer's own dialog last for one job.
void TfrxPrinter::ResetJobChoices()
{
    TfrxCustomPrinter::ResetJobChoices();
    if (!FDevice)
        return;
    if (FDefBin >= 1)
        FDevice->setPaperSource(QPrinter::PaperSource(FDefBin - 1));
    FDevice->setDuplex(qtDuplex(FDefDuplex));
    FDevice->setOutputFileName(QString());
}

bool TfrxPrinter::BeginRAWDoc()
{
    if (!FInitialized || FJob)
        return false;
    auto job = std::make_unique<Job>();
    const QByteArray title = FTitle.toUtf8();
    if (!FFileName.isEmpty()) {
        job->rawFile = std::make_unique<QFile>(FFileName);
        if (!job->rawFile->open(QIODevice::WriteOnly))
            return false;
    } else {
        const QByteArray name = FName.toUtf8();
        job->rawJobId = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), title.constData(), 0, nullptr);
        if (job->rawJobId <= 0 || cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job->rawJobId,
                                                    title.constData(), CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE)
            return false;
    }
    FJob = std::move(job);
    FPrinting = true;
    return true;
}

bool TfrxPrinter::WriteRAWDoc(const QByteArray &buffer)
{
    if (!FJob)
        return false;
    if (FJob->rawFile)
        return FJob->rawFile->write(buffer) == buffer.size();
    return cupsWriteRequestData(CUPS_HTTP_DEFAULT, buffer.constData(), size_t(buffer.size())) == HTTP_STATUS_CONTINUE;
}

bool TfrxPrinter::EndRAWDoc()
{
    if (!FJob)
        return false;
    bool finished = true;
    if (FJob->rawFile)
        finished = FJob->rawFile->flush();
    else if (FJob->rawJobId > 0)
        finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, FName.toUtf8().constData()) == IPP_STATUS_OK;
    FJob.reset();
    FPrinting = false;
    return finished;
}

bool TfrxPrinter::PropertiesDlg()
{
    if (!FInitialized)
        return false;
    const int duplexBefore = duplexCode(FDevice->duplex());
    QPageSetupDialog dialog(FDevice.get(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    FBin = int(FDevice->paperSource()) + 1;
    if (const int chosen = duplexCode(FDevice->duplex()); chosen != duplexBefore)
        FDuplex = chosen;
    UpdateDeviceCaps();
    return true;
}

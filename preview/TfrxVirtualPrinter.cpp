#include "TfrxVirtualPrinter.h"

#include "zorPaper.h"

#include <QPageSize>

namespace {

// The common name of a standard paper ("A4", "Letter"), or its size for the rarer ones.
QString paperName(int number)
{
    const QPageSize::PageSizeId id = QPageSize::id(number);
    if (id != QPageSize::Custom)
        return QPageSize::name(id);
    double width = 0;
    double height = 0;
    zorGetPaperDimensions(number, width, height);
    return QStringLiteral("%1 x %2 mm").arg(width).arg(height);
}

} // namespace

void TfrxVirtualPrinter::Init()
{
    if (FInitialized)
        return;
    FDPI = QPointF(600, 600);
    FDefPaper = 9;
    FDefOrientation = zor::poPortrait;
    FDefPaperWidth = 210;
    FDefPaperHeight = 297;
    resetLists();
    for (int number : zorPaperNumbers())
        FPapers.append({paperName(number), number});
    FBin = none;
    FDuplex = none;
    FInitialized = true;
    // Until asked otherwise it holds A4 portrait, like a freshly installed printer.
    SetViewParams(FDefPaper, FDefPaperWidth, FDefPaperHeight, FDefOrientation);
}

void TfrxVirtualPrinter::SetViewParams(int paperSize, double paperWidth, double paperHeight,
                                       zor::TPrinterOrientation orientation)
{
    double width = 0;
    double height = 0;
    if (zorGetPaperDimensions(paperSize, width, height)) {
        if (orientation == zor::poLandscape)
            std::swap(width, height);
        FPaper = paperSize;
        FPaperWidth = width;
        FPaperHeight = height;
    } else {
        FPaper = customPaper;
        FPaperWidth = paperWidth;
        FPaperHeight = paperHeight;
    }
    FOrientation = orientation;
    FLeftMargin = FTopMargin = FRightMargin = FBottomMargin = 5;
}

void TfrxVirtualPrinter::SetPrintParams(int paperSize, double paperWidth, double paperHeight,
                                        zor::TPrinterOrientation orientation, int bin, int, int)
{
    SetViewParams(paperSize, paperWidth, paperHeight, orientation);
    FBin = bin;
}

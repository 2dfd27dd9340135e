#include "TfrxReportPage.h"

#include "TfrxBands.h"
#include "TfrxDataSet.h"
#include "TfrxFrame.h"
#include "TfrxPictureView.h"
#include "TfrxSubreport.h"
#include "TfrxView.h"
#include "zorPaper.h"

using namespace zor;

TfrxReportPage::TfrxReportPage(QObject *owner) : TfrxPage(owner), FBackPicture(new TfrxPictureView(nullptr))
{
    // The background holder is the page's own object, outside the tree.
    FBackPicture->QObject::setParent(this);
    FBackPicture->SetKeepAspectRatio(false);
    SetBaseName(QStringLiteral("Page"));
    UpdateDimensions();
}

QString TfrxReportPage::GetDescription() const
{
    return QStringLiteral("Report page");
}

void TfrxReportPage::SetOrientation(TPrinterOrientation value)
{
    if (value == FOrientation)
        return;
    FOrientation = value;
    std::swap(FPaperWidth, FPaperHeight);
    const double l = FLeftMargin, r = FRightMargin, t = FTopMargin, b = FBottomMargin;
    if (value == poLandscape) {
        FLeftMargin = t;
        FRightMargin = b;
        FTopMargin = r;
        FBottomMargin = l;
    } else {
        FLeftMargin = b;
        FRightMargin = t;
        FTopMargin = l;
        FBottomMargin = r;
    }
    UpdateDimensions();
}

void TfrxReportPage::SetPaperWidth(double value)
{
    FPaperWidth = Round8(value);
    FPaperSize = 256;
    UpdateDimensions();
}

void TfrxReportPage::SetPaperHeight(double value)
{
    FPaperHeight = Round8(value);
    FPaperSize = 256;
    UpdateDimensions();
}

void TfrxReportPage::SetPaperSize(int value)
{
    FPaperSize = value;
    double w = 0, h = 0;
    if (value < 256 && zorGetPaperDimensions(value, w, h)) {
        if (FOrientation == poLandscape)
            std::swap(w, h);
        FPaperWidth = w;
        FPaperHeight = h;
    }
    UpdateDimensions();
}

void TfrxReportPage::SetSizeAndDimensions(int size, double width, double height)
{
    FPaperSize = size;
    FPaperWidth = Round8(width);
    FPaperHeight = Round8(height);
    UpdateDimensions();
}

void TfrxReportPage::UpdateDimensions()
{
    SetWidth(Nearest(FPaperWidth * fr01cm));
    SetHeight(Nearest(FPaperHeight * fr01cm));
}

void TfrxReportPage::SetDefaults()
{
    FLeftMargin = FRightMargin = FTopMargin = FBottomMargin = 10;
    FOrientation = poPortrait;
    SetPaperSize(9);
}

void TfrxReportPage::SetColumns(int value)
{
    FColumns = std::clamp(value, 0, MaxColumns);
    FColumnPositions.clear();
    if (FColumns <= 0)
        return;
    FColumnWidth = (FPaperWidth - FLeftMargin - FRightMargin) / FColumns;
    for (int i = 0; i < FColumns; ++i)
        FColumnPositions.append(FloatText(i * FColumnWidth));
}

QImage TfrxReportPage::BackPicture() const
{
    return FBackPicture->Picture();
}

void TfrxReportPage::SetBackPicture(const QImage &value)
{
    FBackPicture->SetPicture(value);
}

void TfrxReportPage::SetPageCount(int value)
{
    if (value >= 1)
        FPageCount = value;
}

int TfrxReportPage::Color() const
{
    return FBackPicture->Color();
}

void TfrxReportPage::SetColor(int value)
{
    FBackPicture->SetColor(value);
}

TfrxFrame *TfrxReportPage::Frame() const
{
    return FBackPicture->Frame();
}

void TfrxReportPage::SetFrame(TfrxFrame *value)
{
    FBackPicture->SetFrame(value);
}

TfrxDataSet *TfrxReportPage::DataSet() const
{
    return FDataSet;
}

void TfrxReportPage::SetDataSet(TfrxDataSet *value)
{
    FDataSet = value;
    FDataSetName = value != nullptr ? value->UserName() : QString();
}

QString TfrxReportPage::DataSetName() const
{
    return FDataSet != nullptr ? FDataSet->UserName() : FDataSetName;
}

void TfrxReportPage::SetDataSetName(const QString &value)
{
    FDataSetName = value;
    FDataSet = FindDataSet(FDataSet, value);
}

void TfrxReportPage::ClearGuides()
{
    FHGuides.clear();
    FVGuides.clear();
}

// The placeholder forgets the page while the page is still whole: it may be one of the children
// that are freed after this body has run.
TfrxReportPage::~TfrxReportPage()
{
    if (FSubReport != nullptr)
        FSubReport->SetPage(nullptr);
}

TfrxSubreport *TfrxReportPage::SubReport() const
{
    return FSubReport;
}

void TfrxReportPage::SetSubReport(TfrxSubreport *value)
{
    FSubReport = value;
}

TfrxBand *TfrxReportPage::FindBand(const QMetaObject *bandClass) const
{
    for (TfrxComponent *c : Objects()) {
        if (auto *band = qobject_cast<TfrxBand *>(c); band != nullptr && band->metaObject()->inherits(bandClass))
            return band;
    }
    return nullptr;
}

void TfrxReportPage::Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    FBackPicture->SetBounds(0, 0, (FPaperWidth - FLeftMargin - FRightMargin) * fr01cm,
                            (FPaperHeight - FTopMargin - FBottomMargin) * fr01cm);
    if (!FBackPictureVisible || (IsPrinting() && !FBackPicturePrintable))
        return;
    FBackPicture->Draw(canvas, scaleX, scaleY, offsetX + scaleX * FLeftMargin * fr01cm,
                       offsetY + scaleY * FTopMargin * fr01cm);
}

void TfrxReportPage::AlignChildren()
{
    const double printableWidth = (FPaperWidth - FLeftMargin - FRightMargin) * fr01cm;
    const double printableHeight = (FPaperHeight - FTopMargin - FBottomMargin) * fr01cm;
    SetWidth(printableWidth);
    SetHeight(printableHeight);
    TfrxPage::AlignChildren();
    for (TfrxComponent *c : Objects()) {
        auto *band = qobject_cast<TfrxBand *>(c);
        if (band == nullptr)
            continue;
        if (band->Vertical())
            band->SetHeight(printableHeight - band->Top());
        else
            band->SetWidth(BandWidth(band));
        band->AlignChildren();
    }
    UpdateDimensions();
}

double TfrxReportPage::BandWidth(const TfrxBand *band) const
{
    const bool fullWidth = qobject_cast<const TfrxNullBand *>(band) || qobject_cast<const TfrxReportSummary *>(band)
        || qobject_cast<const TfrxPageHeader *>(band) || qobject_cast<const TfrxPageFooter *>(band)
        || qobject_cast<const TfrxReportTitle *>(band) || qobject_cast<const TfrxOverlay *>(band);
    if (FColumns > 1 && !fullWidth)
        return FColumnWidth * fr01cm;
    return (FPaperWidth - FLeftMargin - FRightMargin) * fr01cm - band->Left();
}

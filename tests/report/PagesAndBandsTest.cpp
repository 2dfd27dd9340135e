// Pages and bands: paper, orientation, margins, columns, band names and numbers, child chains.

#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxError.h"
#include "TfrxProperties.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxShapeView.h"
#include "TfrxSubreport.h"

#include <QImage>
#include <QPainter>
#include "TfrxUserDataSet.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace zor;

namespace {

TEST(ReportPage, NewPageIsA4Portrait)
{
    TfrxReportPage page;
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 297);
    EXPECT_DOUBLE_EQ(page.Width(), 794);
    EXPECT_DOUBLE_EQ(page.Height(), 1123);
    EXPECT_EQ(page.BaseName(), QStringLiteral("Page"));
}

TEST(ReportPage, OrientationTurnsPaperAndMargins)
{
    TfrxReportPage page;
    page.SetLeftMargin(10);
    page.SetRightMargin(20);
    page.SetTopMargin(30);
    page.SetBottomMargin(40);
    page.SetOrientation(poLandscape);
    EXPECT_EQ(QList<double>({page.LeftMargin(), page.RightMargin(), page.TopMargin(), page.BottomMargin()}),
              QList<double>({30, 40, 20, 10}));
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 297);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 210);
    page.SetOrientation(poLandscape);  // the same orientation changes nothing
    EXPECT_DOUBLE_EQ(page.LeftMargin(), 30);
    page.SetOrientation(poPortrait);
    EXPECT_EQ(QList<double>({page.LeftMargin(), page.RightMargin(), page.TopMargin(), page.BottomMargin()}),
              QList<double>({10, 20, 30, 40}));
}

TEST(ReportPage, PaperSizesFromTheTable)
{
    const struct {
        TPrinterOrientation Orientation;
        int Size;
        double Width, Height;
        int ExpectedSize;
    } cases[] = {
        {poLandscape, 11, 210, 148, 11},  // the certificate's A5 landscape page
        {poPortrait, 11, 148, 210, 11},
        {poPortrait, 8, 297, 420, 8},
        {poPortrait, 48, 210, 297, 48},   // unknown number: the size stays
        {poPortrait, 300, 210, 297, 300}, // custom numbers change only the number
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Size);
        TfrxReportPage page;
        page.SetOrientation(c.Orientation);
        page.SetPaperSize(c.Size);
        EXPECT_EQ(page.PaperSize(), c.ExpectedSize);
        EXPECT_DOUBLE_EQ(page.PaperWidth(), c.Width);
        EXPECT_DOUBLE_EQ(page.PaperHeight(), c.Height);
    }
    TfrxReportPage page;
    page.SetOrientation(poLandscape);
    page.SetPaperSize(11);
    EXPECT_DOUBLE_EQ(page.Width(), 794);
    EXPECT_DOUBLE_EQ(page.Height(), 559);
    page.SetPaperWidth(200);
    EXPECT_EQ(page.PaperSize(), 256);
}

TEST(ReportPage, CertificatePageReadInStoredOrder)
{
    // Attributes as the certificate template stores them, applied in their order.
    const std::pair<const char16_t *, const char *> attributes[] = {
        {u"Font.Name", "Times New Roman"}, {u"Orientation", "poLandscape"}, {u"PaperWidth", "210"},
        {u"PaperHeight", "148"},           {u"PaperSize", "11"},            {u"LeftMargin", "10"},
        {u"RightMargin", "10"},            {u"TopMargin", "10"},            {u"BottomMargin", "10"},
    };
    TfrxReportPage page;
    for (const auto &[path, value] : attributes)
        ASSERT_TRUE(TfrxProperties::Write(&page, path, QString::fromLatin1(value)));
    EXPECT_EQ(page.PaperSize(), 11);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 148);
    EXPECT_DOUBLE_EQ(page.Width(), 794);
    EXPECT_DOUBLE_EQ(page.Height(), 559);
    EXPECT_DOUBLE_EQ(page.LeftMargin(), 10);
    EXPECT_NEAR((page.PaperWidth() - page.LeftMargin() - page.RightMargin()) * fr01cm, 718.1107, 1e-9);
}

TEST(ReportPage, ColumnsDivideThePrintableWidth)
{
    TfrxReportPage page;
    page.SetDefaults();
    page.SetColumns(3);
    EXPECT_NEAR(page.ColumnWidth(), 63.3333333, 1e-6);
    ASSERT_EQ(page.ColumnPositions().size(), 3);
    EXPECT_EQ(page.ColumnPositions().at(0), QStringLiteral("0"));
    EXPECT_NEAR(QLocale().toDouble(page.ColumnPositions().at(2)), 126.666666, 1e-5);
    // A count from a template is bounded before lists are built.
    page.SetColumns(1 << 30);
    EXPECT_EQ(page.Columns(), TfrxReportPage::MaxColumns);
    page.SetColumns(-5);
    EXPECT_EQ(page.Columns(), 0);
    EXPECT_TRUE(page.ColumnPositions().isEmpty());
}

TEST(ReportPage, PageCountBelowOneIsIgnored)
{
    TfrxReportPage page;
    page.SetPageCount(0);
    EXPECT_EQ(page.PageCount(), 1);
    page.SetPageCount(3);
    EXPECT_EQ(page.PageCount(), 3);
}

TEST(ReportPage, AlignChildrenSizesBandsToThePrintableArea)
{
    TfrxReportPage page;
    page.SetDefaults();
    auto *title = new TfrxReportTitle(&page);
    auto *data = new TfrxMasterData(&page);
    data->SetLeft(10);
    page.AlignChildren();
    EXPECT_NEAR(title->Width(), 190 * fr01cm, 1e-9);
    EXPECT_NEAR(data->Width(), 190 * fr01cm - 10, 1e-9);
    EXPECT_DOUBLE_EQ(page.Width(), 794);
    page.SetColumns(2);
    page.AlignChildren();
    EXPECT_NEAR(data->Width(), 95 * fr01cm, 1e-9);
    EXPECT_NEAR(title->Width(), 190 * fr01cm, 1e-9);
    EXPECT_EQ(page.FindBand(&TfrxDataBand::staticMetaObject), data);
    EXPECT_EQ(page.FindBand(&TfrxFooter::staticMetaObject), nullptr);
}

TEST(ReportPage, DrawsItsBackgroundInsideTheMargins)
{
    TfrxReportPage page;
    page.SetDefaults();
    page.SetColor(clRed);
    QImage image(800, 1130, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        page.Draw(&p, 1, 1, 0, 0);
    }
    EXPECT_EQ(image.pixel(400, 500), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(36, 500), qRgb(255, 255, 255));  // inside the 10 mm margin
    EXPECT_EQ(image.pixel(39, 500), qRgb(255, 0, 0));
    page.SetBackPicturePrintable(false);
    page.SetIsPrinting(true);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        page.Draw(&p, 1, 1, 0, 0);
    }
    EXPECT_EQ(image.pixel(400, 500), qRgb(255, 255, 255));
}

TEST(Subreport, PageAndPlaceholderLinkBothWays)
{
    TfrxReport report;
    auto *host = new TfrxReportPage(&report);
    auto *shown = new TfrxReportPage(&report);
    auto *sub = new TfrxSubreport(host);
    sub->SetPage(shown);
    EXPECT_EQ(shown->SubReport(), sub);
    EXPECT_TRUE(shown->IsSubReport());
    delete sub;
    EXPECT_FALSE(shown->IsSubReport());
    auto *sub2 = new TfrxSubreport(host);
    sub2->SetPage(shown);
    delete shown;
    EXPECT_EQ(sub2->Page(), nullptr);

    // A placeholder that shows the very page it lies on (a damaged template) goes with that page.
    auto *self = new TfrxSubreport(host);
    self->SetPage(host);
    delete host;
}

TEST(Bands, NamesAndNumbers)
{
    const struct {
        TfrxBand *Band;
        const char *Name;
        int Number;
    } cases[] = {
        {new TfrxReportTitle, "ReportTitle", 0},  {new TfrxPageHeader, "PageHeader", 2},
        {new TfrxMasterData, "MasterData", 6},    {new TfrxDataBand6, "Data6", 11},
        {new TfrxDataBand, "Data", -1},           {new TfrxGroupFooter, "GroupFooter", 13},
        {new TfrxOverlay, "Overlay", 17},         {new TfrxNullBand, "Null", -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(c.Band->GetBandName(), QString::fromLatin1(c.Name));
        EXPECT_EQ(c.Band->BandNumber(), c.Number);
        delete c.Band;
    }
}

TEST(Bands, ChildChainsMayNotCloseACircle)
{
    TfrxReportPage page;
    auto *a = new TfrxChild(&page);
    auto *b = new TfrxChild(&page);
    auto *header = new TfrxHeader(&page);
    a->SetChild(b);
    header->SetChild(a);
    for (const auto &[band, child] : {std::pair<TfrxBand *, TfrxChild *>{b, a}, {a, a}}) {
        try {
            band->SetChild(child);
            ADD_FAILURE() << "no error";
        } catch (const TfrxError &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Circular child reference is not allowed"));
        }
    }
    EXPECT_EQ(b->Child(), nullptr);
    EXPECT_EQ(a->Child(), b);
    delete b;  // a removed child drops out of the chain
    EXPECT_EQ(a->Child(), nullptr);
}

TEST(Bands, DataBandRunsRowCountRecordsWithoutADataSet)
{
    for (const int rows : {3, 0}) {
        SCOPED_TRACE(rows);
        TfrxMasterData band;
        band.SetRowCount(rows);
        TfrxDataSet *ds = band.EffectiveDataSet();
        int records = 0;
        for (ds->First(); !ds->Eof(); ds->Next())
            ++records;
        EXPECT_EQ(records, rows);
    }
}

TEST(Bands, ColumnsOfADataBand)
{
    TfrxMasterData band;
    band.SetColumns(3);
    band.SetColumnWidth(100);
    band.SetColumnGap(10);
    band.MaxY = 50;
    band.SetCurColumn(3);
    EXPECT_DOUBLE_EQ(band.Left(), 220);
    EXPECT_DOUBLE_EQ(band.MaxY, 50);
    band.SetCurColumn(4);
    EXPECT_EQ(band.CurColumn(), 1);
    EXPECT_DOUBLE_EQ(band.Left(), 0);
    EXPECT_DOUBLE_EQ(band.MaxY, 0);
}

TEST(Bands, GroupHeaderDiffCarriesTheDrillName)
{
    TfrxGroupHeader a, b;
    a.SetDrillName(QStringLiteral("g1"));
    EXPECT_EQ(a.Diff(&b), QStringLiteral(" t=\"0\""));
    a.SetDrillDown(true);
    EXPECT_EQ(a.Diff(&b), QStringLiteral(" t=\"0\" DrillName=\"g1\""));
}

}  // namespace

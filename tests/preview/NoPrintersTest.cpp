// Run with CUPS_SERVER naming a socket where no spooler answers.
#include "FakePreviewPages.h"
#include "TfrxCustomPrinter.h"
#include "TfrxPageSettingsForm.h"
#include "TfrxPrintRun.h"
#include "TfrxPrinters.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "zorPrinterTexts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QRadioButton>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(NoPrinters, TheVirtualPrinterStandsIn)
{
    TfrxPrinters *printers = zorPrinters();
    EXPECT_FALSE(printers->HasPhysicalPrinters());
    EXPECT_EQ(printers->Printers(), QStringList{QStringLiteral("Virtual")});
    EXPECT_EQ(printers->PrinterIndex(), 0);
    TfrxCustomPrinter *printer = printers->Printer();
    ASSERT_NE(printer, nullptr);
    EXPECT_TRUE(printer->Initialized());
    EXPECT_EQ(printer->DPI(), QPointF(600, 600));
    // Page set-up still works on it.
    printer->SetViewParams(11, 0, 0, zor::poLandscape);
    EXPECT_EQ(printer->PaperWidth(), 210);
    EXPECT_EQ(printer->PaperHeight(), 148);
}

TEST(NoPrinters, PrintingSaysSoAndPageSettingsStillWork)
{
    registerFakeEngine();
    TfrxReport report;
    auto *pages = static_cast<FakePreviewPages *>(report.PreviewPages());
    pages->AddPage(QSizeF(210, 297), false, 9);
    QStringList errors;
    zorSetPrinterErrorHandler([&errors](const QString &message) { errors << message; });
    EXPECT_FALSE(TfrxPrintRun(report, *pages).Print());
    EXPECT_EQ(errors, QStringList{QStringLiteral("No printers installed on your system")});
    zorSetPrinterErrorHandler({});

    // The page settings take their papers from the virtual printer.
    TfrxPageSettingsForm form(report, 0);
    auto *paper = form.findChild<QComboBox *>(QStringLiteral("PaperCB"));
    paper->setCurrentIndex(paper->findData(11));
    form.findChild<QRadioButton *>(QStringLiteral("LandscapeRB"))->setChecked(true);
    EXPECT_DOUBLE_EQ(form.findChild<QDoubleSpinBox *>(QStringLiteral("WidthE"))->value(), 21.0);
    EXPECT_DOUBLE_EQ(form.findChild<QDoubleSpinBox *>(QStringLiteral("HeightE"))->value(), 14.8);
    form.accept();
    EXPECT_EQ(pages->GetPage(0)->Orientation(), zor::poLandscape);
    EXPECT_DOUBLE_EQ(pages->GetPage(0)->PaperWidth(), 210);
    EXPECT_EQ(pages->GetPage(0)->PaperSize(), 11);
}

} // namespace

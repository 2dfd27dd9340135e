// Run with CUPS_SERVER naming a socket where no spooler answers.
#include "TfrxCustomPrinter.h"
#include "TfrxPrinters.h"

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

} // namespace

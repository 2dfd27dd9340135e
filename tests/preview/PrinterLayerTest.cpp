#include "TfrxVirtualPrinter.h"
#include "zorPaper.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(PaperTable, KnowsTheStandardPapersInMillimetres)
{
    EXPECT_EQ(zorPaperNumbers().size(), 66);
    const struct
    {
        int number;
        double width, height;
    } papers[] = {{1, 215.9, 279.4}, {8, 297, 420}, {9, 210, 297}, {11, 148, 210}, {4, 431.8, 279.4}, {68, 322, 445}};
    for (const auto &p : papers) {
        double width = 0, height = 0;
        ASSERT_TRUE(zorGetPaperDimensions(p.number, width, height)) << p.number;
        EXPECT_DOUBLE_EQ(width, p.width) << p.number;
        EXPECT_DOUBLE_EQ(height, p.height) << p.number;
    }
    double width = 0, height = 0;
    for (int missing : {0, 48, 49, 69, 256, -1})
        EXPECT_FALSE(zorGetPaperDimensions(missing, width, height)) << missing;
}

TEST(VirtualPrinter, StandsInWithEveryPaperAt600Dpi)
{
    TfrxVirtualPrinter printer(QStringLiteral("Virtual"), QString());
    printer.Init();
    ASSERT_TRUE(printer.Initialized());
    EXPECT_EQ(printer.DPI(), QPointF(600, 600));
    EXPECT_EQ(printer.Papers().size(), 67);
    EXPECT_EQ(printer.Papers().front(), (TfrxPrinterItem{QStringLiteral("Custom"), 256}));
    EXPECT_EQ(printer.Bins(), (QList<TfrxPrinterItem>{{QStringLiteral("Default"), 7}}));
    EXPECT_EQ(printer.Papers()[printer.PaperIndex(9)].name, QStringLiteral("A4"));
    EXPECT_EQ(printer.Paper(), 9);
    EXPECT_EQ(printer.PaperWidth(), 210);

    printer.SetViewParams(11, 0, 0, zor::poLandscape);
    EXPECT_EQ(printer.Paper(), 11);
    EXPECT_EQ(printer.PaperWidth(), 210);
    EXPECT_EQ(printer.PaperHeight(), 148);
    for (double margin : {printer.LeftMargin(), printer.TopMargin(), printer.RightMargin(), printer.BottomMargin()})
        EXPECT_EQ(margin, 5);

    printer.SetViewParams(999, 100, 50, zor::poPortrait);
    EXPECT_EQ(printer.Paper(), 256) << "a number outside the table is a custom size";
    EXPECT_EQ(printer.PaperWidth(), 100);
    EXPECT_EQ(printer.PaperHeight(), 50);

    printer.SetPrintParams(9, 0, 0, zor::poPortrait, 3, 0, 1);
    EXPECT_EQ(printer.Bin(), 3);
    EXPECT_FALSE(printer.BeginDoc()) << "the virtual printer prints nothing";
}

TEST(VirtualPrinter, LooksUpNamesAndNumbers)
{
    TfrxVirtualPrinter printer(QStringLiteral("Virtual"), QString());
    printer.Init();
    EXPECT_EQ(printer.BinNameToNumber(QStringLiteral("no such source")), 7);
    EXPECT_EQ(printer.PaperNameToNumber(QStringLiteral("no such paper")), 256);
    EXPECT_EQ(printer.PaperNameToNumber(QStringLiteral("A5")), 11);
    EXPECT_EQ(printer.Papers()[printer.PaperIndex(11)].name, QStringLiteral("A5"));
    EXPECT_EQ(printer.PaperIndex(48), -1);
    EXPECT_EQ(printer.BinIndex(7), 0);
    EXPECT_EQ(printer.BinIndex(2), -1);
}

} // namespace

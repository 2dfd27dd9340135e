#include "zorPrintLayout.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct RangeCase
{
    const char *text;
    int total;
    const char *expected; // pages joined by spaces; nullptr: the text is refused
};

class PageRanges : public ::testing::TestWithParam<RangeCase>
{
};

TEST_P(PageRanges, ListThePagesToPrint)
{
    const RangeCase &c = GetParam();
    QStringList list{QStringLiteral("stale")};
    const bool parsed = zorParsePageNumbers(QString::fromLatin1(c.text), list, c.total);
    if (!c.expected) {
        EXPECT_FALSE(parsed);
        EXPECT_TRUE(list.isEmpty());
        return;
    }
    EXPECT_TRUE(parsed);
    EXPECT_EQ(list.join(u' '), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, PageRanges,
                         ::testing::Values(RangeCase{"", 5, ""},              // all pages
                                           RangeCase{"1,3-5", 5, "1 3 4 5"},
                                           RangeCase{"2-", 5, "2 3 4 5"},
                                           RangeCase{"5-3", 5, ""},
                                           RangeCase{" 1 , 2 - 3 ", 5, "1 2 3"},
                                           RangeCase{"3,1,1", 5, "3 1 1"},   // order and repeats kept
                                           RangeCase{"9", 5, "9"},           // skipped when printing
                                           RangeCase{"0-2", 5, "1 2"},
                                           RangeCase{"4-2000000000", 5, "4 5"}, // never allocates the range
                                           RangeCase{",5", 5, nullptr},
                                           RangeCase{"-5", 5, nullptr},
                                           RangeCase{"1,x", 5, nullptr},
                                           RangeCase{"1--3", 5, ""},             // 1 down to -3: nothing
                                           RangeCase{"99999999999", 5, nullptr}));

TEST(SheetCounts, SplitAPageOverSheets)
{
    // A3 on A4: two sheets, the A4 turned (landscape A4 halves of A3 portrait).
    const TfrxSheetCount a3 = zorSplitPage(QSizeF(297, 420), QSizeF(210, 297));
    EXPECT_EQ(a3.across * a3.down, 2);
    EXPECT_TRUE(a3.turned);
    // A page that fits is one sheet.
    const TfrxSheetCount a5 = zorSplitPage(QSizeF(148, 210), QSizeF(210, 297));
    EXPECT_EQ(a5.across * a5.down, 1);
    // A rest of 11 mm or more needs another sheet; less is rounded away (a square sheet, so that
    // turning it changes nothing).
    EXPECT_EQ(zorSplitPage(QSizeF(211, 100), QSizeF(200, 200)).across, 2);
    EXPECT_EQ(zorSplitPage(QSizeF(209, 100), QSizeF(200, 200)).across, 1);
    EXPECT_EQ(zorSplitPage(QSizeF(390, 100), QSizeF(200, 200)).across, 2);
}

TEST(SheetCounts, JoinWholePagesOnASheet)
{
    // Two A5 landscape pages fit on A4 portrait, one above the other.
    const TfrxSheetCount a5 = zorJoinPages(QSizeF(210, 148), QSizeF(210, 297));
    EXPECT_EQ(a5.across, 1);
    EXPECT_EQ(a5.down, 2);
    EXPECT_FALSE(a5.turned);
    // Two A5 portrait pages need the sheet turned.
    const TfrxSheetCount portrait = zorJoinPages(QSizeF(148, 210), QSizeF(210, 297));
    EXPECT_EQ(portrait.across * portrait.down, 2);
    EXPECT_TRUE(portrait.turned);
    // A page larger than the sheet still takes one cell.
    const TfrxSheetCount big = zorJoinPages(QSizeF(420, 594), QSizeF(210, 297));
    EXPECT_EQ(big.across * big.down, 1);
}

} // namespace

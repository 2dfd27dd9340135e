// The designer's band layout on pages built in code: the printed order of the bands whatever
// their stored tops, stacking with the gaps, and putting views into the band under their top.

#include "TfrxBandLayout.h"
#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"

#include <gtest/gtest.h>

using namespace zor;

namespace {

QStringList Names(std::initializer_list<const char *> names)
{
    QStringList list;
    for (const char *name : names)
        list << QString::fromLatin1(name);
    return list;
}

// A pixel grid: captions of 16, gaps of 4, tops on multiples of 4, 40 between the groups.
const TfrxBandLayoutOptions pixelGrid{16, 4, 4, 40, false};

class BandLayout : public ::testing::Test
{
protected:
    template <typename Band> Band *AddBand(const char *name, double top, double height)
    {
        auto *band = new Band(&page);
        band->SetName(QString::fromLatin1(name));
        band->SetBounds(0, top, 718, height);
        return band;
    }

    TfrxMemoView *AddMemo(TfrxComponent *parent, double top, double height = 10)
    {
        auto *memo = new TfrxMemoView(parent);
        memo->SetBounds(20, top, 50, height);
        return memo;
    }

    QStringList Order() const
    {
        QStringList names;
        for (const TfrxBand *band :
             TfrxBandLayout(const_cast<TfrxReportPage *>(&page), pixelGrid).OrderedBands())
            names << band->Name();
        return names;
    }

    TfrxReportPage page;
};

TEST_F(BandLayout, FixedBandsTakeTheirPlacesWhateverTheirTops)
{
    AddBand<TfrxPageFooter>("Footer", 0, 20);
    AddBand<TfrxMasterData>("Data", 500, 30);
    AddBand<TfrxPageHeader>("Header", 300, 20);
    AddBand<TfrxReportSummary>("Summary", 1, 20);
    AddBand<TfrxReportTitle>("Title", 900, 20);
    AddBand<TfrxColumnHeader>("ColumnHeader", 2, 20);
    AddBand<TfrxColumnFooter>("ColumnFooter", 3, 20);
    EXPECT_EQ(Order(),
              Names({"Title", "Header", "ColumnHeader", "Data", "ColumnFooter", "Summary", "Footer"}));

    page.SetTitleBeforeHeader(false);
    EXPECT_EQ(Order().mid(0, 2), Names({"Header", "Title"}));
}

TEST_F(BandLayout, MiddleBandsSortByTheirTopAsNumbers)
{
    // Before the keys compared as numbers, a band at 10000 (where the band menu puts a new band)
    // came before one at 40: the text " 10000.00" sorts before "    40.00" once blanks are skipped.
    AddBand<TfrxMasterData>("New", 10000, 20);
    AddBand<TfrxHeader>("Old", 40, 20);
    AddBand<TfrxFooter>("Million", 1000000, 20);
    EXPECT_EQ(Order(), Names({"Old", "New", "Million"}));
}

TEST_F(BandLayout, BandsAtTheSameTopKeepTheirOrder)
{
    AddBand<TfrxMasterData>("A", 100.001, 20);
    AddBand<TfrxMasterData>("B", 100.004, 20);
    AddBand<TfrxMasterData>("C", 99.999, 20);
    EXPECT_EQ(Order(), Names({"A", "B", "C"}));
}

TEST_F(BandLayout, ChildBandsFollowTheirParentsChain)
{
    auto *data = AddBand<TfrxMasterData>("Data", 100, 20);
    auto *grandchild = AddBand<TfrxChild>("Grandchild", 5, 20);
    auto *child = AddBand<TfrxChild>("Child", 700, 20);
    AddBand<TfrxPageHeader>("Header", 400, 20);
    AddBand<TfrxFooter>("Footer", 300, 20);
    data->SetChild(child);
    child->SetChild(grandchild);
    EXPECT_EQ(Order(), Names({"Header", "Data", "Child", "Grandchild", "Footer"}));
}

TEST_F(BandLayout, StacksBandsWithGapsBeforeAndAfterTheMiddle)
{
    auto *footer = AddBand<TfrxPageFooter>("Footer", 0, 20);
    auto *data = AddBand<TfrxMasterData>("Data", 500, 30);
    auto *header = AddBand<TfrxPageHeader>("Header", 300, 20);
    TfrxBandLayout(&page, pixelGrid).Adjust(false);
    EXPECT_DOUBLE_EQ(header->Top(), 16);
    // 16 + 20 + 16 + 4 = 56 on the grid, and the extra gap after the top bands.
    EXPECT_DOUBLE_EQ(data->Top(), 96);
    // 96 + 30 + 16 + 4 = 146 is 36.5 grid steps, rounded to the even 36; then the gap before
    // the bottom bands.
    EXPECT_DOUBLE_EQ(footer->Top(), 184);
}

TEST_F(BandLayout, ChildBandsStandInTheirParentsGroup)
{
    auto *header = AddBand<TfrxPageHeader>("Header", 0, 20);
    auto *child = AddBand<TfrxChild>("Child", 50, 20);
    auto *data = AddBand<TfrxMasterData>("Data", 60, 20);
    header->SetChild(child);
    TfrxBandLayout(&page, pixelGrid).Adjust(false);
    EXPECT_DOUBLE_EQ(child->Top(), 56);     // no extra gap: still the top group
    EXPECT_DOUBLE_EQ(data->Top(), 96 + 40); // the extra gap comes after the child
}

TEST_F(BandLayout, FreePlacementKeepsTheTops)
{
    auto *data = AddBand<TfrxMasterData>("Data", 333.3, 30);
    TfrxBandLayoutOptions free = pixelGrid;
    free.FreePlacement = true;
    TfrxBandLayout(&page, free).Adjust(true);
    EXPECT_DOUBLE_EQ(data->Top(), 333.3);
}

TEST_F(BandLayout, RestrictedBandsAreStackedToo)
{
    auto *data = AddBand<TfrxMasterData>("Data", 333, 30);
    data->SetIsDesigning(true);
    data->SetRestrictions(rfDontMove);
    TfrxBandLayout(&page, pixelGrid).Adjust(false);
    EXPECT_DOUBLE_EQ(data->Top(), 16);
}

TEST_F(BandLayout, ViewsGoIntoTheBandUnderTheirTop)
{
    auto *header = AddBand<TfrxPageHeader>("Header", 16, 20);
    auto *data = AddBand<TfrxMasterData>("Data", 96, 30);
    TfrxMemoView *loose = AddMemo(&page, 100);        // on the page, over the data band
    TfrxMemoView *below = AddMemo(header, 85);        // in the header, but drawn over the data band
    TfrxMemoView *atBottom = AddMemo(&page, 96 + 30); // still counts as the band's, within 0.0001
    TfrxMemoView *justBelow = AddMemo(&page, 96 + 30.01);
    TfrxMemoView *pinned = AddMemo(&page, 20); // may not be moved by the operator
    pinned->SetIsDesigning(true);
    pinned->SetRestrictions(rfDontMove);
    TfrxBandLayout(&page, pixelGrid).Adjust(true);

    EXPECT_EQ(loose->Parent(), data);
    EXPECT_DOUBLE_EQ(loose->Top(), 4);
    EXPECT_EQ(below->Parent(), data);
    EXPECT_DOUBLE_EQ(below->AbsTop(), 16 + 85);
    EXPECT_EQ(atBottom->Parent(), data);
    EXPECT_EQ(justBelow->Parent(), &page);
    EXPECT_EQ(pinned->Parent(), header);
    EXPECT_DOUBLE_EQ(pinned->Top(), 4);
    EXPECT_DOUBLE_EQ(pinned->Left(), 20);
}

TEST_F(BandLayout, ViewsKeepTheirOrderWhenNothingMoves)
{
    auto *data = AddBand<TfrxMasterData>("Data", 16, 100);
    TfrxMemoView *first = AddMemo(data, 10);
    TfrxMemoView *second = AddMemo(data, 5);
    TfrxBandLayout(&page, pixelGrid).Adjust(true);
    EXPECT_EQ(data->Objects(), QList<TfrxComponent *>({first, second}));
}

TEST_F(BandLayout, BandsComeFirstInTheDesignersList)
{
    auto *data = AddBand<TfrxMasterData>("Data", 16, 100);
    TfrxMemoView *memo = AddMemo(&page, 300);
    TfrxReport report;
    QList<TfrxComponent *> objects = {memo, &report, data, &page};
    TfrxBandLayout::PutBandsFirst(objects);
    EXPECT_EQ(objects, QList<TfrxComponent *>({data, memo, &report, &page}));
}

} // namespace

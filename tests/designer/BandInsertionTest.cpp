// The band menu: the class of each item, and where a new band goes with and without free band
// placement.

#include "DesignedPage.h"
#include "TfrxBandInsertion.h"
#include "TfrxBands.h"
#include "TfrxDataBand.h"

#include <gtest/gtest.h>

using namespace zor;

namespace {

TEST(BandMenu, ClassOfEachItem)
{
    const char *const classes[] = {
        "TfrxReportTitle",  "TfrxReportSummary", "TfrxPageHeader",  "TfrxPageFooter",    "TfrxHeader",
        "TfrxFooter",       "TfrxMasterData",    "TfrxDetailData",  "TfrxSubdetailData", "TfrxDataBand4",
        "TfrxDataBand5",    "TfrxDataBand6",     "TfrxGroupHeader", "TfrxGroupFooter",   "TfrxChild",
        "TfrxColumnHeader", "TfrxColumnFooter",  "TfrxOverlay",
    };
    for (int index = 0; index < int(std::size(classes)); ++index) {
        SCOPED_TRACE(index);
        for (int item : {index, index + 100}) { // the vertical-band submenu lists the same classes
            const QMetaObject *bandClass = zorBandClass(item);
            ASSERT_NE(bandClass, nullptr);
            EXPECT_STREQ(bandClass->className(), classes[index]);
        }
    }
    for (int item : {-1, 18, 99, 118, 200})
        EXPECT_EQ(zorBandClass(item), nullptr) << item;
}

// A page header at 20 (30 high) and a master data band at 70 (45 high, so ending at 115), and a
// vertical band whose bottom does not count.
struct BandInsertion : ::testing::Test
{
    void SetUp() override
    {
        Design.Add<TfrxPageHeader>(Design.Page, "PageHeader1", 0, 20, 700, 30);
        Design.Add<TfrxMasterData>(Design.Page, "MasterData1", 0, 70, 700, 45);
        Design.Add<TfrxMasterData>(Design.Page, "MasterData3", 0, 0, 100, 1000)->SetVertical(true);
    }

    DesignedPage Design;
};

TEST_F(BandInsertion, GoesAfterTheOtherMiddleBands)
{
    TfrxBand *band = zorInsertBand(Design.Page, 6, {20, false, 16, 8});

    ASSERT_NE(band, nullptr);
    EXPECT_STREQ(band->metaObject()->className(), "TfrxMasterData");
    EXPECT_EQ(band->Name(), QStringLiteral("MasterData2")) << "the smallest number no object bears";
    EXPECT_EQ(band->Parent(), Design.Page);
    EXPECT_TRUE(band->IsDesigning());
    EXPECT_FALSE(band->Vertical());
    EXPECT_EQ(band->Top(), 10000);
    EXPECT_EQ(band->Height(), 20);
}

TEST_F(BandInsertion, FreePlacementPutsItBelowTheLowestBand)
{
    const struct
    {
        const char *Name;
        double GridY;
        double Top;
    } cases[] = {
        {"on the grid", 8, 136},                               // 115 + 16 + 4 = 135, 16.875 steps round to 17
        {"on a millimetre grid", fr01cm, Round8(36 * fr01cm)}, // 35.72 steps round to 36
        {"without a grid", 0, 135},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        TfrxBand *band = zorInsertBand(Design.Page, 2, {25, true, 16, c.GridY});
        ASSERT_NE(band, nullptr);
        EXPECT_STREQ(band->metaObject()->className(), "TfrxPageHeader");
        EXPECT_DOUBLE_EQ(band->Top(), c.Top);
        EXPECT_EQ(band->Height(), 25);
        delete band;
    }
}

TEST_F(BandInsertion, VerticalBandIsOneBandHeightWide)
{
    TfrxBand *band = zorInsertBand(Design.Page, 106, {20, false, 16, 8});

    ASSERT_NE(band, nullptr);
    EXPECT_STREQ(band->metaObject()->className(), "TfrxMasterData");
    EXPECT_TRUE(band->Vertical());
    EXPECT_EQ(band->Name(), QStringLiteral("MasterData2"));
    EXPECT_EQ(band->Width(), 20);
    EXPECT_NE(band->Top(), 10000) << "only horizontal bands go after the middle bands";
}

TEST_F(BandInsertion, UnknownItemInsertsNothing)
{
    const qsizetype count = Design.Page->Objects().size();
    EXPECT_EQ(zorInsertBand(Design.Page, 18, {20, false, 16, 8}), nullptr);
    EXPECT_EQ(zorInsertBand(nullptr, 6, {20, false, 16, 8}), nullptr);
    EXPECT_EQ(Design.Page->Objects().size(), count);
}

} // namespace

// Select All, Bring to Front and Send to Back.

#include "DesignedPage.h"
#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxSelectionCommands.h"

#include <gtest/gtest.h>

using namespace zor;

namespace {

// A master data band holding M1 and M2, an empty header band, and P1 to P3 directly on the page.
struct SelectionCommands : ::testing::Test
{
    void SetUp() override
    {
        auto *band = Design.Add<TfrxMasterData>(Design.Page, "MasterData1", 0, 100, 700, 60);
        Design.Add(band, "M1", 10, 10, 50, 20);
        Design.Add(band, "M2", 80, 10, 50, 20);
        Design.Add<TfrxHeader>(Design.Page, "Header1", 0, 40, 700, 30);
        Design.Add(Design.Page, "P1", 10, 300, 50, 20);
        Design.Add(Design.Page, "P2", 80, 300, 50, 20);
        Design.Add(Design.Page, "P3", 150, 300, 50, 20);
    }

    QStringList Order(const char *parent) const
    {
        return DesignedPage::Names(Design.Find(parent)->Objects());
    }

    DesignedPage Design;
};

TEST_F(SelectionCommands, SelectAll)
{
    const QStringList pageObjects{QStringLiteral("MasterData1"), QStringLiteral("Header1"),
                                  QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3")};
    const QStringList bandObjects{QStringLiteral("M1"), QStringLiteral("M2")};
    const struct
    {
        const char *Name;
        std::vector<const char *> Selection;
        QStringList Selected;
    } cases[] = {
        {"the page", {"Page1"}, pageObjects},
        {"nothing", {}, pageObjects},
        {"a band alone", {"MasterData1"}, bandObjects},
        {"an object in a band alone", {"M2"}, bandObjects},
        {"an object in a band and another", {"M1", "P1"}, pageObjects},
        {"two bands", {"MasterData1", "Header1"}, pageObjects},
        {"an object on the page", {"P2"}, pageObjects},
        {"an empty band", {"Header1"}, {QStringLiteral("Page1")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        QList<TfrxComponent *> selection = Design.Objects(c.Selection);
        zorSelectAll(Design.Page, selection);
        EXPECT_EQ(DesignedPage::Names(selection), c.Selected);
    }
}

TEST_F(SelectionCommands, BringToFrontKeepsTheSelectionsOrder)
{
    EXPECT_TRUE(zorBringToFront(Design.Objects({"P1", "MasterData1", "M1"})));
    EXPECT_EQ(Order("Page1"),
              QStringList({QStringLiteral("Header1"), QStringLiteral("P2"), QStringLiteral("P3"),
                           QStringLiteral("P1"), QStringLiteral("MasterData1")}));
    EXPECT_EQ(Order("MasterData1"), QStringList({QStringLiteral("M2"), QStringLiteral("M1")}))
        << "within its band";
    EXPECT_FALSE(zorBringToFront(Design.Objects({"MasterData1"}))) << "already in front";
}

TEST_F(SelectionCommands, SendToBackKeepsTheSelectionsOrder)
{
    EXPECT_TRUE(zorSendToBack(Design.Objects({"P3", "P1", "M2"})));
    EXPECT_EQ(Order("Page1"),
              QStringList({QStringLiteral("P3"), QStringLiteral("P1"), QStringLiteral("MasterData1"),
                           QStringLiteral("Header1"), QStringLiteral("P2")}));
    EXPECT_EQ(Order("MasterData1"), QStringList({QStringLiteral("M2"), QStringLiteral("M1")}));
    EXPECT_FALSE(zorSendToBack(Design.Objects({"P3"}))) << "already at the back";
}

TEST_F(SelectionCommands, ObjectsRestrictedFromMovingKeepTheirPlace)
{
    Design.Find("P1")->SetRestrictions(rfDontMove);
    EXPECT_FALSE(zorBringToFront(Design.Objects({"P1"})));
    EXPECT_TRUE(zorSendToBack(Design.Objects({"P1", "P3"})));
    EXPECT_EQ(Order("Page1"),
              QStringList({QStringLiteral("P3"), QStringLiteral("MasterData1"), QStringLiteral("Header1"),
                           QStringLiteral("P1"), QStringLiteral("P2")}));
}

// With nothing else selected the selection holds the page; moving it would reorder the report's
// pages.
TEST_F(SelectionCommands, ThePageStaysInItsPlace)
{
    auto *second = new TfrxReportPage(&Design.Report);
    second->SetName(QStringLiteral("Page2"));
    const QStringList pages = DesignedPage::Names(Design.Report.Objects());

    EXPECT_FALSE(zorSendToBack({second}));
    EXPECT_FALSE(zorBringToFront({Design.Page}));
    EXPECT_EQ(DesignedPage::Names(Design.Report.Objects()), pages);
}

} // namespace

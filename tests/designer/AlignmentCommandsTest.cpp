// The alignment palette: the twelve commands with their reference, their minimum selections and
// the restrictions of the objects they move or size.

#include "DesignedPage.h"
#include "TfrxAlignmentCommands.h"
#include "TfrxDataBand.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace zor;

namespace {

struct Bounds
{
    double Left, Top, Width, Height;
};

using BoundsByName = std::map<std::string, Bounds>;

// Two objects on an A4 page with margins of 10, 20, 10 and 30 mm (left, right, top, bottom), and
// one in a band lower down: A (40, 20, 100 x 30), B (200, 70, 50 x 10), and C at (300, 15) in a
// band at 100, so at 115 on the page (20 x 20).
class AlignmentPalette : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Design.Page->SetLeftMargin(10);
        Design.Page->SetRightMargin(20);
        Design.Page->SetTopMargin(10);
        Design.Page->SetBottomMargin(30);
        Band = Design.Add<TfrxMasterData>(Design.Page, "MasterData1", 0, 100, 680, 60);
        for (const auto &[name, b] : Initial)
            Design.Add(name == "C" ? static_cast<TfrxComponent *>(Band) : Design.Page, name.c_str(), b.Left,
                       b.Top, b.Width, b.Height);
    }

    // Every object has the expected bounds, or else its initial ones.
    void ExpectBounds(const BoundsByName &expected) const
    {
        for (const auto &[name, initial] : Initial) {
            SCOPED_TRACE(name);
            const auto found = expected.find(name);
            const Bounds &b = found != expected.end() ? found->second : initial;
            const TfrxComponent *object = Design.Find(name.c_str());
            EXPECT_NEAR(object->Left(), b.Left, 1e-9);
            EXPECT_NEAR(object->Top(), b.Top, 1e-9);
            EXPECT_NEAR(object->Width(), b.Width, 1e-9);
            EXPECT_NEAR(object->Height(), b.Height, 1e-9);
        }
    }

    const BoundsByName Initial{{"A", {40, 20, 100, 30}}, {"B", {200, 70, 50, 10}}, {"C", {300, 15, 20, 20}}};
    DesignedPage Design;
    TfrxMasterData *Band = nullptr;
};

struct PaletteCase
{
    const char *Name;
    TfrxAlignCommand Command;
    std::vector<const char *> Selection; // the first is the reference
    BoundsByName Expected;               // objects that change
};

const double PrintableWidth = 180 * fr01cm;
const double PrintableHeight = 257 * fr01cm;

const PaletteCase PaletteCases[] = {
    {"AlignLeft", acAlignLeft, {"A", "B", "C"}, {{"B", {40, 70, 50, 10}}, {"C", {40, 15, 20, 20}}}},
    {"AlignMiddle", acAlignMiddle, {"A", "B", "C"}, {{"B", {65, 70, 50, 10}}, {"C", {80, 15, 20, 20}}}},
    {"AlignRight", acAlignRight, {"A", "B", "C"}, {{"B", {90, 70, 50, 10}}, {"C", {120, 15, 20, 20}}}},
    // C lies in the band: its Top moves by the difference of the absolute tops, 20 - 115.
    {"AlignTop", acAlignTop, {"A", "B", "C"}, {{"B", {200, 20, 50, 10}}, {"C", {300, -80, 20, 20}}}},
    // Objects on the page take the reference's absolute top, 100 + 15.
    {"AlignTopToAnObjectInABand",
     acAlignTop,
     {"C", "A", "B"},
     {{"A", {40, 115, 100, 30}}, {"B", {200, 115, 50, 10}}}},
    // Centres on the reference's Top, not its absolute top.
    {"AlignCenter", acAlignCenter, {"A", "B", "C"}, {{"B", {200, 30, 50, 10}}, {"C", {300, 25, 20, 20}}}},
    {"AlignBottom", acAlignBottom, {"A", "B", "C"}, {{"B", {200, 40, 50, 10}}, {"C", {300, -70, 20, 20}}}},
    {"AlignBottomToAnObjectInABand", acAlignBottom, {"C", "A"}, {{"A", {40, 105, 100, 30}}}},
    // Ordered A (40), B (200), C (300) whatever the selection's order: B goes to 40 + 260 / 2.
    {"SpaceHorizontally", acSpaceHorz, {"B", "A", "C"}, {{"B", {170, 70, 50, 10}}}},
    {"SameWidth", acSameWidth, {"A", "B", "C"}, {{"B", {200, 70, 100, 10}}, {"C", {300, 15, 100, 20}}}},
    {"SameHeight", acSameHeight, {"A", "B", "C"}, {{"B", {200, 70, 50, 30}}, {"C", {300, 15, 20, 30}}}},
    {"CenterHorizontallyInBand", acCenterHorz, {"C"}, {{"C", {330, 15, 20, 20}}}},
    {"CenterHorizontallyOnPage",
     acCenterHorz,
     {"B", "C"},
     {{"B", {(PrintableWidth - 50) / 2, 70, 50, 10}}, {"C", {330, 15, 20, 20}}}},
    {"CenterVerticallyInBand", acCenterVert, {"C"}, {{"C", {300, 20, 20, 20}}}},
    {"CenterVerticallyOnPage", acCenterVert, {"A"}, {{"A", {40, (PrintableHeight - 30) / 2, 100, 30}}}},
    {"CenterLeavesBands", acCenterVert, {"MasterData1"}, {}},
};

class PaletteCommand : public AlignmentPalette, public ::testing::WithParamInterface<PaletteCase>
{
};

TEST_P(PaletteCommand, MovesOrSizesTheOthers)
{
    const PaletteCase &c = GetParam();
    const double bandTop = Band->Top();

    EXPECT_EQ(zorAlignObjects(c.Command, Design.Objects(c.Selection)), !c.Expected.empty());
    ExpectBounds(c.Expected);
    EXPECT_EQ(Band->Top(), bandTop);
}

INSTANTIATE_TEST_SUITE_P(AlignmentCommands, PaletteCommand, ::testing::ValuesIn(PaletteCases),
                         [](const auto &row) { return std::string(row.param.Name); });

TEST_F(AlignmentPalette, TooFewObjectsChangeNothing)
{
    const struct
    {
        const char *Name;
        TfrxAlignCommand Command;
        std::vector<const char *> Selection;
    } cases[] = {
        {"align one", acAlignLeft, {"A"}},
        {"size one", acSameHeight, {"A"}},
        {"space two across", acSpaceHorz, {"A", "B"}},
        {"space two down", acSpaceVert, {"A", "B"}},
        {"align to the page", acAlignLeft, {"Page1", "A"}}, // the page is not an object to align
        {"centre nothing", acCenterHorz, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_FALSE(zorAlignObjects(c.Command, Design.Objects(c.Selection)));
    }
    ExpectBounds({});
}

TEST_F(AlignmentPalette, RestrictedObjectsStayWhereTheyAre)
{
    const struct
    {
        const char *Name;
        TfrxAlignCommand Command;
        TfrxRestrictions Restrictions; // of B
        BoundsByName Expected;
    } cases[] = {
        {"moving restricted", acAlignLeft, rfDontMove, {}},
        {"sizing restricted", acSameWidth, rfDontSize, {}},
        {"moving restricted, sized", acSameWidth, rfDontMove, {{"B", {200, 70, 100, 10}}}},
        {"sizing restricted, moved", acAlignTop, rfDontSize, {{"B", {200, 20, 50, 10}}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        TfrxComponent *b = Design.Find("B");
        b->SetRestrictions(c.Restrictions);
        EXPECT_EQ(zorAlignObjects(c.Command, Design.Objects({"A", "B"})), !c.Expected.empty());
        ExpectBounds(c.Expected);
        b->SetRestrictions({});
        b->SetBounds(200, 70, 50, 10);
    }
}

struct Spacing : ::testing::Test
{
    DesignedPage Design;

    QList<double> Lefts(const std::vector<const char *> &names) const
    {
        QList<double> lefts;
        for (const TfrxComponent *object : Design.Objects(names))
            lefts.append(object->Left());
        return lefts;
    }
};

TEST_F(Spacing, VerticallyInOrderOfTheTops)
{
    for (const auto &[name, top] : {std::pair{"W", 0.0}, {"X", 90.0}, {"Y", 30.0}, {"Z", 200.0}})
        Design.Add(Design.Page, name, 10, top, 50, 10);

    EXPECT_TRUE(zorAlignObjects(acSpaceVert, Design.Objects({"W", "X", "Y", "Z"})));
    EXPECT_DOUBLE_EQ(Design.Find("W")->Top(), 0);
    EXPECT_DOUBLE_EQ(Design.Find("Y")->Top(), 200.0 / 3);
    EXPECT_DOUBLE_EQ(Design.Find("X")->Top(), 400.0 / 3);
    EXPECT_DOUBLE_EQ(Design.Find("Z")->Top(), 200);
}

// Lefts of 10.4 and 10.2 are both 10 whole pixels: the selection's order decides, so the first
// selected stays first and the other is spaced, although its exact left is the smaller.
TEST_F(Spacing, OrderedByLeftsRoundedToWholePixels)
{
    Design.Add(Design.Page, "X", 10.4, 0, 20, 10);
    Design.Add(Design.Page, "Y", 10.2, 20, 20, 10);
    Design.Add(Design.Page, "Z", 100, 40, 20, 10);

    EXPECT_TRUE(zorAlignObjects(acSpaceHorz, Design.Objects({"X", "Y", "Z"})));
    EXPECT_EQ(Lefts({"X", "Y", "Z"}), QList<double>({10.4, 10.4 + (100 - 10.4) / 2, 100}));
}

// The inner objects go where even spacing puts them, also past a neighbour restricted from
// moving that keeps its own place.
TEST_F(Spacing, PastAnObjectRestrictedFromMoving)
{
    Design.Add(Design.Page, "W", 0, 0, 20, 10);
    Design.Add(Design.Page, "X", 50, 20, 20, 10, rfDontMove);
    Design.Add(Design.Page, "Y", 100, 40, 20, 10);
    Design.Add(Design.Page, "Z", 300, 60, 20, 10);

    EXPECT_TRUE(zorAlignObjects(acSpaceHorz, Design.Objects({"W", "X", "Y", "Z"})));
    EXPECT_EQ(Lefts({"W", "X", "Y", "Z"}), QList<double>({0, 50, 200, 300}));
}

} // namespace

// The object tree: ownership, names, geometry, font inheritance, lookups, alignment, Diff.

#include "TfrxDataBand.h"
#include "TfrxError.h"
#include "TfrxFont.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxBrushFill.h"
#include "TfrxFrame.h"
#include "TfrxFrameLine.h"
#include "TfrxHyperlink.h"
#include "TfrxShapeView.h"

#include <QLocale>
#include <QPointer>

#include <gtest/gtest.h>

using namespace zor;

namespace {

// Texts of floats follow the user's locale; the expected texts here are written for the C locale.
class CLocale : public ::testing::Environment
{
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
};
const auto *const cLocale = ::testing::AddGlobalTestEnvironment(new CLocale);

struct Tree : ::testing::Test {
    TfrxReport report;
    TfrxReportPage *page = new TfrxReportPage(&report);
    TfrxMasterData *band = new TfrxMasterData(page);

    TfrxShapeView *Shape(TfrxComponent *parent, const QString &name)
    {
        auto *s = new TfrxShapeView(parent);
        s->SetName(name);
        return s;
    }
};

TEST_F(Tree, OwnerBecomesParentAndReportOwnsLifetime)
{
    TfrxShapeView *shape = Shape(band, QStringLiteral("Shape1"));
    EXPECT_EQ(shape->Parent(), band);
    EXPECT_EQ(shape->parent(), &report);
    EXPECT_EQ(band->Objects(), QList<TfrxComponent *>{shape});
    EXPECT_EQ(shape->GetReport(), &report);
    EXPECT_EQ(shape->GetPage(), page);
    QPointer<TfrxShapeView> watch(shape);
    delete band;  // a parent frees its children
    EXPECT_TRUE(watch.isNull());
    EXPECT_TRUE(page->Objects().isEmpty());
}

TEST_F(Tree, SetParentMovesToTheEndOfTheNewParent)
{
    TfrxShapeView *a = Shape(page, QStringLiteral("A"));
    TfrxShapeView *b = Shape(band, QStringLiteral("B"));
    a->SetParent(band);
    EXPECT_EQ(band->Objects(), (QList<TfrxComponent *>{b, a}));
    EXPECT_EQ(page->Objects(), QList<TfrxComponent *>{band});
}

TEST_F(Tree, SetParentRefusesItselfAndItsDescendants)
{
    TfrxShapeView *shape = Shape(band, QStringLiteral("Shape1"));
    EXPECT_THROW(band->SetParent(band), TfrxError);
    EXPECT_THROW(band->SetParent(shape), TfrxError);
    EXPECT_THROW(page->SetParent(shape), TfrxError);
    EXPECT_EQ(band->Parent(), page);
    EXPECT_EQ(shape->Parent(), band);
}

TEST_F(Tree, AllObjectsDepthFirstAndFindIgnoresCase)
{
    TfrxShapeView *a = Shape(band, QStringLiteral("Memo1"));
    TfrxShapeView *b = Shape(a, QStringLiteral("Memo2"));
    TfrxShapeView *c = Shape(page, QStringLiteral("Memo3"));
    EXPECT_EQ(report.GetAllObjects(), (QList<TfrxComponent *>{page, band, a, b, c}));
    EXPECT_EQ(report.FindObject(QStringLiteral("memo1")), a);
    EXPECT_EQ(report.FindObject(QStringLiteral("MEMO2")), b);
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo9")), nullptr);
}

TEST_F(Tree, NamesAreIdentifiersAndUniqueInTheReport)
{
    TfrxShapeView *a = Shape(band, QStringLiteral("Memo1"));
    TfrxShapeView *b = Shape(page, QStringLiteral("Memo2"));
    const struct {
        QString Name;
        QString Message;
    } cases[] = {
        {QStringLiteral("memo1"), QStringLiteral("Duplicate name")},
        {QStringLiteral("1abc"), QStringLiteral("\"1abc\" is not a valid object name")},
        {QStringLiteral("a b"), QStringLiteral("\"a b\" is not a valid object name")},
        {QStringLiteral("Имя"), QStringLiteral("\"Имя\" is not a valid object name")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name.toStdString());
        try {
            b->SetName(c.Name);
            ADD_FAILURE() << "no error";
        } catch (const TfrxError &e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        EXPECT_EQ(b->Name(), QStringLiteral("Memo2"));
    }
    a->SetName(QStringLiteral("MEMO1"));  // the same name in another case changes nothing
    EXPECT_EQ(a->Name(), QStringLiteral("Memo1"));
    a->SetAncestor(true);
    try {
        a->SetName(QStringLiteral("Other"));
        ADD_FAILURE() << "no error";
    } catch (const TfrxError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Could not rename Memo1, it was introduced in the ancestor report"));
    }
}

TEST_F(Tree, UniqueNamesTakeTheSmallestFreeNumber)
{
    Shape(page, QStringLiteral("Shape1"));
    Shape(page, QStringLiteral("Shape3"));
    Shape(band, QStringLiteral("shape4"));
    auto *fresh = new TfrxShapeView(band);
    fresh->CreateUniqueName();
    EXPECT_EQ(fresh->Name(), QStringLiteral("Shape2"));
    EXPECT_EQ(band->BaseName(), QStringLiteral("MasterData"));
    auto *page2 = new TfrxReportPage(&report);
    page->SetName(QStringLiteral("Page1"));
    page2->CreateUniqueName();
    EXPECT_EQ(page2->Name(), QStringLiteral("Page2"));
}

// Names are looked up through the report's index: it must follow every way an object enters,
// leaves or renames itself in the tree.
TEST_F(Tree, NameLookupsFollowMovesRenamesAndDeletions)
{
    TfrxShapeView *a = Shape(band, QStringLiteral("Moving"));
    TfrxReport other;
    auto *otherPage = new TfrxReportPage(&other);
    a->SetParent(otherPage);
    EXPECT_EQ(report.FindObject(QStringLiteral("moving")), nullptr);
    EXPECT_EQ(other.FindObject(QStringLiteral("MOVING")), a);
    TfrxShapeView *b = Shape(band, QStringLiteral("Moving")); // the name is free again here
    EXPECT_EQ(report.FindObject(QStringLiteral("Moving")), b);
    EXPECT_THROW(Shape(otherPage, QStringLiteral("moving")), TfrxError);

    // A band leaving with its objects takes their names along; renaming frees the old name.
    band->SetParent(nullptr);
    EXPECT_EQ(report.FindObject(QStringLiteral("Moving")), nullptr);
    band->SetParent(page);
    b->SetName(QStringLiteral("Renamed"));
    EXPECT_EQ(report.FindObject(QStringLiteral("Moving")), nullptr);
    EXPECT_EQ(report.FindObject(QStringLiteral("renamed")), b);
    delete b;
    EXPECT_EQ(report.FindObject(QStringLiteral("Renamed")), nullptr);

    // A page finds only its own objects, the report all of them.
    auto *page2 = new TfrxReportPage(&report);
    TfrxShapeView *c = Shape(page2, QStringLiteral("OnPage2"));
    EXPECT_EQ(page->FindObject(QStringLiteral("OnPage2")), nullptr);
    EXPECT_EQ(page2->FindObject(QStringLiteral("OnPage2")), c);

    // Names read twice while loading: the first in tree order is found until one is renamed.
    auto *d1 = new TfrxShapeView(page);
    auto *d2 = new TfrxShapeView(page2);
    for (TfrxShapeView *d : {d2, d1}) {
        d->SetIsLoading(true);
        d->SetName(QStringLiteral("Twice"));
        d->SetIsLoading(false);
    }
    EXPECT_EQ(report.FindObject(QStringLiteral("Twice")), d1);
    d1->CreateUniqueName();
    EXPECT_EQ(report.FindObject(QStringLiteral("Twice")), d2);
    EXPECT_EQ(page->FindObject(QStringLiteral("Twice")), nullptr);
}

TEST_F(Tree, UniqueNamesReuseTheNumbersThatWereFreed)
{
    QList<TfrxShapeView *> shapes;
    for (int i = 0; i < 5; ++i) {
        shapes.append(new TfrxShapeView(band));
        shapes.last()->CreateUniqueName();
    }
    EXPECT_EQ(shapes.last()->Name(), QStringLiteral("Shape5"));
    delete shapes[3];                            // Shape4
    shapes[1]->SetName(QStringLiteral("Other")); // Shape2
    shapes[0]->SetParent(nullptr);               // Shape1 leaves the report
    const auto next = [this] {
        auto *shape = new TfrxShapeView(band);
        shape->CreateUniqueName();
        return shape->Name();
    };
    EXPECT_EQ(next(), QStringLiteral("Shape1"));
    EXPECT_EQ(next(), QStringLiteral("Shape2"));
    EXPECT_EQ(next(), QStringLiteral("Shape4"));
    EXPECT_EQ(next(), QStringLiteral("Shape6"));
    // A base that ends in digits: "Field1" and 2 make "Field12".
    const auto field = [this] {
        auto *shape = new TfrxShapeView(band);
        shape->SetBaseName(QStringLiteral("Field1"));
        shape->CreateUniqueName();
        return shape;
    };
    TfrxShapeView *first = field();
    EXPECT_EQ(field()->Name(), QStringLiteral("Field12"));
    first->SetName(QStringLiteral("X"));
    EXPECT_EQ(field()->Name(), QStringLiteral("Field11"));
    delete shapes[0];
}

TEST_F(Tree, AbsolutePositionsAndRealBounds)
{
    band->SetBounds(0, 100, 700, 50);
    TfrxShapeView *a = Shape(band, QStringLiteral("A"));
    a->SetBounds(10, 20, 30, 40);
    EXPECT_DOUBLE_EQ(a->AbsLeft(), 10);
    EXPECT_DOUBLE_EQ(a->AbsTop(), 120);
    EXPECT_EQ(a->GetRealBounds(), QRectF(10, 120, 30, 40));
}

TEST_F(Tree, RestrictionsHoldOnlyWhileDesigning)
{
    TfrxShapeView *a = Shape(band, QStringLiteral("A"));
    a->SetRestrictions(rfDontMove | rfDontSize);
    a->SetBounds(1, 2, 3, 4);
    EXPECT_EQ(a->GetRealBounds().size(), QSizeF(3, 4));
    a->SetIsDesigning(true);
    a->SetBounds(10, 20, 30, 40);
    EXPECT_DOUBLE_EQ(a->Left(), 1);
    EXPECT_DOUBLE_EQ(a->Width(), 3);
}

TEST_F(Tree, BeforeAndAfterPrintRestoreTheBounds)
{
    TfrxShapeView *a = Shape(band, QStringLiteral("A"));
    a->SetBounds(1, 2, 3, 4);
    a->BeforePrint();
    a->SetBounds(50, 60, 70, 80);
    a->AfterPrint();
    EXPECT_EQ(QRectF(a->Left(), a->Top(), a->Width(), a->Height()), QRectF(1, 2, 3, 4));
}

TEST_F(Tree, FontChangesSpreadThroughChildrenThatFollowTheirParent)
{
    TfrxShapeView *follows = Shape(band, QStringLiteral("A"));
    TfrxShapeView *grandChild = Shape(follows, QStringLiteral("B"));
    TfrxShapeView *own = Shape(band, QStringLiteral("C"));
    own->Font()->SetName(QStringLiteral("Tahoma"));
    EXPECT_FALSE(own->ParentFont());
    page->Font()->SetName(QStringLiteral("Times New Roman"));
    EXPECT_EQ(band->Font()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(follows->Font()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(grandChild->Font()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(grandChild->ParentFont());
    EXPECT_EQ(own->Font()->Name(), QStringLiteral("Tahoma"));
    // Assigning a font equal to the parent's still makes the font the object's own.
    follows->SetFont(band->Font());
    EXPECT_FALSE(follows->ParentFont());
    // A new object takes its parent's font.
    EXPECT_EQ(Shape(band, QStringLiteral("D"))->Font()->Name(), QStringLiteral("Times New Roman"));
}

TEST_F(Tree, ClearKeepsInheritedObjectsClearedOfTheirOwnChildren)
{
    TfrxShapeView *inherited = Shape(page, QStringLiteral("A"));
    inherited->SetAncestor(true);
    QPointer<TfrxShapeView> ownChild = Shape(inherited, QStringLiteral("B"));
    QPointer<TfrxShapeView> loose = Shape(page, QStringLiteral("C"));
    page->Clear();
    EXPECT_EQ(page->Objects(), QList<TfrxComponent *>{inherited});
    EXPECT_TRUE(ownChild.isNull());
    EXPECT_TRUE(loose.isNull());
}

TEST_F(Tree, AlignChildrenLeftRightCenterClient)
{
    band->SetBounds(0, 0, 500, 100);
    TfrxShapeView *first = Shape(band, QStringLiteral("A"));
    first->SetBounds(10, 0, 50, 20);
    TfrxShapeView *second = Shape(band, QStringLiteral("B"));
    second->SetBounds(200, 0, 30, 20);
    second->SetAlign(baLeft);
    band->AlignChildren();
    EXPECT_DOUBLE_EQ(second->Left(), 60);
    // Lower down, the two no longer overlap vertically.
    second->SetBounds(200, 20, 30, 20);
    band->AlignChildren();
    EXPECT_DOUBLE_EQ(second->Left(), 0);

    second->SetAlign(baRight);
    band->AlignChildren();
    EXPECT_DOUBLE_EQ(second->Left(), 470);
    second->SetAlign(baCenter);
    band->AlignChildren();
    EXPECT_DOUBLE_EQ(second->Left(), 235);
    second->SetAlign(baClient);
    band->AlignChildren();
    EXPECT_EQ(QRectF(second->Left(), second->Top(), second->Width(), second->Height()), QRectF(0, 0, 500, 100));
}

TEST_F(Tree, DiffIsEmptyWithinTheToleranceAndListsChanges)
{
    TfrxShapeView *a = Shape(page, QStringLiteral("A"));
    TfrxShapeView *b = Shape(page, QStringLiteral("B"));
    a->SetBounds(10, 20, 30, 40);
    b->SetBounds(10.00005, 20, 30, 40);
    EXPECT_EQ(a->Diff(b), QString());
    a->SetLeft(12.5);
    a->SetVisible(false);
    a->SetTag(7);
    a->Font()->SetStyle(fsBold);
    EXPECT_EQ(a->Diff(b), QStringLiteral(" l=\"12.5\" Visible=\"False\" Font.Style=\"1\" ParentFont=\"False\" Tag=\"7\""));
    // A band always writes its top.
    EXPECT_EQ(band->Diff(band), QStringLiteral(" t=\"0\""));
}

TEST_F(Tree, ViewDiffListsFrameFillAndHyperlinkChanges)
{
    TfrxShapeView *a = Shape(page, QStringLiteral("A"));
    TfrxShapeView *b = Shape(page, QStringLiteral("B"));
    a->SetAlign(baRight);
    a->Frame()->SetTyp(ftLeft | ftTop);
    a->Frame()->LeftLine()->SetWidth(2);
    a->SetColor(clRed);
    a->Hyperlink()->SetValue(QStringLiteral("a\"b"));
    EXPECT_EQ(a->Diff(b), QStringLiteral(" Align=\"2\" Frame.Typ=\"5\" Frame.LeftLine.Width=\"2\" Fill.BackColor=\"255\""
                                         " Hyperlink.Value=\"a&#34;b\""));
    // Against a fill of another class every fill attribute is written.
    b->SetFillType(ftGlass);
    EXPECT_TRUE(a->Diff(b).contains(
        QStringLiteral(" FillType=\"0\" Fill.BackColor=\"255\" Fill.ForeColor=\"0\" Fill.Style=\"0\"")));
}

TEST_F(Tree, AssignCopiesValuesButNotTheName)
{
    TfrxShapeView *a = Shape(band, QStringLiteral("A"));
    TfrxShapeView *b = Shape(band, QStringLiteral("B"));
    a->SetBounds(1, 2, 3, 4);
    a->SetShape(skDiamond);
    a->Frame()->SetWidth(3);
    a->SetFillType(ftGradient);
    b->Assign(a);
    EXPECT_EQ(b->Name(), QStringLiteral("B"));
    EXPECT_EQ(b->Shape(), skDiamond);
    EXPECT_DOUBLE_EQ(b->Width(), 3);
    EXPECT_DOUBLE_EQ(b->Frame()->RightLine()->Width(), 3);
    EXPECT_EQ(b->FillType(), ftGradient);
    EXPECT_NE(b->Fill(), a->Fill());  // copied, never shared
    EXPECT_EQ(b->Diff(a), QString());
}

TEST(FloatText, FixedUpToFifteenDigitsInTheUsersSeparator)
{
    const struct {
        double Value;
        const char *Text;
    } cases[] = {
        {0, "0"},          {1000, "1000"},           {439.65337, "439.65337"}, {-2.5, "-2.5"},
        {0.00001, "0.00001"}, {1.0 / 3, "0.333333333333333"}, {1e20, "1e+20"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatText(c.Value), QString::fromLatin1(c.Text)) << c.Text;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(FloatText(338.1107), QStringLiteral("338,1107"));
    QLocale::setDefault(QLocale::c());
}

}  // namespace

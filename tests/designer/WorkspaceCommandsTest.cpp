// The workspace's commands: deleting, grouping, guides, the band layout it runs, and settings
// that could not work.

#include "WorkspaceFixture.h"

#include "TfrxDataBand.h"
#include "TfrxSubreport.h"

#include <cmath>
#include <limits>

using namespace zor;

namespace {

using Commands = WorkspaceFixture;

TEST_F(Commands, DeletingABandWithItsSelectedObjectLeavesNothingBehind)
{
    // Before the fix the band went first and took its objects along, and then the object still
    // in the list was deleted a second time.
    auto *band = AddBand<TfrxMasterData>(16, 100);
    TfrxMemoView *inBand = AddMemo(band, {10, 10, 50, 20});
    TfrxMemoView *other = AddMemo(band, {100, 10, 50, 20});
    TfrxMemoView *kept = AddMemo(page, {100, 300, 50, 20});
    const QString otherName = other->Name();
    Refresh();
    selected = {inBand, band};
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
    QSignalSpy selectionChanged(&workspace, &TfrxDesignerWorkspace::SelectionChanged);
    EXPECT_TRUE(workspace.DeleteObjects());
    EXPECT_EQ(objects, QList<TfrxComponent *>({kept, &report, page}));
    EXPECT_EQ(page->Objects(), QList<TfrxComponent *>({kept}));
    EXPECT_EQ(selected, QList<TfrxComponent *>({page}));
    EXPECT_EQ(report.FindObject(otherName), nullptr);
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(selectionChanged.count(), 1);
}

TEST_F(Commands, AnObjectOfTheParentTemplateStopsTheWholeDeletion)
{
    TfrxMemoView *own = AddMemo(page, {100, 100, 50, 20});
    TfrxMemoView *inherited = AddMemo(page, {100, 200, 50, 20});
    inherited->SetAncestor(true);
    Refresh();
    selected = {own, inherited};
    QSignalSpy errors(&workspace, &TfrxDesignerWorkspace::ErrorOccurred);
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
    EXPECT_FALSE(workspace.DeleteObjects());
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors[0][0].toString(),
              QStringLiteral("Could not delete %1, it was introduced in the ancestor report")
                  .arg(inherited->Name()));
    EXPECT_EQ(page->Objects(), QList<TfrxComponent *>({own, inherited}));
    EXPECT_EQ(selected, QList<TfrxComponent *>({own, inherited}));
    EXPECT_EQ(modified.count(), 0);
}

TEST_F(Commands, RestrictedObjectsAndThePageStay)
{
    TfrxMemoView *fixed = AddMemo(page, {100, 100, 50, 20});
    TfrxMemoView *free = AddMemo(page, {100, 200, 50, 20});
    fixed->SetRestrictions(rfDontDelete);
    Refresh();
    selected = {fixed, free, page};
    EXPECT_TRUE(workspace.DeleteObjects());
    EXPECT_EQ(page->Objects(), QList<TfrxComponent *>({fixed}));
    EXPECT_EQ(selected, QList<TfrxComponent *>({fixed, page}));
}

TEST_F(Commands, DeletingASubreportRebuildsThePageTabs)
{
    auto *subreport = new TfrxSubreport(page);
    subreport->SetBounds(100, 100, 100, 50);
    Refresh();
    selected = {subreport};
    QSignalSpy pages(&workspace, &TfrxDesignerWorkspace::PagesChanged);
    workspace.DeleteObjects();
    EXPECT_EQ(pages.count(), 1);
}

TEST_F(Commands, GuidesGoIntoThePageAndAreChanges)
{
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
    workspace.AddGuide(Qt::Horizontal, 120.123456789);
    workspace.AddGuide(Qt::Vertical, 40);
    EXPECT_EQ(page->VGuides(), QStringList({FloatText(120.12345679)}));
    EXPECT_EQ(page->HGuides(), QStringList({QStringLiteral("40")}));
    workspace.DeleteGuides();
    workspace.DeleteGuides(); // nothing left: no change
    EXPECT_TRUE(page->VGuides().isEmpty());
    EXPECT_TRUE(page->HGuides().isEmpty());
    EXPECT_EQ(modified.count(), 3);
}

TEST_F(Commands, BandsStandInOrderWithTheGapOfTheGrid)
{
    auto *footer = AddBand<TfrxPageFooter>(0, 20);
    auto *data = AddBand<TfrxMasterData>(900, 30);
    auto *header = AddBand<TfrxPageHeader>(400, 20);
    const struct
    {
        TfrxGridType Type;
        double Step;
        double DataTop;
    } cases[] = {
        {gt1pt, 4, 56 + 40},
        {gt1cm, 0.1 * fr1cm, 15 * 0.1 * fr1cm + fr1cm}, // 56 is 14.8 steps
        {gt1in, fr01in, 6 * fr01in + 0.4 * fr1in},
        {gtChar, fr1CharY, 3 * fr1CharY + fr1CharY},
        {gtNone, 4, 56},
    };
    for (const auto &c : cases) {
        workspace.SetGridType(c.Type);
        workspace.SetGrid(c.Step, c.Step);
        Refresh();
        EXPECT_DOUBLE_EQ(header->Top(), 16) << c.Type;
        EXPECT_NEAR(data->Top(), c.DataTop, 1e-8) << c.Type;
        EXPECT_GT(footer->Top(), data->Top() + data->Height()) << c.Type;
    }
    EXPECT_EQ(objects.mid(0, 3), QList<TfrxComponent *>({footer, data, header}));
}

TEST_F(Commands, SettingsThatCannotWorkAreIgnored)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    workspace.SetGrid(5, 6);
    for (const auto &[x, y] : {std::pair{0.0, 0.0}, {nan, 4.0}, {-1.0, 4.0}, {4.0, inf}}) {
        workspace.SetGrid(x, y);
        EXPECT_DOUBLE_EQ(workspace.GridX(), 5);
        EXPECT_DOUBLE_EQ(workspace.GridY(), 6);
    }
    workspace.SetScale(2);
    for (const double scale : {nan, -1.0, -inf})
        workspace.SetScale(scale);
    EXPECT_DOUBLE_EQ(workspace.Scale(), 2);
    workspace.SetScale(0);
    EXPECT_DOUBLE_EQ(workspace.Scale(), 1);
    workspace.SetScale(25);
    EXPECT_DOUBLE_EQ(workspace.Scale(), 20);
    workspace.SetScale(1);

    // A grid of zero would have divided the drag by zero and written NaN into the template.
    TfrxMemoView *memo = AddMemo(page, {100, 100, 50, 20});
    Refresh();
    workspace.SetGrid(0, 0);
    workspace.SetGridAlign(true);
    Drag({110, 110}, {121, 127});
    EXPECT_EQ(Bounds(memo), QRectF(110, 112, 50, 20));

    auto *band = AddBand<TfrxMasterData>(300, 20);
    auto *second = AddBand<TfrxMasterData>(600, 20);
    workspace.SetGrid(4, 4);
    workspace.SetBandsGap(-4);
    workspace.SetBandsGap(nan);
    Refresh();
    EXPECT_DOUBLE_EQ(band->Top(), 16);
    EXPECT_DOUBLE_EQ(second->Top(), 16 + 20 + 16 + 4);
}

} // namespace

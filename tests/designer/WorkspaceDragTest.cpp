// Dragging with the mouse: moving in grid steps, sizing by handles and band edges, scaling a
// group, guides pulling edges, and drags that end without a release.

#include "WorkspaceFixture.h"

#include "TfrxDataBand.h"
#include "TfrxLineView.h"

#include <QFocusEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

using namespace zor;

namespace {

using Dragging = WorkspaceFixture;

constexpr double mm = 0.1 * fr1cm; // the centimetre grid's step

TEST_F(Dragging, MovesInWholeGridStepsAndKeepsTheRemainder)
{
    TfrxMemoView *memo = AddMemo(page, {100, 100, 80, 20});
    Refresh();
    workspace.SetGridType(gt1cm);
    workspace.SetGrid(mm, mm);
    workspace.SetGridAlign(true);
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);

    Press({110, 110});
    MoveTo({110 + 0.6 * mm, 110});
    EXPECT_DOUBLE_EQ(memo->Left(), 100);
    MoveTo({110 + 1.5 * mm, 110});
    EXPECT_DOUBLE_EQ(memo->Left(), 100 + mm);
    // The half step left over counts towards the next one.
    MoveTo({110 + 2.05 * mm, 110});
    Release({110 + 2.05 * mm, 110});
    EXPECT_NEAR(memo->Left(), 100 + 2 * mm, 1e-8);
    EXPECT_DOUBLE_EQ(memo->Left(), Round8(memo->Left()));
    EXPECT_DOUBLE_EQ(memo->Top(), 100);
    EXPECT_EQ(modified.count(), 1);
}

TEST_F(Dragging, AltInvertsSnappingForTheDrag)
{
    TfrxMemoView *memo = AddMemo(page, {100, 100, 80, 20});
    Refresh();
    workspace.SetGrid(10, 10);
    const struct
    {
        bool GridAlign;
        Qt::KeyboardModifiers Held;
        double Left;
    } cases[] = {
        {true, {}, 120},
        {true, Qt::AltModifier, 127},
        {false, {}, 127},
        {false, Qt::AltModifier, 120},
    };
    for (const auto &c : cases) {
        memo->SetLeft(100);
        workspace.SetGridAlign(c.GridAlign);
        Press({110, 110});
        MoveTo({137, 110}, c.Held);
        Release({137, 110}, c.Held);
        EXPECT_DOUBLE_EQ(memo->Left(), c.Left) << c.GridAlign << ' ' << c.Held;
    }
}

TEST_F(Dragging, ObjectsRideWithTheirSelectedBand)
{
    workspace.SetFreeBandsPlacement(true);
    auto *band = AddBand<TfrxMasterData>(16, 100);
    TfrxMemoView *memo = AddMemo(band, {10, 10, 50, 20});
    Refresh();
    Click({300, 5});
    Click({20, 30}, Qt::ShiftModifier);
    ASSERT_EQ(selected, QList<TfrxComponent *>({band, memo}));
    Drag({20, 30}, {28, 42});
    EXPECT_DOUBLE_EQ(band->Left(), 0); // a horizontal band moves only down and up
    EXPECT_DOUBLE_EQ(band->Top(), 28);
    EXPECT_EQ(Bounds(memo), QRectF(10, 38, 50, 20));
    EXPECT_EQ(memo->Parent(), band);
}

TEST_F(Dragging, AVerticalBandCarriesTheViewsStandingInIt)
{
    auto *band = AddBand<TfrxMasterData>(0, 500);
    band->SetVertical(true);
    band->SetBounds(100, 0, 100, 500);
    TfrxMemoView *inside = AddMemo(page, {120, 200, 50, 20});
    TfrxMemoView *outside = AddMemo(page, {300, 200, 50, 20});
    Refresh();
    Drag({90, 250}, {110, 260}); // by its caption strip on the left
    EXPECT_EQ(selected, QList<TfrxComponent *>({band, inside}));
    EXPECT_EQ(Bounds(band), QRectF(120, 0, 100, 500)); // across only
    EXPECT_DOUBLE_EQ(inside->Left(), 140);
    EXPECT_DOUBLE_EQ(outside->Left(), 300);
}

TEST_F(Dragging, AlignIsOffWhileMovingAndComesBackWhenTheReleaseNeverCame)
{
    TfrxMemoView *memo = AddMemo(page, {100, 100, 80, 20});
    memo->SetAlign(baRight);
    Refresh();
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
    Press({110, 110});
    MoveTo({130, 110});
    EXPECT_EQ(memo->Align(), baNone);

    // A message box takes the focus and the release goes to it.
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&workspace, &focusOut);
    EXPECT_EQ(memo->Align(), baRight);
    EXPECT_EQ(workspace.Mode(), ::dmNone);
    EXPECT_EQ(modified.count(), 1);
    MoveTo({200, 200});
    EXPECT_DOUBLE_EQ(memo->Left(), 120);

    // A release lost otherwise: the next press ends the old drag before it starts anew.
    Press({125, 110});
    MoveTo({135, 110});
    Press({300, 300});
    EXPECT_EQ(memo->Align(), baRight);
    EXPECT_DOUBLE_EQ(memo->Left(), 130);
    EXPECT_EQ(modified.count(), 2);
}

TEST_F(Dragging, AnInheritedObjectStaysInsideItsBand)
{
    auto *band = AddBand<TfrxMasterData>(16, 100);
    TfrxMemoView *inherited = AddMemo(band, {10, 10, 50, 20});
    inherited->SetAncestor(true);
    Refresh();
    Drag({20, 30}, {40, 300});
    EXPECT_EQ(inherited->Parent(), band);
    EXPECT_EQ(Bounds(inherited), QRectF(30, 16 + 80, 50, 20)); // across as far as asked, down to the bottom
    Drag({55, 116}, {55, 200});                                // its bottom edge, out of the band
    EXPECT_EQ(Bounds(inherited), QRectF(30, 16 + 80, 50, 20));
}

TEST_F(Dragging, EachHandleMovesItsEdges)
{
    TfrxMemoView *memo = AddMemo(page, {100, 100, 80, 40});
    Refresh();
    const struct
    {
        int Handle;
        QPointF At;
        QRectF Expected;
    } cases[] = {
        {1, {100, 100}, {108, 112, 72, 28}}, {2, {180, 140}, {100, 100, 88, 52}},
        {3, {180, 100}, {100, 112, 88, 28}}, {4, {100, 140}, {108, 100, 72, 52}},
        {5, {180, 120}, {100, 100, 88, 40}}, {6, {100, 120}, {108, 100, 72, 40}},
        {7, {140, 100}, {100, 112, 80, 28}}, {8, {140, 140}, {100, 100, 80, 52}},
    };
    for (const auto &c : cases) {
        memo->SetBounds(100, 100, 80, 40);
        selected = {memo};
        Press(c.At);
        EXPECT_EQ(workspace.Mode(), dmSize) << c.Handle;
        MoveTo(c.At + QPointF(8, 12));
        Release(c.At + QPointF(8, 12));
        EXPECT_EQ(Bounds(memo), c.Expected) << c.Handle;
    }
}

TEST_F(Dragging, AHandleDraggedInsideOutBecomesItsMirror)
{
    TfrxMemoView *memo = AddMemo(page, {100, 100, 80, 40});
    Refresh();
    selected = {memo};
    Press({180, 120});
    MoveTo({80, 120});
    EXPECT_EQ(Bounds(memo), QRectF(80, 100, 20, 40));
    // The right edge's handle is now the left edge's: the left edge follows the mouse.
    MoveTo({70, 135});
    Release({70, 135});
    EXPECT_EQ(Bounds(memo), QRectF(70, 100, 30, 40));
}

TEST_F(Dragging, AStraightLineIsSizedByItsEnds)
{
    auto *line = new TfrxLineView(page);
    line->DesignCreate(0);
    line->SetBounds(100, 100, 80, 0);
    Refresh();
    selected = {line};
    Drag({180, 100}, {220, 107});
    EXPECT_EQ(Bounds(line), QRectF(100, 100, 120, 0));
    Drag({100, 100}, {90, 95});
    EXPECT_EQ(Bounds(line), QRectF(90, 100, 130, 0));
}

TEST_F(Dragging, ABandSizedSmallerThanItsObjectsGrowsBack)
{
    auto *band = AddBand<TfrxMasterData>(16, 100);
    AddMemo(band, {10, 60, 50, 20});
    Refresh();
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
    Press({300, 116});
    EXPECT_EQ(workspace.Mode(), dmSizeBand);
    MoveTo({300, 50});
    Release({300, 50});
    EXPECT_DOUBLE_EQ(band->Height(), 80);
    Drag({300, 96}, {300, 140});
    EXPECT_DOUBLE_EQ(band->Height(), 124);
    EXPECT_EQ(modified.count(), 2);
}

TEST_F(Dragging, SizingABandFromItsTopKeepsItsObjectsOnThePage)
{
    workspace.SetFreeBandsPlacement(true);
    auto *band = AddBand<TfrxMasterData>(16, 100);
    TfrxMemoView *memo = AddMemo(band, {10, 60, 50, 20});
    Refresh();
    selected = {band};
    Drag({400, 16}, {400, 36});
    EXPECT_DOUBLE_EQ(band->Top(), 36);
    EXPECT_DOUBLE_EQ(band->Height(), 80);
    EXPECT_DOUBLE_EQ(memo->AbsTop(), 76);
}

TEST_F(Dragging, TheGroupCornerScalesTheSelection)
{
    TfrxMemoView *a = AddMemo(page, {100, 100, 50, 20});
    TfrxMemoView *b = AddMemo(page, {200, 150, 50, 50});
    Refresh();
    selected = {a, b};
    Press({250, 200});
    EXPECT_EQ(workspace.Mode(), dmScale);
    MoveTo({400, 300});
    Release({400, 300});
    EXPECT_EQ(Bounds(a), QRectF(100, 100, 100, 40));
    EXPECT_EQ(Bounds(b), QRectF(300, 200, 100, 100));
}

TEST_F(Dragging, ScalingBoundsWithoutWidthKeepsTheWidth)
{
    // Before the fix the ratio of the new to the old width divided by zero and the lines' left
    // became NaN.
    auto *first = new TfrxLineView(page);
    auto *second = new TfrxLineView(page);
    first->DesignCreate(0);
    second->DesignCreate(0);
    first->SetBounds(300, 100, 0, 50);
    second->SetBounds(300, 200, 0, 50);
    Refresh();
    selected = {first, second};
    Drag({300, 250}, {350, 350});
    EXPECT_DOUBLE_EQ(first->Left(), 300);
    EXPECT_DOUBLE_EQ(first->Width(), 0);
    EXPECT_NEAR(first->Height(), 250.0 / 3, 1e-7);
    EXPECT_TRUE(std::isfinite(second->Top()));
    EXPECT_DOUBLE_EQ(second->Left(), 300);
}

TEST_F(Dragging, GuidesPullEdgesWithinSixPixels)
{
    TfrxMemoView *memo = AddMemo(page, {150, 300, 50, 20});
    page->SetHGuides({QStringLiteral("100"), QStringLiteral("not a number")});
    Refresh();
    const struct
    {
        double By;
        double Left;
    } cases[] = {
        {-45, 100}, // the left edge 5 pixels from the guide lands on it
        {-43, 107}, // 7 pixels away stays where the mouse put it
        {-95, 50},  // the right edge lands on it
    };
    for (const auto &c : cases) {
        memo->SetLeft(150);
        Drag({160, 310}, {160 + c.By, 310});
        EXPECT_DOUBLE_EQ(memo->Left(), c.Left) << c.By;
    }
    workspace.SetShowGuides(false);
    memo->SetLeft(150);
    Drag({160, 310}, {115, 310});
    EXPECT_DOUBLE_EQ(memo->Left(), 105);
}

TEST_F(Dragging, PastedObjectsFollowTheMouseUntilTheClick)
{
    TfrxMemoView *memo = AddMemo(page, {100, 100, 80, 20});
    Refresh();
    selected = {memo};
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
    workspace.SimulateMove();
    EXPECT_EQ(workspace.Mode(), dmMove);
    MoveTo({300, 400}, {}, Qt::NoButton);
    EXPECT_EQ(Bounds(memo), QRectF(280, 380, 80, 20));
    Press({300, 400});
    Release({300, 400});
    EXPECT_EQ(Bounds(memo), QRectF(280, 380, 80, 20));
    EXPECT_EQ(workspace.Mode(), ::dmNone);
    EXPECT_EQ(modified.count(), 1);
}

TEST_F(Dragging, ScrollsWhenTheMouseLeavesTheVisibleArea)
{
    AddMemo(page, {100, 100, 80, 20});
    Refresh();
    QScrollArea area;
    area.setWidget(&workspace);
    area.resize(300, 300);
    area.show();
    Press({110, 110});
    MoveTo({600, 700});
    EXPECT_GT(area.horizontalScrollBar()->value(), 0);
    EXPECT_GT(area.verticalScrollBar()->value(), 0);
    Release({600, 700});
    area.takeWidget();
}

} // namespace

// Selecting with the mouse: clicks, Shift+clicks, rubber bands, groups, and what counts as under
// the mouse.

#include "WorkspaceFixture.h"

#include "TfrxDataBand.h"
#include "TfrxLineView.h"

using namespace zor;

namespace {

using Selection = WorkspaceFixture;

TfrxLineView *AddLine(TfrxComponent *parent, const QRectF &bounds, bool diagonal)
{
    auto *line = new TfrxLineView(parent);
    line->DesignCreate(diagonal ? 1 : 0);
    line->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    return line;
}

TEST_F(Selection, ClickSelectsTheTopmostObjectAndEmptyPaperThePage)
{
    TfrxMemoView *below = AddMemo(page, {100, 100, 80, 20});
    TfrxMemoView *above = AddMemo(page, {140, 110, 80, 20});
    Refresh();
    QSignalSpy changed(&workspace, &TfrxDesignerWorkspace::SelectionChanged);

    Click({150, 115});
    EXPECT_EQ(selected, QList<TfrxComponent *>({above}));
    Click({105, 105});
    EXPECT_EQ(selected, QList<TfrxComponent *>({below}));
    Click({105, 105}); // the same again: no change to report
    Click({400, 400});
    EXPECT_EQ(selected, QList<TfrxComponent *>({page}));
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(Selection, ShiftClickAddsAndTakesAwayWithoutMoving)
{
    TfrxMemoView *a = AddMemo(page, {100, 100, 80, 20});
    TfrxMemoView *b = AddMemo(page, {100, 200, 80, 20});
    Refresh();
    Click({110, 110});
    Click({110, 210}, Qt::ShiftModifier);
    EXPECT_EQ(selected, QList<TfrxComponent *>({a, b}));

    Drag({110, 110}, {150, 150}, Qt::ShiftModifier);
    EXPECT_EQ(selected, QList<TfrxComponent *>({b}));
    EXPECT_EQ(Bounds(a), QRectF(100, 100, 80, 20));
    EXPECT_EQ(Bounds(b), QRectF(100, 200, 80, 20));

    Click({110, 210}, Qt::ShiftModifier);
    EXPECT_EQ(selected, QList<TfrxComponent *>({page}));
}

TEST_F(Selection, ClickOnASelectedObjectKeepsTheGroupForDragging)
{
    TfrxMemoView *a = AddMemo(page, {100, 100, 80, 20});
    TfrxMemoView *b = AddMemo(page, {100, 200, 80, 20});
    Refresh();
    Click({110, 110});
    Click({110, 210}, Qt::ShiftModifier);
    Drag({110, 110}, {130, 150});
    EXPECT_EQ(selected, QList<TfrxComponent *>({a, b}));
    EXPECT_EQ(Bounds(a), QRectF(120, 140, 80, 20));
    EXPECT_EQ(Bounds(b), QRectF(120, 240, 80, 20));
}

TEST_F(Selection, CtrlDragOnAnObjectDrawsARubberBandInstead)
{
    TfrxMemoView *a = AddMemo(page, {100, 100, 80, 20});
    TfrxMemoView *b = AddMemo(page, {100, 200, 80, 20});
    AddMemo(page, {400, 400, 80, 20});
    Refresh();
    Press({110, 110}, Qt::ControlModifier);
    EXPECT_EQ(workspace.Mode(), dmSelectionRect);
    MoveTo({300, 205}, Qt::ControlModifier);
    Release({300, 205}, Qt::ControlModifier);
    EXPECT_EQ(selected, QList<TfrxComponent *>({a, b}));
    EXPECT_EQ(Bounds(a), QRectF(100, 100, 80, 20));
}

TEST_F(Selection, RubberBandSelectsViewsButNotBands)
{
    auto *band = AddBand<TfrxMasterData>(16, 100);
    TfrxMemoView *inBand = AddMemo(band, {10, 10, 50, 20});
    TfrxLineView *straight = AddLine(page, {300, 300, 100, 0}, false);
    TfrxLineView *crossing = AddLine(page, {300, 400, 100, 100}, true);
    // Its bounds touch the band's rectangle, the line itself passes below it.
    TfrxLineView *passing = AddLine(page, {250, 500, 100, -100}, true);
    Refresh();

    Drag({-5, -5}, {320, 420});
    EXPECT_EQ(selected, QList<TfrxComponent *>({inBand, straight, crossing}));
    EXPECT_FALSE(selected.contains(passing));

    Drag({700, 700}, {750, 750});
    EXPECT_EQ(selected, QList<TfrxComponent *>({page}));
}

TEST_F(Selection, ClickingOneMemberSelectsItsGroup)
{
    TfrxMemoView *a = AddMemo(page, {100, 100, 80, 20});
    TfrxMemoView *b = AddMemo(page, {100, 200, 80, 20});
    TfrxMemoView *other = AddMemo(page, {100, 300, 80, 20});
    other->SetGroupIndex(1); // taken: the new group gets the next number
    Refresh();
    selected = {a, b};
    workspace.GroupObjects();
    EXPECT_EQ(a->GroupIndex(), 2);
    EXPECT_EQ(b->GroupIndex(), 2);

    Click({400, 400});
    Click({110, 210});
    EXPECT_EQ(selected, QList<TfrxComponent *>({b, a}));

    workspace.UngroupObjects();
    Click({400, 400});
    Click({110, 210});
    EXPECT_EQ(selected, QList<TfrxComponent *>({b}));
}

TEST_F(Selection, WhatLiesUnderTheMouse)
{
    auto *band = AddBand<TfrxMasterData>(16, 100);
    TfrxLineView *vertical = AddLine(page, {300, 300, 0, 100}, false);
    TfrxLineView *diagonal = AddLine(page, {400, 300, 100, 100}, true);
    Refresh();
    const struct
    {
        const char *Case;
        QPointF At;
        TfrxComponent *Expected;
    } cases[] = {
        {"beside a line of no width, within 4 pixels", {303.5, 350}, vertical},
        {"beside it, 5 pixels off", {305, 350}, page},
        {"near a diagonal line", {450, 354}, diagonal},
        {"inside its bounds, far from the line", {490, 310}, page},
        {"on a band's caption strip", {100, 5}, band},
    };
    for (const auto &c : cases) {
        Click(c.At);
        EXPECT_EQ(selected, QList<TfrxComponent *>({c.Expected})) << c.Case;
        Click({700, 1000});
    }
}

TEST_F(Selection, RightClickSelectsTheObjectAndAsksForTheMenu)
{
    TfrxMemoView *memo = AddMemo(page, {100, 100, 80, 20});
    Refresh();
    QSignalSpy menu(&workspace, &TfrxDesignerWorkspace::ContextMenuRequested);
    Press({110, 110}, {}, Qt::RightButton);
    Release({110, 110}, {}, Qt::RightButton);
    EXPECT_EQ(selected, QList<TfrxComponent *>({memo}));
    EXPECT_EQ(menu.count(), 1);
    EXPECT_EQ(Bounds(memo), QRectF(100, 100, 80, 20));
}

} // namespace

// The workspace's keys: the arrows with their modifiers, Tab, Enter and Delete.

#include "WorkspaceFixture.h"

#include "TfrxDataBand.h"

using namespace zor;

namespace {

class Keys : public WorkspaceFixture
{
protected:
    Keys()
    {
        a = AddMemo(page, {100, 100, 80, 20});
        right = AddMemo(page, {300, 100, 80, 20});
        below = AddMemo(page, {100, 300, 80, 20});
        far = AddMemo(page, {500, 400, 80, 20});
        Refresh();
        selected = {a};
    }

    TfrxMemoView *a, *right, *below, *far;
};

TEST_F(Keys, ArrowsWithModifiersMoveSizeAndSlide)
{
    const struct
    {
        const char *Case;
        Qt::Key Key;
        Qt::KeyboardModifiers Held;
        QRectF Expected;
    } cases[] = {
        {"Ctrl moves by a pixel", Qt::Key_Right, Qt::ControlModifier, {101, 100, 80, 20}},
        {"Ctrl up", Qt::Key_Up, Qt::ControlModifier, {100, 99, 80, 20}},
        {"Ctrl+Shift moves by a grid step",
         Qt::Key_Right,
         Qt::ControlModifier | Qt::ShiftModifier,
         {104, 100, 80, 20}},
        {"Shift sizes by a grid step", Qt::Key_Right, Qt::ShiftModifier, {100, 100, 84, 20}},
        {"Shift down", Qt::Key_Down, Qt::ShiftModifier, {100, 100, 80, 24}},
        {"Alt slides to touch the neighbour", Qt::Key_Right, Qt::AltModifier, {220, 100, 80, 20}},
        {"Alt down", Qt::Key_Down, Qt::AltModifier, {100, 280, 80, 20}},
    };
    for (const auto &c : cases) {
        a->SetBounds(100, 100, 80, 20);
        QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
        QTest::keyClick(&workspace, c.Key, c.Held);
        EXPECT_EQ(Bounds(a), c.Expected) << c.Case;
        EXPECT_EQ(modified.count(), 1) << c.Case;
        EXPECT_EQ(selected, QList<TfrxComponent *>({a})) << c.Case;
    }
}

TEST_F(Keys, KeysWithoutEffectChangeNothing)
{
    a->SetWidth(2);
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
    QTest::keyClick(&workspace, Qt::Key_Left, Qt::ShiftModifier); // the width would go below 0
    QTest::keyClick(&workspace, Qt::Key_Left, Qt::AltModifier);   // nothing to slide to
    a->SetRestrictions(rfDontMove);
    QTest::keyClick(&workspace, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Bounds(a), QRectF(100, 100, 2, 20));
    EXPECT_EQ(modified.count(), 0);
}

TEST_F(Keys, ACharacterGridMovesByWholeCharacters)
{
    workspace.SetGridType(gtChar);
    workspace.SetGrid(fr1CharX, fr1CharY);
    QTest::keyClick(&workspace, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(&workspace, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Bounds(a), QRectF(100 + fr1CharX, 100 + fr1CharY, 80, 20));
}

TEST_F(Keys, PlainArrowsSelectTheNearestObject)
{
    const struct
    {
        TfrxMemoView *From;
        Qt::Key Key;
        TfrxMemoView *Expected;
    } cases[] = {
        {a, Qt::Key_Right, right},     {a, Qt::Key_Down, below}, {right, Qt::Key_Left, a},
        {below, Qt::Key_Right, right}, // none in its row: the nearest anywhere to the right
        {far, Qt::Key_Right, far},     // none at all: the selection stays
    };
    for (const auto &c : cases) {
        selected = {c.From};
        QTest::keyClick(&workspace, c.Key);
        EXPECT_EQ(selected, QList<TfrxComponent *>({c.Expected})) << c.From->Name().toStdString();
    }
}

TEST_F(Keys, TabGoesIntoABandAndAroundItsObjects)
{
    workspace.SetFreeBandsPlacement(true);
    auto *band = AddBand<TfrxMasterData>(500, 100);
    TfrxMemoView *first = AddMemo(band, {10, 10, 50, 20});
    TfrxMemoView *second = AddMemo(band, {100, 10, 50, 20});
    Refresh();
    selected = {band};
    QTest::keyClick(&workspace, Qt::Key_Tab);
    EXPECT_EQ(selected, QList<TfrxComponent *>({first}));
    QTest::keyClick(&workspace, Qt::Key_Tab);
    EXPECT_EQ(selected, QList<TfrxComponent *>({second}));
    QTest::keyClick(&workspace, Qt::Key_Tab);
    EXPECT_EQ(selected, QList<TfrxComponent *>({first}));
}

TEST_F(Keys, EnterEditsAndDeleteDeletes)
{
    QSignalSpy edit(&workspace, &TfrxDesignerWorkspace::EditRequested);
    QTest::keyClick(&workspace, Qt::Key_Return);
    EXPECT_EQ(edit.count(), 1);
    QTest::keyClick(&workspace, Qt::Key_Delete);
    EXPECT_FALSE(objects.contains(a));
    EXPECT_FALSE(page->Objects().contains(a));
    EXPECT_EQ(selected, QList<TfrxComponent *>({page}));
}

TEST_F(Keys, NothingWhileUpdatesAreDisabled)
{
    workspace.DisableUpdate();
    QTest::keyClick(&workspace, Qt::Key_Right, Qt::ControlModifier);
    Click({310, 110});
    EXPECT_EQ(Bounds(a), QRectF(100, 100, 80, 20));
    EXPECT_EQ(selected, QList<TfrxComponent *>({a}));
    workspace.EnableUpdate();
    Click({310, 110});
    EXPECT_EQ(selected, QList<TfrxComponent *>({right}));
}

} // namespace

// Inserting objects with the mouse: the frame the designer is asked to fill, clicks that mean the
// default size, and lines that keep their direction.

#include "WorkspaceFixture.h"

#include "TfrxDesigner.h"
#include "TfrxLineView.h"

namespace {

class Insertion : public WorkspaceFixture
{
protected:
    Insertion()
    {
        QObject::connect(&workspace, &TfrxDesignerWorkspace::InsertRequested,
                         [this](const TfrxInsertion &frame) { frames.append(frame); });
    }

    static QRectF FrameOf(const TfrxInsertion &frame)
    {
        return QRectF(frame.Left, frame.Top, frame.Width, frame.Height);
    }

    void InsertMemo() { workspace.SetInsertion(&TfrxMemoView::staticMetaObject, 0, 94, 19); }

    QList<TfrxInsertion> frames;
};

TEST_F(Insertion, AClickInsertsTheDefaultSizeOnTheGrid)
{
    workspace.SetGridAlign(true);
    InsertMemo();
    EXPECT_EQ(workspace.Mode(), dmInsertObject);
    MoveTo({103, 107}, {}, Qt::NoButton);
    EXPECT_DOUBLE_EQ(workspace.Insertion().Left, 100);
    EXPECT_DOUBLE_EQ(workspace.Insertion().Top, 104);

    Click({101, 103});
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].ComponentClass, &TfrxMemoView::staticMetaObject);
    EXPECT_EQ(FrameOf(frames[0]), QRectF(100, 100, 94, 19));
    // Back to selecting after an object other than a line.
    EXPECT_EQ(workspace.Insertion().ComponentClass, nullptr);
    EXPECT_EQ(workspace.Mode(), ::dmNone);
}

TEST_F(Insertion, DragsBelowFourPixelsAreClicks)
{
    const struct
    {
        const char *Case;
        QPointF To;
        QRectF Frame;
    } cases[] = {
        {"3 pixels each way", {103, 103}, {100, 100, 94, 19}},
        {"wide but 2 pixels high", {140, 102}, {100, 100, 94, 19}},
        {"a real frame", {140, 130}, {100, 100, 40, 30}},
        {"drawn up and left", {60, 70}, {60, 70, 40, 30}},
    };
    for (const auto &c : cases) {
        frames.clear();
        InsertMemo();
        Drag({100, 100}, c.To);
        ASSERT_EQ(frames.size(), 1) << c.Case;
        EXPECT_EQ(FrameOf(frames[0]), c.Frame) << c.Case;
    }
}

TEST_F(Insertion, LinesRunRightwardsOrDownwardsAndTheToolStays)
{
    workspace.SetInsertion(&TfrxLineView::staticMetaObject, 1, 94, 0);
    EXPECT_EQ(workspace.Mode(), dmInsertLine);
    const struct
    {
        QPointF To;
        QRectF Frame;
    } cases[] = {
        {{150, 180}, {150, 180, 50, 20}},  // mainly leftwards: turned round
        {{210, 150}, {210, 150, -10, 50}}, // mainly upwards: turned round
        {{260, 180}, {200, 200, 60, -20}}, // rightwards and up: kept
        {{201, 201}, {200, 200, 94, 0}},   // a click: the default length across
    };
    for (const auto &c : cases) {
        frames.clear();
        Drag({200, 200}, c.To);
        ASSERT_EQ(frames.size(), 1);
        EXPECT_EQ(FrameOf(frames[0]), c.Frame) << c.To.x() << ',' << c.To.y();
        EXPECT_EQ(workspace.Insertion().ComponentClass, &TfrxLineView::staticMetaObject);
    }
}

TEST_F(Insertion, NothingIsInsertedWhileTheHostForbidsIt)
{
    TfrxDesigner host;
    host.Restrictions = drDontInsertObject;
    InsertMemo();
    EXPECT_EQ(workspace.Mode(), ::dmNone);
    Click({100, 100});
    EXPECT_TRUE(frames.isEmpty());
}

TEST_F(Insertion, ChoosingNoClassReturnsToSelecting)
{
    InsertMemo();
    workspace.SetInsertion(nullptr, 0, 0, 0);
    EXPECT_EQ(workspace.Mode(), ::dmNone);
    Click({100, 100});
    EXPECT_TRUE(frames.isEmpty());
    EXPECT_EQ(selected, QList<TfrxComponent *>({page}));
}

} // namespace

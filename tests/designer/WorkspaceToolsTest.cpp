// The object toolbar's tools other than selecting: the hand, the zoom and the format painter.

#include "WorkspaceFixture.h"

#include <QScrollArea>
#include <QScrollBar>

namespace {

using Tools = WorkspaceFixture;

TEST_F(Tools, TheHandDragsThePage)
{
    QScrollArea area;
    area.setWidget(&workspace);
    area.resize(300, 300);
    area.show();
    area.horizontalScrollBar()->setValue(100);
    area.verticalScrollBar()->setValue(100);
    workspace.SetTool(wtHand);
    Press({200, 200});
    MoveTo({150, 140});
    Release({150, 140});
    EXPECT_EQ(area.horizontalScrollBar()->value(), 150);
    EXPECT_EQ(area.verticalScrollBar()->value(), 160);
    EXPECT_EQ(selected, QList<TfrxComponent *>({page}));
    area.takeWidget();
}

TEST_F(Tools, TheZoomGoesInWithTheLeftButtonAndOutWithTheRight)
{
    QSignalSpy zoomed(&workspace, &TfrxDesignerWorkspace::ScaleChanged);
    workspace.SetTool(wtZoom);
    Click({200, 200});
    EXPECT_DOUBLE_EQ(workspace.Scale(), 1.25);
    Press({200, 200}, {}, Qt::RightButton);
    Release({200, 200}, {}, Qt::RightButton);
    EXPECT_DOUBLE_EQ(workspace.Scale(), 1);
    ASSERT_EQ(zoomed.count(), 2);
    EXPECT_DOUBLE_EQ(zoomed[0][0].toDouble(), 1.25);
}

TEST_F(Tools, TheFormatPainterNamesTheObjectClicked)
{
    TfrxMemoView *memo = AddMemo(page, {100, 100, 80, 20});
    Refresh();
    QList<TfrxComponent *> painted;
    QObject::connect(&workspace, &TfrxDesignerWorkspace::FormatPainted,
                     [&painted](TfrxComponent *object) { painted.append(object); });
    workspace.SetTool(wtCopyFormat);
    Drag({110, 110}, {150, 150});
    EXPECT_EQ(painted, QList<TfrxComponent *>({memo}));
    EXPECT_EQ(Bounds(memo), QRectF(100, 100, 80, 20));
    EXPECT_EQ(selected, QList<TfrxComponent *>({page}));
}

} // namespace

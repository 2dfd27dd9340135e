// Editing a text object's text where it stands on the page.

#include "WorkspaceFixture.h"

#include "TfrxInplaceMemo.h"

#include <QFocusEvent>

using namespace zor;

namespace {

class InplaceEditing : public WorkspaceFixture
{
protected:
    InplaceEditing()
    {
        memo = AddMemo(page, {100, 100, 120, 40});
        memo->SetText(QStringLiteral("First line\r\nSecond line\r\n"));
        Refresh();
        workspace.show();
    }

    TfrxInplaceMemo *Editor() const { return workspace.findChild<TfrxInplaceMemo *>(); }

    void LeaveEditor()
    {
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(Editor(), &out);
    }

    TfrxMemoView *memo;
};

TEST_F(InplaceEditing, AltClickOpensTheTextWithoutItsLastLineBreakAllSelected)
{
    Click({150, 110}, Qt::AltModifier);
    ASSERT_TRUE(workspace.IsEditingInPlace());
    EXPECT_EQ(selected, QList<TfrxComponent *>({memo}));
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("First line\nSecond line"));
    EXPECT_EQ(Editor()->textCursor().selectedText().size(), Editor()->toPlainText().size());
    EXPECT_EQ(Editor()->geometry(), QRect(workspace.ReportToWidget({100, 100}).toPoint(), QSize(120, 40)));
    EXPECT_EQ(Bounds(memo), QRectF(100, 100, 120, 40)); // Alt with the click does not move it
}

TEST_F(InplaceEditing, LeavingTheEditorAppliesTheTextAsOneChange)
{
    Click({150, 110}, Qt::AltModifier);
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
    Editor()->setPlainText(QStringLiteral("Новый текст"));
    LeaveEditor();
    EXPECT_FALSE(workspace.IsEditingInPlace());
    EXPECT_EQ(memo->Text(), QStringLiteral("Новый текст\r\n"));
    EXPECT_EQ(modified.count(), 1);
}

TEST_F(InplaceEditing, EscapeDiscardsAndAnUnchangedTextIsNoChange)
{
    Click({150, 110}, Qt::AltModifier);
    QSignalSpy modified(&workspace, &TfrxDesignerWorkspace::Modified);
    Editor()->setPlainText(QStringLiteral("thrown away"));
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_FALSE(workspace.IsEditingInPlace());
    EXPECT_EQ(memo->Text(), QStringLiteral("First line\r\nSecond line\r\n"));

    Click({150, 110}, Qt::AltModifier);
    workspace.CloseInplaceEditor();
    EXPECT_EQ(modified.count(), 0);
}

TEST_F(InplaceEditing, TheObjectGrowsWithTheEditor)
{
    workspace.SetScale(2);
    Click({150, 110}, Qt::AltModifier);
    Editor()->setPlainText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10"));
    const QSize grown = Editor()->size();
    ASSERT_GT(grown.height(), 80);
    workspace.CloseInplaceEditor();
    EXPECT_DOUBLE_EQ(memo->Width(), (grown.width() + 5) / 2.0);
    EXPECT_DOUBLE_EQ(memo->Height(), (grown.height() + 5) / 2.0);
}

TEST_F(InplaceEditing, RestrictedObjectsAreNotEditedInPlace)
{
    for (const TfrxRestriction restriction : {rfDontEdit, rfDontModify}) {
        memo->SetRestrictions(restriction);
        Click({150, 110}, Qt::AltModifier);
        EXPECT_FALSE(workspace.IsEditingInPlace()) << restriction;
    }
}

TEST_F(InplaceEditing, TheEditTextToolOpensItWithAPlainClick)
{
    workspace.SetTool(wtEditText);
    Click({150, 110});
    ASSERT_TRUE(workspace.IsEditingInPlace());
    Editor()->setPlainText(QStringLiteral("changed"));
    // A click elsewhere on the page closes the editor and keeps its text.
    Click({500, 500});
    EXPECT_FALSE(workspace.IsEditingInPlace());
    EXPECT_EQ(memo->Text(), QStringLiteral("changed\r\n"));
}

} // namespace

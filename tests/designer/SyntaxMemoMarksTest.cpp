// Bookmarks, breakpoints and the debugger's lines follow their lines when lines come and go.

#include "SyntaxMemoFixture.h"

#include <QClipboard>

#include <functional>

namespace {

class SyntaxMemoMarks : public SyntaxMemoFixture
{
protected:
    SyntaxMemoMarks() { Reset(); }

    // Six lines, a breakpoint on line 3 and bookmark 0 on line 5.
    void Reset()
    {
        for (int line = 1; line <= 10; ++line)
            memo.DeleteBreakPoint(line);
        Load({QStringLiteral("line1"), QStringLiteral("line2"), QStringLiteral("line3"),
              QStringLiteral("line4"), QStringLiteral("line5"), QStringLiteral("line6")});
        memo.AddBreakPoint(3, {});
        memo.AddBookmark(5, 0);
    }

    // The one line that holds a breakpoint, or -1.
    int BreakPointLine() const
    {
        int found = -1;
        for (int line = 1; line <= 10; ++line)
            if (memo.IsBreakPoint(line))
                found = found < 0 ? line : -2;
        return found;
    }
};

TEST_F(SyntaxMemoMarks, FollowTheirLines)
{
    const auto paste = [this] {
        QApplication::clipboard()->setText(QStringLiteral("a\nb\n"));
        memo.SetPos(1, 1);
        Key(Qt::Key_V, Qt::ControlModifier);
    };
    const auto cutLines2And3 = [this] {
        memo.SetPos(1, 2);
        Key(Qt::Key_Down, Qt::ShiftModifier);
        Key(Qt::Key_Down, Qt::ShiftModifier);
        Key(Qt::Key_X, Qt::ControlModifier);
    };
    const struct
    {
        const char *name;
        QPoint caret;
        std::function<void()> edit;
        int breakPoint;
        int bookmark;
    } cases[] = {
        {"Enter at the start of a line above", {1, 2}, [this] { Key(Qt::Key_Return); }, 4, 6},
        {"Enter at the start of the marked line", {1, 3}, [this] { Key(Qt::Key_Return); }, 4, 6},
        {"Enter at the end of the marked line", {6, 3}, [this] { Key(Qt::Key_Return); }, 3, 6},
        {"typing on the marked line", {1, 3}, [this] { Type(QStringLiteral("x")); }, 3, 5},
        {"deleting a line above", {1, 1}, [this] { Key(Qt::Key_Y, Qt::ControlModifier); }, 2, 4},
        {"deleting the marked line", {1, 3}, [this] { Key(Qt::Key_Y, Qt::ControlModifier); }, -1, 4},
        {"joining the next line with Delete", {6, 3}, [this] { Key(Qt::Key_Delete); }, 3, 4},
        {"pasting lines above", {1, 1}, paste, 5, 7},
        {"cutting the lines 2 and 3", {1, 2}, cutLines2And3, -1, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        memo.SetPos(c.caret.x(), c.caret.y());
        c.edit();
        EXPECT_EQ(BreakPointLine(), c.breakPoint);
        EXPECT_EQ(memo.IsBookmark(c.bookmark), 0);
    }
}

TEST_F(SyntaxMemoMarks, DebuggerLinesFollowTheirLinesToo)
{
    memo.SetActiveLine(4);
    memo.SetRunLine(4, true);
    memo.SetPos(1, 1);
    Key(Qt::Key_Return);
    EXPECT_EQ(memo.ActiveLine(), 5);
    EXPECT_TRUE(memo.RunLine(5));
    EXPECT_FALSE(memo.RunLine(4));
    memo.SetActiveLine(-1);
    EXPECT_EQ(memo.ActiveLine(), -1);
}

TEST_F(SyntaxMemoMarks, RunToCursorBreakPointsGoTogether)
{
    memo.ToggleBreakPoint(4, QStringLiteral("x > 1"));
    memo.AddBreakPoint(5, QStringLiteral("F4"));
    EXPECT_EQ(memo.GetBreakPointCondition(4), QStringLiteral("x > 1"));
    memo.DeleteF4BreakPoints();
    EXPECT_TRUE(memo.IsBreakPoint(3));
    EXPECT_TRUE(memo.IsBreakPoint(4));
    EXPECT_FALSE(memo.IsBreakPoint(5));
    memo.ToggleBreakPoint(4, {});
    memo.DeleteBreakPoint(3);
    EXPECT_FALSE(memo.HasBreakPoints());
}

} // namespace

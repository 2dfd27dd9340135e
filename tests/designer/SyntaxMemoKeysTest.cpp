// The script editor's keys: indentation by Enter, Tab and Backspace, deleting words and lines,
// block indentation, undo, bookmarks, and typing from keys and input methods.

#include "SyntaxMemoFixture.h"

#include <QClipboard>
#include <QInputMethodEvent>

namespace {

using SyntaxMemoKeys = SyntaxMemoFixture;

TEST_F(SyntaxMemoKeys, TabFillsUpToTheNextMultipleOfEight)
{
    const struct
    {
        int column;
        int spaces;
    } cases[] = {{1, 7}, {8, 8}, {9, 7}, {12, 4}, {16, 8}};
    const QString text = QStringLiteral("abcdefghijklmnopqr");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.column);
        Load({text}, c.column);
        Key(Qt::Key_Tab);
        EXPECT_EQ(Lines(),
                  QStringList{text.left(c.column - 1) + QString(c.spaces, u' ') + text.mid(c.column - 1)});
        EXPECT_EQ(Pos(), QPoint(c.column + c.spaces, 1));
    }
}

TEST_F(SyntaxMemoKeys, EnterIndentsTheNewLine)
{
    const struct
    {
        const char *name;
        QString line;
        int column;
        QStringList lines;
        QPoint pos;
    } cases[] = {
        {"like the line broken", QStringLiteral("  begin"), 8, {QStringLiteral("  begin"), {}}, {3, 2}},
        {"the rest moves to the indent",
         QStringLiteral("  a := 1;  b := 2;"),
         10,
         {QStringLiteral("  a := 1;"), QStringLiteral("  b := 2;")},
         {3, 2}},
        {"a blank line: to the caret", {}, 5, {{}, {}}, {5, 2}},
        {"at the start of an indented line", QStringLiteral("  x"), 1, {{}, QStringLiteral("  x")}, {3, 2}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Load({c.line}, c.column);
        Key(Qt::Key_Return);
        EXPECT_EQ(Lines(), c.lines);
        EXPECT_EQ(Pos(), c.pos);
    }
    // The caret stands in the indent of the empty new line; typing fills it with spaces.
    Load({QStringLiteral("    if a then")}, 14);
    Key(Qt::Key_Return);
    Type(QStringLiteral("b"));
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("    if a then"), QStringLiteral("    b")}));
}

TEST_F(SyntaxMemoKeys, BackspaceUnindentsToTheLinesAbove)
{
    Load({QStringLiteral("begin"), QStringLiteral("  if x then"), QStringLiteral("      y")}, 7, 3);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Lines()[2], QStringLiteral("  y"));
    EXPECT_EQ(Pos(), QPoint(3, 3));
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Lines()[2], QStringLiteral("y"));
    EXPECT_EQ(Pos(), QPoint(1, 3));
    Key(Qt::Key_Backspace); // at column 1 the line joins the one above
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("begin"), QStringLiteral("  if x theny")}));
    EXPECT_EQ(Pos(), QPoint(12, 2));

    // On a blank line the caret goes back to the indentation of the line above.
    Load({QStringLiteral("    x"), {}}, 9, 2);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("    x"), {}}));
    EXPECT_EQ(Pos(), QPoint(5, 2));
}

TEST_F(SyntaxMemoKeys, DeletePastTheEndJoinsTheNextLineAtTheCaret)
{
    Load({QStringLiteral("ab"), QStringLiteral("cd")}, 5);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("ab  cd")});
    EXPECT_EQ(Pos(), QPoint(5, 1));
    Key(Qt::Key_Delete);
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("ab  d")});
}

TEST_F(SyntaxMemoKeys, CtrlBackspaceAndCtrlDeleteTakeWholeWords)
{
    const struct
    {
        const char *name;
        int column;
        Qt::Key key;
        QString result;
        int caret;
    } cases[] = {
        {"the word ending at the caret", 11, Qt::Key_Backspace, QStringLiteral("alpha "), 7},
        {"the word around the caret, backwards", 9, Qt::Key_Backspace, QStringLiteral("alpha "), 7},
        {"the word starting at the caret", 7, Qt::Key_Delete, QStringLiteral("alpha "), 7},
        {"the word around the caret, forwards", 3, Qt::Key_Delete, QStringLiteral(" beta"), 1},
        {"no word: one character", 6, Qt::Key_Delete, QStringLiteral("alphabeta"), 6},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Load({QStringLiteral("alpha beta")}, c.column);
        Key(c.key, Qt::ControlModifier);
        EXPECT_EQ(Lines(), QStringList{c.result});
        EXPECT_EQ(Pos().x(), c.caret);
    }
}

TEST_F(SyntaxMemoKeys, CtrlYDeletesTheLineButEmptiesTheLast)
{
    Load({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}, 2, 2);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("one"), QStringLiteral("three")}));
    EXPECT_EQ(Pos(), QPoint(1, 2));
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("one"), {}}));
    EXPECT_EQ(Pos(), QPoint(1, 2));
}

TEST_F(SyntaxMemoKeys, BlockIndentShiftsLinesWithText)
{
    Load({QStringLiteral(" a"), {}, QStringLiteral("    b")});
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_U, Qt::ControlModifier); // by the least indentation, at most 2
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("a"), {}, QStringLiteral("   b")}));
    Key(Qt::Key_U, Qt::ControlModifier); // "a" has none left: nothing moves
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("a"), {}, QStringLiteral("   b")}));
    Key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("  a"), {}, QStringLiteral("     b")}));

    // A selection that ends at the start of a line leaves that line alone.
    Load({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("  a"), QStringLiteral("  b"), QStringLiteral("c")}));

    // Without a selection, the caret's line.
    Load({QStringLiteral("a"), QStringLiteral("b")}, 1, 2);
    Key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("a"), QStringLiteral("  b")}));
    EXPECT_EQ(Pos(), QPoint(1, 2));
}

TEST_F(SyntaxMemoKeys, TypingInARowIsOneUndoStep)
{
    Load({QStringLiteral("x")}, 2);
    Type(QStringLiteral("hello"));
    Key(Qt::Key_Return);
    Type(QStringLiteral("world"));
    Key(Qt::Key_Z, Qt::ControlModifier); // Enter began a step of its own
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("xhello")});
    EXPECT_EQ(Pos(), QPoint(7, 1));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("x")});
    EXPECT_EQ(Pos(), QPoint(2, 1));
    EXPECT_FALSE(memo.CanUndo());
}

TEST_F(SyntaxMemoKeys, ThirtyThreeEditsKeepTheLastThirtyTwo)
{
    Load({{}});
    for (int edit = 0; edit < 33; ++edit) {
        Key(Qt::Key_End); // a movement separates the edits
        Type(QString::number(edit % 10));
    }
    for (int step = 0; step < 32; ++step)
        Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("0")}); // the first edit can no longer be undone
    EXPECT_FALSE(memo.CanUndo());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("0")});
}

TEST_F(SyntaxMemoKeys, MovementsWithShiftSelect)
{
    Load({QStringLiteral("alpha beta"), QStringLiteral("gamma")});
    Key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo.SelText(), QStringLiteral("alpha "));
    Key(Qt::Key_End, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(memo.SelText(), QStringLiteral("alpha beta\r\n"));
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(memo.SelText(), QString());
    EXPECT_EQ(Pos(), QPoint(6, 2));
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Pos(), QPoint(1, 2));
    Key(Qt::Key_Left);
    EXPECT_EQ(Pos(), QPoint(11, 1));
}

TEST_F(SyntaxMemoKeys, ClipboardKeysCopyCutAndPastePlainText)
{
    Load({QStringLiteral("ab"), QStringLiteral("cd")}, 2);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("b\nc"));
    Key(Qt::Key_Delete, Qt::ShiftModifier); // cut
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("ad")});
    Key(Qt::Key_Insert, Qt::ShiftModifier); // paste
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("ab"), QStringLiteral("cb"), QStringLiteral("cd")}));
    EXPECT_EQ(Pos(), QPoint(2, 3));
}

TEST_F(SyntaxMemoKeys, BookmarksAreSetClearedAndVisitedWithCtrlDigits)
{
    Load({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}, 1, 4);
    Key(Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo.IsBookmark(4), 3);
    memo.SetPos(1, 2);
    // Shift turns the digit into its character, "!" for 1 on English and Russian keyboards.
    Key(Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo.IsBookmark(2), 1);
    Key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(Pos(), QPoint(1, 4));
    Key(Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier); // the line has it: cleared
    EXPECT_EQ(memo.IsBookmark(4), -1);
    Key(Qt::Key_3, Qt::ControlModifier); // an unset bookmark goes nowhere
    EXPECT_EQ(Pos(), QPoint(1, 4));
}

TEST_F(SyntaxMemoKeys, KeysWithTextTypeUnlessCtrlIsHeld)
{
    Load({{}});
    Type(QStringLiteral("Привет, мир"));
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("Привет, мир")});
    // AltGr is a level-3 shift, not Ctrl+Alt: its characters type.
    Type(QStringLiteral("№"), Qt::AltModifier | Qt::GroupSwitchModifier);
    Type(QStringLiteral("q"), Qt::ControlModifier);
    Type(QStringLiteral(" "), Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("Привет, мир№")});
    // Typing replaces the selection.
    Key(Qt::Key_Home, Qt::ShiftModifier);
    Type(QStringLiteral("ё"));
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("ё")});
}

TEST_F(SyntaxMemoKeys, InputMethodTextTypesOnlyWhenCommitted)
{
    Load({QStringLiteral("a")}, 2);
    QInputMethodEvent composing(QStringLiteral("ёл"), {});
    QApplication::sendEvent(&memo, &composing);
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("a")});
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("ёлка"));
    QApplication::sendEvent(&memo, &committed);
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("aёлка")});
    EXPECT_EQ(Pos(), QPoint(6, 1));
    EXPECT_EQ(memo.inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("aёлка"));
}

} // namespace

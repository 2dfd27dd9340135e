// The script editor's text: finding, positions in the whole text, lines longer than typing
// makes, the message line and what the editor signals.

#include "SyntaxMemoFixture.h"

#include <QLabel>
#include <QSignalSpy>

namespace {

using SyntaxMemoText = SyntaxMemoFixture;

TEST_F(SyntaxMemoText, FindSelectsEachMatchInTurn)
{
    Load({QStringLiteral("one Two"), QStringLiteral("two three")});
    int from = 0;
    ASSERT_TRUE(memo.Find(QStringLiteral("two"), false, from));
    EXPECT_EQ(memo.SelText(), QStringLiteral("Two"));
    EXPECT_EQ(Pos(), QPoint(5, 1)); // the caret at the start of the match
    EXPECT_EQ(from, 8);
    ASSERT_TRUE(memo.Find(QStringLiteral("two"), false, from));
    EXPECT_EQ(Pos(), QPoint(1, 2));
    EXPECT_FALSE(memo.Find(QStringLiteral("two"), false, from));

    from = 0;
    ASSERT_TRUE(memo.Find(QStringLiteral("two"), true, from));
    EXPECT_EQ(Pos(), QPoint(1, 2));
    from = 0;
    ASSERT_TRUE(memo.Find(QStringLiteral("Two\r\ntw"), true, from)); // across the line break
    EXPECT_EQ(memo.SelText(), QStringLiteral("Two\r\ntw"));
}

TEST_F(SyntaxMemoText, FindSearchesAOneLineTextCaseByCharacter)
{
    Load({QStringLiteral("Ёлка и ЁЛКА")});
    int from = 0;
    ASSERT_TRUE(memo.Find(QStringLiteral("ёлКа"), false, from));
    EXPECT_EQ(Pos(), QPoint(1, 1));
    ASSERT_TRUE(memo.Find(QStringLiteral("ёлКа"), false, from));
    EXPECT_EQ(Pos(), QPoint(8, 1));
}

// Replacing a match and searching on from the caret goes past the inserted text, so a replacement
// that contains the searched text does not find itself again.
TEST_F(SyntaxMemoText, SearchingOnAfterAReplacementSkipsTheInsertedText)
{
    Load({QStringLiteral("a-a")});
    int from = 0;
    ASSERT_TRUE(memo.Find(QStringLiteral("a"), true, from));
    memo.SetSelText(QStringLiteral("ba"));
    from = memo.GetPlainPos();
    ASSERT_TRUE(memo.Find(QStringLiteral("a"), true, from));
    memo.SetSelText(QStringLiteral("ba"));
    from = memo.GetPlainPos();
    EXPECT_FALSE(memo.Find(QStringLiteral("a"), true, from));
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("ba-ba")});
}

TEST_F(SyntaxMemoText, PlainPositionCountsLineBreaksAsTwoCharacters)
{
    Load({QStringLiteral("ab"), QStringLiteral("cd")}, 2, 2);
    EXPECT_EQ(memo.GetPlainPos(), 6);
    memo.SetPos(9, 1); // past the end of the line counts as its end
    EXPECT_EQ(memo.GetPlainPos(), 3);
}

// Lines longer than typing may make come from scripts, files and pastes; they stay whole, and
// places on them compare by line first, whatever their column.
TEST_F(SyntaxMemoText, LongLinesStayWhole)
{
    const QString longLine(2000, u'x');
    Load({longLine, QStringLiteral("short")});
    EXPECT_EQ(Lines()[0], longLine);
    memo.SetPos(1500, 1);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(memo.SelText(), QString(501, u'x') + QStringLiteral("\r\n"));

    memo.SetPos(1, 2);
    memo.SetSelText(QString(3000, u'y') + u'\n');
    EXPECT_EQ(Lines()[1], QString(3000, u'y'));
    EXPECT_EQ(Lines()[2], QStringLiteral("short"));
}

TEST_F(SyntaxMemoText, TypingStopsAtTheLineLengthLimit)
{
    Load({QString(TfrxSyntaxMemo::MaxLength - 1, u'x')}, TfrxSyntaxMemo::MaxLength);
    Type(QStringLiteral("yz"));
    EXPECT_EQ(Lines()[0], QString(TfrxSyntaxMemo::MaxLength - 1, u'x') + u'y');
    Key(Qt::Key_Home);
    Type(QStringLiteral("z"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Lines()[0].size(), TfrxSyntaxMemo::MaxLength);
    EXPECT_EQ(Pos(), QPoint(1, 1));
}

TEST_F(SyntaxMemoText, TheMessageLineGoesWithTheNextEdit)
{
    Load({QStringLiteral("begin")});
    const auto *message = memo.findChild<QLabel *>(QStringLiteral("Message"));
    memo.ShowMessage(QStringLiteral("';' expected"));
    ASSERT_TRUE(message->isVisible());
    EXPECT_EQ(message->text(), QStringLiteral("';' expected"));
    EXPECT_LE(memo.viewport()->geometry().bottom(), message->geometry().top());
    Type(QStringLiteral(" "));
    EXPECT_FALSE(message->isVisible());
}

TEST_F(SyntaxMemoText, SignalsTellEditsAndCaretMoves)
{
    QSignalSpy text(&memo, &TfrxSyntaxMemo::ChangeText);
    QSignalSpy pos(&memo, &TfrxSyntaxMemo::ChangePos);
    Load({QStringLiteral("x"), QStringLiteral("z")}); // setting the text is no edit
    EXPECT_EQ(text.count(), 0);
    Type(QStringLiteral("ab"));
    EXPECT_EQ(text.count(), 2);
    pos.clear();
    Key(Qt::Key_Down);
    EXPECT_EQ(pos.count(), 1);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text.count(), 3);
}

TEST_F(SyntaxMemoText, TextWithLineBreaksIsSplitIntoLines)
{
    memo.SetLines({QStringLiteral("a\r\nb\nc\rd"), QStringLiteral("e")});
    EXPECT_EQ(Lines(), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                    QStringLiteral("d"), QStringLiteral("e")}));
    memo.SetLines({});
    EXPECT_EQ(Lines(), QStringList{QString()});
}

} // namespace

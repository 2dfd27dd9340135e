// The script editor on screen: the mouse, the wheel, what a keystroke repaints, the completion
// list, and a picture of a coloured script with the gutter's marks (in the temporary folder's
// "zelta-syntaxmemo") to be looked at.

#include "SyntaxMemoFixture.h"

#include "TfrxCompletionList.h"

#include <QDir>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

using SyntaxMemoView = SyntaxMemoFixture;

QStringList Program()
{
    return {
        QStringLiteral("// Прячет пустые строки свидетельства"),
        QStringLiteral("procedure Memo1OnBeforePrint(Sender: TfrxComponent);"),
        QStringLiteral("var"),
        QStringLiteral("  i: Integer;"),
        QStringLiteral("begin"),
        QStringLiteral("  { сумма часов по десяти предметам }"),
        QStringLiteral("  for i := 1 to 10 do"),
        QStringLiteral("    Total := Total + StrToInt(Hours[i]);"),
        QStringLiteral("  if Total > $FF then"),
        QStringLiteral("    Memo1.Text := 'Итого: ' + IntToStr(Total);"),
        QStringLiteral("  Memo1.Visible := Total <> 0;"),
        QStringLiteral("end;"),
        QString(),
        QStringLiteral("begin"),
        QStringLiteral("  Total := 0.5e1;"),
        QStringLiteral("end."),
    };
}

TEST_F(SyntaxMemoView, MouseSetsTheCaretAndSelects)
{
    Load({QStringLiteral("alpha beta"), QStringLiteral("gamma")});
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, {}, CellAt(3, 2));
    EXPECT_EQ(Pos(), QPoint(3, 2));
    QTest::mouseClick(memo.viewport(), Qt::LeftButton, Qt::ShiftModifier, CellAt(7, 1));
    EXPECT_EQ(memo.SelText(), QStringLiteral("beta\r\nga"));

    const QPoint from = CellAt(2, 1);
    const QPoint to = CellAt(5, 1);
    QTest::mousePress(memo.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(memo.viewport(), to);
    QTest::mouseRelease(memo.viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(memo.SelText(), QStringLiteral("lph"));

    const QPoint inBeta = CellAt(8, 1);
    QTest::mouseDClick(memo.viewport(), Qt::LeftButton, {}, inBeta);
    EXPECT_EQ(memo.SelText(), QStringLiteral("beta"));
}

TEST_F(SyntaxMemoView, TheWheelScrollsByLines)
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("line %1").arg(i + 1);
    Load(lines);
    const QPoint at = memo.viewport()->rect().center();
    QWheelEvent wheel(at, memo.viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(memo.viewport(), &wheel);
    EXPECT_EQ(memo.verticalScrollBar()->value(), QApplication::wheelScrollLines());
}

// Collects the areas of the viewport that are repainted.
class PaintedArea : public QObject
{
public:
    QRegion Area;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            Area += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

TEST_F(SyntaxMemoView, AKeystrokeRepaintsWhatItChanged)
{
    Load(Program(), 3, 5);
    QApplication::processEvents();
    const int lineHeight = memo.inputMethodQuery(Qt::ImCursorRectangle).toRect().height();
    PaintedArea painted;
    memo.viewport()->installEventFilter(&painted);

    Type(QStringLiteral("x"));
    QApplication::processEvents();
    EXPECT_EQ(painted.Area.boundingRect().height(), lineHeight) << "only the line typed on";

    memo.SetPos(1, 8);
    QApplication::processEvents();
    painted.Area = {};
    Type(QStringLiteral("{"));
    QApplication::processEvents();
    // The brace opens a comment that runs to the end: every line from it on changes colour.
    EXPECT_EQ(painted.Area.boundingRect(),
              QRect(0, 7 * lineHeight, memo.viewport()->width(), 9 * lineHeight));
}

TEST(SyntaxMemoCompletionExpression, IsTheDottedNameBeforeTheCaret)
{
    const struct
    {
        const char *text;
        const char *expression;
    } cases[] = {
        {"  x := Report.Pages", "Report.Pages"},
        {"ShowMessage(Memo1.Font.", "Memo1.Font."},
        {"s := Report.Get('a.b)').Fo", "Report.Get('a.b)').Fo"},
        {"Copy(s, 1, 2).Le  ", "Copy(s, 1, 2).Le"},
        {"a + b", "b"},
        {"s := 'Memo1.Fo", "Memo1.Fo"},
        {"Данные.Поле", "Данные.Поле"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TfrxCompletionList::Expression(QString::fromUtf8(c.text)), QString::fromUtf8(c.expression))
            << c.text;
}

TEST_F(SyntaxMemoView, CompletionOffersNamesAndInsertsTheChosenOne)
{
    QString asked;
    QObject::connect(&memo, &TfrxSyntaxMemo::CodeCompletion, &memo, [&](const QString &expression) {
        asked = expression;
        memo.ShowCompletion({QStringLiteral("Frame"), QStringLiteral("Font"), QStringLiteral("Left"),
                             QStringLiteral("Font")});
    });
    Load({QStringLiteral("  Memo1.Fo")}, 11);
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(asked, QStringLiteral("Memo1.Fo"));
    auto *list = memo.findChild<TfrxCompletionList *>();
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Font"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Left"));

    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("  Memo1.Fo")});

    Key(Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Return); // the first name starts with what was typed
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("  Memo1.Font")});

    Type(QStringLiteral("."));
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(asked, QStringLiteral("Memo1.Font."));
    QApplication::processEvents(); // lays the rows out
    const QRect row = list->visualItemRect(list->item(2));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("  Memo1.Font.Left")});
}

TEST_F(SyntaxMemoView, WithoutACompletionProviderCtrlSpaceDoesNothing)
{
    Load({QStringLiteral("Memo1.")}, 7);
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_FALSE(memo.findChild<TfrxCompletionList *>()->isVisible());
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("Memo1.")});
}

// A picture to look at: coloured PascalScript with a breakpoint, a conditional one, a bookmark,
// the line being debugged, executable lines and a selection.
TEST_F(SyntaxMemoView, Picture)
{
    memo.resize(620, 330);
    Load(Program(), 5, 10);
    memo.AddBreakPoint(8, {});
    memo.AddBreakPoint(11, QStringLiteral("Total > 5"));
    memo.AddBookmark(2, 1);
    for (int line : {7, 8, 9, 10, 11, 15})
        memo.SetRunLine(line, true);
    memo.SetActiveLine(9);
    memo.SetPos(5, 10);
    Key(Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    QApplication::processEvents();
    const QImage picture = memo.grab().toImage();
    const QDir folder(QDir::temp().filePath(QStringLiteral("zelta-syntaxmemo")));
    folder.mkpath(QStringLiteral("."));
    EXPECT_TRUE(
        picture.save(folder.filePath(QStringLiteral("SyntaxMemo@%1.png").arg(picture.devicePixelRatio()))));

    // The breakpoint's dot is red, in the gutter of line 8.
    const QPoint dot = QPoint(10, int(7.5 * memo.inputMethodQuery(Qt::ImCursorRectangle).toRect().height()));
    const QColor colour = picture.pixelColor(dot * picture.devicePixelRatio());
    EXPECT_GT(colour.red(), 180);
    EXPECT_LT(colour.green(), 120);
}

} // namespace

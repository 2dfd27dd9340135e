// Typing into the script editor on a script of 5,000 lines: each keystroke, with the repaint it
// causes, must stay well under 5 ms, so colouring has to be lazy (only as far as the lines drawn)
// and incremental (only from the changed line on).
#include "TfrxSyntaxMemo.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

QStringList LongScript()
{
    QStringList lines;
    for (int i = 0; lines.size() < 5000; ++i) {
        lines << QStringLiteral("procedure Memo%1OnBeforePrint(Sender: TfrxComponent);").arg(i)
              << QStringLiteral("begin") << QStringLiteral("  { keep the total }")
              << QStringLiteral("  Total := Total + %1 * 2.5; // rounded later").arg(i)
              << QStringLiteral("  Memo%1.Text := 'Sum: ' + FormatFloat('0.00', Total);").arg(i)
              << QStringLiteral("end;") << QString();
    }
    lines << QStringLiteral("begin") << QStringLiteral("end.");
    return lines;
}

// Lines are typed this long and then broken with Enter, so that no line reaches the typing limit.
constexpr int lineLength = 60;

// The n-th key of a run of typing: letters, now and then a space, Enter at the end of a line; then
// the editor is painted, as the screen would be before the next key.
void TypeKey(TfrxSyntaxMemo &memo, int n)
{
    const int column = n % (lineLength + 1);
    const bool enter = column == lineLength;
    const QString text = enter             ? QStringLiteral("\r")
                         : column % 8 == 7 ? QStringLiteral(" ")
                                           : QString(QChar(u'a' + n % 26));
    QKeyEvent press(QEvent::KeyPress, enter ? Qt::Key_Return : Qt::Key_A, Qt::NoModifier, text);
    QApplication::sendEvent(&memo, &press);
    memo.viewport()->repaint();
}

// One character typed in the middle of the script, painted before the next one.
void TypeIntoLongScript(benchmark::State &state)
{
    TfrxSyntaxMemo memo;
    memo.SetSyntax(QStringLiteral("PascalScript"));
    memo.SetLines(LongScript());
    memo.resize(900, 700);
    memo.show();
    memo.SetPos(3, 2502);
    memo.activateWindow();
    memo.setFocus();
    QApplication::processEvents();
    memo.repaint();
    int typed = 0;
    for (auto _ : state) {
        TypeKey(memo, typed++);
    }
    state.SetItemsProcessed(typed);
    if (memo.Lines().size() <= 5000 + typed / lineLength / 2)
        state.SkipWithError("the keys were not typed");
}
BENCHMARK(TypeIntoLongScript)->Unit(benchmark::kMillisecond);

// The same typed near the top, so that every line below is dropped from the colouring.
void TypeAtTheTopOfLongScript(benchmark::State &state)
{
    TfrxSyntaxMemo memo;
    memo.SetSyntax(QStringLiteral("PascalScript"));
    memo.SetLines(LongScript());
    memo.resize(900, 700);
    memo.show();
    memo.SetPos(3, 3);
    memo.activateWindow();
    memo.setFocus();
    QApplication::processEvents();
    memo.repaint();
    int typed = 0;
    for (auto _ : state) {
        TypeKey(memo, typed++);
    }
    state.SetItemsProcessed(typed);
    if (memo.Lines().size() <= 5000 + typed / lineLength / 2)
        state.SkipWithError("the keys were not typed");
}
BENCHMARK(TypeAtTheTopOfLongScript)->Unit(benchmark::kMillisecond);

} // namespace

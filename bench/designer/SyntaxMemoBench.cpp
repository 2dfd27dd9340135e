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

// One character typed in the middle of the script, painted before the next one.
void TypeIntoLongScript(benchmark::State &state)
{
    TfrxSyntaxMemo memo;
    memo.SetSyntax(QStringLiteral("PascalScript"));
    memo.SetLines(LongScript());
    memo.resize(900, 700);
    memo.show();
    memo.SetPos(3, 2502);
    memo.repaint();
    int typed = 0;
    for (auto _ : state) {
        const QChar c = typed++ % 40 == 39 ? QChar(u' ') : QChar(u'a' + typed % 26);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&memo, &press);
        memo.viewport()->repaint();
    }
    state.SetItemsProcessed(typed);
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
    memo.repaint();
    int typed = 0;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&memo, &press);
        memo.viewport()->repaint();
        ++typed;
    }
    state.SetItemsProcessed(typed);
}
BENCHMARK(TypeAtTheTopOfLongScript)->Unit(benchmark::kMillisecond);

} // namespace

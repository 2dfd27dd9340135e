// Interpreter speed: a loop summing a million integers, recursive calls, and a short report
// expression evaluated many times through the expression cache.
#include "TfrxExpressionCache.h"
#include "TfsScript.h"

#include <benchmark/benchmark.h>

namespace {

void runProgram(benchmark::State &state, const char *language, const char *source)
{
    TfsScript script;
    script.SetSyntaxType(QString::fromUtf8(language));
    script.SetLines(QString::fromUtf8(source));
    if (!script.Compile()) {
        state.SkipWithError(script.ErrorMsg().toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        script.Execute();
        benchmark::DoNotOptimize(script.Variable(QStringLiteral("s")));
    }
}

void BM_SumMillionPascal(benchmark::State &state)
{
    runProgram(state, "PascalScript",
               "var i: Integer; s: Int64; begin s := 0; for i := 1 to 1000000 do s := s + i end.");
}
BENCHMARK(BM_SumMillionPascal)->Unit(benchmark::kMillisecond);

void BM_SumMillionJScript(benchmark::State &state)
{
    runProgram(state, "JScript", "var s = 0; for (var i = 1; i <= 1000000; i++) s += i;");
}
BENCHMARK(BM_SumMillionJScript)->Unit(benchmark::kMillisecond);

void BM_FibPascal(benchmark::State &state)
{
    runProgram(state, "PascalScript",
               "var s: Integer; function Fib(n: Integer): Integer; begin if n < 2 then Result := n else "
               "Result := Fib(n - 1) + Fib(n - 2) end; begin s := Fib(20) end.");
}
BENCHMARK(BM_FibPascal)->Unit(benchmark::kMillisecond);

void BM_CachedExpression(benchmark::State &state)
{
    TfsScript report;
    report.AddVariable(QStringLiteral("Total"), QStringLiteral("Integer"), TfsValue(10));
    TfrxExpressionCache cache;
    const QString text = QStringLiteral("Total * 2 + 1");
    QString error;
    for (auto _ : state)
        benchmark::DoNotOptimize(cache.Calc(text, &report, error));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CachedExpression);

} // namespace

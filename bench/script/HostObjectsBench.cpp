// Host objects from scripts: a default indexed property read in a loop, members found through a
// with statement, and objects made and freed by the script.
#include "TfsScript.h"

#include <QString>

#include <benchmark/benchmark.h>

namespace {

void runProgram(benchmark::State &state, const char *source)
{
    TfsScript script;
    script.SetLines(QString::fromLatin1(source).arg(state.range(0)));
    if (!script.Compile()) {
        state.SkipWithError(qPrintable(script.ErrorMsg()));
        return;
    }
    for (auto _ : state)
        script.Execute();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_DefaultPropertyRead(benchmark::State &state)
{
    runProgram(state, "var L: TStringList; i: Integer; s: String;\n"
                      "begin L := TStringList.Create; for i := 0 to 99 do L.Add('line');\n"
                      "  for i := 1 to %1 do s := L[i mod 100]; L.Free end.");
}
BENCHMARK(BM_DefaultPropertyRead)->Arg(10000);

void BM_WithMembers(benchmark::State &state)
{
    runProgram(state, "var L: TStringList; i, n: Integer;\n"
                      "begin L := TStringList.Create; L.Add('a');\n"
                      "  with L do for i := 1 to %1 do n := n + Count; L.Free end.");
}
BENCHMARK(BM_WithMembers)->Arg(10000);

void BM_CreateAndFree(benchmark::State &state)
{
    runProgram(state, "var L: TStringList; i: Integer;\n"
                      "begin for i := 1 to %1 do begin L := TStringList.Create; L.Add('x'); L.Free end end.");
}
BENCHMARK(BM_CreateAndFree)->Arg(1000);

} // namespace

// The same five programs in PascalScript and JScript through our interpreter and, side by side in
// the same run, in Lua 5.4: recursive fib(27), summing 1..10,000,000, appending one character
// 200,000 times, a 3000 x 3000 nested loop with an integer multiply-add, and 2,000,000 calls of a
// two-argument function. Compare each program's times across the three rows.
#include "TfsScript.h"

#include <lua.hpp>

#include <benchmark/benchmark.h>

namespace {

struct Program
{
    const char *name;
    const char *pascal;
    const char *jscript;
    const char *lua;
};

const Program kPrograms[] = {
    {"Fib27",
     "var s: Integer; function Fib(n: Integer): Integer; begin if n < 2 then Result := n else "
     "Result := Fib(n - 1) + Fib(n - 2) end; begin s := Fib(27) end.",
     "var s; function Fib(n) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); } s = Fib(27);",
     "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end s = fib(27)"},
    {"Sum10M",
     "var i: Integer; s: Int64; begin s := 0; for i := 1 to 10000000 do s := s + i end.",
     "var s = 0; for (var i = 1; i <= 10000000; i++) s += i;",
     "local t = 0 for i = 1, 10000000 do t = t + i end s = t"},
    {"Append200K",
     "var i: Integer; s: String; begin s := ''; for i := 1 to 200000 do s := s + 'x' end.",
     "var s = \"\"; for (var i = 1; i <= 200000; i++) s += \"x\";",
     "local t = '' for i = 1, 200000 do t = t .. 'x' end s = t"},
    {"Nested3000",
     "var i, j: Integer; s: Int64; begin s := 0; for i := 1 to 3000 do for j := 1 to 3000 do "
     "s := s + i * j end.",
     "var s = 0; for (var i = 1; i <= 3000; i++) for (var j = 1; j <= 3000; j++) s += i * j;",
     "local t = 0 for i = 1, 3000 do for j = 1, 3000 do t = t + i * j end end s = t"},
    {"Calls2M",
     "var i: Integer; s: Int64; function Add(a, b: Int64): Int64; begin Result := a + b end; "
     "begin s := 0; for i := 1 to 2000000 do s := Add(s, i) end.",
     "var s = 0; function Add(a, b) { return a + b; } for (var i = 1; i <= 2000000; i++) s = Add(s, i);",
     "local function add(a, b) return a + b end local t = 0 for i = 1, 2000000 do t = add(t, i) end s = t"},
};

void ours(benchmark::State &state, const char *language, const char *source)
{
    TfsScript script;
    script.SetSyntaxType(QString::fromLatin1(language));
    script.SetLines(QString::fromLatin1(source));
    if (!script.Compile()) {
        state.SkipWithError(script.ErrorMsg().toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        script.Execute();
        benchmark::DoNotOptimize(script.Variable(QStringLiteral("s")));
    }
}

void lua(benchmark::State &state, const char *source)
{
    lua_State *L = luaL_newstate();
    luaL_openlibs(L);
    if (luaL_loadstring(L, source) != LUA_OK) {
        state.SkipWithError(lua_tostring(L, -1));
        lua_close(L);
        return;
    }
    for (auto _ : state) {
        lua_pushvalue(L, -1);
        if (lua_pcall(L, 0, 0, 0) != LUA_OK) {
            state.SkipWithError(lua_tostring(L, -1));
            break;
        }
    }
    lua_close(L);
}

const bool kRegistered = [] {
    for (const Program &p : kPrograms) {
        const std::string name = p.name;
        benchmark::RegisterBenchmark((name + "/PascalScript").c_str(), ours, "PascalScript", p.pascal)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/JScript").c_str(), ours, "JScript", p.jscript)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/Lua").c_str(), lua, p.lua)->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

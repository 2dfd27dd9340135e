// The same five programs in PascalScript and JScript through our interpreter and, side by side in
// the same run, in Lua 5.4: recursive fib(27), summing 1..10,000,000, appending one character
// 200,000 times, a 3000 x 3000 nested loop with an integer multiply-add, and 2,000,000 calls of a
// two-argument function. Compare each program's times across the three rows.
#include "TfsScript.h"

#include <lua.hpp>

#include <benchmark/benchmark.h>

#include <cctype>
#include <string>

namespace {

// Sources hold "N" where the program's size goes: the measured size in optimised builds, a small
// one in the sanitized test build, whose short smoke run only proves that every row still runs.
struct Program
{
    const char *name;
    int size;
    int smokeSize;
    const char *pascal;
    const char *jscript;
    const char *lua;
};

const Program kPrograms[] = {
    {"Fib27", 27, 15,
     "var s: Integer; function Fib(n: Integer): Integer; begin if n < 2 then Result := n else "
     "Result := Fib(n - 1) + Fib(n - 2) end; begin s := Fib(N) end.",
     "var s; function Fib(n) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); } s = Fib(N);",
     "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end s = fib(N)"},
    {"Sum10M", 10000000, 10000,
     "var i: Integer; s: Int64; begin s := 0; for i := 1 to N do s := s + i end.",
     "var s = 0; for (var i = 1; i <= N; i++) s += i;",
     "local t = 0 for i = 1, N do t = t + i end s = t"},
    {"Append200K", 200000, 2000,
     "var i: Integer; s: String; begin s := ''; for i := 1 to N do s := s + 'x' end.",
     "var s = \"\"; for (var i = 1; i <= N; i++) s += \"x\";",
     "local t = '' for i = 1, N do t = t .. 'x' end s = t"},
    {"Nested3000", 3000, 30,
     "var i, j: Integer; s: Int64; begin s := 0; for i := 1 to N do for j := 1 to N do "
     "s := s + i * j end.",
     "var s = 0; for (var i = 1; i <= N; i++) for (var j = 1; j <= N; j++) s += i * j;",
     "local t = 0 for i = 1, N do for j = 1, N do t = t + i * j end end s = t"},
    {"Calls2M", 2000000, 2000,
     "var i: Integer; s: Int64; function Add(a, b: Int64): Int64; begin Result := a + b end; "
     "begin s := 0; for i := 1 to N do s := Add(s, i) end.",
     "var s = 0; function Add(a, b) { return a + b; } for (var i = 1; i <= N; i++) s = Add(s, i);",
     "local function add(a, b) return a + b end local t = 0 for i = 1, N do t = add(t, i) end s = t"},
};

#ifdef NDEBUG
constexpr bool kOptimised = true;
#else
constexpr bool kOptimised = false;
#endif

// The program's source with its size in place of "N".
std::string sized(const char *source, const Program &p)
{
    std::string text = source;
    const std::string size = std::to_string(kOptimised ? p.size : p.smokeSize);
    for (std::size_t at = text.find('N'); at != std::string::npos; at = text.find('N', at + size.size())) {
        const bool word = (at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1])))
                          && (at + 1 == text.size() || !std::isalnum(static_cast<unsigned char>(text[at + 1])));
        if (word)
            text.replace(at, 1, size);
    }
    return text;
}

void ours(benchmark::State &state, const char *language, const std::string &source)
{
    TfsScript script;
    script.SetSyntaxType(QString::fromLatin1(language));
    script.SetLines(QString::fromStdString(source));
    if (!script.Compile()) {
        state.SkipWithError(script.ErrorMsg().toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        script.Execute();
        benchmark::DoNotOptimize(script.Variable(QStringLiteral("s")));
    }
}

void lua(benchmark::State &state, const std::string &source)
{
    lua_State *L = luaL_newstate();
    luaL_openlibs(L);
    if (luaL_loadstring(L, source.c_str()) != LUA_OK) {
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
        benchmark::RegisterBenchmark((name + "/PascalScript").c_str(), ours, "PascalScript", sized(p.pascal, p))
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/JScript").c_str(), ours, "JScript", sized(p.jscript, p))
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/Lua").c_str(), lua, sized(p.lua, p))->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

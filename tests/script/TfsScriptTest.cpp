// Programs compiled and run by the interpreter: the value of a result variable after Execute, the
// same program side by side in the four languages, compile errors with their position and run-time
// errors with theirs.
#include "TfsScript.h"
#include "ScriptTestUtil.h"
#include "TfrxExpressionCache.h"
#include "TfsRuntimeError.h"
#include "TfsStack.h"

#include <QBuffer>
#include <QScopeGuard>

#include <gtest/gtest.h>

namespace {

// Stand-ins for two library functions, so that these programs depend on the interpreter alone.
std::string run(const char *language, const char *source, const char *result = "r")
{
    return runProgram(language, source, result, [](TfsScript &script) {
        script.AddMethod(
            QStringLiteral("IntToStr"), [](std::span<TfsValue> args) { return TfsValue(args[0].ToString()); },
            1, 1, QStringLiteral("String"));
        script.AddMethod(
            QStringLiteral("StrToInt"), [](std::span<TfsValue> args) { return TfsValue(args[0].ToInt()); }, 1,
            1, QStringLiteral("Integer"));
    });
}

struct Program
{
    const char *name;
    const char *pascal, *cpp, *basic, *js;
    const char *expected;
};

void PrintTo(const Program &p, std::ostream *os)
{
    *os << p.name;
}

class FourLanguages : public testing::TestWithParam<Program>
{
};

TEST_P(FourLanguages, SameResult)
{
    const Program &p = GetParam();
    EXPECT_EQ(run("PascalScript", p.pascal), p.expected) << "PascalScript";
    EXPECT_EQ(run("C++Script", p.cpp), p.expected) << "C++Script";
    EXPECT_EQ(run("BasicScript", p.basic), p.expected) << "BasicScript";
    EXPECT_EQ(run("JScript", p.js), p.expected) << "JScript";
}

// clang-format off
const Program kPrograms[] = {
    {"precedence",
     "var r: Integer; begin r := 1 + 2 * 3 - (4 - 2) * 2 end.",
     "int r; { r = 1 + 2 * 3 - (4 - 2) * 2; }",
     "Dim r\r\nr = 1 + 2 * 3 - (4 - 2) * 2\r\n",
     "var r; r = 1 + 2 * 3 - (4 - 2) * 2;",
     "3"},
    {"strings",
     "var r: String; begin r := 'ab' + 'cd'; r := r + r end.",
     "String r; { r = \"ab\" + \"cd\"; r = r + r; }",
     "Dim r\r\nr = \"ab\" & \"cd\"\r\nr = r + r\r\n",
     "var r; r = \"ab\" + \"cd\"; r = r + r;",
     "abcdabcd"},
    {"for loop sum",
     "var i, r: Integer; begin r := 0; for i := 1 to 10 do r := r + i end.",
     "int i, r; { r = 0; for (i = 1; i <= 10; i++) r += i; }",
     "Dim r = 0\r\nFor i = 1 To 10\r\n  r = r + i\r\nNext\r\n",
     "var r = 0; for (var i = 1; i <= 10; i++) r += i;",
     "55"},
    {"while with break and continue",
     "var i, r: Integer; begin i := 0; r := 0; while true do begin i := i + 1; if i > 10 then break; "
     "if i mod 2 = 0 then continue; r := r + i end end.",
     "int i = 0, r = 0; { while (true) { i++; if (i > 10) break; if (i % 2 == 0) continue; r += i; } }",
     "Dim i = 0, r = 0\r\nWhile True\r\n  i = i + 1\r\n  If i > 10 Then Break\r\n  If i Mod 2 = 0 Then Continue\r\n"
     "  r = r + i\r\nWend\r\n",
     "var i = 0, r = 0; while (true) { i++; if (i > 10) break; if (i % 2 == 0) continue; r += i; }",
     "25"},
    {"recursive function",
     "var r: Integer; function Sum(n: Integer): Integer; begin if n = 0 then Result := 0 else "
     "Result := n + Sum(n - 1) end; begin r := Sum(100) end.",
     "int r; int Sum(int n) { if (n == 0) return 0; return n + Sum(n - 1); } { r = Sum(100); }",
     "Dim r\r\nFunction Sum(n)\r\n  If n = 0 Then\r\n    Return 0\r\n  End If\r\n  Return n + Sum(n - 1)\r\n"
     "End Function\r\nr = Sum(100)\r\n",
     "var r; function Sum(n) { if (n == 0) return 0; return n + Sum(n - 1); } r = Sum(100);",
     "5050"},
    {"var parameters",
     "var a, b: Integer; r: String; procedure Swap(var x, y: Integer); var t: Integer; begin t := x; x := y; "
     "y := t end; begin a := 1; b := 2; Swap(a, b); r := IntToStr(a) + IntToStr(b) end.",
     "int a = 1, b = 2; String r; void Swap(int &x, int &y) { int t = x; x = y; y = t; } "
     "{ Swap(a, b); r = IntToStr(a) + IntToStr(b); }",
     "Dim a = 1, b = 2, r\r\nSub Swap(ByRef x, ByRef y)\r\n  Dim t = x\r\n  x = y\r\n  y = t\r\nEnd Sub\r\n"
     "Swap(a, b)\r\nr = IntToStr(a) + IntToStr(b)\r\n",
     "var a = 1, b = 2, r; function Swap(&x, &y) { var t = x; x = y; y = t; } Swap(a, b); "
     "r = IntToStr(a) + IntToStr(b);",
     "21"},
    {"case",
     "var i, r: Integer; begin r := 0; for i := 1 to 6 do case i of 1: r := r + 1; 2..4: r := r + 10; "
     "else r := r + 100 end end.",
     "int i, r = 0; { for (i = 1; i <= 6; i++) switch (i) { case 1: r += 1; case 2..4: r += 10; default: r += 100; } }",
     "Dim r = 0\r\nFor i = 1 To 6\r\n  Select Case i\r\n  Case 1: r = r + 1\r\n  Case 2..4: r = r + 10\r\n"
     "  Case Else: r = r + 100\r\n  End Select\r\nNext\r\n",
     "var r = 0; for (var i = 1; i <= 6; i++) switch (i) { case 1: r += 1; case 2..4: r += 10; default: r += 100; }",
     "231"},
    {"repeat and do loops",
     "var r: Integer; begin r := 1; repeat r := r * 2 until r > 100 end.",
     "int r = 1; { do r = r * 2; while (r <= 100); }",
     "Dim r = 1\r\nDo\r\n  r = r * 2\r\nLoop While r <= 100\r\n",
     "var r = 1; do r = r * 2; while (r <= 100);",
     "128"},
    {"try except",
     "var r: String; i: Integer; begin i := 0; try i := 1 div i; r := 'no' except r := ExceptionMessage end end.",
     "String r; int i = 0; { try { i = 1 % i; r = \"no\"; } except { r = ExceptionMessage; } }",
     "Dim r, i = 0\r\nTry\r\n  i = 1 \\ i\r\n  r = \"no\"\r\nCatch\r\n  r = ExceptionMessage\r\nEnd Try\r\n",
     "var r, i = 0; try { i = 1 % i; r = \"no\"; } except { r = ExceptionMessage; }",
     "Division by zero"},
    {"integer overflow widens",
     "var r: Int64; begin r := 2147483647; r := r + 1 end.",
     "Int64 r; { r = 2147483647; r = r + 1; }",
     "Dim r = 2147483647\r\nr = r + 1\r\n",
     "var r = 2147483647; r = r + 1;",
     "2147483648"},
    // Counters and sums change where they are stored: a step past 32 bits must still widen.
    {"counter steps past 32 bits",
     "var r: Int64; i: Integer; begin r := 2147483646; for i := 1 to 3 do r := r + 1 end.",
     "Int64 r; int i; { r = 2147483646; for (i = 1; i <= 3; i++) r++; }",
     "Dim r = 2147483646\r\nFor i = 1 To 3\r\n  r = r + 1\r\nNext\r\n",
     "var r = 2147483646; for (var i = 1; i <= 3; i++) r++;",
     "2147483649"},
    // The target is read before a call on the right changes it; only an operand that calls nothing
    // is combined where the target is stored.
    {"compound assignment reads its target first",
     "var r: Integer; function Bump: Integer; begin r := r + 100; Result := 1 end; "
     "begin r := 1; r := r + Bump end.",
     "int r; int Bump() { r = r + 100; return 1; } { r = 1; r += Bump(); }",
     "Dim r\r\nFunction Bump()\r\n  r = r + 100\r\n  Return 1\r\nEnd Function\r\nr = 1\r\nr = r + Bump()\r\n",
     "var r; function Bump() { r = r + 100; return 1; } r = 1; r += Bump();",
     "2"},
    // Before the fix the second name of a Pascal list got no array ("Array type required").
    {"arrays declared in one list",
     "var a, b: array[1..3, 1..2] of Integer; r: Integer; begin a[3, 2] := 4; b[1, 1] := 5; r := a[3, 2] * b[1, 1] end.",
     "int a[4][3], b[4][3], r; { a[3][2] = 4; b[1][1] = 5; r = a[3][2] * b[1][1]; }",
     "Dim a[4, 3], b[4, 3], r\r\na[3, 2] = 4\r\nb[1, 1] = 5\r\nr = a[3, 2] * b[1, 1]\r\n",
     "var a[4, 3], b[4, 3], r; a[3, 2] = 4; b[1, 1] = 5; r = a[3, 2] * b[1, 1];",
     "20"},
    // Before the fix the limit was 1,000 calls, whatever the stack.
    {"recursion 50,000 calls deep",
     "var r: Integer; function Depth(n: Integer): Integer; begin if n = 0 then Result := 0 else "
     "Result := Depth(n - 1) + 1 end; begin r := Depth(50000) end.",
     "int r; int Depth(int n) { if (n == 0) return 0; return Depth(n - 1) + 1; } { r = Depth(50000); }",
     "Dim r\r\nFunction Depth(n)\r\n  If n = 0 Then Return 0\r\n  Return Depth(n - 1) + 1\r\nEnd Function\r\n"
     "r = Depth(50000)\r\n",
     "var r; function Depth(n) { if (n == 0) return 0; return Depth(n - 1) + 1; } r = Depth(50000);",
     "50000"},
    // Before the fix an empty statement ended a Pascal statement list ("';' expected").
    {"empty statements",
     "var r: Integer; begin r := 1;; r := r + 1; begin end; ; r := r * 5; end.",
     "int r; { r = 1;; r = r + 1; {} ; r = r * 5; }",
     "Dim r\r\nr = 1\r\n\r\nr = r + 1\r\nr = r * 5\r\n",
     "var r; r = 1;; r = r + 1; {} ; r = r * 5;",
     "10"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Programs, FourLanguages, testing::ValuesIn(kPrograms));

} // namespace

namespace {

struct Case
{
    const char *language;
    const char *source;
    const char *expected;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.language << ": " << c.source;
}

class PascalOutcome : public testing::TestWithParam<Case>
{
};

TEST_P(PascalOutcome, Gives)
{
    EXPECT_EQ(run(GetParam().language, GetParam().source), GetParam().expected);
}

// clang-format off
const Case kCompileErrors[] = {
    {"PascalScript", "var r: Integer;\nvar r: String; begin end.", "error: Identifier redeclared: 'r' @ 2:5"},
    {"PascalScript", "var r: TNothing; begin end.", "error: Unknown type: 'TNothing' @ 1:5"},
    {"PascalScript", "var r: Integer; begin r := 1.5 end.", "error: Incompatible types: 'Integer', 'Extended' @ 1:23"},
    {"PascalScript", "var r: Extended; begin r := 1 end.", "1"},
    {"PascalScript", "var r: Integer; begin r := 'a' + 1 end.", "error: Incompatible types @ 1:32"},
    {"PascalScript", "var r: Integer; begin r := 'a' * 'b' end.", "error: Incompatible types @ 1:32"},
    {"PascalScript", "begin r := 1 end.", "error: Undeclared identifier: 'r' @ 1:7"},
    {"PascalScript", "const r = 1; begin r := 2 end.", "error: Left side cannot be assigned to @ 1:20"},
    {"PascalScript", "var r: String; begin for r := 1 to 2 do end.",
     "error: For loop variable must be numeric variable @ 1:26"},
    {"PascalScript", "procedure P(a: Integer); begin end; begin P end.", "error: Not enough actual parameters @ 1:43"},
    {"PascalScript", "procedure P(a: Integer); begin end; begin P(1, 2) end.", "error: Too many actual parameters @ 1:43"},
    {"PascalScript", "procedure P(var a: Integer); begin end; begin P(1) end.", "error: Variable required @ 1:49"},
    {"PascalScript", "var r: Integer; begin r[1] := 2 end.", "error: Array type required @ 1:23"},
    {"PascalScript", "begin x := 1 end", "error: '.' expected @ 1:17"},
    // With declarations not required, an unknown name becomes a variant variable.
    {"JScript", "r = 5;", "5"},
    {"BasicScript", "r = \"x\"\r\n", "x"},
};

const Case kRunTime[] = {
    {"PascalScript", "var r, z: Integer; begin z := 0;\n  r := 10 div z end.", "runtime: Division by zero @ 2:3"},
    {"PascalScript", "var r: Integer; s: String; begin s := 'abc';\n  r := StrToInt(s[4]) end.",
     "runtime: Index out of range: 4 @ 2:3"},
    {"PascalScript", "var r: Integer; v: Variant; begin v := 'abc';\n  r := v end.",
     "runtime: Could not convert variant of type (String) into type (Integer) @ 2:3"},
    {"PascalScript", "var r: Int64; begin r := 9223372036854775807;\n  r := r + 1 end.", "runtime: Integer overflow @ 2:3"},
    {"PascalScript", "var r: array[1..3] of Integer; begin\n  r[4] := 1 end.", "runtime: Index out of range: 4 @ 2:3"},
};

// Jumps, finally blocks and routines, where the plain execution rules went wrong.
const Case kJumps[] = {
    // A finally block entered with a pending break runs whole, then the break takes effect.
    {"PascalScript", "var r, i: Integer; begin r := 0; for i := 1 to 5 do try if i = 2 then break; finally "
                     "r := r + 1; r := r + 10; end end.", "22"},
    {"PascalScript", "var r, i: Integer; begin r := 0; for i := 1 to 3 do try continue; finally r := r + 1; "
                     "r := r + 10 end end.", "33"},
    // Exit inside try-finally runs the finally block, then leaves the routine.
    {"PascalScript", "var r: Integer; procedure P; begin try exit; finally r := r + 1 end; r := 100 end; "
                     "begin r := 0; P end.", "1"},
    // An error passes on after the finally block.
    {"PascalScript", "var r, z: Integer; begin z := 0; try try r := 1 div z finally r := 7 end except r := r * 2 end end.",
     "14"},
    // Continue in a Pascal for loop goes on with the next value.
    {"PascalScript", "var r, i: Integer; begin r := 0; for i := 1 to 5 do begin if i = 2 then continue; "
                     "r := r + i end end.", "13"},
    {"PascalScript", "var r, i, j: Integer; begin r := 0; for i := 1 to 3 do for j := 1 to 3 do begin "
                     "if j = 2 then break; r := r + 1 end end.", "3"},
    {"PascalScript", "var r, i: Integer; begin for i := 5 to 1 do r := 99; r := i end.", "0"},
    {"PascalScript", "var r, i: Integer; begin for i := 1 to 3 do ; r := i end.", "3"},
    {"PascalScript", "var r, i: Integer; begin for i := 3 downto 1 do r := r * 10 + i end.", "321"},
    // A routine passing its own var parameter down a recursion: each level adds after the inner call.
    {"PascalScript", "var r: Integer; procedure Acc(var x: Integer; n: Integer); begin if n > 0 then begin "
                     "x := x + n; Acc(x, n - 1) end end; begin r := 0; Acc(r, 4) end.", "10"},
    {"PascalScript", "var r: Integer; procedure Inc2(var x: Integer; n: Integer); var k: Integer; begin k := n; "
                     "if n > 0 then Inc2(x, n - 1); x := x + k end; begin r := 0; Inc2(r, 3) end.", "6"},
    // A routine may be called before its text.
    {"PascalScript", "var r: Integer; function A: Integer; begin Result := B(4) end; function B(a: Integer): "
                     "Integer; begin Result := a * 2 end; begin r := A end.", "8"},
    {"JScript", "r = Twice(4); function Twice(a) { return a * 2; }", "8"},
    // Fewer arguments than parameters: defaults fill the rest.
    {"C++Script", "int r; int F(int a, int b = 5) { return a + b; } { r = F(1); }", "6"},
    // Short circuit with two Boolean operands: the right side is not run.
    {"PascalScript", "var r: Integer; function Side: Boolean; begin r := 99; Result := True end; "
                     "begin r := 1; if (r = 2) and Side then r := 3 end.", "1"},
    {"PascalScript", "var r: Boolean; x: Integer; begin x := 4; r := x in [1, 3..5] end.", "True"},
    {"PascalScript", "var r: Boolean; x: Integer; begin x := 2; r := x in [1, 3..5] end.", "False"},
    {"PascalScript", "var r: Extended; begin r := 7 / 2 end.", "3.5"},
    {"PascalScript", "var r: Variant; begin r := 2147483648 end.", "2147483648"},
    {"PascalScript", "var r: Boolean; begin r := not False and False end.", "False"},
};

// Arrays and characters of strings, read and written.
const Case kData[] = {
    {"PascalScript", "var r: String; a: array[1..3] of Integer; i: Integer; begin for i := 1 to 3 do a[i] := i * i; "
                     "r := IntToStr(a[1] + a[2] + a[3]) end.", "14"},
    {"PascalScript", "var r: Integer; m: array[0..1, 0..2] of Integer; begin m[1, 2] := 7; m[0, 0] := 1; "
                     "r := m[1, 2] * 10 + m[0, 0] end.", "71"},
    {"PascalScript", "var r: String; begin r := 'abc'; r[2] := 'X' end.", "aXc"},
    {"C++Script", "int a[3], r; { a[0] = 5; a[2] = a[0] * 2; r = a[2]; }", "10"},
    {"JScript", "var a[2], r; a[1] = \"x\"; r = a[1] + a[1];", "xx"},
    {"BasicScript", "Dim a[2], r\r\na[0] = 3\r\nr = a[0] + 1\r\n", "4"},
    {"PascalScript", "var r: Variant; a: array[1..2] of Integer; begin r := a[3] end.",
     "runtime: Index out of range: 3 @ 1:50"},
};

// Counters, sums and appends computed where the variable is stored give what the general operators
// give: the same kinds, overflow and errors, and errors inside one-statement bodies keep their place.
const Case kInPlace[] = {
    {"PascalScript", "var r: Variant; begin r := 2147483647; r := r + 1 end.", "2147483648"},
    {"JScript", "var r = 2147483647; r++;", "2147483648"},
    {"JScript", "var r = -2147483648; r--; r *= 2;", "-4294967298"},
    {"PascalScript", "var r: Integer; begin r := 2147483647;\n  r := r + 1 end.", "runtime: Integer overflow @ 2:3"},
    {"PascalScript", "var r: Int64; i: Integer; begin r := 0; for i := 1 to 100000 do r := r + i * i end.",
     "333338333350000"},
    {"PascalScript", "var r: Variant; begin r := 1.5; r := r * 2; r := r - 1 end.", "2"},
    {"PascalScript", "var r: String; i: Integer; begin r := 'a'; for i := 1 to 3 do r := r + 'b'; r := r + 'c' end.",
     "abbbc"},
    {"JScript", "var r = \"a\"; var b = \"b\"; r += b; r = r + \"c\";", "abc"},
    // The left operand is read before a call on the right changes it.
    {"PascalScript", "var r, y: Integer; function F: Integer; begin y := 100; Result := 1 end; "
                     "begin y := 5; r := y - F end.", "4"},
    {"PascalScript", "var r: Integer; function F: Integer; begin r := 100; Result := 1 end; "
                     "begin r := 5; r := r - F end.", "4"},
    {"PascalScript", "var r, i, z: Integer; begin z := 0; for i := 1 to 3 do\n  r := 10 div z end.",
     "runtime: Division by zero @ 2:3"},
    {"PascalScript", "var r, z: Integer; begin z := 0; if z = 0 then\n  r := 10 div z end.",
     "runtime: Division by zero @ 2:3"},
    {"PascalScript", "var r, z: Integer; begin z := 0; while r < 1 do\n  r := 10 div z end.",
     "runtime: Division by zero @ 2:3"},
    {"JScript", "var r = 0, z = 0; for (var i = 0; i < 3;\n  i += 1 / z) r++;",
     "runtime: Floating point division by zero @ 2:3"},
    {"JScript", "var r = 0, z = 0; for (var i = 0; i < 3; i++)\n  r = 10 % z;", "runtime: Division by zero @ 2:3"},
    // Counted loops test and step their counter in place, yet see every change the body makes.
    {"JScript", "var r = 0, n = 10; for (var i = 0; i < n; i++) { n--; r++; }", "5"},
    {"JScript", "var r = 0; for (var i = 0; i < 9; i++) { r++; i += 2; }", "3"},
    {"JScript", "var r = 0; for (var i = 3; i >= 1; i--) r = r * 10 + i;", "321"},
    {"JScript", "var r = 0; for (var i = 0; i < \"3\"; i++) r++;", "3"},
    {"JScript", "var r = 0; for (var i = 0; i < 5; i++) { if (i == 2) continue; if (i == 4) break; r = r * 10 + i; }",
     "13"},
    {"C++Script", "int r, i; { for (i = 2147483646; i > 0;\n  i++) r = i; }", "runtime: Integer overflow @ 2:3"},
    // Loops of plain assignments run without line reports; they still give every statement's result,
    // and an error leaves at the statement that raised it.
    {"PascalScript", "var r, a, i: Integer; begin for i := 1 to 4 do begin a := a + i; r := a * 2 end end.", "20"},
    {"PascalScript", "var r, i: Integer; begin while r < 10 do r := r + 3; for i := 1 to 0 do r := 0 end.", "12"},
    {"PascalScript", "var r, i, z: Integer; begin for i := 1 to 3 do begin r := r + 1;\n  r := 10 div z end end.",
     "runtime: Division by zero @ 2:3"},
    {"JScript", "var r = 0, s = 0; for (var i = 0; i < 4; i += 2) { s = s + i; r = s * 10 + i; }", "22"},
    {"JScript", "var r = 0; for (var i = 0; i < 10; i++) for (var j = i; j < 3; j++) r += j;", "8"},
    // A C-style loop counted like a Pascal one leaves its counter one step past the last value run.
    {"JScript", "var r = 0, i; for (i = 5; i > 2; i--) r = r * 10 + i; r = r * 10 + i;", "5432"},
    {"C++Script", "int r, i; { for (i = 2147483640; i <= 2147483646; i++) r = i - 2147483600; r = r * 100 + i - 2147483600; }",
     "4647"},
    {"C++Script", "int r, i; { for (i = 2147483640; i <= 2147483647;\n  i++) r = i; }", "runtime: Integer overflow @ 2:3"},
    // A recursive call gets its own locals; the caller's come back when it returns.
    {"PascalScript", "var r: Integer; function F(n: Integer): Integer; var k: Integer; begin k := n * 10; "
                     "if n > 0 then Result := F(n - 1) + k else Result := k end; begin r := F(3) end.", "60"},
    {"JScript", "var r; function F(n) { var k = n * 10; if (n > 0) return F(n - 1) + k; return k; } r = F(3);", "60"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(InPlace, PascalOutcome, testing::ValuesIn(kInPlace));
INSTANTIATE_TEST_SUITE_P(Data, PascalOutcome, testing::ValuesIn(kData));
INSTANTIATE_TEST_SUITE_P(CompileErrors, PascalOutcome, testing::ValuesIn(kCompileErrors));
INSTANTIATE_TEST_SUITE_P(RunTimeErrors, PascalOutcome, testing::ValuesIn(kRunTime));
INSTANTIATE_TEST_SUITE_P(Jumps, PascalOutcome, testing::ValuesIn(kJumps));

} // namespace

namespace {

TfsScript &compiled(TfsScript &script, const char *language, const char *source)
{
    script.SetSyntaxType(QString::fromUtf8(language));
    script.SetLines(QString::fromUtf8(source));
    EXPECT_TRUE(script.Compile()) << script.ErrorMsg().toStdString() << " @ "
                                  << script.ErrorPos().toStdString();
    return script;
}

// The line hook sees every statement with its position and can stop an endless loop.
TEST(TfsScriptHost, RunLineHookAndTerminate)
{
    TfsScript script;
    compiled(script, "PascalScript",
             "var i: Integer;\nbegin\n  i := 0;\n  while True do\n    i := i + 1\nend.");
    QStringList lines;
    script.OnRunLine = [&](TfsScript &s, const QString &unit, const QString &pos) {
        EXPECT_TRUE(unit.isEmpty());
        if (lines.size() < 6)
            lines << pos;
        if (s.Variable(QStringLiteral("i")).ToInt() >= 1000)
            script.Terminate();
    };
    script.Execute();
    EXPECT_EQ(lines.join(u' '), QStringLiteral("3:3 4:3 5:5 5:5 5:5 5:5"));
    EXPECT_EQ(script.Variable(QStringLiteral("i")).ToInt(), 1000);
    EXPECT_TRUE(script.IsExecutableLine(5));
    EXPECT_FALSE(script.IsExecutableLine(2));
    // Terminated scripts run again from the start.
    script.OnRunLine = nullptr;
    compiled(script, "PascalScript", "var i: Integer; begin i := 5 end.");
    script.Execute();
    EXPECT_EQ(script.Variable(QStringLiteral("i")).ToInt(), 5);
}

TEST(TfsScriptHost, CallFunctionWithVarParameters)
{
    TfsScript script;
    compiled(script, "PascalScript",
             "function Add(a, b: Integer): Integer; begin Result := a + b end;\n"
             "procedure Twice(var x: Integer); begin x := x * 2 end;\nbegin end.");
    TfsValue args = TfsValue::MakeArray(0, 1);
    args.ArrayRef(0) = 2;
    args.ArrayRef(1) = 40;
    EXPECT_EQ(script.CallFunction(QStringLiteral("add"), args).ToInt(), 42); // names ignore case
    TfsValue one = TfsValue::MakeArray(0, 0);
    one.ArrayRef(0) = 21;
    script.CallFunction1(QStringLiteral("Twice"), one);
    EXPECT_EQ(one.ArrayAt(0).ToInt(), 42);
    EXPECT_TRUE(script.CallFunction(QStringLiteral("Missing"), args).IsNull());
    // One argument more than parameters: the extra one is dropped.
    TfsValue three = TfsValue::MakeArray(0, 2);
    three.ArrayRef(0) = 1;
    three.ArrayRef(1) = 2;
    three.ArrayRef(2) = 3;
    EXPECT_EQ(script.CallFunction(QStringLiteral("Add"), three).ToInt(), 3);
}

// Evaluate sees the locals of the routine that is running, in the program's language.
TEST(TfsScriptHost, EvaluateInTheRunningRoutine)
{
    const struct
    {
        const char *language, *source;
    } programs[] = {
        {"PascalScript", "var g: Integer; procedure P(a: Integer); var b: Integer; begin b := a * 10;\n"
                         "  g := b end; begin g := 1; P(4) end."},
        {"C++Script", "int g; void P(int a) { int b = a * 10;\n  g = b; } { g = 1; P(4); }"},
        {"BasicScript", "Dim g\r\nSub P(a)\r\n  Dim b = a * 10\r\n  g = b\r\nEnd Sub\r\ng = 1\r\nP(4)\r\n"},
        {"JScript", "var g; function P(a) { var b = a * 10;\n  g = b; } g = 1; P(4);"},
    };
    for (const auto &p : programs) {
        SCOPED_TRACE(p.language);
        TfsScript script;
        compiled(script, p.language, p.source);
        TfsValue seen;
        script.OnRunLine = [&](TfsScript &, const QString &, const QString &pos) {
            if (pos.startsWith(u"2:") || pos.startsWith(u"4:"))
                seen = script.Evaluate(QStringLiteral("a + b + g"));
        };
        script.Execute();
        EXPECT_EQ(seen.ToInt(), 4 + 40 + 1);
        EXPECT_EQ(script.Evaluate(QStringLiteral("g * 2")).ToInt(), 80);
        EXPECT_FALSE(script.EvaluateRiseError());
        const TfsValue bad = script.Evaluate(QStringLiteral("g +"));
        EXPECT_TRUE(script.EvaluateRiseError());
        EXPECT_EQ(bad.kind(), TfsValue::String);
    }
}

// The IL written for a source compiles into the same program.
TEST(TfsScriptHost, ILRoundTrip)
{
    TfsScript source;
    source.SetLines(
        QStringLiteral("var r: Integer; function F(n: Integer): Integer; begin Result := n * n end;\n"
                       "begin r := F(7) end."));
    QBuffer il;
    il.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.GetILCode(il));
    il.close();
    il.open(QIODevice::ReadOnly);
    TfsScript target;
    ASSERT_TRUE(target.SetILCode(il)) << target.ErrorMsg().toStdString();
    target.Execute();
    EXPECT_EQ(target.Variable(QStringLiteral("r")).ToInt(), 49);

    // IL that lacks parts the grammar always writes is refused, not followed.
    QBuffer minimal;
    minimal.setData("<?xml version=\"1.0\"?>\n<program><compoundstmt/></program>");
    minimal.open(QIODevice::ReadOnly);
    TfsScript empty;
    EXPECT_TRUE(empty.SetILCode(minimal)) << empty.ErrorMsg().toStdString();
    for (const char *text : {"<program><assignstmt pos=\"1:1\"/></program>",
                             "<program><forstmt pos=\"2:1\"><expr/></forstmt></program>",
                             "<program><casestmt/></program>", "<program><whilestmt/></program>",
                             "<program><cppforstmt/></program>", "<program><repeatstmt/></program>"}) {
        SCOPED_TRACE(text);
        QBuffer bad;
        bad.setData(QByteArray("<?xml version=\"1.0\"?>\n") + text);
        bad.open(QIODevice::ReadOnly);
        TfsScript broken;
        EXPECT_FALSE(broken.SetILCode(bad));
        EXPECT_EQ(broken.ErrorMsg(), QStringLiteral("Invalid file format"));
    }
}

// A runaway recursion ends with "Stack overflow" at the calling statement once the stack's budget
// (small here) is spent, in every language; the error can be caught, and the script runs again.
TEST(TfsScriptHost, RunawayRecursionIsAStackOverflow)
{
    const std::size_t budget = TfsStack::Budget();
    TfsStack::SetBudget(std::size_t(16) << 20);
    const auto restore = qScopeGuard([budget] { TfsStack::SetBudget(budget); });
    const Case cases[] = {
        {"PascalScript",
         "var r: Integer; function F(n: Integer): Integer; begin Result := F(n + 1) end;\n"
         "begin r := F(0) end.",
         "runtime: Stack overflow @ 1:56"},
        {"C++Script", "int r; int F(int n) { return F(n + 1); }\n{ r = F(0); }",
         "runtime: Stack overflow @ 1:23"},
        {"BasicScript", "Dim r\r\nFunction F(n)\r\n  Return F(n + 1)\r\nEnd Function\r\nr = F(0)\r\n",
         "runtime: Stack overflow @ 3:3"},
        {"JScript", "var r; function F(n) { return F(n + 1); }\nr = F(0);", "runtime: Stack overflow @ 1:24"},
        {"PascalScript",
         "var r: Variant; function F(n: Integer): Integer; begin Result := F(n + 1) end;\n"
         "begin try r := F(0) except r := ExceptionMessage end end.",
         "Stack overflow"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(run(c.language, c.source), c.expected) << c.language;
        EXPECT_EQ(run(c.language, c.source), c.expected) << c.language << ", run again";
    }
}

// A string or array above its size limit (small here) ends the script with "Out of memory" at the
// statement, before the memory is taken; no except block catches it. Before the fix a huge array ended
// the process and a doubling string ran for minutes.
TEST(TfsScriptHost, OutOfMemoryEndsTheScript)
{
    TfsValue::SetMaxStringLength(1 << 16);
    TfsValue::SetMaxArrayLength(1 << 12);
    const auto restore = qScopeGuard([] {
        TfsValue::SetMaxStringLength(TfsValue::DefaultMaxStringLength);
        TfsValue::SetMaxArrayLength(TfsValue::DefaultMaxArrayLength);
    });
    const Case cases[] = {
        {"PascalScript", "var r: String; begin r := 'x';\n  while True do r := r + r end.",
         "runtime: Out of memory @ 2:17"},
        {"C++Script", "String r = \"x\"; {\n  while (true) r = r + r; }", "runtime: Out of memory @ 2:16"},
        {"BasicScript", "Dim r = \"x\"\r\nDo\r\n  r = r & r\r\nLoop Until False\r\n",
         "runtime: Out of memory @ 3:3"},
        {"JScript", "var r = \"x\";\nwhile (true) r += r;", "runtime: Out of memory @ 2:14"},
        {"PascalScript",
         "var r: String; begin r := 'x'; try while True do r := r + r except r := 'caught' end end.",
         "runtime: Out of memory @ 1:50"},
        {"PascalScript", "var r: String; begin\n  SetLength(r, 100000) end.", "runtime: Out of memory @ 2:3"},
        {"PascalScript", "var r: Variant; begin\n  r := VarArrayCreate([0, 5000], 12) end.",
         "runtime: Out of memory @ 2:3"},
        {"PascalScript", "var r: Integer;\n  a: array[1..2000000000] of Integer; begin end.",
         "error: Out of memory @ 2:3"},
        {"PascalScript", "var r: Integer;\n  a: array[1..100, 1..100] of Integer; begin end.",
         "error: Out of memory @ 2:3"},
        {"JScript", "var r;\nvar a[100000];", "error: Out of memory @ 2:5"},
        {"PascalScript",
         "var r: Integer; a: array[1..64, 1..64] of Integer; begin a[64, 64] := 5; r := a[64, 64] end.", "5"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(runProgram(c.language, c.source), c.expected) << c.language << ": " << c.source;
}

// Errors raised in a routine leave the routine's locals as they were and carry the position.
TEST(TfsScriptHost, RunTimeErrorLeavesCleanState)
{
    TfsScript script;
    compiled(script, "PascalScript",
             "var r: Integer; function F(n: Integer): Integer; begin if n = 0 then Result := 1 div n "
             "else Result := F(n - 1) end;\nbegin r := F(3) end.");
    try {
        script.Execute();
        ADD_FAILURE() << "no error";
    } catch (const TfsRuntimeError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Division by zero"));
        EXPECT_EQ(e.Pos(), QStringLiteral("1:70"));
    }
    EXPECT_EQ(script.FProgRunning, nullptr);
}

} // namespace

namespace {

// An event that fires while its own handler runs is ignored.
TEST(TfsScriptHost, EventHandlerIsNotReentered)
{
    TfsScript script;
    int fired = 0;
    script.AddMethod(
        QStringLiteral("Fire"),
        [&](std::span<TfsValue>) {
            ++fired;
            return script.CallEvent(QStringLiteral("OnClick"), TfsValue(fired));
        },
        0, 0);
    compiled(script, "PascalScript",
             "var n: Integer; procedure OnClick(k: Integer); begin n := n + k; Fire end; begin end.");
    script.CallEvent(QStringLiteral("OnClick"), TfsValue(5));
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(script.Variable(QStringLiteral("n")).ToInt(), 5);
}

// Long operator chains and deep brackets are compile errors, not deep native recursion.
TEST(TfsScriptHost, ExpressionDepthIsLimited)
{
    QString chain = QStringLiteral("var r: Integer; begin r := 1");
    for (int i = 0; i < 1500; ++i)
        chain += QStringLiteral(" + 1");
    TfsScript script;
    script.SetLines(chain + QStringLiteral(" end."));
    EXPECT_FALSE(script.Compile());
    EXPECT_EQ(script.ErrorMsg(), QStringLiteral("Expression too complex"));

    QString fine = QStringLiteral("var r: Integer; begin r := 1");
    for (int i = 0; i < 500; ++i)
        fine += QStringLiteral(" + 1");
    script.SetLines(fine + QStringLiteral(" end."));
    ASSERT_TRUE(script.Compile()) << script.ErrorMsg().toStdString();
    script.Execute();
    EXPECT_EQ(script.Variable(QStringLiteral("r")).ToInt(), 501);
}

} // namespace

namespace {

// Terminate from the line hook stops an endless loop inside a routine and the program around it;
// the routine runs normally when the program is executed again.
TEST(TfsScriptHost, TerminateStopsARunningRoutine)
{
    TfsScript script;
    compiled(script, "JScript",
             "var n = 0, after = 0; function Spin(limit) { while (true) { n++; if (n == limit) break; } }\n"
             "Spin(-1); after = 1;");
    script.OnRunLine = [&](TfsScript &, const QString &, const QString &) {
        if (TfsValue::Compare(script.Variable(QStringLiteral("n")), TfsValue(500)) >=
            0) // null before the first line
            script.Terminate();
    };
    script.Execute();
    EXPECT_EQ(script.Variable(QStringLiteral("n")).ToInt(), 500);
    EXPECT_EQ(script.Variable(QStringLiteral("after")).ToInt(), 0);
    EXPECT_EQ(script.FProgRunning, nullptr);
    script.OnRunLine = nullptr;
    script.SetVariable(QStringLiteral("n"), TfsValue(0));
    TfsValue limit = TfsValue::MakeArray(0, 0);
    limit.ArrayRef(0) = 3;
    script.CallFunction(QStringLiteral("Spin"), limit);
    EXPECT_EQ(script.Variable(QStringLiteral("n")).ToInt(), 3);
}

} // namespace

namespace {

// Names compare without regard to case, Cyrillic ones too, when the extended charset is on.
TEST(TfsScriptHost, CyrillicNamesIgnoreCase)
{
    TfsScript script;
    script.SetExtendedCharset(true);
    script.SetLines(QStringLiteral("var Сумма: Integer; begin СУММА := 5; сумма := сумма * 2 end."));
    ASSERT_TRUE(script.Compile()) << script.ErrorMsg().toStdString();
    script.Execute();
    EXPECT_EQ(script.Variable(QStringLiteral("сУММа")).ToInt(), 10);
    TfrxExpressionCache cache;
    QString error;
    EXPECT_EQ(cache.Calc(QStringLiteral("Сумма + 1"), &script, error).ToInt(), 11) << error.toStdString();
}

} // namespace

namespace {

// The read hook supplies values of declared variables; a null answer keeps the stored value.
TEST(TfsScriptHost, GetVarValueHook)
{
    TfsScript script;
    script.OnGetVarValue = [](const QString &name, TfsVarType type, TfsValue &value, const TfsValue &stored) {
        if (name == u"PageNo" && type == fvtInt)
            value = TfsValue(stored.ToInt() + 100);
    };
    compiled(script, "PascalScript",
             "var PageNo, Plain, r: Integer; begin PageNo := 1; Plain := 2; r := PageNo + Plain end.");
    script.Execute();
    EXPECT_EQ(script.Variable(QStringLiteral("r")).ToInt(), 103);
    EXPECT_EQ(script.Variable(QStringLiteral("PageNo")).ToInt(), 101);
}

} // namespace

namespace {

// Units come from the host; an error in a unit names the unit.
TEST(TfsScriptHost, IncludedUnits)
{
    TfsScript script;
    script.OnGetUnit = [](const QString &name, QString &text) {
        if (name == u"lib")
            text = QStringLiteral(
                "function Triple(a: Integer): Integer; begin Result := a * 3 end;\nbegin end.");
        else if (name == u"broken")
            text = QStringLiteral("function X: Integer; begin Result := end;\nbegin end.");
        else if (name == u"undeclared")
            text = QStringLiteral("begin\n  y := 1\nend.");
    };
    compiled(script, "PascalScript", "uses 'lib'; var r: Integer; begin r := Triple(5) end.");
    script.Execute();
    EXPECT_EQ(script.Variable(QStringLiteral("r")).ToInt(), 15);
    EXPECT_TRUE(script.IsExecutableLine(1, QStringLiteral("lib")));

    script.SetLines(QStringLiteral("uses 'broken'; begin end."));
    EXPECT_FALSE(script.Compile());
    EXPECT_EQ(script.ErrorMsg(), QStringLiteral("Expression expected"));
    EXPECT_EQ(script.ErrorUnit(), QStringLiteral("broken"));

    script.SetLines(QStringLiteral("uses 'undeclared'; begin end."));
    EXPECT_FALSE(script.Compile());
    EXPECT_EQ(script.ErrorMsg(), QStringLiteral("Undeclared identifier: 'y'"));
    EXPECT_EQ(script.ErrorPos(), QStringLiteral("2:3"));
    EXPECT_EQ(script.ErrorUnit(), QStringLiteral("undeclared"));
}

} // namespace

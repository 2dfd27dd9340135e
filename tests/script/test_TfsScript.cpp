// Programs compiled and run by the interpreter: the value of a result variable after Execute, the
// same program side by side in the four languages, compile errors with their position and run-time
// errors with theirs.
#include "TfsRuntimeError.h"
#include "TfsScript.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

// "value of r", "error: message @ pos" or "runtime: message @ pos".
std::string run(const char *language, const char *source, const char *result = "r")
{
    TfsScript script;
    script.AddMethod(QStringLiteral("IntToStr"), [](std::span<TfsValue> args) { return TfsValue(args[0].ToString()); },
                     1, 1, QStringLiteral("String"));
    script.SetSyntaxType(QString::fromUtf8(language));
    script.SetLines(QString::fromUtf8(source));
    if (!script.Compile())
        return (QStringLiteral("error: ") + script.ErrorMsg() + QStringLiteral(" @ ") + script.ErrorPos()).toStdString();
    try {
        script.Execute();
    } catch (const TfsRuntimeError &e) {
        return (QStringLiteral("runtime: ") + e.Message() + QStringLiteral(" @ ") + e.Pos()).toStdString();
    }
    return script.Variable(QString::fromUtf8(result)).ToString().toStdString();
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
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Programs, FourLanguages, testing::ValuesIn(kPrograms));

} // namespace

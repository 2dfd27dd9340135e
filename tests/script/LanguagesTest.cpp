// Small sources in each language with the IL they give, and broken sources with their message and
// position. Where the four languages share a behaviour their versions stand side by side.
#include "ScriptTestUtil.h"

#include "TfsILContext.h"
#include "TfsILParser.h"
#include "TfsXMLDocument.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *language;
    const char *source;
    const char *expected; // compact IL, or "message @ line:column" for a broken source
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.language << ": " << c.source;
}

QString outcome(const Case &c)
{
    const ParseResult r = parseScript(QString::fromUtf8(c.language), QString::fromUtf8(c.source));
    return r.ok ? r.il : r.message + QStringLiteral(" @ ") + r.pos;
}

class LanguageIL : public testing::TestWithParam<Case>
{
};

TEST_P(LanguageIL, GivesExpectedIL)
{
    EXPECT_EQ(outcome(GetParam()).toStdString(), std::string(GetParam().expected));
}

// clang-format off
const Case kPascal[] = {
    {"PascalScript", "var a, b: Integer;\nbegin end.",
     "program(var(ident:a ident:b type:Integer) compoundstmt)"},
    {"PascalScript", "program P; uses 'u1'; begin end.", "Unit 'u1' not found @ 1:12"},
    {"PascalScript", "const N = $FF; S = 'It''s'#13#10;\nbegin end.",
     "program(const(ident:N expr(number:$FF)) const(ident:S expr(string:'It's\r\n')) compoundstmt)"},
    // Leaving the last declaration of a var section records "Identifier expected" and clears it.
    {"PascalScript", "var a: Integer; begin end.", "program(var(ident:a type:Integer) compoundstmt)"},
    {"PascalScript", "var m: array[1..3, Lo..Hi] of Integer = 0; begin end.",
     "program(var(ident:m array(dim(expr(number:1) expr(number:3)) dim(expr(dsgn(node:Lo)) expr(dsgn(node:Hi)))) "
     "type:Integer init(expr(number:0))) compoundstmt)"},
    {"PascalScript", "begin x := -a * (b + 1) div 2 <> not c; end.",
     "program(compoundstmt(assignstmt(dsgn(node:x) expr(op:unminus dsgn(node:a) op:* op:( expr(dsgn(node:b) op:+ "
     "number:1) op:) op:div number:2 op:<> op:not dsgn(node:c)))))"},
    {"PascalScript", "begin a.b[1, 2](3).c; @f; end.",
     "program(compoundstmt(callstmt(dsgn(node:a node:b node:[ expr(number:1) expr(number:2) expr(number:3) node:c)) "
     "callstmt(dsgn(addr:@ node:f))))"},
    {"PascalScript", "begin if a >= 1 then b := 1 else if a in [1, 3..5] then c else ; end.",
     "program(compoundstmt(ifstmt(expr(dsgn(node:a) op:>= number:1) thenstmt(assignstmt(dsgn(node:b) expr(number:1))) "
     "elsestmt(ifstmt(expr(dsgn(node:a) op:in set(expr(number:1) expr(number:3) range:. expr(number:5))) "
     "thenstmt(callstmt(dsgn(node:c))) elsestmt)))))"},
    // Case labels are sets; a name may stand before ".."; the last ';' before else or end is optional.
    {"PascalScript", "begin case x of 1, 3..5: a; Lo..Hi: b; else c; end end.",
     "program(compoundstmt(casestmt(expr(dsgn(node:x)) caseselector(set(expr(number:1) expr(number:3) range:. "
     "expr(number:5)) callstmt(dsgn(node:a))) caseselector(set(expr(dsgn(node:Lo)) range:. expr(dsgn(node:Hi))) "
     "callstmt(dsgn(node:b))) callstmt(dsgn(node:c)))))"},
    // A name, a member or a call may stand before "..": before the grammar was mended these failed
    // with "Identifier expected" (the designator took the first '.' for a member access).
    {"PascalScript", "begin b := x in [Lo..Hi, A.B..C(1)]; end.",
     "program(compoundstmt(assignstmt(dsgn(node:b) expr(dsgn(node:x) op:in set(expr(dsgn(node:Lo)) range:. "
     "expr(dsgn(node:Hi)) expr(dsgn(node:A node:B)) range:. expr(dsgn(node:C expr(number:1))))))))"},
    {"PascalScript", "begin case x of 1: a end end.",
     "program(compoundstmt(casestmt(expr(dsgn(node:x)) caseselector(set(expr(number:1)) callstmt(dsgn(node:a))))))"},
    {"PascalScript", "begin for i := 10 downto 1 do break; repeat continue until x; while x do exit end.",
     "program(compoundstmt(forstmt(ident:i expr(number:10) downto:downto expr(number:1) break) "
     "repeatstmt(continue expr(dsgn(node:x))) whilestmt(expr(dsgn(node:x)) exit)))"},
    {"PascalScript", "begin try a except b end; try c finally d end; with p, q do e end.",
     "program(compoundstmt(trystmt(callstmt(dsgn(node:a)) exceptstmt(callstmt(dsgn(node:b)))) "
     "trystmt(callstmt(dsgn(node:c)) finallystmt(callstmt(dsgn(node:d)))) with(dsgn(node:p) dsgn(node:q) "
     "callstmt(dsgn(node:e)))))"},
    {"PascalScript", "function F(var a, b: Integer; const c: String): Boolean; var t: Integer; begin Result := a = b end;\n"
                     "procedure P; begin end;\nbegin end.",
     "program(function(name:F parameters(varparams var(ident:a ident:b type:Integer) var(ident:c type:String)) "
     "type:Boolean var(ident:t type:Integer) compoundstmt(assignstmt(dsgn(node:Result) expr(dsgn(node:a) op:= "
     "dsgn(node:b))))) procedure(name:P compoundstmt) compoundstmt)"},
    {"PascalScript", "begin x := <Orders.\"To>tal\"> + 1 end.",
     "program(compoundstmt(assignstmt(dsgn(node:x) expr(dsgn(node:Get expr(string:'Orders.\"To>tal\"')) op:+ "
     "number:1))))"},
    {"PascalScript", "BEGIN X := 1 END. anything at all (", "program(compoundstmt(assignstmt(dsgn(node:X) expr(number:1))))"},
};

const Case kPascalErrors[] = {
    {"PascalScript", "", "'BEGIN' expected @ 1:1"},
    {"PascalScript", "var a: Integer; b: Integer begin end.", "';' expected @ 1:28"},
    {"PascalScript", "begin x := ; end.", "Expression expected @ 1:12"},
    {"PascalScript", "begin x := 1 end", "'.' expected @ 1:17"},
    {"PascalScript", "begin\n  if x y := 1\nend.", "'THEN' expected @ 2:8"},
    {"PascalScript", "begin for i = 1 to 2 do end.", "':' expected @ 1:13"},
    {"PascalScript", "begin for i := 1 upto 2 do end.", "'TO' or 'DOWNTO' expected @ 1:18"},
    {"PascalScript", "begin x := 'abc\n end.", "Expression expected @ 1:12"},
    {"PascalScript", "begin a[1 := 2 end.", "']' expected @ 1:11"},
    {"PascalScript", "begin x := a. end.", "';' expected @ 1:18"}, // a member may be named like a keyword: a.end
    {"PascalScript", "begin x := (1 + 2; end.", "')' expected @ 1:18"},
    {"PascalScript", "begin case x of 1: a; end.", "';' expected @ 1:26"}, // the case took "end"
    {"PascalScript", "begin x := <abc end.", "'>' expected @ 1:21"},
    {"PascalScript", "begin try a end end.", "'FINALLY' or 'EXCEPT' expected @ 1:13"},
    {"PascalScript", "begin x := #1114112 end.", "Invalid character code @ 1:12"},
};

const Case kCpp[] = {
    {"C++Script", "int a = 1, b[3][2]; #define N 10\n{ }",
     "program(var(type:int ident:a init(expr(number:1)) ident:b array(dim(expr(number:3)) dim(expr(number:2)))) "
     "const(ident:N expr(number:10)) compoundstmt)"},
    {"C++Script", "void f(int &x, int y = 2) { x += y; return; }\n{ f(a, 0x1F); }",
     "program(function(type:void name:f parameters(var(type:int varparam:& ident:x) var(type:int ident:y "
     "init(expr(number:2)))) compoundstmt(assignstmt(dsgn(node:x) modificator:+ expr(dsgn(node:y))) return)) "
     "compoundstmt(callstmt(dsgn(node:f expr(dsgn(node:a)) expr(number:$1F)))))"},
    {"C++Script", "{ x = !a && b || c ^ d % 2 << 1 != 3; s = \"a\\\"b\\n\"; }",
     "program(compoundstmt(assignstmt(dsgn(node:x) expr(op:not dsgn(node:a) op:and dsgn(node:b) op:or dsgn(node:c) "
     "op:xor dsgn(node:d) op:mod number:2 op:shl number:1 op:<> number:3)) assignstmt(dsgn(node:s) "
     "expr(string:'a\"b\n'))))"},
    {"C++Script", "{ for (i = 0, j = 1; i < 10; i++) a[i][j] -= 1; for (; 1;) ; }",
     "program(compoundstmt(cppforstmt(compoundstmt(assignstmt(dsgn(node:i) expr(number:0)) assignstmt(dsgn(node:j) "
     "expr(number:1))) expr(dsgn(node:i) op:< number:10) compoundstmt(callstmt(dsgn(node:i) modificator:+)) "
     "assignstmt(dsgn(node:a node:[ expr(dsgn(node:i)) expr(dsgn(node:j))) modificator:- expr(number:1)))"
     " cppforstmt(compoundstmt(empty) expr(number:1) compoundstmt(empty) empty)))"},
    {"C++Script", "{ switch (x) { case 1, 2..3: a; default: b; } do x--; while (x > 0); }",
     "program(compoundstmt(casestmt(expr(dsgn(node:x)) caseselector(set(expr(number:1) expr(number:2) range:. "
     "expr(number:3)) callstmt(dsgn(node:a))) callstmt(dsgn(node:b))) repeatstmt(callstmt(dsgn(node:x) "
     "modificator:-) expr(dsgn(node:x) op:> number:0) inverse:)))"},
    {"C++Script", "{ try { p = new TList(); } finally { delete p; } }",
     "program(compoundstmt(trystmt(compoundstmt(assignstmt(dsgn(node:p) expr(new(dsgn(node:TList))))) "
     "finallystmt(compoundstmt(delete(dsgn(node:p)))))))"},
    // Keywords are case-sensitive: IF is a name.
    {"C++Script", "{ IF(a); }", "program(compoundstmt(callstmt(dsgn(node:IF expr(dsgn(node:a))))))"},
    {"C++Script", "#include \"u1\"\n{ }", "Unit 'u1' not found @ 1:1"},
};

const Case kCppErrors[] = {
    {"C++Script", "{ if (a) x = 1 }", "';' expected @ 1:16"},
    {"C++Script", "{ if (a = b) x = 1; }", "')' expected @ 1:9"},
    {"C++Script", "{ x = 1; } y", "Statement expected @ 1:12"},
    {"C++Script", "int a;", "'{' expected @ 1:7"},
    {"C++Script", "{ x = 1;", "'}' expected @ 1:9"},
    {"C++Script", "{ IF (a) x = 1; }", "';' expected @ 1:10"},
    {"C++Script", "#defin N 1\n{ }", "'DEFINE' expected @ 1:2"},
    {"C++Script", "{ s = \"abc\\\n\"; }", "Expression expected @ 1:7"},
};

const Case kBasic[] = {
    {"BasicScript", "Dim a As Integer = 1, b[3], c\r\n",
     "program(compoundstmt(var(ident:a type:Integer init(expr(number:1))) var(ident:b array(dim(expr(number:3)))) "
     "var(ident:c)))"},
    {"BasicScript", "If a Then b = 1 : c = 2\r\nIf a = 1 Then\r\n  b = 2\r\nElseIf a <> 2 Then\r\n  b = 3\r\n"
                    "Else\r\n  b = 4\r\nEnd If\r\n",
     "program(compoundstmt(ifstmt(expr(dsgn(node:a)) thenstmt(assignstmt(dsgn(node:b) expr(number:1)) "
     "assignstmt(dsgn(node:c) expr(number:2)))) ifstmt(expr(dsgn(node:a) op:= number:1) "
     "thenstmt(compoundstmt(assignstmt(dsgn(node:b) expr(number:2)))) elsestmt(ifstmt(expr(dsgn(node:a) op:<> "
     "number:2) thenstmt(compoundstmt(assignstmt(dsgn(node:b) expr(number:3)))) "
     "elsestmt(compoundstmt(assignstmt(dsgn(node:b) expr(number:4)))))))))"},
    {"BasicScript", "For i = 1 To 10 Step 2\r\n  s = s & \"x\" + 7 \\ 2 Mod 3\r\nNext\r\n",
     "program(compoundstmt(vbforstmt(ident:i expr(number:1) expr(number:10) expr(number:2) "
     "compoundstmt(assignstmt(dsgn(node:s) expr(dsgn(node:s) op:strcat string:'x' op:+ number:7 op:div number:2 "
     "op:mod number:3))))))"},
    {"BasicScript", "Select Case x\r\nCase 1, 2..3: a\r\nCase Else: b\r\nEnd Select\r\n",
     "program(compoundstmt(casestmt(expr(dsgn(node:x)) caseselector(set(expr(number:1) expr(number:2) range:. "
     "expr(number:3)) compoundstmt(callstmt(dsgn(node:a)))) compoundstmt(callstmt(dsgn(node:b))))))"},
    {"BasicScript", "Do\r\n  x -= 1\r\nLoop While x > 0\r\nWhile x\r\nWend\r\n",
     "program(compoundstmt(repeatstmt(compoundstmt(assignstmt(dsgn(node:x) modificator:- expr(number:1))) "
     "expr(dsgn(node:x) op:> number:0) inverse:) whilestmt(expr(dsgn(node:x)) compoundstmt)))"},
    {"BasicScript", "Sub P(ByRef a, ByVal b As Integer)\r\n  Exit\r\nEnd Sub\r\nFunction F() As Integer\r\n"
                    "  Return AddressOf P\r\nEnd Function\r\n",
     "program(compoundstmt(procedure(name:P parameters(varparams var(ident:a) var(ident:b type:Integer)) "
     "compoundstmt(exit) exit) function(name:F parameters type:Integer compoundstmt(return(expr(dsgn(addr:AddressOf "
     "node:P)))) exit)))"},
    {"BasicScript", "Try\r\n  Set o = New TList\r\nCatch\r\n  Delete o\r\nEnd Try\r\n",
     "program(compoundstmt(trystmt(compoundstmt(assignstmt(assignstmt(dsgn(node:o) expr(new(dsgn(node:TList)))))) "
     "exceptstmt(compoundstmt(delete(dsgn(node:o)))))))"},
    // Comments: after code the line end stays; a comment line vanishes; "rem" only as a word.
    {"BasicScript", "x = 1 ' note\r\n' whole line\r\nREM also\r\nremark = 2 rem tail\r\ny = 1 + _\r\n  2\r\n",
     "program(compoundstmt(assignstmt(dsgn(node:x) expr(number:1)) assignstmt(dsgn(node:remark) expr(number:2)) "
     "assignstmt(dsgn(node:y) expr(number:1 op:+ number:2))))"},
    // Lines holding only white space or a comment count as empty lines, also where the grammar
    // wants exactly one line end (before the first Case); before, this failed at 1:1.
    {"BasicScript", "Select Case x\r\n  \r\n  ' note\r\n  Case 1: y = 1\r\n\t\r\nEnd Select\r\n",
     "program(compoundstmt(casestmt(expr(dsgn(node:x)) caseselector(set(expr(number:1)) "
     "compoundstmt(assignstmt(dsgn(node:y) expr(number:1)))))))"},
    // Line ends written as LF alone are line ends too.
    {"BasicScript", "a = 1\nb = 2", "program(compoundstmt(assignstmt(dsgn(node:a) expr(number:1)) "
                                    "assignstmt(dsgn(node:b) expr(number:2))))"},
};

const Case kBasicErrors[] = {
    {"BasicScript", "x = 1 )", "End of line expected @ 1:7"},
    {"BasicScript", "  )", "End of line expected @ 1:3"}, // a start rule that fails records a message
    {"BasicScript", "If a Then\r\n  b = 1\r\n", "'END' expected @ 3:1"},
    {"BasicScript", "If a Then\r\n  b = 1\r\nEnd\r\n", "'IF' expected @ 3:4"},
    {"BasicScript", "For i = 1 To 3\r\n  x = i\r\n", "'NEXT' expected @ 3:1"},
    {"BasicScript", "For i = 1 3\r\nNext", "'TO' expected @ 1:11"},
    {"BasicScript", "While x\r\n", "'WEND' expected @ 2:1"},
    {"BasicScript", "Select x\r\n", "'CASE' expected @ 1:8"},
    {"BasicScript", "Try\r\n  a\r\nEnd Try\r\n", "'FINALLY' or 'CATCH' expected @ 3:1"},
    {"BasicScript", "a = 1 + _\r\n", "End of line expected @ 1:7"}, // an operator without operand ends the expression
};

const Case kJScript[] = {
    {"JScript", "var i = 0, a[2]; function f(&a, b) { return a + b; }",
     "program(compoundstmt(var(ident:i init(expr(number:0))) var(ident:a array(dim(expr(number:2)))) "
     "function(name:f parameters(var(varparam:& ident:a) var(ident:b)) compoundstmt(return(expr(dsgn(node:a) op:+ "
     "dsgn(node:b)))))))"},
    {"JScript", "for (var i = 0; i < 10; i++) { x += i; } IF (a == 1) b = 2 else b = 3",
     "program(compoundstmt(cppforstmt(var(ident:i init(expr(number:0))) expr(dsgn(node:i) op:< number:10) "
     "callstmt(dsgn(node:i) modificator:+) compoundstmt(assignstmt(dsgn(node:x) modificator:+ expr(dsgn(node:i))))) "
     "ifstmt(expr(dsgn(node:a) op:= number:1) thenstmt(assignstmt(dsgn(node:b) expr(number:2))) "
     "elsestmt(assignstmt(dsgn(node:b) expr(number:3))))))"},
    {"JScript", "do x--; while (x != 0); switch (x) { case 1: a; default: b }",
     "program(compoundstmt(repeatstmt(callstmt(dsgn(node:x) modificator:-) expr(dsgn(node:x) op:<> number:0) "
     "inverse:) casestmt(expr(dsgn(node:x)) caseselector(set(expr(number:1)) callstmt(dsgn(node:a))) "
     "callstmt(dsgn(node:b)))))"},
    {"JScript", "try { a } except { b } with (o) c; delete o; import \"u\"",
     "Unit 'u' not found @ 1:46"},
};

const Case kJScriptErrors[] = {
    {"JScript", "x = 1; )", "Statement expected @ 1:8"},
    {"JScript", "if (a = b) x = 1;", "')' expected @ 1:7"},
    {"JScript", "function (a) {}", "Expression expected @ 1:10"},
    {"JScript", "{ x = 1;", "'}' expected @ 1:9"},
    {"JScript", "while x", "'(' expected @ 1:7"},
    {"JScript", "do x; (y)", "'WHILE' expected @ 1:7"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(PascalScript, LanguageIL, testing::ValuesIn(kPascal));
INSTANTIATE_TEST_SUITE_P(PascalScriptErrors, LanguageIL, testing::ValuesIn(kPascalErrors));
INSTANTIATE_TEST_SUITE_P(CppScript, LanguageIL, testing::ValuesIn(kCpp));
INSTANTIATE_TEST_SUITE_P(CppScriptErrors, LanguageIL, testing::ValuesIn(kCppErrors));
INSTANTIATE_TEST_SUITE_P(BasicScript, LanguageIL, testing::ValuesIn(kBasic));
INSTANTIATE_TEST_SUITE_P(BasicScriptErrors, LanguageIL, testing::ValuesIn(kBasicErrors));
INSTANTIATE_TEST_SUITE_P(JScript, LanguageIL, testing::ValuesIn(kJScript));
INSTANTIATE_TEST_SUITE_P(JScriptErrors, LanguageIL, testing::ValuesIn(kJScriptErrors));

// The same program in the four languages gives the same statements and expressions, once compound
// statements are read as the statement lists they are.
TEST(FourLanguages, SameProgramSameIL)
{
    const Case programs[] = {
        {"PascalScript",
         "begin\r\n  x := 1 + 2 * y;\r\n  if x >= 1 then f(x, 'a') else x := -x;\r\n  while x < 10 do x := x "
         "+ 1;\r\n"
         "  s := <Data.\"Name\">\r\nend.",
         nullptr},
        {"C++Script",
         "{\r\n  x = 1 + 2 * y;\r\n  if (x >= 1) f(x, \"a\"); else x = -x;\r\n  while (x < 10) x = x + 1;\r\n"
         "  s = <Data.\"Name\">;\r\n}",
         nullptr},
        {"BasicScript",
         "x = 1 + 2 * y\r\nIf x >= 1 Then\r\n  f(x, \"a\")\r\nElse\r\n  x = -x\r\nEnd If\r\nWhile x < 10\r\n"
         "  x = x + 1\r\nWend\r\ns = <Data.\"Name\">\r\n",
         nullptr},
        {"JScript",
         "x = 1 + 2 * y;\r\nif (x >= 1) f(x, \"a\"); else x = -x;\r\nwhile (x < 10) x = x + 1;\r\n"
         "s = <Data.\"Name\">;\r\n",
         nullptr},
    };
    const QString expected =
        QStringLiteral("program(assignstmt(dsgn(node:x) expr(number:1 op:+ number:2 op:* dsgn(node:y))) "
                       "ifstmt(expr(dsgn(node:x) op:>= number:1) thenstmt(callstmt(dsgn(node:f "
                       "expr(dsgn(node:x)) expr(string:'a')))) "
                       "elsestmt(assignstmt(dsgn(node:x) expr(op:unminus dsgn(node:x))))) "
                       "whilestmt(expr(dsgn(node:x) op:< number:10) "
                       "assignstmt(dsgn(node:x) expr(dsgn(node:x) op:+ number:1))) assignstmt(dsgn(node:s) "
                       "expr(dsgn(node:Get "
                       "expr(string:'Data.\"Name\"')))))");
    for (const Case &c : programs) {
        TfsILContext context;
        TfsILParser parser(context);
        parser.SelectLanguage(QString::fromUtf8(c.language));
        ASSERT_TRUE(parser.MakeILScript(QString::fromUtf8(c.source)))
            << c.language << ": " << context.ErrorMsg.toStdString();
        EXPECT_EQ(Compact(*parser.ILScript().Root(), true).toStdString(), expected.toStdString())
            << c.language;
    }
}

} // namespace

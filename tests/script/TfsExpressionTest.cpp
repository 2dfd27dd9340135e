// Expressions evaluated for the host: operators, precedence, mixed kinds and nulls through Evaluate,
// and the report's cache of compiled expressions.
#include "TfrxExpressionCache.h"
#include "TfsScript.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *language;
    const char *expression;
    const char *expected; // text of the value, "<kind>" checks, or "!message" for a compile error
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.language << ": " << c.expression;
}

class Evaluate : public testing::TestWithParam<Case>
{
};

TEST_P(Evaluate, Gives)
{
    const Case &c = GetParam();
    TfsScript script;
    script.SetSyntaxType(QString::fromUtf8(c.language));
    script.AddVariable(QStringLiteral("x"), QStringLiteral("Integer"), TfsValue(4));
    script.AddVariable(QStringLiteral("s"), QStringLiteral("String"), TfsValue(QStringLiteral("abc")));
    script.AddVariable(QStringLiteral("v"), QStringLiteral("Variant"), TfsValue::MakeNull());
    script.AddVariable(QStringLiteral("d"), QStringLiteral("TDateTime"), TfsValue::MakeDateTime(45000.5));
    const TfsValue value = script.Evaluate(QString::fromUtf8(c.expression));
    std::string text = value.ToString().toStdString();
    if (script.EvaluateRiseError())
        text = "!" + text;
    else if (std::string(c.expected).starts_with('<'))
        text = "<" + TfsValue::KindName(value.kind()).toStdString() + ">";
    EXPECT_EQ(text, c.expected);
}

// clang-format off
const Case kCases[] = {
    {"PascalScript", "1 + 2 * 3", "7"},
    {"PascalScript", "(1 + 2) * 3", "9"},
    {"PascalScript", "2 - 1 - 1", "0"},
    {"PascalScript", "7 / 2", "3.5"},
    {"PascalScript", "7 div 2", "3"},
    {"PascalScript", "-x * 2 + 1", "-7"},
    {"PascalScript", "not (x > 3) or (x = 4)", "True"},
    {"PascalScript", "x in [1, 3..5]", "True"},
    {"PascalScript", "x + 1 in [1, 3..4]", "False"},
    {"PascalScript", "s + 'd'", "abcd"},
    {"PascalScript", "s[2]", "b"},
    {"PascalScript", "s < 'abd'", "True"},
    {"PascalScript", "2147483647", "<Integer>"},
    {"PascalScript", "2147483648", "<Int64>"},
    {"PascalScript", "$7FFFFFFF + 1", "2147483648"},
    {"PascalScript", "1.5 * 2", "3"},
    {"PascalScript", "v + 1", "<Null>"},
    {"PascalScript", "v = v", "True"},
    {"PascalScript", "v = 0", "False"},
    {"PascalScript", "d + 1", "<DateTime>"},
    {"PascalScript", "d - d", "0"},
    {"PascalScript", "1 shl 10 or 1", "1025"},
    {"PascalScript", "x mod (-1)", "0"},
    {"PascalScript", "'a' + 1", "!Incompatible types"},
    {"PascalScript", "'a' * 'b'", "!Incompatible types"},
    {"PascalScript", "True + 1", "!Incompatible types"},
    {"PascalScript", "y + 1", "!Undeclared identifier: 'y'"},
    {"PascalScript", "1 +", "!Expression expected"},
    // A text that is more than one expression is refused before it is wrapped into a function.
    {"PascalScript", "1 end; begin x := 5", "!Expression expected"},
    // Operators take the priorities of their IL texts in every language: && binds like "and".
    {"C++Script", "(x == 4) && (s != \"\")", "True"},
    {"C++Script", "x == 4 && s != \"\"", "!Incompatible types"},
    {"C++Script", "x % 3 + (x << 1)", "9"},
    {"C++Script", "!(x > 3)", "False"},
    {"BasicScript", "s & x", "abc4"},
    {"BasicScript", "x \\ 3 + x Mod 3", "2"},
    {"BasicScript", "(x <> 4) Or (s = \"abc\")", "True"},
    {"JScript", "x == 4 ? 1 : 0", "!Expression expected"},
    {"JScript", "(x + 1) * 2", "10"},
    {"JScript", "s + \"!\"", "abc!"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Expressions, Evaluate, testing::ValuesIn(kCases));

// A literal with a decimal point reads the same whatever the locale's separator.
TEST(EvaluateLocale, LiteralsIgnoreTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TfsScript script;
    EXPECT_DOUBLE_EQ(script.Evaluate(QStringLiteral("1.5 + 1")).ToDouble(), 2.5);
    QLocale::setDefault(saved);
}

TEST(ExpressionCache, CompilesEachDistinctTextOnce)
{
    TfsScript report;
    report.AddVariable(QStringLiteral("Total"), QStringLiteral("Integer"), TfsValue(10));
    TfrxExpressionCache cache;
    cache.Clear(QStringLiteral("PascalScript"));
    QString error;
    EXPECT_EQ(cache.Calc(QStringLiteral("Total * 2"), &report, error).ToInt(), 20);
    report.SetVariable(QStringLiteral("Total"), TfsValue(21));
    EXPECT_EQ(cache.Calc(QStringLiteral("Total * 2"), &report, error).ToInt(), 42);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(cache.CompileCount(), 1);
    // Texts differing only in case are different expressions.
    cache.Calc(QStringLiteral("TOTAL * 2"), &report, error);
    EXPECT_EQ(cache.CompileCount(), 2);

    // A text that does not compile gives the error text and is tried again next time.
    EXPECT_TRUE(cache.Calc(QStringLiteral("Total +"), &report, error).IsNull());
    EXPECT_EQ(error, QStringLiteral("Error in expression 'Total +': Expression expected"));
    cache.Calc(QStringLiteral("Total +"), &report, error);
    EXPECT_EQ(cache.CompileCount(), 4);

    // A run-time error is caught and reported as text.
    EXPECT_TRUE(cache.Calc(QStringLiteral("Total div 0"), &report, error).IsNull());
    EXPECT_EQ(error, QStringLiteral("Division by zero"));
    EXPECT_EQ(cache.Calc(QStringLiteral("Total * 2"), &report, error).ToInt(), 42);
    EXPECT_TRUE(error.isEmpty());

    cache.Clear(QStringLiteral("C++Script"));
    EXPECT_EQ(cache.Calc(QStringLiteral("Total == 21"), &report, error).ToBool(), true)
        << error.toStdString();
    EXPECT_EQ(cache.CompileCount(), 1);
}

// Compiling the script again drops the compiled expressions, which point at its old items.
TEST(ExpressionCache, RecompiledScriptDropsExpressions)
{
    TfsScript report;
    report.SetLines(QStringLiteral("var Total: Integer; begin Total := 3 end."));
    ASSERT_TRUE(report.Compile());
    report.Execute();
    TfrxExpressionCache cache;
    QString error;
    EXPECT_EQ(cache.Calc(QStringLiteral("Total + 1"), &report, error).ToInt(), 4);
    report.SetLines(QStringLiteral("var Total: Integer; begin Total := 30 end."));
    ASSERT_TRUE(report.Compile());
    report.Execute();
    EXPECT_EQ(cache.Calc(QStringLiteral("Total + 1"), &report, error).ToInt(), 31);
    EXPECT_EQ(cache.CompileCount(), 2);
}

// An expression that calls a routine evaluating itself again stops at the nesting limit.
TEST(ExpressionCache, RecursiveExpressionIsAnError)
{
    TfsScript report;
    TfrxExpressionCache cache;
    QString inner;
    report.AddMethod(
        QStringLiteral("Again"),
        [&](std::span<TfsValue>) {
            QString error;
            const TfsValue v = cache.Calc(QStringLiteral("Again()"), &report, error);
            if (!error.isEmpty() && inner.isEmpty())
                inner = error;
            return v;
        },
        0, 0);
    QString error;
    cache.Calc(QStringLiteral("Again()"), &report, error);
    EXPECT_EQ(inner, QStringLiteral("recursive expression"));
}

} // namespace

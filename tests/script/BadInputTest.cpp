// Hostile sources: each gives its first syntax error with a position, or compiles; none may crash,
// hang or overflow the stack.
#include "ScriptTestUtil.h"

#include "TfsILParser.h"

#include <gtest/gtest.h>

namespace {

std::string outcome(const char *language, const QString &source)
{
    const ParseResult r = parseScript(QString::fromUtf8(language), source);
    return r.ok ? "ok" : (r.message + QStringLiteral(" @ ") + r.pos).toStdString();
}

} // namespace

TEST(BadInput, UnterminatedStringsAndComments)
{
    const struct
    {
        const char *language;
        const char *source;
        const char *expected;
    } cases[] = {
        {"PascalScript", "begin x := 'abc", "Expression expected @ 1:12"},
        {"PascalScript", "begin x := 1 { never closed", "';' expected @ 1:28"},
        {"PascalScript", "begin x := 1 (* never closed", "';' expected @ 1:29"},
        {"C++Script", "{ x = \"abc", "Expression expected @ 1:7"},
        {"C++Script", "{ x = \"abc\\", "Expression expected @ 1:7"},
        {"C++Script", "{ x = 1; /* never closed", "'}' expected @ 1:25"},
        {"BasicScript", "x = \"abc\r\ny = 1", "Expression expected @ 1:5"},
        {"BasicScript", "x = 1 /\\ never closed", "ok"},
        {"JScript", "x = \"abc", "Expression expected @ 1:5"},
        {"JScript", "x = 1; /* never closed", "ok"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(outcome(c.language, QString::fromUtf8(c.source)), c.expected)
            << c.language << ": " << c.source;
}

TEST(BadInput, DeepNestingIsACompileError)
{
    const int n = 10000;
    const struct
    {
        const char *language;
        QString source;
    } cases[] = {
        {"PascalScript", QStringLiteral("begin x := ") + QString(n, u'(') + u'1' + QString(n, u')') +
                             QStringLiteral(" end.")},
        {"PascalScript", QStringLiteral("begin ") + QStringLiteral("begin ").repeated(n) +
                             QStringLiteral("end ").repeated(n) + QStringLiteral("end.")},
        {"C++Script", QString(n, u'{') + QString(n, u'}')},
        {"C++Script", QStringLiteral("{ x = ") + QString(n, u'!') + QStringLiteral("1; }")},
        {"BasicScript",
         QStringLiteral("If a Then\r\n").repeated(n) + QStringLiteral("End If\r\n").repeated(n)},
        {"BasicScript",
         QStringLiteral("x = ") + QString(n, u'[') + QString(n, u']') + QStringLiteral("\r\n")},
        {"JScript", QString(n, u'{') + QString(n, u'}')},
        {"JScript", QStringLiteral("x = a") + QStringLiteral("(a").repeated(n) + QString(n, u')') + u';'},
    };
    for (const auto &c : cases) {
        const ParseResult r = parseScript(QString::fromUtf8(c.language), c.source);
        EXPECT_FALSE(r.ok) << c.language;
        EXPECT_EQ(r.message.toStdString(), "Program nesting too deep") << c.language;
        EXPECT_TRUE(r.pos.startsWith(QStringLiteral("1:")) || c.source.contains(u'\n'))
            << r.pos.toStdString();
    }
    // A nesting of a hundred levels is fine in every language.
    const QString parens = QString(100, u'(') + u'1' + QString(100, u')');
    EXPECT_EQ(outcome("PascalScript", QStringLiteral("begin x := ") + parens + QStringLiteral(" end.")),
              "ok");
    EXPECT_EQ(outcome("C++Script", QStringLiteral("{ x = ") + parens + QStringLiteral("; }")), "ok");
    EXPECT_EQ(outcome("BasicScript", QStringLiteral("x = ") + parens), "ok");
    EXPECT_EQ(outcome("JScript", QStringLiteral("x = ") + parens), "ok");
}

TEST(BadInput, LongLinesNulBytesAndInvalidUtf8)
{
    // 1 MB on one line: a string, a name and a comment; and a long expression (each of its terms
    // is an IL element, so it is kept to 50 KB to spare the test's time).
    const int terms = 10000;
    const QString sum =
        QStringLiteral("a + 1").repeated(terms).replace(QStringLiteral("1a"), QStringLiteral("1 + a"));
    EXPECT_EQ(outcome("PascalScript", QStringLiteral("begin x := ") + sum + QStringLiteral(" end.")), "ok");
    EXPECT_EQ(outcome("JScript", QStringLiteral("x = ") + sum + u';'), "ok");
    const QString longString =
        QStringLiteral("begin x := '") + QString(1 << 20, u'z') + QStringLiteral("' end.");
    EXPECT_EQ(outcome("PascalScript", longString), "ok");
    const QString longName = QStringLiteral("{ ") + QString(1 << 20, u'n') + QStringLiteral("; }");
    EXPECT_EQ(outcome("C++Script", longName), "ok");
    const QString longComment = QStringLiteral("x = 1 ' ") + QString(1 << 20, u'c');
    EXPECT_EQ(outcome("BasicScript", longComment), "ok");

    // A NUL byte is white space between tokens and breaks a string.
    const QString nul(QChar(0));
    EXPECT_EQ(outcome("PascalScript", QStringLiteral("begin") + nul + QStringLiteral("x := 1 end.")), "ok");
    EXPECT_EQ(outcome("PascalScript", QStringLiteral("begin x := 'a") + nul + QStringLiteral("b' end.")),
              "Expression expected @ 1:12");

    // Invalid UTF-8 arrives as replacement characters, which are identifier characters.
    const QByteArray invalid = "x = \xff\xfe\xc3 + 1;";
    EXPECT_EQ(outcome("JScript", QString::fromUtf8(invalid)), "ok");
    const QByteArray invalidPunct = "{ x = 1 \xff; }";
    EXPECT_EQ(outcome("C++Script", QString::fromUtf8(invalidPunct)), "';' expected @ 1:9");
}

TEST(BadInput, EveryLanguageSurvivesTruncatedPrograms)
{
    // Every prefix of a program exercises unterminated constructs of every kind.
    const struct
    {
        const char *language;
        const char *program;
    } programs[] = {
        {"PascalScript",
         "uses 'u'; const C = $1F; var a: array[0..2] of String; function F(var x: Integer): Integer;\n"
         "begin Result := x end; begin case a[1] of 'a'..'z': F(<x.\"y\">); end; try a := #65'b' "
         "finally end; { c } (* d *) end."},
        {"C++Script",
         "#include \"u\"\n#define C 0x1F\nint f(int &x) { return x; } { switch (a) { case 1: f(1); "
         "default: ; } do { a++; } while (a != 0); s = \"\\x41\\n\"; /* c */ }"},
        {"BasicScript",
         "Imports \"u\"\r\nDim a[3] As String\r\nSub P(ByRef x)\r\n  Select Case x\r\n  Case 1: y = _\r\n"
         " 2\r\n  End Select\r\nEnd Sub\r\nrem c\r\nWith o\r\n  .x = 1\r\nEnd With\r\n"},
        {"JScript", "import \"u\"; var a = [1, 2]; function f(&x) { try { x-- } finally { } } with (o) { x = "
                    "<a.\"b\">; } // c"},
    };
    for (const auto &p : programs) {
        const QString text = QString::fromUtf8(p.program);
        for (int length = 0; length <= text.size(); ++length)
            parseScript(QString::fromUtf8(p.language), text.left(length));
    }
    SUCCEED();
}

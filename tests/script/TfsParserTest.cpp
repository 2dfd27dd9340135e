#include "TfsILContext.h"
#include "TfsILParser.h"
#include "TfsParser.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A scanner with the settings of one of the registered languages.
class Lexer
{
public:
    explicit Lexer(const char *language) : FParser(FContext)
    {
        FParser.SelectLanguage(QString::fromUtf8(language));
    }
    TfsParser &operator()(const QString &text)
    {
        FParser.Parser().SetText(text);
        return FParser.Parser();
    }

private:
    TfsILContext FContext;
    TfsILParser FParser;
};

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

} // namespace

TEST(TfsParser, StringLiterals)
{
    const struct
    {
        const char *language;
        const char16_t *source;
        const char16_t *value; // GetString's result; empty: no string
        int positionAfter;
    } cases[] = {
        {"PascalScript", u"'It''s'", u"'It's'", 8},
        {"C++Script", u"\"a\\\"b\"", u"'a\"b'", 7},
        {"C++Script", u"\"\\t\\n\\r\\\\\"", u"'t\n\r\\'", 11}, // no tab escape: \t is the letter t
        {"C++Script", u"\"\\x41\\x\"", u"'A'", 9},             // \x without digits appends nothing
        {"PascalScript", u"'abc'#13#10'def'", u"'abc\r\ndef'", 17},
        {"PascalScript", u"#$41#66 x", u"'AB'", 8},
        {"C++Script", u"#0x41", u"'A'", 6},
        {"PascalScript", u"'a\tb'", u"'a\tb'", 6}, // a tab may stand inside a string
        {"PascalScript", u"  'abc\r\n'", u"", 3},  // unterminated at the line end: nothing, position kept
        {"C++Script", u"\"abc\\", u"", 1},         // a backslash at the end of the source
        {"C++Script", u"\"abc\\\n\"", u"", 1},     // a backslash before a line end
        {"PascalScript", u"'a'#", u"'a'", 4},      // '#' without a number is no piece
        {"BasicScript", u"\"say \"\"hi\"\"\"", u"'say \"hi\"'", 13},
        {"JScript", u"\"a\"\"b\"", u"'ab'", 7}, // with escapes on, a doubled quote is two pieces
    };
    for (const auto &c : cases) {
        Lexer lexer(c.language);
        TfsParser &p = lexer(str(c.source));
        EXPECT_EQ(p.GetString(), str(c.value)) << c.language << " " << str(c.source).toStdString();
        EXPECT_EQ(p.Position(), c.positionAfter) << str(c.source).toStdString();
        EXPECT_TRUE(p.ErrorMessage().isEmpty());
    }
}

TEST(TfsParser, CharacterCodesAboveUnicodeAreAnError)
{
    const char16_t *sources[] = {u"#1114112", u"#99999999999999999999999", u"#$FFFFFFFFFFFFFFFFFF"};
    for (const char16_t *source : sources) {
        Lexer lexer("PascalScript");
        TfsParser &p = lexer(QStringLiteral("x := ") + str(source));
        p.SetPosition(6);
        p.GetString();
        EXPECT_EQ(p.ErrorMessage(), QStringLiteral("Invalid character code"));
        EXPECT_EQ(p.ErrorPosition(), 6);
    }
    Lexer cpp("C++Script");
    TfsParser &p = cpp(QStringLiteral("\"\\x110000\""));
    p.GetString();
    EXPECT_EQ(p.ErrorMessage(), QStringLiteral("Invalid character code"));
    TfsParser &ok = cpp(QStringLiteral("\"\\x1F600\""));
    EXPECT_EQ(ok.GetString(), QStringLiteral("'\U0001F600'"));
    EXPECT_TRUE(ok.ErrorMessage().isEmpty());
}

TEST(TfsParser, Numbers)
{
    const struct
    {
        const char *language;
        const char16_t *source;
        const char16_t *number;
    } cases[] = {
        {"PascalScript", u"$FF", u"$FF"},  {"C++Script", u"0xFF", u"$FF"},
        {"PascalScript", u"1.e5", u"1"},   {"PascalScript", u"2.5E-3", u"2.5E-3"},
        {"PascalScript", u"1..5", u"1"},   {"JScript", u"3e+", u"3"},
        {"PascalScript", u"  42x", u"42"}, {"PascalScript", u"$", u""},
        {"C++Script", u"0x", u""},         {"PascalScript", u"x1", u""},
    };
    for (const auto &c : cases) {
        Lexer lexer(c.language);
        EXPECT_EQ(lexer(str(c.source)).GetNumber(), str(c.number)) << str(c.source).toStdString();
    }
}

TEST(TfsParser, IdentifiersAndKeywords)
{
    Lexer pascal("PascalScript");
    TfsParser &p = pascal(QStringLiteral("  Привет_1 BEGIN x"));
    EXPECT_EQ(p.Ident(), QStringLiteral("Привет_1"));
    EXPECT_EQ(p.GetIdent(), QString()); // BEGIN is a keyword, ignoring case
    EXPECT_EQ(p.Position(), 11);
    EXPECT_EQ(p.GetWord(), QStringLiteral("BEGIN"));
    EXPECT_EQ(pascal(QStringLiteral("1abc")).Ident(), QString());

    Lexer cpp("C++Script");
    EXPECT_TRUE(cpp(QString()).IsKeyWord(QStringLiteral("if")));
    EXPECT_FALSE(cpp(QString()).IsKeyWord(QStringLiteral("IF")));
    Lexer js("JScript");
    EXPECT_TRUE(js(QString()).IsKeyWord(QStringLiteral("IF")));
}

TEST(TfsParser, CommentsAndWhiteSpace)
{
    const struct
    {
        const char *language;
        const char16_t *source;
        const char16_t *ident; // the identifier after white space and comments
    } cases[] = {
        {"PascalScript", u"{ a } (* b *) // c\n x", u"x"},
        {"PascalScript", u"{ never closed x", u""},
        {"C++Script", u"/* a */ // b\r\n y", u"y"},
        {"BasicScript", u"/\\ block /\\ z", u"z"},
        {"BasicScript", u"rem comment\r\nremark", u"remark"},
        {"BasicScript", u"REM comment\r\nw", u"w"}, // the marker matches in any case
        {"BasicScript", u"remark", u"remark"},      // only a whole word starts a comment
        {"BasicScript", u"' only a comment", u""},
        {"PascalScript", u"//", u""},
        {"PascalScript", u"{", u""},
    };
    for (const auto &c : cases) {
        Lexer lexer(c.language);
        EXPECT_EQ(lexer(str(c.source)).Ident(), str(c.ident)) << str(c.source).toStdString();
    }
}

TEST(TfsParser, SignificantLineEnds)
{
    Lexer basic("BasicScript");
    // A comment after code keeps its line end.
    TfsParser &p = basic(QStringLiteral("x = 1 ' note\r\ny"));
    p.SetPosition(6);
    EXPECT_TRUE(p.GetEOL());
    EXPECT_EQ(p.Ident(), QStringLiteral("y"));
    // A comment that starts a line vanishes with its line end.
    TfsParser &q = basic(QStringLiteral("' whole line\r\ny"));
    EXPECT_FALSE(q.GetEOL());
    EXPECT_EQ(q.Ident(), QStringLiteral("y"));
    // Several line ends count as one; a lone LF is a line end too.
    TfsParser &r = basic(QStringLiteral("a\n\r\n\nb"));
    EXPECT_EQ(r.Ident(), QStringLiteral("a"));
    EXPECT_TRUE(r.GetEOL());
    EXPECT_EQ(r.Ident(), QStringLiteral("b"));
    // The end of the text ends the last line.
    EXPECT_TRUE(r.GetEOL());
    // A continuation character joins the next line, with or without a line end after it.
    TfsParser &s = basic(QStringLiteral("a + _ ' c\r\n 2 _ 3"));
    s.SetPosition(3);
    EXPECT_EQ(s.GetChar(), QStringLiteral("+"));
    EXPECT_FALSE(s.GetEOL());
    EXPECT_EQ(s.GetNumber(), QStringLiteral("2"));
    EXPECT_EQ(s.GetNumber(), QStringLiteral("3"));

    Lexer pascal("PascalScript");
    TfsParser &t = pascal(QStringLiteral("a\r\nb"));
    t.SetPosition(2);
    EXPECT_FALSE(t.GetEOL()); // line ends are white space where they are not significant
}

TEST(TfsParser, PunctuationAndFieldReferences)
{
    Lexer pascal("PascalScript");
    TfsParser &p = pascal(QStringLiteral(" :="));
    EXPECT_EQ(p.GetChar(), QString()); // GetChar does not skip white space
    p.SetPosition(2);
    EXPECT_EQ(p.GetChar(), QStringLiteral(":"));
    EXPECT_EQ(p.GetChar(), QStringLiteral("="));

    const struct
    {
        const char16_t *source; // after the opening '<'
        const char16_t *field;
        int closer; // position left on the closer
    } cases[] = {
        {u"Orders.\"Total\">", u"Orders.\"Total\"", 15},
        {u"Orders.\"To>tal\"> + 1", u"Orders.\"To>tal\"", 16},
        {u"a[<b>]> c", u"a[<b>]", 7},
        {u"'it''s'>", u"'it''s'", 8},
        {u"open", u"open", 5},
    };
    for (const auto &c : cases) {
        TfsParser &q = pascal(str(c.source));
        EXPECT_EQ(q.GetFRString(), str(c.field));
        EXPECT_EQ(q.Position(), c.closer);
    }
}

TEST(TfsParser, Positions)
{
    Lexer pascal("PascalScript");
    TfsParser &p = pascal(QStringLiteral("ab\r\ncd\nef"));
    const struct
    {
        int position;
        const char16_t *xy;
    } cases[] = {{1, u"1:1"}, {4, u"1:4"}, {5, u"2:1"}, {7, u"2:3"}, {8, u"3:1"}, {10, u"3:3"}};
    for (const auto &c : cases)
        EXPECT_EQ(p.XYPosition(c.position), str(c.xy)) << c.position;
    EXPECT_EQ(p.GetPlainPosition(QPoint(1, 2)), 5);
    EXPECT_EQ(p.GetPlainPosition(QPoint(2, 3)), 9);
    EXPECT_EQ(p.GetPlainPosition(QPoint(1, 4)), -1);
    EXPECT_EQ(TfsParser::PosToPoint(QStringLiteral("12:7")), QPoint(7, 12));
    EXPECT_EQ(TfsParser::PosToPoint(QString()), QPoint(0, 0));
}

TEST(TfsParser, EditorSettingsReadWithoutSkipping)
{
    // The code editor colours with FSkipSpace off: readers start exactly at the position.
    Lexer pascal("PascalScript");
    TfsParser &p = pascal(QStringLiteral("  abc 12"));
    p.SetSkipSpace(false);
    EXPECT_EQ(p.Ident(), QString());
    p.SetPosition(3);
    EXPECT_EQ(p.Ident(), QStringLiteral("abc"));
    EXPECT_EQ(p.GetNumber(), QString());
    p.SkipSpaces();
    EXPECT_EQ(p.GetNumber(), QStringLiteral("12"));
}

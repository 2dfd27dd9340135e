// The script editor's colouring: the attribute code of every character, per language, and the
// codes found again after a change equal those of a fresh colouring.

#include "TfrxSyntaxColouring.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct ColouringCase
{
    const char *name;
    const char16_t *syntax;
    QStringList lines;
    QStringList codes; // one digit per character; spaces only separate tokens for the reader
};

// Digits to codes: 1 text, 3 white space and comments, 4 keyword, 5 string, 6 number; 9 a tab,
// which keeps its own code.
QByteArray expectedCodes(const QString &digits)
{
    QByteArray codes;
    for (QChar c : digits)
        if (c != u' ')
            codes.append(char(c.unicode() - u'0'));
    return codes;
}

QString readable(const QByteArray &codes)
{
    QString digits;
    for (char code : codes)
        digits.append(QChar(u'0' + code));
    return digits;
}

class SyntaxMemoColouring : public ::testing::TestWithParam<ColouringCase>
{
};

TEST_P(SyntaxMemoColouring, MarksEveryCharacter)
{
    const ColouringCase &c = GetParam();
    TfrxSyntaxColouring colouring;
    colouring.SetSyntax(QString::fromUtf16(c.syntax));
    ASSERT_EQ(c.lines.size(), c.codes.size());
    for (int line = 0; line < c.lines.size(); ++line)
        EXPECT_EQ(readable(colouring.Codes(c.lines, line)), readable(expectedCodes(c.codes[line])))
            << "line " << line + 1 << ": " << c.lines[line].toStdString();
}

const ColouringCase kCases[] = {
    {"PascalKeywordsAndHexNumber",
     u"PascalScript",
     {QStringLiteral("begin x := $1F; end")},
     {QStringLiteral("44444 3 1 3 11 3 666 1 3 444")}},
    {"PascalKeywordInBracesIsComment",
     u"PascalScript",
     {QStringLiteral("{ begin } 'it''s' 2.5 #13")},
     {QStringLiteral("333333333 3 5555555 3 666 3 555")}},
    {"PascalLineComment", u"PascalScript", {QStringLiteral("x // begin")}, {QStringLiteral("1 3 33333333")}},
    {"PascalSecondBlockCommentAndCase",
     u"PascalScript",
     {QStringLiteral("(*a*)Begin")},
     {QStringLiteral("33333 44444")}},
    {"PascalCommentOverTwoLines",
     u"PascalScript",
     {QStringLiteral("a { x"), QStringLiteral("y } begin")},
     {QStringLiteral("1 3 333"), QStringLiteral("333 3 44444")}},
    {"PascalUnclosedStringIsText",
     u"PascalScript",
     {QStringLiteral("s := 'abc")},
     {QStringLiteral("1 3 11 3 1 111")}},
    {"PascalRealNumber",
     u"PascalScript",
     {QStringLiteral("x1 := 12.5e3")},
     {QStringLiteral("11 3 11 3 666666")}},
    {"TabKeepsItsOwnCode", u"PascalScript", {QStringLiteral("\tx")}, {QStringLiteral("9 1")}},
    {"CppKeywordsHexAndComment",
     u"C++Script",
     {QStringLiteral("if (a) return 0xFF; // end")},
     {QStringLiteral("44 3 111 3 444444 3 6666 1 3 333333")}},
    {"CppEscapedQuoteStaysInString",
     u"C++Script",
     {QStringLiteral("s = \"a\\\"b\"; /* c */")},
     {QStringLiteral("1 3 1 3 555555 1 3 3333333")}},
    {"CppKeywordsAreCaseSensitive", u"C++Script", {QStringLiteral("IF if")}, {QStringLiteral("11 3 44")}},
    {"BasicKeywordAndQuoteComment",
     u"BasicScript",
     {QStringLiteral("Dim x ' note")},
     {QStringLiteral("444 3 1 3 333333")}},
    {"BasicRemIsACommentOnlyAsAWord",
     u"BasicScript",
     {QStringLiteral("rem note"), QStringLiteral("remark = 1")},
     {QStringLiteral("33333333"), QStringLiteral("111111 3 1 3 6")}},
    {"BasicStringAndHexNumber",
     u"BasicScript",
     {QStringLiteral("s = \"x\" & 0x1A")},
     {QStringLiteral("1 3 1 3 555 3 1 3 6666")}},
    {"JScriptFunction",
     u"JScript",
     {QStringLiteral("function f() { return \"t\"; }")},
     {QStringLiteral("44444444 3 111 3 1 3 444444 3 555 1 3 1")}},
    {"JScriptBlockCommentAndVar",
     u"JScript",
     {QStringLiteral("/* a */ var x = 0x10;")},
     {QStringLiteral("33333333 444 3 1 3 1 3 6666 1")}},
    {"SqlKeywordsAndCountStar",
     u"SQL",
     {QStringLiteral("select count(*) from t -- all")},
     {QStringLiteral("444444 3 44444 111 3 4444 3 1 3 333333")}},
    {"SqlQuotesCommentsAndHex",
     u"sql",
     {QStringLiteral("WHERE \"Name\" = 'x' /* c */ 0xFF")},
     {QStringLiteral("44444 3 555555 3 1 3 111 3 33333333 6666")}},
    {"UnknownSyntaxHasNoKeywords", u"Foo", {QStringLiteral("begin 1")}, {QStringLiteral("11111 3 6")}},
};

INSTANTIATE_TEST_SUITE_P(Languages, SyntaxMemoColouring, ::testing::ValuesIn(kCases),
                         [](const auto &row) { return std::string(row.param.name); });

// A script whose comments and strings span what later edits change.
QStringList Program()
{
    QStringList lines;
    for (int i = 0; i < 30; ++i) {
        lines << QStringLiteral("procedure P%1(a: Integer); // routine %1").arg(i) << QStringLiteral("begin")
              << QStringLiteral("  s := 'text %1' + IntToStr($%1); { note").arg(i)
              << QStringLiteral("    still a note } a := a + 1.5;") << QStringLiteral("end;");
    }
    return lines;
}

void ExpectSameAsFresh(TfrxSyntaxColouring &colouring, const QStringList &lines, const std::string &step)
{
    TfrxSyntaxColouring fresh;
    for (int line = int(lines.size()) - 1; line >= 0; --line)
        ASSERT_EQ(readable(colouring.Codes(lines, line)), readable(fresh.Codes(lines, line)))
            << step << ", line " << line + 1;
}

TEST(SyntaxMemoColouringAfterChanges, EqualsAFreshColouring)
{
    QStringList lines = Program();
    TfrxSyntaxColouring colouring;
    colouring.Codes(lines, int(lines.size()) - 1);
    const struct
    {
        const char *step;
        int line;
        std::function<void(QStringList &)> change;
    } steps[] = {
        {"a brace opens a comment", 11, [](QStringList &l) { l[11].prepend(u'{'); }},
        {"the comment closes further down", 40, [](QStringList &l) { l[40].append(u'}'); }},
        {"a quote opens a string", 7, [](QStringList &l) { l[7].insert(2, u'\''); }},
        {"lines go", 20, [](QStringList &l) { l.remove(20, 6); }},
        {"lines come", 3, [](QStringList &l) { l.insert(3, QStringLiteral("(* new")); }},
        {"the first line changes", 0, [](QStringList &l) { l[0] = QStringLiteral("x := 'a"); }},
    };
    for (const auto &step : steps) {
        step.change(lines);
        colouring.Invalidate(step.line);
        ExpectSameAsFresh(colouring, lines, step.step);
    }
}

} // namespace

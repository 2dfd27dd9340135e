// The grammar interpreter: positions in the IL, failure and back-tracking rules, the language
// directive, includes, and saving and loading the IL.
#include "ScriptTestUtil.h"

#include "TfsError.h"
#include "TfsILContext.h"
#include "TfsILParser.h"
#include "TfsXMLDocument.h"
#include "TfsXMLItem.h"
#include "fsLanguages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Compiler
{
    TfsILContext context;
    TfsILParser parser{context};

    explicit Compiler(const char *language) { parser.SelectLanguage(QString::fromUtf8(language)); }
    bool compile(const char *source) { return parser.MakeILScript(QString::fromUtf8(source)); }
    const TfsXMLItem &root() const { return *parser.ILScript().Root(); }
    std::string il() const { return Compact(root()).toStdString(); }
    std::string error() const
    {
        return (context.ErrorMsg + QStringLiteral(" @ ") + context.ErrorPos).toStdString();
    }
};

std::string prop(const TfsXMLItem &item, const char *name)
{
    return item.Prop(QString::fromUtf8(name)).toStdString();
}

// A grammar for the failure rules: "W" followed by a rule with a node around one without.
const char *kTestGrammar = R"(<?xml version="1.0"?>
<language text="@Test">
  <parser><errors><err1 text="Identifier expected"/><err5 text="';' expected"/></errors></parser>
  <program>
    <optionalswitch>
      <sequence><keyword text="W"/><wrapped/></sequence>
      <nonode/>
    </optionalswitch>
    <optionalloop><ident add="rest"/></optionalloop>
  </program>
  <nonode><ident add="first"/><char text=";"/></nonode>
  <wrapped node="w"><nonode/></wrapped>
  <broken><nosuchrule/></broken>
  <loops>
    <loop text=","><ident add="x" err="err1" term="1"/></loop>
    <char text="|"/>
    <loop skip="1"><ident add="y"/><char text=";" err="err5"/></loop>
    <optionalloop><switch><ident add="rest"/><number add="rest"/></switch></optionalloop>
  </loops>
</language>
)";

} // namespace

TEST(TfsILParser, PositionsInTheIL)
{
    Compiler c("PascalScript");
    ASSERT_TRUE(c.compile("begin\r\n  x := 12 + y;\r\nend."));
    const TfsXMLItem &assign = *c.root().Item(0)->Item(0);
    EXPECT_EQ(assign.Name().toStdString(), "assignstmt");
    EXPECT_EQ(prop(assign, "pos"), "2:3"); // the statement's first token
    const TfsXMLItem &dsgn = *assign.Item(0);
    EXPECT_EQ(prop(dsgn, "pos"), "2:3");
    EXPECT_EQ(prop(*dsgn.Item(0), "pos"), "2:4"); // a leaf: just after its token
    const TfsXMLItem &expr = *assign.Item(1);
    EXPECT_EQ(prop(expr, "pos"), "2:8");
    EXPECT_EQ(prop(expr, "pos1"), "2:14"); // the end of the expression
    EXPECT_EQ(prop(*expr.Item(0), "pos"), "2:10");
    // The grammar's types are copied as the last child of the root.
    EXPECT_EQ(c.root().Item(c.root().Count() - 1)->Name().toStdString(), "types");

    Compiler cpp("C++Script");
    ASSERT_TRUE(cpp.compile("{ }"));
    const TfsXMLItem &types = *cpp.root().Item(cpp.root().Count() - 1);
    EXPECT_EQ(Compact(types).toStdString(), "types(int long void bool float)");
    EXPECT_EQ(prop(*types.Item(3), "type"), "boolean");
}

TEST(TfsILParser, FailedRuleWithoutNodeKeepsItsItemsUntilANodeFails)
{
    fsRegisterLanguage(QStringLiteral("@Test"), QString::fromUtf8(kTestGrammar));
    Compiler c("@Test");
    // "nonode" fails at the missing ';' but its leaf stays.
    ASSERT_TRUE(c.compile("a b")) << c.error();
    EXPECT_EQ(c.il(), "program(first:a rest:a rest:b)");
    // Inside "wrapped" the same failure is removed by the node; the next alternative then fails on
    // "W" again and keeps its own leaf.
    ASSERT_TRUE(c.compile("W a b")) << c.error();
    EXPECT_EQ(c.il(), "program(first:W rest:W rest:a rest:b)");
    ASSERT_TRUE(c.compile("W a;")) << c.error();
    EXPECT_EQ(c.il(), "program(w(first:a))");
}

TEST(TfsILParser, UnknownRuleAndLanguage)
{
    fsRegisterLanguage(
        QStringLiteral("@Broken"),
        QString::fromUtf8(kTestGrammar)
            .replace(QStringLiteral("<program>"), QStringLiteral("<x>"))
            .replace(QStringLiteral("</program>"), QStringLiteral("</x><program><broken/></program>")));
    Compiler c("@Broken");
    EXPECT_FALSE(c.compile("a"));
    EXPECT_EQ(c.context.ErrorMsg.toStdString(), "Invalid language definition");

    TfsILContext context;
    TfsILParser parser(context);
    try {
        parser.SelectLanguage(QStringLiteral("Cobol"));
        FAIL() << "no error";
    } catch (const TfsError &e) {
        EXPECT_EQ(e.Message().toStdString(), "Language 'Cobol' not found");
    }
    fsRegisterLanguage(QStringLiteral("@Bad XML"), QStringLiteral("<language>"));
    EXPECT_THROW(parser.SelectLanguage(QStringLiteral("@bad xml")), TfsError);

    QStringList names;
    fsGetLanguageList(names);
    EXPECT_EQ(names.mid(0, 4), (QStringList{QStringLiteral("PascalScript"), QStringLiteral("C++Script"),
                                            QStringLiteral("BasicScript"), QStringLiteral("JScript")}));
    EXPECT_FALSE(names.contains(QStringLiteral("@Test")));
}

TEST(TfsILParser, LoopsClearErrorsThatOnlyMarkTheirEnd)
{
    const QString grammar = QString::fromUtf8(kTestGrammar)
                                .replace(QStringLiteral("<program>"), QStringLiteral("<unused>"))
                                .replace(QStringLiteral("</program>"), QStringLiteral("</unused>"))
                                .replace(QStringLiteral("<loops>"), QStringLiteral("<program>"))
                                .replace(QStringLiteral("</loops>"), QStringLiteral("</program>"));
    fsRegisterLanguage(QStringLiteral("@Loops"), grammar);
    Compiler c("@Loops");
    // A term error ends the first loop; skip "1" forgets the second loop's error after a full
    // iteration: "d" has no ';'. The leaf of the failed iteration stays (no node removes it), and
    // the loop ends after "c;".
    ASSERT_TRUE(c.compile("a, b, | c; d 1")) << c.error();
    EXPECT_EQ(c.il(), "program(x:a x:b y:c y:d rest:d rest:1)");
    // Without a full iteration the error stays.
    EXPECT_FALSE(c.compile("a, | c 1"));
    EXPECT_EQ(c.error(), "';' expected @ 1:8");
}

TEST(TfsILParser, LanguageDirective)
{
    Compiler c("PascalScript");
    ASSERT_TRUE(c.compile("#language BasicScript\r\nx = 1\r\n")) << c.error();
    EXPECT_EQ(c.il(), "program(compoundstmt(assignstmt(dsgn(node:x) expr(number:1))))");
    EXPECT_EQ(c.parser.LangName().toStdString(), "BasicScript");
    // Exactly the line end present is skipped; positions still count the directive's line.
    EXPECT_FALSE(c.compile("#LANGUAGE JScript\n)"));
    EXPECT_EQ(c.error(), "Statement expected @ 2:1");
    EXPECT_FALSE(c.compile("#language Cobol\r\nbegin end."));
    EXPECT_EQ(c.context.ErrorMsg.toStdString(), "Language 'Cobol' not found");

    // Case sensitivity does not leak from the language the directive replaces.
    Compiler cpp("C++Script");
    ASSERT_TRUE(cpp.compile("#language PascalScript\r\nBEGIN END.")) << cpp.error();
    // "#include" is no directive.
    Compiler cpp2("C++Script");
    EXPECT_FALSE(cpp2.compile("#include \"x\"\r\n{ }"));
    EXPECT_EQ(cpp2.error(), "Unit 'x' not found @ 1:1");
}

TEST(TfsILParser, UnitsAreIncludedOnceInReverseOrder)
{
    Compiler c("PascalScript");
    QStringList asked;
    c.context.OnGetUnit = [&asked](const QString &name, QString &text) {
        asked << name;
        if (name == u"a")
            text = QStringLiteral("uses 'b'; var va: Integer; begin end.");
        else if (name == u"b")
            text = QStringLiteral("var vb: Integer; begin end.");
        else if (name == u"bad")
            text = QStringLiteral("begin\r\n x := ; end.");
    };
    ASSERT_TRUE(c.compile("uses 'b', 'a', 'b', 'empty'; begin end.")) << c.error();
    // The clause is read from its end: "empty", then "b", then "a", whose own "b" is already in.
    EXPECT_EQ(asked.join(u' ').toStdString(), "empty b a");
    EXPECT_EQ(c.il(), "program(uses uses(program(var(ident:vb type:Integer) compoundstmt)) "
                      "uses(program(var(ident:va type:Integer) compoundstmt)) compoundstmt)");
    EXPECT_EQ(prop(*c.root().Item(1), "unit"), "b");
    EXPECT_EQ(prop(*c.root().Item(2), "unit"), "a");

    EXPECT_FALSE(c.compile("uses 'bad'; begin end."));
    EXPECT_EQ(c.error(), "Expression expected @ 2:7");
    EXPECT_EQ(c.context.ErrorUnit.toStdString(), "bad");
    ASSERT_TRUE(c.compile("begin end."));
    EXPECT_TRUE(c.context.ErrorUnit.isEmpty());
}

TEST(TfsILParser, UnitFilesResolveInsideTheTemplateFolderOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkdir(QStringLiteral("lib"));
    QDir(dir.path()).mkdir(QStringLiteral("tpl"));
    const auto write = [&](const QString &name, const QByteArray &text) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(QStringLiteral("tpl/unit1.pas"), "var u: Integer; begin end.");
    write(QStringLiteral("lib/unit2.pas"), "var w: Integer; begin end.");
    write(QStringLiteral("outside.pas"), "begin end.");

    Compiler c("PascalScript");
    c.context.BaseFolder = dir.filePath(QStringLiteral("tpl"));
    c.context.IncludePath << QStringLiteral("../lib");
    ASSERT_TRUE(c.compile("uses 'unit1.pas', 'unit2.pas'; begin end.")) << c.error();
    EXPECT_EQ(c.root().Count(), 4);

    const char *refused[] = {"uses '../outside.pas'; begin end.", "uses 'sub/../../outside.pas'; begin end."};
    for (const char *source : refused) {
        EXPECT_FALSE(c.compile(source)) << source;
        EXPECT_TRUE(c.context.ErrorMsg.startsWith(QStringLiteral("Unit '"))) << c.error();
    }
    const QByteArray absolute =
        "uses '" + dir.filePath(QStringLiteral("outside.pas")).toUtf8() + "'; begin end.";
    EXPECT_FALSE(c.compile(absolute.constData()));
}

TEST(TfsILParser, ILRoundTrip)
{
    const struct
    {
        const char *language;
        const char *source;
    } programs[] = {
        {"PascalScript", "const S = 'q\"<&>'#1#13#10; begin x := <a.\"b&c\"> + S end."},
        {"C++Script", "int a[2]; { a[0] = \"\\x7\\\"\"; if (a != 1) a++; }"},
        {"BasicScript", "Dim s = \"x\"\"y\"\r\nIf s Then s = s & 1\r\n"},
        {"JScript", "function f(&a) { return a; } var b = f(1);"},
    };
    for (const auto &p : programs) {
        Compiler c(p.language);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        ASSERT_TRUE(c.parser.GetILCode(QString::fromUtf8(p.source), out)) << c.error();
        const QByteArray il = out.data();
        EXPECT_TRUE(il.startsWith("<?xml version=\"1.0\"?>")) << p.language;

        Compiler back(p.language);
        QBuffer in;
        in.setData(il);
        in.open(QIODevice::ReadOnly);
        ASSERT_TRUE(back.parser.SetILCode(in)) << back.error();
        EXPECT_EQ(back.il(), c.il());
        EXPECT_EQ(back.parser.ILScript().SaveToBytes(), il) << p.language;
    }
    // Control characters and markup in strings are written as character references.
    Compiler c("PascalScript");
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(c.parser.GetILCode(QStringLiteral("begin x := 'a\"<&>'#1 end."), out));
    EXPECT_TRUE(out.data().contains("text=\"'a&#34;&#60;&#38;&#62;&#1;'\"")) << out.data().constData();
    // A failed compilation writes nothing and says so.
    QBuffer none;
    none.open(QIODevice::WriteOnly);
    EXPECT_FALSE(c.parser.GetILCode(QStringLiteral("begin x := end."), none));
    EXPECT_TRUE(none.data().isEmpty());
}

TEST(TfsILParser, MalformedILIsRefused)
{
    const char *cases[] = {"", "<program/>", "<?xml version=\"1.0\"?><script/>",
                           "<?xml version=\"1.0\"?><program><expr></program>"};
    for (const char *text : cases) {
        Compiler c("PascalScript");
        QBuffer in;
        in.setData(QByteArray(text));
        in.open(QIODevice::ReadOnly);
        EXPECT_FALSE(c.parser.SetILCode(in)) << text;
        EXPECT_EQ(c.context.ErrorMsg.toStdString(), "Invalid file format");
    }
}

TEST(TfsILParser, ExpressionsMustBeConsumedWhole)
{
    const struct
    {
        const char *language;
        const char *source;
        const char *expected;
    } cases[] = {
        {"PascalScript", "a + <Data.\"x\"> * 2",
         "program(expr(dsgn(node:a) op:+ dsgn(node:Get expr(string:'Data.\"x\"')) "
         "op:* number:2))"},
        {"C++Script", " a == \"b\" ", "program(expr(dsgn(node:a) op:= string:'b'))"},
        {"PascalScript", "a b", "Expression expected @ 1:3"},
        {"JScript", "a)", "Expression expected @ 1:2"},
        {"BasicScript", "", "Expression expected @ 1:1"},
        {"PascalScript", "(a", "')' expected @ 1:3"},
    };
    for (const auto &c : cases) {
        Compiler compiler(c.language);
        const bool ok = compiler.parser.MakeILExpression(QString::fromUtf8(c.source));
        EXPECT_EQ(ok ? compiler.il() : compiler.error(), c.expected) << c.source;
    }
}

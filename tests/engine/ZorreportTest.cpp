// The command-line tool end to end: prepare, render, data from CSV files, running scripts, and failures.
#include "ZorreportRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

using Result = ZorreportResult;

Result RunTool(const QStringList &args) { return RunZorreport(args); }

const QString kTemplate = QStringLiteral(ZOR_CERTIFICATE_TEMPLATE);

TEST(ZorReportTest, PreparesAndRendersTheCertificate)
{
    QTemporaryDir dir;
    const QString prepared = dir.filePath(QStringLiteral("cert.zi3"));
    const QString fromTemplate = dir.filePath(QStringLiteral("a.png"));
    const QString fromPrepared = dir.filePath(QStringLiteral("b.png"));
    const QString hiRes = dir.filePath(QStringLiteral("c.png"));

    Result r = RunTool({QStringLiteral("prepare"), kTemplate, QStringLiteral("-o"), prepared});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    QFile file(prepared);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    EXPECT_TRUE(xml.contains("<preparedreport>"));
    EXPECT_TRUE(xml.contains("<page0><TfrxNullBand"));

    r = RunTool({QStringLiteral("render"), kTemplate, QStringLiteral("-o"), fromTemplate});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    r = RunTool({QStringLiteral("render"), prepared, QStringLiteral("--page"), QStringLiteral("1"), QStringLiteral("-o"),
                 fromPrepared});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QImage a(fromTemplate), b(fromPrepared);
    EXPECT_EQ(a.size(), QSize(794, 559));
    EXPECT_TRUE(a == b);

    r = RunTool({QStringLiteral("render"), prepared, QStringLiteral("--dpi"), QStringLiteral("192"), QStringLiteral("-o"),
                 hiRes});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(QImage(hiRes).size(), QSize(1588, 1118));
}

TEST(ZorReportTest, WritesThePagesAsAPdfOfThePagesPaper)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cert.pdf"));
    const Result r = RunTool({QStringLiteral("pdf"), kTemplate, QStringLiteral("-o"), pdf});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(60000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b")))) << text.toStdString();
    // A5 landscape: 210 x 148 mm is 595.3 x 419.5 points (pdfinfo may round).
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Page size:\\s+595\\S* x 4(19|20)\\b"))))
        << text.toStdString();
}

TEST(ZorReportTest, DataFromACsvFileFillsADataBand)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("people.csv"));
    const QString templ = dir.filePath(QStringLiteral("list.ze3"));
    const QString prepared = dir.filePath(QStringLiteral("list.zi3"));
    QFile data(csv);
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write("Name,City\nИванов,\"Москва, центр\"\nПетров,Тула\n");
    data.close();
    QFile t(templ);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write(R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport Version="5.1.1">
  <TfrxReportPage Name="Page1" PaperWidth="100" PaperHeight="100" PaperSize="256">
    <TfrxMasterData Name="MasterData1" Height="20" Top="10" Width="300" DataSetName="People" RowCount="0">
      <TfrxMemoView Name="Row" Left="0" Top="0" Width="300" Height="20" Text="[People.&#34;Name&#34;] / [People.&#34;City&#34;]"/>
    </TfrxMasterData>
  </TfrxReportPage>
</TfrxReport>
)");
    t.close();
    const Result r = RunTool({QStringLiteral("prepare"), templ, QStringLiteral("--data"),
                              QStringLiteral("People=") + csv, QStringLiteral("-o"), prepared});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    QFile out(prepared);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(out.readAll());
    EXPECT_TRUE(xml.contains(QString::fromUtf8("Иванов / Москва, центр"))) << xml.left(2000).toStdString();
    EXPECT_TRUE(xml.contains(QString::fromUtf8("Петров / Тула")));
}

TEST(ZorReportTest, FailuresExitNonZeroWithTheReason)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.ze3"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport Version="5.1.1">
  <TfrxReportPage Name="Page1" PaperWidth="100" PaperHeight="100" PaperSize="256">
    <TfrxFooter Name="Footer1" Height="20" Top="10" Width="300"/>
  </TfrxReportPage>
</TfrxReport>
)");
    file.close();
    const QString out = dir.filePath(QStringLiteral("out.zi3"));
    struct Case {
        QStringList Args;
        QString Message;
    };
    const Case cases[] = {
        {{QStringLiteral("prepare"), dir.filePath(QStringLiteral("missing.ze3")), QStringLiteral("-o"), out},
         QStringLiteral("Cannot open file")},
        {{QStringLiteral("prepare"), bad, QStringLiteral("-o"), out}, QStringLiteral("Unconnected header/footer Footer1")},
        {{QStringLiteral("prepare"), kTemplate, QStringLiteral("--data"), QStringLiteral("X=") + dir.filePath(QStringLiteral("none.csv")),
          QStringLiteral("-o"), out},
         QStringLiteral("Cannot read")},
        {{QStringLiteral("render"), kTemplate, QStringLiteral("--page"), QStringLiteral("2"), QStringLiteral("-o"), out},
         QStringLiteral("Page 2 does not exist: the report has 1 page(s)")},
        {{QStringLiteral("prepare"), kTemplate}, QStringLiteral("-o OUTPUT")},
        {{QStringLiteral("publish"), kTemplate}, QStringLiteral("Unknown command")},
    };
    for (const Case &c : cases) {
        const Result r = RunTool(c.Args);
        EXPECT_NE(r.ExitCode, 0) << c.Args.join(u' ').toStdString();
        EXPECT_TRUE(r.Err.contains(c.Message)) << r.Err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

// A template with variables filled from the command line, in PascalScript and in JScript, whose
// literals are quoted differently.
TEST(ZorReportTest, VariablesFromTheCommandLineReachThePage)
{
    QTemporaryDir dir;
    const std::pair<const char *, const char *> languages[] = {{"PascalScript", "begin end."},
                                                               {"JScript", ""}};
    for (const auto &[language, script] : languages) {
        SCOPED_TRACE(language);
        const QString templ = dir.filePath(QStringLiteral("vars.ze3"));
        const QString prepared = dir.filePath(QStringLiteral("vars.zi3"));
        QFile t(templ);
        ASSERT_TRUE(t.open(QIODevice::WriteOnly));
        t.write(QStringLiteral(R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport Version="5.1.1" ScriptLanguage="%1" ScriptText.Text="%2">
  <Variables>
    <item Name=" Certificate"/>
    <item Name="Student" Value="'nobody'"/>
    <item Name="Number" Value="'0'"/>
  </Variables>
  <TfrxReportPage Name="Page1" PaperWidth="100" PaperHeight="100" PaperSize="256">
    <TfrxMemoView Name="Memo1" Left="0" Top="0" Width="300" Height="20" Text="[Student] / [Number]"/>
  </TfrxReportPage>
</TfrxReport>
)")
                    .arg(QLatin1String(language), QLatin1String(script))
                    .toUtf8());
        t.close();
        const Result r = RunTool({QStringLiteral("prepare"), templ, QStringLiteral("--var"),
                                  QString::fromUtf8("Student=О'Брайен \"Иван\" = 1"), QStringLiteral("--var"),
                                  QStringLiteral("number=0042"), QStringLiteral("-o"), prepared});
        ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
        QFile out(prepared);
        ASSERT_TRUE(out.open(QIODevice::ReadOnly));
        const QString xml = QString::fromUtf8(out.readAll());
        // The values arrive as texts, quotes and all; "0042" stays a text, not the number 42.
        EXPECT_TRUE(xml.contains(QString::fromUtf8("О'Брайен &#34;Иван&#34; = 1 / 0042")))
            << xml.toStdString();
    }
}

TEST(ZorReportTest, ABadVariableOptionIsAnErrorWithStatusOne)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.zi3"));
    const QString prepared = dir.filePath(QStringLiteral("cert.zi3"));
    ASSERT_EQ(RunTool({QStringLiteral("prepare"), kTemplate, QStringLiteral("-o"), prepared}).ExitCode, 0);
    const struct
    {
        QStringList Args;
        QString Message;
    } cases[] = {
        {{QStringLiteral("prepare"), kTemplate, QStringLiteral("--var"), QStringLiteral("Student")},
         QStringLiteral("Invalid value for --var: \"Student\"")},
        {{QStringLiteral("prepare"), kTemplate, QStringLiteral("--var"), QStringLiteral("=x")},
         QStringLiteral("Invalid value for --var: \"=x\"")},
        {{QStringLiteral("pdf"), kTemplate, QStringLiteral("--var"), QStringLiteral("NoSuch=1")},
         QStringLiteral("The report has no variable \"NoSuch\"")},
        {{QStringLiteral("render"), prepared, QStringLiteral("--var"), QStringLiteral("A=1")},
         QStringLiteral("--var sets variables of a template, not of a prepared report")},
    };
    for (const auto &c : cases) {
        const Result r = RunTool(c.Args + QStringList{QStringLiteral("-o"), out});
        EXPECT_EQ(r.ExitCode, 1) << c.Args.join(u' ').toStdString();
        EXPECT_TRUE(r.Err.contains(c.Message)) << r.Err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

// Scripts run from the command line in each language; the exit status tells a compile error (2)
// from a failure while running (1), and the messages carry line:column.
TEST(ZorReportTest, RunsScriptsAndPrintsTheirVariables)
{
    QTemporaryDir dir;
    const auto write = [&dir](const char *name, const char *text) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    };
    struct Case {
        QString File;
        QStringList Options;
        int ExitCode;
        QString Out;  // standard output, exactly
        QString Err;  // a part of standard error
    };
    const Case cases[] = {
        {write("sum.pas", "var s, n: Integer; t: String;\nbegin\n  for n := 1 to 10 do s := s + n;\n  t := 'сумма';\nend.\n"),
         {QStringLiteral("--print"), QStringLiteral("s"), QStringLiteral("--print"), QStringLiteral("t")}, 0,
         QStringLiteral("55\nсумма\n"), {}},
        {write("sum.js", "var s = 0;\nfor (var i = 1; i <= 4; i++) s += i;\n"), {QStringLiteral("--print"), QStringLiteral("s")}, 0,
         QStringLiteral("10\n"), {}},
        {write("sum.vb", "dim s\ns = 0\nfor i = 1 to 3\n  s = s + i\nnext\n"), {QStringLiteral("--print"), QStringLiteral("s")}, 0,
         QStringLiteral("6\n"), {}},
        {write("sum.cpp", "int s = 0;\n{ for (int i = 1; i <= 2; i++) s += i; }\n"), {QStringLiteral("--print"), QStringLiteral("s")}, 0,
         QStringLiteral("3\n"), {}},
        {write("pascal.txt", "var s: Integer;\nbegin\n  s := 7;\nend.\n"),
         {QStringLiteral("--language"), QStringLiteral("pascalscript"), QStringLiteral("--print"), QStringLiteral("s")}, 0,
         QStringLiteral("7\n"), {}},
        {write("bad.pas", "begin\n  x := ;\nend.\n"), {}, 2, {}, QStringLiteral("bad.pas:2:8: Expression expected")},
        {write("zero.js", "var x = 1;\nx = x / 0;\n"), {}, 1, {}, QStringLiteral("zero.js:2:1: Floating point division by zero")},
        {write("deep.js", "function f(n) { return f(n + 1); }\nf(1);\n"), {}, 1, {}, QStringLiteral("Stack overflow")},
        {write("what.txt", "begin end.\n"), {}, 2, {}, QStringLiteral("use --language")},
        {dir.filePath(QStringLiteral("sum.pas")), {QStringLiteral("--print"), QStringLiteral("nothing")}, 2, {},
         QStringLiteral("No global variable \"nothing\"")},
    };
    for (const Case &c : cases) {
        const Result r = RunTool(QStringList{QStringLiteral("run"), c.File} + c.Options);
        SCOPED_TRACE(c.File.toStdString());
        EXPECT_EQ(r.ExitCode, c.ExitCode) << r.Err.toStdString();
        EXPECT_EQ(r.Out, c.Out);
        EXPECT_TRUE(r.Err.contains(c.Err)) << r.Err.toStdString();
    }
}

TEST(ZorReportTest, HelpDescribesTheCommands)
{
    const Result r = RunTool({QStringLiteral("--help")});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_TRUE(r.Out.contains(QStringLiteral("zorreport prepare TEMPLATE")));
    EXPECT_TRUE(r.Out.contains(QStringLiteral("zorreport render")));
    EXPECT_TRUE(r.Out.contains(QStringLiteral("zorreport run SCRIPT")));
}

// The library's texts stay English unless --language names a language file; one that is not
// there is a warning and the command still does its work. The run command keeps --language for
// the script's language.
TEST(ZorReportTest, LanguageOptionChoosesTheLibrarysTexts)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("a.png"));
    Result r = RunTool({QStringLiteral("render"), kTemplate, QStringLiteral("--language"), QStringLiteral("russian"),
                        QStringLiteral("-o"), png});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_FALSE(r.Err.contains(QStringLiteral("warning"))) << r.Err.toStdString();
    EXPECT_TRUE(QFile::exists(png));

    QFile::remove(png);
    r = RunTool({QStringLiteral("render"), kTemplate, QStringLiteral("-o"), png, QStringLiteral("--language"),
                 QStringLiteral("Klingon")});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains(QStringLiteral("zorreport: warning: there is no language \"Klingon\" (known: "
                                              "Russian); the texts stay English\n")))
        << r.Err.toStdString();
    EXPECT_TRUE(QFile::exists(png));

    r = RunTool({QStringLiteral("prepare"), kTemplate, QStringLiteral("-o"), png, QStringLiteral("--language")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(QStringLiteral("Unexpected argument \"--language\""))) << r.Err.toStdString();
}

} // namespace

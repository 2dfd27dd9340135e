// Host classes inside scripts: indexed and default properties, constructors and Free, with
// statements over objects, the date check of a date value, and the files scripts may read.
#include "ScriptTestUtil.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *name;
    const char *language;
    const char *source;
    const char *expected;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class HostClasses : public testing::TestWithParam<Case>
{
};

TEST_P(HostClasses, Run)
{
    EXPECT_EQ(runProgram(GetParam().language, GetParam().source), GetParam().expected);
}

// clang-format off
const Case kCases[] = {
    // Indexed and default properties, read and written.
    {"default property read and write", "PascalScript",
     "var L: TStringList; r: String;\n"
     "begin L := TStringList.Create; L.Add('a'); L.Add('b'); L[0] := 'x'; L.Strings[1] := L.Strings[1] + 'y';\n"
     "  r := L[0] + L.Strings[1] + IntToStr(L.Count); L.Free end.",
     "xby2"},
    {"text form and search", "PascalScript",
     "var L: TStringList; r: String;\n"
     "begin L := TStringList.Create; L.Text := 'p'#13#10'q'#10'z'; L.Insert(3, 'end'); L.Delete(0);\n"
     "  r := L.Text + IntToStr(L.IndexOf('Z')) + IntToStr(L.IndexOf('none')) end.",
     "q\r\nz\r\nend\r\n1-1"},
    {"objects move with their lines", "PascalScript",
     "var L, M: TStringList; r: Boolean;\n"
     "begin L := TStringList.Create; M := TStringList.Create; L.AddObject('m', M); L.Add('none');\n"
     "  L.Insert(0, 'first'); L.Delete(2); L.Objects[0] := L;\n"
     "  TStringList(L.Objects[1]).Add('through'); r := (M[0] = 'through') and (L.Objects[0] = L) end.",
     "True"},
    {"index out of range", "PascalScript",
     "var L: TStringList; r: String;\nbegin L := TStringList.Create;\n  r := L[2] end.",
     "runtime: List index out of bounds (2) @ 3:3"},
    {"negative index written", "PascalScript",
     "var L: TStringList;\nbegin L := TStringList.Create; L.Add('a');\n  L.Strings[-1] := 'b' end.",
     "runtime: List index out of bounds (-1) @ 3:3"},
    {"wrong index type", "PascalScript",
     "var L: TStringList; r: String;\nbegin L := TStringList.Create; r := L['a'] end.",
     "error: Incompatible types: 'Integer', 'String' @ 2:39"},
    {"indexed property without index", "PascalScript",
     "var L: TStringList; r: String;\nbegin L := TStringList.Create; r := L.Strings end.",
     "error: Index required @ 2:39"},
    {"class without default property", "PascalScript",
     "var O: TObject; r: String;\nbegin r := O[0] end.",
     "error: Class TObject does not have a default property @ 2:12"},
    {"default property in C++Script", "C++Script",
     "TStringList L; String r; { L = TStringList.Create; L.Add(\"a\"); L[0] = L[0] + \"b\"; r = L[0]; }",
     "ab"},
    {"default property through a variant", "JScript",
     "var L = TStringList.Create(); L.Add(\"a\"); L[0] = L[0] + \"b\"; var r = L[0] + L.Strings[0];",
     "abab"},
    {"indexes after a property found when running", "JScript",
     "var L = TStringList.Create(); L.Add(\"ab\"); var r = L.Text[2];",
     "b"},
    {"variant object indexed out of range", "JScript",
     "var L = TStringList.Create();\nvar r = 1;\nr = L[3];",
     "runtime: List index out of bounds (3) @ 3:1"},
    // Constructors and Free.
    {"method called on a class", "PascalScript",
     "begin TStringList.Add('x') end.",
     "error: Constructor required @ 1:19"},
    {"use after Free", "PascalScript",
     "var L: TStringList; r: Integer;\nbegin L := TStringList.Create; L.Free;\n  r := L.Count end.",
     "runtime: Invalid object reference @ 3:3"},
    {"Free twice", "PascalScript",
     "var L: TStringList;\nbegin L := TStringList.Create; L.Free;\n  L.Free end.",
     "runtime: Invalid object reference @ 3:3"},
    {"Free of nil", "PascalScript",
     "var L: TStringList;\nbegin\n  L.Free end.",
     "runtime: Access to a nil object @ 3:3"},
    {"new and delete in C++Script", "C++Script",
     "TStringList L; String r; { L = new TStringList; L.Add(\"a\"); r = L[0] + IntToStr(L.Count); delete L; }",
     "a1"},
    {"use after delete", "C++Script",
     "TStringList L; int r; { L = new TStringList;\n  delete L;\n  r = L.Count; }",
     "runtime: Invalid object reference @ 3:3"},
    {"new of something else", "JScript",
     "var X = 1; var r = new X;",
     "error: Class type required @ 1:20"},
    {"delete of a number", "C++Script",
     "int i; { delete i; }",
     "error: Class type required @ 1:10"},
    {"new with arguments in JScript", "JScript",
     "var L = new TStringList(); L.Text = \"x\"; var r = L.Text;",
     "x\r\n"},
    {"objects left to the script", "JScript",
     "var r = 0; for (var i = 0; i < 10; i++) { var L = TStringList.Create(); L.Add(\"x\"); r = r + L.Count; }",
     "10"},
    // with: names are members of the object first, then outward.
    {"with in PascalScript", "PascalScript",
     "var L: TStringList; r: String; Count: Integer;\n"
     "begin Count := 7; L := TStringList.Create;\n"
     "  with L do begin Add('a'); Add('b'); Strings[0] := 'c'; r := Text + IntToStr(Count) end;\n"
     "  r := r + IntToStr(Count) end.",
     "c\r\nb\r\n27"},
    {"nested with, innermost first", "PascalScript",
     "var A, B: TStringList; r: String;\n"
     "begin A := TStringList.Create; B := TStringList.Create; A.Add('a');\n"
     "  with A, B do begin Add('b'); Add('c') end;\n"
     "  with A do with B do r := IntToStr(Count) + Strings[1] end.",
     "2c"},
    {"with evaluates its object once", "PascalScript",
     "var A, B: TStringList; r: String;\n"
     "begin A := TStringList.Create; B := TStringList.Create;\n"
     "  with A do begin A := B; Add('x') end; r := IntToStr(A.Count) + IntToStr(B.Count) end.",
     "00"},
    {"with inside a recursive routine", "PascalScript",
     "var r: String;\n"
     "function Depth(n: Integer): String;\n"
     "var L: TStringList;\n"
     "begin L := TStringList.Create; L.Add(IntToStr(n));\n"
     "  with L do begin if n > 0 then Add(Depth(n - 1)); Result := Strings[0] + '(' + IntToStr(Count) + ')' end;\n"
     "  L.Free end;\n"
     "begin r := Depth(2) end.",
     "2(2)"},
    {"with in BasicScript", "BasicScript",
     "Dim L, r\r\nL = TStringList.Create\r\nWith L\r\n  Add(\"a\")\r\n  Add(\"b\")\r\n  r = Count\r\nEnd With\r\n",
     "2"},
    {"with in JScript", "JScript",
     "var L = TStringList.Create(); var r; with (L) { Add(\"a\"); Text = Text + \"b\"; r = Strings[1]; }",
     "b"},
    {"with over a variant object", "JScript",
     "var V = TStringList.Create(); var r; with (V) { Add(\"q\"); r = Count; }",
     "1"},
    {"with over a number", "PascalScript",
     "var i: Integer;\nbegin with i do i := 1 end.",
     "error: Class type required @ 2:12"},
    // A date value is checked as its short date text.
    {"ValidDate of dates", "PascalScript",
     "var d: TDateTime; r: String;\n"
     "begin d := Date; r := BoolToStr(ValidDate(Date)) + BoolToStr(ValidDate(d)) +\n"
     "  BoolToStr(ValidDate(EncodeDate(2015, 11, 1))) + BoolToStr(ValidDate('40.13.2015')) +\n"
     "  BoolToStr(ValidDate(1.0E10)) + BoolToStr(ValidDate(Null)) end.",
     "-1-1-1000"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Scripts, HostClasses, testing::ValuesIn(kCases));

// Files that scripts name: only regular files inside the script's folder, read, never written.
TEST(ScriptFiles, ReadOnlyInsideTheScriptsFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString folder = root.filePath(QStringLiteral("tpl"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/sub")));
    const auto write = [](const QString &path, const QByteArray &text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(folder + QStringLiteral("/names.txt"), "\xEF\xBB\xBFИванов\nПетров\n");
    write(folder + QStringLiteral("/sub/more.txt"), "x");
    write(root.filePath(QStringLiteral("secret.txt")), "secret");
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("secret.txt")), folder + QStringLiteral("/link.txt")));

    const struct
    {
        const char *name;     // the file the script names
        bool withFolder;      // the script has a folder of its own
        const char *expected; // the lines read, or the run-time error
    } cases[] = {
        {"names.txt", true, "Иванов|Петров"},
        {"sub/more.txt", true, "x"},
        {"sub\\more.txt", true, "x"},
        {"../secret.txt", true, "File name not allowed: ../secret.txt"},
        {"sub/../names.txt", true, "File name not allowed: sub/../names.txt"},
        {"link.txt", true, "Cannot open file \"link.txt\""},
        {"sub", true, "Cannot open file \"sub\""},
        {"none.txt", true, "Cannot open file \"none.txt\""},
        {"names.txt", false, "Scripts have no access to files"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TfsScript script;
        script.BaseFolder = c.withFolder ? folder : QString();
        script.SetLines(QStringLiteral("var L: TStringList; r: String;\n"
                                       "begin L := TStringList.Create; L.LoadFromFile(N); r := L[0];\n"
                                       "  if L.Count > 1 then r := r + '|' + L[1]; L.Free end."));
        script.AddVariable(QStringLiteral("N"), QStringLiteral("String"),
                           TfsValue(QString::fromUtf8(c.name)));
        ASSERT_TRUE(script.Compile()) << script.ErrorMsg().toStdString();
        QString result;
        try {
            script.Execute();
            result = script.Variable(QStringLiteral("r")).ToString();
        } catch (const TfsRuntimeError &e) {
            result = e.Message();
        }
        EXPECT_EQ(result.toStdString(), c.expected);
    }

    TfsScript writer;
    writer.BaseFolder = folder;
    writer.SetLines(QStringLiteral("var L: TStringList;\nbegin L := TStringList.Create; L.SaveToFile('out.txt') end."));
    ASSERT_TRUE(writer.Compile());
    EXPECT_THROW(writer.Execute(), TfsRuntimeError);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/out.txt")));
}

} // namespace

// A report's script sees the report: its objects by name with their properties and methods, the
// report's Calc, the events of its objects, Value and Self, and the aggregate macros.
#include "TfrxBands.h"
#include "TfrxFont.h"
#include "TfrxMemoView.h"
#include "TfrxOutlineScriptObject.h"
#include "TfrxReport.h"
#include "TfrxReportModule.h"
#include "TfrxReportPage.h"
#include "TfrxScriptBinder.h"
#include "TfrxUserDataSet.h"
#include "TfrxVariables.h"
#include "TfsClassVariable.h"
#include "TfsObjectRegistry.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "zorScriptBindings.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

// A page with one text object, Memo1, and a report script in PascalScript.
struct Bound : testing::Test
{
    Bound()
    {
        zorRegisterScriptBindings();
        memo->SetName(QStringLiteral("Memo1"));
        memo->SetBounds(20, 30, 100, 20);
        memo->SetText(QStringLiteral("text"));
    }

    // Compiles the report's script; the compile error as text otherwise.
    std::string prepare(const char *source)
    {
        report.SetScriptText(QString::fromUtf8(source).split(u'\n'));
        if (!report.PrepareScript())
            return report.Script().ErrorMsg().toStdString() + " at " +
                   report.Script().ErrorPos().toStdString();
        return "ok";
    }

    // Compiles and runs the report's script: "ok", the compile error, or "!message at pos".
    std::string execute(const char *source)
    {
        const std::string compiled = prepare(source);
        if (compiled != "ok")
            return compiled;
        try {
            report.Script().Execute();
        } catch (const TfsRuntimeError &e) {
            return "!" + e.Message().toStdString() + " at " + e.Pos().toStdString();
        }
        return "ok";
    }

    // The value of an expression in the report's script, or "!message".
    std::string eval(const char *expression)
    {
        try {
            const TfsValue v = report.Script().Evaluate(QString::fromUtf8(expression));
            return (report.Script().EvaluateRiseError() ? "!" : "") + v.ToString().toStdString();
        } catch (const TfsRuntimeError &e) {
            return "!" + e.Message().toStdString();
        }
    }

    TfrxReport report;
    TfrxReportPage *page = new TfrxReportPage(&report);
    TfrxMemoView *memo = new TfrxMemoView(page);
};

// The handler of a template's text object moves and recolours it before it is printed.
TEST_F(Bound, BeforePrintHandlerMovesAndRecoloursTheObject)
{
    memo->SetOnBeforePrint(QStringLiteral("Memo1OnBeforePrint"));
    ASSERT_EQ(prepare("procedure Memo1OnBeforePrint(Sender: TfrxComponent);\n"
                      "begin\n"
                      "  Memo1.Left := Memo1.Left + 10;\n"
                      "  TfrxMemoView(Sender).Top := 5;\n"
                      "  Memo1.Font.Color := clRed;\n"
                      "  Memo1.Text := 'Дата: ' + FormatDateTime('dd.mm.yyyy', EncodeDate(2015, 11, 1));\n"
                      "end;\n"
                      "begin end."),
              "ok");
    report.DoNotifyEvent(memo, memo->OnBeforePrint(), true);
    EXPECT_DOUBLE_EQ(memo->Left(), 30);
    EXPECT_DOUBLE_EQ(memo->Top(), 5);
    EXPECT_EQ(memo->Font()->Color(), 255);
    EXPECT_EQ(memo->Text(), QStringLiteral("Дата: 01.11.2015\r\n"));
    report.DoNotifyEvent(memo, QStringLiteral("NoSuchProcedure"), true); // nothing to run, nothing happens
}

TEST_F(Bound, ObjectsPropertiesAndMethodsByName)
{
    memo->SetWordWrap(false);
    ASSERT_EQ(prepare("begin end."), "ok");
    struct Row
    {
        const char *expression, *expected;
    };
    // clang-format off
    const Row rows[] = {
        {"Memo1.Left", "20"},
        {"Memo1.Name", "Memo1"},
        {"Memo1.Text", "text\r\n"},                // the text form of the lines
        {"Trim(Memo1.text)", "text"},               // members are found without regard to case
        {"Memo1.WordWrap", "False"},                // a Boolean property reads as a Boolean
        {"Memo1.HAlign = haLeft", "True"},          // enumerations from the host's tables
        {"Memo1.Font.Name <> ''", "True"},          // an object property leads to its own members
        {"Memo1.Parent.Name = Page1.Name", "True"}, // a member added by hand, on an ancestor class
        {"Memo1.AbsLeft", "20"},
        {"Report.FindObject('Memo1').Top", "30"},
        {"Report.Calc('2 * 21')", "42"},
        {"Memo1.NoSuchMember", "!Undeclared identifier: 'NoSuchMember'"},
        {"Report.FindObject('Missing').Left", "!Access to a nil object"},
        {"Report.ShowReport", "!A report cannot be loaded or shown from its own script"},
        {"Round(fr1cm * 10)", "378"},
        {"fsxWide + fsx15cpi + haBlock + vaCenter", "325"}, // set members are powers of two
        {"IIF(1 > 2, 1 / 0, 'chosen only')", "chosen only"}, // the macro calculates only its branch
        {"Get('NoSuchVariable')", ""},
        {"Get('Total') * 2", "8"},
        {"SUM(1)", "!Aggregates are not available"},
    };
    // clang-format on
    page->SetName(QStringLiteral("Page1"));
    report.Variables()->SetVariable(QStringLiteral("Total"), 4);
    ASSERT_EQ(prepare("begin end."), "ok");
    for (const Row &row : rows)
        EXPECT_EQ(eval(row.expression), row.expected) << row.expression;
    EXPECT_TRUE(report.Errors().contains(QStringLiteral("Unknown variable or datafield: NoSuchVariable")));
}

// Set writes a report variable, adding it when absent.
TEST_F(Bound, SetWritesReportVariables)
{
    ASSERT_EQ(prepare("begin Set('Answer', 6 * 7); Set('Name', 'x') end."), "ok");
    report.Script().Execute();
    EXPECT_EQ(report.Variables()->Variable(QStringLiteral("Answer")).toInt(), 42);
    EXPECT_EQ(report.Variables()->Variable(QStringLiteral("Name")).toString(), QStringLiteral("x"));
}

// Objects replaced under a compiled script (a reload around preparation) are reached by name again;
// a name that is gone gives nil instead of the freed object.
TEST_F(Bound, RebindFollowsReplacedObjects)
{
    ASSERT_EQ(prepare("begin end."), "ok");
    delete memo;
    EXPECT_EQ(eval("Memo1.Left"), "!Invalid object reference");
    memo = new TfrxMemoView(page);
    memo->SetName(QStringLiteral("Memo1"));
    memo->SetLeft(77);
    TfrxScriptBinder::Rebind(report, report.Script());
    EXPECT_EQ(eval("Memo1.Left"), "77");
    delete memo;
    memo = nullptr;
    TfrxScriptBinder::Rebind(report, report.Script());
    EXPECT_EQ(eval("Memo1.Left"), "!Access to a nil object");
}

TEST_F(Bound, MembersAreCheckedWhenTheClassIsKnown)
{
    EXPECT_EQ(prepare("begin Memo1.Lefft := 1 end."), "Undeclared identifier: 'Lefft' at 1:13");
    EXPECT_EQ(prepare("begin Memo1.SetBounds(1, 2) end."), "Not enough actual parameters at 1:13");
}

// Assigning an event names a script procedure; anything else is refused.
TEST_F(Bound, EventsTakeProcedures)
{
    ASSERT_EQ(prepare("var x: Integer;\n"
                      "procedure P(Sender: TfrxComponent); begin end;\n"
                      "begin Memo1.OnBeforePrint := 'P' end."),
              "ok");
    report.Script().Execute();
    EXPECT_EQ(memo->OnBeforePrint(), QStringLiteral("P"));
    ASSERT_EQ(prepare("var x: Integer;\nbegin Memo1.OnBeforePrint := 'x' end."), "ok");
    try {
        report.Script().Execute();
        ADD_FAILURE() << "a variable was taken for an event handler";
    } catch (const TfsRuntimeError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Event handler must be a procedure"));
    }
}

// Value and Self follow the report; an object named Value does not hide them.
TEST_F(Bound, ValueAndSelfFollowTheReport)
{
    auto *named = new TfrxMemoView(page);
    named->SetName(QStringLiteral("Value"));
    ASSERT_EQ(prepare("begin end."), "ok");
    report.SetLocalValue(12.5);
    report.SetCurObject(QStringLiteral("Memo1"));
    EXPECT_EQ(eval("Value * 2"), "25");
    EXPECT_EQ(eval("Self.Name"), "Memo1");
}

// The engine supplies the aggregates: the macro hands over the texts of its arguments.
TEST_F(Bound, AggregatesGoToTheEngine)
{
    QStringList seen;
    TfrxScriptBinder::Aggregate() = [&seen](TfrxReport &, const QString &function, const QStringList &args) {
        seen.append(function + u':' + args.join(u'|'));
        return QVariant(7);
    };
    ASSERT_EQ(prepare("begin end."), "ok");
    EXPECT_EQ(eval("SUM(<Data.\"Hours\"> * 2, MasterData1) + COUNT()"), "14");
    EXPECT_EQ(seen, (QStringList{QStringLiteral("SUM:<Data.\"Hours\"> * 2|MasterData1|0"),
                                 QStringLiteral("COUNT:0|0")}));
    TfrxScriptBinder::Aggregate() = nullptr;
}

// Lines is a list over the text object's text: changes through it are the object's text.
TEST_F(Bound, LinesChangeTheTextObjectsText)
{
    ASSERT_EQ(execute("begin\n"
                      "  Memo1.Lines.Add('second');\n"
                      "  Memo1.Lines[0] := 'first';\n"
                      "  Memo1.Lines.Insert(1, 'middle');\n"
                      "  with Memo1 do begin Left := 10; Lines.Delete(2); Lines.Add(Name + '!') end;\n"
                      "end."),
              "ok");
    EXPECT_EQ(memo->Text(), QStringLiteral("first\r\nmiddle\r\nMemo1!\r\n"));
    EXPECT_DOUBLE_EQ(memo->Left(), 10);
    memo->SetText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(eval("Memo1.Lines.Count"), "2"); // the list follows the object
    EXPECT_EQ(eval("Memo1.Lines[1] + Memo1.Lines.Strings[0]"), "ba");
    EXPECT_EQ(eval("Memo1.Lines[2]"), "!List index out of bounds (2)");
    EXPECT_EQ(execute("begin\n  Memo1.Lines.Strings[5] := 'x' end."), "!List index out of bounds (5) at 2:3");
    EXPECT_EQ(
        execute("var W: TWideStrings;\n"
                "begin W := TWideStrings.Create; W.Text := 'p'#13#10'q'; Memo1.Lines.Text := W.Text + W[0];\n"
                "  W.Free end."),
        "ok");
    EXPECT_EQ(memo->Text(), QStringLiteral("p\r\nq\r\np\r\n"));
    EXPECT_EQ(prepare("begin Memo1.Lines['a'] := 'x' end."),
              "Incompatible types: 'Integer', 'String' at 1:19");
}

// Report.Variables['x'] reads and writes the report's variables; zorGlobalVariables the shared ones.
TEST_F(Bound, VariablesByName)
{
    report.Variables()->SetVariable(QStringLiteral("Given"), QStringLiteral("text"));
    ASSERT_EQ(execute("begin Report.Variables['x'] := 5; Report.Variables['Given'] := "
                      "Report.Variables['Given'] + '!';\n"
                      "  zorGlobalVariables['shared'] := Report.Variables['x'] * 2 end."),
              "ok");
    EXPECT_EQ(report.Variables()->Variable(QStringLiteral("x")).toInt(), 5);
    EXPECT_EQ(report.Variables()->Variable(QStringLiteral("Given")).toString(), QStringLiteral("text!"));
    EXPECT_EQ(TfrxReport::GlobalVariable(QStringLiteral("shared")).toInt(), 10);
    EXPECT_EQ(eval("zorGlobalVariables['shared'] + Report.Variables['x']"), "15");
    EXPECT_EQ(eval("VarType(Report.Variables['missing']) = varNull"), "True");
    TfrxReport::RemoveGlobalVariable(QStringLiteral("shared"));
}

// A script walks a user data set and reads its fields by name.
TEST_F(Bound, DataSetWalkedInAScript)
{
    auto *users = new TfrxUserDataSet(page);
    users->SetName(QStringLiteral("Users"));
    users->SetFields({QStringLiteral("Name"), QStringLiteral("Age")});
    users->SetRangeEnd(zor::reCount);
    users->SetRangeEndCount(3);
    users->OnNewGetValue = [](TfrxDataSet *d, const QString &field, QVariant &value) {
        value =
            field == u"Name" ? QVariant(QStringLiteral("user%1").arg(d->RecNo())) : QVariant(20 + d->RecNo());
    };
    ASSERT_EQ(
        execute(
            "var s: String; L: TStringList;\n"
            "begin Users.Open; Users.First;\n"
            "  while not Users.Eof do begin s := s + Users.Value['Name'] + '=' + "
            "IntToStr(Users.Value['Age']) + ';';"
            " Users.Next end;\n"
            "  L := TStringList.Create; Users.GetFieldList(L);\n"
            "  Memo1.Text := s + IntToStr(Users.RecNo) + ' ' + IntToStr(Users.RecordCount) + ' ' + L.Text +\n"
            "    IntToStr(Users.FieldsCount) + BoolToStr(Users.HasField('Age')) + "
            "BoolToStr(Users.IsBlobField('Age')) +\n"
            "    Users.DisplayText['Name'];\n"
            "  L.Free; Users.Close end."),
        "ok");
    EXPECT_EQ(memo->Text(), QStringLiteral("user0=20;user1=21;user2=22;2 3 Name\r\nAge\r\n2-10user2\r\n"));
    EXPECT_EQ(execute("begin\n  Users.GetFieldList(Memo1) end."), "!Invalid class typecast at 2:3");
}

// Objects and AllObjects list the children of a component as they are now.
TEST_F(Bound, ObjectListsFollowTheTree)
{
    page->SetName(QStringLiteral("Page1"));
    ASSERT_EQ(prepare("begin end."), "ok");
    EXPECT_EQ(eval("Page1.Objects.Count"), "1");
    EXPECT_EQ(eval("TfrxComponent(Page1.Objects[0]).Name"), "Memo1");
    EXPECT_EQ(eval("Report.AllObjects.Items[1].Name"), "Memo1");
    EXPECT_EQ(eval("Page1.Objects[1]"), "!List index out of bounds (1)");
    (new TfrxMemoView(page))->SetName(QStringLiteral("Memo2"));
    EXPECT_EQ(eval("Page1.Objects.Count"), "2");
}

// Only what the script made can be freed; a report object stays.
TEST_F(Bound, FreeLeavesReportObjects)
{
    EXPECT_EQ(execute("begin\n  Memo1.Free end."), "!Only objects the script created can be freed at 2:3");
    EXPECT_EQ(eval("Memo1.Name"), "Memo1");
}

// The members of the class table that the property tables do not hold; file access is refused.
TEST_F(Bound, StylesTagsAndFiles)
{
    ASSERT_EQ(
        execute("var L: TStringList; S: TfrxStyles;\n"
                "begin Report.Styles.Add.Name := 'Bold'; L := TStringList.Create; Report.Styles.GetList(L);\n"
                "  S := TfrxStyles.Create(nil); S.Add.Name := 'Own';\n"
                "  Memo1.TagStr := L.Text + Report.Styles.Items[0].Name + S.Find('Own').Name; S.Free; L.Free "
                "end."),
        "ok");
    EXPECT_EQ(memo->TagStr(), QStringLiteral("Bold\r\nBoldOwn"));
    EXPECT_EQ(execute("begin\n  Report.Styles.SaveToFile('x.fs3') end."),
              "!Scripts have no access to files at 2:3");
    EXPECT_EQ(execute("begin\n  Memo1.Lines.LoadFromFile('/etc/passwd') end."),
              "!Scripts have no access to files at 2:3");
}

// Without an engine the engine's members are errors; the outline goes through the engine library's
// operations.
TEST_F(Bound, EngineAndOutline)
{
    ASSERT_EQ(prepare("begin end."), "ok");
    EXPECT_EQ(eval("Engine.FreeSpace"), "!The report has no engine");
    EXPECT_EQ(execute("begin\n  Outline.AddItem('a') end."), "!The outline is not available at 2:3");
    QStringList calls;
    auto &hooks = TfrxOutlineScriptObject::Handlers();
    hooks.AddItem = [&calls](TfrxReport &, const QString &text) { calls.append(text); };
    hooks.LevelUp = [&calls](TfrxReport &) { calls.append(QStringLiteral("up")); };
    hooks.LevelRoot = [&calls](TfrxReport &) { calls.append(QStringLiteral("root")); };
    EXPECT_EQ(execute("begin Outline.AddItem('a'); Outline.LevelUp; Outline.LevelRoot end."), "ok");
    hooks = {};
    EXPECT_EQ(calls, (QStringList{QStringLiteral("a"), QStringLiteral("up"), QStringLiteral("root")}));
}

// with over a report object in the other languages.
TEST_F(Bound, WithOverAReportObject)
{
    report.SetScriptLanguage(QStringLiteral("BasicScript"));
    ASSERT_EQ(execute("With Memo1\r\n  Top = 44\r\n  Text = Name\r\nEnd With\r\n"), "ok");
    EXPECT_DOUBLE_EQ(memo->Top(), 44);
    EXPECT_EQ(memo->Text(), QStringLiteral("Memo1\r\n"));
    report.SetScriptLanguage(QStringLiteral("JScript"));
    ASSERT_EQ(execute("with (Memo1) { Lines.Add(\"more\"); Left = Lines.Count; }"), "ok");
    EXPECT_DOUBLE_EQ(memo->Left(), 2);
    // An object in a variable without a declared class: its members and their indexes at run time.
    ASSERT_EQ(execute("var m = Memo1; m.Lines[0] = m.Lines[1] + \"!\"; with (m) { Top = Lines.Count; }"),
              "ok");
    EXPECT_EQ(memo->Text(), QStringLiteral("more!\r\nmore\r\n"));
    EXPECT_DOUBLE_EQ(memo->Top(), 2);
}

// An object reference outlives its object only as a handle that no longer reaches it.
// Errors that report objects raise (a duplicate or invalid name, a circular child, a refused value)
// are caught by the script's except blocks, in every language; before the fix they passed through
// them. Uncaught, they carry the statement's position like any run-time error.
TEST_F(Bound, ExceptCatchesErrorsOfReportObjects)
{
    auto *other = new TfrxMemoView(page);
    other->SetName(QStringLiteral("Memo2"));
    auto *child = new TfrxChild(page);
    child->SetName(QStringLiteral("Child1"));
    const struct
    {
        const char *language, *source, *expected;
    } cases[] = {
        {"PascalScript",
         "var r: String; begin try Memo1.Name := 'Memo2' except r := ExceptionMessage end end.",
         "Duplicate name"},
        {"C++Script", "String r; { try { Memo1.Name = \"1st\"; } except { r = ExceptionMessage; } }",
         "\"1st\" is not a valid object name"},
        {"BasicScript",
         "Dim r\r\nTry\r\n  Child1.Child = Child1\r\nCatch\r\n  r = ExceptionMessage\r\nEnd Try\r\n",
         "Circular child reference is not allowed"},
        {"JScript", "var r; try { Memo1.HAlign = 7; } except { r = ExceptionMessage; }",
         "Invalid property value: 7"},
    };
    for (const auto &c : cases) {
        report.SetScriptLanguage(QString::fromLatin1(c.language));
        ASSERT_EQ(execute(c.source), "ok") << c.language;
        EXPECT_EQ(eval("r"), c.expected) << c.language;
    }
    EXPECT_EQ(memo->Name(), QStringLiteral("Memo1"));
    report.SetScriptLanguage(QStringLiteral("PascalScript"));
    EXPECT_EQ(execute("begin\n  Memo1.Left := 5;\n  Memo1.Name := 'Memo2'\nend."), "!Duplicate name at 3:3");
}

// Values outside an enumeration or a set are refused at the statement, as the template reader refuses
// them; before the fix they were stored and the saved template failed at its next load.
TEST_F(Bound, OutOfRangeValuesAreRefused)
{
    const struct
    {
        const char *source, *expected;
    } cases[] = {
        {"begin\n  Memo1.HAlign := 7 end.", "!Invalid property value: 7 at 2:3"},
        {"begin\n  Memo1.HAlign := -1 end.", "!Invalid property value: -1 at 2:3"},
        {"begin\n  Memo1.Frame.Typ := 16 end.", "!Invalid property value: 16 at 2:3"},
        {"begin\n  Memo1.Font.Style := 65 end.", "!Invalid property value: 65 at 2:3"},
        {"begin Memo1.HAlign := haBlock; Memo1.Frame.Typ := ftLeft + ftBottom end.", "ok"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(execute(c.source), c.expected) << c.source;
    EXPECT_EQ(memo->HAlign(), zorTextAlign::haBlock);
    EXPECT_EQ(eval("Memo1.Frame.Typ"), "9");
}

TEST(ObjectRegistry, DeadAndUnknownHandlesAreErrors)
{
    auto *obj = new QObject;
    const int64_t handle = TfsObjectRegistry::Handle(obj);
    EXPECT_EQ(TfsObjectRegistry::Object(handle), obj);
    EXPECT_EQ(TfsObjectRegistry::Handle(obj), handle);
    delete obj;
    const auto message = [](int64_t h) {
        try {
            TfsObjectRegistry::Object(h);
        } catch (const TfsRuntimeError &e) {
            return e.Message();
        }
        return QString();
    };
    EXPECT_EQ(message(handle), QStringLiteral("Invalid object reference"));
    EXPECT_EQ(message(987654321), QStringLiteral("Invalid object reference"));
    EXPECT_EQ(message(0), QStringLiteral("Access to a nil object"));
}

// Without a report the totals are plain functions of their category that cannot compute; a report's
// script finds its macro forms instead.
TEST(ReportModule, TotalsOutsideAReport)
{
    TfsScript script;
    TfrxReportModule::Register(script);
    const auto *sum = dynamic_cast<const TfsNativeFunction *>(script.Find(QStringLiteral("SUM")));
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->FCategory, QStringLiteral("ctAggregate"));
    EXPECT_FALSE(sum->FIsMacro);
    script.SetLines(QStringLiteral("var r: Variant; begin r := COUNT end."));
    ASSERT_TRUE(script.Compile());
    try {
        script.Execute();
        ADD_FAILURE() << "a total computed without a report";
    } catch (const TfsRuntimeError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Aggregates are only available in a report"));
    }
}

// A class registered before its ancestor still finds the ancestor's members.
TEST(ClassItems, AncestorRegisteredLater)
{
    TfsScript script;
    TfsClassVariable *child = script.AddClass(QStringLiteral("TChild"), QStringLiteral("TBase"), nullptr);
    TfsClassVariable *base = script.AddClass(QStringLiteral("TBase"), QString(), nullptr);
    base->AddProperty(QStringLiteral("Answer"), QStringLiteral("Integer"), script,
                      [](QObject *) { return TfsValue(42); });
    ASSERT_NE(child->Find(QStringLiteral("answer"), script), nullptr);
    base->AddProperty(QStringLiteral("Flag"), QStringLiteral("Boolean"), script,
                      [](QObject *) { return TfsValue(1); });
    EXPECT_EQ(child->Find(QStringLiteral("Flag"), script)->get(nullptr).kind(), TfsValue::Bool);
    EXPECT_EQ(script.AddClass(QStringLiteral("TBase"), QString(), nullptr), nullptr);
}

} // namespace

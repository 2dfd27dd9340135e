#include "TfrxBands.h"
#include "TfrxCustomPreview.h"
#include "TfrxCustomProgress.h"
#include "TfrxDataPage.h"
#include "TfrxError.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxReportDataSets.h"
#include "TfrxReportServices.h"
#include "TfrxUserDataSet.h"
#include "TfrxVariable.h"
#include "TfrxVariables.h"
#include "TfsScript.h"
#include "zorTemplateFormat.h"

#include <QFile>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TfrxMemoView *addMemo(TfrxReportPage *page, const QString &name, const QString &text)
{
    auto *memo = new TfrxMemoView(page);
    memo->SetName(name);
    memo->SetParent(page);
    memo->SetText(text);
    return memo;
}

TfrxReportPage *addPage(TfrxReport &report)
{
    auto *page = new TfrxReportPage(&report);
    page->SetName(QStringLiteral("Page1"));
    page->SetParent(&report);
    return page;
}

class ReportComponentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        zorRegisterTemplateFormat();
        ASSERT_TRUE(dir.isValid());
        shown.clear();
        TfrxReportServices::Instance().ShowError = [this](const QString &text) { shown.append(text); };
    }
    void TearDown() override { TfrxReportServices::Instance().ShowError = nullptr; }

    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QStringList shown;
};

TEST_F(ReportComponentTest, NewReportHasItsDefaultsAndClearRestoresThem)
{
    TfrxReport report;
    EXPECT_EQ(report.Version(), QStringLiteral("5.1.1"));
    EXPECT_EQ(report.ScriptLanguage(), QStringLiteral("PascalScript"));
    EXPECT_EQ(report.ScriptText(), (QStringList{QStringLiteral("begin"), QString(), QStringLiteral("end.")}));
    EXPECT_EQ(report.IniFile(), QStringLiteral("\\Software\\Tervane"));
    EXPECT_EQ(report.SysVariables().size(), 9);
    EXPECT_TRUE(report.Objects().isEmpty());
    EXPECT_EQ(report.PrintOptions()->Printer, QStringLiteral("Default"));
    EXPECT_EQ(report.PreviewOptions()->Buttons, TfrxPreviewOptions::DefaultButtons);
    EXPECT_EQ(report.EngineOptions()->MaxMemSize, 10);

    report.SetScriptText({QStringLiteral("x")});
    report.EngineOptions()->DoublePass = true;
    report.EngineOptions()->MaxMemSize = 20; // a host choice that clearing keeps
    report.PrintOptions()->Copies = 3;
    report.Variables()->SetVariable(QStringLiteral("A"), 1);
    addPage(report);
    report.Clear();
    EXPECT_EQ(report.ScriptText().size(), 3);
    EXPECT_FALSE(report.EngineOptions()->DoublePass);
    EXPECT_EQ(report.EngineOptions()->MaxMemSize, 20);
    EXPECT_EQ(report.PrintOptions()->Copies, 1);
    EXPECT_EQ(report.Variables()->Count(), 0);
    EXPECT_TRUE(report.Objects().isEmpty());

    report.CheckDataPage();
    ASSERT_EQ(report.Objects().size(), 1);
    EXPECT_EQ(report.Objects().first()->Name(), QStringLiteral("Data"));
}

TEST_F(ReportComponentTest, SilentModeDecidesHowAnErrorReachesTheUser)
{
    TfrxReport report;
    report.EngineOptions()->NewSilentMode = zor::simSilent;
    report.CommonErrorHandler(QStringLiteral("one"));
    EXPECT_TRUE(shown.isEmpty());

    report.EngineOptions()->NewSilentMode = zor::simMessageBoxes;
    report.CommonErrorHandler(QStringLiteral("two"));
    EXPECT_EQ(shown, QStringList{QStringLiteral("two")});

    report.EngineOptions()->NewSilentMode = zor::simReThrow;
    try {
        report.CommonErrorHandler(QStringLiteral("three"));
        ADD_FAILURE() << "no exception";
    } catch (const TfrxError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("three"));
    }

}

// Without the engine, preview, printing and designer libraries the entry points say so.
TEST_F(ReportComponentTest, EntryPointsWithoutTheirLibrariesFailAloud)
{
    TfrxReport report;
    EXPECT_FALSE(report.PrepareReport());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("The following error(s) have occured:\r\n")));
    EXPECT_TRUE(shown[0].contains(QStringLiteral("not available")));

    report.ShowReport(true);
    EXPECT_FALSE(report.Print());
    report.DesignReport(true, false);
    EXPECT_EQ(shown.size(), 4);
}

TEST_F(ReportComponentTest, VariablesKeepTheirCategories)
{
    TfrxVariables variables;
    variables.SetVariable(QStringLiteral("Loose"), 1);
    variables.SetVariable(QStringLiteral(" Money"), QVariant());
    variables.SetVariable(QStringLiteral("Rate"), QStringLiteral("2*3"));
    variables.SetVariable(QStringLiteral(" Dates"), QVariant());
    variables.SetVariable(QStringLiteral("Start"), QStringLiteral("Date"));

    variables.AddVariable(QStringLiteral("Money"), QStringLiteral("Tax"), 13);
    variables.AddVariable(QStringLiteral("Nowhere"), QStringLiteral("Lost"), 0);
    variables.AddVariable(QStringLiteral("Dates"), QStringLiteral("RATE"), 7); // an existing name: new value

    EXPECT_EQ(variables.GetCategoriesList(), (QStringList{QStringLiteral("Money"), QStringLiteral("Dates")}));
    EXPECT_EQ(variables.GetVariablesList(QString()), QStringList{QStringLiteral("Loose")});
    EXPECT_EQ(variables.GetVariablesList(QStringLiteral("money")),
              (QStringList{QStringLiteral("Rate"), QStringLiteral("Tax")}));
    EXPECT_EQ(variables.Variable(QStringLiteral("rate")), QVariant(7));
    EXPECT_EQ(variables.IndexOf(QStringLiteral("Lost")), -1);
    EXPECT_FALSE(variables.Variable(QStringLiteral("Lost")).isValid());

    variables.DeleteCategory(QStringLiteral("Money"));
    EXPECT_EQ(variables.GetCategoriesList(), QStringList{QStringLiteral("Dates")});
    EXPECT_EQ(variables.Count(), 3);
    variables.DeleteVariable(QStringLiteral("START"));
    EXPECT_EQ(variables.GetVariablesList(QStringLiteral("Dates")), QStringList());
}

TEST_F(ReportComponentTest, VariablesAreFormulasUnlessTheyHoldALineBreak)
{
    TfrxReport report;
    report.Variables()->SetVariable(QStringLiteral("Rate"), QStringLiteral("2*3"));
    report.Variables()->SetVariable(QStringLiteral("Note"), QStringLiteral("2*3\r\n"));
    report.Variables()->SetVariable(QStringLiteral("Count"), 5);
    EXPECT_EQ(report.Calc(QStringLiteral("Rate")).toInt(), 6);
    EXPECT_EQ(report.Calc(QStringLiteral("Note")).toString(), QStringLiteral("2*3\r\n"));
    EXPECT_EQ(report.Calc(QStringLiteral("Count")).toInt(), 5);
    EXPECT_TRUE(report.Errors().isEmpty());
}

TEST_F(ReportComponentTest, ACircularVariableIsAnErrorNotARecursion)
{
    TfrxReport report;
    report.Variables()->SetVariable(QStringLiteral("A"), QStringLiteral("B"));
    report.Variables()->SetVariable(QStringLiteral("B"), QStringLiteral("A"));
    EXPECT_THROW(report.Calc(QStringLiteral("A")), TfrxError);
    ASSERT_FALSE(report.Errors().isEmpty());
    EXPECT_TRUE(report.Errors().join(u'\n').contains(QStringLiteral("Circular reference in variable A")));
}

TEST_F(ReportComponentTest, ExpressionErrorsNameTheObjectAndDivisionByZeroCanBeIgnored)
{
    TfrxReport report;
    report.SetCurObject(QStringLiteral("Memo7"));
    EXPECT_THROW(report.Calc(QStringLiteral("1 +")), TfrxError);
    ASSERT_EQ(report.Errors().size(), 1);
    EXPECT_TRUE(report.Errors()[0].startsWith(QStringLiteral("Memo7: ")));

    TfrxReport lenient;
    lenient.EngineOptions()->IgnoreDevByZero = true;
    EXPECT_FALSE(lenient.Calc(QStringLiteral("1/0")).isValid());
    EXPECT_TRUE(lenient.Errors().isEmpty());
    EXPECT_THROW(lenient.Calc(QStringLiteral("1 div 0")), TfrxError) << "only the division of reals is ignored";
}

TEST_F(ReportComponentTest, OptionsAndVariablesSurviveSaveAndLoad)
{
    TfrxReport report;
    addMemo(addPage(report), QStringLiteral("Memo1"), QStringLiteral("[Rate]"));
    report.Variables()->SetVariable(QStringLiteral(" Money"), QVariant());
    report.Variables()->SetVariable(QStringLiteral("Rate"), QStringLiteral("2*3"));
    report.PrintOptions()->Copies = 2;
    report.PreviewOptions()->Zoom = 1.5;
    report.EngineOptions()->NewSilentMode = zor::simReThrow;
    report.ReportOptions()->Description = {QStringLiteral("Первая"), QStringLiteral("вторая")};
    report.SetScriptText({QStringLiteral("begin"), QStringLiteral("  Memo1.Text := 'x';"), QStringLiteral("end.")});
    report.CheckDataPage();
    auto *pupils = new TfrxUserDataSet(report.Objects().first());
    pupils->SetName(QStringLiteral("UserDataSet1"));
    pupils->SetParent(report.Objects().first());
    pupils->SetUserName(QStringLiteral("Pupils"));
    report.DataSets()->Add(pupils);
    report.SetDataSet(pupils);
    ASSERT_TRUE(report.SaveToFile(path(QStringLiteral("r.ze3"))));

    TfrxReport copy;
    ASSERT_TRUE(copy.LoadFromFile(path(QStringLiteral("r.ze3"))));
    EXPECT_TRUE(copy.Errors().isEmpty()) << copy.Errors().join(u'\n').toStdString();
    EXPECT_EQ(copy.PrintOptions()->Copies, 2);
    EXPECT_DOUBLE_EQ(copy.PreviewOptions()->Zoom, 1.5);
    EXPECT_EQ(copy.EngineOptions()->NewSilentMode, zor::simReThrow);
    EXPECT_EQ(copy.ReportOptions()->Description, report.ReportOptions()->Description);
    EXPECT_EQ(copy.ScriptText(), report.ScriptText());
    EXPECT_EQ(copy.Variables()->GetVariablesList(QStringLiteral("Money")), QStringList{QStringLiteral("Rate")});
    EXPECT_EQ(copy.Variables()->Variable(QStringLiteral("Rate")).toString(), QStringLiteral("2*3"));
    ASSERT_NE(copy.DataSet(), nullptr);
    EXPECT_EQ(copy.DataSetName(), QStringLiteral("Pupils"));
    EXPECT_EQ(copy.DataSet(), copy.GetDataset(QStringLiteral("Pupils")));
}

TEST_F(ReportComponentTest, SettingsStoreIsAnIniFileUnlessTheNameIsARegistryKey)
{
    TfrxReport report;
    report.SetIniFile(path(QStringLiteral("settings.ini")));
    {
        const auto settings = report.GetIniFile();
        EXPECT_EQ(settings->format(), QSettings::IniFormat);
        settings->setValue(QStringLiteral("Preview/Zoom"), 2);
    }
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("settings.ini"))));

    report.SetIniFile(QStringLiteral("\\Software\\Tervane\\Test"));
    const auto settings = report.GetIniFile();
    EXPECT_EQ(settings->format(), QSettings::NativeFormat);
    EXPECT_EQ(settings->organizationName(), QStringLiteral("Tervane"));
    EXPECT_EQ(settings->applicationName(), QStringLiteral("Test"));
}

class InheritanceTest : public ReportComponentTest
{
protected:
    void writeParent()
    {
        TfrxReport parent;
        TfrxReportPage *page = addPage(parent);
        addMemo(page, QStringLiteral("Memo1"), QStringLiteral("из родителя"))->SetLeft(10);
        addMemo(page, QStringLiteral("Memo2"), QStringLiteral("тоже"));
        ASSERT_TRUE(parent.SaveToFile(path(QStringLiteral("parent.ze3"))));
    }
};

TEST_F(InheritanceTest, ChildStoresOnlyWhatDiffersAndLoadsOverItsParent)
{
    writeParent();
    {
        TfrxReport child;
        child.SetParentReport(QStringLiteral("parent.ze3")); // no file name yet: beside the program
        EXPECT_EQ(child.FindObject(QStringLiteral("Memo1")), nullptr);
        child.SetParentReport(path(QStringLiteral("parent.ze3")));
        ASSERT_NE(child.FindObject(QStringLiteral("Memo1")), nullptr);
        EXPECT_TRUE(child.FindObject(QStringLiteral("Memo1"))->Ancestor());
        child.FindObject(QStringLiteral("Memo1"))->SetLeft(50);
        addMemo(static_cast<TfrxReportPage *>(child.FindObject(QStringLiteral("Page1"))), QStringLiteral("Memo3"),
                QStringLiteral("своё"));
        ASSERT_TRUE(child.SaveToFile(path(QStringLiteral("child.ze3"))));
    }
    QFile file(path(QStringLiteral("child.ze3")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("<inherited Name=\"Memo1\" Left=\"50\"/>"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("из родителя")));
    EXPECT_TRUE(text.contains(QStringLiteral("своё")));

    TfrxReport loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path(QStringLiteral("child.ze3"))));
    EXPECT_TRUE(loaded.Errors().isEmpty()) << loaded.Errors().join(u'\n').toStdString();
    auto *memo1 = qobject_cast<TfrxMemoView *>(loaded.FindObject(QStringLiteral("Memo1")));
    ASSERT_NE(memo1, nullptr);
    EXPECT_DOUBLE_EQ(memo1->Left(), 50);
    EXPECT_EQ(memo1->Text().trimmed(), QStringLiteral("из родителя"));
    EXPECT_NE(loaded.FindObject(QStringLiteral("Memo2")), nullptr);
    EXPECT_NE(loaded.FindObject(QStringLiteral("Memo3")), nullptr);

    loaded.SetParentReport(QString());
    EXPECT_FALSE(loaded.FindObject(QStringLiteral("Memo1"))->Ancestor());
}

TEST_F(InheritanceTest, AParentChainThatReturnsToAFileFailsTheLoad)
{
    for (const auto &[name, parent] : {std::pair{"a.ze3", "b.ze3"}, std::pair{"b.ze3", "a.ze3"}}) {
        QFile file(path(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<TfrxReport ParentReport=\"")
                   + parent + QByteArrayLiteral("\"/>\n"));
    }
    TfrxReport report;
    ASSERT_TRUE(report.LoadFromFile(path(QStringLiteral("a.ze3"))));
    EXPECT_TRUE(report.Errors().join(u'\n').contains(QStringLiteral("Circular parent report")))
        << report.Errors().join(u'\n').toStdString();
}

// Parents are followed 16 files deep; the 17th is refused as a circular chain would be.
TEST_F(InheritanceTest, AParentChainEndsAtItsDepthLimit)
{
    const auto writeChain = [this](int parents) {
        for (int i = 0; i <= parents; ++i) {
            QFile file(path(QStringLiteral("c%1.ze3").arg(i)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            const QByteArray parent = i < parents ? " ParentReport=\"c" + QByteArray::number(i + 1) + ".ze3\"" : "";
            file.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<TfrxReport" + parent + "/>\n");
        }
    };
    for (const auto &[parents, refused] : {std::pair{TfrxReport::MaxParentDepth, false},
                                           std::pair{TfrxReport::MaxParentDepth + 1, true}}) {
        writeChain(parents);
        TfrxReport report;
        report.LoadFromFile(path(QStringLiteral("c0.ze3")));
        EXPECT_EQ(report.Errors().join(u'\n').contains(QStringLiteral("Circular parent report")), refused)
            << parents << ": " << report.Errors().join(u'\n').toStdString();
    }
}

// A loop of Child references in a file is refused at the band that would close it, so that
// nothing walking the chain later runs for ever.
TEST_F(ReportComponentTest, AChildLoopInAFileIsAnErrorAndBroken)
{
    QFile file(path(QStringLiteral("loop.ze3")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport>
  <TfrxReportPage Name="Page1">
    <TfrxChild Name="Child1" Top="10" Height="20" Child="Child2"/>
    <TfrxChild Name="Child2" Top="40" Height="20" Child="Child1"/>
  </TfrxReportPage>
</TfrxReport>
)");
    file.close();
    TfrxReport report;
    report.LoadFromFile(file.fileName());
    EXPECT_EQ(report.Errors(), QStringList{QStringLiteral("Circular child reference is not allowed")});
    const auto *first = qobject_cast<TfrxBand *>(report.FindObject(QStringLiteral("Child1")));
    ASSERT_NE(first, nullptr);
    int links = 0;
    for (const TfrxBand *b = first; b != nullptr && links < 3; b = b->Child())
        ++links;
    EXPECT_EQ(links, 2) << "the chain ends after the two bands";
}

// Progress: a window that records what it is told, and a preview that records the pages.
class ProgressTest : public ReportComponentTest
{
protected:
    struct Window : TfrxCustomProgress {
        explicit Window(ProgressTest &t) : test(t) { ++test.windowsOpen; }
        ~Window() override { --test.windowsOpen; }
        void SetMessage(const QString &text) override { test.messages.append(text); }
        bool Cancelled() const override { return test.cancel; }
        ProgressTest &test;
    };
    struct Preview : TfrxCustomPreview {
        void InternalOnProgressStart() override { calls.append(QStringLiteral("start")); }
        void InternalOnProgress(int pageIndex) override { calls.append(QString::number(pageIndex)); }
        void InternalOnProgressStop() override { calls.append(QStringLiteral("stop")); }
        QStringList calls;
    };

    void SetUp() override
    {
        ReportComponentTest::SetUp();
        TfrxReportServices::Instance().CreateProgress = [this](TfrxReport &) {
            return std::unique_ptr<TfrxCustomProgress>(new Window(*this));
        };
        report.SetOnProgressStart([this](TfrxReport &r, int type, int n) { record(r, QStringLiteral("start"), type, n); });
        report.SetOnProgress([this](TfrxReport &r, int type, int n) { record(r, QStringLiteral("page"), type, n); });
        report.SetOnProgressStop([this](TfrxReport &r, int type, int n) { record(r, QStringLiteral("stop"), type, n); });
    }
    void TearDown() override
    {
        TfrxReportServices::Instance().CreateProgress = nullptr;
        ReportComponentTest::TearDown();
    }
    void record(TfrxReport &r, const QString &what, int type, int n)
    {
        EXPECT_EQ(&r, &report);
        events.append(QStringLiteral("%1 %2 %3").arg(what).arg(type).arg(n));
    }
    // One whole operation of two pages, with the window's state seen in the middle.
    void runTwoPages(int type)
    {
        report.InternalOnProgressStart(type);
        report.InternalOnProgress(type, 1);
        report.InternalOnProgress(type, 2);
        windowsSeen = windowsOpen;
        report.InternalOnProgressStop(type);
    }

    TfrxReport report;
    QStringList events;
    QStringList messages;
    int windowsOpen = 0;
    int windowsSeen = 0;
    bool cancel = false;
};

TEST_F(ProgressTest, HostHandlersHearEveryCallWithTypeAndPage)
{
    runTwoPages(TfrxReport::ptPrinting);
    EXPECT_EQ(events, (QStringList{QStringLiteral("start 2 0"), QStringLiteral("page 2 1"), QStringLiteral("page 2 2"),
                                   QStringLiteral("stop 2 0")}));
    EXPECT_FALSE(report.Terminated());
}

// The old-style window is kept for preparation only when asked for, for export and printing
// always, and never without ShowProgress; it is gone after the stop.
TEST_F(ProgressTest, WindowShowsTheTextOfEachOperationUnderItsCondition)
{
    struct Case {
        int type;
        bool oldStyle;
        bool showProgress;
        QStringList messages;
    };
    const Case cases[] = {
        {TfrxReport::ptRunning, false, true, {}},
        {TfrxReport::ptRunning, true, true, {QStringLiteral("Preparing page 1"), QStringLiteral("Preparing page 2")}},
        {TfrxReport::ptExporting, false, true, {QStringLiteral("Exporting page 1"), QStringLiteral("Exporting page 2")}},
        {TfrxReport::ptPrinting, false, true, {QStringLiteral("Printing page 1"), QStringLiteral("Printing page 2")}},
        {TfrxReport::ptPrinting, true, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " old style " << c.oldStyle << " show " << c.showProgress);
        messages.clear();
        report.SetOldStyleProgress(c.oldStyle);
        report.SetShowProgress(c.showProgress);
        runTwoPages(c.type);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(windowsSeen, c.messages.isEmpty() ? 0 : 1);
        EXPECT_EQ(windowsOpen, 0);
        EXPECT_EQ(report.Progress(), nullptr);
    }
}

TEST_F(ProgressTest, CancelInTheWindowTerminatesTheReportAndItsScript)
{
    report.InternalOnProgressStart(TfrxReport::ptPrinting);
    report.InternalOnProgress(TfrxReport::ptPrinting, 1);
    EXPECT_FALSE(report.Terminated());
    cancel = true;
    report.InternalOnProgress(TfrxReport::ptPrinting, 2);
    EXPECT_TRUE(report.Terminated());
    EXPECT_TRUE(report.Script().Terminated());
    report.InternalOnProgressStop(TfrxReport::ptPrinting);
}

TEST_F(ProgressTest, AttachedPreviewFollowsPreparationOnly)
{
    Preview preview;
    report.SetPreview(&preview);
    runTwoPages(TfrxReport::ptPrinting);
    EXPECT_TRUE(preview.calls.isEmpty());
    runTwoPages(TfrxReport::ptRunning);
    EXPECT_EQ(preview.calls, (QStringList{QStringLiteral("start"), QStringLiteral("0"), QStringLiteral("1"),
                                          QStringLiteral("stop")}));
}

TEST_F(ProgressTest, ThreadSafeReportsNoProgressAtAll)
{
    Preview preview;
    report.SetPreview(&preview);
    report.EngineOptions()->EnableThreadSafe = true;
    runTwoPages(TfrxReport::ptPrinting);
    runTwoPages(TfrxReport::ptRunning);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(preview.calls.isEmpty());
}

// Host handlers and script events, with a script compiled without the report's bindings.
class HostEventsTest : public ReportComponentTest
{
protected:
    void compile(const QStringList &lines)
    {
        report.SetScriptText(lines);
        ASSERT_TRUE(report.PrepareScript()) << report.Errors().join(u'\n').toStdString();
    }
    QVariant value(const QString &name)
    {
        QVariant v;
        EXPECT_TRUE(report.DoGetValue(name, v)) << name.toStdString();
        return v;
    }

    TfrxReport report;
};

TEST_F(HostEventsTest, HostValuesComeAfterSystemVariablesAndBeforeReportVariables)
{
    report.Variables()->SetVariable(QStringLiteral("Host"), QStringLiteral("'from variable'"));
    QStringList asked;
    report.SetOnGetValue([&asked](const QString &name, QVariant &v) {
        asked << name;
        if (name == QLatin1String("Host"))
            v = QStringLiteral("old handler");
    });
    report.SetOnNewGetValue([this](TfrxReport &r, const QString &name, QVariant &v) {
        EXPECT_EQ(&r, &report);
        if (name == QLatin1String("Fresh"))
            v = 7;
    });
    EXPECT_EQ(value(QStringLiteral("Host")), QVariant(QStringLiteral("old handler")));
    EXPECT_EQ(value(QStringLiteral("Fresh")), QVariant(7));
    QVariant none;
    EXPECT_FALSE(report.DoGetValue(QStringLiteral("Nobody"), none));
    EXPECT_TRUE(report.DoGetValue(QStringLiteral("Page#"), none));
    EXPECT_FALSE(asked.contains(QStringLiteral("Page#"))) << "system variables are answered before the host is asked";
}

// A host function is called by name with its arguments; what the handler writes into a var
// parameter reaches the script, and the function outlives a new compilation of the script.
TEST_F(HostEventsTest, HostFunctionsAnswerScriptCalls)
{
    QStringList calls;
    report.SetOnUserFunction([&calls](const QString &name, QVariantList &params) -> QVariant {
        calls << name;
        if (name == QLatin1String("Twice"))
            return params.value(0).toInt() * 2;
        params[0] = params.value(0).toInt() + 100;
        return {};
    });
    EXPECT_TRUE(report.AddFunction(QStringLiteral("function Twice(X: Integer): Integer"), QStringLiteral("Host")));
    EXPECT_TRUE(report.AddFunction(QStringLiteral("procedure Bump(var X: Integer)")));
    EXPECT_FALSE(report.AddFunction(QStringLiteral("not a declaration")));
    compile({QStringLiteral("var N: Integer;"), QStringLiteral("begin"), QStringLiteral("  N := 1;"),
             QStringLiteral("  Bump(N);"), QStringLiteral("end.")});
    EXPECT_EQ(report.Calc(QStringLiteral("Twice(21)")), QVariant(42));
    report.Script().Execute();
    EXPECT_EQ(value(QStringLiteral("N")).toInt(), 101);
    EXPECT_EQ(calls, (QStringList{QStringLiteral("Twice"), QStringLiteral("Bump")}));
}

TEST_F(HostEventsTest, PreviewClickRunsTheViewsScriptEventThenTheHost)
{
    compile({QStringLiteral("var Seen: String;"),
             QStringLiteral("procedure Click(Sender: Variant; Button: Integer; Shift: Integer; var Modified: Boolean);"),
             QStringLiteral("begin Seen := 'click ' + IntToStr(Button) + ' ' + IntToStr(Shift); end;"),
             QStringLiteral("procedure Twice(Sender: Variant; Button: Integer; Shift: Integer; var Modified: Boolean);"),
             QStringLiteral("begin Seen := 'double'; Modified := True; end;"), QStringLiteral("begin"),
             QStringLiteral("end.")});
    TfrxMemoView *memo = addMemo(addPage(report), QStringLiteral("Memo1"), QString());
    memo->SetOnPreviewClick(QStringLiteral("Click"));
    memo->SetOnPreviewDblClick(QStringLiteral("Twice"));
    QStringList host;
    const auto record = [&host](const QString &what) {
        return [&host, what](TfrxView *view, int button, int shift, bool &modified) {
            host << QStringLiteral("%1 %2 %3 %4 %5").arg(what, view->Name()).arg(button).arg(shift).arg(modified);
        };
    };
    report.SetOnClickObject(record(QStringLiteral("click")));
    report.SetOnDblClickObject(record(QStringLiteral("double")));

    bool modified = false;
    report.DoPreviewClick(memo, 1, 16 | 4, modified, false);
    EXPECT_FALSE(modified);
    EXPECT_EQ(value(QStringLiteral("Seen")), QVariant(QStringLiteral("click 1 20")));
    report.DoPreviewClick(memo, 0, 8 | 64, modified, true);
    EXPECT_TRUE(modified) << "the script's var argument comes back";
    EXPECT_EQ(value(QStringLiteral("Seen")), QVariant(QStringLiteral("double")));
    EXPECT_EQ(host, (QStringList{QStringLiteral("click Memo1 1 20 0"), QStringLiteral("double Memo1 0 72 1")}));
}

// Object events reach the script only while the engine runs; the host's handler always.
TEST_F(HostEventsTest, BeforeAndAfterPrintCallTheHostFirst)
{
    compile({QStringLiteral("var Count: Integer;"), QStringLiteral("procedure Before(Sender: Variant);"),
             QStringLiteral("begin Count := Count + 1; end;"), QStringLiteral("begin"), QStringLiteral("end.")});
    TfrxMemoView *memo = addMemo(addPage(report), QStringLiteral("Memo1"), QString());
    memo->SetOnBeforePrint(QStringLiteral("Before"));
    QStringList host;
    report.SetOnBeforePrint([&host](TfrxReportComponent *c) { host << QStringLiteral("before ") + c->Name(); });
    report.SetOnAfterPrint([&host](TfrxReportComponent *c) { host << QStringLiteral("after ") + c->Name(); });
    report.DoBeforePrint(memo);
    report.DoAfterPrint(memo);
    EXPECT_EQ(host, (QStringList{QStringLiteral("before Memo1"), QStringLiteral("after Memo1")}));
    EXPECT_EQ(value(QStringLiteral("Count")).toInt(), 0) << "no engine runs";
    report.DoNotifyEvent(memo, memo->OnBeforePrint(), true);
    EXPECT_EQ(value(QStringLiteral("Count")).toInt(), 1);
    report.DoNotifyEvent(memo, QStringLiteral("NoSuchProcedure"), true);
    report.DoNotifyEvent(memo, QString(), true);
}

// A protected template asks once per report; a wrong or cancelled entry leaves nothing loaded.
TEST_F(ReportComponentTest, APasswordGuardsTheTemplate)
{
    {
        TfrxReport writer;
        addMemo(addPage(writer), QStringLiteral("Memo1"), QStringLiteral("тайна"));
        writer.ReportOptions()->Password = QStringLiteral("secret");
        ASSERT_TRUE(writer.SaveToFile(path(QStringLiteral("locked.ze3"))));
    }
    int asked = 0;
    QString answer;
    bool cancel = false;
    TfrxReportServices::Instance().AskPassword = [&](TfrxReport &, QString &password) {
        ++asked;
        password = answer;
        return !cancel;
    };
    const auto guard = qScopeGuard([] { TfrxReportServices::Instance().AskPassword = nullptr; });
    const struct {
        const char *answer;
        bool cancel;
        bool loads;
    } cases[] = {{"wrong", false, false}, {"secret", true, false}, {"secret", false, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        TfrxReport report;
        answer = QLatin1String(c.answer);
        cancel = c.cancel;
        asked = 0;
        shown.clear();
        EXPECT_EQ(report.LoadFromFile(path(QStringLiteral("locked.ze3"))), c.loads);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(report.FindObject(QStringLiteral("Memo1")) != nullptr, c.loads);
        if (c.loads) {
            EXPECT_TRUE(shown.isEmpty());
            // Accepted once, the password is not asked again for this report.
            EXPECT_TRUE(report.LoadFromFile(path(QStringLiteral("locked.ze3"))));
            EXPECT_EQ(asked, 1);
        } else {
            EXPECT_EQ(report.Errors(), QStringList{QStringLiteral("Invalid password")});
            EXPECT_EQ(shown, QStringList{QStringLiteral("The following error(s) have occured:\r\nInvalid password")});
        }
    }
    TfrxReport host;
    host.SetHiddenPassword(QStringLiteral("secret"));
    asked = 0;
    EXPECT_TRUE(host.LoadFromFile(path(QStringLiteral("locked.ze3"))));
    EXPECT_EQ(asked, 0) << "the host's hidden password opens the template";
}

}  // namespace


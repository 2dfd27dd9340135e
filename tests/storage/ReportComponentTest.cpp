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
#include "zorTemplateFormat.h"

#include <QFile>
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

}  // namespace

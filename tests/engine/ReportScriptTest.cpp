// Preparation with the real script engine behind the report (no test calculator): object events,
// built-in functions, report variables and totals as a template's author writes them: a bare name
// in brackets is looked up by the report, <name> inside an expression asks the report for it.
#include "EngineFixture.h"

#include "TfrxFont.h"
#include "TfrxOutline.h"
#include "TfrxVariables.h"
#include "TfsScript.h"
#include "zorScriptBindings.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

namespace {

class ReportScriptTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        zorRegisterScriptBindings();
        FReport->SetCalcHandler(nullptr);
    }
};

TEST_F(ReportScriptTest, EventsMoveAndRecolourAnObjectAndTextsUseFunctionsAndVariables)
{
    auto *band = AddBand<TfrxReportTitle>(QStringLiteral("ReportTitle1"), 0, 100);
    TfrxMemoView *moved = AddMemo(band, QStringLiteral("Memo1"), 10, 0, 100, 20, QStringLiteral("moved"));
    moved->setProperty("OnBeforePrint", QStringLiteral("Memo1OnBeforePrint"));
    AddMemo(band, QStringLiteral("Memo2"), 10, 20, 200, 20, QStringLiteral("[FormatDateTime('dd.mm.yyyy', Date)]"));
    AddMemo(band, QStringLiteral("Memo3"), 10, 40, 200, 20, QStringLiteral("[Rate] [<Rate> * 2]"));
    FReport->Variables()->SetVariable(QStringLiteral("Rate"), QStringLiteral("2*3"));
    FReport->SetScriptText({QStringLiteral("procedure Memo1OnBeforePrint(Sender: TfrxComponent);"),
                            QStringLiteral("begin"),
                            QStringLiteral("  Memo1.Left := 50;"),
                            QStringLiteral("  TfrxMemoView(Sender).Font.Color := clRed;"),
                            QStringLiteral("end;"),
                            QStringLiteral(""),
                            QStringLiteral("begin"),
                            QStringLiteral("end.")});

    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    auto *printed = qobject_cast<TfrxMemoView *>(Find(0, QStringLiteral("Memo1")));
    ASSERT_NE(printed, nullptr);
    EXPECT_DOUBLE_EQ(printed->Left(), 50);
    EXPECT_EQ(printed->Font()->Color(), 0x0000FF); // clRed
    const QStringList texts = Texts(0);
    EXPECT_EQ(texts.value(1), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_EQ(texts.value(2), QStringLiteral("6 12"));
    // The template itself is as it was before the preparation, and the script reaches the
    // reloaded object, not the one freed with the old tree.
    EXPECT_DOUBLE_EQ(FReport->FindObject(QStringLiteral("Memo1"))->Left(), 10);
    EXPECT_EQ(FReport->Script().Evaluate(QStringLiteral("Memo1.Left")).ToDouble(), 10);
}

TEST_F(ReportScriptTest, ScriptsAddOutlineEntriesAndAnchorsWhereTheEngineStands)
{
    AddNumbers(QStringLiteral("Data"), 3);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 300); // one record a page
    band->SetDataSetName(QStringLiteral("Data"));
    band->setProperty("OnAfterPrint", QStringLiteral("RowAfterPrint"));
    AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("[Data.\"N\"]"));
    FReport->SetScriptText({QStringLiteral("var n: Integer;"),
                            QStringLiteral("procedure RowAfterPrint(Sender: TfrxComponent);"),
                            QStringLiteral("begin"),
                            QStringLiteral("  n := n + 1;"),
                            QStringLiteral("  Engine.AddAnchor('row' + IntToStr(n));"),
                            QStringLiteral("  Outline.AddItem('Row ' + IntToStr(n));"),
                            QStringLiteral("  Outline.LevelUp;"),
                            QStringLiteral("end;"),
                            QStringLiteral("begin"),
                            QStringLiteral("end.")});

    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    ASSERT_EQ(Pages()->GetCount(), 3);
    TfrxOutline &outline = Pages()->Outline();
    outline.LevelRoot();
    ASSERT_EQ(outline.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        QString text;
        int page = -1, top = -1;
        outline.GetItem(i, text, page, top);
        EXPECT_EQ(text, QStringLiteral("Row %1").arg(i + 1));
        EXPECT_EQ(page, i);
        EXPECT_EQ(top, 300); // after the band, the engine stands below it
    }
    EXPECT_EQ(Pages()->GetAnchorPage(QStringLiteral("ROW3")), 3);
    EXPECT_EQ(FReport->Script().Evaluate(QStringLiteral("Engine.GetAnchorPage('row2')")).ToInt(), 2);
}

TEST_F(ReportScriptTest, TotalsAndLineNumbersComeThroughTheScript)
{
    AddNumbers(QStringLiteral("Data"), 4);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 20);
    band->SetDataSetName(QStringLiteral("Data"));
    AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("[Line].[Data.\"N\"]"));
    auto *summary = AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 100, 40);
    AddMemo(summary, QStringLiteral("Total"), 0, 0, 200, 20,
            QStringLiteral("[SUM(<Data.\"N\">, MasterData1)] [COUNT(MasterData1)] [IIF(SUM(<Data.\"N\">) > 5, 'big', 'small')]"));
    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    EXPECT_EQ(Texts(0), (QStringList{QStringLiteral("1.1"), QStringLiteral("2.2"), QStringLiteral("3.3"),
                                     QStringLiteral("4.4"), QStringLiteral("10 4 big")}));
}

TEST_F(ReportScriptTest, AScriptErrorStopsThePreparationWithItsPosition)
{
    AddMemo(AddBand<TfrxReportTitle>(QStringLiteral("ReportTitle1"), 0, 100), QStringLiteral("Memo1"), 0, 0, 100, 20,
            QStringLiteral("x"));
    FReport->SetScriptText({QStringLiteral("begin"), QStringLiteral("  Memo1.Nothing := 1;"), QStringLiteral("end.")});
    EXPECT_FALSE(Prepare());
    ASSERT_EQ(FReport->Errors().size(), 1);
    EXPECT_TRUE(FReport->Errors()[0].startsWith(QStringLiteral("Script error at 2:"))) << FReport->Errors()[0].toStdString();
}

TEST_F(ReportScriptTest, AProcedureNamedByOnRunDialogsDecidesThroughItsArgument)
{
    for (const bool go : {true, false}) {
        SetUp();
        AddMemo(FPage, QStringLiteral("Loose"), 0, 0, 100, 20, QStringLiteral("x"));
        FReport->setProperty("OnRunDialogs", QStringLiteral("AskUser"));
        FReport->SetScriptText({QStringLiteral("procedure AskUser(var Result: Boolean);"), QStringLiteral("begin"),
                                QStringLiteral("  if Result then Result := %1;")
                                    .arg(go ? QStringLiteral("True") : QStringLiteral("False")),
                                QStringLiteral("end;"), QStringLiteral("begin"), QStringLiteral("end.")});
        EXPECT_EQ(Prepare(), go) << FReport->Errors().join(u'\n').toStdString();
        EXPECT_EQ(Pages()->GetCount(), go ? 1 : 0);
    }
}

// The host's own before- and after-print handlers see every object of a shown band, before the
// object's script event.
TEST_F(ReportScriptTest, HostPrintHandlersRunBeforeTheObjectsScriptEvents)
{
    auto *band = AddBand<TfrxReportTitle>(QStringLiteral("ReportTitle1"), 0, 100);
    AddMemo(band, QStringLiteral("Memo1"), 0, 0, 100, 20, QStringLiteral("a"))
        ->setProperty("OnBeforePrint", QStringLiteral("Memo1OnBeforePrint"));
    AddMemo(band, QStringLiteral("Memo2"), 0, 20, 100, 20, QStringLiteral("b"));
    FReport->SetScriptText({QStringLiteral("procedure Memo1OnBeforePrint(Sender: TfrxComponent);"),
                            QStringLiteral("begin"), QStringLiteral("  Memo1.Text := Memo1.Text + '+script';"),
                            QStringLiteral("end;"), QStringLiteral("begin"), QStringLiteral("end.")});
    QStringList seen;
    FReport->SetOnBeforePrint([&seen](TfrxReportComponent *c) {
        seen << QStringLiteral("before ") + c->Name();
        if (auto *memo = qobject_cast<TfrxMemoView *>(c))
            memo->SetText(memo->Text() + QStringLiteral("+host"));
    });
    FReport->SetOnAfterPrint([&seen](TfrxReportComponent *c) { seen << QStringLiteral("after ") + c->Name(); });

    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("before Memo1"), QStringLiteral("before Memo2"),
                                 QStringLiteral("after Memo1"), QStringLiteral("after Memo2")}));
    // A text ends with a line break, so each addition is a line of its own.
    EXPECT_EQ(Texts(0), (QStringList{QStringLiteral("a|+host|+script"), QStringLiteral("b|+host")}));
}

// A template's script reads files beside the template, and only when the template came from a file.
TEST_F(ReportScriptTest, ScriptsReadFilesBesideTheirTemplate)
{
    QTemporaryDir dir;
    QFile names(dir.filePath(QStringLiteral("names.txt")));
    ASSERT_TRUE(names.open(QIODevice::WriteOnly));
    names.write("Сидоров\n");
    names.close();
    auto *band = AddBand<TfrxReportTitle>(QStringLiteral("ReportTitle1"), 0, 100);
    AddMemo(band, QStringLiteral("Memo1"), 0, 0, 200, 20, QString());
    FReport->SetScriptText({QStringLiteral("begin"), QStringLiteral("  Memo1.Lines.LoadFromFile('names.txt');"),
                            QStringLiteral("end.")});

    EXPECT_FALSE(Prepare()); // built in memory: no folder to read from
    EXPECT_TRUE(FReport->Errors().join(u'\n').contains(QStringLiteral("Scripts have no access to files")))
        << FReport->Errors().join(u'\n').toStdString();

    const QString file = dir.filePath(QStringLiteral("report.ze3"));
    ASSERT_TRUE(FReport->SaveToFile(file));
    ASSERT_TRUE(FReport->LoadFromFile(file));
    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    EXPECT_EQ(Texts(0), QStringList{QStringLiteral("Сидоров")});
}

// Totals written in report variables are found through the variables' formulas, also through
// other variables; a variable that refers to itself neither hangs the search nor the run.
TEST_F(ReportScriptTest, TotalsInReportVariablesAreFoundAndCircularVariablesAreAnError)
{
    for (const bool circular : {false, true}) {
        SetUp();
        AddNumbers(QStringLiteral("Data"), 4);
        auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 20);
        band->SetDataSetName(QStringLiteral("Data"));
        AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("[Data.\"N\"]"));
        auto *footer = AddBand<TfrxFooter>(QStringLiteral("Footer1"), 40, 20);
        AddMemo(footer, QStringLiteral("Total"), 0, 0, 100, 20, QStringLiteral("[Total]"));
        AddMemo(footer, QStringLiteral("Twice"), 100, 0, 100, 20, QStringLiteral("[Twice]"));
        TfrxVariables *variables = FReport->Variables();
        variables->SetVariable(QStringLiteral("Total"), QStringLiteral("SUM(<Data.\"N\">, MasterData1)"));
        variables->SetVariable(QStringLiteral("Twice"), circular ? QStringLiteral("<Twice> + COUNT(MasterData1)")
                                                                 : QStringLiteral("<Total> * 2 + COUNT(MasterData1)"));
        const bool prepared = Prepare();
        if (circular) {
            EXPECT_FALSE(prepared);
            EXPECT_TRUE(FReport->Errors().contains(QStringLiteral("Circular reference in variable Twice")))
                << FReport->Errors().join(u'\n').toStdString();
            continue;
        }
        ASSERT_TRUE(prepared) << FReport->Errors().join(u'\n').toStdString();
        EXPECT_EQ(Texts(0).mid(4), (QStringList{QStringLiteral("10"), QStringLiteral("24")}));
    }
}

}  // namespace

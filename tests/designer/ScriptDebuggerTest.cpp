// The script debugger of the designer: a breakpoint in a text object's event stops the preview
// there, the watches and Evaluate see the running script, Trace into goes one statement on, and
// Terminate ends the run, also of a script that never ends, leaving the designer usable and the
// template as it was.
#include "CodeTabFixture.h"

#include "TfrxPreviewForm.h"
#include "TfrxScriptDebugger.h"
#include "TfrxWatchList.h"
#include "zorEngine.h"
#include "zorPreview.h"
#include "zorScriptBindings.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QTabBar>

namespace {

struct Step
{
    std::function<bool()> ready;
    std::function<void()> act;
};

class ScriptDebugger : public CodeTabFixture
{
protected:
    void SetUp() override
    {
        CodeTabFixture::SetUp();
        zorRegisterPreview();
        zorRegisterEngine();
        zorRegisterScriptBindings();
        Text("Memo1")->SetOnBeforePrint(QStringLiteral("Memo1OnBeforePrint"));
    }

    TfrxScriptDebugger *Debugger() const { return form->Debugger(); }
    bool IsStopped() const { return Debugger()->GetState() == TfrxScriptDebugger::dsStopped; }
    static TfrxPreviewForm *Preview()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *preview = qobject_cast<TfrxPreviewForm *>(window))
                return preview;
        return nullptr;
    }
    // The preparation ended: the preview can be closed, which ends the run.
    static Step ClosePreview()
    {
        return {[] { return Preview() != nullptr && !Preview()->Preparing(); }, [] { Preview()->close(); }};
    }

    // Runs a command that returns only when the preview closes, and meanwhile each step as soon as
    // it is ready, in order. A run that hangs is terminated after a while.
    void Drive(TfrxDesignerCommand command, QList<Step> steps)
    {
        QElapsedTimer clock;
        clock.start();
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (clock.elapsed() > 20000) {
                ADD_FAILURE() << "the run hangs; " << steps.size() << " steps left";
                steps.clear();
                steps.append({[] { return true; }, [this] { form->Action(cmTerminateScript)->trigger(); }});
                steps.append(ClosePreview());
            }
            if (!steps.isEmpty() && steps.front().ready())
                steps.takeFirst().act();
        });
        timer.start();
        form->Action(command)->trigger();
        EXPECT_TRUE(steps.isEmpty()) << steps.size() << " steps left";
    }

    const QStringList script = {
        QStringLiteral("procedure Memo1OnBeforePrint(Sender: TfrxComponent);"),
        QStringLiteral("begin"),
        QStringLiteral("  Memo1.Text := 'changed';"),
        QStringLiteral("  Memo1.Text := Memo1.Text + '!';"),
        QStringLiteral("end;"),
        QStringLiteral(""),
        QStringLiteral("begin"),
        QStringLiteral("end."),
    };
};

TEST_F(ScriptDebugger, BreakpointStopsThePreviewTraceGoesOnTerminateEnds)
{
    Open();
    SetScript(script);
    Memo()->SetPos(1, 3);
    form->Action(cmToggleBreakpoint)->trigger();
    ASSERT_TRUE(Memo()->IsBreakPoint(3));
    form->Watches()->SetExpressions({QStringLiteral("Memo1.Text")});
    report->SetScriptText(form->ScriptLines()); // as the run stores it
    const QByteArray before = designertest::TemplateText(*report);

    QStringList watched;
    Drive(cmRunScript,
          {
              {[&] { return IsStopped(); },
               [&] {
                   EXPECT_EQ(Memo()->ActiveLine(), 3);
                   EXPECT_EQ(Memo()->Pos(), QPoint(3, 3));
                   EXPECT_TRUE(Memo()->RunLine(3));
                   EXPECT_FALSE(Memo()->RunLine(6));
                   EXPECT_TRUE(form->isEnabled());
                   EXPECT_EQ(form->CurrentTab(), 0);
                   // Only the debugger and the editor work meanwhile.
                   EXPECT_FALSE(form->Action(cmSave)->isEnabled());
                   EXPECT_FALSE(form->Action(cmNewReport)->isEnabled());
                   EXPECT_FALSE(form->findChild<QTabBar *>()->isEnabled());
                   EXPECT_TRUE(form->Action(cmTraceInto)->isEnabled());
                   watched << form->Watches()->Texts();
                   form->Action(cmTraceInto)->trigger();
               }},
              {[&] { return IsStopped() && Memo()->ActiveLine() == 4; },
               [&] {
                   watched << form->Watches()->Texts();
                   EXPECT_EQ(Debugger()->Evaluate(QStringLiteral("Pos('changed', Memo1.Text) = 1")), u"True");
                   form->Action(cmTerminateScript)->trigger();
               }},
              ClosePreview(),
          });
    ASSERT_EQ(watched.size(), 2);
    EXPECT_TRUE(watched.at(0).startsWith(u"Memo1.Text: 'alpha beta")) << watched.at(0).toStdString();
    EXPECT_TRUE(watched.at(1).startsWith(u"Memo1.Text: 'changed")) << watched.at(1).toStdString();

    EXPECT_FALSE(Debugger()->Active());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_TRUE(form->findChild<QTabBar *>()->isEnabled());
    EXPECT_TRUE(form->Action(cmNewReport)->isEnabled());
    EXPECT_EQ(Memo()->ActiveLine(), -1);
    EXPECT_TRUE(Memo()->IsBreakPoint(3));
    EXPECT_EQ(designertest::TemplateText(*report), before);
    EXPECT_EQ(form->Watches()->Texts(), QStringList({QStringLiteral("Memo1.Text: not accessible")}));
}

TEST_F(ScriptDebugger, TerminateStopsAScriptThatNeverEnds)
{
    Open();
    SetScript({QStringLiteral("procedure Memo1OnBeforePrint(Sender: TfrxComponent);"),
               QStringLiteral("var i: Integer;"), QStringLiteral("begin"), QStringLiteral("  while True do"),
               QStringLiteral("    i := i + 1;"), QStringLiteral("end;"), QStringLiteral(""),
               QStringLiteral("begin"), QStringLiteral("end.")});
    QElapsedTimer running;
    Drive(cmRunScript,
          {
              {[&] { return Debugger()->Active() && Preview() != nullptr; }, [&] { running.start(); }},
              {[&] { return running.elapsed() > 300; },
               [&] {
                   EXPECT_TRUE(Preview()->Preparing());
                   form->Action(cmTerminateScript)->trigger();
               }},
              ClosePreview(),
          });
    EXPECT_FALSE(Debugger()->Active());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(Text("Memo1")->Text().trimmed(), u"alpha beta");
}

TEST_F(ScriptDebugger, RunToCursorBreakpointIsGoneAfterTheRun)
{
    Open();
    SetScript(script);
    Memo()->SetPos(1, 4);
    int stoppedAt = 0;
    Drive(cmRunToCursor, {
                             {[&] { return IsStopped(); },
                              [&] {
                                  stoppedAt = Memo()->ActiveLine();
                                  form->Action(cmRunScript)->trigger();
                              }},
                             ClosePreview(),
                         });
    EXPECT_EQ(stoppedAt, 4);
    EXPECT_FALSE(Memo()->IsBreakPoint(4));
}

TEST_F(ScriptDebugger, EvaluateLeavesTheErrorListAsItWas)
{
    Open();
    report->AddError(QStringLiteral("earlier"));
    EXPECT_EQ(Debugger()->Evaluate(QStringLiteral("1 +")).isEmpty(), false);
    EXPECT_EQ(Debugger()->Evaluate(QStringLiteral("2 * 3")), u"6");
    EXPECT_EQ(Debugger()->Evaluate(QStringLiteral("1 = 1")), u"True");
    EXPECT_EQ(Debugger()->Evaluate(QStringLiteral("Null")), u"Null");
    EXPECT_EQ(report->Errors(), QStringList({QStringLiteral("earlier")}));
}

TEST_F(ScriptDebugger, WatchesShowDisabledAndNotAccessible)
{
    Open();
    form->Watches()->SetExpressions({QStringLiteral("A"), QStringLiteral("B")});
    auto *items = form->Watches()->findChild<QListWidget *>(QStringLiteral("WatchItems"));
    items->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(form->Watches()->Texts(),
              QStringList({QStringLiteral("A: not accessible"), QStringLiteral("B: disabled")}));
}

} // namespace

#include "TfrxScriptDebugger.h"

#include "TfrxReport.h"
#include "TfrxSyntaxMemo.h"
#include "TfsError.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace {

// A script that runs free (no breakpoint, not tracing) still lets the windows work this often, so
// that the preview's Cancel and Terminate reach a script that never ends.
constexpr qint64 responsiveMs = 50;
// How often a stopped script looks whether the preview cancelled the report.
constexpr int terminatedPollMs = 100;

const QString f4Condition = QStringLiteral("F4");

} // namespace

TfrxScriptDebugger::TfrxScriptDebugger(TfrxReport &report, TfrxSyntaxMemo &memo, QObject *parent)
    : QObject(parent), FReport(report), FMemo(memo)
{
}

void TfrxScriptDebugger::Run(bool trace, const std::function<void()> &preview)
{
    if (FState == dsStopped) {
        Resume(trace);
        return;
    }
    if (FState == dsRunning)
        return;
    // Each run starts afresh: Run stops only at breakpoints, even after tracing.
    FStep = trace;
    FWatching = trace || FMemo.HasBreakPoints();
    FFirstStop = true;
    FState = dsRunning;
    // The report compiles its script anew for the preparation; the hook goes onto each new one.
    const TfrxReport::NotifyEvent hostHandler = FReport.OnAfterScriptCompile();
    FReport.SetOnAfterScriptCompile([this, hostHandler](TfrxReport &report) {
        if (hostHandler)
            hostHandler(report);
        report.Script().OnRunLine = [this](TfsScript &, const QString &unit, const QString &pos) {
            OnLine(unit, pos);
        };
    });
    emit StateChanged();
    preview();
    FReport.SetOnAfterScriptCompile(hostHandler);
    FReport.Script().OnRunLine = nullptr;
    FState = dsIdle;
    FWatching = false;
    FMemo.DeleteF4BreakPoints();
    FMemo.SetActiveLine(-1);
    emit StateChanged();
}

void TfrxScriptDebugger::RunToCursor(const std::function<void()> &preview)
{
    const int line = FMemo.Pos().y();
    if (!FMemo.IsBreakPoint(line))
        FMemo.AddBreakPoint(line, f4Condition);
    Run(false, preview);
}

void TfrxScriptDebugger::ToggleBreakpoint()
{
    FMemo.ToggleBreakPoint(FMemo.Pos().y(), QString());
    if (FState == dsRunning && FMemo.HasBreakPoints())
        FWatching = true;
}

void TfrxScriptDebugger::Terminate()
{
    if (FState == dsIdle)
        return;
    FWatching = false;
    FReport.SetTerminated(true);
    if (FLoop != nullptr)
        FLoop->quit();
}

void TfrxScriptDebugger::Resume(bool trace)
{
    FStep = trace;
    FWatching = trace || FMemo.HasBreakPoints();
    if (FLoop != nullptr)
        FLoop->quit();
}

void TfrxScriptDebugger::OnLine(const QString &unit, const QString &pos)
{
    // Included units are not in the editor: their statements run on.
    const int line = pos.section(u':', 0, 0).toInt();
    const bool stop =
        FWatching && unit.isEmpty() && (FStep || !FMemo.HasBreakPoints() || FMemo.IsBreakPoint(line));
    if (!stop || FReport.Terminated()) {
        KeepResponsive();
        return;
    }
    Stop(line, pos.section(u':', 1, 1).toInt());
}

void TfrxScriptDebugger::KeepResponsive()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - FLastEvents < responsiveMs)
        return;
    FLastEvents = now;
    QCoreApplication::processEvents();
}

void TfrxScriptDebugger::Stop(int line, int column)
{
    if (FMemo.GetBreakPointCondition(line) == f4Condition)
        FMemo.DeleteBreakPoint(line);
    if (FFirstStop) {
        FFirstStop = false;
        MarkExecutableLines();
    }
    const QPointer<QWidget> previous = QApplication::activeWindow();
    FState = dsStopped;
    FMemo.SetActiveLine(line);
    FMemo.SetPos(std::max(column, 1), line);
    emit Stopped();
    QEventLoop loop;
    FLoop = &loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
        if (FReport.Terminated())
            loop.quit();
    });
    poll.start(terminatedPollMs);
    loop.exec();
    FLoop = nullptr;
    FState = dsRunning;
    FMemo.SetActiveLine(-1);
    emit Resumed();
    if (previous != nullptr)
        previous->activateWindow();
}

void TfrxScriptDebugger::MarkExecutableLines()
{
    const int count = int(FMemo.Lines().size());
    for (int line = 1; line <= count; ++line)
        FMemo.SetRunLine(line, FReport.Script().IsExecutableLine(line));
}

QString TfrxScriptDebugger::Evaluate(const QString &expression, bool quoteText) const
{
    const QStringList errors = FReport.Errors();
    QString text;
    try {
        const TfsValue value = FReport.Script().Evaluate(expression);
        if (FReport.Script().EvaluateRiseError())
            text = value.ToString(); // the compiler's message
        else if (value.IsNull())
            text = QStringLiteral("Null");
        else if (quoteText && value.kind() == TfsValue::String)
            text = u'\'' + value.ToString() + u'\'';
        else
            text = value.ToString();
    } catch (const TfsRuntimeError &error) {
        text = error.Message();
    } catch (const TfsError &error) {
        text = error.Message();
    }
    FReport.SetErrors(errors);
    return text;
}

#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QEventLoop;
class TfrxReport;
class TfrxSyntaxMemo;

// Runs the report's script under the designer's control while the report is prepared as under
// Preview: a hook before every statement stops at breakpoints or at every statement (tracing),
// shows the line in the script editor, and waits in a nested event loop, with the designer
// usable, until the operator resumes or terminates the script.
class TfrxScriptDebugger : public QObject
{
    Q_OBJECT

public:
    enum State { dsIdle, dsRunning, dsStopped };

    TfrxScriptDebugger(TfrxReport &report, TfrxSyntaxMemo &memo, QObject *parent = nullptr);

    State GetState() const { return FState; }
    bool Active() const { return FState != dsIdle; }

    // Run (trace false) or Trace into (true): starts preview under the hook, or resumes a stopped
    // script; Run then stops at the next breakpoint, Trace into at the next statement.
    void Run(bool trace, const std::function<void()> &preview);
    // Runs until the caret's line (a breakpoint of its own, gone after the run).
    void RunToCursor(const std::function<void()> &preview);
    void ToggleBreakpoint();
    // Ends the script (and the preparation); a stopped script goes on only to end.
    void Terminate();

    // The value of an expression in the scope of the running script, as text; the report's error
    // list is left exactly as it was. quoteText puts text values in single quotes.
    QString Evaluate(const QString &expression, bool quoteText = false) const;

signals:
    // The script stopped at a statement (the editor shows it) or goes on again.
    void Stopped();
    void Resumed();
    // A run began or ended.
    void StateChanged();

private:
    void Resume(bool trace);
    void OnLine(const QString &unit, const QString &pos);
    void Stop(int line, int column);
    void MarkExecutableLines();
    void KeepResponsive();

    TfrxReport &FReport;
    TfrxSyntaxMemo &FMemo;
    State FState = dsIdle;
    // Stop at every statement (tracing) rather than at breakpoints only.
    bool FStep = false;
    // Whether statements are looked at all; Run with no breakpoint left lets the script run free.
    bool FWatching = false;
    bool FFirstStop = true;
    QEventLoop *FLoop = nullptr;
    qint64 FLastEvents = 0;
};

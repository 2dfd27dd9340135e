#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class TfrxCustomEngine;
class TfrxReport;
class TfsClassVariable;
class TfsScript;

// The object "Engine" of a report's script: the report's engine, whichever engine the report has
// when a member is used. Anchors live in the engine library's store of prepared pages, which this
// library does not link: the engine library supplies them through Handlers().
class TfrxEngineScriptObject : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "TfrxEngine")

public:
    explicit TfrxEngineScriptObject(TfrxReport *report, QObject *parent = nullptr);

    TfrxReport &Report() const;
    // The report's engine; a run-time error when the report has none.
    TfrxCustomEngine &Engine() const;

    struct Hooks
    {
        std::function<void(TfrxReport &report, const QString &text)> AddAnchor;
        std::function<int(TfrxReport &report, const QString &text)> GetAnchorPage;
    };
    static Hooks &Handlers();

    // The members of TfrxCustomEngine.
    static void AddMembers(TfsClassVariable &cls, const TfsScript &scope);

private:
    QPointer<TfrxReport> FReport;
};

#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class TfrxReport;
class TfsClassVariable;
class TfsScript;

// The object "Outline" of a report's script. The outline lives in the engine library's store of
// prepared pages, which this library does not link: the engine library supplies its operations
// through Handlers(); without them the members are run-time errors.
class TfrxOutlineScriptObject : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "TfrxOutline")

public:
    explicit TfrxOutlineScriptObject(TfrxReport *report, QObject *parent = nullptr);

    // The report; a run-time error when it is gone.
    TfrxReport &Report() const;

    struct Hooks
    {
        std::function<void(TfrxReport &report, const QString &text)> AddItem;
        std::function<void(TfrxReport &report)> LevelRoot;
        std::function<void(TfrxReport &report)> LevelUp;
    };
    static Hooks &Handlers();

    // The members of TfrxCustomOutline.
    static void AddMembers(TfsClassVariable &cls, const TfsScript &scope);

private:
    QPointer<TfrxReport> FReport;
};

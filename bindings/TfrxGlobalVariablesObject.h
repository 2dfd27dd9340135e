#pragma once

#include <QObject>

class TfrxReport;
class TfsClassVariable;
class TfsScript;

// The script object "zorGlobalVariables": the report variables shared by every report of the
// process, read and written by name through its default property Variables.
class TfrxGlobalVariablesObject : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "TfrxGlobalVariables")

public:
    explicit TfrxGlobalVariablesObject(TfrxReport *report, QObject *parent = nullptr);

    static void AddMembers(TfsClassVariable &cls, const TfsScript &scope);
};

#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QObject;
class TfrxReport;
class TfsScript;

// Binds a report into its script before the script is compiled: the report module, every named
// object of the report, "Report", the functions Get and Set, the macros IIF, SUM, AVG, MIN, MAX and
// COUNT, and last the variables "Value" and "Self", which follow the report's current value and
// object.
class TfrxScriptBinder
{
public:
    static void Bind(TfrxReport &report, TfsScript &script);

    // Computes an aggregate (SUM, AVG, MIN, MAX or COUNT, upper case) for a report from the texts of
    // its arguments; the engine sets it. Without one an aggregate is a run-time error.
    using AggregateHandler =
        std::function<QVariant(TfrxReport &report, const QString &function, const QStringList &arguments)>;
    static AggregateHandler &Aggregate();

    // After the report's objects were replaced (the template reloaded around a preparation), points
    // each object item of the script at the object of its name now, or at none.
    static void Rebind(TfrxReport &report, TfsScript &script);
};

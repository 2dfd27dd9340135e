#include "TfrxScriptBinder.h"

#include "TfrxEngineScriptObject.h"
#include "TfrxGlobalVariablesObject.h"
#include "TfrxOutlineScriptObject.h"
#include "TfrxReport.h"
#include "TfrxReportModule.h"
#include "TfrxReportServices.h"
#include "TfrxVariables.h"

#include "TfsClassVariable.h"
#include "TfsObjectRegistry.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "TfsVariant.h"

#include <QFileInfo>
#include <QPointer>

namespace {

// The report's Calc; its failure (already in the report's error list) becomes a script error.
TfsValue calc(TfrxReport &report, const QString &expression)
{
    try {
        return fsVariantToValue(report.Calc(expression));
    } catch (const std::runtime_error &e) {
        throw TfsRuntimeError(QString::fromUtf8(e.what()));
    }
}

bool isAggregateCall(const QString &text)
{
    const qsizetype open = text.indexOf(u'(');
    if (open < 0)
        return false;
    static const QStringList names = {QStringLiteral("SUM"), QStringLiteral("MIN"), QStringLiteral("MAX"),
                                      QStringLiteral("AVG"), QStringLiteral("COUNT")};
    return names.contains(text.left(open).trimmed().toUpper());
}

void addFunctions(TfrxReport &report, TfsScript &script)
{
    QPointer<TfrxReport> owner(&report);
    const auto live = [owner]() -> TfrxReport & {
        if (!owner)
            throw TfsRuntimeError(QStringLiteral("Invalid object reference"));
        return *owner;
    };
    script.AddMethod(
        QStringLiteral("function Get(Name: String): Variant"),
        [live](std::span<TfsValue> a) {
            TfrxReport &r = live();
            const QString name = a[0].ToString();
            QVariant value;
            if (r.DoGetValue(name, value))
                return fsVariantToValue(value);
            if (isAggregateCall(name))
                return calc(r, name);
            r.AddError(TfrxReportServices::Text(QStringLiteral("clUnknownVar"),
                                                QStringLiteral("Unknown variable or datafield:")) +
                       u' ' + name);
            return TfsValue::MakeNull();
        },
        QStringLiteral("ctOther"));
    script.AddMethod(
        QStringLiteral("procedure Set(Name: String; Value: Variant)"),
        [live](std::span<TfsValue> a) {
            live().Variables()->SetVariable(a[0].ToString(), fsValueToVariant(a[1]));
            return TfsValue::MakeNull();
        },
        QStringLiteral("ctOther"));
    // IIF calculates only the branch it chooses; an error inside leaves the result empty (the
    // report's error list keeps what Calc recorded).
    script.AddMethod(
        QStringLiteral("macrofunction IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant"),
        [live](std::span<TfsValue> a) {
            TfrxReport &r = live();
            try {
                const bool chosen = calc(r, a[0].ToString()).ToBool();
                return calc(r, (chosen ? a[1] : a[2]).ToString());
            } catch (const TfsRuntimeError &) {
                return TfsValue::MakeNull();
            }
        },
        QStringLiteral("ctOther"));
    // The totals receive the texts of their arguments, which the engine reads.
    const auto aggregateCall = [live](const QString &function) {
        return [live, function](std::span<TfsValue> a) {
            QStringList args;
            for (const TfsValue &v : a)
                args.append(v.ToString());
            const auto &aggregate = TfrxScriptBinder::Aggregate();
            if (!aggregate)
                throw TfsRuntimeError(QStringLiteral("Aggregates are not available"));
            return fsVariantToValue(aggregate(live(), function, args));
        };
    };
    for (const char *name : {"SUM", "AVG", "MIN", "MAX"})
        script.AddMethod(QStringLiteral("macrofunction %1(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant")
                             .arg(QLatin1String(name)),
                         aggregateCall(QString::fromLatin1(name)), QStringLiteral("ctAggregate"));
    script.AddMethod(QStringLiteral("macrofunction COUNT(Band: Variant = 0; Flags: Integer = 0): Variant"),
                     aggregateCall(QStringLiteral("COUNT")), QStringLiteral("ctAggregate"));
}

// The object that stands for a part of the report that is no report object (its engine, its
// outline, the shared variables): a child of the report, made once.
template <class T> T *standIn(TfrxReport &report, const QString &name)
{
    if (T *existing = report.findChild<T *>(name, Qt::FindDirectChildrenOnly))
        return existing;
    T *made = new T(&report, &report);
    made->setObjectName(name);
    return made;
}

// Value and Self are made here, after the objects, so that an object of either name cannot hide
// them; they read the report's value and object being printed now.
void addValueAndSelf(TfrxReport &report, TfsScript &script)
{
    QPointer<TfrxReport> owner(&report);
    auto value = std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikVariable, QStringLiteral("Value"),
                                                     fvtVariant, QStringLiteral("Variant"));
    value->FOnGetVarValue = [owner](const QString &, TfsVarType, TfsValue &v, const TfsValue &) {
        if (owner)
            v = fsVariantToValue(owner->LocalValue());
    };
    script.Add(std::move(value));
    auto self = std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikVariable, QStringLiteral("Self"), fvtClass,
                                                    QStringLiteral("TfrxView"));
    self->FValue = TfsValue::MakeObject(0);
    self->FOnGetVarValue = [owner](const QString &, TfsVarType, TfsValue &v, const TfsValue &) {
        if (owner && !owner->CurObject().isEmpty())
            v = TfsValue::MakeObject(TfsObjectRegistry::Handle(owner->FindObject(owner->CurObject())));
    };
    script.Add(std::move(self));
}

} // namespace

TfrxScriptBinder::AggregateHandler &TfrxScriptBinder::Aggregate()
{
    static AggregateHandler handler;
    return handler;
}

void TfrxScriptBinder::Bind(TfrxReport &report, TfsScript &script)
{
    // Units and files the script names are looked up beside the template, and not at all for a
    // template that came from no file.
    script.BaseFolder = report.FileName().isEmpty() ? QString() : QFileInfo(report.FileName()).absolutePath();
    TfrxReportModule::Register(script);
    for (TfrxComponent *object : report.GetAllObjects())
        if (!object->Name().isEmpty())
            script.AddObject(object->Name(), object);
    script.AddObject(QStringLiteral("Report"), &report);
    // The engine and the outline are reached through objects that follow the report's own.
    script.AddObject(QStringLiteral("Engine"),
                     standIn<TfrxEngineScriptObject>(report, QStringLiteral("Engine")));
    script.AddObject(QStringLiteral("Outline"),
                     standIn<TfrxOutlineScriptObject>(report, QStringLiteral("Outline")));
    script.AddObject(QStringLiteral("zorGlobalVariables"),
                     standIn<TfrxGlobalVariablesObject>(report, QStringLiteral("zorGlobalVariables")));
    addFunctions(report, script);
    addValueAndSelf(report, script);
}

void TfrxScriptBinder::Rebind(TfrxReport &report, TfsScript &script)
{
    for (TfsCustomVariable *item : script.Locals()) {
        if (item->FTyp != fvtClass || item->FFromSource || item->FValue.kind() != TfsValue::Object)
            continue;
        if (item->FName.compare(u"Report", Qt::CaseInsensitive) == 0)
            continue;
        // Stand-ins (Engine, Outline, zorGlobalVariables) outlive the reload.
        const QObject *current = TfsObjectRegistry::Find(item->FValue.ToInt64());
        if (current && !qobject_cast<const TfrxComponent *>(current))
            continue;
        TfrxComponent *object = report.FindObject(item->FName);
        item->FValue = TfsValue::MakeObject(TfsObjectRegistry::Handle(object));
    }
}

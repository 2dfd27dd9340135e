#include "TfrxOutlineScriptObject.h"

#include "TfrxReport.h"

#include "TfsClassVariable.h"
#include "TfsRuntimeError.h"

namespace {

TfrxReport &reportOf(QObject *obj)
{
    auto *o = qobject_cast<TfrxOutlineScriptObject *>(obj);
    if (!o)
        throw TfsRuntimeError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
    return o->Report();
}

template <class Hook> const Hook &need(const Hook &hook)
{
    if (!hook)
        throw TfsRuntimeError(QStringLiteral("The outline is not available"));
    return hook;
}

} // namespace

TfrxOutlineScriptObject::TfrxOutlineScriptObject(TfrxReport *report, QObject *parent)
    : QObject(parent), FReport(report)
{
}

TfrxReport &TfrxOutlineScriptObject::Report() const
{
    if (!FReport)
        throw TfsRuntimeError(QStringLiteral("Invalid object reference"), QStringLiteral("EAccessViolation"));
    return *FReport;
}

TfrxOutlineScriptObject::Hooks &TfrxOutlineScriptObject::Handlers()
{
    static Hooks hooks;
    return hooks;
}

void TfrxOutlineScriptObject::AddMembers(TfsClassVariable &cls, const TfsScript &scope)
{
    cls.AddMethod(
        QStringLiteral("procedure AddItem(const Text: String)"),
        [](QObject *obj, std::span<TfsValue> a) {
            need(Handlers().AddItem)(reportOf(obj), a[0].ToString());
            return TfsValue::MakeNull();
        },
        scope);
    cls.AddMethod(
        QStringLiteral("procedure LevelRoot"),
        [](QObject *obj, std::span<TfsValue>) {
            need(Handlers().LevelRoot)(reportOf(obj));
            return TfsValue::MakeNull();
        },
        scope);
    cls.AddMethod(
        QStringLiteral("procedure LevelUp"),
        [](QObject *obj, std::span<TfsValue>) {
            need(Handlers().LevelUp)(reportOf(obj));
            return TfsValue::MakeNull();
        },
        scope);
}

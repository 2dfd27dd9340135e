#include "TfrxEngineScriptObject.h"

#include "TfrxBand.h"
#include "TfrxCustomEngine.h"
#include "TfrxReport.h"

#include "TfsClassVariable.h"
#include "TfsObjectRegistry.h"
#include "TfsRuntimeError.h"

namespace {

TfrxEngineScriptObject *engineObject(QObject *obj)
{
    auto *e = qobject_cast<TfrxEngineScriptObject *>(obj);
    if (!e)
        throw TfsRuntimeError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
    return e;
}

TfrxCustomEngine &engine(QObject *obj)
{
    return engineObject(obj)->Engine();
}

[[noreturn]] void unavailable()
{
    throw TfsRuntimeError(QStringLiteral("Anchors are not available"));
}

using Getter = double (TfrxCustomEngine::*)() const;
using IntGetter = int (TfrxCustomEngine::*)() const;

} // namespace

TfrxEngineScriptObject::TfrxEngineScriptObject(TfrxReport *report, QObject *parent)
    : QObject(parent), FReport(report)
{
}

TfrxReport &TfrxEngineScriptObject::Report() const
{
    if (!FReport)
        throw TfsRuntimeError(QStringLiteral("Invalid object reference"), QStringLiteral("EAccessViolation"));
    return *FReport;
}

TfrxCustomEngine &TfrxEngineScriptObject::Engine() const
{
    TfrxCustomEngine *e = Report().Engine();
    if (!e)
        throw TfsRuntimeError(QStringLiteral("The report has no engine"));
    return *e;
}

TfrxEngineScriptObject::Hooks &TfrxEngineScriptObject::Handlers()
{
    static Hooks hooks;
    return hooks;
}

void TfrxEngineScriptObject::AddMembers(TfsClassVariable &cls, const TfsScript &scope)
{
    const auto procedure = [&](const char *syntax, void (*run)(TfrxCustomEngine &, std::span<TfsValue>)) {
        cls.AddMethod(
            QString::fromLatin1(syntax),
            [run](QObject *obj, std::span<TfsValue> a) {
                run(engine(obj), a);
                return TfsValue::MakeNull();
            },
            scope);
    };
    procedure("procedure NewPage", [](TfrxCustomEngine &e, std::span<TfsValue>) { e.NewPage(); });
    procedure("procedure NewColumn", [](TfrxCustomEngine &e, std::span<TfsValue>) { e.NewColumn(); });
    procedure("procedure StopReport", [](TfrxCustomEngine &e, std::span<TfsValue>) { e.StopReport(); });
    procedure("procedure ShowBand(Band: TfrxBand)", [](TfrxCustomEngine &e, std::span<TfsValue> a) {
        auto *band = qobject_cast<TfrxBand *>(TfsObjectRegistry::Object(a[0].IsNull() ? 0 : a[0].ToInt64()));
        if (!band)
            throw TfsRuntimeError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
        e.ShowBand(band);
    });
    cls.AddMethod(
        QStringLiteral("function FreeSpace: Extended"),
        [](QObject *obj, std::span<TfsValue>) { return TfsValue(engine(obj).FreeSpace()); }, scope);
    cls.AddMethod(
        QStringLiteral("procedure AddAnchor(const Text: String)"),
        [](QObject *obj, std::span<TfsValue> a) {
            const auto &add = Handlers().AddAnchor;
            if (!add)
                unavailable();
            add(engineObject(obj)->Report(), a[0].ToString());
            return TfsValue::MakeNull();
        },
        scope);
    cls.AddMethod(
        QStringLiteral("function GetAnchorPage(const Text: String): Integer"),
        [](QObject *obj, std::span<TfsValue> a) {
            const auto &get = Handlers().GetAnchorPage;
            if (!get)
                unavailable();
            return TfsValue(get(engineObject(obj)->Report(), a[0].ToString()));
        },
        scope);
    // The engine's state that scripts read; the position can be moved.
    cls.AddProperty(
        QStringLiteral("CurX"), QStringLiteral("Extended"), scope,
        [](QObject *obj) { return TfsValue(engine(obj).CurX()); },
        [](QObject *obj, const TfsValue &v) { engine(obj).SetCurX(v.ToDouble()); });
    cls.AddProperty(
        QStringLiteral("CurY"), QStringLiteral("Extended"), scope,
        [](QObject *obj) { return TfsValue(engine(obj).CurY()); },
        [](QObject *obj, const TfsValue &v) { engine(obj).SetCurY(v.ToDouble()); });
    const std::pair<const char *, Getter> reals[] = {{"PageWidth", &TfrxCustomEngine::PageWidth},
                                                     {"PageHeight", &TfrxCustomEngine::PageHeight}};
    for (const auto &[name, get] : reals)
        cls.AddProperty(QString::fromLatin1(name), QStringLiteral("Extended"), scope,
                        [get = get](QObject *obj) { return TfsValue((engine(obj).*get)()); });
    const std::pair<const char *, IntGetter> ints[] = {{"CurColumn", &TfrxCustomEngine::CurColumn},
                                                       {"CurLine", &TfrxCustomEngine::CurLine},
                                                       {"TotalPages", &TfrxCustomEngine::TotalPages}};
    for (const auto &[name, get] : ints)
        cls.AddProperty(QString::fromLatin1(name), QStringLiteral("Integer"), scope,
                        [get = get](QObject *obj) { return TfsValue((engine(obj).*get)()); });
    cls.AddProperty(QStringLiteral("FinalPass"), QStringLiteral("Boolean"), scope,
                    [](QObject *obj) { return TfsValue(engine(obj).FinalPass()); });
    cls.AddProperty(QStringLiteral("DoublePass"), QStringLiteral("Boolean"), scope,
                    [](QObject *obj) { return TfsValue(engine(obj).GetDoublePass()); });
}

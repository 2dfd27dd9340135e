#include "TfrxGlobalVariablesObject.h"

#include "TfrxReport.h"

#include "TfsClassVariable.h"
#include "TfsVariant.h"

TfrxGlobalVariablesObject::TfrxGlobalVariablesObject(TfrxReport *, QObject *parent) : QObject(parent) {}

void TfrxGlobalVariablesObject::AddMembers(TfsClassVariable &cls, const TfsScript &scope)
{
    cls.AddDefaultProperty(
        QStringLiteral("Variables"), QStringLiteral("String"), QStringLiteral("Variant"), scope,
        [](QObject *, std::span<TfsValue> a) {
            const QVariant value = TfrxReport::GlobalVariable(a[0].ToString());
            return value.isValid() ? fsVariantToValue(value) : TfsValue::MakeNull();
        },
        [](QObject *, std::span<TfsValue> a, const TfsValue &v) {
            TfrxReport::SetGlobalVariable(a[0].ToString(), fsValueToVariant(v));
        });
}
